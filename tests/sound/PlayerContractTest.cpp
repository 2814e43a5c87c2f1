#include "PlayerContract.h"
#include "SoundFiles.h"
#include "sound/MediaPlayer.h"
#include "sound/SoundEngine.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sndfile.h>

namespace {
using Mode = MediaPlayer::PlayerMode;

class PlayerContract : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(setUpSound());
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(writeTone(path("tone.wav"), Tone{22050, 1, 3000, 440}));
    }
    QString path(const char* name) const { return dir.filePath(name); }
    void openTone(MediaPlayer& player) const
    {
        player.SetFileName(path("tone.wav"));
        player.Open();
        ASSERT_EQ(player.Error(), 0);
    }

    QTemporaryDir dir;
};
} // namespace

TEST_F(PlayerContract, ARangePlaysForItsLengthAndNotifiesOnce)
{
    MediaPlayer player;
    ASSERT_NO_FATAL_FAILURE(openTone(player));
    EXPECT_EQ(player.Mode(), Mode::Stopped);
    EXPECT_EQ(player.Length(), 3000);
    QSignalSpy notify(&player, &MediaPlayer::Notify);

    player.Play(1000, 1600);
    EXPECT_EQ(player.Error(), 0);
    EXPECT_EQ(player.Mode(), Mode::Playing);
    letPass(450);
    EXPECT_EQ(notify.count(), 0) << "ended before its end position";
    EXPECT_NEAR(double(player.Position()), 1450.0, double(toleranceMs() + slackMs()));
    letPass(150 + slackMs());
    EXPECT_EQ(notify.count(), 1);
    EXPECT_EQ(player.Position(), 1600) << "a segment stops exactly at its end";
    EXPECT_EQ(player.Mode(), Mode::Stopped);
    letPass(300);
    EXPECT_EQ(notify.count(), 1);
}

// The lesson window and the interpretation trainer recognise the end of the
// lesson by Position equal to Length.
TEST_F(PlayerContract, PlayingToTheEndLeavesThePositionAtTheLength)
{
    MediaPlayer player;
    ASSERT_NO_FATAL_FAILURE(openTone(player));
    QSignalSpy notify(&player, &MediaPlayer::Notify);
    player.Play(2700);
    letPass(300 + slackMs());
    EXPECT_EQ(notify.count(), 1);
    EXPECT_EQ(player.Position(), player.Length());
}

// Nothing to play is a play that ends at once: a window waiting for its
// notification gets it, and sees the player stopped.
TEST_F(PlayerContract, AnEmptyRangeEndsAtOnceStopped)
{
    MediaPlayer player;
    ASSERT_NO_FATAL_FAILURE(openTone(player));
    QSignalSpy notify(&player, &MediaPlayer::Notify);
    const struct {
        const char* what;
        std::optional<qint64> from, to;
        qint64 position;
    } cases[] = {
        {"a range from and to one position", 1200, 1200, 1200},
        {"an item without timing", 0, 0, 0},
        {"a range beyond the end of the file", 3500, 4000, 3000},
        {"play on at the end of the file", std::nullopt, std::nullopt, 3000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        notify.clear();
        player.Play(c.from, c.to);
        EXPECT_EQ(player.Error(), 0);
        EXPECT_EQ(player.Mode(), Mode::Stopped);
        letPass(0);
        EXPECT_EQ(notify.count(), 1);
        EXPECT_EQ(player.Mode(), Mode::Stopped);
        EXPECT_EQ(player.Position(), c.position);
        letPass(100);
        EXPECT_EQ(notify.count(), 1);
    }
}

TEST_F(PlayerContract, StopAndASupersedingPlayEachNotifyOnceAndLater)
{
    MediaPlayer player;
    ASSERT_NO_FATAL_FAILURE(openTone(player));
    QSignalSpy notify(&player, &MediaPlayer::Notify);

    player.Play(0);
    letPass(200);
    player.Play(2000, 2300); // supersedes the first
    EXPECT_EQ(notify.count(), 0) << "the notification must not come inside the call";
    letPass(0);
    EXPECT_EQ(notify.count(), 1);
    EXPECT_EQ(player.Mode(), Mode::Playing);

    letPass(100);
    player.Stop();
    const qint64 stoppedAt = player.Position();
    EXPECT_NEAR(double(stoppedAt), 2100.0, double(toleranceMs() + slackMs()));
    EXPECT_EQ(player.Mode(), Mode::Stopped);
    letPass(500);
    EXPECT_EQ(notify.count(), 2);
    EXPECT_EQ(player.Position(), stoppedAt) << "a stopped player keeps its position";

    player.Stop(); // nothing runs: nothing to notify
    player.Close();
    letPass(100);
    EXPECT_EQ(notify.count(), 2);
}

TEST_F(PlayerContract, PauseAndResumeKeepThePosition)
{
    MediaPlayer player;
    ASSERT_NO_FATAL_FAILURE(openTone(player));
    QSignalSpy notify(&player, &MediaPlayer::Notify);
    player.Play(0, 1000);
    letPass(400);
    player.Pause();
    EXPECT_EQ(player.Mode(), Mode::Paused);
    const qint64 pausedAt = player.Position();
    EXPECT_NEAR(double(pausedAt), 400.0, double(toleranceMs() + slackMs()));
    letPass(300);
    EXPECT_EQ(player.Position(), pausedAt);
    EXPECT_EQ(notify.count(), 0) << "a pause does not end the play";

    player.Play(); // goes on from where it paused, to the end of the file now
    letPass(0);
    EXPECT_EQ(notify.count(), 1) << "resuming is a new play; the paused one ended";
    EXPECT_EQ(player.Mode(), Mode::Playing);
    letPass(200);
    EXPECT_NEAR(double(player.Position()), double(pausedAt + 200),
                double(toleranceMs() + slackMs()));
    player.Stop();
    letPass(0);
    EXPECT_EQ(notify.count(), 2);
}

// Save, like Close, ends whatever runs: a play too.
TEST_F(PlayerContract, SavingAPlayingPlayerEndsThePlayLikeStop)
{
    MediaPlayer player;
    ASSERT_NO_FATAL_FAILURE(openTone(player));
    QSignalSpy notify(&player, &MediaPlayer::Notify);
    player.Play(0, 2000);
    letPass(200);
    player.Save();
    EXPECT_EQ(player.Error(), 0);
    EXPECT_EQ(player.Mode(), Mode::Stopped);
    const qint64 savedAt = player.Position();
    EXPECT_NEAR(double(savedAt), 200.0, double(toleranceMs() + slackMs()));
    letPass(300);
    EXPECT_EQ(notify.count(), 1);
    EXPECT_EQ(player.Position(), savedAt);
}

TEST_F(PlayerContract, ClosingAPlayingPlayerNotifiesOnce)
{
    MediaPlayer player;
    ASSERT_NO_FATAL_FAILURE(openTone(player));
    QSignalSpy notify(&player, &MediaPlayer::Notify);
    player.Play();
    letPass(100);
    player.Close();
    EXPECT_EQ(player.Mode(), Mode::NotReady);
    EXPECT_EQ(player.Error(), 0);
    letPass(300);
    EXPECT_EQ(notify.count(), 1);
}

// The recorder of the interpretation trainer: a file copied from the template
// is recorded into from position 0 up to a limit, paused and resumed, and
// saved in the template's format; the template's own sound is replaced.
TEST_F(PlayerContract, RecordingReplacesTheFileUpToItsLimitInTheTemplateFormat)
{
    ASSERT_TRUE(writeTemplate(path("rec.wav"), 2000));
    MediaPlayer recorder;
    recorder.SetFileName(path("rec.wav"));
    recorder.Open();
    ASSERT_EQ(recorder.Error(), 0);
    QSignalSpy notify(&recorder, &MediaPlayer::Notify);

    recorder.StartRecording(0, 900);
    EXPECT_EQ(recorder.Error(), 0);
    EXPECT_EQ(recorder.Mode(), Mode::Recording);
    letPass(400);
    recorder.Pause();
    EXPECT_EQ(recorder.Mode(), Mode::Paused);
    const qint64 pausedAt = recorder.Position();
    EXPECT_NEAR(double(pausedAt), 400.0, double(toleranceMs() + slackMs()));
    recorder.StartRecording(std::nullopt, 900);
    letPass(0);
    EXPECT_EQ(notify.count(), 1);
    letPass(500 + slackMs());
    EXPECT_EQ(notify.count(), 2) << "the recording ends at its limit";
    EXPECT_EQ(recorder.Position(), 900);
    recorder.Save();
    EXPECT_EQ(recorder.Error(), 0);
    recorder.Close();

    const ReadBack saved = readSound(path("rec.wav"));
    EXPECT_EQ(saved.sampleRate, 22050);
    EXPECT_EQ(saved.channels, 1);
    EXPECT_EQ(saved.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_EQ(saved.frames(), 900 * 22050 / 1000);
}

TEST_F(PlayerContract, PlayAndRecordAtOnce)
{
    ASSERT_TRUE(writeTemplate(path("rec.wav")));
    MediaPlayer player;
    MediaPlayer recorder;
    ASSERT_NO_FATAL_FAILURE(openTone(player));
    recorder.SetFileName(path("rec.wav"));
    recorder.Open();
    player.Play();
    recorder.StartRecording(0, 10000);
    EXPECT_EQ(player.Mode(), Mode::Playing);
    EXPECT_EQ(recorder.Mode(), Mode::Recording);
    letPass(300);
    EXPECT_EQ(player.Mode(), Mode::Playing);
    EXPECT_EQ(recorder.Mode(), Mode::Recording);
    EXPECT_GT(recorder.Position(), 0);
    player.Stop();
    recorder.Stop();
    recorder.Save();
    EXPECT_EQ(recorder.Error(), 0);
    EXPECT_EQ(recorder.Length(), recorder.Position());
}

TEST_F(PlayerContract, AMissingOrNonSoundFileIsAnErrorAndAPlayStillNotifies)
{
    QFile text(path("text.wav"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a sound file");
    text.close();
    for (const char* name : {"missing.wav", "text.wav"}) {
        SCOPED_TRACE(name);
        MediaPlayer player;
        QSignalSpy notify(&player, &MediaPlayer::Notify);
        player.SetFileName(path(name));
        player.Open();
        EXPECT_NE(player.Error(), 0);
        EXPECT_FALSE(MediaPlayer::ErrorText(player.Error()).isEmpty());
        EXPECT_EQ(player.Mode(), Mode::NotReady);
        player.Play(0, 100);
        EXPECT_NE(player.Error(), 0);
        EXPECT_EQ(player.Mode(), Mode::NotReady);
        player.StartRecording(0, 100);
        letPass(0);
        EXPECT_EQ(notify.count(), 2);
        player.Stop();
        EXPECT_NE(player.Error(), 0);
        EXPECT_EQ(player.Position(), 0);
        EXPECT_EQ(player.Length(), 0);
    }
}

TEST_F(PlayerContract, AFileThatCannotBeRecordedIntoIsAnError)
{
    // libsndfile cannot rewrite a compressed file in place.
    ASSERT_TRUE(writeTone(path("flac.flac"),
                          Tone{22050, 1, 500, 440, 0.5, SF_FORMAT_FLAC | SF_FORMAT_PCM_16}));
    MediaPlayer recorder;
    QSignalSpy notify(&recorder, &MediaPlayer::Notify);
    recorder.SetFileName(path("flac.flac"));
    recorder.Open();
    ASSERT_EQ(recorder.Error(), 0);
    recorder.StartRecording(0, 1000);
    EXPECT_EQ(recorder.Error(), SoundWriteError);
    EXPECT_EQ(recorder.Mode(), Mode::Stopped);
    letPass(0);
    EXPECT_EQ(notify.count(), 1);
    recorder.Play(0, 100); // the file still plays
    EXPECT_EQ(recorder.Error(), 0);
}
