#pragma once

#include <QString>

// The launch operations of the drill windows. Each creates its window
// centred on (centreX, centreY) in screen coordinates, reads the files (full
// names, the data folder already prefixed; an empty timing file name means
// the items are not played), runs the window modally, destroys it and returns
// 0 when the exercise was gone through; any other value means it was left
// early. When the files cannot carry the exercise at all, the read-error
// message is shown and the window does not open.

// The lexicon drill: 0 every expression translated, 2 left.
int ExecuteLexic(int centreX, int centreY, const QString& textFile, const QString& transFile,
                 const QString& timingFile, const QString& soundFile);

// The lexicon preview: 0 gone past the last expression, 1 left.
int ExecuteLexicDemo(int centreX, int centreY, const QString& textFile, const QString& transFile,
                     const QString& timingFile, const QString& soundFile);

// The question preview (the answer file is not read): 0 gone past the last
// question, 2 left.
int ExecuteQuestDemo(int centreX, int centreY, const QString& textFile, const QString& transFile,
                     const QString& timingFile, const QString& soundFile);

// What a question run leaves for the completion judgement.
struct DrillCounts {
    int questions = 0;
    int errors = 0;
};

// The after-text questions: 0 all answered, 2 left. `counts` (when given)
// receives the question count and the error count of the run.
int ExecuteQuestDown(int centreX, int centreY, const QString& textFile, const QString& transFile,
                     const QString& timingFile, const QString& soundFile,
                     DrillCounts* counts = nullptr);

// The true/false statements: on 0 (all answered) the results window has been
// shown; 2 left with "&Close", 1 left with "Cancel". `counts` (when given)
// receives the statement count and the error count.
int ExecuteQuestTrFl(int centreX, int centreY, const QString& textFile, const QString& transFile,
                     const QString& timingFile, const QString& soundFile,
                     DrillCounts* counts = nullptr);
