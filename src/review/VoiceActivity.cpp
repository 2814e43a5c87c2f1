#include "review/VoiceActivity.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int FrameMs = 5;
// The quietest frames are taken for the room's noise, the loudest for speech.
constexpr double NoisePercentile = 0.10;
constexpr double SpeechPercentile = 0.95;
// Below this spread between noise and speech the recording holds no speech.
constexpr double LeastSpreadDb = 10;
// A stretch is speech where its frames rise above the lower threshold and at
// least one frame above the upper one, each a share of the spread above the
// noise floor.
constexpr double UpperShare = 0.40;
constexpr double LowerShare = 0.22;
// Silences between words, and stops before plosives, are shorter than this.
constexpr int BridgedGapMs = 200;
constexpr int ShortestSpeechMs = 40;

std::vector<double> frameLevels(const std::vector<float>& samples, int frameSize)
{
    std::vector<double> levels;
    levels.reserve(samples.size() / size_t(frameSize) + 1);
    for (size_t first = 0; first + size_t(frameSize) <= samples.size();
         first += size_t(frameSize)) {
        double energy = 0;
        for (size_t i = first; i < first + size_t(frameSize); ++i)
            energy += double(samples[i]) * samples[i];
        levels.push_back(10 * std::log10(energy / frameSize + 1e-12));
    }
    return levels;
}

double percentile(std::vector<double> levels, double share)
{
    const auto at = levels.begin() + qint64(share * double(levels.size() - 1));
    std::nth_element(levels.begin(), at, levels.end());
    return *at;
}

// Runs of frames above the lower threshold that reach the upper one.
QList<SpeechSpan> loudRuns(const std::vector<double>& levels, double lower, double upper)
{
    QList<SpeechSpan> runs;
    size_t i = 0;
    while (i < levels.size()) {
        if (levels[i] <= lower) {
            ++i;
            continue;
        }
        const size_t first = i;
        bool reachesUpper = false;
        for (; i < levels.size() && levels[i] > lower; ++i)
            reachesUpper = reachesUpper || levels[i] > upper;
        if (reachesUpper)
            runs.append({qint32(first * FrameMs), qint32(i * FrameMs)});
    }
    return runs;
}

QList<SpeechSpan> bridged(const QList<SpeechSpan>& runs)
{
    QList<SpeechSpan> spans;
    for (const SpeechSpan& run : runs) {
        if (!spans.isEmpty() && run.begin - spans.last().end < BridgedGapMs)
            spans.last().end = run.end;
        else
            spans.append(run);
    }
    spans.removeIf([](const SpeechSpan& s) { return s.end - s.begin < ShortestSpeechMs; });
    return spans;
}
} // namespace

QList<SpeechSpan> detectSpeech(const std::vector<float>& samples, int sampleRate)
{
    const int frameSize = sampleRate * FrameMs / 1000;
    if (frameSize <= 0)
        return {};
    const std::vector<double> levels = frameLevels(samples, frameSize);
    if (levels.empty())
        return {};
    const double noise = percentile(levels, NoisePercentile);
    const double spread = percentile(levels, SpeechPercentile) - noise;
    if (spread < LeastSpreadDb)
        return {};
    return bridged(loudRuns(levels, noise + LowerShare * spread, noise + UpperShare * spread));
}
