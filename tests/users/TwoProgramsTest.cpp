#include "support/TempCourse.h"
#include "users/UserSession.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

// Two real programs on one course folder add, mark and delete users at the
// same time: every change of the one survives the other.
TEST(TwoPrograms, WorkingAtOnceLoseNothing)
{
    TempCourse course;
    course.writeLines("InitRegA.txt", {"a\t1\t0\t0\t\t0\t\t\t\t\t", "b\t1\t1\t0\t\t1\t\t\t\t\t"});
    constexpr int Rounds = 12;
    QProcess first;
    QProcess second;
    first.start(SESSION_WORKER, {course.path(), "P", QString::number(Rounds)});
    second.start(SESSION_WORKER, {course.path(), "Q", QString::number(Rounds)});
    for (QProcess* worker : {&first, &second}) {
        ASSERT_TRUE(worker->waitForFinished(60000));
        EXPECT_EQ(worker->exitCode(), 0) << worker->readAllStandardError().toStdString();
    }

    UserSession session;
    ASSERT_TRUE(session.loadUserList().isEmpty());
    QStringList names;
    for (int i = 0; i < session.users().count(); ++i)
        names << session.users().at(i).name();
    names.sort();
    QStringList expected;
    for (const char* prefix : {"P", "Q"})
        for (int round = 1; round < Rounds; round += 2)
            expected << prefix + QString::number(round);
    expected.sort();
    EXPECT_EQ(names, expected);
    for (int i = 0; i < session.users().count(); ++i) {
        ASSERT_TRUE(session.changeUser(i).isEmpty());
        EXPECT_TRUE(session.isDone(1)) << session.users().at(i).name().toStdString();
    }
    EXPECT_FALSE(QDir(course.filePath("Report/P0")).exists()) << "deleted users' files are gone";
}
