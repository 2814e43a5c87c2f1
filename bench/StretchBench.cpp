// Rubber Band's two engines on speech, as the player slows it down: the CPU
// of the stretching alone, and how faithful the slowed sound is. Faithful:
// the spectrum at time t of the slowed speech set beside the original's at
// t * tempo, as log-spectral distance (dB, lower is closer) and correlation
// of the magnitude spectra (1 is the same). The speech is the demo course's
// German texts spoken by espeak-ng at the course's rate, or the WAV named in
// STRETCH_BENCH_SPEECH.
//
// The choice (TimeStretch::PlayerEngine): R3, "finer". On 94 s of the demo
// course's speech (22050 Hz, release build) both engines keep about as close
// to the original's spectrum (R2 / R3: 5.4 / 5.7 dB and correlation 0.917 /
// 0.912 at 75 %; 7.4 / 7.3 dB and 0.870 / 0.884 at 50 %), and both cost little
// (R2 0.9 %, R3 1.4 % of one core while playing). What tells them apart is
// time: a tone's end is heard within 3 ms of its scaled time with R3, but
// 13 ms late at 75 % and 38 ms late at 50 % with R2 (tone_end_error_ms), and
// the highlighted syntagm must change when the syllable is heard to end.
#include "sound/SoundFile.h"
#include "sound/TimeStretch.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <ctime>
#include <fftw3.h>
#include <numeric>
#include <vector>

namespace {
constexpr int FftSize = 1024;
constexpr int Hop = 256;

// The speech, mono floats, and its rate; empty when there is none.
std::vector<float> speech(int* rate)
{
    static QTemporaryDir dir;
    QString path = qEnvironmentVariable("STRETCH_BENCH_SPEECH");
    if (path.isEmpty()) {
        path = dir.filePath("speech.wav");
        QString text;
        for (const QString& lesson :
             QDir(COURSE_LESSONS).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile file(QDir(COURSE_LESSONS).filePath(lesson + "/text.de.txt"));
            if (file.open(QIODevice::ReadOnly))
                text += QString::fromUtf8(file.readAll()).remove('#') + "\n";
        }
        if (!QFile::exists(path) &&
            QProcess::execute("espeak-ng", {"-v", "de", "-w", path, text}) != 0)
            return {};
    }
    const std::unique_ptr<SoundReader> reader = SoundReader::open(path);
    if (!reader)
        return {};
    const SoundFileInfo& info = reader->info();
    std::vector<float> frames(size_t(info.frames * info.channels));
    reader->read(0, info.frames, frames.data());
    std::vector<float> mono(size_t(info.frames));
    for (qint64 f = 0; f < info.frames; ++f)
        mono[size_t(f)] = frames[size_t(f * info.channels)];
    *rate = info.sampleRate;
    return mono;
}

double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

std::vector<float> stretch(const std::vector<float>& in, int rate, int tempo,
                           TimeStretch::Engine engine)
{
    TimeStretch stretcher(rate, 1, tempo, engine);
    std::vector<float> out;
    for (size_t at = 0; at < in.size(); at += 2048)
        stretcher.push(in.data() + at, qint64(std::min<size_t>(2048, in.size() - at)), out);
    const auto length = size_t(qint64(in.size()) * 100 / tempo);
    while (out.size() < length)
        stretcher.pushSilence(2048, out);
    out.resize(length);
    return out;
}

// Magnitude spectrum (dB) of the Hann-windowed frame centred at `centre`.
std::vector<double> spectrumDb(const std::vector<float>& sound, qint64 centre)
{
    static std::vector<float> frame(FftSize);
    static std::vector<fftwf_complex> bins(FftSize / 2 + 1);
    static const fftwf_plan plan =
        fftwf_plan_dft_r2c_1d(FftSize, frame.data(), bins.data(), FFTW_ESTIMATE);
    for (int i = 0; i < FftSize; ++i) {
        const qint64 at = centre - FftSize / 2 + i;
        const float sample = at >= 0 && at < qint64(sound.size()) ? sound[size_t(at)] : 0.0f;
        frame[size_t(i)] = sample * float(0.5 - 0.5 * std::cos(2 * M_PI * i / FftSize));
    }
    fftwf_execute(plan);
    std::vector<double> db(bins.size());
    for (size_t k = 0; k < bins.size(); ++k)
        db[k] = 10 * std::log10(double(bins[k][0]) * bins[k][0] + double(bins[k][1]) * bins[k][1] +
                                1e-10);
    return db;
}

double correlation(const std::vector<double>& a, const std::vector<double>& b)
{
    const double ma = std::accumulate(a.begin(), a.end(), 0.0) / double(a.size());
    const double mb = std::accumulate(b.begin(), b.end(), 0.0) / double(b.size());
    double ab = 0, aa = 0, bb = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        ab += (a[i] - ma) * (b[i] - mb);
        aa += (a[i] - ma) * (a[i] - ma);
        bb += (b[i] - mb) * (b[i] - mb);
    }
    return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0;
}

// Over the frames where the original speaks (within 40 dB of its loudest):
// the mean log-spectral distance and spectral correlation, 100 Hz to 5 kHz.
std::pair<double, double> faithfulness(const std::vector<float>& original,
                                       const std::vector<float>& slowed, int rate, int tempo)
{
    const auto low = size_t(100 * FftSize / rate);
    const auto high = size_t(5000 * FftSize / rate);
    std::vector<std::vector<double>> frames;
    double loudest = -1e9;
    for (qint64 centre = FftSize; centre + FftSize < qint64(original.size()); centre += Hop) {
        frames.push_back(spectrumDb(original, centre));
        loudest = std::max(loudest, *std::max_element(frames.back().begin(), frames.back().end()));
    }
    double distance = 0, correlated = 0;
    int counted = 0;
    for (size_t i = 0; i < frames.size(); ++i) {
        const std::vector<double>& a = frames[i];
        if (*std::max_element(a.begin(), a.end()) < loudest - 40)
            continue;
        const qint64 centre = (FftSize + qint64(i) * Hop) * 100 / tempo;
        const std::vector<double> b = spectrumDb(slowed, centre);
        const std::vector<double> as(a.begin() + low, a.begin() + high);
        const std::vector<double> bs(b.begin() + low, b.begin() + high);
        double squares = 0;
        for (size_t k = 0; k < as.size(); ++k)
            squares += (as[k] - bs[k]) * (as[k] - bs[k]);
        distance += std::sqrt(squares / double(as.size()));
        correlated += correlation(as, bs);
        ++counted;
    }
    return {distance / counted, correlated / counted};
}

// Where a 600 ms tone that starts at 500 ms is heard to end once slowed down,
// against its scaled end (ms, late is positive).
double toneEndErrorMs(int rate, int tempo, TimeStretch::Engine engine)
{
    std::vector<float> burst(size_t(rate) * 8 / 5, 0.0f);
    for (int i = rate / 2; i < rate * 11 / 10; ++i)
        burst[size_t(i)] = float(0.5 * std::sin(2 * M_PI * 700 * i / rate));
    const std::vector<float> slowed = stretch(burst, rate, tempo, engine);
    qint64 last = 0;
    for (size_t i = 0; i < slowed.size(); ++i)
        if (std::abs(slowed[i]) > 0.1f)
            last = qint64(i);
    return (double(last) - rate * 1.1 * 100 / tempo) * 1000 / rate;
}

void Stretch(benchmark::State& state)
{
    const auto engine =
        state.range(0) == 2 ? TimeStretch::Engine::Faster : TimeStretch::Engine::Finer;
    const int tempo = int(state.range(1));
    int rate = 0;
    const std::vector<float> original = speech(&rate);
    if (original.empty()) {
        state.SkipWithError("no speech: espeak-ng missing, or STRETCH_BENCH_SPEECH unreadable");
        return;
    }
    std::vector<float> slowed;
    double cpu = 0;
    for (auto _ : state) {
        const double before = threadCpuSeconds();
        slowed = stretch(original, rate, tempo, engine);
        cpu = threadCpuSeconds() - before;
    }
    const double seconds = double(original.size()) / rate;
    const auto [distance, correlated] = faithfulness(original, slowed, rate, tempo);
    state.counters["speech_s"] = seconds;
    state.counters["cpu_ms_per_s_of_speech"] = cpu * 1000 / seconds;
    // The stretcher runs as the sound plays, which at the tempo takes longer.
    state.counters["share_of_one_core_pct"] = 100 * cpu / (seconds * 100 / tempo);
    state.counters["log_spectral_distance_db"] = distance;
    state.counters["spectral_correlation"] = correlated;
    state.counters["tone_end_error_ms"] = toneEndErrorMs(rate, tempo, engine);
}
} // namespace

// Engine (2: R2 "faster", 3: R3 "finer"), tempo.
BENCHMARK(Stretch)->Args({2, 75})->Args({3, 75})->Args({2, 50})->Args({3, 50})->Iterations(1)->Unit(
    benchmark::kMillisecond);
BENCHMARK_MAIN();
