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
