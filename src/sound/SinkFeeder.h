#pragma once

#include <QtGlobal>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

class QAudioFormat;
class QAudioSink;
class QIODevice;
class RangeFeed;
class SoundReader;

// Hands a started QAudioSink the frames of one range of a file, and silence
// after it, from a thread of its own: a window thread that is busy for a
// while (a long layout, a slow disk, a busy machine) never leaves the device
// without sound. The window thread asks only how far the device has played
// and how much it has taken; each call to the sink, from either thread, is
// made under one lock.
class SinkFeeder {
public:
    // The sink must be started and outlive the feeder; `output` is what its
    // start returned.
    SinkFeeder(QAudioSink& sink, QIODevice& output, SoundReader& reader, qint64 firstFrame,
               qint64 endFrame);
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
    void feed(std::unique_lock<std::mutex>& lock);

    QAudioSink& sink_;
    QIODevice& output_;
    std::unique_ptr<RangeFeed> range_;
    qint64 handed_ = 0;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
};
