#pragma once

#include "align/Features.h"

#include <memory>
#include <vector>

// What the aligner keeps of a signal: its mel band energies, its loudness every
// LevelHopMs, its length, and whether any sample reaches -40 dBFS. A long
// recording is never held whole, only this.
inline constexpr int LevelHopMs = 2;

struct Analysis {
    int sampleRate = 0;
    long samples = 0;
    MelEnergies energies;
    // Level i, in dB of full scale, over the 2 * LevelHopMs from
    // i * LevelHopMs milliseconds on.
    std::vector<float> levels;
    bool audible = false;
};

// Analyses a signal fed in blocks of any size: 25 ms Hamming frames every
// 10 ms, 26 mel bands from 100 Hz to 6.8 kHz whatever the sample rate (so a
// reference at one rate and a recording at another are measured alike), FFT
// by FFTW.
class SignalAnalysis {
public:
    // Without `spectrum` only the loudness is measured (the course check's
    // look for pauses needs no more).
    explicit SignalAnalysis(int sampleRate, bool spectrum = true);
    ~SignalAnalysis();
    SignalAnalysis(const SignalAnalysis&) = delete;
    SignalAnalysis& operator=(const SignalAnalysis&) = delete;

    void append(const float* samples, long count);
    long samples() const { return result_.samples; }
    // The analysis of everything appended; the object is spent.
    Analysis finish();

private:
    void analyseFrames(bool atEnd);
    void measureLevels(bool atEnd);
    float at(long sample) const;

    struct Fft;
    std::unique_ptr<Fft> fft_;
    Analysis result_;
    // The samples not yet needed no more, from absolute sample bufferStart_.
    std::vector<float> buffer_;
    long bufferStart_ = 0;
    long nextFrame_ = 0;
    long nextLevel_ = 0;
};
