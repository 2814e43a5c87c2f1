#pragma once

#include "common/CourseError.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <variant>

// One 264-byte record of a progress file: done flag, a signed result and a
// length-prefixed code page 1251 text. Fields are read and written in place in
// the raw bytes, so the alignment bytes and the bytes after the text are kept.
class ProgressRecord {
public:
    static constexpr int Size = 264;

    ProgressRecord(); // blank: every byte zero
    static ProgressRecord fromBytes(const QByteArray& bytes);
    const QByteArray& bytes() const { return raw_; }

    bool done() const; // any non-zero byte counts as done
    qint32 result() const;
    QString text() const;

    void setDone(bool done);
    void setResult(qint32 result);
    // False (record unchanged) when the text is longer than 255 characters or
    // cannot be stored in code page 1251.
    bool setText(const QString& text);

    bool operator==(const ProgressRecord&) const = default;

private:
    QByteArray raw_;
};

inline const QString ProgressSignature = QStringLiteral("Quillferns Tolvarenique 1.0");

// The progress of one user: records 1 to count() stand for catalogue entries
// 1 to count(); the header is made only when the file is written.
class ProgressTable {
public:
    ProgressTable() = default;
    explicit ProgressTable(int count) : records_(count) {}

    int count() const { return int(records_.size()); }
    // entry is 1-based, as catalogue entries are.
    const ProgressRecord& record(int entry) const { return records_.at(entry - 1); }
    ProgressRecord& record(int entry) { return records_[entry - 1]; }
    bool isEntry(int entry) const { return entry >= 1 && entry <= count(); }

    // Header record with the signature, then every record.
    QByteArray toBytes() const;

    bool operator==(const ProgressTable&) const = default;

private:
    QList<ProgressRecord> records_;
};

// The number of entries of a mode's catalogue "InitReg" + mode + ".txt", counted
// by its lines (a last line without a line end counts).
std::variant<int, CourseError> catalogueEntryCount(const QString& mode);

// Blank progress for the catalogue of the mode.
std::variant<ProgressTable, CourseError> CreateProgress(const QString& mode);

struct ProgressRead {
    ProgressTable table; // always count records; what could not be read is blank
    // A message for the student naming the file, when it was missing, short or
    // unreadable; empty otherwise.
    QString problem;
    // False when the file exists but could not be read whole (no permission, a
    // read error, not a regular file): writing the table would blank the
    // records that are there, so it must not be written over.
    bool writable = true;
    // The file holds exactly what writing the table would write.
    bool asWritten = false;
};

// Reads count records after the header; the signature is not tested here, and
// records after the first 1 + count are ignored.
ProgressRead ReadProgress(const QString& path, int count);

// Writes the whole file through a temporary file, so a failed write leaves the
// previous file as it was.
std::optional<CourseError> WriteProgress(const QString& path, const ProgressTable& table);

// Every record after the header, as many as the file holds whole.
QList<ProgressRecord> readAllProgressRecords(const QString& path);

// True when the file's first record holds the signature in its text field.
// A missing, unreadable or shorter file does not.
bool hasProgressSignature(const QString& path);

// A regular file that can be read and is not a progress file (no signature):
// someone's document, never to be written over as progress.
bool isForeignFile(const QString& path);
