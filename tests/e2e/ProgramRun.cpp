#include "e2e/ProgramRun.h"

#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>
#include <sys/resource.h>

XServer::XServer()
{
    if (QString(XVFB_PROGRAM).isEmpty() || QString(XWININFO_PROGRAM).isEmpty())
        return;
    server_.start(QStringLiteral(XVFB_PROGRAM),
                  {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    if (!server_.waitForReadyRead(10000))
        return;
    display_ = QStringLiteral(":") + QString::fromLatin1(server_.readLine().trimmed());
}

XServer::~XServer()
{
    server_.terminate();
    server_.waitForFinished(5000);
}

QString XServer::windowList() const
{
    QProcess info;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    info.setProcessEnvironment(env);
    info.start(QStringLiteral(XWININFO_PROGRAM), {"-root", "-tree"});
    info.waitForFinished(5000);
    return QString::fromUtf8(info.readAllStandardOutput());
}

bool waitForTitle(const XServer& x, const QString& title, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        if (x.windowList().contains(QLatin1Char('"') + title + QLatin1Char('"')))
            return true;
        QThread::msleep(100);
    }
    return false;
}

namespace {

ProgramStart onCourse(const QString& course, bool splash)
{
    ProgramStart start;
    start.arguments = QStringList{course};
    if (!splash)
        start.arguments.prepend(QStringLiteral("--no-splash"));
    return start;
}

} // namespace

Program::Program(const QString& course, const QString& platform, const QString& display,
                 bool splash)
    : Program(onCourse(course, splash), platform, display)
{
}

Program::Program(const ProgramStart& start, const QString& platform, const QString& display)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    env.insert(QStringLiteral("TOLVAREN_SOUND"), QStringLiteral("virtual"));
    // In a sanitizer build the program reports the system libraries' own
    // leaks unless it gets the project's suppressions.
    if (!env.contains(QStringLiteral("LSAN_OPTIONS")))
        env.insert(QStringLiteral("LSAN_OPTIONS"),
                   QStringLiteral("suppressions=" LSAN_SUPPRESSIONS ":print_suppressions=0"));
    if (!display.isEmpty())
        env.insert(QStringLiteral("DISPLAY"), display);
    // The program says "idle" on its output once its first show is done.
    env.insert(QStringLiteral("TOLVAREN_REPORT_IDLE"), QStringLiteral("1"));
    // The program remembers its course folder in the settings: a home of its
    // own keeps the tester's real settings and data folders out of reach.
    env.insert(QStringLiteral("HOME"), home_.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home_.filePath(QStringLiteral("data")));
    env.insert(start.environment);
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.setWorkingDirectory(start.workingFolder);
    if (start.fileSizeLimit >= 0)
        process_.setChildProcessModifier([limit = rlim_t(start.fileSizeLimit)] {
            const rlimit files{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &files);
        });
    process_.start(QStringLiteral(TOLVAREN_BINARY), start.arguments);
    EXPECT_TRUE(process_.waitForStarted(5000)) << process_.errorString().toStdString();
}

Program::~Program()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

bool Program::running()
{
    return !process_.waitForFinished(0) && process_.state() == QProcess::Running;
}

bool Program::waitForIdle(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        output_ += process_.readAllStandardOutput();
        if (output_.contains("idle"))
            return true;
        process_.waitForReadyRead(100);
    }
    return false;
}

void Program::terminateCleanly(int signal)
{
    ::kill(process_.processId(), signal);
    ASSERT_TRUE(process_.waitForFinished(10000));
    EXPECT_EQ(process_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process_.exitCode(), 0);
}
