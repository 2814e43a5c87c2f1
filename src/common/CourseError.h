#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A fault in a file the program reads or writes: which file, which line (0 when
// the fault is not tied to a line) and what was wrong, in words for the user.
struct CourseError {
    QString file;
    int line = 0;
    QString what;
    // `what` is a whole message that names the file in its own words (a
    // user's progress file, the user list), shown as it stands.
    bool ownWords = false;

    // A fault told in a message of its own about the file.
    static CourseError toldAs(const QString& file, const QString& message)
    {
        return {file, 0, message, true};
    }

    // The Russian text shown to the user, naming the file and the line.
    QString userText() const;
};

// The texts of the faults, in their order.
QStringList userTexts(const QList<CourseError>& errors);

// The reasons said alike wherever a file fails.
inline const QString UnreadableFileText = QStringLiteral("файл не найден или не читается");
inline const QString UnwritableFileText = QStringLiteral("файл не удается записать");
