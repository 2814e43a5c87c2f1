#include "review/PeakSummary.h"

#include <algorithm>
#include <cmath>

PeakSummary::PeakSummary(const std::vector<float>& samples, int sampleRate)
    : sampleRate_(sampleRate), frames_(qint64(samples.size()))
{
    blocks_.reserve(samples.size() / BlockFrames + 1);
    for (size_t first = 0; first < samples.size(); first += BlockFrames) {
        const auto begin = samples.begin() + qint64(first);
        const auto end = samples.begin() + qint64(std::min(first + BlockFrames, samples.size()));
        const auto [low, high] = std::minmax_element(begin, end);
        blocks_.push_back({*low, *high});
    }
}

qint64 PeakSummary::lengthMs() const
{
    return sampleRate_ > 0 ? frames_ * 1000 / sampleRate_ : 0;
}

Peak PeakSummary::span(qint64 firstBlock, qint64 endBlock) const
{
    firstBlock = std::max<qint64>(firstBlock, 0);
    endBlock = std::min<qint64>(endBlock, qint64(blocks_.size()));
    if (firstBlock >= endBlock)
        return {};
    Peak peak = blocks_[size_t(firstBlock)];
    for (qint64 b = firstBlock + 1; b < endBlock; ++b) {
        peak.low = std::min(peak.low, blocks_[size_t(b)].low);
        peak.high = std::max(peak.high, blocks_[size_t(b)].high);
    }
    return peak;
}

std::vector<Peak> PeakSummary::columns(double fromMs, double toMs, int columns) const
{
    std::vector<Peak> peaks(size_t(std::max(columns, 0)));
    if (columns <= 0 || sampleRate_ <= 0 || toMs <= fromMs)
        return peaks;
    const double blocksPerMs = sampleRate_ / 1000.0 / BlockFrames;
    const double step = (toMs - fromMs) / columns;
    for (int c = 0; c < columns; ++c) {
        const double start = (fromMs + c * step) * blocksPerMs;
        const double end = (fromMs + (c + 1) * step) * blocksPerMs;
        // A column narrower than a block still shows the block it lies in.
        const qint64 first = qint64(std::floor(start));
        peaks[size_t(c)] = span(first, std::max(first + 1, qint64(std::ceil(end))));
    }
    return peaks;
}
