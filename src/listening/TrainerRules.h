#pragma once

#include "common/CourseError.h"
#include "listening/Lesson.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

// The rules of the interpretation trainer that do not need it on screen.

// How far the recorder may record in a pass: twice the lesson and ten seconds
// a laid-out line, room enough for a student who waits at every syntagm.
// The recorder runs in real time, the lesson at its tempo (percent): at 50 %
// the lesson takes twice as long to hear.
qint64 recorderRangeEnd(qint64 lessonLength, int lastLine, int tempo);

// A wait longer than the syntagm it holds back, as heard at the tempo, plus
// 20 seconds ends by itself.
bool waitExpired(qint64 recorderPosition, qint64 waitStart, const TimingEntry& entry, int tempo);

// The scroll of one pane: the text moves in proportion to the sound, and a
// drift pulls the current line toward a third of the pane's height by a
// quarter pixel a tick.
struct PaneScroll {
    static constexpr int LineHeight = 20;
    int offset = 0;
    int drift = 0;
    int currentTop = 0; // the current line's top as last painted

    void step(qint64 position, qint64 lessonLength, int lastLine, int areaHeight);
    // Where a laid-out line is drawn, and the current line's top from there.
    int lineTop(int line) const { return LineHeight * line - offset; }
};

// The student timing file of a pass: the recording's positions where the
// lesson reached and passed each syntagm, in step with the text's lines. Only
// complete lines are on disk, and each is there as soon as it is complete: the
// whole file is replaced at once, so a crash never leaves half a line.
class StudentTimingFile {
public:
    // Starts the file with a "#\t#" line for each text line before the first
    // syntagm (the title, and headings right after it) and opens that syntagm at 0.
    bool start(const QString& path, int firstSyntagm = 2);
    // The lesson passed the open syntagm at `position`; `headings` heading
    // lines follow it in the text. The next syntagm opens at `position`.
    bool next(qint64 position, int headings);
    // Ends the open syntagm at `position` and stops writing.
    bool finish(qint64 position);
    // Goes on in the file at `path`: the lines so far are written there whole,
    // and the file written until now is removed.
    bool moveTo(const QString& path);
    bool open() const { return open_; }
    const QString& path() const { return path_; }
    // Why the last write failed: the file and the system's reason.
    const std::optional<CourseError>& fault() const { return fault_; }
    const QStringList& lines() const { return lines_; }

private:
    bool write();

    QString path_;
    QStringList lines_;
    qint64 begin_ = 0;
    bool open_ = false;
    std::optional<CourseError> fault_;
};
