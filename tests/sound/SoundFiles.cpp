#include "SoundFiles.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <sndfile.h>
#include <utility>

namespace {
bool writeFrames(const QString& path, int sampleRate, int channels, int format,
                 const std::vector<float>& samples)
{
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = format ? format : SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    const sf_count_t frames = sf_count_t(samples.size()) / channels;
    const bool ok = sf_writef_float(file, samples.data(), frames) == frames;
    sf_close(file);
    return ok;
}
} // namespace

bool writeTone(const QString& path, const Tone& tone)
{
    const qint64 frames = tone.ms * tone.sampleRate / 1000;
    std::vector<float> samples(size_t(frames * tone.channels));
    for (qint64 f = 0; f < frames; ++f)
        for (int c = 0; c < tone.channels; ++c)
            samples[size_t(f * tone.channels + c)] =
                float(tone.level * std::sin(2 * M_PI * tone.hz * double(f) / tone.sampleRate));
    return writeFrames(path, tone.sampleRate, tone.channels, tone.format, samples);
}

bool writeSamples(const QString& path, int sampleRate, const std::vector<float>& samples)
{
    return writeFrames(path, sampleRate, 1, 0, samples);
}

bool writeClicks(const QString& path, int sampleRate, qint64 ms, const std::vector<qint64>& clicks)
{
    std::vector<float> samples(size_t(ms * sampleRate / 1000), 0.0f);
    for (qint64 at : clicks) {
        const qint64 first = at * sampleRate / 1000;
        for (qint64 i = 0; i < sampleRate / 1000 && first + i < qint64(samples.size()); ++i)
            samples[size_t(first + i)] = (i % 2) ? -0.8f : 0.8f;
    }
    return writeSamples(path, sampleRate, samples);
}

bool writeTemplate(const QString& path, qint64 ms)
{
    return writeTone(path, Tone{22050, 1, ms, 300, 0.5, 0});
}

ReadBack readSound(const QString& path)
{
    ReadBack back;
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return back;
    back.sampleRate = info.samplerate;
    back.channels = info.channels;
    back.format = info.format;
    back.samples.resize(size_t(info.frames * info.channels));
    sf_readf_float(file, back.samples.data(), info.frames);
    sf_close(file);
    return back;
}

namespace {
// Goertzel: the power of one frequency, and the total energy.
std::pair<double, double> goertzel(const float* samples, qint64 n, int sampleRate, double hz)
{
    const double k = 2 * std::cos(2 * M_PI * hz / sampleRate);
    double s1 = 0, s2 = 0, total = 0;
    for (qint64 i = 0; i < n; ++i) {
        const double s0 = samples[i] + k * s1 - s2;
        s2 = s1;
        s1 = s0;
        total += double(samples[i]) * samples[i];
    }
    return {s1 * s1 + s2 * s2 - k * s1 * s2, total};
}
} // namespace

double shareAt(const float* samples, qint64 n, int sampleRate, double hz)
{
    const auto [power, total] = goertzel(samples, n, sampleRate, hz);
    return total > 0 ? power / (total * double(n) / 2) : 0;
}

double amplitudeAt(const float* samples, qint64 n, int sampleRate, double hz)
{
    const auto [power, total] = goertzel(samples, n, sampleRate, hz);
    return n > 0 ? 2 * std::sqrt(std::max(power, 0.0)) / double(n) : 0;
}

double rms(const float* samples, qint64 n)
{
    double sum = 0;
    for (qint64 i = 0; i < n; ++i)
        sum += double(samples[i]) * samples[i];
    return n > 0 ? std::sqrt(sum / double(n)) : 0;
}
