#include "align/AlignModule.h"
#include "app/AppStart.h"
#include "app/CourseCheck.h"
#include "app/FormBegin.h"
#include "app/FormMain.h"
#include "app/FormProgress.h"
#include "app/HelpTopics.h"
#include "app/HelpViewer.h"
#include "app/OKBottomDlgAbout.h"
#include "app/TerminationSignals.h"
#include "common/ProcessEnd.h"
#include "dialogs/DlgMessage.h"
#include "dialogs/SharedDialogs.h"
#include "users/DlgPassWord.h"
#include "users/OKBottomDlgChengeReg.h"
#include "users/OKBottomDlgNewUser.h"
#include "users/OKBottomDlgSelectUsers.h"
#include "users/UserSession.h"
#include "widgets/Look.h"
#include "widgets/QuietStyle.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <thread>

// Idle once what the start showed last is painted: Qt asks for that paint at
// low priority, after the calls queued meanwhile.
static void reportIdle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    std::fputs("idle\n", stdout);
    std::fflush(stdout);
}

// Checks a course for its author: every problem on a line of its own, then
// the summary. 0 when the course is clean, 1 when it is not.
static int checkOnTerminal(int argc, char* argv[], const QString& folder)
{
    QCoreApplication app(argc, argv);
    if (!QFileInfo(folder).isDir()) {
        std::fputs(qPrintable(QStringLiteral("Нет папки курса \"%1\"\n").arg(folder)), stderr);
        return 2;
    }
    const CourseCheckResult result = checkCourse(folder);
    for (const CourseError& problem : result.problems + result.warnings)
        std::fputs(qPrintable(problemLine(problem, folder) + u'\n'), stdout);
    std::fputs(qPrintable(checkSummary(result) + u'\n'), stdout);
    return result.problems.isEmpty() ? 0 : 1;
}

// --help, --version, --check and a wrong command line answer on the terminal
// and need no screen, so they are looked at before the application connects
// to one. Empty when the program is to start its windows.
static std::optional<int> answeredOnTerminal(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const StartOptions options = parseStartOptions(arguments);
    if (!options.error.isEmpty()) {
        std::fputs(qPrintable(options.error + u'\n' + usageText()), stderr);
        return 2;
    }
    switch (options.action) {
    case StartOptions::Action::Run:
        return std::nullopt;
    case StartOptions::Action::Check:
        return checkOnTerminal(argc, argv, options.courseFolder);
    case StartOptions::Action::Help:
        std::fputs(qPrintable(usageText()), stdout);
        return 0;
    case StartOptions::Action::Version:
        std::fputs(qPrintable(versionText()), stdout);
        return 0;
    }
    return std::nullopt;
}

// Timings for authors: the alignment runs on the terminal, without a screen.
static int alignOnTerminal(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    return runAlign(QCoreApplication::arguments().mid(2));
}

// The program, from its command line to its last window.
int run(int argc, char* argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "--align") == 0)
        return alignOnTerminal(argc, argv);
    if (const std::optional<int> status = answeredOnTerminal(argc, argv))
        return *status;
#ifdef SIGXFSZ
    // A file size limit (ulimit -f) makes the write that passes it fail with
    // its reason, which the program tells and survives, instead of killing it
    // in the middle of a recording or a course copy.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // Reading the system's font configuration is the dearest step of a first
    // text; a second core does it, and finds the program's face, while the
    // application connects to the display. It asks fontconfig alone, which
    // is safe from any thread; Qt's font database is filled and used on this
    // thread only (filled beside it, it was seen to crash as the course font
    // was added).
    std::thread fontConfiguration([] { look::faceName(); });
    // The menu bar stays in the window, where its layout counts it, even on a
    // desktop with a global menu; nor does the program ask the session bus for one.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication app(argc, argv);
    // Caught from here on: a signal while the course is copied or the windows
    // are made waits for the event loop, which then ends the run.
    catchTerminationSignals();
    fontConfiguration.join();
    QApplication::setStyle(new QuietStyle);
    look::useProgramFace();
    // Qt's own dialogs (the print dialog) speak Russian like the rest.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    const StartOptions options = parseStartOptions(app.arguments());
    QString message;
    bool demoCopied = false;
    if (!openCourseFolder(options.courseFolder, &demoCopied, &message)) {
        showFileProblems({message}, FileFault::Error);
        return 1;
    }
    setHelpFile(HelpFileName);
    installHelpKey();

    // The long-lived windows, made once in their fixed order, the main window
    // first. The user selection takes the new-user and password dialogs, so
    // those two are made just before it.
    UserSession session;
    TFormMain formMain(session);
    TOKBottomDlgAbout about(&formMain);
    TOKBottomDlgNewUser newUser(session, &formMain);
    TDlgPassWord password(&formMain);
    TOKBottomDlgSelectUsers selectUsers(session, newUser, password, &formMain);
    TOKBottomDlgChengeReg chengeReg(&formMain);
    createSharedDialogs();
    TFormProgress progress(&formMain);
    std::unique_ptr<TFormBegin> begin;
    if (options.splash) {
        begin = std::make_unique<TFormBegin>(&formMain);
        if (!begin->musicReady()) {
            showFileProblems({begin->musicError()}, FileFault::Error);
            return 1;
        }
    }
    formMain.setWindows(
        {&about, &selectUsers, &newUser, &chengeReg, &password, &progress, begin.get()});
    // A termination signal (a desktop logout, kill, Ctrl+C) closes the main
    // window the ordinary way, so what it writes on closing is written.
    onTerminationSignal([&formMain] { formMain.closeBySignal(); });
    // The start benchmark times the way to the idle main window: with this
    // variable set the program says on its output when it got there.
    if (qEnvironmentVariableIsSet("TOLVAREN_REPORT_IDLE"))
        QObject::connect(&formMain, &TFormMain::startupFinished, &formMain, reportIdle,
                         Qt::QueuedConnection);
    // The student learns once where the demo course went, over the main window
    // that already shows it.
    if (demoCopied)
        QObject::connect(
            &formMain, &TFormMain::startupFinished, &formMain,
            [] {
                ShowDlgMessage(demoCopiedText(QDir::currentPath()), "Внимание",
                               MessageIcon::Information);
            },
            Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));
    formMain.show();
    return app.exec();
}

int main(int argc, char* argv[])
{
    endProcess(run(argc, argv));
}
