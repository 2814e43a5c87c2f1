#include "users/UserSession.h"
#include "common/Tempo.h"
#include "support/TempCourse.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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
        EXPECT_TRUE(added.messages.isEmpty()) << userTexts(added.messages).join(' ').toStdString();
        return added.index.value_or(-1);
    }

    // The progress file as the user list keeps it: inside the course folder,
    // relative to it.
    static QString progressPath(const QString& name)
    {
        return QStringLiteral("Report/%1/%1.rep").arg(name);
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

    ASSERT_TRUE(session.markDone(2, ExerciseKind::Questions, RunOutcome{1, 3, {}}).isEmpty());
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

    session.markDone(3, ExerciseKind::LessonListening, {});
    session.changeUser(olga); // the same user: written, then read back
    EXPECT_TRUE(session.isDone(3));
}

TEST_F(Session, AnonymousUserKeepsNothing)
{
    add("Olga", "B");
    session.changeUser(-1);
    EXPECT_TRUE(session.markDone(2, ExerciseKind::LexiconPreview, {}).isEmpty());
    EXPECT_FALSE(session.isDone(2));
    EXPECT_EQ(session.recordingName(5), "AnonSnd.wav");
    EXPECT_EQ(progressOf("Olga"), ProgressTable(4).toBytes());
}

// The tempo a student chose follows the student, in the settings; the
// anonymous user's lasts the run.
TEST_F(Session, EachUserFindsTheTempoChosenLast)
{
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    const int olga = add("Olga", "B");
    const int max = add("Max", "C");
    session.changeUser(olga);
    Tempo::choose(60);
    session.changeUser(max);
    EXPECT_EQ(Tempo::chosen(), 100);
    Tempo::choose(85);
    session.changeUser(-1);
    EXPECT_EQ(Tempo::chosen(), 100);
    Tempo::choose(75);
    session.changeUser(olga);
    EXPECT_EQ(Tempo::chosen(), 60);
    session.deleteUser(olga);
    EXPECT_EQ(Tempo::chosen(), 75) << "the anonymous user's again, from earlier in the run";
    Tempo::choose(100);

    UserSession restarted;
    restarted.loadUserList();
    restarted.changeUser(restarted.users().indexOfName("Max"));
    EXPECT_EQ(Tempo::chosen(), 85) << "kept from run to run";
    restarted.changeUser(-1);
}

TEST_F(Session, MissingOrShortProgressFileStillMakesTheUserCurrent)
{
    const int olga = add("Olga", "B");
    QFile::remove(course.filePath("Report/Olga/Olga.rep"));
    QList<CourseError> messages = session.changeUser(olga);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].file, progressPath("Olga"));
    EXPECT_EQ(session.currentIndex(), olga);
    EXPECT_EQ(session.progress().count(), 4);

    session.markDone(4, ExerciseKind::LexiconPreview, {});
    EXPECT_EQ(progressOf("Olga").size(), 5 * 264) << "the next write is whole";

    session.markDone(2, ExerciseKind::LexiconPreview, {});
    session.changeUser(-1);
    course.write("Report/Olga/Olga.rep", progressOf("Olga").left(3 * 264));
    messages = session.changeUser(olga);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].file, progressPath("Olga"));
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
    EXPECT_TRUE(session.markDone(2, ExerciseKind::LexiconPreview, {}).isEmpty());
    EXPECT_EQ(progressOf("Olga").size(), 5 * 264);
    EXPECT_TRUE(session.isDone(2));

    // Gone while the user is current: the next mark and the switch still save.
    session.changeUser(max);
    ASSERT_TRUE(QDir(course.filePath("Report/Max")).removeRecursively());
    EXPECT_TRUE(session.markDone(3, ExerciseKind::LexiconPreview, {}).isEmpty());
    ASSERT_TRUE(QDir(course.filePath("Report/Max")).removeRecursively());
    EXPECT_TRUE(session.changeUser(olga).isEmpty());
    session.changeUser(max);
    EXPECT_TRUE(session.isDone(3));
}

TEST_F(Session, ModeChangeStartsANamedUsersProgressAfresh)
{
    const int max = add("Max", "C");
    session.changeUser(max);
    session.markDone(2, ExerciseKind::LexiconPreview, {});
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
    EXPECT_EQ(recording, QDir::toNativeSeparators("Report/Olga/Olga3.wav"))
        << "inside the course folder, paths are stored relative to it";
    session.markDone(3, ExerciseKind::TrainerWithWait, RunOutcome{0, 0, recording});
    EXPECT_TRUE(session.close().isEmpty());

    UserSession restarted;
    restarted.loadUserList();
    restarted.changeUser(0);
    EXPECT_TRUE(restarted.isDone(3));
    EXPECT_EQ(restarted.progress().record(3).text(), recording);
    auto kindOf = [](int entry) {
        using enum ExerciseKind;
        return entry == 3 ? TrainerWithWait : entry == 1 ? Heading : LexiconPreview;
    };
    EXPECT_EQ(restarted.previousRecordingName(kindOf, 4), recording);
}

TEST_F(Session, UnreadableListIsNeverWrittenOver)
{
    QDir().mkdir(course.filePath("Users.eng")); // there, but no file to read
    EXPECT_EQ(session.loadUserList().size(), 1);
    EXPECT_TRUE(session.close().isEmpty()) << "an unchanged list is not written";
    const NewUserInput input{"Olga", "", "", defaultProgressPath(course.path(), "Olga"), "B"};
    const UserSession::Added added = session.addUser(input);
    EXPECT_FALSE(added.index);
    ASSERT_EQ(added.messages.size(), 1);
    EXPECT_EQ(added.messages[0].file, UserListFile);
    EXPECT_TRUE(QFileInfo(course.filePath("Users.eng")).isDir());
}

TEST_F(Session, ProgressThatCouldNotBeReadIsNeverWrittenOver)
{
    const int olga = add("Olga", "B");
    const QString path = course.filePath("Report/Olga/Olga.rep");
    QFile::remove(path);
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const QList<CourseError> messages = session.changeUser(olga);
    ASSERT_EQ(messages.size(), 1) << "a pipe is refused at once, never opened";
    EXPECT_EQ(messages[0].file, progressPath("Olga"));
    const QList<CourseError> mark = session.markDone(2, ExerciseKind::LexiconPreview, {});
    ASSERT_EQ(mark.size(), 1) << "the mark cannot be kept, and it says so";
    EXPECT_EQ(mark[0].file, progressPath("Olga"));
    EXPECT_TRUE(session.close().isEmpty());
    EXPECT_FALSE(QFileInfo(path).isFile()) << "the pipe was not replaced by blank progress";

    if (geteuid() == 0)
        return; // root reads a write-only file
    QFile::remove(path);
    const QByteArray marked = [] {
        ProgressTable table(4);
        table.record(3).setDone(true);
        return table.toBytes();
    }();
    course.write("Report/Olga/Olga.rep", marked);
    QFile::setPermissions(path, QFile::WriteOwner);
    EXPECT_EQ(session.changeUser(olga).size(), 1);
    session.close();
    QFile::setPermissions(path, QFile::WriteOwner | QFile::ReadOwner);
    EXPECT_EQ(progressOf("Olga"), marked) << "a write-only file is not blanked";
}

TEST_F(Session, AMissingCatalogueChangesNothing)
{
    const int olga = add("Olga", "B");
    const int max = add("Max", "C");
    session.changeUser(max);
    session.markDone(2, ExerciseKind::LexiconPreview, {});
    const QByteArray olgas = progressOf("Olga");
    const QByteArray maxs = progressOf("Max");
    QFile::remove(course.filePath("InitRegB.txt"));

    const QList<CourseError> messages = session.changeUser(olga);
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[0].file.endsWith("InitRegB.txt"));
    EXPECT_TRUE(messages[1].file.endsWith("InitRegB.txt"));
    EXPECT_EQ(session.currentUser()->name(), "Max") << "the previous user stays";
    EXPECT_EQ(session.changeMode("B").size(), 2);
    EXPECT_EQ(session.currentMode(), "C");
    session.close();
    EXPECT_EQ(progressOf("Olga"), olgas);
    EXPECT_EQ(progressOf("Max"), maxs);
    EXPECT_EQ(LoadUserList().table.at(max).mode(), "C");
}

TEST_F(Session, AnotherSessionsChangesAreKeptAndTheCurrentUserFollowed)
{
    add("Anna", "A");
    const int max = add("Max", "C");
    UserSession other;
    other.loadUserList();
    session.changeUser(max);

    const NewUserInput olga{"Olga", "", "", defaultProgressPath(course.path(), "Olga"), "B"};
    EXPECT_EQ(other.addUser(olga).index, 2);
    EXPECT_EQ(other.deleteUser(1).size(), 1) << "Max is at work in the other session";
    ASSERT_TRUE(other.deleteUser(0).isEmpty());
    EXPECT_TRUE(session.markDone(3, ExerciseKind::LexiconPreview, {}).isEmpty());
    add("Ida", "A");
    EXPECT_EQ(session.currentUser()->name(), "Max") << "found again by its progress file";
    EXPECT_EQ(session.currentIndex(), 0);
    EXPECT_TRUE(progressOf("Max").at(3 * 264)) << "the mark went into Max's own file";

    QStringList names;
    for (int i = 0; i < session.users().count(); ++i)
        names << session.users().at(i).name();
    EXPECT_EQ(names, QStringList({"Max", "Olga", "Ida"}));
    EXPECT_EQ(LoadUserList().table.count(), 3);
    EXPECT_EQ(other.changeUser(0).size(), 1) << "one user, one program";
}

TEST_F(Session, ACopiedCourseKeepsItsStudentsAndNeverWritesIntoTheOriginal)
{
    add("Olga", "B");
    EXPECT_EQ(session.users().at(0).progressFile(),
              QDir::toNativeSeparators("Report/Olga/Olga.rep"));
    session.close();
    const QByteArray original = progressOf("Olga");
    QTemporaryDir copy;
    for (const char* file : {"Users.eng", "InitRegB.txt", "Report/Olga/Olga.rep"}) {
        QDir().mkpath(QFileInfo(copy.filePath(file)).path());
        ASSERT_TRUE(QFile::copy(course.filePath(file), copy.filePath(file)));
    }
    ASSERT_TRUE(QDir::setCurrent(copy.path()));
    UserSession copied;
    copied.loadUserList();
    ASSERT_TRUE(copied.changeUser(0).isEmpty());
    ASSERT_TRUE(copied.markDone(2, ExerciseKind::LexiconPreview, {}).isEmpty());
    copied.close();
    QDir::setCurrent(course.path());
    EXPECT_EQ(progressOf("Olga"), original);

    // The course format's own separator is read as well.
    UserTable table = LoadUserList().table;
    table[0].setProgressFile("Report\\Olga\\Olga.rep");
    table[0].setFolder("Report\\Olga\\");
    ASSERT_FALSE(WriteUserList(table));
    ASSERT_TRUE(session.loadUserList().isEmpty());
    ASSERT_TRUE(session.changeUser(0).isEmpty());
    EXPECT_TRUE(session.markDone(3, ExerciseKind::LexiconPreview, {}).isEmpty());
    EXPECT_TRUE(progressOf("Olga").at(3 * 264));
}

TEST_F(Session, TheCurrentProgressIsKnownHoweverItsPathIsSpelt)
{
    const int olga = add("Olga", "B");
    add("Max", "C");
    UserRecord sameFile = session.users().at(olga);
    EXPECT_FALSE(session.holdsCurrentProgress(sameFile)) << "the anonymous user is current";
    ASSERT_TRUE(session.changeUser(olga).isEmpty());
    for (const QString& spelling : {QStringLiteral("Report\\Olga\\Olga.rep"),
                                    QStringLiteral("./Report/Olga/../Olga/Olga.rep"),
                                    course.filePath("Report/Olga/Olga.rep")}) {
        ASSERT_TRUE(sameFile.setProgressFile(spelling));
        EXPECT_TRUE(session.holdsCurrentProgress(sameFile)) << spelling.toStdString();
    }
    EXPECT_FALSE(session.holdsCurrentProgress(session.users().at(1)));
}

// Someone's document in place of a progress file: choosing the user refuses
// with the file's name, and neither the choice, a mark nor closing writes it.
// A progress file that is merely short (the catalogue grew) is still one.
TEST_F(Session, ADocumentWhereTheProgressFileShouldBeIsNeverWritten)
{
    const int olga = add("Olga", "B");
    const QByteArray document = QByteArray("%PDF-1.4 thesis ").repeated(1250);
    course.write("Report/Olga/Olga.rep", document);
    const QList<CourseError> said = session.changeUser(olga);
    ASSERT_EQ(said.size(), 1);
    EXPECT_EQ(said[0].file, progressPath("Olga"));
    EXPECT_EQ(session.currentIndex(), -1) << "the anonymous user stays";
    session.markDone(2, ExerciseKind::LexiconPreview, {});
    session.close();
    EXPECT_EQ(progressOf("Olga"), document);

    course.write("Report/Olga/Olga.rep", ProgressTable(2).toBytes());
    EXPECT_EQ(session.changeUser(olga).size(), 1) << "short: told, yet current";
    EXPECT_EQ(session.currentIndex(), olga);
}

// The progress file replaced while its user is current (a restored backup,
// another program): closing without a change writes nothing back, a change
// goes over what the file holds now, and a file that is no longer a progress
// file is left alone with a message.
TEST_F(Session, AProgressFileChangedOnDiskGetsOnlyThisRunsChanges)
{
    const int olga = add("Olga", "C");
    auto doneIn = [](const QByteArray& bytes) {
        QList<int> done;
        for (int entry = 1; (entry + 1) * 264 <= bytes.size(); ++entry)
            if (bytes.at(entry * 264))
                done << entry;
        return done;
    };
    auto tableDone = [](const QList<int>& entries) {
        ProgressTable table(5);
        for (int entry : entries)
            table.record(entry).setDone(true);
        return table.toBytes();
    };
    course.write("Report/Olga/Olga.rep", tableDone({1, 2, 3}));
    ASSERT_TRUE(session.changeUser(olga).isEmpty());
    course.write("Report/Olga/Olga.rep", tableDone({4}));
    EXPECT_TRUE(session.close().isEmpty());
    EXPECT_EQ(doneIn(progressOf("Olga")), QList<int>({4})) << "nothing changed in the run";

    ASSERT_TRUE(session.changeUser(olga).isEmpty());
    course.write("Report/Olga/Olga.rep", tableDone({1, 4}));
    session.markDone(5, ExerciseKind::LexiconPreview, {});
    EXPECT_EQ(doneIn(progressOf("Olga")), QList<int>({1, 4, 5}));
    EXPECT_TRUE(session.isDone(1)) << "the file's news are shown too";

    const QByteArray document("a letter, not progress");
    course.write("Report/Olga/Olga.rep", document);
    session.markDone(3, ExerciseKind::LexiconPreview, {});
    const QList<CourseError> said = session.close();
    ASSERT_EQ(said.size(), 1);
    EXPECT_EQ(said[0].file, progressPath("Olga"));
    EXPECT_EQ(progressOf("Olga"), document);
}
