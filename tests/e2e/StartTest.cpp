// Starts the real program on a course folder, the way a user does, and ends it
// the way a session ends: the window must come up with the anonymous user's
// title and the program must end cleanly on SIGTERM.
#include "support/TempCourse.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const QString AnonymousTitle = QStringLiteral("Tolvaren Анонимный пользователь - Режим D.");

void writeSmallCourse(const TempCourse& course)
{
    const QStringList lines{
        QStringLiteral("Урок 1\t0\t0\t0\tlesson.rtf\t0\t\t\t\t\t"),
        QStringLiteral("Лексика\t1\t1\t0\tlesson.rtf\t2\tl.txt\tt.txt\ts.wav\tm.txt\t")};
    for (const char* mode : {"A", "B", "C", "D"})
        course.writeLines(QStringLiteral("InitReg%1.txt").arg(QLatin1String(mode)), lines);
    course.write(QStringLiteral("DataTest/lesson.rtf"), "{\\rtf1 {\\b Lesson} one\\par}");
}

// A private X server for one test.
class XServer {
public:
    XServer()
    {
        if (QString(XVFB_PROGRAM).isEmpty() || QString(XWININFO_PROGRAM).isEmpty())
            return;
        server_.start(QStringLiteral(XVFB_PROGRAM),
                      {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        if (!server_.waitForReadyRead(10000))
            return;
        display_ = QStringLiteral(":") + QString::fromLatin1(server_.readLine().trimmed());
    }
    ~XServer()
    {
        server_.terminate();
        server_.waitForFinished(5000);
    }
    QString display() const { return display_; }

    // The titles of every window on the screen.
    QString windowList() const
    {
        QProcess info;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        info.setProcessEnvironment(env);
        info.start(QStringLiteral(XWININFO_PROGRAM), {"-root", "-tree"});
        info.waitForFinished(5000);
        return QString::fromUtf8(info.readAllStandardOutput());
    }

private:
    QProcess server_;
    QString display_;
};

class Program {
public:
    Program(const QString& course, const QString& platform, const QString& display = {})
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
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(TOLVAREN_BINARY), {QStringLiteral("--no-splash"), course});
        EXPECT_TRUE(process_.waitForStarted(5000)) << process_.errorString().toStdString();
    }
    ~Program()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    bool running() { return !process_.waitForFinished(0) && process_.state() == QProcess::Running; }

    // Sends SIGTERM and expects an ordinary end with exit code 0.
    void terminateCleanly()
    {
        process_.terminate();
        ASSERT_TRUE(process_.waitForFinished(10000));
        EXPECT_EQ(process_.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process_.exitCode(), 0);
    }

private:
    QProcess process_;
};

// Waits until the window list shows the title; false after the time is up.
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

void startUnderX(const QString& course)
{
    XServer x;
    if (x.display().isEmpty())
        GTEST_SKIP() << "no Xvfb or xwininfo";
    Program program(course, QStringLiteral("xcb"), x.display());
    EXPECT_TRUE(waitForTitle(x, AnonymousTitle, 20000)) << x.windowList().toStdString();
    EXPECT_TRUE(program.running());
    program.terminateCleanly();
}

} // namespace

TEST(Start, ComesUpWithTheCourseTreeUnderX)
{
    TempCourse course;
    writeSmallCourse(course);
    startUnderX(course.path());
}

TEST(Start, RunsWithoutAScreenAndEndsOnSigterm)
{
    TempCourse course;
    writeSmallCourse(course);
    Program program(course.path(), QStringLiteral("offscreen"));
    QThread::msleep(500);
    EXPECT_TRUE(program.running());
    program.terminateCleanly();
}

TEST(DemoCourse, ComesUpUnderX)
{
    const QString demo = QStringLiteral(DEMO_COURSE_DIR);
    if (!QFileInfo::exists(QDir(demo).filePath(QStringLiteral("InitRegD.txt")))) {
        if (qEnvironmentVariableIsSet("TOLVAREN_DEMO_REQUIRED"))
            FAIL() << "demo course missing: " << demo.toStdString();
        GTEST_SKIP() << "demo course not made yet";
    }
    startUnderX(demo);
}
