#pragma once

#include <QString>

// A fault in a file the program reads or writes: which file, which line (0 when
// the fault is not tied to a line) and what was wrong, in words for the user.
struct CourseError {
    QString file;
    int line = 0;
    QString what;

    // The Russian text shown to the user, naming the file and the line.
    QString userText() const;
};

// The reasons said alike wherever a file fails.
inline const QString UnreadableFileText = QStringLiteral("файл не найден или не читается");
inline const QString UnwritableFileText = QStringLiteral("файл не удается записать");
