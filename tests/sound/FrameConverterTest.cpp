#include "sound/FrameConverter.h"

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {
QAudioFormat format(int rate, int channels, QAudioFormat::SampleFormat sample)
{
    QAudioFormat f;
    f.setSampleRate(rate);
    f.setChannelCount(channels);
    f.setSampleFormat(sample);
    return f;
}

std::vector<qint16> shorts(const QByteArray& bytes)
{
    std::vector<qint16> out(size_t(bytes.size()) / 2);
    std::memcpy(out.data(), bytes.constData(), out.size() * 2);
    return out;
}

std::vector<float> floats(const QByteArray& bytes)
{
    std::vector<float> out(size_t(bytes.size()) / 4);
    std::memcpy(out.data(), bytes.constData(), out.size() * 4);
    return out;
}
} // namespace

TEST(FrameConverter, SpreadsMonoAndMixesStereoDown)
{
    const float mono[] = {0.5f, -0.25f};
    FrameConverter toStereo(8000, 1, format(8000, 2, QAudioFormat::Float));
    EXPECT_EQ(floats(toStereo.convert(mono, 2)), (std::vector<float>{0.5f, 0.5f, -0.25f, -0.25f}));

    const float stereo[] = {0.5f, 0.0f, -1.0f, 1.0f};
    FrameConverter toMono(8000, 2, format(8000, 1, QAudioFormat::Float));
    EXPECT_EQ(floats(toMono.convert(stereo, 2)), (std::vector<float>{0.25f, 0.0f}));
}

TEST(FrameConverter, SampleFormatsClampAtFullScale)
{
    const float samples[] = {1.5f, -1.5f, 0.5f, 0.0f};
    FrameConverter to16(8000, 1, format(8000, 1, QAudioFormat::Int16));
    EXPECT_EQ(shorts(to16.convert(samples, 4)), (std::vector<qint16>{32767, -32767, 16384, 0}));

    FrameConverter to8(8000, 1, format(8000, 1, QAudioFormat::UInt8));
    const QByteArray bytes = to8.convert(samples, 4);
    ASSERT_EQ(bytes.size(), 4);
    EXPECT_EQ(quint8(bytes[0]), 255);
    EXPECT_EQ(quint8(bytes[1]), 1);
    EXPECT_EQ(quint8(bytes[3]), 128);

    FrameConverter to32(8000, 1, format(8000, 1, QAudioFormat::Int32));
    EXPECT_EQ(to32.convert(samples, 4).size(), 16);
}

// A ramp doubled in rate stays a ramp, also across the seam between blocks:
// a click at every block boundary would be heard.
TEST(FrameConverter, ResamplesSmoothlyAcrossBlocks)
{
    std::vector<float> ramp(200);
    for (size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = float(i) / 1000.0f;
    FrameConverter converter(11025, 1, format(22050, 1, QAudioFormat::Float));
    std::vector<float> out;
    for (size_t at = 0; at < ramp.size(); at += 50) {
        const std::vector<float> part = floats(converter.convert(ramp.data() + at, 50));
        out.insert(out.end(), part.begin(), part.end());
    }
    ASSERT_GE(out.size(), 396u);
    ASSERT_LE(out.size(), 400u);
    for (size_t i = 0; i < out.size(); ++i)
        EXPECT_NEAR(out[i], float(i) / 2000.0f, 1e-6) << "at output frame " << i;
}

TEST(FrameConverter, DownsamplingKeepsTheDuration)
{
    std::vector<float> silence(44100, 0.0f);
    FrameConverter converter(44100, 1, format(22050, 1, QAudioFormat::Int16));
    qsizetype bytes = 0;
    for (size_t at = 0; at < silence.size(); at += 4410)
        bytes += converter.convert(silence.data() + at, 4410).size();
    EXPECT_NEAR(double(bytes / 2), 22050.0, 2.0);
}
