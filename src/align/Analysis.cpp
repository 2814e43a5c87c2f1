#include "align/Analysis.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double LowHz = 100.0;
constexpr double HighHz = 6800.0;
constexpr float AudibleLevel = 0.01f; // -40 dBFS

double mel(double hz)
{
    return 2595.0 * std::log10(1.0 + hz / 700.0);
}
double hertz(double m)
{
    return 700.0 * (std::pow(10.0, m / 2595.0) - 1.0);
}

// Triangular mel filters over the bins of an FFT of `size` points.
std::vector<std::vector<float>> melBank(int size, int sampleRate)
{
    const int bins = size / 2 + 1;
    const double high = std::min(HighHz, sampleRate / 2.0);
    std::vector<double> edges(BandCount + 2);
    for (int i = 0; i < BandCount + 2; ++i)
        edges[i] = hertz(mel(LowHz) + (mel(high) - mel(LowHz)) * i / (BandCount + 1));
    std::vector<std::vector<float>> bank(BandCount, std::vector<float>(bins, 0.0f));
    for (int band = 0; band < BandCount; ++band)
        for (int bin = 0; bin < bins; ++bin) {
            const double hz = double(bin) * sampleRate / size;
            const double rise = (hz - edges[band]) / (edges[band + 1] - edges[band]);
            const double fall = (edges[band + 2] - hz) / (edges[band + 2] - edges[band + 1]);
            bank[band][bin] = float(std::max(0.0, std::min(rise, fall)));
        }
    return bank;
}

std::vector<float> hamming(int length)
{
    std::vector<float> window(length);
    for (int i = 0; i < length; ++i)
        window[i] = float(0.54 - 0.46 * std::cos(2 * std::numbers::pi * i / (length - 1)));
    return window;
}

} // namespace

struct SignalAnalysis::Fft {
    explicit Fft(int sampleRate)
        : length(int(sampleRate * WindowMs / 1000.0)), window(hamming(length))
    {
        while (size < length)
            size *= 2;
        bank = melBank(size, sampleRate);
        in = fftwf_alloc_real(std::size_t(size));
        out = fftwf_alloc_complex(std::size_t(size / 2 + 1));
        plan = fftwf_plan_dft_r2c_1d(size, in, out, FFTW_ESTIMATE);
        power.resize(std::size_t(size / 2 + 1));
    }
    ~Fft()
    {
        fftwf_destroy_plan(plan);
        fftwf_free(out);
        fftwf_free(in);
    }
    Fft(const Fft&) = delete;
    Fft& operator=(const Fft&) = delete;

    int length;
    int size = 1;
    std::vector<float> window;
    std::vector<std::vector<float>> bank;
    std::vector<float> power;
    float* in = nullptr;
    fftwf_complex* out = nullptr;
    fftwf_plan plan = nullptr;
};

SignalAnalysis::SignalAnalysis(int sampleRate, bool spectrum)
    : fft_(spectrum ? std::make_unique<Fft>(sampleRate) : nullptr)
{
    result_.sampleRate = sampleRate;
}

SignalAnalysis::~SignalAnalysis() = default;

float SignalAnalysis::at(long sample) const
{
    if (sample < bufferStart_ || sample >= result_.samples)
        return 0.0f;
    return buffer_[std::size_t(sample - bufferStart_)];
}

void SignalAnalysis::append(const float* samples, long count)
{
    for (long i = 0; i < count && !result_.audible; ++i)
        result_.audible = std::fabs(samples[i]) >= AudibleLevel;
    buffer_.insert(buffer_.end(), samples, samples + count);
    result_.samples += count;
    if (fft_)
        analyseFrames(false);
    measureLevels(false);
    // Keep what the next frame (with the sample before it) and the next
    // level still read.
    const double levelHop = double(result_.sampleRate) * LevelHopMs / 1000.0;
    long needed = long(double(nextLevel_) * levelHop);
    if (fft_)
        needed = std::min(needed, nextFrame_ * frameHop(result_.sampleRate) - 1);
    if (needed > bufferStart_) {
        buffer_.erase(buffer_.begin(), buffer_.begin() + (needed - bufferStart_));
        bufferStart_ = needed;
    }
}

void SignalAnalysis::analyseFrames(bool atEnd)
{
    Fft& f = *fft_;
    const long hop = frameHop(result_.sampleRate);
    const long frames = std::max(1L, (result_.samples + hop - 1) / hop);
    for (; atEnd ? nextFrame_ < frames : nextFrame_ * hop + f.length <= result_.samples;
         ++nextFrame_) {
        const long start = nextFrame_ * hop;
        for (int i = 0; i < f.size; ++i)
            f.in[i] = i < f.length ? (at(start + i) - 0.97f * at(start + i - 1)) * f.window[i] : 0;
        fftwf_execute(f.plan);
        for (int bin = 0; bin <= f.size / 2; ++bin)
            f.power[bin] = f.out[bin][0] * f.out[bin][0] + f.out[bin][1] * f.out[bin][1];
        for (int band = 0; band < BandCount; ++band) {
            float sum = 0.0f;
            for (int bin = 0; bin <= f.size / 2; ++bin)
                sum += f.bank[band][bin] * f.power[bin];
            result_.energies.values.push_back(sum);
        }
    }
    result_.energies.frames = nextFrame_;
}

void SignalAnalysis::measureLevels(bool atEnd)
{
    // Level i starts at exactly i * LevelHopMs milliseconds, whole samples or not.
    const double hop = double(result_.sampleRate) * LevelHopMs / 1000.0;
    for (;; ++nextLevel_) {
        const long start = long(double(nextLevel_) * hop);
        const long end = std::min(result_.samples, long(double(nextLevel_ + 2) * hop));
        if (atEnd ? start >= result_.samples : long(double(nextLevel_ + 2) * hop) > result_.samples)
            break;
        double sum = 0.0;
        for (long k = start; k < end; ++k)
            sum += double(at(k)) * at(k);
        result_.levels.push_back(
            float(10.0 * std::log10(sum / double(std::max(1L, end - start)) + 1e-12)));
    }
}

Analysis SignalAnalysis::finish()
{
    if (fft_)
        analyseFrames(true);
    measureLevels(true);
    buffer_.clear();
    return std::move(result_);
}
