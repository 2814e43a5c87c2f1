// How well the speech finder places the student's speech: the demo course's
// first lesson, its syntagms spoken one after another with known silences
// before each (the student's lag), noise 20 dB below the speech, found in the
// file itself and in a recording of it through the test sound server's
// loopback. Boundaries within 30 ms of the truth at the median and 80 ms at
// the 95th percentile; every syntagm's lag within 30 ms.
#include "review/PassFigures.h"
#include "review/VoiceActivity.h"
#include "sound/MediaPlayer.h"
#include "sound/SoundFile.h"

#include "../sound/SoundFiles.h"
#include "support/HeardSound.h"
#include "support/SoundServer.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {
constexpr int Rate = MonitorCapture::Rate;
constexpr qint32 MarkMs = 50; // a loud burst that shows where the file starts in a capture
constexpr qint32 LeadMs = 500;

struct Material {
    std::vector<float> samples; // at Rate
    QList<SpeechSpan> truth;    // the speech of each syntagm
    QList<Turn> turns;          // from the silence before each syntagm to its end
    QList<qint32> lags;
};

std::vector<float> upsampled(const std::vector<float>& in, int from)
{
    std::vector<float> out(size_t(double(in.size()) * Rate / from));
    for (size_t i = 0; i < out.size(); ++i) {
        const double at = double(i) * from / Rate;
        const size_t j = std::min(size_t(at), in.size() - 2);
        const double t = at - double(j);
        out[i] = float(in[j] * (1 - t) + in[j + 1] * t);
    }
    return out;
}

// The first and last 2 ms windows of the clean clip within 25 dB of its
// loudest: where a listener hears the syntagm begin and end, in frames.
std::pair<qint64, qint64> heardFrames(const std::vector<float>& clip)
{
    const size_t window = Rate / 500;
    std::vector<double> levels;
    for (size_t i = 0; i + window <= clip.size(); i += window) {
        double energy = 0;
        for (size_t k = i; k < i + window; ++k)
            energy += double(clip[k]) * clip[k];
        levels.push_back(energy / double(window));
    }
    const double floor = *std::max_element(levels.begin(), levels.end()) * std::pow(10, -2.5);
    const auto loud = [&](double l) { return l > floor; };
    const auto first = std::find_if(levels.begin(), levels.end(), loud);
    const auto last = std::find_if(levels.rbegin(), levels.rend(), loud);
    return {std::distance(levels.begin(), first) * qint64(window),
            qint64(levels.size() - size_t(std::distance(levels.rbegin(), last))) * qint64(window)};
}

qint32 msOf(qint64 frames)
{
    return qint32(std::lround(double(frames) * 1000 / Rate));
}

std::optional<Material> makeMaterial()
{
    const QString lesson = QStringLiteral(TOLVAREN_DEMO_COURSE "/DataTest/L01/");
    const std::optional<MonoSound> sound = readMonoSound(lesson + "Text.wav");
    QFile timing(lesson + "TextTim.txt");
    if (!sound || !timing.open(QIODevice::ReadOnly))
        return std::nullopt;
    const std::vector<float> speech = upsampled(sound->samples, sound->info.sampleRate);
    Material m;
    m.samples.assign(size_t(LeadMs) * Rate / 1000, 0.0f);
    std::mt19937 random(11);
    std::uniform_int_distribution<int> lag(300, 2500);
    for (const QByteArray& line : timing.readAll().split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split('\t');
        if (fields.size() != 2 || fields[0] == "#")
            continue;
        const size_t from = size_t(fields[0].toLongLong() * Rate / 1000);
        const size_t to = std::min(speech.size(), size_t(fields[1].toLongLong() * Rate / 1000));
        const std::vector<float> clip(speech.begin() + qint64(from), speech.begin() + qint64(to));
        const qint64 turn = qint64(m.samples.size());
        m.samples.resize(m.samples.size() + size_t(lag(random)) * Rate / 1000, 0.0f);
        const qint64 at = qint64(m.samples.size());
        const auto [begin, end] = heardFrames(clip);
        m.truth.append({msOf(at + begin), msOf(at + end)});
        m.lags.append(msOf(at + begin - turn));
        m.samples.insert(m.samples.end(), clip.begin(), clip.end());
        m.turns.append({msOf(turn), msOf(qint64(m.samples.size()))});
    }
    m.samples.resize(m.samples.size() + size_t(LeadMs) * Rate / 1000, 0.0f);
    return m;
}

// Noise 20 dB below the speech's power, then the marking burst at the start.
std::vector<float> noisy(const Material& m)
{
    double energy = 0;
    qint64 frames = 0;
    for (const SpeechSpan& s : m.truth)
        for (qint64 f = qint64(s.begin) * Rate / 1000; f < qint64(s.end) * Rate / 1000;
             ++f, ++frames)
            energy += double(m.samples[size_t(f)]) * m.samples[size_t(f)];
    const double noiseRms = std::sqrt(energy / double(frames)) / 10;
    std::mt19937 random(5);
    std::normal_distribution<float> hiss(0, float(noiseRms));
    std::vector<float> out = m.samples;
    for (float& s : out)
        s += hiss(random);
    const std::vector<float> burst = noise(qint64(MarkMs) * Rate / 1000, 3);
    std::copy(burst.begin(), burst.end(), out.begin());
    return out;
}

long percentile(std::vector<long> sorted, double share)
{
    std::sort(sorted.begin(), sorted.end());
    return sorted[size_t(share * double(sorted.size() - 1) + 0.5)];
}

// The speech found, skipping the marking burst, against the truth.
void expectAccurate(const std::vector<float>& heard, const Material& m, const char* what)
{
    QList<SpeechSpan> found = detectSpeech(heard, Rate);
    found.removeIf([](const SpeechSpan& s) { return s.end <= MarkMs + 100; });
    std::vector<long> errors;
    for (const SpeechSpan& truth : m.truth) {
        std::optional<SpeechSpan> near;
        for (const SpeechSpan& s : found)
            if (s.end > truth.begin - 150 && s.begin < truth.end + 150)
                near = near ? SpeechSpan{near->begin, s.end} : s;
        ASSERT_TRUE(near) << what << ": no speech found at " << truth.begin;
        errors.push_back(std::labs(near->begin - truth.begin));
        errors.push_back(std::labs(near->end - truth.end));
    }
    EXPECT_LE(percentile(errors, 0.5), 30) << what;
    EXPECT_LE(percentile(errors, 0.95), 80) << what;
    const PassFigures figures = passFigures(found, m.turns, 0);
    for (qsizetype i = 0; i < m.lags.size(); ++i)
        EXPECT_NEAR(figures.lags[i].value_or(-1000), m.lags[i], 30) << what << ", syntagm " << i;
    std::printf("%s: median %ld ms, 95th percentile %ld ms, largest %ld ms over %zu boundaries\n",
                what, percentile(errors, 0.5), percentile(errors, 0.95), percentile(errors, 1),
                errors.size());
}

TEST(SpeechAccuracy, DemoSpeechWithKnownSilencesInNoiseAndThroughTheLoopback)
{
    ASSERT_NO_FATAL_FAILURE(requireSoundServer());
    const std::optional<Material> m = makeMaterial();
    ASSERT_TRUE(m) << "the demo course is made by the test demo_course_make";
    ASSERT_GE(m->truth.size(), 15);
    const std::vector<float> pass = noisy(*m);
    expectAccurate(pass, *m, "in the file");

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("pass.wav"));
    ASSERT_TRUE(writeSamples(file, Rate, pass));
    MonitorCapture capture;
    ASSERT_TRUE(capture.recording());
    MediaPlayer player;
    QSignalSpy ended(&player, &MediaPlayer::Notify);
    player.SetFileName(file);
    player.Open();
    QTest::qWait(200);
    player.Play();
    ASSERT_EQ(player.Error(), 0);
    // The capture holds ten seconds: it is emptied as the pass plays.
    const auto played = [&] {
        capture.samples();
        return ended.count() > 0;
    };
    ASSERT_TRUE(QTest::qWaitFor(played, int(pass.size() * 1000 / Rate) + 10000));
    QTest::qWait(300);
    EXPECT_EQ(player.Error(), 0);
    const std::vector<float>& heard = capture.samples();
    // The burst is the first loud sound: noise and speech stay far below it.
    const auto start =
        std::find_if(heard.begin(), heard.end(), [](float s) { return std::abs(s) > 0.2f; });
    ASSERT_GE(heard.end() - start, qint64(pass.size()));
    expectAccurate(std::vector<float>(start, start + qint64(pass.size())), *m,
                   "through the loopback");
}
} // namespace
