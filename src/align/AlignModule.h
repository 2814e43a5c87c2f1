#pragma once

#include "align/PauseCheck.h"

#include <QStringList>

// What the alignment module (tolvaren-align, with the speech synthesiser and
// the FFT library) gives the program: the --align command and the course
// check's look for boundaries in speech. The entry's name carries the version
// of this form; change the number with it.
struct AlignModuleApi {
    int (*command)(const QStringList& arguments);
    std::optional<QList<int>> (*boundariesInSpeech)(const QString& sound,
                                                    const QList<TimedSentenceLine>& lines);
};
using AlignModuleEntry = const AlignModuleApi* (*)();
inline constexpr char AlignModuleFile[] = "tolvaren-align.so";
inline constexpr char AlignModuleEntryName[] = "tolvarenAlignModule2";

// Runs --align through the module; 2 when the module does not open.
int runAlign(const QStringList& arguments);
