#pragma once

#include "common/CourseError.h"

#include <QList>
#include <QString>
#include <optional>

// The four files of a drill, as the catalogue entry names them: the text file
// (expressions, questions or statements), the second file (translations or
// answers), the timing file (may be empty: no sound) and the sound file.
struct DrillFiles {
    QString text;
    QString trans;
    QString timing;
    QString sound;
};

// How a drill took one answer: right, a first miss that may be tried again,
// or a miss that counts as an error.
enum class DrillOutcome { Right, FirstMiss, SecondMiss };

struct DrillAnswer {
    DrillOutcome outcome;
    // The right answer, shown after a miss that counts.
    QString expected;
    // Every item has now been answered right.
    bool finished = false;
};

// What loading a drill's files gave: the items read before any fault, the
// fault, and whether the items are enough to run the drill at all. A fault in
// the middle of a file still lets the drill run with what was read; a drill
// without items, or with an item it would have to show half made, does not run.
template <typename Item> struct DrillLoad {
    QList<Item> items;
    std::optional<CourseError> error;
    bool runnable = false;
};

// The message every drill window shows for a fault in its files, whatever the
// fault was.
inline const QString ReadErrorText = QStringLiteral("Ошибка чтения файла.\rПоврежден файл ");
inline const QString ReadErrorTextsText =
    QStringLiteral("Ошибка чтения файла.\rПовреждены текстовые файлы ");
inline const QString ReadErrorCaption = QStringLiteral("Ошибка чтения файла");
