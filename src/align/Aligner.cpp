#include "align/Aligner.h"

#include "align/Synthesis.h"
#include "align/TimeWarp.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

constexpr int SnapMs = 100;
constexpr int PauseMs = 30;
// A line's end fades (a final consonant, a falling voice), so it is looked
// for lower down than its start.
constexpr float OffsetShare = 0.15f;
constexpr float SilenceDb = -40.0f;
// The reference voice speaks at its own pace; a recording more than this many
// times faster cannot be the text.
constexpr double FastestPace = 4.0;

float percentile(std::vector<float> values, double share)
{
    const auto at = std::size_t(share * double(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + long(at), values.end());
    return values[at];
}

bool speechAt(const std::vector<float>& levels, float threshold, long i)
{
    return i >= 0 && i < long(levels.size()) && levels[i] >= threshold;
}

// The edge between levels i - 1 and i: pause to speech (onset) or speech to
// pause, with PauseMs of pause on its quiet side.
bool pauseEdge(const std::vector<float>& levels, float threshold, long i, bool onset)
{
    const long loud = onset ? i : i - 1;
    const long quiet = onset ? i - 1 : i;
    if (!speechAt(levels, threshold, loud) || speechAt(levels, threshold, quiet))
        return false;
    const long span = PauseMs / LevelHopMs;
    const long from = onset ? i - span : i;
    for (long k = std::max(0L, from); k < std::min(long(levels.size()), from + span); ++k)
        if (levels[k] >= threshold)
            return false;
    return true;
}

struct Boundaries {
    QList<AlignSegment> segments;
    // Per line: its begin, its end moved to the edge of a pause.
    QList<bool> beginSnapped;
    QList<bool> endSnapped;
};

Boundaries boundaries(const Synthesis& reference, const std::vector<WarpSpan>& path,
                      const Analysis& recording)
{
    Boundaries found;
    const std::vector<float>& levels = recording.levels;
    const int rate = reference.analysis.sampleRate;
    const double msPerSample = 1000.0 / rate;
    const float onset = speechThreshold(levels, OnsetShare);
    const float offset = speechThreshold(levels, OffsetShare);
    const long hop = frameHop(rate);
    const long lastFrame = long(path.size()) - 1;
    const long centre = long(WindowMs * rate / 1000.0 / 2.0);
    for (const auto& [first, last] : reference.lines) {
        if (first < 0) {
            found.segments.append({0, 0});
            found.beginSnapped.append(true);
            found.endSnapped.append(true);
            continue;
        }
        // A boundary goes with the frame centred on it: a frame that only
        // starts at a line's last sample is silence, and silence is paired
        // with the whole of the recording's pause.
        const auto where = [&](long sample, bool atEnd) {
            const long k = std::clamp((sample - centre + hop / 2) / hop, 0L, lastFrame);
            const WarpSpan& span = path[std::size_t(k)];
            return qint64(frameMs(atEnd ? span.last : span.first, recording.sampleRate) +
                          double(sample - k * hop) * msPerSample);
        };
        const qint64 b = where(first, false);
        const qint64 e = where(last, true);
        const qint64 snappedBegin = nearestPauseEdge(levels, onset, b, true);
        const qint64 snappedEnd = nearestPauseEdge(levels, offset, e, false);
        found.segments.append(
            {snappedBegin >= 0 ? snappedBegin : b, snappedEnd >= 0 ? snappedEnd : e});
        found.beginSnapped.append(snappedBegin >= 0);
        found.endSnapped.append(snappedEnd >= 0);
    }
    return found;
}

// Lines follow each other: where two estimates of a shared boundary cross
// (lines spoken without a pause), both take their middle; nothing lies beyond
// the recording, and every spoken line lasts at least a millisecond.
void keepInOrder(QList<AlignSegment>& segments, qint64 lengthMs)
{
    AlignSegment* previous = nullptr;
    for (AlignSegment& s : segments) {
        if (s.begin == 0 && s.end == 0)
            continue;
        s.end = std::min(s.end, lengthMs);
        if (previous && s.begin < previous->end)
            s.begin = previous->end = std::max((s.begin + previous->end) / 2, previous->begin + 1);
        s.end = std::max(s.end, s.begin + 1);
        previous = &s;
    }
}

// A boundary between sentences lies in a pause; one that does not is
// probably misplaced.
QList<int> doubtfulLines(const QList<AlignLine>& lines, const Boundaries& found)
{
    QList<int> doubtful;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool sentence = lines[i].endsSentence;
        const bool afterSentence = i == 0 || lines[i - 1].endsSentence;
        const AlignSegment& s = found.segments[i];
        if (lines[i].spoken.trimmed().isEmpty())
            continue;
        if (s.end <= s.begin || (sentence && !found.endSnapped[i]) ||
            (afterSentence && !found.beginSnapped[i]))
            doubtful.append(int(i + 1));
    }
    return doubtful;
}

} // namespace

float speechThreshold(const std::vector<float>& levels, float share)
{
    const float noise = percentile(levels, 0.1);
    const float speech = percentile(levels, 0.9);
    return std::max(noise + share * (speech - noise), SilenceDb - 20.0f);
}

bool pauseNear(const std::vector<float>& levels, float threshold, qint64 ms)
{
    const long span = PauseMs / LevelHopMs;
    const long from = long(ms / LevelHopMs) - SnapMs / LevelHopMs;
    const long to = long(ms / LevelHopMs) + SnapMs / LevelHopMs;
    long quiet = 0;
    // A quiet run of `span` levels that reaches into [from, to].
    for (long i = std::max(0L, from - span); i < std::min(long(levels.size()), to + span); ++i) {
        quiet = levels[i] < threshold ? quiet + 1 : 0;
        if (quiet >= span && i >= from && i - quiet + 1 <= to)
            return true;
    }
    return false;
}

qint64 nearestPauseEdge(const std::vector<float>& levels, float threshold, qint64 ms, bool onset)
{
    const long centre = long(ms / LevelHopMs);
    for (long d = 0; d <= SnapMs / LevelHopMs; ++d)
        for (long i : {centre - d, centre + d})
            if (i > 0 && i < long(levels.size()) && pauseEdge(levels, threshold, i, onset))
                return qint64(i) * LevelHopMs;
    return -1;
}

AlignResult alignRecording(const Analysis& recording, const QList<AlignLine>& lines,
                           const AlignOptions& options)
{
    AlignResult result;
    const auto report = [&](double share) {
        if (options.progress)
            options.progress(share);
    };
    if (!recording.audible) {
        result.refusal = QStringLiteral("в записи тишина: нет ни одного звука громче -40 дБ");
        return result;
    }
    QStringList texts;
    for (const AlignLine& line : lines)
        texts.append(line.spoken.trimmed());
    std::optional<Synthesis> reference = synthesise(texts, options.voice, &result.refusal);
    if (!reference)
        return result;
    report(0.6);
    const Analysis& spoken = reference->analysis;
    const double referenceSeconds = double(spoken.samples) / spoken.sampleRate;
    const double recordingSeconds = double(recording.samples) / recording.sampleRate;
    if (recordingSeconds * FastestPace < referenceSeconds) {
        result.refusal = QStringLiteral("запись длиной %1 с слишком коротка для %2 строк текста")
                             .arg(recordingSeconds, 0, 'f', 1)
                             .arg(lines.size());
        return result;
    }
    MelEnergies inRoom = spoken.energies;
    matchRoom(inRoom, recording.energies);
    const float floor = silenceFloor(recording.energies);
    const std::vector<WarpSpan> path =
        warp(melCepstrum(inRoom, floor), melCepstrum(recording.energies, floor));
    report(0.9);
    Boundaries found = boundaries(*reference, path, recording);
    result.doubtful = doubtfulLines(lines, found);
    keepInOrder(found.segments, qint64(recording.samples) * 1000 / recording.sampleRate);
    result.segments = found.segments;
    report(1.0);
    return result;
}
