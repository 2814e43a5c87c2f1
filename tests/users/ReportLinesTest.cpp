// The report's lines and the taking back of a recording, as the student and
// the teacher see them.
#include "users/ReportLines.h"
#include "support/TempCourse.h"
#include "users/NewUser.h"
#include "users/UserFiles.h"
#include "users/UserSession.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
// The head of a sound file: what a recording must at least start with to be taken back.
const QByteArray WavHead("RIFF\0\0\0\0WAVE", 12);
ProgressRecord record(bool done, qint32 result = 0, const QString& text = {})
{
    ProgressRecord r;
    r.setDone(done);
    r.setResult(result);
    r.setText(text);
    return r;
}
} // namespace

// Codes a catalogue may store that have no window.
const ExerciseKind Unnamed9 = ExerciseKind(9);
const ExerciseKind Unnamed10 = ExerciseKind(10);
const ExerciseKind PastLast = ExerciseKind(int(LastExerciseKind) + 1);

TEST(ReportLines, EveryKindHasItsLine)
{
    using enum ExerciseKind;
    const QString seven = "       ";
    struct Case {
        ExerciseKind kind;
        ProgressRecord progress;
        std::optional<QString> line;
    };
    const std::vector<Case> cases{
        {Heading, record(false), "   Раздел: Text 3"},
        {Heading, record(true), "   Раздел: Text 3"},
        {LexiconPreview, record(true), seven + "Text 3 - Выполнено"},
        {LessonListening, record(false), seven + "Text 3 - Не выполнено"},
        {TrainerWithWait, record(true, 0, "r.wav"), seven + "Text 3 - Выполнено"},
        {TrainerWithText, record(false), seven + "Text 3 - Не выполнено"},
        {Questions, record(true, 25), seven + "Text 3 - Выполнено, Ошибок - 25%"},
        {Questions, record(true, 0), seven + "Text 3 - Выполнено, Ошибок - 0%"},
        {Questions, record(false, 40), seven + "Text 3 - Не выполнено"},
        {TrueFalse, record(true, 4), seven + "Text 3 - Выполнено, Оценка - 4"},
        {TrueFalse, record(false), seven + "Text 3 - Не выполнено"},
        {Unnamed9, record(true), std::nullopt},
        {Unnamed10, record(false), std::nullopt},
        {PastLast, record(true), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(reportLine({"Text 3", c.kind}, c.progress), c.line) << "kind " << int(c.kind);
}

TEST(ReportLines, RowsRememberTheirEntriesPastEntriesWithoutARow)
{
    ProgressTable progress(5);
    progress.record(5).setDone(true);
    const QList<ReportEntry> entries{{"H", ExerciseKind::Heading},
                                     {"Gap", Unnamed9},
                                     {"Other", PastLast},
                                     {"A", ExerciseKind::LexiconPreview},
                                     {"B", ExerciseKind::Lexicon}};
    const QList<ReportRow> rows = reportRows(entries, progress);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].entry, 1);
    EXPECT_EQ(rows[1].entry, 4);
    EXPECT_EQ(rows[2].entry, 5);
    EXPECT_EQ(rows[2].text, "       B - Выполнено");
    // A catalogue longer than the progress shows only the entries with a record.
    EXPECT_EQ(reportRows(entries, ProgressTable(2)).size(), 1);
}

namespace {
class TakeBackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        course.writeLines("InitRegD.txt", QStringList(4, "e\t1\t0\t0\t\t12\t\t\t\t\t"));
        session.loadUserList();
        ivan = add("Ivan");
        ASSERT_TRUE(session.changeUser(ivan).isEmpty());
    }
    int add(const QString& name)
    {
        return session.addUser({name, "", "", defaultProgressPath(course.path(), name), "D"})
            .index.value_or(-1);
    }
    QString folder() const { return course.filePath("Report/Ivan/"); }
    // Marks entry 2 done with the recording at path and writes it.
    void recorded(const QString& path)
    {
        ASSERT_TRUE(session.markDone(2, ExerciseKind::TrainerWithWait, {0, 0, path}).isEmpty());
    }
    ProgressRecord onDisk(int entry) const
    {
        return ReadProgress(folder() + "Ivan.rep", 4).table.record(entry);
    }

    TempCourse course;
    UserSession session;
    int ivan = -1;
};
} // namespace

TEST_F(TakeBackTest, OwnRecordingAndItsTimingGoAndTheFileSaysNotDoneAtOnce)
{
    course.write("Report/Ivan/Ivan2.wav", WavHead);
    course.write("Report/Ivan/Ivan2.txt", "0\t10");
    recorded(folder() + "Ivan2.wav");
    EXPECT_TRUE(session.takeBackRecording(2, ExerciseKind::TrainerWithWait).isEmpty());
    EXPECT_FALSE(QFile::exists(folder() + "Ivan2.wav"));
    EXPECT_FALSE(QFile::exists(folder() + "Ivan2.txt"));
    EXPECT_FALSE(session.isDone(2));
    EXPECT_FALSE(onDisk(2).done());
    EXPECT_EQ(onDisk(2).text(), "");
}

TEST_F(TakeBackTest, ARecordingAlreadyGoneCountsAsTakenBack)
{
    recorded(folder() + "Ivan2.wav");
    EXPECT_TRUE(session.takeBackRecording(2, ExerciseKind::TrainerWithWait).isEmpty());
    EXPECT_FALSE(onDisk(2).done());
}

TEST_F(TakeBackTest, NothingHappensWithoutADoneRecordingOfAnOfferingKind)
{
    course.write("Report/Ivan/Ivan2.wav", WavHead);
    using enum ExerciseKind;
    recorded(folder() + "Ivan2.wav");
    // Plain listening keeps its recording.
    EXPECT_TRUE(session.takeBackRecording(2, InterpretationListening).isEmpty());
    EXPECT_TRUE(session.takeBackRecording(3, TrainerWithWait).isEmpty()); // not done
    EXPECT_TRUE(session.isDone(2));
    EXPECT_TRUE(QFile::exists(folder() + "Ivan2.wav"));
    ASSERT_TRUE(session.markDone(3, Interpretation, {0, 0, ""}).isEmpty()); // done, but no path
    EXPECT_TRUE(session.takeBackRecording(3, Interpretation).isEmpty());
    EXPECT_TRUE(session.isDone(3));
}

TEST_F(TakeBackTest, FilesThatAreNotSurelyTheUsersStayAndSoDoesTheRecord)
{
    course.write("elsewhere/Ivan2.wav", WavHead);
    course.write("Report/Ivan/notes.wav", WavHead);
    course.write("Report/Ivan/target.wav", WavHead);
    QFile::link(folder() + "target.wav", folder() + "Ivan3.wav");
    const QStringList strangers{course.filePath("elsewhere/Ivan2.wav"), folder() + "notes.wav",
                                folder() + "Ivan3.wav"};
    for (const QString& path : strangers) {
        recorded(path);
        const QList<CourseError> said = session.takeBackRecording(2, ExerciseKind::TrainerWithWait);
        ASSERT_EQ(said.size(), 1) << path.toStdString();
        EXPECT_EQ(said[0].file, path);
        EXPECT_TRUE(session.isDone(2));
        EXPECT_TRUE(onDisk(2).done());
    }
    EXPECT_TRUE(QFile::exists(course.filePath("elsewhere/Ivan2.wav")));
    EXPECT_TRUE(QFile::exists(folder() + "notes.wav"));
    EXPECT_TRUE(QFile::exists(folder() + "target.wav"));
}

TEST(ReportRecording, ANameAnotherUserOfTheFolderCouldOwnIsNobodysForSure)
{
    TempCourse course;
    const QString folder = course.filePath("shared/");
    course.write("shared/Ivan17.wav", WavHead);
    UserTable table;
    for (const char* name : {"Ivan", "Ivan1"}) {
        UserRecord user = AnonymousUser();
        user.setName(name);
        user.setFolder(folder);
        table.append(user);
    }
    EXPECT_FALSE(deleteOwnRecording(folder + "Ivan17.wav", table.at(0), table, {}));
    EXPECT_TRUE(QFile::exists(folder + "Ivan17.wav"));
    UserTable alone;
    alone.append(table.at(0));
    EXPECT_TRUE(deleteOwnRecording(folder + "Ivan17.wav", table.at(0), alone, {}));
    EXPECT_FALSE(QFile::exists(folder + "Ivan17.wav"));
}

// A student whose progress file was placed outside the course folder takes
// back recordings in that folder, an empty one (a pass cut short) too.
TEST(ReportRecording, TheStudentsOwnFolderIsWhereverItsProgressFileIs)
{
    TempCourse course;
    course.writeLines("InitRegD.txt", QStringList(4, "e\t1\t0\t0\t\t12\t\t\t\t\t"));
    QTemporaryDir elsewhere;
    UserSession session;
    session.loadUserList();
    const auto added = session.addUser({"Ivan", "", "", elsewhere.filePath("Ivan.rep"), "D"}).index;
    ASSERT_TRUE(added);
    ASSERT_TRUE(session.changeUser(*added).isEmpty());
    const QString recording = elsewhere.filePath("Ivan2.wav");
    for (const QByteArray& content : {WavHead, QByteArray()}) {
        QFile file(recording);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        ASSERT_TRUE(
            session.markDone(2, ExerciseKind::TrainerWithWait, {0, 0, recording}).isEmpty());
        const QList<CourseError> said = session.takeBackRecording(2, ExerciseKind::TrainerWithWait);
        EXPECT_TRUE(said.isEmpty()) << userTexts(said).join(' ').toStdString();
        EXPECT_FALSE(QFile::exists(recording)) << content.size() << " bytes";
        EXPECT_FALSE(session.isDone(2));
    }
}

// A refused take-back names its real reason.
TEST_F(TakeBackTest, ARefusalSaysWhy)
{
    course.write("Report/Ivan/target.wav", WavHead);
    QFile::link(folder() + "target.wav", folder() + "Ivan3.wav");
    QDir().mkpath(folder() + "Ivan4.wav");
    course.write("elsewhere/Ivan2.wav", WavHead);
    course.write("Report/Ivan/notes.wav", WavHead);
    const struct {
        QString path;
        QString reason;
    } cases[] = {
        {folder() + "Ivan3.wav", QStringLiteral("символическая ссылка")},
        {folder() + "Ivan4.wav", QStringLiteral("папка или особый файл")},
        {course.filePath("elsewhere/Ivan2.wav"), QStringLiteral("не в папке пользователя")},
        {folder() + "notes.wav", QStringLiteral("имя файла не такое")},
    };
    for (const auto& c : cases) {
        recorded(c.path);
        const QList<CourseError> said = session.takeBackRecording(2, ExerciseKind::TrainerWithWait);
        ASSERT_EQ(said.size(), 1) << c.path.toStdString();
        EXPECT_EQ(said[0].file, c.path);
        EXPECT_TRUE(said[0].what.contains(c.reason)) << said[0].what.toStdString();
        EXPECT_TRUE(session.isDone(2));
    }
    if (geteuid() == 0)
        return; // root deletes in a read-only folder
    course.write("Report/Ivan/Ivan2.wav", WavHead);
    recorded(folder() + "Ivan2.wav");
    QFile::setPermissions(folder(), QFile::ReadOwner | QFile::ExeOwner);
    const QList<CourseError> said = session.takeBackRecording(2, ExerciseKind::TrainerWithWait);
    QFile::setPermissions(folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].what.contains(QStringLiteral("нет прав доступа")))
        << said[0].what.toStdString();
}
