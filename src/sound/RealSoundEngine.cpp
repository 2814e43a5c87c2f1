#include "sound/RealSoundEngine.h"

#include "sound/ServerLink.h"
#include "sound/TimeStretch.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QAudioSource>
#include <QIODevice>
#include <QMediaDevices>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {
// How long a play may make no progress before it counts as ended; a sound
// server that loses a stream must not hang a window.
constexpr qint64 StallMs = 1500;
// Ends are checked at least this often, then exactly when one is due.
constexpr qint64 CheckMs = 250;
// The device hands over what it recorded in pieces this long; what is still
// on its way when a recording ends is waited for at most DrainMs.
constexpr qint64 RecordPieceUs = 10000;
// On a busy machine the server hands over a few pieces late (25 ms seen with
// two processes hogging both cores) while its clock is right.
constexpr qint64 LatePiecesUs = 4 * RecordPieceUs;
constexpr qint64 DrainMs = 100;
// The sink's buffer. It costs nothing in accuracy, as the position is what
// was played and a stop discards what is queued.
constexpr qint64 PlayBufferUs = 500000;
// How much of the silence after a range the server must have taken too.
constexpr qint64 TakenSlackUs = 20000;
// The device's clock may round the time of the last sample down a little.
constexpr qint64 EndSlackUs = 500;
} // namespace

namespace {
QAudioFormat fileFormat(const SoundFileInfo& info)
{
    QAudioFormat format;
    format.setSampleRate(info.sampleRate);
    format.setChannelCount(info.channels);
    format.setSampleFormat(info.wideSamples() ? QAudioFormat::Float : QAudioFormat::Int16);
    return format;
}

// The file's own format where the device takes it, else the device's. Sound
// to be slowed down at a rate the stretcher does not take is first
// converted to the nearest rate it takes: the stretcher's work grows with
// the rate and the channels.
QAudioFormat playFormat(const QAudioDevice& device, const SoundFileInfo& info, int tempo)
{
    QAudioFormat wanted = fileFormat(info);
    if (tempo < 100)
        wanted.setSampleRate(
            std::clamp(info.sampleRate, TimeStretch::MinRate, TimeStretch::MaxRate));
    return device.isFormatSupported(wanted) ? wanted : device.preferredFormat();
}

bool failed(QAudio::Error error)
{
    return error == QAudio::OpenError || error == QAudio::IOError || error == QAudio::FatalError;
}
} // namespace

RealSoundEngine::RealSoundEngine()
{
    ServerLink::watch();
    endTimer_.setSingleShot(true);
    endTimer_.setTimerType(Qt::PreciseTimer);
    connect(&endTimer_, &QTimer::timeout, this, [this] {
        checkPlayEnd();
        checkRecordEnd();
    });
    // A link that fails closes its streams on this thread, while the feeding
    // thread may be writing to one: the play ends first.
    ServerLink::beforeFailure(this, [this] {
        if (feeder_)
            finishPlay(SoundDeviceLost);
    });
}

RealSoundEngine::~RealSoundEngine()
{
    close();
}

int RealSoundEngine::open(const QString& path)
{
    close();
    ServerLink::restore();
    reader_ = SoundReader::open(path);
    if (!reader_)
        return SoundFileError;
    path_ = path;
    info_ = reader_->info();
    return SoundOk;
}

void RealSoundEngine::close()
{
    halt();
    closeRecordingFile();
    reader_.reset();
    path_.clear();
    info_ = {};
    position_ = 0;
}

qint64 RealSoundEngine::length() const
{
    if (recording_)
        return info_.msAt(recordedFrame());
    return info_.lengthMs();
}

qint64 RealSoundEngine::position() const
{
    if (feeder_)
        return std::min(from_ + feeder_->playedUs() * playTempo_ / 100000, to_);
    if (recording_)
        return info_.msAt(recordedFrame());
    return position_;
}

// The device's clock alone runs on from the moment the stream is made, before
// the server has started playing it, and would end a short range unheard: a
// range is played only once the server has also taken all of it, and some of
// the silence after it, as what it has taken is known only roughly.
bool RealSoundEngine::rangeTaken() const
{
    return feeder_->takenBytes() >= feedBytes_ + takenSlackBytes_;
}

int RealSoundEngine::play(qint64 from, qint64 to)
{
    halt();
    if (closeRecordingFile() != SoundOk || !reader_)
        return SoundFileError;
    position_ = from;
    if (from == to)
        return SoundOk;
    if (!ServerLink::reachable())
        return SoundNoDevice;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return SoundNoDevice;
    const QAudioFormat format = playFormat(device, info_, tempo_);
    const FeedRange range = feedRange(from, to, format);
    takenSlackBytes_ = format.bytesForDuration(TakenSlackUs);
    sink_ = std::make_unique<QAudioSink>(device, format);
    // A sink the back end could not make has no state at all to ask for.
    if (sink_->isNull()) {
        sink_.reset();
        return SoundNoDevice;
    }
    sink_->setBufferSize(format.bytesForDuration(PlayBufferUs));
    QIODevice* output = sink_->start();
    if (!output || failed(sink_->error())) {
        releaseSink();
        return SoundNoDevice;
    }
    feeder_ = std::make_unique<SinkFeeder>(*sink_, *output, *reader_, range);
    // Connected only now: start() itself reports its state changes.
    connect(sink_.get(), &QAudioSink::stateChanged, this, [this] { sinkStateChanged(); });
    lastProgress_ = -1;
    checkPlayEnd();
    return SoundOk;
}

// The frames of [from, to] and how long they play at the tempo, in the
// device's time and bytes.
FeedRange RealSoundEngine::feedRange(qint64 from, qint64 to, const QAudioFormat& format)
{
    from_ = from;
    to_ = to;
    playTempo_ = tempo_;
    FeedRange range{info_.frameAt(from), info_.frameAt(to), tempo_, 0};
    // The range in whole frames may fall short of `to` by part of a frame.
    feedUs_ = (range.endFrame - range.firstFrame) * 1000000 / info_.sampleRate * 100 / tempo_;
    range.stretchedFrames = format.framesForDuration(feedUs_);
    feedBytes_ = format.bytesForDuration(feedUs_);
    return range;
}

// Ends the play once the device has played its last sample; also ends it
// when the device, idle, makes no more progress.
void RealSoundEngine::checkPlayEnd()
{
    if (!feeder_)
        return;
    const qint64 played = feeder_->playedUs();
    // A server may hold a new stream back for a second or two; only one that
    // stops moving after it has had the whole range counts as lost.
    const bool lost = stalled(played / 1000) && feeder_->handedBytes() >= feedBytes_;
    if ((played >= feedUs_ - EndSlackUs && rangeTaken()) || lost) {
        finishPlay(SoundOk);
        return;
    }
    endTimer_.start(int(std::clamp<qint64>((feedUs_ - played) / 1000 + 1, 1, CheckMs)));
}

// True once the position has not moved for StallMs.
bool RealSoundEngine::stalled(qint64 progress)
{
    if (progress != lastProgress_) {
        lastProgress_ = progress;
        sinceProgress_.start();
    }
    return sinceProgress_.elapsed() > StallMs;
}

void RealSoundEngine::sinkStateChanged()
{
    if (!sink_)
        return;
    if (failed(sink_->error()))
        finishPlay(SoundDeviceLost);
}

void RealSoundEngine::finishPlay(int error)
{
    position_ = error == SoundOk ? to_ : position();
    releaseSink();
    if (finished)
        finished(error);
}

void RealSoundEngine::releaseSink()
{
    endTimer_.stop();
    if (!sink_)
        return;
    feeder_.reset();
    disconnect(sink_.get(), nullptr, this, nullptr);
    sink_->stop();
    // The sink may be in the middle of emitting the signal that led here.
    sink_.release()->deleteLater();
}

int RealSoundEngine::record(qint64 from, qint64 to)
{
    halt();
    // After a pause the recording goes on in the same file.
    if (!recording_ || from != info_.msAt(recording_->endFrame())) {
        closeRecordingFile();
        reader_.reset(); // the file is about to change under it
        recording_ = RecordingFile::open(path_, info_.frameAt(from));
        if (!recording_) {
            reader_ = SoundReader::open(path_);
            return SoundWriteError;
        }
    }
    limitFrame_ = to == NoEnd ? NoEnd : info_.frameAt(to);
    if (!ServerLink::reachable())
        return SoundNoDevice;
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    recordFormat_ = fileFormat(info_);
    if (device.isNull() || !device.isFormatSupported(recordFormat_))
        return SoundNoDevice;
    source_ = std::make_unique<QAudioSource>(device, recordFormat_);
    if (source_->isNull()) {
        source_.reset();
        return SoundNoDevice;
    }
    // Small pieces reach the file soon after they are spoken.
    source_->setBufferSize(recordFormat_.bytesForDuration(RecordPieceUs));
    input_ = source_->start();
    if (!input_ || failed(source_->error())) {
        releaseSource();
        return SoundNoDevice;
    }
    // Connected only now: start() itself reports its state changes.
    connect(source_.get(), &QAudioSource::stateChanged, this, [this] { sourceStateChanged(); });
    connect(input_, &QIODevice::readyRead, this, [this] { checkRecordEnd(); });
    startFrame_ = recording_->endFrame();
    // The first check comes after the command has returned, even when there
    // is nothing to record.
    endTimer_.start(0);
    return SoundOk;
}

// The frame of the recording being captured now: where this stretch began in
// the file, plus the device's clock of what it has captured, of which the
// last piece is still on its way to the file.
qint64 RealSoundEngine::recordedFrame() const
{
    const qint64 written = recording_->endFrame();
    if (!source_)
        return written;
    const qint64 captured =
        startFrame_ + recordFormat_.framesForDuration(source_->processedUSecs());
    // The clock runs on while the server hands over nothing (a server waking
    // up stalls a new stream for a second or more) and, never going back,
    // stays ahead of the sound afterwards: a student timing entry taken from
    // it would point past its syntagm. Nothing is captured further than a
    // few pieces beyond what the device has handed over.
    const qint64 handedOver = written + (partialFrame_.size() + source_->bytesAvailable()) /
                                            recordFormat_.bytesPerFrame();
    const qint64 inFlight = recordFormat_.framesForDuration(LatePiecesUs);
    return std::min({std::max(captured, written), handedOver + inFlight, limitFrame_});
}

// Writes what has come and ends the recording once its limit is being
// captured, not only once it has reached the file.
void RealSoundEngine::checkRecordEnd()
{
    if (!source_)
        return;
    if (!writeInput(limitFrame_)) {
        finishRecording(SoundWriteError, recording_->endFrame());
        return;
    }
    const qint64 frame = recordedFrame();
    if (frame >= limitFrame_) {
        finishRecording(SoundOk, limitFrame_);
        return;
    }
    const qint64 leftUs = recordFormat_.durationForFrames(int(
        std::min<qint64>(limitFrame_ - frame, recordFormat_.framesForDuration(CheckMs * 1000))));
    endTimer_.start(int(leftUs / 1000 + 1));
}

// Writes what the device has recorded to the file, up to `lastFrame`.
bool RealSoundEngine::writeInput(qint64 lastFrame)
{
    if (!input_ || !recording_)
        return true;
    partialFrame_.append(input_->readAll());
    const int frameBytes = recordFormat_.bytesPerFrame();
    const qint64 room = std::max<qint64>(lastFrame - recording_->endFrame(), 0);
    const qint64 frames = std::min<qint64>(partialFrame_.size() / frameBytes, room);
    const bool written =
        recordFormat_.sampleFormat() == QAudioFormat::Int16
            ? recording_->writeShorts(reinterpret_cast<const qint16*>(partialFrame_.constData()),
                                      frames)
            : recording_->writeFloats(reinterpret_cast<const float*>(partialFrame_.constData()),
                                      frames);
    notePeak(frames);
    partialFrame_.remove(0, frames * frameBytes);
    return written;
}

// The loudest of the first `frames` frames waiting to be written.
void RealSoundEngine::notePeak(qint64 frames)
{
    const qint64 samples = frames * recordFormat_.channelCount();
    if (recordFormat_.sampleFormat() == QAudioFormat::Int16) {
        const auto* data = reinterpret_cast<const qint16*>(partialFrame_.constData());
        for (qint64 i = 0; i < samples; ++i)
            inputPeak_ = std::max(inputPeak_, std::abs(data[i] / 32768.0f));
        return;
    }
    const auto* data = reinterpret_cast<const float*>(partialFrame_.constData());
    for (qint64 i = 0; i < samples; ++i)
        inputPeak_ = std::max(inputPeak_, std::abs(data[i]));
}

// What the device has captured so far is written first, so the level is that
// of the samples up to now.
float RealSoundEngine::takeInputPeak()
{
    if (!writeInput(limitFrame_) && finished) {
        finishRecording(SoundWriteError, recording_->endFrame());
        return 0;
    }
    return std::exchange(inputPeak_, 0.0f);
}

void RealSoundEngine::sourceStateChanged()
{
    if (source_ && (failed(source_->error()) || !input_))
        finishRecording(SoundDeviceLost, recording_->endFrame());
}

void RealSoundEngine::finishRecording(int error, qint64 frame)
{
    stopRecording(frame);
    if (finished)
        finished(error);
}

// Ends the device's recording with the file holding exactly up to `frame`:
// the last piece the device captured but has not handed over yet is waited
// for a moment, and what does not come in time is written as silence, so
// that the file ends where the position said and a resumed recording goes on
// in step with what is played.
void RealSoundEngine::stopRecording(qint64 frame)
{
    QElapsedTimer waited;
    waited.start();
    while (input_ && recording_->endFrame() < frame && waited.elapsed() < DrainMs &&
           writeInput(frame)) {
        if (recording_->endFrame() < frame)
            QThread::msleep(2);
    }
    recording_->writeSilence(std::max<qint64>(frame - recording_->endFrame(), 0));
    releaseSource();
}

void RealSoundEngine::releaseSource()
{
    endTimer_.stop();
    if (!source_)
        return;
    if (input_)
        disconnect(input_, nullptr, this, nullptr);
    disconnect(source_.get(), nullptr, this, nullptr);
    source_->stop();
    source_.release()->deleteLater();
    input_.clear();
    partialFrame_.clear();
}

void RealSoundEngine::halt()
{
    if (sink_) {
        position_ = position();
        releaseSink();
    }
    if (source_)
        stopRecording(recordedFrame());
}

int RealSoundEngine::save()
{
    halt();
    return closeRecordingFile();
}

// Completes the recording file and reads its new length back.
int RealSoundEngine::closeRecordingFile()
{
    if (!recording_)
        return SoundOk;
    position_ = info_.msAt(recording_->endFrame());
    recording_.reset();
    reader_ = SoundReader::open(path_);
    if (!reader_)
        return SoundWriteError;
    info_ = reader_->info();
    return SoundOk;
}
