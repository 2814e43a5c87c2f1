// A lesson on a busy machine: the window thread stalls now and then and two
// processes keep both cores busy, yet what the sound server plays is the
// whole lesson without a gap. The server's monitor is recorded by a process
// of its own, so that the test's stalls cannot hide in the recording.
#include "SoundFiles.h"
#include "sound/MediaPlayer.h"
#include "support/HeardSound.h"
#include "support/SoundServer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <iostream>
#include <thread>

namespace {
constexpr int Rate = MonitorCapture::Rate;
constexpr qint64 LessonMs = 60000;
// The window thread is blocked this long at these moments of the lesson.
constexpr qint64 StallMs = 300;
constexpr qint64 StallsAtMs[] = {10000, 25000, 40000};
// A gap longer than this is heard as a stutter.
constexpr int GapMs = 5;

// Runs `command` for the life of the object; ended with SIGKILL, or by its
// own time limit should the test die first.
class Background {
public:
    Background(const QString& program, const QStringList& arguments, const QString& outputFile = {})
    {
        if (!outputFile.isEmpty())
            process_.setStandardOutputFile(outputFile);
        process_.start(program, arguments);
    }
    ~Background() { end(); }
    bool started() { return process_.waitForStarted(5000); }
    void end()
    {
        process_.kill();
        process_.waitForFinished(5000);
    }

private:
    QProcess process_;
};

std::vector<float> readFloats(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    std::vector<float> samples(size_t(bytes.size()) / sizeof(float));
    std::memcpy(samples.data(), bytes.constData(), samples.size() * sizeof(float));
    return samples;
}

// Where in `file` the `ms` of capture from `at` on are, in file frames; -1
// if they are not found among the file frames [from, from + span).
qint64 placeIn(const std::vector<float>& capture, qint64 at, const std::vector<float>& file,
               qint64 from, qint64 span)
{
    const auto begin = capture.begin() + std::clamp<qint64>(at, 0, qint64(capture.size()));
    const auto end = begin + std::min<qint64>(Rate / 20, capture.end() - begin);
    const std::vector<float> excerpt(begin, end);
    const std::vector<float> part(file.begin() + from, file.begin() + from + span);
    const std::vector<HeardPiece> found = findHeard(excerpt, part, Rate);
    return found.size() == 1 && found[0].fileFrame >= 0 ? from + found[0].fileFrame : -1;
}
} // namespace

TEST(SteadySound, ALessonIsHeardWholeWhileTheWindowStallsOnABusyMachine)
{
    ASSERT_NO_FATAL_FAILURE(requireSoundServer());
    QTemporaryDir dir;
    const std::vector<float> file = noise(LessonMs * Rate / 1000, 7);
    ASSERT_TRUE(writeSamples(dir.filePath("lesson.wav"), Rate, file));
    MediaPlayer player;
    QSignalSpy notify(&player, &MediaPlayer::Notify);
    player.SetFileName(dir.filePath("lesson.wav"));
    player.Open();
    ASSERT_EQ(player.Error(), 0);

    const QString limit = QStringLiteral("%1s").arg(LessonMs / 1000 + 60);
    Background hogs("stress-ng", {"--cpu", "2", "--timeout", limit, "--quiet"});
    ASSERT_TRUE(hogs.started()) << "stress-ng is missing (scripts/bootstrap installs it)";
    const QString heardFile = dir.filePath("heard.raw");
    Background monitor(
        "parec",
        {"--raw", "--format=float32le", "--channels=1", QStringLiteral("--rate=%1").arg(Rate)},
        heardFile);
    ASSERT_TRUE(monitor.started());
    QTest::qWait(500);

    QElapsedTimer played;
    played.start();
    player.Play();
    ASSERT_EQ(player.Error(), 0);
    for (const qint64 at : StallsAtMs) {
        QTest::qWait(int(std::max<qint64>(at - played.elapsed(), 0)));
        std::this_thread::sleep_for(std::chrono::milliseconds(StallMs));
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return notify.count() == 1; }, int(LessonMs)));
    EXPECT_EQ(player.Error(), 0);
    QTest::qWait(300);
    monitor.end();
    hogs.end();

    const std::vector<float> heard = readFloats(heardFile);
    const std::vector<HeardPiece> pieces = soundingPieces(heard, Rate, GapMs);
    ASSERT_FALSE(pieces.empty()) << "nothing heard";
    for (size_t i = 1; i < pieces.size(); ++i) {
        const HeardPiece& before = pieces[i - 1];
        std::cout << "gap of "
                  << (pieces[i].captureFrame - before.captureFrame - before.frames) * 1000.0 / Rate
                  << " ms, "
                  << (before.captureFrame + before.frames - pieces[0].captureFrame) * 1000.0 / Rate
                  << " ms into the lesson" << std::endl;
    }
    EXPECT_EQ(pieces.size(), 1u) << "the lesson stuttered: gaps over " << GapMs << " ms";
    const HeardPiece whole{pieces.front().captureFrame, pieces.back().captureFrame +
                                                            pieces.back().frames -
                                                            pieces.front().captureFrame};
    std::cout << "heard " << whole.frames * 1000.0 / Rate << " ms of a " << LessonMs
              << " ms lesson in " << pieces.size() << " pieces" << std::endl;
    // It begins at the lesson's start and ends at its end, and is as long as
    // the lesson: nothing lost, nothing played twice.
    const qint64 second = Rate;
    EXPECT_NEAR(double(placeIn(heard, whole.captureFrame, file, 0, second)), 0, 2);
    const qint64 tail = Rate / 20;
    EXPECT_NEAR(double(placeIn(heard, whole.captureFrame + whole.frames - tail, file,
                               qint64(file.size()) - second, second)),
                double(file.size() - tail), 2);
    EXPECT_NEAR(double(whole.frames) * 1000 / Rate, double(LessonMs), double(GapMs));
}
