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
// A found stretch reaches out over the weak sounds at its edges (a breathy
// onset, a fading vowel) while they stand clear of the noise, as far as this.
constexpr double EdgeShare = 0.10;
constexpr double LeastEdgeDb = 3;
constexpr int FarthestEdgeMs = 120;
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

// Runs of frames above the lower threshold that reach the upper one, in frames.
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
            runs.append({qint32(first), qint32(i)});
    }
    return runs;
}

// Widens runs of frames and turns them into milliseconds: a frame lasts
// frameSize samples, a little less than FrameMs when the rate does not divide.
QList<SpeechSpan> widened(const QList<SpeechSpan>& runs, const std::vector<double>& levels,
                          double edge, double msPerFrame)
{
    const qint32 farthest = qint32(FarthestEdgeMs / msPerFrame);
    const auto ms = [msPerFrame](qint32 frame) { return qint32(std::lround(frame * msPerFrame)); };
    QList<SpeechSpan> spans;
    for (SpeechSpan run : runs) {
        const qint32 earliest = std::max(0, run.begin - farthest);
        while (run.begin > earliest && levels[size_t(run.begin - 1)] > edge)
            --run.begin;
        const qint32 latest = std::min(qint32(levels.size()), run.end + farthest);
        while (run.end < latest && levels[size_t(run.end)] > edge)
            ++run.end;
        spans.append({ms(run.begin), ms(run.end)});
    }
    return spans;
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
    const QList<SpeechSpan> runs =
        loudRuns(levels, noise + LowerShare * spread, noise + UpperShare * spread);
    return bridged(widened(runs, levels, noise + std::max(LeastEdgeDb, EdgeShare * spread),
                           frameSize * 1000.0 / sampleRate));
}
