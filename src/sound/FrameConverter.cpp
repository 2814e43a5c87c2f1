#include "sound/FrameConverter.h"

#include <algorithm>
#include <cmath>

FrameConverter::FrameConverter(int inRate, int inChannels, const QAudioFormat& out)
    : inRate_(inRate), inChannels_(inChannels), out_(out),
      previous_(size_t(std::max(out.channelCount(), 1)), 0.0f)
{
}

QByteArray FrameConverter::convert(const float* in, qint64 frames)
{
    return encode(toDeviceFrames(in, frames));
}

std::vector<float> FrameConverter::toDeviceFrames(const float* in, qint64 frames)
{
    std::vector<float> mapped = mapChannels(in, frames);
    if (inRate_ != out_.sampleRate())
        mapped = resample(mapped);
    return mapped;
}

std::vector<float> FrameConverter::mapChannels(const float* in, qint64 frames) const
{
    const int outChannels = out_.channelCount();
    if (outChannels == inChannels_)
        return std::vector<float>(in, in + frames * inChannels_);
    std::vector<float> out(size_t(frames * outChannels));
    for (qint64 f = 0; f < frames; ++f) {
        const float* frame = in + f * inChannels_;
        float* target = out.data() + f * outChannels;
        if (outChannels == 1) {
            float sum = 0;
            for (int c = 0; c < inChannels_; ++c)
                sum += frame[c];
            target[0] = sum / float(inChannels_);
        } else {
            for (int c = 0; c < outChannels; ++c)
                target[c] = frame[std::min(c, inChannels_ - 1)];
        }
    }
    return out;
}

std::vector<float> FrameConverter::resample(const std::vector<float>& in)
{
    const int channels = out_.channelCount();
    const qint64 frames = qint64(in.size()) / channels;
    if (frames == 0)
        return {};
    const double step = double(inRate_) / out_.sampleRate();
    std::vector<float> out;
    out.reserve(size_t((frames / step + 2) * channels));
    for (; phase_ < double(frames - 1); phase_ += step) {
        const auto index = qint64(std::floor(phase_));
        const auto weight = float(phase_ - double(index));
        const float* a = index < 0 ? previous_.data() : in.data() + index * channels;
        const float* b = in.data() + (index + 1) * channels;
        for (int c = 0; c < channels; ++c)
            out.push_back(a[c] + (b[c] - a[c]) * weight);
    }
    phase_ -= double(frames);
    std::copy(in.end() - channels, in.end(), previous_.begin());
    return out;
}

namespace {
template <typename Sample, typename Convert>
QByteArray encodeAs(const std::vector<float>& samples, Convert convert)
{
    QByteArray out(qsizetype(samples.size() * sizeof(Sample)), Qt::Uninitialized);
    auto* target = reinterpret_cast<Sample*>(out.data());
    for (float sample : samples)
        *target++ = convert(std::clamp(sample, -1.0f, 1.0f));
    return out;
}
} // namespace

// One loop per sample format: this runs for every sample played.
QByteArray FrameConverter::encode(const std::vector<float>& samples) const
{
    switch (out_.sampleFormat()) {
    case QAudioFormat::UInt8:
        return encodeAs<quint8>(samples,
                                [](float s) { return quint8(std::lround(s * 127.0f + 128.0f)); });
    case QAudioFormat::Int16:
        return encodeAs<qint16>(samples, [](float s) { return qint16(std::lround(s * 32767.0f)); });
    case QAudioFormat::Int32:
        return encodeAs<qint32>(
            samples, [](float s) { return qint32(std::llround(double(s) * 2147483647.0)); });
    default:
        return encodeAs<float>(samples, [](float s) { return s; });
    }
}
