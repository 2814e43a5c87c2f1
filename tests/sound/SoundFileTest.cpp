#include "sound/SoundFile.h"
#include "SoundFiles.h"
#include "support/ReleasedFifo.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sndfile.h>

namespace {
struct Variant {
    const char* name;
    int format;
};

const Variant variants[] = {
    {"8-bit PCM", SF_FORMAT_WAV | SF_FORMAT_PCM_U8},
    {"16-bit PCM", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
    {"24-bit PCM", SF_FORMAT_WAV | SF_FORMAT_PCM_24},
    {"32-bit PCM", SF_FORMAT_WAV | SF_FORMAT_PCM_32},
    {"float", SF_FORMAT_WAV | SF_FORMAT_FLOAT},
    {"IMA ADPCM", SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM},
    {"MS ADPCM", SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM},
    {"mu-law", SF_FORMAT_WAV | SF_FORMAT_ULAW},
    {"A-law", SF_FORMAT_WAV | SF_FORMAT_ALAW},
    {"FLAC", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
    {"Ogg Vorbis", SF_FORMAT_OGG | SF_FORMAT_VORBIS},
};
} // namespace

// Every kind of file a course may hold reads back with its length and with
// the tone it holds, from any position: a segment starts where it should.
TEST(SoundFile, ReadsEveryVariantFromAnyPosition)
{
    QTemporaryDir dir;
    for (const Variant& variant : variants) {
        SCOPED_TRACE(variant.name);
        const QString path = dir.filePath(variant.name);
        ASSERT_TRUE(writeTone(path, Tone{22050, 1, 2000, 500, 0.5, variant.format}));
        auto reader = SoundReader::open(path);
        ASSERT_TRUE(reader);
        EXPECT_NEAR(double(reader->info().lengthMs()), 2000.0, 30.0);

        std::vector<float> block(2205);
        ASSERT_EQ(reader->read(22050, 2205, block.data()), 2205);
        EXPECT_GT(shareAt(block.data(), 2205, 22050, 500), 0.8);
        // 500 Hz at 22050 Hz: frame 22050 starts a period again.
        EXPECT_NEAR(block[11], 0.5 * std::sin(2 * M_PI * 500 * 11 / 22050), 0.08);
        EXPECT_EQ(reader->read(-1, 10, block.data()), 0) << "nothing lies before the start";
    }
}

TEST(SoundFile, RefusesWhatIsNotSound)
{
    QTemporaryDir dir;
    EXPECT_FALSE(SoundReader::open(dir.filePath("missing.wav")));
    QFile text(dir.filePath("text.wav"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("RIFF\x10\0\0\0WAVEthis is no sound at all");
    text.close();
    EXPECT_FALSE(SoundReader::open(text.fileName()));
    EXPECT_FALSE(probeSoundFile(text.fileName()));
}

TEST(SoundFile, ReadingPastTheEndGivesOnlyWhatIsThere)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeTone(dir.filePath("a.wav"), Tone{8000, 2, 1000}));
    auto reader = SoundReader::open(dir.filePath("a.wav"));
    ASSERT_TRUE(reader);
    std::vector<float> block(2 * 500);
    EXPECT_EQ(reader->read(7800, 500, block.data()), 200);
    EXPECT_EQ(reader->read(8000, 500, block.data()), 0);
}

// A recording replaces what followed its start and is a complete WAV on
// disk after every write, before it is ever closed.
TEST(RecordingFile, ReplacesTheRestAndIsPlayableWhileOpen)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("rec.wav");
    ASSERT_TRUE(writeTemplate(path, 2000));
    auto recording = RecordingFile::open(path, 11025);
    ASSERT_TRUE(recording);
    EXPECT_EQ(recording->endFrame(), 11025);
    std::vector<qint16> loud(2205, 16000);
    ASSERT_TRUE(recording->writeShorts(loud.data(), 2205));

    const ReadBack midway = readSound(path);
    EXPECT_EQ(midway.frames(), 11025 + 2205);
    EXPECT_EQ(midway.sampleRate, 22050);
    EXPECT_EQ(midway.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_NEAR(midway.samples.back(), 16000.0 / 32768, 1e-4);

    ASSERT_TRUE(recording->writeSilence(1000));
    recording.reset();
    EXPECT_EQ(readSound(path).frames(), 11025 + 2205 + 1000);
}

TEST(RecordingFile, FromTheStartLeavesNothingOfTheOldSound)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("rec.wav");
    ASSERT_TRUE(writeTemplate(path, 1000));
    auto recording = RecordingFile::open(path, 0);
    ASSERT_TRUE(recording);
    recording.reset();
    EXPECT_EQ(readSound(path).frames(), 0);
    EXPECT_EQ(readSound(path).sampleRate, 22050);
}

namespace {
// Lengthens the format chunk of a WAV file to 18 bytes, as some editors
// write it (with an empty extension size).
void lengthenFormatChunk(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    ASSERT_EQ(bytes.mid(12, 4), "fmt ");
    bytes.insert(36, 2, '\0');
    bytes[16] = 18;
    const quint32 riff = quint32(bytes.size() - 8);
    for (int i = 0; i < 4; ++i)
        bytes[4 + i] = char(riff >> (8 * i));
    file.resize(0);
    file.write(bytes);
}
} // namespace

// A recording goes on over files other programs wrote: the frames kept before
// its start are the file's own, what was written reads back after them, and
// nothing is left beside the file.
TEST(RecordingFile, GoesOnOverFilesOtherProgramsWrote)
{
    struct Case {
        const char* name;
        int format;
        int channels;
        bool longFormatChunk;
    };
    const Case cases[] = {
        {"float, 18-byte format chunk", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, true},
        {"16-bit stereo, 18-byte format chunk", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, true},
        {"24-bit stereo AIFF", SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 2, false},
    };
    for (const Case& c : cases)
        for (qint64 start : {0, 5000}) {
            SCOPED_TRACE(testing::Message() << c.name << " from frame " << start);
            QTemporaryDir dir;
            const QString path = dir.filePath("rec.wav");
            ASSERT_TRUE(writeTone(path, Tone{8000, c.channels, 1000, 440, 0.5, c.format}));
            if (c.longFormatChunk)
                lengthenFormatChunk(path);
            const ReadBack before = readSound(path);
            ASSERT_EQ(before.frames(), 8000);

            auto recording = RecordingFile::open(path, start);
            ASSERT_TRUE(recording);
            const std::vector<float> quarter(size_t(2000 * c.channels), 0.25f);
            ASSERT_TRUE(recording->writeFloats(quarter.data(), 2000));
            recording.reset();

            const ReadBack after = readSound(path);
            ASSERT_EQ(after.frames(), start + 2000);
            const auto kept = before.samples.begin() + start * c.channels;
            EXPECT_TRUE(std::equal(before.samples.begin(), kept, after.samples.begin()));
            EXPECT_NEAR(after.samples[start * c.channels], 0.25, 1e-3);
            EXPECT_NEAR(after.samples.back(), 0.25, 1e-3);
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"rec.wav"});
        }
}

// A pipe, a device or a folder where a sound file belongs is refused at once,
// without being opened: a pipe would hold the window thread in open for good.
TEST(SoundFile, PipesDevicesAndFoldersAreRefusedWithoutWaiting)
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath("TSBegin.wav");
    ReleasedFifo fifo(pipe);
    ASSERT_TRUE(fifo.made());
    ASSERT_TRUE(QDir().mkdir(dir.filePath("folder.wav")));
    for (const QString& path : {pipe, dir.filePath("folder.wav"), QStringLiteral("/dev/zero")}) {
        SCOPED_TRACE(path.toStdString());
        QElapsedTimer took;
        took.start();
        EXPECT_FALSE(probeSoundFile(path));
        EXPECT_FALSE(SoundReader::open(path));
        EXPECT_FALSE(RecordingFile::open(path, 0));
        EXPECT_LT(took.elapsed(), 1000);
    }
}
