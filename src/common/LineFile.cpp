#include "common/LineFile.h"

#include "common/FileProblems.h"

#include <QFile>

QStringList splitCourseLines(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    // A final line end does not start another line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    return lines;
}

QString decodeCourseText(const QByteArray& bytes, CodePage page)
{
    static const QByteArray bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom))
        return QString::fromUtf8(bytes.mid(bom.size()));
    return decode(page, bytes);
}

std::variant<QStringList, CourseError> readCourseLines(const QString& path, CodePage page)
{
    QFile file(path);
    if (isSpecialFile(path))
        return CourseError{path, 0, SpecialFileText};
    if (!file.open(QIODevice::ReadOnly))
        return CourseError{path, 0, QStringLiteral("файл не найден или не читается")};
    return splitCourseLines(decodeCourseText(file.readAll(), page));
}

std::optional<QByteArray> encodeCourseLines(const QStringList& lines, CodePage page)
{
    QByteArray out;
    for (const QString& line : lines) {
        std::optional<QByteArray> bytes = encode(page, line);
        if (!bytes)
            return std::nullopt;
        out += *bytes;
        out += "\r\n";
    }
    return out;
}
