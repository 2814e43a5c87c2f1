#pragma once

#include "users/ProgressFile.h"
#include "users/UserList.h"

#include <QString>
#include <functional>

// Rules that turn a finished exercise run into the completion dialog's text and
// into the marks of the progress record. The main window's launch code calls
// them; they know nothing of windows.

// After-text questions and true/false statements: more than 30 % wrong
// answers cannot be marked done.
struct JudgedText {
    QString text;
    bool passed = false; // the student may mark it done (a named user only)
};
JudgedText judgeQuestions(int errors, int questions);

// The completion dialog's text for a finished run of any kind, and whether it
// may be marked done: questions (kind 6) and statements (kind 7) are judged by
// their errors, the other kinds always pass.
// Lesson listening (kind 5) tells whether it analysed a previous recording.
JudgedText judgeRun(int kind, int errors, int questions, const QString& previousRecording = {});

// Wrong answers in percent, truncated; 0 when there were no questions.
qint32 errorPercent(int errors, int questions);

// True/false statements: the grade on the five-point scale from the share of
// right answers: 5 from 90 %, 4 from 75 %, else 3 (a run with less than 70 %
// cannot be marked, so 2 is never given).
qint32 trueFalseGrade(int errors, int statements);

// The outcome text of the kinds whose text does not depend on counts (1 to 5,
// 8, 11 to 15); for kind 5 it depends on whether a recording is analysed.
QString outcomeText(int kind, const QString& previousRecording = {});

// Kinds whose window records the student's voice, and kinds whose record keeps
// the recording's path when marked.
bool recordsVoice(int kind);
bool storesRecording(int kind);

// Where the recording of an entry goes: the user's folder + name + entry +
// ".wav"; "AnonSnd.wav" in the current folder for the anonymous user (nullptr).
QString RecordingName(const UserRecord* namedUser, int entry);

// For lesson listening (kind 5): the recording of the nearest interpretation
// exercise before the entry in the same section, empty at a heading or for the
// anonymous user (progress nullptr). kindOf gives the kind of an entry, 0 for
// entry 0.
QString previousRecordingName(const std::function<int(int entry)>& kindOf,
                              const ProgressTable* progress, int entry);

// What a run leaves for the marking.
struct RunOutcome {
    int errors = 0;
    int questions = 0; // questions or statements
    QString recordingName;
};

// Marks the record done and stores what the kind keeps: the error percentage
// (kind 6), the grade (kind 7), the recording's path (interpretation kinds).
// False when the recording's path cannot be stored; the record is then unchanged.
bool markProgress(ProgressRecord& record, int kind, const RunOutcome& outcome);

// The free-space check before a recording: true when the file system that holds
// the recording's folder has less room than the lesson's sound file takes.
bool recordingSpaceMissing(const QString& recordingName, const QString& soundFile);
