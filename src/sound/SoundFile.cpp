#include "sound/SoundFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sndfile.h>
#include <type_traits>

namespace {
SNDFILE* openFile(const QString& path, int mode, SoundFileInfo& info)
{
    // Opening a pipe waits for a writer, and a device is an endless stream:
    // either would hold the window thread for good. A folder holds no sound.
    if (!QFileInfo(path).isFile())
        return nullptr;
    SF_INFO sf{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), mode, &sf);
    if (!file)
        return nullptr;
    if (sf.samplerate <= 0 || sf.channels <= 0) {
        sf_close(file);
        return nullptr;
    }
    info.frames = sf.frames;
    info.sampleRate = sf.samplerate;
    info.channels = sf.channels;
    info.format = sf.format;
    return file;
}

bool seeksInexactly(int format)
{
    const int subtype = format & SF_FORMAT_SUBMASK;
    return (format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG || subtype == SF_FORMAT_VORBIS ||
           subtype == SF_FORMAT_OPUS || subtype == SF_FORMAT_MPEG_LAYER_I ||
           subtype == SF_FORMAT_MPEG_LAYER_II || subtype == SF_FORMAT_MPEG_LAYER_III;
}
} // namespace

bool SoundFileInfo::wideSamples() const
{
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
    case SF_FORMAT_DOUBLE:
        return true;
    default:
        return false;
    }
}

std::optional<SoundFileInfo> probeSoundFile(const QString& path)
{
    SoundFileInfo info;
    SNDFILE* file = openFile(path, SFM_READ, info);
    if (!file)
        return std::nullopt;
    sf_close(file);
    return info;
}

std::optional<MonoSound> readMonoSound(const QString& path)
{
    const std::unique_ptr<SoundReader> reader = SoundReader::open(path);
    if (!reader)
        return std::nullopt;
    MonoSound sound{reader->info(), {}};
    const int channels = sound.info.channels;
    std::vector<float> block(4096 * size_t(channels));
    qint64 frame = 0;
    qint64 got;
    while ((got = reader->read(frame, 4096, block.data())) > 0) {
        for (qint64 i = 0; i < got; ++i) {
            float sum = 0;
            for (int c = 0; c < channels; ++c)
                sum += block[size_t(i * channels + c)];
            sound.samples.push_back(sum / float(channels));
        }
        frame += got;
    }
    // A file cut short holds fewer frames than its header says.
    sound.info.frames = frame;
    return sound;
}

std::unique_ptr<SoundReader> SoundReader::open(const QString& path)
{
    std::unique_ptr<SoundReader> reader(new SoundReader);
    reader->file_ = openFile(path, SFM_READ, reader->info_);
    if (!reader->file_)
        return nullptr;
    if (seeksInexactly(reader->info_.format)) {
        // The frame count of a lossy stream is an estimate: the decoded
        // length is the truth.
        std::vector<float> block(4096 * size_t(reader->info_.channels));
        sf_count_t got;
        while ((got = sf_readf_float(reader->file_, block.data(), 4096)) > 0)
            reader->decoded_.insert(reader->decoded_.end(), block.begin(),
                                    block.begin() + got * reader->info_.channels);
        reader->info_.frames = qint64(reader->decoded_.size()) / reader->info_.channels;
        sf_close(reader->file_);
        reader->file_ = nullptr;
    }
    return reader;
}

SoundReader::~SoundReader()
{
    if (file_)
        sf_close(file_);
}

qint64 SoundReader::read(qint64 frame, qint64 frames, float* out)
{
    return readAs(frame, frames, out);
}

qint64 SoundReader::read(qint64 frame, qint64 frames, qint16* out)
{
    return readAs(frame, frames, out);
}

template <typename Sample> qint64 SoundReader::readAs(qint64 frame, qint64 frames, Sample* out)
{
    // Nothing lies before the first frame: a decoded file would be read outside its samples.
    frames = frame < 0 ? 0 : std::clamp<qint64>(info_.frames - frame, 0, frames);
    if (frames == 0)
        return 0;
    if (!file_) {
        const auto first = decoded_.begin() + frame * info_.channels;
        std::transform(first, first + frames * info_.channels, out, [](float s) {
            if constexpr (std::is_same_v<Sample, float>)
                return s;
            else
                return qint16(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
        });
        return frames;
    }
    if (frame != filePos_ && sf_seek(file_, frame, SEEK_SET) < 0)
        return 0;
    qint64 got;
    if constexpr (std::is_same_v<Sample, float>)
        got = sf_readf_float(file_, out, frames);
    else
        got = sf_readf_short(file_, out, frames);
    filePos_ = frame + got;
    return got;
}

namespace {
// Copies the first `frames` frames of `from` into `to` exactly: without
// normalisation the doubles carry the integer samples themselves.
bool copyFrames(SNDFILE* from, SNDFILE* to, qint64 frames, int channels)
{
    sf_command(from, SFC_SET_NORM_DOUBLE, nullptr, SF_FALSE);
    sf_command(to, SFC_SET_NORM_DOUBLE, nullptr, SF_FALSE);
    std::vector<double> block(4096 * size_t(channels));
    while (frames > 0) {
        const sf_count_t chunk = std::min<qint64>(frames, 4096);
        if (sf_readf_double(from, block.data(), chunk) != chunk ||
            sf_writef_double(to, block.data(), chunk) != chunk)
            return false;
        frames -= chunk;
    }
    return true;
}

// Samples written one by one, each under a header brought up to date: what a
// recording's file must be so that it plays whatever happens to the program.
// Compressed streams complete their file only when closed.
bool recordable(int format)
{
    const int major = format & SF_FORMAT_TYPEMASK;
    if (major == SF_FORMAT_FLAC || major == SF_FORMAT_OGG || major == SF_FORMAT_MPEG)
        return false;
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_16:
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
    case SF_FORMAT_DOUBLE:
    case SF_FORMAT_ULAW:
    case SF_FORMAT_ALAW:
        return true;
    default:
        return false;
    }
}

// A new file at `path` in the format of `info`, holding the first `start`
// frames of `old`, which is closed.
SNDFILE* rewrite(const QString& path, SNDFILE* old, const SoundFileInfo& info, qint64 start)
{
    SF_INFO sf{};
    sf.samplerate = info.sampleRate;
    sf.channels = info.channels;
    sf.format = info.format;
    if (start == 0) {
        sf_close(old);
        return sf_format_check(&sf) ? sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &sf)
                                    : nullptr;
    }
    // The kept frames go into a file beside it, which then takes the name.
    const QString part = path + QStringLiteral(".part");
    SNDFILE* file = sf_format_check(&sf)
                        ? sf_open(QFile::encodeName(part).constData(), SFM_WRITE, &sf)
                        : nullptr;
    const bool copied = file && copyFrames(old, file, start, info.channels);
    sf_close(old);
    if (copied &&
        std::rename(QFile::encodeName(part).constData(), QFile::encodeName(path).constData()) == 0)
        return file;
    if (file)
        sf_close(file);
    QFile::remove(part);
    return nullptr;
}
} // namespace

std::unique_ptr<RecordingFile> RecordingFile::open(const QString& path, qint64 startFrame)
{
    // The file is written anew by libsndfile from its first byte, never
    // changed in place: its read-write open rewrites a header it did not
    // write in its own layout without moving the samples (an 18-byte format
    // chunk becomes 16, and every sample after it reads shifted), and some
    // damaged AIFF headers make it read past its buffer.
    std::unique_ptr<RecordingFile> recording(new RecordingFile);
    SNDFILE* old = openFile(path, SFM_READ, recording->info_);
    if (!old)
        return nullptr;
    if (!recordable(recording->info_.format)) {
        sf_close(old);
        return nullptr;
    }
    const qint64 start = std::clamp<qint64>(startFrame, 0, recording->info_.frames);
    recording->file_ = rewrite(path, old, recording->info_, start);
    if (!recording->file_)
        return nullptr;
    sf_command(recording->file_, SFC_SET_UPDATE_HEADER_AUTO, nullptr, SF_TRUE);
    recording->end_ = start;
    recording->info_.frames = start;
    return recording;
}

RecordingFile::~RecordingFile()
{
    if (file_)
        sf_close(file_);
}

bool RecordingFile::writeShorts(const qint16* samples, qint64 frames)
{
    const qint64 written = sf_writef_short(file_, samples, frames);
    end_ += written;
    info_.frames = end_;
    return written == frames;
}

bool RecordingFile::writeFloats(const float* samples, qint64 frames)
{
    const qint64 written = sf_writef_float(file_, samples, frames);
    end_ += written;
    info_.frames = end_;
    return written == frames;
}

bool RecordingFile::writeSilence(qint64 frames)
{
    const std::vector<qint16> zeros(4096 * size_t(info_.channels), 0);
    while (frames > 0) {
        const qint64 chunk = std::min<qint64>(frames, 4096);
        if (!writeShorts(zeros.data(), chunk))
            return false;
        frames -= chunk;
    }
    return true;
}
