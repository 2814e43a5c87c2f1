#include "sound/TimeStretch.h"

#include <rubberband/RubberBandStretcher.h>

#include <algorithm>

namespace {
using RubberBand::RubberBandStretcher;

// Blocks handed to the stretcher at a time, in frames.
constexpr qint64 Block = 1024;

// Real-time mode streams from the first frame, with no pass over the whole
// range first.
RubberBandStretcher::Options optionsFor(TimeStretch::Engine engine)
{
    return RubberBandStretcher::OptionProcessRealTime |
           (engine == TimeStretch::Engine::Finer ? RubberBandStretcher::OptionEngineFiner
                                                 : RubberBandStretcher::OptionEngineFaster);
}
} // namespace

TimeStretch::TimeStretch(int sampleRate, int channels, int tempo, Engine engine)
    : stretcher_(std::make_unique<RubberBandStretcher>(size_t(sampleRate), size_t(channels),
                                                       optionsFor(engine), 100.0 / tempo)),
      channels_(channels), planes_(size_t(channels))
{
    stretcher_->setMaxProcessSize(Block);
}

TimeStretch::~TimeStretch() = default;

void TimeStretch::push(const float* in, qint64 frames, std::vector<float>& out)
{
    if (!primed_) {
        // Silence ahead of the first frame primes the stretcher, and the delay
        // it reports is dropped, so the first frame out is the first frame in.
        primed_ = true;
        toSkip_ = qint64(stretcher_->getStartDelay());
        pushSilence(qint64(stretcher_->getPreferredStartPad()), out);
    }
    process(in, frames, out);
}

void TimeStretch::pushSilence(qint64 frames, std::vector<float>& out)
{
    const std::vector<float> silence(size_t(frames * channels_));
    process(silence.data(), frames, out);
}

void TimeStretch::process(const float* in, qint64 frames, std::vector<float>& out)
{
    for (qint64 done = 0; done < frames;) {
        const qint64 n = std::min(frames - done, Block);
        const std::vector<float*> pointers = planesOf(n);
        for (int c = 0; c < channels_; ++c)
            for (qint64 f = 0; f < n; ++f)
                pointers[size_t(c)][f] = in[(done + f) * channels_ + c];
        done += n;
        stretcher_->process(pointers.data(), size_t(n), false);
        retrieve(out);
    }
}

// Takes what is ready, interleaved, less what is still to be skipped.
void TimeStretch::retrieve(std::vector<float>& out)
{
    for (int ready = stretcher_->available(); ready > 0; ready = stretcher_->available()) {
        const std::vector<float*> pointers = planesOf(qint64(ready));
        const auto got = qint64(stretcher_->retrieve(pointers.data(), size_t(ready)));
        const qint64 skip = std::min(toSkip_, got);
        toSkip_ -= skip;
        const size_t had = out.size();
        out.resize(had + size_t((got - skip) * channels_));
        float* target = out.data() + had;
        for (qint64 f = skip; f < got; ++f)
            for (int c = 0; c < channels_; ++c)
                *target++ = pointers[size_t(c)][f];
    }
}

// The planes, one a channel, with room for `frames` frames.
std::vector<float*> TimeStretch::planesOf(qint64 frames)
{
    std::vector<float*> pointers;
    for (std::vector<float>& plane : planes_) {
        plane.resize(size_t(std::max<qint64>(frames, 1)));
        pointers.push_back(plane.data());
    }
    return pointers;
}
