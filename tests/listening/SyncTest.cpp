// The lesson window on the real sound device, checked by ear: the test
// server's monitor is recorded while the window plays a lesson of distinct
// tones, and the moments the current syntagm changes are set beside the
// moments each tone is heard to end.
#include "../sound/SoundFiles.h"
#include "listening/FormWorkText.h"
#include "sound/MediaPlayer.h"
#include "sound/VirtualSoundEngine.h"
#include "support/HeardSound.h"
#include "support/SoundServer.h"
#include "support/TempCourse.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"

#include <QAudioSource>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <sndfile.h>

namespace {
constexpr int Rate = 44100;
// Syntagm k (2..6) is a tone of its own frequency, 600 ms, with 437 ms of
// silence before it: not a multiple of the 50 ms tick, so that the tones end
// at different points of the window's timer.
constexpr int Syntagms = 6;
constexpr qint32 ToneMs = 600;
constexpr qint32 GapMs = 437;
qint32 toneStart(int k)
{
    return GapMs + (k - 2) * (ToneMs + GapMs);
}
// 600 Hz apart: a 10 ms window tells them apart cleanly.
double toneHz(int k)
{
    return 600.0 * k - 700;
}
// A timer tick, and what the ear and the clock may add.
constexpr qint64 TickMs = 50;
constexpr qint64 SlackMs = 20;
// The monitor is read in 10 ms blocks, each stamped when it arrives; a sound
// is placed in time to within one block.
constexpr double CaptureBlockMs = 10;

bool writeLessonSound(const QString& path)
{
    const qint64 frames = qint64(toneStart(Syntagms + 1)) * Rate / 1000;
    std::vector<float> samples(size_t(frames), 0.0f);
    for (int k = 2; k <= Syntagms; ++k) {
        const qint64 first = qint64(toneStart(k)) * Rate / 1000;
        for (qint64 i = 0; i < qint64(ToneMs) * Rate / 1000; ++i)
            samples[size_t(first + i)] = float(0.5 * std::sin(2 * M_PI * toneHz(k) * i / Rate));
    }
    SF_INFO info{};
    info.samplerate = Rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    const bool ok = sf_writef_float(file, samples.data(), frames) == frames;
    sf_close(file);
    return ok;
}

// Records the default input (the test server's monitor) and keeps, for each
// block that arrives, the wall time it came at, so that a sample's wall time
// is known to within the source's own latency.
class Monitor {
public:
    explicit Monitor(const QElapsedTimer& wall) : wall_(wall)
    {
        QAudioFormat format;
        format.setSampleRate(Rate);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        source_ = std::make_unique<QAudioSource>(QMediaDevices::defaultAudioInput(), format);
        source_->setBufferSize(int(Rate * CaptureBlockMs / 1000) * 2);
        device_ = source_->start();
        QObject::connect(device_, &QIODevice::readyRead, [this] { read(); });
    }
    void stop()
    {
        read();
        source_->stop();
    }
    // Wall time (ms) at which the sample was heard.
    double wallOf(qint64 sample) const
    {
        for (const auto& [frames, at] : blocks_)
            if (frames > sample)
                return at - double(frames - sample) * 1000 / Rate;
        return blocks_.empty() ? 0 : blocks_.back().second;
    }
    // Wall times at which the tone is heard to start and to stop, 1 ms apart.
    std::vector<std::pair<double, double>> spans(double hz) const
    {
        std::vector<std::pair<double, double>> found;
        const qint64 window = Rate / 100; // 10 ms
        const qint64 step = Rate / 1000;
        bool on = false;
        qint64 from = 0;
        for (qint64 at = 0; at + window <= qint64(samples_.size()); at += step) {
            const bool loud = amplitudeAt(samples_.data() + at, window, Rate, hz) > 0.2;
            if (loud && !on)
                from = at + window / 2;
            // A span shorter than 30 ms is a click of the stream, not a tone.
            if (!loud && on && at - from > Rate * 3 / 100)
                found.emplace_back(wallOf(from), wallOf(at + window / 2));
            on = loud;
        }
        return joinStalls(found);
    }
    bool heardAnything() const { return !samples_.empty(); }

private:
    // A machine too busy to feed the device in time leaves holes in a tone;
    // the tone ends where its last piece ends. The same tone comes again only
    // after a whole round of the loop, longer than a tone and a silence.
    std::vector<std::pair<double, double>>
    joinStalls(std::vector<std::pair<double, double>> spans) const
    {
        std::vector<std::pair<double, double>> joined;
        for (const auto& span : spans) {
            if (!joined.empty() && span.first - joined.back().second < ToneMs + GapMs) {
                joined.back().second = span.second;
            } else {
                joined.push_back(span);
            }
        }
        return joined;
    }

    void read()
    {
        const QByteArray bytes = device_->readAll();
        const auto* pcm = reinterpret_cast<const qint16*>(bytes.constData());
        for (qsizetype i = 0; i < bytes.size() / 2; ++i)
            samples_.push_back(pcm[i] / 32768.0f);
        if (!bytes.isEmpty())
            blocks_.emplace_back(qint64(samples_.size()), double(wall_.nsecsElapsed()) / 1e6);
    }

    const QElapsedTimer& wall_;
    std::unique_ptr<QAudioSource> source_;
    QIODevice* device_ = nullptr;
    std::vector<float> samples_;
    std::vector<std::pair<qint64, double>> blocks_;
};

struct SyncRun {
    TempCourse course;
    QElapsedTimer wall;
    std::unique_ptr<TFormWorkText> form;
    std::vector<std::pair<double, int>> changes; // wall ms, new N
    int tempo;

    // The lesson at the tempo (percent).
    explicit SyncRun(const QStringList& timing, int tempo = 100) : tempo(tempo)
    {
        VirtualSound::use(false);
        QStringList text{"#Töne"};
        for (int k = 2; k <= Syntagms; ++k)
            text.append(QStringLiteral("Ton %1").arg(k));
        course.writeLines("S.txt", text, true);
        course.writeLines("S.ru", QStringList(text.size(), QStringLiteral("Тон")));
        course.writeLines("S.tim", timing);
        course.writeLines("S.pic", {});
        wall.start();
    }
    bool open()
    {
        if (!writeLessonSound(course.filePath("S.wav")))
            return false;
        WorkTextNames names{course.filePath("S.wav"),
                            {},
                            LessonFileNames{"S.txt", "S.ru", "S.tim", "S.pic", {}},
                            course.path() + "/"};
        form = std::make_unique<TFormWorkText>(names);
        form->resize(760, 525);
        form->MediaPlayerText->SetTempo(tempo);
        form->show();
        QObject::connect(form->TrackBarText, &QSlider::valueChanged, [this](int n) {
            changes.emplace_back(double(wall.nsecsElapsed()) / 1e6, n);
        });
        return true;
    }
    bool waitIdle(int timeoutMs)
    {
        return QTest::qWaitFor([this] { return !form->BitBtnStop->isEnabled(); }, timeoutMs);
    }
    // The first change to n after the wall time `after`.
    double changeTo(int n, double after) const
    {
        for (const auto& [at, value] : changes)
            if (value == n && at > after)
                return at;
        return -1;
    }
};

QStringList lessonTiming()
{
    QStringList timing{"#\t#"};
    for (int k = 2; k <= Syntagms; ++k)
        timing.append(QStringLiteral("%1\t%2").arg(toneStart(k)).arg(toneStart(k) + ToneMs));
    return timing;
}

// For each tone heard, where N moved on after it ended: never before, at most
// a tick and the slack after.
void expectFollows(const SyncRun& run, const Monitor& monitor, int from, int to, const char* what,
                   size_t rounds = 1)
{
    for (int k = from; k < to; ++k) {
        auto spans = monitor.spans(toneHz(k));
        spans.resize(std::min(spans.size(), rounds));
        for (const auto& [start, end] : spans) {
            const double moved = run.changeTo(k + 1, start);
            ASSERT_GT(moved, 0) << what << ": N never left syntagm " << k;
            const double delay = moved - end;
            std::cout << what << ": syntagm " << k << " heard to end at " << int(end)
                      << " ms, N moved on " << delay << " ms later" << std::endl;
            EXPECT_GE(delay, -CaptureBlockMs) << what << " syntagm " << k;
            EXPECT_LE(delay, TickMs + SlackMs) << what << " syntagm " << k;
        }
    }
}
void expectPlayAllFollowsAt(int tempo)
{
    ASSERT_NO_FATAL_FAILURE(requireSoundServer());
    SyncRun run(lessonTiming(), tempo);
    ASSERT_TRUE(run.open());
    Monitor monitor(run.wall);
    QTest::qWait(200);
    QTest::mouseClick(run.form->BitBtnPlayAll, Qt::LeftButton);
    ASSERT_TRUE(run.waitIdle(toneStart(Syntagms + 1) * 100 / tempo + 3000));
    QTest::qWait(100);
    monitor.stop();
    ASSERT_TRUE(monitor.heardAnything());
    for (int k = 2; k <= Syntagms; ++k)
        EXPECT_EQ(monitor.spans(toneHz(k)).size(), 1u) << "tone " << k << " heard once";
    expectFollows(run, monitor, 2, Syntagms, "С начала");
}

// "Фрагмент" on a syntagm cut inside two tones: the first is heard from the
// cut to its own end, the second from its start to the cut, so both ends of
// what is played are measured against the file itself, scaled by 1/tempo.
void expectFragmentWithinItsBoundsAt(int tempo)
{
    ASSERT_NO_FATAL_FAILURE(requireSoundServer());
    QStringList timing = lessonTiming();
    const qint32 begin = toneStart(3) + 250;
    const qint32 end = toneStart(4) + 350;
    timing[2] = QStringLiteral("%1\t%2").arg(begin).arg(end); // syntagm 3
    SyncRun run(timing, tempo);
    ASSERT_TRUE(run.open());
    Monitor monitor(run.wall);
    QTest::qWait(200);
    run.form->TrackBarText->setValue(3);
    QTest::mouseClick(run.form->BitBtnSelectString, Qt::LeftButton);
    ASSERT_TRUE(run.waitIdle(5000 * 100 / tempo));
    QTest::qWait(200);
    monitor.stop();
    for (int k = 2; k <= Syntagms; ++k)
        for (const auto& [from, to] : monitor.spans(toneHz(k)))
            std::cout << "tone " << k << ": " << from << " .. " << to << std::endl;
    const auto first = monitor.spans(toneHz(3));
    const auto second = monitor.spans(toneHz(4));
    ASSERT_EQ(first.size(), 1u) << "the first tone, heard once";
    ASSERT_EQ(second.size(), 1u) << "the second tone, heard once";
    EXPECT_TRUE(monitor.spans(toneHz(2)).empty());
    EXPECT_TRUE(monitor.spans(toneHz(5)).empty());
    const double headMs = first[0].second - first[0].first;
    const double tailMs = second[0].second - second[0].first;
    const double scale = 100.0 / tempo;
    std::cout << "Фрагмент at " << tempo << " %: heard " << headMs
              << " ms of the first tone (file: " << toneStart(3) + ToneMs - begin << "), " << tailMs
              << " ms of the second (file: " << end - toneStart(4) << ")" << std::endl;
    EXPECT_NEAR(headMs, (toneStart(3) + ToneMs - begin) * scale, SlackMs) << "where it starts";
    EXPECT_NEAR(tailMs, (end - toneStart(4)) * scale, SlackMs) << "where it ends";
    // Not checked: a busy machine may stretch it while the device waits.
    std::cout << "Фрагмент: the silence between heard as " << second[0].first - first[0].second
              << " ms (file: " << GapMs << ")" << std::endl;
}

void expectLoopRoundsFollowAt(int tempo)
{
    ASSERT_NO_FATAL_FAILURE(requireSoundServer());
    SyncRun run(lessonTiming(), tempo);
    ASSERT_TRUE(run.open());
    TFormWorkText& form = *run.form;
    form.TrackBarText->setValue(3);
    QTest::mouseClick(form.BtnImgTransD1QF2, Qt::LeftButton);
    form.TrackBarText->setValue(4);
    QTest::mouseClick(form.BtnImgTransD1QF2, Qt::LeftButton);
    Monitor monitor(run.wall);
    QTest::qWait(200);
    QTest::mouseClick(form.BtnImgTransD1QF1, Qt::LeftButton);
    const qint64 roundMs = (toneStart(4) + ToneMs - toneStart(3)) * 100 / tempo;
    EXPECT_TRUE(QTest::qWaitFor([&] { return monitor.spans(toneHz(4)).size() >= 3; },
                                int(roundMs * 3 + 3000)))
        << "three rounds heard";
    QTest::mouseClick(form.BitBtnStop, Qt::LeftButton);
    ASSERT_TRUE(run.waitIdle(2000));
    QTest::qWait(100);
    monitor.stop();
    EXPECT_GE(monitor.spans(toneHz(3)).size(), 3u) << "three rounds";
    EXPECT_TRUE(monitor.spans(toneHz(5)).empty()) << "nothing beyond the range";
    expectFollows(run, monitor, 3, 4, "Цикл", 3);
}
} // namespace

TEST(ListeningSync, PlayAllMovesWithWhatIsHeard)
{
    expectPlayAllFollowsAt(100);
}

// Slowed down, the highlight still moves when each syntagm is heard to end.
TEST(ListeningSync, PlayAllMovesWithWhatIsHeardAtSlowerTempos)
{
    for (int tempo : {75, 50}) {
        SCOPED_TRACE(tempo);
        expectPlayAllFollowsAt(tempo);
    }
}

TEST(ListeningSync, FragmentIsHeardWithinItsBounds)
{
    expectFragmentWithinItsBoundsAt(100);
}

TEST(ListeningSync, FragmentIsHeardWithinItsBoundsAtSlowerTempos)
{
    for (int tempo : {75, 50}) {
        SCOPED_TRACE(tempo);
        expectFragmentWithinItsBoundsAt(tempo);
    }
}

TEST(ListeningSync, LoopRoundsFollowTheSound)
{
    expectLoopRoundsFollowAt(100);
}

// "Цикл" at 60 %: the same range, round after round.
TEST(ListeningSync, LoopRoundsFollowTheSoundAtASlowerTempo)
{
    expectLoopRoundsFollowAt(60);
}

// "Пауза" in the window holds the sound where it is and "Далее" (F5 both)
// goes on from the same sample: the monitor hears the fragment in two pieces
// that meet in the file within 10 ms, and to its end.
TEST(ListeningSync, PauseAndResumeLoseAndRepeatNothing)
{
    ASSERT_NO_FATAL_FAILURE(requireSoundServer());
    QStringList timing = lessonTiming();
    timing[2] = QStringLiteral("300\t1800"); // syntagm 3
    SyncRun run(timing);
    const std::vector<float> sound = noise(3 * Rate);
    ASSERT_TRUE(writeSamples(run.course.filePath("N.wav"), Rate, sound));
    WorkTextNames names{run.course.filePath("N.wav"),
                        {},
                        LessonFileNames{"S.txt", "S.ru", "S.tim", "S.pic", {}},
                        run.course.path() + "/"};
    TFormWorkText form(names);
    form.resize(760, 525);
    form.show();
    form.TrackBarText->setValue(3);
    MonitorCapture capture;
    QTest::qWait(200);
    QTest::mouseClick(form.BitBtnSelectString, Qt::LeftButton);
    QTest::qWait(600);
    QTest::keyClick(&form, Qt::Key_F5);
    ASSERT_TRUE(form.paused());
    QTest::qWait(300);
    QTest::keyClick(&form, Qt::Key_F5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.BitBtnStop->isEnabled(); }, 5000));
    QTest::qWait(200);
    const std::vector<HeardPiece> pieces = findHeard(capture.samples(), sound, Rate);
    ASSERT_EQ(pieces.size(), 2u) << "the pause is not a gap in the sound";
    const double stoppedAt = pieces[0].fileEndMs(Rate);
    const double resumedAt = pieces[1].fileStartMs(Rate);
    std::cout << "window paused: heard up to " << stoppedAt << " ms, resumed at " << resumedAt
              << " ms" << std::endl;
    EXPECT_NEAR(pieces[0].fileStartMs(Rate), 300, 10);
    EXPECT_NEAR(resumedAt, stoppedAt, 10) << "lost (>0) or repeated (<0) at the pause";
    EXPECT_NEAR(pieces[1].fileEndMs(Rate), 1800, 10) << "the fragment's own end";
}
