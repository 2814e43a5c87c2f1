#pragma once

#include "common/CourseCodes.h"
#include "users/ProgressFile.h"
#include "users/UserList.h"

#include <QList>
#include <QString>
#include <optional>

// The lines of a user's report, shared by the student's report window and the
// teacher console: one line per section heading and per exercise the student
// can run, each line remembering the catalogue entry it stands for.

// What the report needs of a catalogue entry.
struct ReportEntry {
    QString title;
    ExerciseKind kind = ExerciseKind::Heading;
};

// The line of an entry with its progress record; nothing for the kinds that
// launch nothing.
std::optional<QString> reportLine(const ReportEntry& entry, const ProgressRecord& record);

struct ReportRow {
    int entry = 0; // 1-based catalogue entry, also the progress record's index
    QString text;
};

// The rows of the entries 1 to n (entries[0] is entry 1) with the progress
// records of the same index; entries without a record give no row.
QList<ReportRow> reportRows(const QList<ReportEntry>& entries, const ProgressTable& progress);

// What taking back a recording from the report did.
struct TakeBack {
    bool changed = false; // the record is no longer done
    QString problem;      // why the recording is still there, for the student
};

// Takes back the recording of a done exercise: the file is deleted (one that
// is already gone counts as deleted), then the record is made not done with no
// recording. Nothing happens for a record that is not done, a kind whose window
// records no voice or an empty path. A file that is not surely the user's
// recording, or that could not be deleted, stays, and so does the record.
TakeBack takeBackRecording(ProgressRecord& record, ExerciseKind kind, const UserRecord& user,
                           const UserTable& table);
