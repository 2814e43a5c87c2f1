#pragma once

#include "common/CourseError.h"
#include "review/PassFigures.h"

#include <QDateTime>
#include <QList>
#include <optional>

// The figures of a student's passes, one line a pass, in a small text file of
// its own beside the progress file (common/PassHistoryName.h). A line stays
// when its recording is deleted or made anew, so that the chart of an
// exercise goes back to its first pass.

// Which exercise a pass belongs to, whatever the work mode's numbering: its
// kind and its lesson text as the catalogue names it.
struct PassExercise {
    int kind = 0;
    QString text;
    bool operator==(const PassExercise&) const = default;
};

struct PassRecord {
    QDateTime when;
    PassExercise exercise;
    QString recording;
    // The recording file's last change, in ms since 1970: tells whether this
    // very recording is in the history already.
    qint64 recordingStamp = 0;
    qint32 lessonMs = 0;
    qint32 speakingMs = 0;
    int pauseCount = 0;
    qint32 pauseMs = 0;
    std::optional<qint32> medianLag;
    std::optional<qint32> largestLag;

    double speakingShare() const { return lessonMs > 0 ? double(speakingMs) / lessonMs : 0; }
};

PassRecord passRecord(const PassFigures& figures);

// The figures in a few Russian lines, for a tooltip, the review window and
// the print; the turns without speech are told when known.
QString figuresText(const PassRecord& record, qsizetype silentTurns = 0);
QString figuresText(const PassFigures& figures);

struct PassHistory {
    QList<PassRecord> records;
    // Lines or a whole file that could not be read; such a file is never
    // written over.
    QList<CourseError> problems;
    bool exists = false;
};

// A missing file is an empty history without problems.
PassHistory readPassHistory(const QString& path);

// Adds the pass to the file, written anew through a temporary file. Refuses,
// with the reason, a file that exists but could not be read whole.
std::optional<CourseError> appendPass(const QString& path, const PassRecord& record);

// The passes of one exercise, oldest first.
QList<PassRecord> passesOf(const QList<PassRecord>& records, const PassExercise& exercise);
