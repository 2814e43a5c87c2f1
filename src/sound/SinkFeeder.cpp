#include "sound/SinkFeeder.h"

#include "sound/FrameConverter.h"
#include "sound/SoundFile.h"
#include "sound/TimeStretch.h"

#include <QAudioSink>
#include <QIODevice>
#include <algorithm>
#include <chrono>
#include <vector>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {
// The first write waits a little: one made as soon as the stream exists
// loses the first 1.5-2.5 ms of the range on the server; 20 ms later, as
// Qt's own feeding comes, none.
constexpr std::chrono::milliseconds FirstFeed{20};
// Each write fills the sink's buffer: Qt's own feeding would hand over 20 ms
// at a time, and every write wakes the server. Of the buffer the server
// keeps about half in the device and plays the rest from the stream, so a
// write this often leaves well over 200 ms in hand when the next is due.
constexpr std::chrono::milliseconds FeedPeriod{40};
#ifdef Q_OS_LINUX
// The sound server's own nice level.
constexpr int FeedNice = -11;
#endif
} // namespace

// The converted frames of one range and then silence, so the sound stops at
// the range's end to the sample, not at a buffer's end. Below 100 % the
// frames are stretched in the sink's rate and channels, and cut to exactly
// the stretched length the engine counts on.
class RangeFeed {
public:
    RangeFeed(SoundReader& reader, const FeedRange& range, const QAudioFormat& out)
        : reader_(reader), next_(range.firstFrame), end_(range.endFrame),
          converter_(reader.info().sampleRate, reader.info().channels, out),
          sampleRate_(out.sampleRate()), channels_(out.channelCount()),
          silenceByte_(out.sampleFormat() == QAudioFormat::UInt8 ? char(0x80) : char(0)),
          direct_(out.sampleFormat() == QAudioFormat::Int16 &&
                  out.sampleRate() == reader.info().sampleRate &&
                  out.channelCount() == reader.info().channels),
          tempo_(range.tempo), stretchLeft_(range.stretchedFrames)
    {
    }

    // After the range comes silence, for as long as the sink asks: a short
    // range alone would not fill the server's start-up buffer, and the
    // server would hold it back unplayed. The engine stops the sink once the
    // range has been played.
    void read(char* data, qint64 max)
    {
        while (pending_.size() < max && (tempo_ < 100 ? readStretched() : readPlain()))
            ;
        const qint64 n = std::min<qint64>(max, pending_.size());
        std::copy_n(pending_.constData(), n, data);
        pending_.remove(0, n);
        std::fill_n(data + n, max - n, silenceByte_);
    }

private:
    // One block of the range into pending_; false once the range is all read.
    bool readPlain()
    {
        if (next_ >= end_)
            return false;
        const qint64 frames = std::min<qint64>(end_ - next_, BlockFrames);
        const qint64 got = direct_ ? readDirect(frames) : readConverted(frames);
        // A short file: what could be read is all there is.
        next_ = got > 0 ? next_ + got : end_;
        return true;
    }
    // 16-bit sound that the device takes as it is, the usual case, skips the
    // conversion: this runs for every sample played.
    qint64 readDirect(qint64 frames)
    {
        const qsizetype frameBytes = reader_.info().channels * 2;
        const qsizetype had = pending_.size();
        pending_.resize(had + qsizetype(frames) * frameBytes);
        const qint64 got =
            reader_.read(next_, frames, reinterpret_cast<qint16*>(pending_.data() + had));
        pending_.resize(had + qsizetype(std::max<qint64>(got, 0)) * frameBytes);
        return got;
    }
    qint64 readConverted(qint64 frames)
    {
        const qint64 got = readBlock(frames);
        if (got > 0)
            pending_.append(converter_.convert(block_.data(), got));
        return got;
    }
    qint64 readBlock(qint64 frames)
    {
        block_.resize(size_t(frames * reader_.info().channels));
        return reader_.read(next_, frames, block_.data());
    }

    // One block of the range through the stretcher into pending_; after the
    // range silence, which brings out what the stretcher still holds, up to
    // the stretched length.
    bool readStretched()
    {
        if (stretchLeft_ <= 0)
            return false;
        // Made here, on the feeding thread: making one takes a while.
        if (!stretch_)
            stretch_ = std::make_unique<TimeStretch>(sampleRate_, channels_, tempo_);
        std::vector<float> out;
        const qint64 got =
            next_ < end_ ? readBlock(std::min<qint64>(end_ - next_, BlockFrames)) : 0;
        if (got > 0) {
            next_ += got;
            const std::vector<float> frames = converter_.toDeviceFrames(block_.data(), got);
            stretch_->push(frames.data(), qint64(frames.size()) / channels_, out);
        } else {
            next_ = end_; // a short file: what could be read is all there is
            stretch_->pushSilence(BlockFrames, out);
        }
        const qint64 frames = std::min(qint64(out.size()) / channels_, stretchLeft_);
        out.resize(size_t(frames * channels_));
        stretchLeft_ -= frames;
        pending_.append(converter_.encode(out));
        return true;
    }

    static constexpr qint64 BlockFrames = 2048;
    SoundReader& reader_;
    qint64 next_;
    qint64 end_;
    FrameConverter converter_;
    int sampleRate_;
    int channels_;
    char silenceByte_;
    bool direct_;
    QByteArray pending_;
    std::vector<float> block_;
    int tempo_;
    std::unique_ptr<TimeStretch> stretch_;
    qint64 stretchLeft_; // frames of the stretched range still to come
};

SinkFeeder::SinkFeeder(QAudioSink& sink, QIODevice& output, SoundReader& reader,
                       const FeedRange& range)
    : sink_(sink), output_(output),
      range_(std::make_unique<RangeFeed>(reader, range, sink.format())), thread_([this] { run(); })
{
}

SinkFeeder::~SinkFeeder()
{
    stop();
}

void SinkFeeder::stop()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable())
        thread_.join();
}

qint64 SinkFeeder::playedUs() const
{
    return sink_.processedUSecs();
}

qint64 SinkFeeder::handedBytes() const
{
    return handed_;
}

qint64 SinkFeeder::takenBytes() const
{
    // Read before what is queued, so that a write in between counts as not
    // taken yet.
    const qint64 handed = handed_;
    const qint64 queued = std::max<qint64>(sink_.bufferSize() - sink_.bytesFree(), 0);
    return handed - queued;
}

void SinkFeeder::run()
{
#ifdef Q_OS_LINUX
    // Ahead of the busy work of the machine where the system allows it, as
    // the sound server itself is.
    setpriority(PRIO_PROCESS, id_t(gettid()), FeedNice);
#endif
    std::unique_lock lock(mutex_);
    auto next = std::chrono::steady_clock::now() + FirstFeed;
    while (!wake_.wait_until(lock, next, [this] { return stopping_; })) {
        feed();
        next = std::chrono::steady_clock::now() + FeedPeriod;
    }
}

// Fills the room in the sink's buffer in one write, whole frames only.
void SinkFeeder::feed()
{
    const qint64 frameBytes = sink_.format().bytesPerFrame();
    const qint64 room = sink_.bytesFree() / frameBytes * frameBytes;
    if (room <= 0)
        return;
    QByteArray bytes(qsizetype(room), Qt::Uninitialized);
    range_->read(bytes.data(), room);
    handed_ += std::max<qint64>(output_.write(bytes.constData(), room), 0);
}
