// The student timing file. Any bytes read as one for a lesson of any length:
// the reading takes every line or stops at a fault naming a line of the file,
// never takes a line that is not two numbers in order, and a line the parser
// takes reads back the same when written again. And any positions written by
// the trainer read back as they were, or are refused; never read wrong, and
// never lost to a write the disk refused.
#include "FuzzSupport.h"
#include "common/AtomicFile.h"
#include "common/LineFile.h"
#include "common/TimingLine.h"
#include "listening/Lesson.h"
#include "listening/TrainerRules.h"

#include <QHash>
#include <array>
#include <cstring>

namespace {
// The disk, in memory: the trainer writes the whole file at every syntagm, and
// through the real disk each write waits for fsync (some twenty runs a
// second). The program keeps its durable write; only this harness links the
// one below in its place, so the common library's own is never taken.
struct MemoryDisk {
    QHash<QString, QByteArray> files;
    bool refuseNext = false;
} disk;
} // namespace

std::optional<CourseError> writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    if (disk.refuseNext)
        return CourseError{path, 0, QStringLiteral("no space left")};
    disk.files.insert(path, bytes);
    return std::nullopt;
}

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

// Up to 32 positions of 8 bytes each. The low bits of a position's first byte
// say what happens with it: 1 a heading follows, 2 the disk refuses that
// write, 4 the file moves to the student's other name first. A refused write
// names the file and loses nothing: the next write that succeeds holds every
// line, and the file read back holds every position in order.
void writeAndReadBack(const uint8_t* data, size_t size)
{
    // In an empty folder: moving on removes the previous file from the real disk.
    static const QTemporaryDir dir;
    const std::array<QString, 2> names{dir.filePath(QStringLiteral("Ivan4.txt")),
                                       dir.filePath(QStringLiteral("Ivan5.txt"))};
    StudentTimingFile file;
    check(file.start(names[0]));
    QList<TimingEntry> written{{0, 0}, {0, 0}}; // entry 0, then the title's heading
    qint64 begin = 0;
    for (size_t at = 0; at + 8 <= std::min<size_t>(size, 256); at += 8) {
        qint64 position;
        std::memcpy(&position, data + at, 8);
        const bool heading = data[at] & 1;
        disk.refuseNext = false;
        if (data[at] & 4)
            check(file.moveTo(names[file.path() == names[0]]));
        disk.refuseNext = data[at] & 2;
        check(file.next(position, heading) != disk.refuseNext);
        check(!disk.refuseNext || (file.fault() && file.fault()->file == file.path()));
        written.append({qint32(begin), qint32(position)});
        if (heading)
            written.append({0, 0});
        begin = position;
    }
    disk.refuseNext = false;
    check(file.finish(begin));
    written.append({qint32(begin), qint32(begin)});
    const QStringList lines =
        splitCourseLines(decodeCourseText(disk.files.take(file.path()), CodePage::Cp1251));
    TimingTable table(int(written.size()) + 1);
    if (readTiming(lines, file.path(), table))
        return; // refused: a position out of the reader's range or order
    for (qsizetype i = 1; i < written.size(); ++i)
        check(table[i].begin == written[i].begin && table[i].end == written[i].end);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    readAnyBytes(fuzzBytes(data + 1, size - 1), data[0]);
    disk.files.clear();
    writeAndReadBack(data, size);
    return 0;
}
