// Any rates, channel counts, sample format and blocks of samples (NaN and
// infinities too): the output is in whole device frames, and over all blocks
// there are as many output frames as the rates ask for, so that playing in
// blocks neither drops nor repeats sound.
#include "FuzzSupport.h"
#include "sound/FrameConverter.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {
const QAudioFormat::SampleFormat Formats[] = {QAudioFormat::UInt8, QAudioFormat::Int16,
                                              QAudioFormat::Int32, QAudioFormat::Float};

int rateOf(uint8_t a, uint8_t b)
{
    return 4000 + (a << 8 | b) % 188001; // 4 kHz to 192 kHz
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 7)
        return 0;
    const int inRate = rateOf(data[0], data[1]);
    const int inChannels = 1 + data[2] % 8;
    QAudioFormat out;
    out.setSampleRate(rateOf(data[3], data[4]));
    out.setChannelCount(1 + data[5] % 8);
    out.setSampleFormat(Formats[data[6] % 4]);
    std::vector<float> samples((size - 7) / sizeof(float));
    if (!samples.empty())
        std::memcpy(samples.data(), data + 7, samples.size() * sizeof(float));
    const qint64 frames = qint64(samples.size()) / inChannels;

    FrameConverter converter(inRate, inChannels, out);
    qint64 outFrames = 0;
    // Blocks of 1, 2, 3... frames, then the rest.
    for (qint64 done = 0, block = 1; done < frames; done += block, ++block) {
        block = std::min(block, frames - done);
        const QByteArray bytes = converter.convert(samples.data() + done * inChannels, block);
        check(bytes.size() % out.bytesPerFrame() == 0);
        outFrames += bytes.size() / out.bytesPerFrame();
    }
    if (inRate == out.sampleRate())
        check(outFrames == frames);
    else if (frames > 0)
        check(std::abs(double(outFrames) - double(frames - 1) * out.sampleRate() / inRate) <= 2);
    return 0;
}
