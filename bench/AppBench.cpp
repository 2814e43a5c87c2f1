// The course shell's start and tree building.
//   app_bench [--course=DIR] [benchmark options]
// DIR defaults to the demo course made by the tests (tests/course/demo in the
// build folder). ProgramStart runs the real program with --no-splash until its
// main window is idle, against EmptyProgramStart, a program with an empty Qt
// main window: their ratio is the start's cost. WindowStart measures the
// window part alone, inside this process.
#include "app/Catalogue.h"
#include "app/FormMain.h"
#include "app/FormProgress.h"
#include "common/LineFile.h"
#include "users/UserSession.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

QString courseFolder = QStringLiteral(DEMO_COURSE_DIR);

// The main window with its progress window, as the program makes them.
struct Shell {
    UserSession session;
    TFormMain main{session};
    TFormProgress progress{&main};
    Shell()
    {
        ShellWindows windows;
        windows.progress = &progress;
        main.SetWindows(windows);
    }
};

void settle()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// Times a program from its start until it says its window is idle; ending it
// (SIGTERM, the way a session ends) is left out of the time.
void runProgram(benchmark::State& state, const QString& program, const QStringList& arguments)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TOLVAREN_REPORT_IDLE"), QStringLiteral("1"));
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(program, arguments);
        while (!process.canReadLine() && process.waitForReadyRead(30000)) {
        }
        state.PauseTiming();
        if (process.readLine().trimmed() != "idle")
            state.SkipWithError("the program did not get to its idle window");
        process.terminate();
        process.waitForFinished(30000);
        state.ResumeTiming();
    }
}

void EmptyProgramStart(benchmark::State& state)
{
    runProgram(state, QStringLiteral(EMPTY_WINDOW_BINARY), {});
}
BENCHMARK(EmptyProgramStart)->Unit(benchmark::kMillisecond)->UseRealTime();

void ProgramStart(benchmark::State& state)
{
    runProgram(state, QStringLiteral(TOLVAREN_BINARY),
               {QStringLiteral("--no-splash"), courseFolder});
}
BENCHMARK(ProgramStart)->Unit(benchmark::kMillisecond)->UseRealTime();

void WindowStart(benchmark::State& state)
{
    if (!QDir::setCurrent(courseFolder)) {
        state.SkipWithError("no course folder");
        return;
    }
    for (auto _ : state) {
        Shell shell;
        QEventLoop idle;
        QObject::connect(&shell.main, &TFormMain::startupFinished, &idle, &QEventLoop::quit);
        shell.main.show();
        idle.exec();
        settle();
        if (!shell.main.TreeReady)
            state.SkipWithError("the course did not load");
    }
}
BENCHMARK(WindowStart)->Unit(benchmark::kMillisecond);

// Four catalogues of n entries: lessons of one heading and nine exercises.
void writeCatalogues(const QString& folder, int n)
{
    QStringList lines;
    int heading = 0;
    for (int i = 1; i <= n; ++i) {
        const bool isHeading = (i - 1) % 10 == 0;
        const QString fields =
            isHeading ? QStringLiteral("Урок %1\t0\t%2\t0\tl.rtf\t0\t\t\t\t\t").arg(i).arg(heading)
                      : QStringLiteral("Упражнение %1\t1\t%2\t0\te.rtf\t%3\tt.txt\ttr.txt\ts.wav"
                                       "\ts.txt\tp.txt")
                            .arg(i)
                            .arg(heading)
                            .arg(1 + i % 8);
        lines << fields;
        if (isHeading)
            heading = i;
    }
    const QByteArray bytes = *encodeCourseLines(lines, CodePage::Cp1251);
    for (const char* mode : {"A", "B", "C", "D"}) {
        QFile file(QDir(folder).filePath(QStringLiteral("InitReg%1.txt").arg(QLatin1String(mode))));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
}

void LoadAndBuild10000(benchmark::State& state)
{
    QTemporaryDir folder;
    writeCatalogues(folder.path(), 10000);
    QDir::setCurrent(folder.path());
    Shell shell;
    for (auto _ : state) {
        Catalogues catalogues;
        catalogues.LoadCatalogues();
        courseCatalogues() = catalogues;
        shell.main.BuildCourseTree(u'D');
        benchmark::DoNotOptimize(shell.main.TreeView->topLevelItemCount());
    }
}
BENCHMARK(LoadAndBuild10000)->Unit(benchmark::kMillisecond);

void LoadCatalogues10000(benchmark::State& state)
{
    QTemporaryDir folder;
    writeCatalogues(folder.path(), 10000);
    QDir::setCurrent(folder.path());
    for (auto _ : state) {
        Catalogues catalogues;
        benchmark::DoNotOptimize(catalogues.LoadCatalogues());
    }
}
BENCHMARK(LoadCatalogues10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument.startsWith(QLatin1String("--course=")))
            courseFolder = QDir(argument.mid(9)).absolutePath();
        else
            rest.push_back(argv[i]);
    }
    int restCount = int(rest.size());
    QApplication app(restCount, rest.data());
    benchmark::Initialize(&restCount, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
