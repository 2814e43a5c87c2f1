#pragma once

#include "common/LaunchResult.h"

#include <QString>

// The launch operations of the drill windows. Each creates its window
// centred on (centreX, centreY) in screen coordinates, reads the files (full
// names, the data folder already prefixed; an empty timing file name means
// the items are not played), runs the window modally, destroys it and returns
// whether the exercise was gone through or how it was left. When the files cannot carry the
// exercise at all, the read-error message is shown and the window does not open.

// The lexicon drill: gone through when every expression is translated.
LaunchResult ExecuteLexic(int centreX, int centreY, const QString& textFile,
                          const QString& transFile, const QString& timingFile,
                          const QString& soundFile);

// The lexicon preview: gone through past the last expression; its exit, and
// files it cannot show, give Cancelled.
LaunchResult ExecuteLexicDemo(int centreX, int centreY, const QString& textFile,
                              const QString& transFile, const QString& timingFile,
                              const QString& soundFile);

// The question preview (the answer file is not read): gone through past the
// last question.
LaunchResult ExecuteQuestDemo(int centreX, int centreY, const QString& textFile,
                              const QString& transFile, const QString& timingFile,
                              const QString& soundFile);

// What a question run leaves for the completion judgement.
struct DrillCounts {
    int questions = 0;
    int errors = 0;
};

// The after-text questions: gone through when all are answered. `counts` (when given)
// receives the question count and the error count of the run.
LaunchResult ExecuteQuestDown(int centreX, int centreY, const QString& textFile,
                              const QString& transFile, const QString& timingFile,
                              const QString& soundFile, DrillCounts* counts = nullptr);

// The true/false statements: gone through (all answered) after the results
// window; Left with "&Close", Cancelled with "Cancel". `counts` (when given)
// receives the statement count and the error count.
LaunchResult ExecuteQuestTrFl(int centreX, int centreY, const QString& textFile,
                              const QString& transFile, const QString& timingFile,
                              const QString& soundFile, DrillCounts* counts = nullptr);
