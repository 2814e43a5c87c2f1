// The student timing file. Any bytes read as one for a lesson of any length:
// the reading takes every line or stops at a fault naming a line of the file,
// never takes a line that is not two numbers in order, and a line the parser
// takes reads back the same when written again. And any positions written by
// the trainer read back as they were, or are refused; never read wrong.
#include "FuzzSupport.h"
#include "common/LineFile.h"
#include "common/TimingLine.h"
#include "listening/Lesson.h"
#include "listening/TrainerRules.h"

#include <cstring>

namespace {
void readAnyBytes(const QByteArray& bytes, int count)
{
    const QStringList lines = splitCourseLines(decodeCourseText(bytes, CodePage::Cp1251));
    for (const QString& line : lines)
        if (const std::optional<Segment> segment = parseTimingLine(line)) {
            const QString again = QStringLiteral("%1\t%2").arg(segment->start).arg(segment->end);
            const std::optional<Segment> reread = parseTimingLine(again);
            check(reread && reread->start == segment->start && reread->end == segment->end);
        }
    TimingTable table(count + 1);
    const std::optional<CourseError> error = readTiming(lines, QStringLiteral("Ivan4.txt"), table);
    check(!error || (error->line >= 1 && error->line <= lines.size()));
    for (int i = 0; i < (error ? error->line - 1 : lines.size()); ++i)
        if (!lines[i].startsWith(u'#')) {
            const Segment segment = *parseTimingLine(lines[i]);
            check(table[i + 1].begin == segment.start && table[i + 1].end == segment.end);
        }
}

// Up to 32 positions of 8 bytes each, a heading after those with an odd first
// byte (the file is written whole at every step).
void writeAndReadBack(const QTemporaryDir& dir, const uint8_t* data, size_t size)
{
    const QString path = dir.filePath(QStringLiteral("Ivan4.txt"));
    StudentTimingFile file;
    check(file.start(path));
    QList<TimingEntry> written{{0, 0}, {0, 0}}; // entry 0, then the title's heading
    qint64 begin = 0;
    for (size_t at = 0; at + 8 <= std::min<size_t>(size, 256); at += 8) {
        qint64 position;
        std::memcpy(&position, data + at, 8);
        const bool heading = data[at] % 2 == 1;
        check(file.next(position, heading));
        written.append({qint32(begin), qint32(position)});
        if (heading)
            written.append({0, 0});
        begin = position;
    }
    check(file.finish(begin));
    written.append({qint32(begin), qint32(begin)});
    std::variant<QStringList, CourseError> lines = readCourseLines(path, CodePage::Cp1251);
    TimingTable table(int(written.size()) + 1);
    if (readTiming(std::get<QStringList>(lines), path, table))
        return; // refused: a position out of the reader's range or order
    for (qsizetype i = 1; i < written.size(); ++i)
        check(table[i].begin == written[i].begin && table[i].end == written[i].end);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QTemporaryDir dir;
    if (size < 1)
        return 0;
    readAnyBytes(fuzzBytes(data + 1, size - 1), data[0]);
    writeAndReadBack(dir, data, size);
    return 0;
}
