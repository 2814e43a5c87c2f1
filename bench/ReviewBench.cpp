// The pass review's costs on a ten-minute pass: analysing the recording
// (speech, figures and the peak summary; goal under 1 s, 600x real time),
// opening the review window to its first paint, and one scroll step with its
// repaint (goal under 16 ms). Runs under QT_QPA_PLATFORM=offscreen.
#include "review/FormReview.h"
#include "review/PeakSummary.h"
#include "review/ReviewInput.h"
#include "review/WaveStrip.h"

#include "PassMaterial.h"
#include "../tests/sound/SoundFiles.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int Rate = 22050;
constexpr qint32 PassMs = 600000;
constexpr int Syntagms = 200;

// Speech in the first 2.2 s of every 3 s turn.
QList<SpeechSpan> speechOfPass()
{
    QList<SpeechSpan> speech;
    for (int i = 0; i < Syntagms; ++i)
        speech.append({i * 3000 + 400, i * 3000 + 2600});
    return speech;
}

QList<Turn> turnsOfPass()
{
    QList<Turn> turns;
    for (int i = 0; i < Syntagms; ++i)
        turns.append({i * 3000, i * 3000 + 3000});
    return turns;
}

const std::vector<float>& recordingOfPass()
{
    static const std::vector<float> samples = speechLike(PassMs, speechOfPass(), 20, Rate);
    return samples;
}

void AnalyseTenMinutes(benchmark::State& state)
{
    const std::vector<float>& samples = recordingOfPass();
    for (auto _ : state) {
        const PeakSummary peaks(samples, Rate);
        const PassFigures figures = passFigures(detectSpeech(samples, Rate), turnsOfPass(), PassMs);
        benchmark::DoNotOptimize(peaks.lengthMs());
        benchmark::DoNotOptimize(figures.speakingMs);
    }
    state.counters["x_real_time"] = benchmark::Counter(
        double(PassMs) / 1000 * double(state.iterations()), benchmark::Counter::kIsRate);
}

// The lesson's files and the pass's recording in a folder of their own.
struct PassFiles {
    QTemporaryDir dir;
    ReviewRequest request;

    PassFiles()
    {
        QStringList text, timing;
        for (int i = 0; i < Syntagms; ++i) {
            text << QStringLiteral("Satz Nummer %1 der langen Lektion.").arg(i + 1);
            timing << QStringLiteral("%1\t%2").arg(i * 3000).arg(i * 3000 + 3000);
        }
        writeLines(QStringLiteral("text.txt"), text);
        writeLines(QStringLiteral("timing.txt"), timing);
        writeSamples(dir.filePath(QStringLiteral("lesson.wav")), Rate, recordingOfPass());
        writeSamples(dir.filePath(QStringLiteral("pass.wav")), Rate, recordingOfPass());
        request.lessonSound = dir.filePath(QStringLiteral("lesson.wav"));
        request.lessonTiming = dir.filePath(QStringLiteral("timing.txt"));
        request.text = dir.filePath(QStringLiteral("text.txt"));
        request.recording = dir.filePath(QStringLiteral("pass.wav"));
        request.kind = ExerciseKind::TrainerRecording;
    }

    void writeLines(const QString& name, const QStringList& lines) const
    {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(lines.join(QStringLiteral("\r\n")).toLatin1());
    }
};

struct FirstPaint : QObject {
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override
    {
        painted = painted || event->type() == QEvent::Paint;
        return false;
    }
};

void OpenTenMinutePassToFirstPaint(benchmark::State& state)
{
    const PassFiles files;
    for (auto _ : state) {
        TFormReview form(files.request, {});
        FirstPaint paint;
        form.Strip->installEventFilter(&paint);
        form.show();
        while (!paint.painted)
            QCoreApplication::processEvents();
        state.PauseTiming();
        form.hide();
        state.ResumeTiming();
    }
}

void ScrollStepRepaint(benchmark::State& state)
{
    const PassFiles files;
    TFormReview form(files.request, {});
    form.resize(1280, 720);
    form.show();
    QCoreApplication::processEvents();
    WaveStrip* strip = form.Strip;
    strip->zoomBy(8); // some 75 s in the window
    const double step = strip->width() * strip->view().msPerPixel / 8;
    double start = 0;
    for (auto _ : state) {
        start = start + step > strip->lengthMs() / 2 ? 0 : start + step;
        strip->setView({start, strip->view().msPerPixel});
        strip->repaint();
    }
}
} // namespace

BENCHMARK(AnalyseTenMinutes)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(OpenTenMinutePassToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ScrollStepRepaint)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
