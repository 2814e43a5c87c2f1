#pragma once

#include <QStringList>

// tolvaren --align [--kind lesson|lexicon|questions|statements] [--voice NAME]
// [--force] RECORDING TEXT [TIMING]: writes the timing file of TEXT from its
// recording, to TIMING or to the standard output. `arguments` are those after
// --align. 0 when done, 1 when written but some lines are doubtful (named on
// the standard error as file:line), 2 for a wrong command line or bad input,
// with nothing written. The messages go to the standard error, or into
// `messages` when it is given.
int runAlignCommand(const QStringList& arguments, QStringList* messages = nullptr);

// What --align is called with, for the program's usage text.
QString alignUsage();
