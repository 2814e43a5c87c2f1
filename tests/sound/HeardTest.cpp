// What the test server really played, and what a recording really holds:
// the monitor is recorded and cross-correlated with the file, so a sound that
// comes late, early, cut short, twice or not at all is seen.
#include "PlayerContract.h"
#include "SoundFiles.h"
#include "sound/MediaPlayer.h"
#include "support/HeardSound.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <iostream>

namespace {
constexpr int Rate = MonitorCapture::Rate;

class Heard : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(setUpSound());
        ASSERT_TRUE(writeSamples(path("noise.wav"), Rate, file));
        player.SetFileName(path("noise.wav"));
        player.Open();
        ASSERT_EQ(player.Error(), 0);
    }
    QString path(const char* name) const { return dir.filePath(name); }
    // What the monitor holds once the server has played everything out.
    std::vector<HeardPiece> heard(MonitorCapture& capture) const
    {
        QTest::qWait(200);
        return findHeard(capture.samples(), file, Rate);
    }

    QTemporaryDir dir;
    const std::vector<float> file = noise(3 * Rate);
    MediaPlayer player;
    QSignalSpy notify{&player, &MediaPlayer::Notify};
};

void expectOnePiece(const std::vector<HeardPiece>& pieces, double fromMs, double toMs)
{
    ASSERT_EQ(pieces.size(), 1u) << "heard in " << pieces.size() << " pieces";
    ASSERT_GE(pieces[0].fileFrame, 0) << "what was heard is not from the file";
    const double start = pieces[0].fileStartMs(Rate) - fromMs;
    const double end = pieces[0].fileEndMs(Rate) - toMs;
    std::cout << "range " << fromMs << ".." << toMs << " ms heard from " << start << " ms to "
              << end << " ms off its ends" << std::endl;
    EXPECT_LE(std::abs(start), 10.0);
    EXPECT_LE(std::abs(end), 10.0);
    EXPECT_GE(double(pieces[0].frames) * 1000 / Rate, 0.9 * (toMs - fromMs)) << "cut short";
}
} // namespace

TEST_F(Heard, EveryRangeIsHeardWholeDownToOneFrame)
{
    for (const auto& [from, to] : {std::pair{1000, 1010}, {500, 520}, {1200, 1300}, {400, 2400}}) {
        SCOPED_TRACE(to - from);
        MonitorCapture capture;
        ASSERT_TRUE(capture.recording());
        notify.clear();
        player.Play(from, to);
        ASSERT_EQ(player.Error(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(notify.count(), 1, 5000);
        EXPECT_EQ(player.Position(), to);
        EXPECT_EQ(player.Mode(), MediaPlayer::PlayerMode::Stopped);
        expectOnePiece(heard(capture), from, to);
    }
}

TEST_F(Heard, APauseAndResumeLosesAndRepeatsNothing)
{
    MonitorCapture capture;
    player.Play(300, 1800);
    QTest::qWait(600);
    player.Pause();
    const qint64 pausedAt = player.Position();
    QTest::qWait(300);
    player.Play(std::nullopt, 1800);
    QTRY_COMPARE_WITH_TIMEOUT(notify.count(), 2, 5000);
    const std::vector<HeardPiece> pieces = heard(capture);
    ASSERT_EQ(pieces.size(), 2u) << "the pause is not a gap in the sound";
    const double stoppedAt = pieces[0].fileEndMs(Rate);
    const double resumedAt = pieces[1].fileStartMs(Rate);
    std::cout << "paused at " << pausedAt << " ms: heard up to " << stoppedAt << " ms, resumed at "
              << resumedAt << " ms" << std::endl;
    EXPECT_NEAR(pieces[0].fileStartMs(Rate), 300, 10);
    EXPECT_NEAR(stoppedAt, double(pausedAt), 10) << "the position is not what was heard";
    EXPECT_NEAR(resumedAt, stoppedAt, 10) << "lost (>0) or repeated (<0) at the pause";
    EXPECT_NEAR(pieces[1].fileEndMs(Rate), 1800, 10);
}

// The interpretation trainer's timing: the recorder's position p at a moment
// is where the recording holds what the player played at that moment, and a
// recording's end is announced when that end is being recorded.
TEST_F(Heard, ARecordingHoldsAtPositionPWhatWasPlayedAtP)
{
    ASSERT_TRUE(writeSamples(path("rec.wav"), Rate, {}));
    MediaPlayer recorder;
    recorder.SetFileName(path("rec.wav"));
    recorder.Open();
    ASSERT_EQ(recorder.Error(), 0);
    qint64 playedAtEnd = -1;
    QObject::connect(&recorder, &MediaPlayer::Notify, [&] { playedAtEnd = player.Position(); });

    const qint64 limit = 1600;
    recorder.StartRecording(0, limit);
    ASSERT_EQ(recorder.Error(), 0);
    QTest::qWait(200);
    player.Play(0);
    std::vector<std::pair<qint64, qint64>> positions; // player's, recorder's
    while (playedAtEnd < 0 && positions.size() < 1000) {
        QTest::qWait(15);
        // The recorder asked between two looks at the player: on a busy
        // machine the test may be held up between two calls, and a pair
        // taken then is of two moments apart.
        const qint64 before = player.Position();
        const qint64 recorded = recorder.Position();
        const qint64 after = player.Position();
        if (before > 0 && after - before <= 2 &&
            recorder.Mode() == MediaPlayer::PlayerMode::Recording)
            positions.emplace_back((before + after) / 2, recorded);
    }
    recorder.Save();
    ASSERT_EQ(recorder.Error(), 0);
    ASSERT_GT(positions.size(), 20u);

    const ReadBack back = readSound(path("rec.wav"));
    ASSERT_EQ(back.frames(), limit * Rate / 1000) << "the recording is not as long as asked";
    const std::vector<HeardPiece> pieces = findHeard(back.samples, file, Rate);
    ASSERT_EQ(pieces.size(), 1u) << "the recording holds the sound in pieces, the second at "
                                 << (pieces.size() > 1 ? pieces[1].captureFrame * 1000 / Rate : 0)
                                 << " ms";
    ASSERT_GE(pieces[0].fileFrame, 0) << "the played sound is not in the recording";
    // The recording position at which file position x was recorded.
    const double shift = double(pieces[0].captureFrame - pieces[0].fileFrame) * 1000 / Rate;
    double worst = 0;
    for (const auto& [played, recorded] : positions)
        worst = std::max(worst, std::abs(double(recorded - played) - shift));
    const double lateBy = double(playedAtEnd) + shift - double(limit);
    std::cout << "recording position off what was recorded by at most " << worst
              << " ms; the end was announced " << lateBy << " ms after it was recorded"
              << std::endl;
    // What the trainer's timing file may be off by.
    EXPECT_LE(worst, 20.0);
    EXPECT_LE(std::abs(lateBy), 20.0);
}

// The level meter's value: a tone of half the full scale played into the
// server is captured through its monitor, and the recorder's peak says half
// while it sounds and next to nothing before; it is the peak of the samples
// that reached the recording.
TEST_F(Heard, TheInputPeakIsTheLevelOfTheCapturedSound)
{
    std::vector<float> tone(static_cast<size_t>(Rate));
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = float(0.5 * std::sin(2 * M_PI * 441 * double(i) / Rate));
    ASSERT_TRUE(writeSamples(path("tone.wav"), Rate, tone));
    ASSERT_TRUE(writeSamples(path("rec.wav"), Rate, {}));
    MediaPlayer tonePlayer;
    tonePlayer.SetFileName(path("tone.wav"));
    tonePlayer.Open();
    MediaPlayer recorder;
    recorder.SetFileName(path("rec.wav"));
    recorder.Open();
    EXPECT_EQ(recorder.InputPeak(), 0.0f) << "nothing records yet";
    recorder.StartRecording(0, 2500);
    ASSERT_EQ(recorder.Error(), SoundOk);
    QTest::qWait(400);
    const float before = recorder.InputPeak();
    tonePlayer.Play(0);
    float loudest = 0;
    for (int i = 0; i < 14; ++i) {
        QTest::qWait(50);
        loudest = std::max(loudest, recorder.InputPeak());
    }
    recorder.Save();
    const ReadBack back = readSound(path("rec.wav"));
    float recorded = 0;
    for (float sample : back.samples)
        recorded = std::max(recorded, std::abs(sample));
    std::cout << "peak before the tone " << before << ", during it " << loudest
              << ", in the recording " << recorded << std::endl;
    EXPECT_LT(before, 0.01f);
    EXPECT_NEAR(loudest, 0.5f, 0.03f);
    EXPECT_NEAR(loudest, recorded, 0.002f) << "the meter shows what was recorded";
}
