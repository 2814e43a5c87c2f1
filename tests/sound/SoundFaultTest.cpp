// Without a sound server, and when it dies in the middle: errors, one
// notification for each play or recording that was started, no hang.
// The sound back end connects once per process, so each case must run in a
// process of its own (CTest runs every case alone).
#include "SoundFiles.h"
#include "sound/MediaPlayer.h"
#include "sound/SoundEngine.h"
#include "support/HeardSound.h"
#include "support/SoundServer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

namespace {
using Mode = MediaPlayer::PlayerMode;

struct Players {
    MediaPlayer player;
    MediaPlayer recorder;
    QSignalSpy played{&player, &MediaPlayer::Notify};
    QSignalSpy recorded{&recorder, &MediaPlayer::Notify};

    explicit Players(const QTemporaryDir& dir)
    {
        EXPECT_TRUE(writeTone(dir.filePath("tone.wav"), Tone{22050, 1, 5000}));
        EXPECT_TRUE(writeTemplate(dir.filePath("rec.wav")));
        player.SetFileName(dir.filePath("tone.wav"));
        recorder.SetFileName(dir.filePath("rec.wav"));
        player.Open();
        recorder.Open();
        EXPECT_EQ(player.Error(), 0);
        EXPECT_EQ(recorder.Error(), 0);
    }
};
} // namespace

TEST(SoundFault, WithoutASoundServerPlayAndRecordFailAndNotify)
{
    qputenv("PULSE_SERVER", "unix:/nonexistent/tolvaren/native");
    QTemporaryDir dir;
    Players sound(dir);
    QElapsedTimer took;
    took.start();
    sound.player.Play();
    sound.recorder.StartRecording(0, 1000);
    EXPECT_EQ(sound.player.Error(), SoundNoDevice);
    EXPECT_EQ(sound.recorder.Error(), SoundNoDevice);
    EXPECT_NE(sound.player.Mode(), Mode::Playing);
    EXPECT_NE(sound.recorder.Mode(), Mode::Recording);
    QTRY_COMPARE_WITH_TIMEOUT(sound.played.count(), 1, 2000);
    QTRY_COMPARE_WITH_TIMEOUT(sound.recorded.count(), 1, 2000);
    EXPECT_LT(took.elapsed(), 3000);
    QTest::qWait(200);
    EXPECT_EQ(sound.played.count(), 1);
    EXPECT_EQ(sound.recorded.count(), 1);
}

TEST(SoundFault, AServerDyingMidPlayEndsBothWithAnError)
{
    const OwnSoundServer server;
    ASSERT_TRUE(server.started());

    QTemporaryDir dir;
    Players sound(dir);
    sound.player.Play();
    sound.recorder.StartRecording(0, 5000);
    ASSERT_EQ(sound.player.Error(), 0);
    ASSERT_EQ(sound.recorder.Error(), 0);
    // Something recorded has reached the file.
    QTRY_VERIFY_WITH_TIMEOUT(readSound(dir.filePath("rec.wav")).frames() > 22050 / 5, 3000);
    ::kill(pid_t(server.pid()), SIGKILL);

    QTRY_COMPARE_WITH_TIMEOUT(sound.played.count(), 1, 4000);
    QTRY_COMPARE_WITH_TIMEOUT(sound.recorded.count(), 1, 4000);
    EXPECT_NE(sound.player.Error(), 0);
    EXPECT_NE(sound.recorder.Error(), 0);
    EXPECT_EQ(sound.player.Mode(), Mode::Stopped);
    EXPECT_EQ(sound.recorder.Mode(), Mode::Stopped);
    EXPECT_GT(sound.recorder.Position(), 0);

    // What was recorded before the fault is in the file.
    sound.recorder.Save();
    sound.recorder.Close();
    EXPECT_GT(readSound(dir.filePath("rec.wav")).frames(), 0);

    // Later commands fail cleanly too.
    sound.player.Play(0, 500);
    QTRY_COMPARE_WITH_TIMEOUT(sound.played.count(), 2, 4000);
    EXPECT_NE(sound.player.Error(), 0);
}

// A sound server that dies and is started again (the desktop restarts it) is
// found again by the next Open: the lesson is heard, not silence.
TEST(SoundFault, AServerThatComesBackIsHeardAfterTheNextOpen)
{
    OwnSoundServer server;
    ASSERT_TRUE(server.started());
    QTemporaryDir dir;
    constexpr int Rate = MonitorCapture::Rate;
    const std::vector<float> file = noise(Rate);
    ASSERT_TRUE(writeSamples(dir.filePath("noise.wav"), Rate, file));
    MediaPlayer player;
    QSignalSpy notify(&player, &MediaPlayer::Notify);
    const auto playAndHear = [&] {
        player.SetFileName(dir.filePath("noise.wav"));
        player.Open();
        MonitorCapture capture;
        notify.clear();
        player.Play(200, 700);
        EXPECT_TRUE(QTest::qWaitFor([&] { return notify.count() == 1; }, 4000));
        QTest::qWait(200);
        return findHeard(capture.samples(), file, Rate);
    };
    std::vector<HeardPiece> heard = playAndHear();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_GE(heard[0].fileFrame, 0);

    server.kill();
    // Longer than Qt's own next try, which finds no server and gives up.
    QTest::qWait(4000);
    notify.clear();
    player.Open();
    player.Play(0, 300);
    QTRY_COMPARE_WITH_TIMEOUT(notify.count(), 1, 4000);
    EXPECT_EQ(player.Error(), SoundNoDevice) << "no server, no sound";
    ASSERT_TRUE(server.start());
    heard = playAndHear();
    EXPECT_EQ(player.Error(), 0);
    ASSERT_EQ(heard.size(), 1u) << "silent after the server came back";
    EXPECT_NEAR(heard[0].fileStartMs(Rate), 200, 10);
}

// No sound server when the first sound is asked for (the desktop's server
// starts late, or the headphones' server is restarted): the play fails at
// once, and once the server is up the next play is heard, without a
// restart of the program.
TEST(SoundFault, AServerMissingAtTheFirstSoundIsFoundWhenItComesUp)
{
    OwnSoundServer server;
    server.kill(); // its address is set, but nothing answers there
    QTemporaryDir dir;
    constexpr int Rate = MonitorCapture::Rate;
    const std::vector<float> file = noise(Rate);
    ASSERT_TRUE(writeSamples(dir.filePath("noise.wav"), Rate, file));
    ASSERT_TRUE(writeTemplate(dir.filePath("rec.wav")));
    MediaPlayer player;
    MediaPlayer recorder;
    QSignalSpy notify(&player, &MediaPlayer::Notify);
    player.SetFileName(dir.filePath("noise.wav"));
    recorder.SetFileName(dir.filePath("rec.wav"));
    player.Open();
    player.Play(0, 300);
    recorder.Open();
    recorder.StartRecording(0, 300);
    EXPECT_EQ(player.Error(), SoundNoDevice);
    EXPECT_EQ(recorder.Error(), SoundNoDevice);
    ASSERT_TRUE(QTest::qWaitFor([&] { return notify.count() == 1; }, 2000));

    ASSERT_TRUE(server.start());
    MonitorCapture capture;
    ASSERT_TRUE(capture.recording()) << "the server is up";
    notify.clear();
    player.Play(200, 700);
    EXPECT_EQ(player.Error(), 0) << "the server that came up is not found";
    EXPECT_TRUE(QTest::qWaitFor([&] { return notify.count() == 1; }, 4000));
    QTest::qWait(200);
    const std::vector<HeardPiece> heard = findHeard(capture.samples(), file, Rate);
    ASSERT_EQ(heard.size(), 1u) << "silent after the server came up";
    EXPECT_NEAR(heard[0].fileStartMs(Rate), 200, 10);
    recorder.StartRecording(0, 300);
    EXPECT_EQ(recorder.Error(), 0) << "nothing can be recorded after the server came up";
}
