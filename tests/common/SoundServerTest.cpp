// The test sound server plays and records at once, and a recording of its
// monitor holds what was played: the ground the sound tests stand on.
#include "support/SoundServer.h"

#include <QAudioSink>
#include <QAudioSource>
#include <QBuffer>
#include <QMediaDevices>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {
QByteArray tone(int sampleRate, double hz, double seconds)
{
    const int frames = int(sampleRate * seconds);
    QByteArray pcm(frames * 2, '\0');
    auto* samples = reinterpret_cast<qint16*>(pcm.data());
    for (int i = 0; i < frames; ++i)
        samples[i] = qint16(12000 * std::sin(2 * M_PI * hz * i / sampleRate));
    return pcm;
}

// Energy of the recording at one frequency against its total energy (Goertzel).
double shareAt(const QByteArray& pcm, int sampleRate, double hz)
{
    const auto* samples = reinterpret_cast<const qint16*>(pcm.constData());
    const qsizetype n = pcm.size() / 2;
    const double k = 2 * std::cos(2 * M_PI * hz / sampleRate);
    double s1 = 0, s2 = 0, total = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const double s0 = samples[i] + k * s1 - s2;
        s2 = s1;
        s1 = s0;
        total += double(samples[i]) * samples[i];
    }
    const double power = s1 * s1 + s2 * s2 - k * s1 * s2;
    return total > 0 ? power / (total * n / 2) : 0;
}
} // namespace

TEST(SoundServer, ARecordingOfTheMonitorHoldsThePlayedTone)
{
    ASSERT_NO_FATAL_FAILURE(requireSoundServer());
    QAudioFormat format;
    format.setSampleRate(22050);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);

    QBuffer recorded;
    recorded.open(QIODevice::WriteOnly);
    QAudioSource source(QMediaDevices::defaultAudioInput(), format);
    source.start(&recorded);

    QByteArray pcm = tone(22050, 880, 1.0);
    QBuffer played(&pcm);
    played.open(QIODevice::ReadOnly);
    QAudioSink sink(QMediaDevices::defaultAudioOutput(), format);
    sink.start(&played);
    QTRY_VERIFY_WITH_TIMEOUT(sink.state() == QAudio::IdleState, 5000);
    QTest::qWait(300);
    source.stop();
    sink.stop();

    ASSERT_EQ(source.error(), QAudio::NoError);
    ASSERT_GT(recorded.data().size(), 22050) << "less than half a second recorded";
    EXPECT_GT(shareAt(recorded.data(), 22050, 880), 0.3) << "the tone is not in the recording";
    EXPECT_LT(shareAt(recorded.data(), 22050, 1320), 0.05);
}
