#include "app/AppStart.h"
#include "app/ErrorMessage.h"
#include "app/FormBegin.h"
#include "app/FormMain.h"
#include "app/FormProgress.h"
#include "app/HelpTopics.h"
#include "app/HelpViewer.h"
#include "app/OKBottomDlgAbout.h"
#include "drills/SharedDialogs.h"
#include "users/DlgPassWord.h"
#include "users/OKBottomDlgChengeReg.h"
#include "users/OKBottomDlgNewUser.h"
#include "users/OKBottomDlgSelectUsers.h"
#include "users/UserSession.h"

#include <QApplication>
#include <cstdio>
#include <memory>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int terminationPipe[2] = {-1, -1};

void onTerminate(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(terminationPipe[0], &byte, 1);
}

// SIGTERM and SIGINT close the main window the ordinary way, so that what the
// window writes when it closes is written also when the session ends.
void closeOnTermination(QWidget* window)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, terminationPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(terminationPipe[1], QSocketNotifier::Read, window);
    QObject::connect(notifier, &QSocketNotifier::activated, window, [window] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(terminationPipe[1], &byte, 1);
        window->close();
    });
    struct sigaction action = {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

} // namespace
#else
static void closeOnTermination(QWidget*) {}
#endif

static void reportIdle()
{
    std::fputs("idle\n", stdout);
    std::fflush(stdout);
}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const StartOptions options = parseStartOptions(app.arguments());
    QString message = options.error;
    if (!message.isEmpty() || !enterCourseFolder(options.courseFolder, &message)) {
        showError(message);
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
    CreateSharedDialogs();
    TFormProgress progress(&formMain);
    std::unique_ptr<TFormBegin> begin;
    if (options.splash) {
        begin = std::make_unique<TFormBegin>(&formMain);
        if (!begin->musicReady()) {
            showError(begin->musicError());
            return 1;
        }
    }
    formMain.SetWindows(
        {&about, &selectUsers, &newUser, &chengeReg, &password, &progress, begin.get()});
    closeOnTermination(&formMain);
    // The start benchmark times the way to the idle main window: with this
    // variable set the program says on its output when it got there.
    if (qEnvironmentVariableIsSet("TOLVAREN_REPORT_IDLE"))
        QObject::connect(&formMain, &TFormMain::startupFinished, &formMain, reportIdle,
                         Qt::QueuedConnection);
    formMain.show();
    return app.exec();
}
