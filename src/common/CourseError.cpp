#include "common/CourseError.h"

QString CourseError::userText() const
{
    if (ownWords)
        return what;
    QString text = QStringLiteral("Ошибка в файле \"%1\"").arg(file);
    if (line > 0)
        text += QStringLiteral(", строка %1").arg(line);
    return text + QStringLiteral(": ") + what;
}

QStringList userTexts(const QList<CourseError>& errors)
{
    QStringList texts;
    for (const CourseError& error : errors)
        texts << error.userText();
    return texts;
}
