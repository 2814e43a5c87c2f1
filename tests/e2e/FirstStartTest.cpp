// A student's first start from the menu: no folder named, started in a folder
// with no course. The program copies the demo course into the student's data
// folder, says so once, opens it, and opens the same copy at the next start.
// Each run has a home of its own, so the real settings are never touched.
#include "e2e/ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

const QString AnonymousTitle = QStringLiteral("Tolvaren Анонимный пользователь - Режим D.");
const QString MessageTitle = QStringLiteral("Внимание");

class FirstStart : public ::testing::Test {
protected:
    ProgramStart start() const
    {
        ProgramStart start;
        start.arguments = QStringList{QStringLiteral("--no-splash")};
        start.workingFolder = startFolder_.path();
        start.environment.insert(QStringLiteral("HOME"), home_.path());
        start.environment.insert(QStringLiteral("XDG_DATA_HOME"), home_.filePath("data"));
        start.environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.filePath("config"));
        return start;
    }
    QString copy() const { return home_.filePath(QStringLiteral("data/tolvaren/demo-course")); }
    QString rememberedFolder() const
    {
        const QSettings settings(home_.filePath("config/Quillfern/TolvarenDemo.conf"),
                                 QSettings::IniFormat);
        return settings.value(QStringLiteral("CourseFolder")).toString();
    }
    QStringList filesBesideTheStart() const
    {
        return QDir(startFolder_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

private:
    QTemporaryDir home_;
    QTemporaryDir startFolder_;
};

// Starts the program, waits for its main window, and tells whether the
// message window came up over it.
bool runShowsMessage(const XServer& x, const ProgramStart& start)
{
    Program program(start, QStringLiteral("xcb"), x.display());
    EXPECT_TRUE(program.waitForIdle());
    EXPECT_TRUE(waitForTitle(x, AnonymousTitle, 10000)) << x.windowList().toStdString();
    // The message follows the main window's first show; give it the time.
    const bool message = waitForTitle(x, MessageTitle, 3000);
    program.terminateCleanly();
    return message;
}

TEST_F(FirstStart, CopiesTheDemoCourseOnceAndOpensTheCopyAgainLater)
{
    XServer x;
    if (x.display().isEmpty())
        GTEST_SKIP() << "no Xvfb or xwininfo";

    EXPECT_TRUE(runShowsMessage(x, start())) << "the copy is announced";
    EXPECT_TRUE(QFile::exists(copy() + "/InitRegD.txt"));
    EXPECT_TRUE(QFile::exists(copy() + "/DataTest/L01/Text.wav"));
    EXPECT_EQ(rememberedFolder(), QDir(copy()).canonicalPath());
    EXPECT_EQ(filesBesideTheStart(), QStringList()) << "nothing written where it was started";

    // A file the teacher took out of the copy stays out: the next start opens
    // the copy as it is, without copying again or saying anything.
    const QString removed = copy() + "/DataTest/L01/TrFl.wav";
    ASSERT_TRUE(QFile::remove(removed));
    EXPECT_FALSE(runShowsMessage(x, start())) << "said once only";
    EXPECT_FALSE(QFile::exists(removed));
    EXPECT_EQ(rememberedFolder(), QDir(copy()).canonicalPath());
}

} // namespace

// A file size limit (ulimit -f) smaller than the demo course's recordings:
// the copy fails, and the program says so instead of being killed by the
// limit's signal in the middle of the copy.
TEST_F(FirstStart, AFileSizeLimitIsToldNotFatal)
{
    XServer x;
    if (x.display().isEmpty())
        GTEST_SKIP() << "no Xvfb or xwininfo";
    ProgramStart limited = start();
    limited.fileSizeLimit = 64 * 1024;
    Program program(limited, QStringLiteral("xcb"), x.display());
    EXPECT_TRUE(waitForTitle(x, QStringLiteral("Ошибка"), 20000)) << x.windowList().toStdString();
    EXPECT_TRUE(program.running());
}
