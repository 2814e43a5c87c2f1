#include "users/UserFiles.h"
#include "common/PassHistoryName.h"
#include "support/TempCourse.h"
#include "users/NewUser.h"
#include "users/ProgressFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QByteArray Wave = QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16);

UserRecord userIn(const QString& folder, const QString& name)
{
    return newUserRecord({name, "", "", folder + "/" + name + ".rep", "A"});
}

QByteArray progressNaming(const QStringList& recordings)
{
    ProgressTable table(int(recordings.size()));
    for (int i = 0; i < recordings.size(); ++i)
        table.record(i + 1).setText(recordings[i]);
    return table.toBytes();
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::System, QDir::Name);
}
} // namespace

TEST(UserFiles, DeletingTakesTheUsersOwnFilesAndTheEmptiedFolder)
{
    TempCourse course;
    const UserRecord olga = userIn(course.filePath("Report/Olga"), "Olga");
    course.write("Report/Olga/Olga.rep", ProgressTable(2).toBytes());
    course.write("Report/Olga/Olga4.wav", Wave);
    course.write("Report/Olga/Olga4.txt", "0 1");
    course.write("Report/Olga/Olga17.wav", Wave);
    course.write("Report/Olga/Olga.hst", QByteArray(PassHistorySignature) + "\n");
    deleteUserFiles(olga, UserTable());
    EXPECT_FALSE(QDir(course.filePath("Report/Olga")).exists());
}

TEST(UserFiles, WhatCouldBeAnyoneElsesStays)
{
    TempCourse course;
    QTemporaryDir outside;
    const UserRecord olga = userIn(course.filePath("Report/Olga"), "Olga");
    course.write("Report/Olga/Olga.rep", ProgressTable(2).toBytes());
    for (const char* name : {"notes.doc", "Olga.wav", "Olga04.wav", "Olgax4.wav", "Olga5.wav.bak"})
        course.write(QStringLiteral("Report/Olga/") + name, Wave);
    course.write("Report/Olga/Olga6.wav", "not a sound");
    course.write("Report/Olga/Olga8.txt", "timing without its recording");
    course.write("Report/Olga/Olga.hst", "a file of the student's own under the history's name");
    QDir().mkpath(course.filePath("Report/Olga"));
    QFile thesis(outside.filePath("thesis.wav"));
    ASSERT_TRUE(thesis.open(QIODevice::WriteOnly) && thesis.write(Wave) == Wave.size());
    thesis.close();
    ASSERT_TRUE(QFile::link(thesis.fileName(), course.filePath("Report/Olga/Olga7.wav")));

    deleteUserFiles(olga, UserTable());
    EXPECT_EQ(filesIn(course.filePath("Report/Olga")),
              QStringList({"Olga.hst", "Olga.wav", "Olga04.wav", "Olga5.wav.bak", "Olga6.wav",
                           "Olga7.wav", "Olga8.txt", "Olgax4.wav", "notes.doc"}));
    EXPECT_EQ(filesIn(outside.path()), QStringList{"thesis.wav"}) << "a link's target stays";
}

TEST(UserFiles, ARecordingAnotherUserCouldOwnStaysUnlessTheProgressNamesIt)
{
    TempCourse course;
    const QString folder = course.filePath("Report/Shared");
    UserTable table;
    table.append(userIn(folder, "Ivan"));
    table.append(userIn(folder, "Ivan1"));
    for (const char* name : {"Ivan17.wav", "Ivan18.wav", "Ivan3.wav", "Ivan12.wav"})
        course.write(QStringLiteral("Report/Shared/") + name, Wave);
    course.write("Report/Shared/Ivan.rep", progressNaming({folder + "/Ivan18.wav"}));

    const QStringList recorded = recordingsNamedInProgress(table.at(0));
    EXPECT_FALSE(isOwnRecording(folder + "/Ivan17.wav", table.at(0), table, recorded));
    EXPECT_FALSE(isOwnRecording(folder + "/Ivan17.wav", table.at(1), table, {}));
    EXPECT_TRUE(isOwnRecording(folder + "/Ivan18.wav", table.at(0), table, recorded));
    EXPECT_TRUE(isOwnRecording(folder + "/Ivan3.wav", table.at(0), table, recorded));

    deleteUserFiles(table.at(0), table);
    EXPECT_EQ(filesIn(folder), QStringList({"Ivan12.wav", "Ivan17.wav"}));
}

TEST(UserFiles, ACraftedListPointingOutsideTheCourseDeletesNothingButAProgressFile)
{
    TempCourse course;
    QTemporaryDir outside;
    const QString theirs = outside.filePath("Ivan.rep");
    QFile file(theirs);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("someone's letter") > 0);
    file.close();
    QFile sound(outside.filePath("Ivan1.wav"));
    ASSERT_TRUE(sound.open(QIODevice::WriteOnly) && sound.write(Wave) > 0);
    sound.close();
    const UserRecord ivan = userIn(outside.path(), "Ivan");

    deleteUserFiles(ivan, UserTable());
    EXPECT_EQ(filesIn(outside.path()), QStringList({"Ivan.rep", "Ivan1.wav"}))
        << "no signature, and recordings outside the course are never deleted";
    EXPECT_FALSE(isOwnRecording(sound.fileName(), ivan, UserTable(), {sound.fileName()}));

    // Even a real progress file is not deleted through a link to it.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(ProgressTable(1).toBytes()) > 0);
    file.close();
    QFile::link(theirs, course.filePath("Linked.rep"));
    deleteUserFiles(userIn(course.path(), "Linked"), UserTable());
    EXPECT_TRUE(QFile::exists(theirs));
    EXPECT_TRUE(QFileInfo(course.filePath("Linked.rep")).isSymLink()) << "a link is not progress";
}
