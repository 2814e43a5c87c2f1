// The lesson listening window's costs: laying out a long lesson, one smooth
// scroll step with its repaint, and the CPU of following a 60 s lesson with
// both views shown next to paplay playing the same file. The last one needs a
// sound server (scripts/sound-server) and runs under QT_QPA_PLATFORM=offscreen.
#include "listening/FormWorkText.h"
#include "listening/TextSintagm.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/ChBxImgTransD1QF.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <cmath>
#include <sndfile.h>
#include <sys/resource.h>

namespace {
QStringList lessonLines(int count)
{
    const QStringList words{"Anna",  "steht", "früh", "auf,",   "trinkt", "einen", "Kaffee",
                            "und",   "geht",  "dann", "zur",    "Arbeit", "in",    "der",
                            "Stadt", "wo",    "sie",  "wartet", "schon",  "lange"};
    QStringList lines{"#Titel"};
    for (int i = 1; i < count; ++i) {
        QStringList syntagm;
        for (int w = 0; w < 4 + i % 5; ++w)
            syntagm.append(words[(i * 7 + w * 3) % words.size()]);
        lines.append(i % 50 == 0 ? "#Abschnitt" : syntagm.join(u' '));
    }
    return lines;
}

QFont arial16()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    return font;
}

void LayoutOf1000Syntagms(benchmark::State& state)
{
    SyntagmLayout model;
    model.SetText(lessonLines(1000));
    const QFontMetrics metrics(arial16());
    const auto widthOf = [&](const QString& text, quint8) {
        return metrics.horizontalAdvance(text);
    };
    for (auto _ : state) {
        model.markStale();
        benchmark::DoNotOptimize(model.Paint({360, 400}, 16, widthOf));
    }
    state.counters["lines"] = model.lastLine();
}

void ScrollStepWithRepaint(benchmark::State& state)
{
    TTextSintagm view;
    view.SetFont(arial16(), qRgb(0, 0, 0));
    view.SetText(lessonLines(1000));
    view.resize(360, 400);
    view.show();
    // Painted into an image of the view's size, so that every step really
    // paints, whether or not a screen shows the view.
    QImage screen(view.size(), QImage::Format_RGB32);
    view.render(&screen);
    int position = 0;
    int steps = 0;
    for (auto _ : state) {
        // Far away every few steps, so that each step moves the text.
        if (++steps % 20 == 0)
            view.SetPosition(position = (position + 97) % 1000);
        view.ScrollStep();
        view.render(&screen);
    }
    state.counters["offset_px"] = view.Model().scrollOffset();
}

double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A 60 s lesson: 40 syntagms of 1.2 s tone with 0.3 s pauses.
constexpr int Seconds = 60;
constexpr int Syntagms = 40;
bool writeLesson(const QDir& dir)
{
    constexpr int rate = 44100;
    std::vector<float> samples(size_t(Seconds * rate), 0.0f);
    QStringList text{"#Titel"}, timing{"#\t#"};
    const QStringList lines = lessonLines(Syntagms + 1);
    for (int k = 2; k <= Syntagms + 1; ++k) {
        const int start = 300 + (k - 2) * 1500;
        for (int i = 0; i < 1200 * rate / 1000; ++i)
            samples[size_t(qint64(start) * rate / 1000 + i)] =
                float(0.3 * std::sin(2 * M_PI * 440 * i / rate));
        text.append(lines[k - 1].startsWith(u'#') ? QStringLiteral("Ein Satz") : lines[k - 1]);
        timing.append(QStringLiteral("%1\t%2").arg(start).arg(start + 1200));
    }
    for (const auto& [name, lines] :
         {std::pair{"L.txt", text}, std::pair{"L.ru", text}, std::pair{"L.tim", timing},
          std::pair{"L.pic", QStringList{}}}) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly))
            return false;
        for (const QString& line : lines)
            file.write(line.toLatin1() + "\r\n");
    }
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(QFile::encodeName(dir.filePath("L.wav")).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    sf_writef_float(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
    return true;
}

void FollowingA60sLessonAgainstPaplay(benchmark::State& state)
{
    QTemporaryDir dir;
    if (!writeLesson(QDir(dir.path()))) {
        state.SkipWithError("cannot write the lesson");
        return;
    }
    double ours = 0, theirs = 0;
    for (auto _ : state) {
        WorkTextNames names{dir.filePath("L.wav"),
                            {},
                            LessonFileNames{dir.filePath("L.txt"),
                                            dir.filePath("L.ru"),
                                            dir.filePath("L.tim"),
                                            dir.filePath("L.pic"),
                                            {}},
                            dir.path() + "/"};
        TFormWorkText form(names);
        form.resize(775, 533);
        form.show();
        QTest::mouseClick(form.CheckBoxText, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(form.CheckBoxTrans, Qt::LeftButton, {}, QPoint(5, 5));
        const double before = cpuSeconds(RUSAGE_SELF);
        QTest::mouseClick(form.BitBtnPlayAll, Qt::LeftButton);
        if (!QTest::qWaitFor([&] { return !form.BitBtnStop->isEnabled(); }, (Seconds + 10) * 1000))
            state.SkipWithError("the lesson did not end");
        ours += cpuSeconds(RUSAGE_SELF) - before;
        const double childBefore = cpuSeconds(RUSAGE_CHILDREN);
        QProcess::execute("paplay", {dir.filePath("L.wav")});
        theirs += cpuSeconds(RUSAGE_CHILDREN) - childBefore;
    }
    const double played = double(Seconds) * double(state.iterations());
    state.counters["window_core_share_pct"] = ours * 100 / played;
    state.counters["paplay_core_share_pct"] = theirs * 100 / played;
}
} // namespace

BENCHMARK(LayoutOf1000Syntagms)->Unit(benchmark::kMillisecond);
BENCHMARK(ScrollStepWithRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(FollowingA60sLessonAgainstPaplay)->Iterations(1)->Unit(benchmark::kSecond);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
