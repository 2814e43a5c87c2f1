#include "PassMaterial.h"
#include "common/PassHistoryName.h"
#include "review/PassFigures.h"
#include "review/PassHistory.h"
#include "review/PeakSummary.h"
#include "review/VoiceActivity.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
constexpr int Rate = 16000;

std::vector<float> phrases(qint32 totalMs, const QList<SpeechSpan>& spans, double snrDb)
{
    return speechLike(totalMs, spans, snrDb, Rate);
}

TEST(PeakSummary, ColumnsShowTheLoudStretchAndSilenceAround)
{
    std::vector<float> samples(Rate, 0.0f); // one second
    // From 256 ms, a block's edge, to 500 ms.
    for (int f = 4096; f < Rate / 2; ++f)
        samples[size_t(f)] = (f % 2) ? 0.5f : -0.25f;
    const PeakSummary summary(samples, Rate);
    EXPECT_EQ(summary.lengthMs(), 1000);
    const std::vector<Peak> peaks = summary.columns(0, 2000, 8); // 250 ms a column
    ASSERT_EQ(peaks.size(), 8u);
    EXPECT_FLOAT_EQ(peaks[0].high, 0);
    EXPECT_FLOAT_EQ(peaks[1].high, 0.5f);
    EXPECT_FLOAT_EQ(peaks[1].low, -0.25f);
    EXPECT_FLOAT_EQ(peaks[2].high, 0);
    for (int c = 4; c < 8; ++c) // after the sound's end
        EXPECT_FLOAT_EQ(peaks[size_t(c)].high, 0) << c;
    // Zoomed in far below a block, a column still shows its block.
    const std::vector<Peak> close = summary.columns(300, 301, 4);
    EXPECT_FLOAT_EQ(close[3].high, 0.5f);
}

TEST(VoiceActivity, FindsPhrasesInNoiseWithinTwentyMilliseconds)
{
    const QList<SpeechSpan> truth{{400, 1800}, {2600, 3100}, {4300, 6900}, {7600, 9200}};
    for (double snr : {30.0, 20.0}) {
        const QList<SpeechSpan> found = detectSpeech(phrases(10000, truth, snr), Rate);
        ASSERT_EQ(found.size(), truth.size()) << "snr " << snr;
        for (qsizetype i = 0; i < truth.size(); ++i) {
            EXPECT_NEAR(found[i].begin, truth[i].begin, 20) << "snr " << snr << " phrase " << i;
            EXPECT_NEAR(found[i].end, truth[i].end, 20) << "snr " << snr << " phrase " << i;
        }
    }
}

TEST(VoiceActivity, NoiseOrSilenceAloneHoldsNoSpeech)
{
    EXPECT_TRUE(detectSpeech(phrases(5000, {}, 20), Rate).isEmpty());
    EXPECT_TRUE(detectSpeech(std::vector<float>(Rate * 2, 0.0f), Rate).isEmpty());
    EXPECT_TRUE(detectSpeech({}, Rate).isEmpty());
}

struct FiguresCase {
    const char* name;
    QList<SpeechSpan> speech;
    QList<Turn> turns;
    qint32 speakingMs;
    int pauseCount;
    qint32 pauseMs;
    QList<std::optional<qint32>> lags;
    std::optional<qint32> median;
    std::optional<qint32> largest;
};

TEST(PassFigures, SpeakingPausesAndLagsFromSpeechAndTurns)
{
    const FiguresCase cases[] = {
        {"late start and a long pause",
         {{1500, 3000}, {3200, 4000}, {6000, 8000}},
         {{0, 4000}, {4000, 9000}},
         4300,
         1,
         2000,
         {1500, 2000},
         1750,
         2000},
        {"speech running on into a turn is not its start",
         {{300, 2600}, {3100, 4500}},
         {{0, 2000}, {2000, 5000}},
         3700,
         0,
         0,
         {300, 1100},
         700,
         1100},
        {"a turn spoken through from before counts from its begin",
         {{300, 5000}},
         {{0, 2000}, {2000, 5000}},
         4700,
         0,
         0,
         {300, 0},
         150,
         300},
        {"a turn with no speech has no lag",
         {{200, 900}},
         {{0, 1000}, {1000, 2000}, {2000, 3000}},
         700,
         0,
         0,
         {200, std::nullopt, std::nullopt},
         200,
         200},
        {"pauses of half a second or less are not counted",
         {{0, 100}, {600, 700}, {1301, 1400}},
         {},
         299,
         1,
         601,
         {},
         std::nullopt,
         std::nullopt},
        {"no speech at all", {}, {{0, 1000}}, 0, 0, 0, {std::nullopt}, std::nullopt, std::nullopt},
    };
    for (const FiguresCase& c : cases) {
        const PassFigures f = passFigures(c.speech, c.turns, 10000);
        EXPECT_EQ(f.speakingMs, c.speakingMs) << c.name;
        EXPECT_EQ(f.pauseCount, c.pauseCount) << c.name;
        EXPECT_EQ(f.pauseMs, c.pauseMs) << c.name;
        EXPECT_EQ(f.lags, c.lags) << c.name;
        EXPECT_EQ(f.medianLag, c.median) << c.name;
        EXPECT_EQ(f.largestLag, c.largest) << c.name;
    }
}

TEST(PassFigures, TextNamesTheFiguresInRussian)
{
    const PassFigures f =
        passFigures({{1500, 3000}, {6000, 8000}}, {{0, 4000}, {4000, 9000}, {9000, 9500}}, 9500);
    EXPECT_EQ(figuresText(f), QStringLiteral("Речь: 3,5 с из 9,5 с (37 %)\n"
                                             "Паузы длиннее 0,5 с: 1, всего 3,0 с\n"
                                             "Отставание: медиана 1,8 с, наибольшее 2,0 с\n"
                                             "Синтагм без перевода: 1"));
}

PassRecord record(int kind, const QString& text, qint32 speaking, std::optional<qint32> lag)
{
    PassRecord r;
    r.when = QDateTime(QDate(2026, 12, 8), QTime(9, 30, 5));
    r.exercise = {kind, text};
    r.recording = QStringLiteral("Report Ivan/Ivan4.wav");
    r.recordingStamp = 1765000000123;
    r.lessonMs = 60000;
    r.speakingMs = speaking;
    r.pauseCount = 3;
    r.pauseMs = 2500;
    r.medianLag = lag;
    r.largestLag = lag ? std::optional<qint32>(*lag + 700) : std::nullopt;
    return r;
}

void expectSame(const PassRecord& a, const PassRecord& b)
{
    EXPECT_EQ(a.when, b.when);
    EXPECT_EQ(a.exercise, b.exercise);
    EXPECT_EQ(a.recording, b.recording);
    EXPECT_EQ(a.recordingStamp, b.recordingStamp);
    EXPECT_EQ(a.speakingMs, b.speakingMs);
    EXPECT_EQ(a.pauseCount, b.pauseCount);
    EXPECT_EQ(a.pauseMs, b.pauseMs);
    EXPECT_EQ(a.medianLag, b.medianLag);
    EXPECT_EQ(a.largestLag, b.largestLag);
}

TEST(PassHistory, PassesAddUpAndComeBackPerExercise)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ivan.hst"));
    EXPECT_TRUE(readPassHistory(path).problems.isEmpty());
    EXPECT_FALSE(readPassHistory(path).exists);
    const PassRecord first = record(12, QStringLiteral("Les1\\text1.txt"), 30000, 1200);
    const PassRecord other = record(4, QStringLiteral("Les1\\text1.txt"), 20000, std::nullopt);
    const PassRecord second = record(12, QStringLiteral("Les1\\text1.txt"), 41000, 800);
    for (const PassRecord& r : {first, other, second})
        ASSERT_FALSE(appendPass(path, r));
    const PassHistory history = readPassHistory(path);
    EXPECT_TRUE(history.problems.isEmpty());
    ASSERT_EQ(history.records.size(), 3);
    const QList<PassRecord> passes = passesOf(history.records, first.exercise);
    ASSERT_EQ(passes.size(), 2);
    expectSame(passes[0], first);
    expectSame(passes[1], second);
    expectSame(history.records[1], other);
    EXPECT_TRUE(hasPassHistorySignature(path));
}

TEST(PassHistory, DamagedOrForeignFilesAreNamedAndNeverWrittenOver)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ivan.hst"));
    ASSERT_FALSE(appendPass(path, record(12, QStringLiteral("t.txt"), 30000, 1200)));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("2026-12-08T09:31:00\t12\tt.txt\tx.wav\tnot a number\t1\t1\t1\t1\t-\t-\n");
    file.close();
    struct Case {
        const char* name;
        QByteArray bytes; // empty: the file as damaged above
        int line;
        qsizetype kept;
    };
    const Case cases[] = {
        {"a line edited by hand", {}, 3, 1},
        {"an empty file", QByteArray(" "), 1, 0},
        {"another file under its name", QByteArray("RIFF....WAVE"), 1, 0},
    };
    for (const Case& c : cases) {
        if (!c.bytes.isEmpty()) {
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(c.bytes.trimmed());
            file.close();
        }
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        const PassHistory history = readPassHistory(path);
        ASSERT_EQ(history.problems.size(), 1) << c.name;
        EXPECT_EQ(history.problems[0].line, c.line) << c.name;
        EXPECT_EQ(history.records.size(), c.kept) << c.name;
        EXPECT_TRUE(appendPass(path, record(12, QStringLiteral("t.txt"), 1, 1))) << c.name;
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), before) << c.name;
        file.close();
    }
}

TEST(PassHistory, NameLiesBesideTheProgressFile)
{
    EXPECT_EQ(passHistoryName(QStringLiteral("Report Ivan/Ivan.rep")),
              QStringLiteral("Report Ivan/Ivan.hst"));
    EXPECT_EQ(passHistoryName(QStringLiteral("C:\\Users\\Ivan.REP")),
              QStringLiteral("C:\\Users\\Ivan.hst"));
    // Never the progress file itself.
    EXPECT_EQ(passHistoryName(QStringLiteral("odd.hst")), QStringLiteral("odd.hst.hst"));
}
} // namespace
