#pragma once

#include <QtGlobal>
#include <memory>
#include <vector>

namespace RubberBand {
class RubberBandStretcher;
}

// Slows interleaved float frames down to a tempo, the pitch unchanged, as a
// stream: frames go in as they are read and come out as they are ready. The
// output is in step with the input from its first frame (the stretcher's own
// delay is taken off), so that output frame n is input time n * tempo / 100.
class TimeStretch {
public:
    // The sample rates the stretcher takes.
    static constexpr int MinRate = 8000;
    static constexpr int MaxRate = 192000;

    // Rubber Band's two engines: R2 ("faster") and R3 ("finer").
    enum class Engine { Faster, Finer };
    // The engine the player uses: see bench/StretchBench.cpp for the choice.
    static constexpr Engine PlayerEngine = Engine::Finer;

    TimeStretch(int sampleRate, int channels, int tempo, Engine engine = PlayerEngine);
    ~TimeStretch();
    TimeStretch(const TimeStretch&) = delete;
    TimeStretch& operator=(const TimeStretch&) = delete;

    // Appends to `out` the stretched frames ready after `frames` more input.
    // The stretcher holds back the last of what it was given until more
    // comes: after the last input, silence brings it out.
    void push(const float* in, qint64 frames, std::vector<float>& out);
    void pushSilence(qint64 frames, std::vector<float>& out);

private:
    void process(const float* in, qint64 frames, std::vector<float>& out);
    void retrieve(std::vector<float>& out);
    std::vector<float*> planesOf(qint64 frames);

    std::unique_ptr<RubberBand::RubberBandStretcher> stretcher_;
    int channels_;
    bool primed_ = false;
    qint64 toSkip_ = 0; // the stretcher's delay, not yet taken off the output
    std::vector<std::vector<float>> planes_;
};
