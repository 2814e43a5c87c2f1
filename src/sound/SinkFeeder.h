#pragma once

#include <QtGlobal>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

class QAudioFormat;
class QAudioSink;
class QIODevice;
class RangeFeed;
class SoundReader;

// The frames of the file to play, [first, end), and at a tempo under 100 % the
// number of frames in the sink's format they are stretched to.
struct FeedRange {
    qint64 firstFrame = 0;
    qint64 endFrame = 0;
    int tempo = 100;
    qint64 stretchedFrames = 0;
};

// Hands a started QAudioSink the frames of one range of a file, and silence
// after it, from a thread of its own: a window thread that is busy for a
// while (a long layout, a slow disk, a busy machine) never leaves the device
// without sound. The window thread asks only how far the device has played
// and how much it has taken, and never waits for the feeding thread: Qt's
// sink takes the server's lock for its room and its writes. Slowing the
// sound down is done on the feeding thread too.
class SinkFeeder {
public:
    // The sink must be started and outlive the feeder; `output` is what its
    // start returned.
    SinkFeeder(QAudioSink& sink, QIODevice& output, SoundReader& reader, const FeedRange& range);
    ~SinkFeeder();
    SinkFeeder(const SinkFeeder&) = delete;
    SinkFeeder& operator=(const SinkFeeder&) = delete;

    // Ends the feeding thread; the sink is not written to after it returns.
    void stop();
    // What the device reports as played.
    qint64 playedUs() const;
    // Bytes handed to the sink so far, the silence after the range included.
    qint64 handedBytes() const;
    // Of those, what the sound server has taken from the sink's buffer.
    qint64 takenBytes() const;

private:
    void run();
    void feed();

    QAudioSink& sink_;
    QIODevice& output_;
    std::unique_ptr<RangeFeed> range_;
    std::atomic<qint64> handed_ = 0;
    std::mutex mutex_; // for stopping_
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
};
