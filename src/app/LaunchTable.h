#pragma once

#include <QString>

// Which exercise window a catalogue kind opens, with what, and what the
// completion dialog says and stores afterwards.
enum class LaunchOp {
    None,
    LexicDemo,
    Lexic,
    QuestDemo,
    QuestDown,
    QuestTrFl,
    WorkText,
    TransNoText
};

// What marking an exercise done stores besides the done flag.
enum class Marking {
    DoneOnly,
    ErrorPercent, // after-text questions: errors × 100 / questions
    Recording,    // interpretation kinds: the recording's name
    Grade         // true/false statements: the five-point grade
};

struct LaunchSpec {
    LaunchOp op = LaunchOp::None;
    bool soundChecks = false; // kind 4: the full-duplex test and the free space check first
    bool records = false;     // the trainer records into the user's recording file
    bool textAllowed = false;
    bool transAllowed = false;
    bool waitAllowed = false;
    int helpTopic = 0;
    // The completion dialog's text where it does not depend on the run.
    QString outcomeText;
    Marking marking = Marking::DoneOnly;
};

// The launch of a catalogue kind for the work mode the tree shows.
LaunchSpec launchSpecFor(int kind, QChar treeMode);

// The outcome text of lesson listening: it depends on whether the student's
// own recording is being analysed.
QString workTextOutcome(bool withRecording);
