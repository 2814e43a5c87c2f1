#include "users/ProgressFile.h"

#include "common/AtomicFile.h"
#include "common/FileProblems.h"
#include "common/FixedField.h"
#include "common/FreshRead.h"
#include "common/LineFile.h"
#include "common/ShortString.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace {
constexpr int DoneOffset = 0;
constexpr int ResultOffset = 4;
constexpr int TextOffset = 8;

QByteArray headerRecord()
{
    QByteArray header(ProgressRecord::Size, '\0');
    FixedField::write(header, TextOffset, ShortStringMax, ProgressSignature);
    return header;
}

QString problemText(const QString& path, const QString& what)
{
    return QStringLiteral("Файл отчета \"%1\" %2. Упражнения, о которых в нем нет записей, "
                          "показаны как невыполненные.")
        .arg(path, what);
}
QString unreadableText(const QFile& file, int code)
{
    return problemText(
        file.fileName(),
        QStringLiteral("не удается прочитать (%1)").arg(systemErrorText(code, file.errorString())));
}
} // namespace

ProgressRecord::ProgressRecord() : raw_(Size, '\0') {}

ProgressRecord ProgressRecord::fromBytes(const QByteArray& bytes)
{
    ProgressRecord record;
    std::copy_n(bytes.begin(), std::min<qsizetype>(bytes.size(), Size), record.raw_.begin());
    return record;
}

bool ProgressRecord::done() const
{
    return raw_[DoneOffset] != '\0';
}

qint32 ProgressRecord::result() const
{
    return readInt32(raw_, ResultOffset);
}

QString ProgressRecord::text() const
{
    return FixedField::read(raw_, TextOffset, ShortStringMax);
}

void ProgressRecord::setDone(bool done)
{
    raw_[DoneOffset] = done ? 1 : 0;
}

void ProgressRecord::setResult(qint32 result)
{
    writeInt32(raw_, ResultOffset, result);
}

bool ProgressRecord::setText(const QString& text)
{
    return FixedField::write(raw_, TextOffset, ShortStringMax, text);
}

QByteArray ProgressTable::toBytes() const
{
    QByteArray bytes = headerRecord();
    bytes.reserve((count() + 1) * ProgressRecord::Size);
    for (const ProgressRecord& record : records_)
        bytes += record.bytes();
    return bytes;
}

std::variant<int, CourseError> catalogueEntryCount(const QString& mode)
{
    auto lines = readCourseLines(QStringLiteral("InitReg%1.txt").arg(mode), CodePage::Cp1251);
    if (auto* error = std::get_if<CourseError>(&lines))
        return *error;
    return int(std::get<QStringList>(lines).size());
}

std::variant<ProgressTable, CourseError> CreateProgress(const QString& mode)
{
    auto count = catalogueEntryCount(mode);
    if (auto* error = std::get_if<CourseError>(&count))
        return *error;
    return ProgressTable(std::get<int>(count));
}

ProgressRead ReadProgress(const QString& path, int count)
{
    ProgressRead read{ProgressTable(count), {}};
    QFile file(path);
    if (!file.exists())
        return {read.table, problemText(path, QStringLiteral("не найден"))};
    // Opening a pipe or a device would wait for a writer or read a stream.
    if (isSpecialFile(path))
        return {read.table, problemText(path, SpecialFileText), false};
    if (!file.open(QIODevice::ReadOnly))
        return {read.table, unreadableText(file, errno), false};
    // One byte more than the table tells a longer file.
    const QByteArray bytes = readFresh(file, qint64(count + 1) * ProgressRecord::Size + 1);
    if (file.error() != QFileDevice::NoError)
        return {read.table, unreadableText(file, errno), false};
    for (int entry = 1; entry <= count; ++entry) {
        const qsizetype at = qsizetype(entry) * ProgressRecord::Size;
        if (at + ProgressRecord::Size > bytes.size())
            return {read.table, problemText(path, QStringLiteral("короче, чем нужно"))};
        read.table.record(entry) = ProgressRecord::fromBytes(bytes.mid(at, ProgressRecord::Size));
    }
    read.asWritten = bytes == read.table.toBytes();
    return read;
}

std::optional<CourseError> WriteProgress(const QString& path, const ProgressTable& table)
{
    return writeFileAtomically(path, table.toBytes());
}

QList<ProgressRecord> readAllProgressRecords(const QString& path)
{
    QFile file(path);
    if (isSpecialFile(path) || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = readFresh(file);
    QList<ProgressRecord> records;
    for (qsizetype at = ProgressRecord::Size; at + ProgressRecord::Size <= bytes.size();
         at += ProgressRecord::Size)
        records << ProgressRecord::fromBytes(bytes.mid(at, ProgressRecord::Size));
    return records;
}

bool hasProgressSignature(const QString& path)
{
    QFile file(path);
    if (isSpecialFile(path) || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = readFresh(file, ProgressRecord::Size);
    // The length byte and every character, nothing after them.
    const int signatureBytes = 1 + int(ProgressSignature.size());
    return header.size() == ProgressRecord::Size &&
           header.mid(TextOffset, signatureBytes) == headerRecord().mid(TextOffset, signatureBytes);
}

bool isForeignFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable() && !hasProgressSignature(path);
}
