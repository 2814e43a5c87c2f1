#pragma once

#include "common/CourseError.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

// Where one syntagm sounds in a recording, in milliseconds. A heading has no
// sound: begin and end 0.
struct TimingEntry {
    qint32 begin = 0;
    qint32 end = 0;
    bool isHeading() const { return begin == 0 && end == 0; }
};

// Entries 0..n for a lesson of n lines; entry 0 stays 0, 0 so that syntagm k
// is entry k.
using TimingTable = QList<TimingEntry>;

// A lesson picture shown while the recording is between `from` and `to`; an
// entry from a "#" line has no name and is never chosen.
struct PictureEntry {
    qint32 from = 0;
    qint32 to = 0;
    QString name;
};

struct Comment {
    int number = 0; // the syntagm, from 1
    QString text;
};

// The files of a lesson as the launch names them, the data folder already
// before them. The student recording may be empty.
struct LessonFileNames {
    QString text;
    QString trans;
    QString timing;
    QString pictures;
    QString studentRecording;
};

// Everything read from the lesson files. A fault in one file does not keep the
// others from being read; what came before the fault in that file stays.
struct Lesson {
    QStringList text;  // one syntagm a line
    QStringList trans; // line k translates text line k
    TimingTable timing;
    TimingTable studentTiming;
    bool studentTimingFound = false;
    QList<PictureEntry> pictures; // entries 0..m; entry 0 is empty
    QList<Comment> comments;
    QList<CourseError> errors;

    int count() const { return int(text.size()); }
};

Lesson loadLesson(const LessonFileNames& names);

// The timing file of a student recording: the recording's name ending in "txt".
QString studentTimingName(const QString& recording);
// The comment file beside the lesson text: its name ending in "apc".
QString commentFileName(const QString& textFile);

// Timing lines into entries 1.. of `table` (sized n + 1 beforehand). "#" lines
// are headings; a line that is not two numbers, a begin after its end, or
// more lines than the text stops the reading with a fault.
std::optional<CourseError> readTiming(const QStringList& lines, const QString& file,
                                      TimingTable& table);
std::optional<CourseError> readPictures(const QStringList& lines, const QString& file,
                                        QList<PictureEntry>& pictures);
std::optional<CourseError> readComments(const QStringList& lines, const QString& file,
                                        QList<Comment>& comments);

// True when some comment is attached to the syntagm.
bool hasComment(const QList<Comment>& comments, int number);
// The picture for a syntagm that ends at `end`: the first entry k >= 1 with
// from < end <= to; 0 when none.
int pictureAt(const QList<PictureEntry>& pictures, qint32 end);
