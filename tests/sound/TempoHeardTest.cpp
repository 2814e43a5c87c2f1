// Slower speech on the test server, heard through its monitor: a file of two
// tones, the change between them inside the range, so that how long each is
// heard measures both ends of the range against the file at the tempo.
#include "PlayerContract.h"
#include "SoundFiles.h"
#include "sound/MediaPlayer.h"
#include "support/HeardSound.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <iostream>

namespace {
constexpr int CaptureRate = MonitorCapture::Rate;
constexpr qint64 ChangeMs = 1000; // where the first tone gives way to the second
constexpr double SlackMs = 20;

// The first tone up to ChangeMs, the second after it, up to 2 s.
bool writeTwoTones(const QString& path, int rate, double firstHz, double secondHz)
{
    std::vector<float> samples(size_t(2 * rate));
    for (size_t i = 0; i < samples.size(); ++i) {
        const double hz = qint64(i) < ChangeMs * rate / 1000 ? firstHz : secondHz;
        samples[i] = float(0.5 * std::sin(2 * M_PI * hz * double(i) / rate));
    }
    return writeSamples(path, rate, samples);
}

// How long the tone sounds in the capture, first to last loud 10 ms window,
// in ms; 0 when it is not heard.
double heardMs(const std::vector<float>& capture, double hz)
{
    const qint64 window = CaptureRate / 100;
    const qint64 step = CaptureRate / 1000;
    qint64 first = -1;
    qint64 last = -1;
    for (qint64 at = 0; at + window <= qint64(capture.size()); at += step)
        if (amplitudeAt(capture.data() + at, window, CaptureRate, hz) > 0.2) {
            first = first < 0 ? at : first;
            last = at;
        }
    return first < 0 ? 0 : double(last - first) * 1000 / CaptureRate;
}
} // namespace

// A range across the change, at each tempo: the first tone is heard from the
// range's start and the second up to its end, each scaled by 1/tempo; the
// notification follows the end and the position is the range's end. A file
// below the stretcher's lowest rate is converted first, not left silent.
TEST(TempoHeard, ARangeIsHeardWholeAtEveryTempo)
{
    ASSERT_NO_FATAL_FAILURE(setUpSound());
    struct Case {
        int rate;
        int tempo;
        double firstHz, secondHz;
    };
    for (const Case c : {Case{44100, 100, 700, 1900},
                         {44100, 75, 700, 1900},
                         {44100, 50, 700, 1900},
                         {22050, 60, 700, 1900},
                         {4000, 50, 500, 1300}}) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz at " << c.tempo << " %");
        QTemporaryDir dir;
        ASSERT_TRUE(writeTwoTones(dir.filePath("two.wav"), c.rate, c.firstHz, c.secondHz));
        MediaPlayer player;
        QSignalSpy notify(&player, &MediaPlayer::Notify);
        player.SetTempo(c.tempo);
        player.SetFileName(dir.filePath("two.wav"));
        player.Open();
        ASSERT_EQ(player.Error(), 0);
        const qint64 from = 700;
        const qint64 to = 1400;
        MonitorCapture capture;
        ASSERT_TRUE(capture.recording());
        QElapsedTimer wall;
        wall.start();
        player.Play(from, to);
        ASSERT_EQ(player.Error(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(notify.count(), 1, 5000);
        const qint64 playedFor = wall.elapsed();
        EXPECT_EQ(player.Position(), to);
        QTest::qWait(200);
        const double first = heardMs(capture.samples(), c.firstHz);
        const double second = heardMs(capture.samples(), c.secondHz);
        const double scale = 100.0 / c.tempo;
        std::cout << c.rate << " Hz at " << c.tempo << " %: heard " << first << " ms (expected "
                  << double(ChangeMs - from) * scale << ") and " << second << " ms (expected "
                  << double(to - ChangeMs) * scale << "); notified after " << playedFor << " ms"
                  << std::endl;
        EXPECT_NEAR(first, double(ChangeMs - from) * scale, SlackMs) << "where it starts";
        EXPECT_NEAR(second, double(to - ChangeMs) * scale, SlackMs) << "where it ends";
        EXPECT_GE(double(playedFor), double(to - from) * scale) << "notified before it was heard";
    }
}
