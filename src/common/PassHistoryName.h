#pragma once

#include <QString>

// The file that keeps the figures of a student's passes: beside the student's
// progress file, under its name with the ending "hst" in place of the last
// three characters ("Report/Ivan.rep" -> "Report/Ivan.hst"). A progress file
// that already ends in "hst" gets ".hst" added, so the two never coincide.
// The review writes it; a user's deletion finds it by this name and its
// first line.
QString passHistoryName(const QString& progressFile);

// The first line of every history file.
inline constexpr char PassHistorySignature[] = "Tolvaren pass history 1";

// True when the file begins with the history's first line.
bool hasPassHistorySignature(const QString& path);
