#include "listening/Lesson.h"

#include "common/LineFile.h"
#include "common/Paths.h"
#include "common/TimingLine.h"

#include <QFile>
#include <variant>

namespace {
std::optional<qint32> parseMs(const QString& text)
{
    bool ok = false;
    const qint32 value = text.toInt(&ok);
    if (!ok || value < 0 || text.startsWith(u'+'))
        return std::nullopt;
    return value;
}

// Reads the lines of one file; a fault goes to `errors` and gives no lines.
QStringList linesOf(const QString& path, CodePage page, QList<CourseError>& errors)
{
    auto read = readCourseLines(path, page);
    if (auto* error = std::get_if<CourseError>(&read)) {
        errors.append(*error);
        return {};
    }
    return std::get<QStringList>(read);
}

void keep(std::optional<CourseError> error, QList<CourseError>& errors)
{
    if (error)
        errors.append(*error);
}
} // namespace

QString studentTimingName(const QString& recording)
{
    return replaceLastThree(recording, QStringLiteral("txt"));
}

QString commentFileName(const QString& textFile)
{
    return replaceLastThree(textFile, QStringLiteral("apc"));
}

std::optional<CourseError> readTiming(const QStringList& lines, const QString& file,
                                      TimingTable& table)
{
    for (int i = 0; i < lines.size(); ++i) {
        const int entry = i + 1;
        if (entry >= table.size())
            return CourseError{file, entry, QStringLiteral("строк больше, чем в тексте урока")};
        if (lines[i].startsWith(u'#'))
            continue;
        const std::optional<Segment> segment = parseTimingLine(lines[i]);
        if (!segment || segment->start < 0 || segment->start > segment->end)
            return CourseError{file, entry, QStringLiteral("строка не вида «начало, TAB, конец»")};
        table[entry] = {segment->start, segment->end};
    }
    return std::nullopt;
}

std::optional<CourseError> readPictures(const QStringList& lines, const QString& file,
                                        QList<PictureEntry>& pictures)
{
    pictures = {PictureEntry{}};
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(u'#')) {
            pictures.append(PictureEntry{});
            continue;
        }
        const QStringList fields = lines[i].split(u'\t');
        const auto from = fields.size() >= 3 ? parseMs(fields[0]) : std::nullopt;
        const auto to = fields.size() >= 3 ? parseMs(fields[1]) : std::nullopt;
        if (!from || !to)
            return CourseError{file, i + 1,
                               QStringLiteral("строка не вида «от, TAB, до, TAB, рисунок»")};
        pictures.append(PictureEntry{*from, *to, lines[i].section(u'\t', 2)});
    }
    return std::nullopt;
}

std::optional<CourseError> readComments(const QStringList& lines, const QString& file,
                                        QList<Comment>& comments)
{
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const std::optional<qint32> number =
            line.size() >= 3 ? parseMs(line.left(3)) : std::nullopt;
        if (!number)
            return CourseError{file, i + 1,
                               QStringLiteral("строка не начинается с номера из трех цифр")};
        // The last character of a comment line is its closing mark, not text.
        comments.append(Comment{*number, line.mid(3, qMax(0, int(line.size()) - 4))});
    }
    return std::nullopt;
}

Lesson loadLesson(const LessonFileNames& names)
{
    Lesson lesson;
    QList<CourseError>& errors = lesson.errors;
    lesson.text = linesOf(names.text, CodePage::Cp1250, errors);
    lesson.timing.resize(lesson.count() + 1);
    lesson.studentTiming.resize(lesson.count() + 1);
    lesson.trans = linesOf(names.trans, CodePage::Cp1251, errors);
    keep(readTiming(linesOf(names.timing, CodePage::Cp1251, errors), names.timing, lesson.timing),
         errors);
    const QString studentTiming = studentTimingName(names.studentRecording);
    if (!names.studentRecording.isEmpty() && QFile::exists(studentTiming)) {
        lesson.studentTimingFound = true;
        keep(readTiming(linesOf(studentTiming, CodePage::Cp1251, errors), studentTiming,
                        lesson.studentTiming),
             errors);
    }
    keep(readPictures(linesOf(names.pictures, CodePage::Cp1251, errors), names.pictures,
                      lesson.pictures),
         errors);
    const QString comments = commentFileName(names.text);
    if (QFile::exists(comments))
        keep(readComments(linesOf(comments, CodePage::Cp1251, errors), comments, lesson.comments),
             errors);
    return lesson;
}

bool hasComment(const QList<Comment>& comments, int number)
{
    return std::any_of(comments.begin(), comments.end(),
                       [number](const Comment& comment) { return comment.number == number; });
}

int pictureAt(const QList<PictureEntry>& pictures, qint32 end)
{
    for (int k = 1; k < pictures.size(); ++k)
        if (!pictures[k].name.isEmpty() && pictures[k].from < end && end <= pictures[k].to)
            return k;
    return 0;
}
