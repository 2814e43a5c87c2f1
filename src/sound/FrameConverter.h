#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <vector>

// Turns interleaved float frames of a file's rate and channel count into the
// bytes of the format the sound device takes: channels are spread or mixed
// down, the rate is changed by linear interpolation, and samples become the
// device's sample format. Blocks are converted one after another; the
// interpolation carries over from one block to the next.
class FrameConverter {
public:
    FrameConverter(int inRate, int inChannels, const QAudioFormat& out);

    QByteArray convert(const float* in, qint64 frames);
    // The two halves of convert, for work done on the frames in between:
    // float frames of the device's rate and channels, and their bytes.
    std::vector<float> toDeviceFrames(const float* in, qint64 frames);
    QByteArray encode(const std::vector<float>& samples) const;

private:
    std::vector<float> mapChannels(const float* in, qint64 frames) const;
    std::vector<float> resample(const std::vector<float>& in);

    int inRate_;
    int inChannels_;
    QAudioFormat out_;
    // Where the next output frame lies, in input frames from the start of the
    // next block; -1 is the last frame of the block before (previous_).
    double phase_ = 0;
    std::vector<float> previous_;
};
