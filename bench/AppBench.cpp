// The course shell's start and tree building, inside this process.
//   app_bench [--course=DIR] [benchmark options]
// DIR defaults to the demo course made by the tests (tests/course/demo in the
// build folder). ProgramStart runs the real program with --no-splash until its
// main window is idle, against EmptyProgramStart, a program with an empty Qt
// main window (start_bench does the same in turns, with CPU time and memory).
// WindowStart measures the window part alone. CourseShow, ModeChange10000 and
// FinishedExercise10000 go the way a student goes on made courses.
#include "BenchCourse.h"
#include "app/Catalogue.h"
#include "app/FormMain.h"
#include "app/FormProgress.h"
#include "users/Completion.h"
#include "users/DlgPassWord.h"
#include "users/NewUser.h"
#include "users/OKBottomDlgNewUser.h"
#include "users/OKBottomDlgSelectUsers.h"
#include "users/UserList.h"
#include "users/UserSession.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QListWidget>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QTreeWidgetItem>
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
        main.setWindows(windows);
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
        const bool idle = process.readLine().trimmed() == "idle";
        process.terminate();
        process.waitForFinished(30000);
        if (!idle) {
            state.SkipWithError("the program did not get to its idle window");
            break; // the timing may not be resumed after an error
        }
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
        if (!shell.main.treeReady())
            state.SkipWithError("the course did not load");
    }
}
BENCHMARK(WindowStart)->Unit(benchmark::kMillisecond);

QTreeWidget* treeOf(const TFormMain& main)
{
    return main.findChild<QTreeWidget*>(QStringLiteral("TreeView"));
}

// The way a student opens a course of n entries: the window's first show
// loads the catalogues and makes the anonymous user current (ChangeUser), and
// the tree is laid out and drawn.
void CourseShow(benchmark::State& state)
{
    QTemporaryDir folder;
    writeBenchCourse(folder.path(), int(state.range(0)));
    QDir::setCurrent(folder.path());
    for (auto _ : state) {
        Shell shell;
        QEventLoop idle;
        QObject::connect(&shell.main, &TFormMain::startupFinished, &idle, &QEventLoop::quit);
        shell.main.show();
        idle.exec();
        settle();
        if (treeOf(shell.main)->topLevelItemCount() == 0)
            state.SkipWithError("the course did not load");
    }
}
BENCHMARK(CourseShow)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A shown course of 10,000 entries with a named student current.
struct NamedShell : Shell {
    QTemporaryDir folder;
    int student = -1;
    NamedShell()
    {
        writeBenchCourse(folder.path(), 10000);
        QDir::setCurrent(folder.path());
        QEventLoop idle;
        QObject::connect(&main, &TFormMain::startupFinished, &idle, &QEventLoop::quit);
        main.show();
        idle.exec();
        NewUserInput input;
        input.name = QStringLiteral("Ivan");
        input.password = input.confirmation = QStringLiteral("pw");
        input.fileName = defaultProgressPath(QDir::currentPath(), input.name);
        input.mode = QStringLiteral("B");
        student = session.addUser(input).index.value_or(-1);
        main.ChangeUser(student);
        settle();
    }
};

// The work mode change as the dialog ends it: new progress, then ChangeUser.
void ModeChange10000(benchmark::State& state)
{
    NamedShell shell;
    int turn = 0;
    for (auto _ : state) {
        shell.session.changeMode(++turn % 2 ? QStringLiteral("C") : QStringLiteral("B"));
        shell.main.ChangeUser(shell.student);
        settle();
    }
}
BENCHMARK(ModeChange10000)->Unit(benchmark::kMillisecond);

// What follows a finished exercise: its mark is stored, and the main window
// comes back with the tree's pictures refreshed (the start command on a
// heading runs the same refresh without opening a window).
void FinishedExercise10000(benchmark::State& state)
{
    NamedShell shell;
    QTreeWidgetItem* heading = treeOf(shell.main)->topLevelItem(0);
    int entry = 2;
    for (auto _ : state) {
        shell.session.markDone(entry, ExerciseKind::Lexicon, RunOutcome{});
        entry = entry % 9999 + 2;
        treeOf(shell.main)->setCurrentItem(heading);
        shell.main.ToolButton4Click();
        settle();
    }
}
BENCHMARK(FinishedExercise10000)->Unit(benchmark::kMillisecond);

// The user selection dialog the way a student opens it on a list of n users
// (93,600 users make a 50 MB list): the list is read, the rows are filled and
// the dialog is shown.
void UserSelection(benchmark::State& state)
{
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    UserTable table;
    for (int i = 0; i < state.range(0); ++i) {
        UserRecord user = AnonymousUser();
        const QString name = QStringLiteral("Student%1").arg(i);
        user.setName(name);
        user.setMode(QStringLiteral("B"));
        user.setFolder(name);
        user.setProgressFile(name + QStringLiteral("/") + name + QStringLiteral(".prg"));
        table.append(user);
    }
    WriteUserList(table);
    UserSession session;
    TOKBottomDlgNewUser newUser(session);
    TDlgPassWord password;
    for (auto _ : state) {
        TOKBottomDlgSelectUsers dialog(session, newUser, password);
        dialog.show();
        settle();
        if (dialog.ListBoxUsers->count() != state.range(0))
            state.SkipWithError("not every user was listed");
    }
}
BENCHMARK(UserSelection)->Arg(1000)->Arg(10000)->Arg(93600)->Unit(benchmark::kMillisecond);

void LoadCatalogues10000(benchmark::State& state)
{
    QTemporaryDir folder;
    writeBenchCourse(folder.path(), 10000);
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
