// What only a real device shows: the position keeps to wall time, and a
// recording of the test server's monitor holds what another player played.
#include "PlayerContract.h"
#include "SoundFiles.h"
#include "sound/MediaPlayer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <iostream>
#include <sndfile.h>
#include <utility>

TEST(RealSound, PositionAdvancesWithWallTimeOnceStarted)
{
    ASSERT_NO_FATAL_FAILURE(setUpSound());
    QTemporaryDir dir;
    ASSERT_TRUE(writeTone(dir.filePath("tone.wav"), Tone{44100, 2, 2500, 440}));
    MediaPlayer player;
    player.SetFileName(dir.filePath("tone.wav"));
    player.Open();
    ASSERT_EQ(player.Error(), 0);

    QElapsedTimer wall;
    wall.start();
    player.Play(0, 2500);
    QTRY_VERIFY_WITH_TIMEOUT(player.Position() > 0, 1000);
    const qint64 startedAfter = wall.elapsed();
    const qint64 wall0 = wall.elapsed();
    const qint64 position0 = player.Position();
    qint64 worst = 0;
    qint64 last = position0;
    while (wall.elapsed() - wall0 < 1500) {
        QTest::qWait(50);
        const qint64 position = player.Position();
        EXPECT_GE(position, last) << "the position went back";
        last = position;
        worst = std::max(worst, std::abs((position - position0) - (wall.elapsed() - wall0)));
    }
    std::cout << "sound started after " << startedAfter << " ms; position strayed at most " << worst
              << " ms from wall time" << std::endl;
    EXPECT_LT(startedAfter, 500);
    EXPECT_LT(worst, 80);
}

// Full duplex as the interpretation trainer uses it: the recorder hears what
// the lesson player plays, at its frequency and level, shortly after the
// recorder's position at the moment the play began.
TEST(RealSound, ARecordingMadeWhilePlayingHoldsThePlayedTone)
{
    ASSERT_NO_FATAL_FAILURE(setUpSound());
    QTemporaryDir dir;
    const double hz = 1250; // a frequency no other sound test plays
    ASSERT_TRUE(writeTone(dir.filePath("tone.wav"), Tone{22050, 1, 800, hz, 0.5}));
    ASSERT_TRUE(writeTemplate(dir.filePath("rec.wav")));
    MediaPlayer player;
    MediaPlayer recorder;
    player.SetFileName(dir.filePath("tone.wav"));
    player.Open();
    recorder.SetFileName(dir.filePath("rec.wav"));
    recorder.Open();
    QSignalSpy recorded(&recorder, &MediaPlayer::Notify);

    recorder.StartRecording(0, 1800);
    ASSERT_EQ(recorder.Error(), 0);
    QTest::qWait(300);
    const qint64 playStartedAt = recorder.Position();
    player.Play();
    ASSERT_EQ(player.Error(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(recorded.count(), 1, 4000);
    recorder.Save();
    ASSERT_EQ(recorder.Error(), 0);

    const ReadBack back = readSound(dir.filePath("rec.wav"));
    ASSERT_EQ(back.frames(), 1800 * 22050 / 1000);
    // The onset: the first 5 ms window loud with the tone.
    const qint64 window = 22050 / 200;
    qint64 onset = -1;
    for (qint64 at = 0; at + window <= back.frames() && onset < 0; at += window / 4)
        if (amplitudeAt(back.samples.data() + at, window, 22050, hz) > 0.25)
            onset = at;
    ASSERT_GE(onset, 0) << "the played tone is not in the recording";
    const qint64 offsetMs = onset * 1000 / 22050 - playStartedAt;
    std::cout << "the tone landed " << offsetMs << " ms after the recorder's position at Play"
              << std::endl;
    EXPECT_GT(offsetMs, -100);
    EXPECT_LT(offsetMs, 400);

    // Within the tone: its frequency, at the level it was played with. Other
    // sound tests may play at the same time; their tones are elsewhere.
    const float* middle = back.samples.data() + onset + 22050 / 5;
    const qint64 n = 22050 * 2 / 5;
    EXPECT_NEAR(amplitudeAt(middle, n, 22050, hz), 0.5, 0.05);
    EXPECT_LT(amplitudeAt(middle, n, 22050, hz - 150), 0.05);
    EXPECT_LT(amplitudeAt(middle, n, 22050, hz + 150), 0.05);
}

// Wide, compressed and odd-rate files go through the conversion to the
// device's format, and still end exactly at their end position.
TEST(RealSound, FilesOfEveryKindPlayTheirSegment)
{
    ASSERT_NO_FATAL_FAILURE(setUpSound());
    QTemporaryDir dir;
    const std::pair<const char*, Tone> files[] = {
        {"24-bit stereo 48 kHz", Tone{48000, 2, 600, 440, 0.5, SF_FORMAT_WAV | SF_FORMAT_PCM_24}},
        {"IMA ADPCM 11025 Hz", Tone{11025, 1, 600, 440, 0.5, SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM}},
        {"8-bit 8000 Hz", Tone{8000, 1, 600, 440, 0.5, SF_FORMAT_WAV | SF_FORMAT_PCM_U8}},
    };
    for (const auto& [name, tone] : files) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(name);
        ASSERT_TRUE(writeTone(path, tone));
        MediaPlayer player;
        QSignalSpy notify(&player, &MediaPlayer::Notify);
        player.SetFileName(path);
        player.Open();
        ASSERT_EQ(player.Error(), 0);
        QElapsedTimer took;
        took.start();
        player.Play(200, 500);
        EXPECT_EQ(player.Error(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(notify.count(), 1, 2000);
        EXPECT_LT(took.elapsed(), 300 + slackMs() + 200) << "the end was not seen when it came";
        EXPECT_EQ(player.Error(), 0);
        EXPECT_EQ(player.Position(), 500);
    }
}
