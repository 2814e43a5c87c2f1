// A recording opened over a file of any bytes, from any start frame: when it
// opens, what is written after the start is all there when the file is read
// back, and the frames before the start stay.
#include "FuzzSupport.h"
#include "sound/SoundFile.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    static const QTemporaryDir dir;
    const QString path =
        writeFuzzFile(dir, QStringLiteral("rec.wav"), fuzzBytes(data + 2, size - 2));
    const std::optional<SoundFileInfo> before = probeSoundFile(path);
    const qint64 startFrame = data[0] << 8 | data[1];
    qint64 end = 0;
    {
        const auto recording = RecordingFile::open(path, startFrame);
        if (!recording)
            return 0;
        check(before.has_value());
        const int channels = recording->info().channels;
        if (channels > 64)
            return 0;
        check(recording->endFrame() == std::min(startFrame, before->frames));
        const std::vector<qint16> shorts(size_t(100 * channels), 1000);
        const std::vector<float> floats(size_t(50 * channels), 0.25f);
        if (!recording->writeShorts(shorts.data(), 100) ||
            !recording->writeFloats(floats.data(), 50) || !recording->writeSilence(30))
            return 0; // a format that cannot take these samples: nothing to read back
        end = recording->endFrame();
        check(end == std::min(startFrame, before->frames) + 180);
    }
    const std::optional<SoundFileInfo> after = probeSoundFile(path);
    check(after && after->frames == end && after->channels == before->channels);
    return 0;
}
