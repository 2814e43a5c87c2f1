#include "PassMaterial.h"

#include "support/TempCourse.h"

#include <cmath>
#include <random>

std::vector<float> speechLike(qint32 totalMs, const QList<SpeechSpan>& spans, double snrDb,
                              int rate)
{
    std::vector<float> out(size_t(totalMs) * rate / 1000);
    std::mt19937 random(7);
    std::normal_distribution<float> hiss(0, 1);
    const double speechRms = 0.2;
    const double noiseRms = speechRms * std::pow(10, -snrDb / 20);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = float(noiseRms * hiss(random));
    std::uniform_int_distribution<int> syllable(120, 260), gap(30, 90);
    for (const SpeechSpan& span : spans) {
        qint32 at = span.begin;
        while (at < span.end) {
            const qint32 end = std::min(at + syllable(random), span.end);
            for (qint64 f = qint64(at) * rate / 1000; f < qint64(end) * rate / 1000; ++f) {
                const double t = double(f) / rate;
                const double voice = std::sin(2 * M_PI * 140 * t) +
                                     0.5 * std::sin(2 * M_PI * 280 * t) +
                                     0.3 * std::sin(2 * M_PI * 420 * t);
                out[size_t(f)] += float(speechRms * 1.1 * voice);
            }
            at = end + (end < span.end ? gap(random) : 0);
        }
    }
    return out;
}

ReviewRequest studentPass(const TempCourse& course)
{
    ReviewRequest request;
    request.lessonSound = course.filePath(QStringLiteral("lesson.wav"));
    request.lessonTiming = course.filePath(QStringLiteral("timing.txt"));
    request.text = course.filePath(QStringLiteral("text.txt"));
    request.recording = course.filePath(QStringLiteral("Ivan4.wav"));
    request.kind = ExerciseKind::TrainerRecording;
    request.student = QStringLiteral("Иван");
    request.historyFile = course.filePath(QStringLiteral("Ivan.hst"));
    request.exercise = {13, QStringLiteral("text.txt")};
    return request;
}
