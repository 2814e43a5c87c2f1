#pragma once

#include <QStringList>

// What the alignment module (tolvaren-align, with the speech synthesiser and
// the FFT library) gives the program: the --align command. The entry's name
// carries the version of the command's form; change the number with it.
using AlignCommandFunction = int (*)(const QStringList& arguments);
using AlignModuleEntry = AlignCommandFunction (*)();
inline constexpr char AlignModuleFile[] = "tolvaren-align.so";
inline constexpr char AlignModuleEntryName[] = "tolvarenAlignModule1";

// Runs --align through the module; 2 when the module does not open.
int runAlign(const QStringList& arguments);
