#include "listening/TrainerRules.h"

#include "common/AtomicFile.h"

#include <QFile>
#include <algorithm>
#include <cmath>

namespace {
// How long `lessonMs` of the lesson takes to hear at the tempo.
qint64 heardMs(qint64 lessonMs, int tempo)
{
    return lessonMs * 100 / tempo;
}
} // namespace

qint64 recorderRangeEnd(qint64 lessonLength, int lastLine, int tempo)
{
    return 2 * heardMs(lessonLength, tempo) + 10000 * qint64(lastLine);
}

bool waitExpired(qint64 recorderPosition, qint64 waitStart, const TimingEntry& entry, int tempo)
{
    return recorderPosition - waitStart > heardMs(qint64(entry.end) - entry.begin, tempo) + 20000;
}

void TrainerPass::start(const Lesson& lesson, bool records, int tempo)
{
    lesson_ = &lesson;
    records_ = records;
    tempo_ = tempo;
    state_ = PassState::Running;
    recordingStop_ = NotStopping;
    headingsPassed_.reset();
    n_ = 2 + headingsFrom(2);
}

void TrainerPass::wait(qint64 recorderPosition)
{
    state_ = PassState::Waiting;
    waitStart_ = recorderPosition;
}

bool TrainerPass::active() const
{
    return state_ == PassState::Running || state_ == PassState::Paused ||
           state_ == PassState::Waiting;
}

PassTick TrainerPass::tick(qint64 lessonPosition, qint64 recorderPosition)
{
    headingsPassed_.reset();
    if (state_ == PassState::Waiting)
        return waitExpired(recorderPosition, waitStart_, lesson_->timing.value(n_), tempo_)
                   ? PassTick::EndWait
                   : PassTick::Hold;
    if (records_ && recorderPosition > recordingStop_ + 10000)
        return PassTick::EndPass;
    if (n_ >= lesson_->count())
        return PassTick::Progress;
    if (lessonPosition > lesson_->timing.value(n_).end) {
        // Every heading in a row is passed at once: each keeps its line in
        // the timing, and the next syntagm is lit from this tick on.
        headingsPassed_ = headingsFrom(++n_);
        n_ += *headingsPassed_;
    }
    return PassTick::Follow;
}

bool TrainerPass::isHeading(int line) const
{
    return line >= 1 && line <= lesson_->count() && lesson_->text[line - 1].startsWith(u'#');
}

int TrainerPass::headingsFrom(int line) const
{
    int headings = 0;
    while (isHeading(line + headings) && line + headings < lesson_->count())
        ++headings;
    return headings;
}

bool QuietWatch::silenceFound(qint64 recorded, float peak)
{
    heard_ = heard_ || peak >= VoicePeak;
    if (heard_ || told_ || recorded < WatchMs)
        return false;
    told_ = true;
    return true;
}

void PaneScroll::step(qint64 position, qint64 lessonLength, int lastLine, int areaHeight)
{
    drift += currentTop > areaHeight / 3 ? 1 : -1;
    // A lesson that could not be opened has no length to move along.
    const double along =
        lessonLength > 0 ? double(position) / lessonLength * lastLine * lineHeight : 0;
    offset = int(std::trunc(along + drift / 4.0));
}

bool StudentTimingFile::start(const QString& path, int firstSyntagm)
{
    path_ = path;
    lines_ = QStringList(std::max(firstSyntagm - 1, 1), QStringLiteral("#\t#"));
    begin_ = 0;
    open_ = true;
    return write();
}

bool StudentTimingFile::next(qint64 position, int headings)
{
    if (!open_)
        return true;
    lines_.append(QStringLiteral("%1\t%2").arg(begin_).arg(position));
    for (int k = 0; k < headings; ++k)
        lines_.append(QStringLiteral("#\t#"));
    begin_ = position;
    return write();
}

bool StudentTimingFile::finish(qint64 position)
{
    if (!open_)
        return true;
    lines_.append(QStringLiteral("%1\t%2").arg(begin_).arg(position));
    open_ = false;
    return write();
}

bool StudentTimingFile::moveTo(const QString& path)
{
    const QString previous = path_;
    path_ = path;
    if (!write())
        return false;
    QFile::remove(previous);
    return true;
}

bool StudentTimingFile::write()
{
    fault_ = writeFileAtomically(path_, lines_.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
    return !fault_;
}
