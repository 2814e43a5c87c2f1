#include "common/LineFile.h"

#include "common/FileProblems.h"

#include <QFile>

QList<QStringView> courseLineViews(QStringView text)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.append(text.sliced(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    // A final line end does not start another line.
    if (start < text.size())
        lines.append(text.sliced(start));
    return lines;
}

bool hasOnlyCrLineEnds(QStringView text)
{
    return text.contains(u'\r') && !text.contains(u'\n');
}

QStringList splitCourseLines(const QString& text)
{
    QStringList lines;
    for (QStringView line : courseLineViews(text))
        lines.append(line.toString());
    return lines;
}

QString decodeCourseText(const QByteArray& bytes, CodePage page)
{
    static const QByteArray bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom))
        return QString::fromUtf8(bytes.mid(bom.size()));
    return decode(page, bytes);
}

std::variant<QString, CourseError> readCourseText(const QString& path, CodePage page)
{
    QFile file(path);
    if (isSpecialFile(path))
        return CourseError{path, 0, SpecialFileText};
    if (!file.open(QIODevice::ReadOnly))
        return CourseError{path, 0, QStringLiteral("файл не найден или не читается")};
    return decodeCourseText(file.readAll(), page);
}

std::variant<QStringList, CourseError> readCourseLines(const QString& path, CodePage page)
{
    auto text = readCourseText(path, page);
    if (auto* error = std::get_if<CourseError>(&text))
        return *error;
    return splitCourseLines(std::get<QString>(text));
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
