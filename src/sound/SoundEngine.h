#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>
#include <limits>
#include <memory>

// Result codes of the media player's commands (MediaPlayer::Error).
enum SoundError : int {
    SoundOk = 0,
    SoundNotOpen = 1,    // the command needs an open file: Open first
    SoundFileError = 2,  // the file is missing, unreadable or holds no sound
    SoundNoDevice = 3,   // no sound device, or it refused the stream
    SoundDeviceLost = 4, // the device failed while playing or recording
    SoundWriteError = 5, // the recording cannot be written to the file
    SoundNoModule = 6,   // the program's sound module cannot be loaded
};

// A recording without an end position runs until it is stopped.
inline constexpr qint64 NoEnd = std::numeric_limits<qint64>::max();

// What MediaPlayer asks of the sound underneath: one file, one play or one
// recording at a time. MediaPlayer keeps the mode, the error and the
// notification rule; an engine only moves sound and keeps the position.
// Everything, the `finished` callback included, happens on the UI thread.
class SoundEngine {
public:
    virtual ~SoundEngine() = default;

    // Reads the file's format and length.
    virtual int open(const QString& path) = 0;
    // Ends any play or recording (the recorded sound stays in the file) and
    // lets the file go.
    virtual void close() = 0;
    virtual qint64 length() const = 0;
    virtual qint64 position() const = 0;
    // Plays from `from` up to `to` (ms, 0 <= from <= to <= length), returns at
    // once; `finished` follows when the device has played up to `to`. An
    // empty range only moves the position: nothing runs, nothing follows.
    virtual int play(qint64 from, qint64 to) = 0;
    // Records into the file from `from` on, replacing what came after it,
    // until `to` (or NoEnd); the samples reach the file as they arrive.
    virtual int record(qint64 from, qint64 to) = 0;
    // The speed of the plays that follow, in percent of the normal one (50 to
    // 100), the pitch unchanged. Positions, ranges and `finished` stay in the
    // file's milliseconds: a range at 50 % takes twice as long to play.
    // Recordings are never stretched.
    virtual void setTempo(int percent) = 0;
    // Stops playing or recording where it is; the position stays there and
    // `finished` is not called.
    virtual void halt() = 0;
    // Ends a recording in progress and completes the file on disk.
    virtual int save() = 0;
    // The open file now goes by this name (renamed while open): what opens it
    // again (a recording resumed, the length read back on saving) uses it.
    virtual void moved(const QString& path) = 0;

    // The loudest sample captured since the last call, 0 to 1 of full scale;
    // 0 while nothing records.
    virtual float takeInputPeak() { return 0; }

    // Called when a play or a recording ends by itself: at its end position
    // (SoundOk) or by a device fault (its code). Never called by halt, close,
    // save or the destructor.
    std::function<void(int error)> finished;
};

// The engine a MediaPlayer gets at its first Open: the virtual one when the
// environment variable TOLVAREN_SOUND is "virtual" or "virtual-realtime", or
// when a test chose it (VirtualSound::use), otherwise the real one.
//
// The engines live in the back end (sound_backend). Tests link it in; the
// program opens it as its sound module on the first call (SoundModule.h),
// and when the module cannot be opened gets an engine that answers every
// command with SoundNoModule.
std::unique_ptr<SoundEngine> makeSoundEngine();
// Why the sound module cannot be opened, for the user; empty when it opens
// (asking opens it).
QString soundModuleProblem();
