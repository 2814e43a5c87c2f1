// A sound file of any bytes: when it opens at all, every read from any position
// stays within its frames, as floats and as shorts, and what is read converts
// to each device format in whole frames.
#include "FuzzSupport.h"
#include "sound/FrameConverter.h"
#include "sound/SoundFile.h"

#include <vector>

namespace {
constexpr qint64 Block = 256;

QAudioFormat deviceFormat(int rate, int channels, QAudioFormat::SampleFormat sample)
{
    QAudioFormat format;
    format.setSampleRate(rate);
    format.setChannelCount(channels);
    format.setSampleFormat(sample);
    return format;
}

void convertAll(const SoundFileInfo& info, const std::vector<float>& samples, qint64 frames)
{
    for (const QAudioFormat& format :
         {deviceFormat(44100, 2, QAudioFormat::Int16), deviceFormat(48000, 1, QAudioFormat::Float),
          deviceFormat(8000, 2, QAudioFormat::UInt8)}) {
        FrameConverter converter(info.sampleRate, info.channels, format);
        const QByteArray bytes = converter.convert(samples.data(), frames);
        check(bytes.size() % format.bytesPerFrame() == 0);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QTemporaryDir dir;
    const QString path = writeFuzzFile(dir, QStringLiteral("sound.wav"), fuzzBytes(data, size));
    const auto reader = SoundReader::open(path);
    check(bool(reader) == probeSoundFile(path).has_value());
    if (!reader)
        return 0;
    const SoundFileInfo info = reader->info();
    check(info.sampleRate > 0 && info.channels > 0 && info.frames >= 0);
    if (info.channels > 256 || info.sampleRate > 1000000)
        return 0; // no device plays that; the reads alone would be slow
    std::vector<float> floats(size_t(Block * info.channels));
    std::vector<qint16> shorts(floats.size());
    for (qint64 frame : {qint64(0), info.frames / 2, info.frames - 1, info.frames + 1}) {
        const qint64 expected = std::clamp<qint64>(info.frames - frame, 0, Block);
        const qint64 got = reader->read(frame, Block, floats.data());
        check(got >= 0 && got <= expected);
        check(reader->read(frame, Block, shorts.data()) <= expected);
        convertAll(info, floats, got);
    }
    return 0;
}
