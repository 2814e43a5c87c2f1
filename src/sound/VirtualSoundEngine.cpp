#include "sound/VirtualSoundEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QHash>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace {
struct VirtualWorld {
    bool chosen = false;
    qint64 now = 0;
    bool deviceWorking = true;
    float inputPeak = 0;
    QHash<QString, qint64> lengths;
    std::vector<VirtualSoundEngine*> engines;
    QTimer* realTime = nullptr;
};

VirtualWorld& world()
{
    static VirtualWorld w;
    return w;
}

bool chosenByEnvironment()
{
    const QByteArray mode = qgetenv("TOLVAREN_SOUND");
    return mode == "virtual" || mode == "virtual-realtime";
}

// For runs by hand the clock follows the wall clock, checked every 10 ms.
void startRealTime()
{
    VirtualWorld& w = world();
    if (w.realTime || qgetenv("TOLVAREN_SOUND") != "virtual-realtime" ||
        !QCoreApplication::instance())
        return;
    w.realTime = new QTimer(QCoreApplication::instance());
    w.realTime->setTimerType(Qt::PreciseTimer);
    static QElapsedTimer wall;
    static qint64 followed = 0;
    wall.start();
    QObject::connect(w.realTime, &QTimer::timeout, [] {
        const qint64 now = wall.elapsed();
        VirtualSound::advance(now - followed);
        followed = now;
    });
    w.realTime->start(10);
}

void deliverNotifications()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
}

VirtualSoundEngine* nextToEnd(qint64 until)
{
    VirtualSoundEngine* next = nullptr;
    for (VirtualSoundEngine* engine : world().engines)
        if (engine->endsAt() <= until && (!next || engine->endsAt() < next->endsAt()))
            next = engine;
    return next;
}
} // namespace

namespace VirtualSound {
void use(bool on)
{
    world().chosen = on;
}

bool inUse()
{
    return world().chosen || chosenByEnvironment();
}

qint64 now()
{
    return world().now;
}

void advance(qint64 ms)
{
    VirtualWorld& w = world();
    const qint64 until = w.now + std::max<qint64>(ms, 0);
    deliverNotifications();
    while (VirtualSoundEngine* engine = nextToEnd(until)) {
        w.now = std::max(w.now, engine->endsAt());
        engine->reachEnd();
        deliverNotifications();
    }
    w.now = until;
}

void setLength(const QString& path, qint64 ms)
{
    world().lengths[path] = ms;
}

void setDeviceWorking(bool working)
{
    world().deviceWorking = working;
}

void setInputPeak(float peak)
{
    world().inputPeak = peak;
}

void reset()
{
    VirtualWorld& w = world();
    w.now = 0;
    w.deviceWorking = true;
    w.inputPeak = 0;
    w.lengths.clear();
}
} // namespace VirtualSound

VirtualSoundEngine::VirtualSoundEngine()
{
    world().engines.push_back(this);
    startRealTime();
}

VirtualSoundEngine::~VirtualSoundEngine()
{
    close();
    std::erase(world().engines, this);
}

int VirtualSoundEngine::open(const QString& path)
{
    close();
    const auto known = world().lengths.constFind(path);
    if (known != world().lengths.constEnd()) {
        length_ = *known;
    } else if (const auto info = probeSoundFile(path)) {
        length_ = info->lengthMs();
    } else {
        return SoundFileError;
    }
    path_ = path;
    open_ = true;
    return SoundOk;
}

void VirtualSoundEngine::close()
{
    halt();
    recording_.reset();
    open_ = false;
    length_ = 0;
    position_ = 0;
}

qint64 VirtualSoundEngine::length() const
{
    if (run_ == Run::Recording)
        return std::max(length_, position());
    return length_;
}

qint64 VirtualSoundEngine::position() const
{
    if (run_ == Run::None)
        return position_;
    return std::min(to_, from_ + fileMs(VirtualSound::now() - startedAt_));
}

qint64 VirtualSoundEngine::fileMs(qint64 clockMs) const
{
    return clockMs * runTempo_ / 100;
}

int VirtualSoundEngine::play(qint64 from, qint64 to)
{
    halt();
    position_ = from;
    if (!world().deviceWorking)
        return SoundNoDevice;
    if (from == to)
        return SoundOk;
    run_ = Run::Playing;
    runTempo_ = tempo_;
    startedAt_ = VirtualSound::now();
    from_ = from;
    to_ = to;
    return SoundOk;
}

int VirtualSoundEngine::record(qint64 from, qint64 to)
{
    halt();
    position_ = from;
    if (!world().deviceWorking)
        return SoundNoDevice;
    // A file given only a length by the test has nothing to write into.
    if (!world().lengths.contains(path_)) {
        const auto info = probeSoundFile(path_);
        recording_.reset();
        recording_ = RecordingFile::open(path_, info ? info->frameAt(from) : 0);
        if (!recording_)
            return SoundWriteError;
    }
    length_ = from;
    run_ = Run::Recording;
    runTempo_ = 100;
    startedAt_ = VirtualSound::now();
    from_ = from;
    to_ = to;
    return SoundOk;
}

void VirtualSoundEngine::halt()
{
    if (run_ == Run::None)
        return;
    position_ = position();
    if (run_ == Run::Recording) {
        length_ = std::max(length_, position_);
        writeRecorded();
    }
    run_ = Run::None;
}

int VirtualSoundEngine::save()
{
    halt();
    recording_.reset();
    return SoundOk;
}

qint64 VirtualSoundEngine::endsAt() const
{
    if (run_ == Run::None || to_ == NoEnd)
        return NoEnd;
    // The first clock time at which the position reaches `to`.
    return startedAt_ + ((to_ - from_) * 100 + runTempo_ - 1) / runTempo_;
}

void VirtualSoundEngine::reachEnd()
{
    halt();
    if (finished)
        finished(SoundOk);
}

// Brings the file up to the recorded length with silence.
void VirtualSoundEngine::writeRecorded()
{
    if (!recording_)
        return;
    const SoundFileInfo& info = recording_->info();
    recording_->writeSilence(std::max<qint64>(info.frameAt(position_) - recording_->endFrame(), 0));
}

float VirtualSoundEngine::takeInputPeak()
{
    return run_ == Run::Recording ? world().inputPeak : 0;
}
