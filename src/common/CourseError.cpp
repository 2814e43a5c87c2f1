#include "common/CourseError.h"

QString CourseError::userText() const
{
    QString text = QStringLiteral("Ошибка в файле \"%1\"").arg(file);
    if (line > 0)
        text += QStringLiteral(", строка %1").arg(line);
    return text + QStringLiteral(": ") + what;
}
