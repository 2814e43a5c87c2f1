// The teacher console while students work elsewhere: marks made by other
// programs reach its rows without the teacher choosing the student again.
#include "common/FileWatch.h"
#include "support/TempCourse.h"
#include "users/FormPrepod.h"
#include "users/UserSession.h"

#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
const QList<ReportEntry> Entries{{"Урок 1", ExerciseKind::Heading},
                                 {"Слушать", ExerciseKind::LessonListening},
                                 {"Слушать еще", ExerciseKind::LessonListening}};

// Another program marks the student's entry, through the session as the
// program's windows do.
void markElsewhere(const QString& course, const QString& name, int entry)
{
    QProcess driver;
    driver.start(CLASS_DRIVER, {QStringLiteral("mark"), course, name, QString::number(entry)});
    ASSERT_TRUE(driver.waitForFinished(30000));
    ASSERT_EQ(driver.exitCode(), 0) << driver.readAllStandardError().toStdString();
}
} // namespace

TEST(ConsoleRefresh, MarkOfAnotherProgramAppearsWithinThreeSecondsKeepingTheSelection)
{
    TempCourse course;
    course.writeLines("InitRegC.txt", QStringList(3, "e"));
    UserSession session;
    session.loadUserList();
    for (const char* name : {"Ivan", "Olga"})
        ASSERT_TRUE(session
                        .addUser({name, "", "", defaultProgressPath(course.path(), name),
                                  QStringLiteral("C")})
                        .index);
    TFormPrepod console(session, {[](const QString&) { return Entries; }, {}});
    console.show();
    console.ListBoxUsers->setCurrentRow(1);
    console.ListBoxReport->setCurrentRow(2);
    ASSERT_EQ(console.ListBoxReport->item(1)->text(), "       Слушать - Не выполнено");
    QSignalSpy rowsChanged(console.ListBoxReport->model(), &QAbstractItemModel::dataChanged);

    markElsewhere(course.path(), "Olga", 2);
    QTRY_COMPARE_WITH_TIMEOUT(console.ListBoxReport->item(1)->text(),
                              QStringLiteral("       Слушать - Выполнено"), 3000);
    EXPECT_EQ(console.ListBoxUsers->currentRow(), 1);
    EXPECT_EQ(console.ListBoxReport->currentRow(), 2);
    EXPECT_EQ(console.ListBoxReport->item(2)->text(), "       Слушать еще - Не выполнено");
    EXPECT_EQ(rowsChanged.count(), 1) << "only the changed row is rewritten";
}

// Where the file system tells nothing (a network share), the console looks
// every two seconds; a local disk tells at once.
TEST(ConsoleRefresh, WatchTellsOfAFileReplacedByRenameEitherWay)
{
    TempCourse course;
    course.write("Report/a.rep", "old");
    EXPECT_EQ(FileWatch::wayFor(course.filePath("Report/a.rep")), FileWatch::Way::Events);
    for (FileWatch::Way way : {FileWatch::Way::Events, FileWatch::Way::Polling}) {
        FileWatch watch;
        QSignalSpy changed(&watch, &FileWatch::changed);
        watch.watch(course.filePath("Report/a.rep"), way);
        course.write("Report/a.rep.new", "new");
        QFile::remove(course.filePath("Report/a.rep"));
        QFile::rename(course.filePath("Report/a.rep.new"), course.filePath("Report/a.rep"));
        EXPECT_TRUE(changed.wait(FileWatch::PollMs + 1000)) << int(way);
        watch.watch({}, way);
        changed.clear();
        EXPECT_FALSE(changed.wait(FileWatch::PollMs + 500)) << "watching nothing tells nothing";
    }
}
