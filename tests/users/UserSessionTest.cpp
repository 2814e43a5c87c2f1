#include "users/UserSession.h"
#include "support/TempCourse.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
// A course with catalogues of 3 (A), 4 (B), 5 (C) and 6 (D) entries.
class Session : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int mode = 0; mode < 4; ++mode) {
            QStringList lines;
            for (int i = 0; i < 3 + mode; ++i)
                lines << QStringLiteral("e\t1\t0\t0\t\t%1\t\t\t\t\t").arg(i == 0 ? 0 : 6);
            course.writeLines(QStringLiteral("InitReg%1.txt").arg(QChar('A' + mode)), lines);
        }
        session.loadUserList();
    }

    int add(const QString& name, const QString& mode, const QString& password = "")
    {
        const NewUserInput input{name, password, password, defaultProgressPath(course.path(), name),
                                 mode};
        EXPECT_FALSE(checkNewUser(input, session.users()));
        UserSession::Added added = session.addUser(input);
        EXPECT_TRUE(added.messages.isEmpty()) << added.messages.join(' ').toStdString();
        return added.index.value_or(-1);
    }

    QByteArray progressOf(const QString& name) const
    {
        return course.read("Report/" + name + "/" + name + ".rep");
    }

    TempCourse course;
    UserSession session;
};
} // namespace

TEST_F(Session, NewUserGetsBlankProgressAndTheListIsWrittenAtOnce)
{
    const int olga = add("Olga", "B");
    EXPECT_EQ(olga, 0);
    EXPECT_FALSE(session.currentValid());
    EXPECT_EQ(progressOf("Olga").size(), 5 * 264);
    EXPECT_EQ(course.read("Users.eng").size(), 560);
    EXPECT_EQ(LoadUserList().table.at(0).name(), "Olga");
}

TEST_F(Session, ChangeUserWritesThePreviousUsersProgressAndReadsTheNext)
{
    const int olga = add("Olga", "B");
    const int max = add("Max", "C");
    EXPECT_TRUE(session.changeUser(olga).isEmpty());
    EXPECT_EQ(session.title(), QStringLiteral("Tolvaren Olga - Режим B."));
    EXPECT_EQ(session.progress().count(), 4);
    EXPECT_TRUE(session.currentValid());

    ASSERT_TRUE(session.markDone(2, 6, RunOutcome{1, 3, {}}).isEmpty());
    EXPECT_TRUE(session.isDone(2));
    EXPECT_EQ(progressOf("Olga").mid(2 * 264 + 4, 1), QByteArray(1, 33)) << "written at once";

    session.changeUser(max);
    EXPECT_EQ(session.progress().count(), 5);
    EXPECT_FALSE(session.isDone(2));

    course.write("Report/Olga/Olga.rep", ProgressTable(4).toBytes()); // changed behind our back
    session.changeUser(-1);
    EXPECT_EQ(session.title(), QStringLiteral("Tolvaren Анонимный пользователь - Режим D."));
    EXPECT_FALSE(session.isDone(2));
    session.changeUser(olga);
    EXPECT_FALSE(session.isDone(2)) << "read from the file, not kept in memory";

    session.markDone(3, 5, {});
    session.changeUser(olga); // the same user: written, then read back
    EXPECT_TRUE(session.isDone(3));
}

TEST_F(Session, AnonymousUserKeepsNothing)
{
    add("Olga", "B");
    session.changeUser(-1);
    EXPECT_TRUE(session.markDone(2, 1, {}).isEmpty());
    EXPECT_FALSE(session.isDone(2));
    EXPECT_EQ(session.recordingName(5), "AnonSnd.wav");
    EXPECT_EQ(progressOf("Olga"), ProgressTable(4).toBytes());
}

TEST_F(Session, MissingOrShortProgressFileStillMakesTheUserCurrent)
{
    const int olga = add("Olga", "B");
    QFile::remove(course.filePath("Report/Olga/Olga.rep"));
    QStringList messages = session.changeUser(olga);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("Olga.rep"));
    EXPECT_EQ(session.currentIndex(), olga);
    EXPECT_EQ(session.progress().count(), 4);

    session.markDone(4, 1, {});
    EXPECT_EQ(progressOf("Olga").size(), 5 * 264) << "the next write is whole";

    session.markDone(2, 1, {});
    session.changeUser(-1);
    course.write("Report/Olga/Olga.rep", progressOf("Olga").left(3 * 264));
    messages = session.changeUser(olga);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("Olga.rep"));
    EXPECT_TRUE(session.isDone(2)) << "what the file holds is kept";
    EXPECT_FALSE(session.isDone(4));
}

TEST_F(Session, AVanishedFolderIsMadeAgainWhenTheProgressIsWritten)
{
    const int olga = add("Olga", "B");
    const int max = add("Max", "C");
    // Gone before the user is chosen: the whole "Report" folder with it.
    ASSERT_TRUE(QDir(course.filePath("Report")).removeRecursively());
    EXPECT_EQ(session.changeUser(olga).size(), 1) << "the missing file is told";
    EXPECT_EQ(session.currentIndex(), olga);
    EXPECT_TRUE(session.markDone(2, 1, {}).isEmpty());
    EXPECT_EQ(progressOf("Olga").size(), 5 * 264);
    EXPECT_TRUE(session.isDone(2));

    // Gone while the user is current: the next mark and the switch still save.
    session.changeUser(max);
    ASSERT_TRUE(QDir(course.filePath("Report/Max")).removeRecursively());
    EXPECT_TRUE(session.markDone(3, 1, {}).isEmpty());
    ASSERT_TRUE(QDir(course.filePath("Report/Max")).removeRecursively());
    EXPECT_TRUE(session.changeUser(olga).isEmpty());
    session.changeUser(max);
    EXPECT_TRUE(session.isDone(3));
}

TEST_F(Session, ModeChangeStartsANamedUsersProgressAfresh)
{
    const int max = add("Max", "C");
    session.changeUser(max);
    session.markDone(2, 1, {});
    ASSERT_TRUE(session.changeMode("C").isEmpty());
    EXPECT_EQ(progressOf("Max"), ProgressTable(5).toBytes()) << "written before the switch";
    session.changeUser(max);
    EXPECT_FALSE(session.isDone(2)) << "even the same mode wipes";
    EXPECT_EQ(progressOf("Max"), ProgressTable(5).toBytes());

    session.changeMode("A");
    session.changeUser(max);
    EXPECT_EQ(session.title(), QStringLiteral("Tolvaren Max - Режим A."));
    EXPECT_EQ(progressOf("Max"), ProgressTable(3).toBytes());
    EXPECT_EQ(LoadUserList().table.at(max).mode(), "A") << "list written at once";
}

TEST_F(Session, AnonymousModeChangeWritesNothing)
{
    session.changeUser(-1);
    session.changeMode("B");
    session.changeUser(-1);
    EXPECT_EQ(session.currentMode(), "B");
    EXPECT_EQ(session.title(), QStringLiteral("Tolvaren Анонимный пользователь - Режим B."));
    EXPECT_FALSE(QFile::exists(course.filePath("Users.eng")));
}

TEST_F(Session, DeletingBeforeTheCurrentUserKeepsItCurrent)
{
    add("Anna", "A", "a");
    const int olga = add("Olga", "B", "o");
    session.changeUser(olga);
    EXPECT_TRUE(session.passwordMatches(0, "a"));
    EXPECT_FALSE(session.passwordMatches(0, "o"));
    session.deleteUser(0);
    EXPECT_EQ(session.currentIndex(), 0);
    EXPECT_EQ(session.currentUser()->name(), "Olga");
    EXPECT_TRUE(session.currentValid());
    EXPECT_FALSE(QDir(course.filePath("Report/Anna")).exists());
    EXPECT_EQ(LoadUserList().table.count(), 1);
}

TEST_F(Session, DeletingTheCurrentUserFallsBackToTheAnonymousUser)
{
    add("Anna", "A");
    const int olga = add("Olga", "B");
    session.changeUser(olga);
    session.deleteUser(olga);
    EXPECT_EQ(session.currentIndex(), -1);
    EXPECT_FALSE(session.currentValid());
    EXPECT_TRUE(session.changeUser(-1).isEmpty());
    EXPECT_FALSE(QFile::exists(course.filePath("Report/Olga/Olga.rep"))) << "not written again";
}

TEST_F(Session, CloseWritesProgressAndListAndARestartReadsThemBack)
{
    const int olga = add("Olga", "B");
    session.changeUser(olga);
    const QString recording = session.recordingName(3);
    EXPECT_EQ(recording, QDir::toNativeSeparators(course.path() + "/Report/Olga/") + "Olga3.wav");
    session.markDone(3, 12, RunOutcome{0, 0, recording});
    EXPECT_TRUE(session.close().isEmpty());

    UserSession restarted;
    restarted.loadUserList();
    restarted.changeUser(0);
    EXPECT_TRUE(restarted.isDone(3));
    EXPECT_EQ(restarted.progress().record(3).text(), recording);
    auto kindOf = [](int entry) { return entry == 3 ? 12 : entry == 1 ? 0 : 1; };
    EXPECT_EQ(restarted.previousRecordingName(kindOf, 4), recording);
}

TEST_F(Session, UnreadableListIsNeverWrittenOver)
{
    QDir().mkdir(course.filePath("Users.eng")); // there, but no file to read
    EXPECT_EQ(session.loadUserList().size(), 1);
    const QStringList messages = session.close();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("не удалось прочитать")));
}
