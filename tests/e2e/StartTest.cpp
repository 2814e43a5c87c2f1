// Starts the real program on a course folder, the way a user does, and ends it
// the way a session ends: the window must come up with the anonymous user's
// title and the program must end cleanly on SIGTERM.
#include "e2e/ProgramRun.h"
#include "support/TempCourse.h"
#include "users/UserSession.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

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
    ASSERT_TRUE(program.waitForIdle());
    EXPECT_TRUE(program.running());
    program.terminateCleanly();
}

namespace {

// The demo course as the build made it; empty when it is not there, which
// fails the test when the run says the course must be there.
QString demoCourse()
{
    const QString demo = QStringLiteral(DEMO_COURSE_DIR);
    if (QFileInfo::exists(QDir(demo).filePath(QStringLiteral("InitRegD.txt"))))
        return demo;
    if (qEnvironmentVariableIsSet("TOLVAREN_DEMO_REQUIRED"))
        ADD_FAILURE() << "demo course missing: " << demo.toStdString();
    return {};
}

// The whole demo course in the temporary folder: the shared copy is never written.
void copyCourse(const QString& from, const TempCourse& to)
{
    QDirIterator files(from, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        const QString target = to.filePath(QDir(from).relativeFilePath(file));
        QDir().mkpath(QFileInfo(target).path());
        ASSERT_TRUE(QFile::copy(file, target)) << target.toStdString();
    }
}

// Two students with work done, as the program's own user code leaves them.
void prepareStudents(const TempCourse& course)
{
    UserSession session;
    session.loadUserList();
    const QList<std::pair<QString, QString>> students{{"Anna", "D"}, {"Boris", "C"}};
    for (const auto& [name, mode] : students) {
        NewUserInput input{name, "pw", "pw", defaultProgressPath(course.path(), name), mode};
        const UserSession::Added added = session.addUser(input);
        ASSERT_TRUE(added.index) << userTexts(added.messages).join(' ').toStdString();
        session.changeUser(*added.index);
        for (int entry : {4, 5})
            ASSERT_TRUE(session.markDone(entry, ExerciseKind::LexiconPreview, {}).isEmpty());
    }
    ASSERT_TRUE(session.close().isEmpty());
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A private copy of the demo course; skipped while the build has not made it.
class DemoCourse : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString demo = demoCourse();
        if (demo.isEmpty())
            GTEST_SKIP() << "demo course not made yet";
        copyCourse(demo, course);
    }
    TempCourse course;
};

} // namespace

TEST_F(DemoCourse, ComesUpUnderX)
{
    startUnderX(demoCourse());
}

// SIGTERM (kill, a service stop), SIGHUP (a desktop logout) and SIGINT (Ctrl+C)
// close the window as its close box does: what closing writes is written.
class EndSignal : public ::testing::TestWithParam<int> {};

TEST_P(EndSignal, ClosesTheWindowWritingNothingUnchanged)
{
    TempCourse course;
    writeSmallCourse(course);
    Program program(course.path(), QStringLiteral("offscreen"));
    ASSERT_TRUE(program.waitForIdle());
    program.terminateCleanly(GetParam());
    EXPECT_FALSE(QFile::exists(course.filePath(UserListFile)))
        << "an unchanged list is not written: another program's users would vanish";
}

INSTANTIATE_TEST_SUITE_P(Start, EndSignal, ::testing::Values(SIGTERM, SIGHUP, SIGINT));

TEST_F(DemoCourse, StudentsFilesSurviveRunsEndedBySignals)
{
    prepareStudents(course);
    const QStringList files{UserListFile, "Report/Anna/Anna.rep", "Report/Boris/Boris.rep"};
    QList<QByteArray> before;
    for (const QString& file : files)
        before << fileBytes(course.filePath(file));

    for (int signal : {SIGTERM, SIGHUP}) {
        Program program(course.path(), QStringLiteral("offscreen"));
        ASSERT_TRUE(program.waitForIdle());
        program.terminateCleanly(signal);
        for (int i = 0; i < files.size(); ++i)
            EXPECT_EQ(fileBytes(course.filePath(files[i])), before[i])
                << files[i].toStdString() << " after signal " << signal;
    }
    UserSession again;
    again.loadUserList();
    ASSERT_EQ(again.users().count(), 2);
    again.changeUser(1);
    EXPECT_EQ(again.title(), QStringLiteral("Tolvaren Boris - Режим C."));
    EXPECT_TRUE(again.isDone(4) && again.isDone(5) && !again.isDone(6));
}

TEST_F(DemoCourse, SignalDuringTheSplashEndsTheProgram)
{
    Program program(course.path(), QStringLiteral("offscreen"), {}, true);
    QThread::msleep(1500); // the splash is on screen for 4.5 s
    program.terminateCleanly();
}

namespace {
// The libraries the sound back end and printing bring, and their modules.
const QStringList SoundAndPrint{"libQt6Multimedia", "libQt6Network",      "libpulse",
                                "libkrb5",          "libsndfile",         "libFLAC",
                                "libvorbis",        "libQt6PrintSupport", "libcups",
                                "tolvaren-sound",   "tolvaren-print"};

// Those of them the running program has loaded.
QStringList loaded(qint64 pid, const QStringList& libraries)
{
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    const QString mapped = maps.open(QIODevice::ReadOnly) ? maps.readAll() : QString();
    QStringList found;
    for (const QString& library : libraries)
        if (mapped.contains(u'/' + library))
            found << library;
    return found;
}
} // namespace

TEST_F(DemoCourse, SoundAndPrintLibrariesLoadOnlyWithTheFirstSound)
{
    {
        Program program(course.path(), QStringLiteral("offscreen"));
        ASSERT_TRUE(program.waitForIdle());
        EXPECT_EQ(loaded(program.pid(), SoundAndPrint), QStringList());
        program.terminateCleanly();
    }
    // The splash plays its music as it opens: the sound module comes then,
    // with its libraries, and printing still waits.
    Program program(course.path(), QStringLiteral("offscreen"), {}, true);
    const QStringList sound{"tolvaren-sound", "libQt6Multimedia", "libsndfile", "libpulse"};
    QElapsedTimer clock;
    for (clock.start(); loaded(program.pid(), sound) != sound && clock.elapsed() < 10000;)
        QThread::msleep(100);
    EXPECT_EQ(loaded(program.pid(), sound), sound);
    EXPECT_EQ(loaded(program.pid(), {"tolvaren-print", "libQt6PrintSupport"}), QStringList());
    program.terminateCleanly();
}

TEST(Start, SignalWhileAMessageIsOpenEndsTheProgram)
{
    // The first entry's description is missing: the start stops at its message.
    TempCourse course;
    writeSmallCourse(course);
    QFile::remove(course.filePath(QStringLiteral("DataTest/lesson.rtf")));
    Program program(course.path(), QStringLiteral("offscreen"));
    QThread::msleep(1500);
    ASSERT_TRUE(program.running());
    program.terminateCleanly(SIGHUP);
}
