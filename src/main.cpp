#include "app/AppStart.h"
#include "app/ErrorMessage.h"
#include "app/FormBegin.h"
#include "app/FormMain.h"
#include "app/FormProgress.h"
#include "app/HelpTopics.h"
#include "app/HelpViewer.h"
#include "app/OKBottomDlgAbout.h"
#include "app/TerminationSignals.h"
#include "dialogs/SharedDialogs.h"
#include "users/DlgPassWord.h"
#include "users/OKBottomDlgChengeReg.h"
#include "users/OKBottomDlgNewUser.h"
#include "users/OKBottomDlgSelectUsers.h"
#include "users/UserSession.h"

#include <QApplication>
#include <cstdio>
#include <memory>

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
    // A termination signal (a desktop logout, kill, Ctrl+C) closes the main
    // window the ordinary way, so what it writes on closing is written.
    onTerminationSignal([&formMain] { formMain.close(); });
    // The start benchmark times the way to the idle main window: with this
    // variable set the program says on its output when it got there.
    if (qEnvironmentVariableIsSet("TOLVAREN_REPORT_IDLE"))
        QObject::connect(&formMain, &TFormMain::startupFinished, &formMain, reportIdle,
                         Qt::QueuedConnection);
    formMain.show();
    return app.exec();
}
