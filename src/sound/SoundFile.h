#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>
#include <optional>
#include <vector>

typedef struct sf_private_tag SNDFILE;

// What the engines need to know of a sound file.
struct SoundFileInfo {
    qint64 frames = 0;
    int sampleRate = 0;
    int channels = 0;
    int format = 0; // libsndfile's SF_FORMAT_* major | subtype

    qint64 lengthMs() const { return sampleRate > 0 ? frames * 1000 / sampleRate : 0; }
    qint64 frameAt(qint64 ms) const { return ms * sampleRate / 1000; }
    qint64 msAt(qint64 frame) const { return sampleRate > 0 ? frame * 1000 / sampleRate : 0; }
    // Samples wider than 16 bits are played and recorded as floats so that
    // nothing of them is lost on the way.
    bool wideSamples() const;
};

// Format and length of a file libsndfile can read; nothing if it cannot, and
// nothing, without opening it, for a pipe, a device or a folder.
std::optional<SoundFileInfo> probeSoundFile(const QString& path);

// A whole sound file with its channels mixed to one, for analysis and
// drawing rather than playing.
struct MonoSound {
    SoundFileInfo info;
    std::vector<float> samples;
};

// Nothing when libsndfile cannot read the file (or, in the program, when the
// sound module does not open).
std::optional<MonoSound> readMonoSound(const QString& path);

// Reads frames of a sound file as interleaved floats from any position.
// Lossy formats seek only approximately in libsndfile, so they are decoded
// whole at opening and read from memory; everything else streams from disk.
class SoundReader {
public:
    static std::unique_ptr<SoundReader> open(const QString& path);
    ~SoundReader();
    SoundReader(const SoundReader&) = delete;
    SoundReader& operator=(const SoundReader&) = delete;

    const SoundFileInfo& info() const { return info_; }
    // Up to `frames` frames from `frame` on into `out`; returns the frames read.
    qint64 read(qint64 frame, qint64 frames, float* out);
    qint64 read(qint64 frame, qint64 frames, qint16* out);

private:
    SoundReader() = default;
    template <typename Sample> qint64 readAs(qint64 frame, qint64 frames, Sample* out);

    SNDFILE* file_ = nullptr;
    SoundFileInfo info_;
    std::vector<float> decoded_;
    qint64 filePos_ = -1;
};

// A file being recorded into. Everything after the start frame is cut off,
// and the header is brought up to date on every write, so that whatever
// happens to the program the file on disk is a playable WAV of what was
// recorded so far.
class RecordingFile {
public:
    static std::unique_ptr<RecordingFile> open(const QString& path, qint64 startFrame);
    ~RecordingFile();
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;

    const SoundFileInfo& info() const { return info_; }
    bool writeShorts(const qint16* samples, qint64 frames);
    bool writeFloats(const float* samples, qint64 frames);
    bool writeSilence(qint64 frames);
    // Frames in the file now.
    qint64 endFrame() const { return end_; }

private:
    RecordingFile() = default;
    SNDFILE* file_ = nullptr;
    SoundFileInfo info_;
    qint64 end_ = 0;
};
