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

// Where a pass of the trainer stands. A pass starts running; it may pause,
// or wait (the lesson held back while the recording goes on); it ends by a
// stop request, after which the players' notifications make it idle again.
enum class PassState { Idle, Running, Paused, Waiting, StopRequested };

// What a tick of the pass asks the window to do.
enum class PassTick {
    Hold,     // waiting: nothing moves
    EndWait,  // the wait has run too long: the lesson goes on
    EndPass,  // ten seconds of recording after the lesson's end are over
    Progress, // the last syntagm is current: only the progress moves
    Follow,   // the panes follow the sound
};

// One pass of the trainer without its window: its state, the current text
// line N and when the lesson moves on to the next syntagm, the wait's limit
// and the end of the recording once the lesson is over.
class TrainerPass {
public:
    static constexpr qint64 NotStopping = 2000000000;

    // Starts at the first syntagm after the title, the lesson at the tempo
    // (percent); headings right after the title are passed before the lesson
    // starts.
    void start(const Lesson& lesson, bool records, int tempo);
    void pause() { state_ = PassState::Paused; }
    void resume() { state_ = PassState::Running; }
    void wait(qint64 recorderPosition);
    void endWait() { state_ = PassState::Running; }
    void requestStop() { state_ = PassState::StopRequested; }
    void settle() { state_ = PassState::Idle; }
    // The lesson has ended: the recording goes on for ten seconds more.
    void lessonEnded(qint64 recorderPosition) { recordingStop_ = recorderPosition; }

    // One tick: the lesson and the recorder at these positions. After a
    // Follow, headingsPassed() tells whether the current syntagm moved on.
    PassTick tick(qint64 lessonPosition, qint64 recorderPosition);

    PassState state() const { return state_; }
    // Running, paused or waiting: the pass has not been asked to stop.
    bool active() const;
    bool records() const { return records_; }
    int current() const { return n_; }
    // How many headings the current syntagm passed at the last tick, or
    // nullopt when it stayed.
    std::optional<int> headingsPassed() const { return headingsPassed_; }

private:
    bool isHeading(int line) const;
    // How many heading lines stand in a row from `line` on, the last line left.
    int headingsFrom(int line) const;

    const Lesson* lesson_ = nullptr;
    PassState state_ = PassState::Idle;
    bool records_ = false;
    // The lesson's tempo in percent: a wait is as long as the syntagm heard at it.
    int tempo_ = 100;
    int n_ = 2;
    qint64 recordingStop_ = NotStopping;
    qint64 waitStart_ = 0;
    std::optional<int> headingsPassed_;
};

// Whether the microphone hears a voice in the first seconds of a pass: a
// microphone that is off or muted records (almost) nothing, and a student
// should learn that before interpreting a whole lesson into silence.
class QuietWatch {
public:
    static constexpr qint64 WatchMs = 3000;
    // About -34 dB of full scale: the hiss of an open microphone stays
    // below it, a voice at a speaking distance goes well above.
    static constexpr float VoicePeak = 0.02f;

    void start() { heard_ = told_ = false; }
    // The recording is at `recorded` ms, its loudest sample of the last
    // moment `peak`. True once a pass, when the first WatchMs have passed
    // without a voice.
    bool silenceFound(qint64 recorded, float peak);
    bool heard() const { return heard_; }

private:
    bool heard_ = false;
    bool told_ = false;
};

// The scroll of one pane: the text moves in proportion to the sound, and a
// drift pulls the current line toward a third of the pane's height by a
// quarter pixel a tick.
struct PaneScroll {
    static constexpr int DesignedLineHeight = 20;
    int lineHeight = DesignedLineHeight; // the student may make the text larger
    int offset = 0;
    int drift = 0;
    int currentTop = 0; // the current line's top as last painted

    void step(qint64 position, qint64 lessonLength, int lastLine, int areaHeight);
    // Where a laid-out line is drawn, and the current line's top from there.
    int lineTop(int line) const { return lineHeight * line - offset; }
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
