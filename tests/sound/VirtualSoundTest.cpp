// What the window tests rely on in the virtual engine: exact positions, ends
// delivered at their time inside advance(), lengths without files, and a
// device that can be made to fail.
#include "sound/MediaPlayer.h"
#include "sound/SoundEngine.h"
#include "sound/VirtualSoundEngine.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {
class VirtualSoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VirtualSound::use();
        VirtualSound::reset();
        VirtualSound::setLength("lesson.wav", 10000);
    }
    void TearDown() override { VirtualSound::reset(); }
};
} // namespace

TEST_F(VirtualSoundTest, PositionsAreExactAndTheEndComesInsideAdvance)
{
    MediaPlayer player;
    player.SetFileName("lesson.wav");
    player.Open();
    ASSERT_EQ(player.Error(), 0);
    EXPECT_EQ(player.Length(), 10000);
    std::vector<qint64> heardAt;
    QObject::connect(&player, &MediaPlayer::Notify,
                     [&] { heardAt.push_back(VirtualSound::now()); });

    player.Play(1200, 1500);
    for (int tick = 1; tick <= 5; ++tick) {
        VirtualSound::advance(50);
        EXPECT_EQ(player.Position(), 1200 + 50 * tick);
    }
    VirtualSound::advance(49);
    EXPECT_TRUE(heardAt.empty());
    VirtualSound::advance(1);
    EXPECT_EQ(heardAt, std::vector<qint64>{300});
    EXPECT_EQ(player.Position(), 1500);
}

// The lesson window's loop starts the next play from its notification
// handler; within one long advance every round ends at its own time.
TEST_F(VirtualSoundTest, AHandlerThatPlaysAgainSeesTheClockAtTheEnd)
{
    MediaPlayer player;
    player.SetFileName("lesson.wav");
    player.Open();
    std::vector<qint64> ends;
    QObject::connect(&player, &MediaPlayer::Notify, [&] {
        ends.push_back(VirtualSound::now());
        if (ends.size() < 3)
            player.Play(2000, 2400);
    });
    player.Play(2000, 2400);
    VirtualSound::advance(5000);
    EXPECT_EQ(ends, (std::vector<qint64>{400, 800, 1200}));
}

TEST_F(VirtualSoundTest, PlayersEndingInOneAdvanceNotifyInTimeOrder)
{
    MediaPlayer late;
    MediaPlayer early;
    std::vector<const char*> order;
    for (MediaPlayer* player : {&late, &early}) {
        player->SetFileName("lesson.wav");
        player->Open();
    }
    QObject::connect(&late, &MediaPlayer::Notify, [&] { order.push_back("late"); });
    QObject::connect(&early, &MediaPlayer::Notify, [&] { order.push_back("early"); });
    late.Play(0, 700);
    early.Play(0, 300);
    VirtualSound::advance(1000);
    EXPECT_EQ(order, (std::vector<const char*>{"early", "late"}));
}

// The sound test counts a card as full duplex only when playing and
// recording both start; a missing device must make it say no.
TEST_F(VirtualSoundTest, ABrokenDeviceFailsEveryStartWithOneNotification)
{
    VirtualSound::setDeviceWorking(false);
    MediaPlayer player;
    QSignalSpy notify(&player, &MediaPlayer::Notify);
    player.SetFileName("lesson.wav");
    player.Open();
    EXPECT_EQ(player.Error(), 0);
    player.Play();
    EXPECT_EQ(player.Error(), SoundNoDevice);
    EXPECT_EQ(player.Mode(), MediaPlayer::PlayerMode::Stopped);
    player.StartRecording(0, 1000);
    EXPECT_EQ(player.Error(), SoundNoDevice);
    EXPECT_NE(player.Mode(), MediaPlayer::PlayerMode::Recording);
    VirtualSound::advance(0);
    EXPECT_EQ(notify.count(), 2);
}

TEST_F(VirtualSoundTest, ARecordingWithoutALimitRunsUntilStopped)
{
    MediaPlayer recorder;
    QSignalSpy notify(&recorder, &MediaPlayer::Notify);
    recorder.SetFileName("lesson.wav");
    recorder.Open();
    recorder.StartRecording(0);
    VirtualSound::advance(100000);
    EXPECT_EQ(notify.count(), 0);
    EXPECT_EQ(recorder.Position(), 100000);
    EXPECT_EQ(recorder.Length(), 100000);
    recorder.Stop();
    VirtualSound::advance(0);
    EXPECT_EQ(notify.count(), 1);
}

// For trying windows by hand without a sound device.
TEST_F(VirtualSoundTest, InRealTimeModeTheClockFollowsTheWallClock)
{
    qputenv("TOLVAREN_SOUND", "virtual-realtime");
    MediaPlayer player;
    qunsetenv("TOLVAREN_SOUND"); // the clock keeps running for this process
    QSignalSpy notify(&player, &MediaPlayer::Notify);
    player.SetFileName("lesson.wav");
    player.Open();
    QElapsedTimer wall;
    wall.start();
    player.Play(0, 300);
    QTRY_COMPARE_WITH_TIMEOUT(notify.count(), 1, 3000);
    EXPECT_GE(wall.elapsed(), 290);
    EXPECT_EQ(player.Position(), 300);
}

// Below 100 % the clock runs as the ear does and the position through the
// file slower: the same range, its end at the scaled time, a pause resumed
// where it was heard; a recording beside it keeps real time.
TEST_F(VirtualSoundTest, ASlowerTempoStretchesTheClockNotTheFile)
{
    struct Case {
        int tempo;
        qint64 afterTwoTicks; // file position after 100 ms of the clock
        qint64 endsAt;        // clock time of the range's end
    };
    for (const Case c : {Case{100, 1300, 300}, {75, 1275, 400}, {50, 1250, 600}, {60, 1260, 500}}) {
        SCOPED_TRACE(c.tempo);
        VirtualSound::reset();
        VirtualSound::setLength("lesson.wav", 10000);
        MediaPlayer player;
        player.SetTempo(c.tempo);
        player.SetFileName("lesson.wav");
        player.Open();
        std::vector<qint64> heardAt;
        QObject::connect(&player, &MediaPlayer::Notify,
                         [&] { heardAt.push_back(VirtualSound::now()); });
        player.Play(1200, 1500);
        VirtualSound::advance(100);
        EXPECT_EQ(player.Position(), c.afterTwoTicks);
        VirtualSound::advance(c.endsAt - 101);
        EXPECT_TRUE(heardAt.empty()) << "ended before the range was heard";
        VirtualSound::advance(1);
        EXPECT_EQ(heardAt, std::vector<qint64>{c.endsAt});
        EXPECT_EQ(player.Position(), 1500);
    }
}

TEST_F(VirtualSoundTest, ATempoChangeWaitsForTheNextPlayAndNeverSlowsARecording)
{
    VirtualSound::setLength("rec.wav", 0);
    MediaPlayer player;
    player.SetFileName("lesson.wav");
    player.Open();
    player.Play(0, 1000);
    player.SetTempo(50);
    EXPECT_EQ(player.Tempo(), 50);
    VirtualSound::advance(100);
    EXPECT_EQ(player.Position(), 100) << "the play under way keeps its tempo";
    player.Pause();
    player.Play(); // resumed: at the new tempo, from where it was
    VirtualSound::advance(100);
    EXPECT_EQ(player.Position(), 150);

    MediaPlayer recorder;
    recorder.SetTempo(50);
    recorder.SetFileName("rec.wav");
    recorder.Open();
    recorder.StartRecording(0, 5000);
    VirtualSound::advance(100);
    EXPECT_EQ(recorder.Position(), 100);

    player.SetTempo(42);
    EXPECT_EQ(player.Tempo(), 50) << "only the offered tempos, 50 % the slowest";
    player.SetTempo(77);
    EXPECT_EQ(player.Tempo(), 75);
}
