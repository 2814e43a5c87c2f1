#pragma once

#include <QtGlobal>
#include <vector>

// The lowest and highest sample of a stretch of sound, in -1..1.
struct Peak {
    float low = 0;
    float high = 0;
};

// A sound's waveform summarised once, block by block, so that drawing any
// stretch at any width reads a few blocks per pixel column instead of every
// sample: a ten-minute recording scrolls as fast as a short one.
class PeakSummary {
public:
    static constexpr int BlockFrames = 64;

    PeakSummary() = default;
    PeakSummary(const std::vector<float>& samples, int sampleRate);

    int sampleRate() const { return sampleRate_; }
    qint64 lengthMs() const;

    // The peaks of `columns` equal stretches between the two positions (in
    // milliseconds); a stretch outside the sound is silent.
    std::vector<Peak> columns(double fromMs, double toMs, int columns) const;

private:
    Peak span(qint64 firstBlock, qint64 endBlock) const;

    int sampleRate_ = 0;
    qint64 frames_ = 0;
    std::vector<Peak> blocks_;
};
