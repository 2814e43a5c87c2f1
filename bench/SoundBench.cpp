// How closely the media player's position follows what is heard, and what a
// second of playback costs in CPU next to paplay, with how often the process
// wakes up meanwhile. Needs a sound server with a
// null sink whose monitor is the default input, as scripts/sound-server
// starts:  eval "$(scripts/sound-server start DIR)"; export PULSE_SERVER
#include "sound/MediaPlayer.h"

#include <QAudioSource>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <numeric>
#include <sndfile.h>
#include <sys/resource.h>
#include <vector>

namespace {
constexpr int Rate = 44100;

bool writeSamples(const QString& path, int rate, int channels, const std::vector<float>& samples)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    sf_writef_float(file, samples.data(), sf_count_t(samples.size()) / channels);
    sf_close(file);
    return true;
}

std::vector<qint64> clickTimes()
{
    std::vector<qint64> times;
    for (qint64 t = 300; t < 4300; t += 237)
        times.push_back(t);
    return times;
}

bool writeClicks(const QString& path)
{
    std::vector<float> samples(size_t(Rate) * 9 / 2, 0.0f);
    for (qint64 t : clickTimes())
        for (qint64 i = 0; i < Rate / 1000; ++i)
            samples[size_t(t * Rate / 1000 + i)] = (i % 2) ? -0.8f : 0.8f;
    return writeSamples(path, Rate, 1, samples);
}

// Records the default input and remembers when each piece arrived, so that
// the wall time at which a recorded frame was heard can be bounded: no frame
// arrives before it was captured.
class MonitorRecorder {
public:
    MonitorRecorder()
    {
        QAudioFormat format;
        format.setSampleRate(Rate);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        source_ = std::make_unique<QAudioSource>(QMediaDevices::defaultAudioInput(), format);
        source_->setBufferSize(format.bytesForDuration(10000));
        wall_.start();
        input_ = source_->start();
        QObject::connect(input_, &QIODevice::readyRead, [this] { take(); });
    }
    ~MonitorRecorder() { source_->stop(); }

    qint64 nowNs() const { return wall_.nsecsElapsed(); }
    void take()
    {
        const QByteArray bytes = input_->readAll();
        const auto* s = reinterpret_cast<const qint16*>(bytes.constData());
        for (qsizetype i = 0; i < bytes.size() / 2; ++i)
            samples_.push_back(s[i]);
        arrivals_.push_back({nowNs(), qint64(samples_.size())});
    }
    // Frames where a click begins.
    std::vector<qint64> clicks() const
    {
        std::vector<qint64> found;
        qint64 quietSince = 0;
        for (qint64 f = 0; f < qint64(samples_.size()); ++f) {
            if (std::abs(samples_[size_t(f)]) > 8000) {
                if (f - quietSince > Rate / 20)
                    found.push_back(f);
                quietSince = f;
            }
        }
        return found;
    }
    // The latest wall time (ns) at which frame `f` can have been captured.
    double heardAtNs(qint64 f) const
    {
        double best = 1e300;
        for (const auto& [ns, frames] : arrivals_)
            if (frames > f)
                best = std::min(best, double(ns) - double(frames - f) * 1e9 / Rate);
        return best;
    }

private:
    std::unique_ptr<QAudioSource> source_;
    QIODevice* input_ = nullptr;
    QElapsedTimer wall_;
    std::vector<qint16> samples_;
    std::vector<std::pair<qint64, qint64>> arrivals_;
};

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const size_t at = std::min(values.size() - 1, size_t(std::ceil(p * double(values.size())) - 1));
    return values[at];
}

void waitMs(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void PositionError(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("clicks.wav");
    if (!writeClicks(path) || QMediaDevices::defaultAudioInput().isNull()) {
        state.SkipWithError("no clicks file or no sound server");
        return;
    }
    std::vector<double> errors;
    std::vector<double> signedErrors;
    for (auto _ : state) {
        MonitorRecorder monitor;
        MediaPlayer player;
        player.SetFileName(path);
        player.Open();
        bool ended = false;
        QObject::connect(&player, &MediaPlayer::Notify, [&] { ended = true; });
        waitMs(300);
        const std::vector<qint64> due = clickTimes();
        std::vector<double> reportedAtNs;
        player.Play();
        while (!ended) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            while (reportedAtNs.size() < due.size() &&
                   player.Position() >= due[reportedAtNs.size()])
                reportedAtNs.push_back(double(monitor.nowNs()));
        }
        waitMs(200);
        monitor.take();
        const std::vector<qint64> heard = monitor.clicks();
        if (heard.size() != due.size() || reportedAtNs.size() != due.size()) {
            state.SkipWithError("clicks lost between player and monitor");
            return;
        }
        for (size_t i = 0; i < due.size(); ++i) {
            const double error = (reportedAtNs[i] - monitor.heardAtNs(heard[i])) / 1e6;
            signedErrors.push_back(error);
            errors.push_back(std::abs(error));
        }
    }
    state.counters["median_ms"] = percentile(errors, 0.5);
    state.counters["p95_ms"] = percentile(errors, 0.95);
    state.counters["mean_signed_ms"] =
        std::accumulate(signedErrors.begin(), signedErrors.end(), 0.0) /
        double(signedErrors.size());
}

double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Context switches of every thread of this process: how often the sound
// threads wake up.
qint64 switches()
{
    qint64 total = 0;
    for (const QFileInfo& task :
         QDir("/proc/self/task").entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile status(task.filePath() + "/status");
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.contains("ctxt_switches:"))
                total += line.split(':').last().trimmed().toLongLong();
    }
    return total;
}

void report(benchmark::State& state, const char* name, std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    state.counters[std::string(name) + "_median"] = values[values.size() / 2];
    state.counters[std::string(name) + "_min"] = values.front();
    state.counters[std::string(name) + "_max"] = values.back();
}

int benchSeconds()
{
    const int seconds = qEnvironmentVariableIntValue("SOUND_BENCH_SECONDS");
    return seconds > 0 ? seconds : 60;
}

// A tone of SOUND_BENCH_SECONDS (60 by default); empty if it cannot be
// written or there is no sound server to play it on.
QString writeLesson(const QTemporaryDir& dir, int rate, int channels)
{
    const QString path = dir.filePath("lesson.wav");
    std::vector<float> samples(size_t(rate) * size_t(benchSeconds()) * size_t(channels));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(0.3 * std::sin(2 * M_PI * 440 * double(i / size_t(channels)) / rate));
    // The sound back end connects once per process; that is not playback.
    if (!writeSamples(path, rate, channels, samples) ||
        QMediaDevices::defaultAudioOutput().isNull())
        return {};
    return path;
}

double msPerSecond(double cpu)
{
    return cpu * 1000 / benchSeconds();
}

// Plays the file to its end with the media player, at the tempo.
void playWhole(const QString& path, int tempo)
{
    MediaPlayer player;
    player.SetTempo(tempo);
    player.SetFileName(path);
    player.Open();
    QEventLoop loop;
    QObject::connect(&player, &MediaPlayer::Notify, &loop, &QEventLoop::quit);
    player.Play();
    loop.exec();
}

// A lesson played by the media player and by paplay in turns, CPU time per
// second of sound (ms), at the benchmark's rate and channel count.
void CpuAgainstPaplay(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString lesson = writeLesson(dir, int(state.range(0)), int(state.range(1)));
    if (lesson.isEmpty()) {
        state.SkipWithError("cannot write the lesson, or no sound server");
        return;
    }
    std::vector<double> ours, theirs, ratios, wakeups;
    for (auto _ : state) {
        const double before = cpuSeconds(RUSAGE_SELF);
        const qint64 switchesBefore = switches();
        playWhole(lesson, 100);
        ours.push_back(msPerSecond(cpuSeconds(RUSAGE_SELF) - before));
        wakeups.push_back(double(switches() - switchesBefore) / benchSeconds());

        const double childBefore = cpuSeconds(RUSAGE_CHILDREN);
        QProcess::execute("paplay", {lesson});
        theirs.push_back(msPerSecond(cpuSeconds(RUSAGE_CHILDREN) - childBefore));
        ratios.push_back(theirs.back() > 0 ? ours.back() / theirs.back() : 0);
    }
    report(state, "ours_cpu_ms_per_s", ours);
    report(state, "paplay_cpu_ms_per_s", theirs);
    report(state, "ratio", ratios);
    report(state, "ours_switches_per_s", wakeups);
}

// The trainer's recording pass: the lesson played while a recording is made
// in the course's format, against paplay and parecord running together on
// the same files, in turns. Also what the recording lost: how much shorter it
// is than the time it ran (ms). With the argument 1 the level meter asks for
// the input's peak 20 times a second, as the trainer's meter does.
void RecordingPassAgainstPaplayParecord(benchmark::State& state)
{
    constexpr int CourseRate = 22050;
    QTemporaryDir dir;
    const QString lesson = writeLesson(dir, CourseRate, 1);
    const QString recording = dir.filePath("recording.wav");
    if (lesson.isEmpty() || QMediaDevices::defaultAudioInput().isNull()) {
        state.SkipWithError("cannot write the lesson, or no sound server");
        return;
    }
    std::vector<double> ours, theirs, ratios, lost;
    for (auto _ : state) {
        writeSamples(recording, CourseRate, 1, {});
        const double before = cpuSeconds(RUSAGE_SELF);
        MediaPlayer player;
        MediaPlayer recorder;
        player.SetFileName(lesson);
        recorder.SetFileName(recording);
        player.Open();
        recorder.Open();
        QEventLoop loop;
        QObject::connect(&player, &MediaPlayer::Notify, &loop, &QEventLoop::quit);
        QTimer meter;
        meter.setInterval(50);
        float peak = 0;
        QObject::connect(&meter, &QTimer::timeout,
                         [&] { peak = std::max(peak, recorder.InputPeak()); });
        QElapsedTimer ran;
        ran.start();
        recorder.StartRecording(0);
        player.Play();
        if (state.range(0) != 0)
            meter.start();
        loop.exec();
        benchmark::DoNotOptimize(peak);
        recorder.Stop();
        const qint64 ranMs = ran.elapsed();
        recorder.Save();
        ours.push_back(msPerSecond(cpuSeconds(RUSAGE_SELF) - before));
        lost.push_back(double(ranMs - recorder.Length()));

        const double childBefore = cpuSeconds(RUSAGE_CHILDREN);
        QProcess parecord;
        parecord.start("parecord", {"--rate=22050", "--channels=1", "--format=s16le",
                                    "--file-format=wav", dir.filePath("theirs.wav")});
        parecord.waitForStarted();
        QProcess::execute("paplay", {lesson});
        parecord.terminate();
        parecord.waitForFinished();
        theirs.push_back(msPerSecond(cpuSeconds(RUSAGE_CHILDREN) - childBefore));
        ratios.push_back(theirs.back() > 0 ? ours.back() / theirs.back() : 0);
    }
    report(state, "ours_cpu_ms_per_s", ours);
    report(state, "paplay_parecord_cpu_ms_per_s", theirs);
    report(state, "ratio", ratios);
    report(state, "recording_lost_ms", lost);
}

// A lesson in the course's format played whole at the tempo (percent): the
// CPU of the process as a share of one core over the time it plays, where
// below 100 % the stretcher runs beside the sink.
void CpuAtTempo(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString lesson = writeLesson(dir, 22050, 1);
    if (lesson.isEmpty()) {
        state.SkipWithError("cannot write the lesson, or no sound server");
        return;
    }
    std::vector<double> shares;
    for (auto _ : state) {
        const double before = cpuSeconds(RUSAGE_SELF);
        QElapsedTimer wall;
        wall.start();
        playWhole(lesson, int(state.range(0)));
        shares.push_back(100 * (cpuSeconds(RUSAGE_SELF) - before) * 1000 / double(wall.elapsed()));
    }
    report(state, "share_of_one_core_pct", shares);
}
} // namespace

BENCHMARK(PositionError)->Iterations(3)->Unit(benchmark::kSecond);
// The course's format and CD quality; three turns each by default.
BENCHMARK(CpuAgainstPaplay)
    ->Args({22050, 1})
    ->Args({44100, 2})
    ->Iterations(3)
    ->Unit(benchmark::kSecond);
BENCHMARK(RecordingPassAgainstPaplayParecord)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3)
    ->Unit(benchmark::kSecond);
BENCHMARK(CpuAtTempo)->Arg(100)->Arg(75)->Iterations(2)->Unit(benchmark::kSecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
