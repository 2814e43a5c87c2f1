#include "common/AtomicFile.h"
#include "support/TempCourse.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

TEST(AtomicFile, ReplacesTheWholeFileAndLeavesNoTemporary)
{
    TempCourse course;
    course.write("Users.eng", "old contents");
    EXPECT_FALSE(writeFileAtomically("Users.eng", "new"));
    EXPECT_EQ(course.read("Users.eng"), "new");
    EXPECT_EQ(QDir(course.path()).entryList(QDir::Files), QStringList{"Users.eng"});
}

TEST(AtomicFile, AFailedWriteReportsItAndKeepsWhatWasThere)
{
    TempCourse course;
    // The rename cannot replace a folder: the write fails at its last step,
    // after the temporary file was written, which must then be gone.
    course.write("Users.eng/keep.txt", "kept");
    const auto error = writeFileAtomically("Users.eng", "new");
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->userText().contains("Users.eng"));
    EXPECT_EQ(course.read("Users.eng/keep.txt"), "kept");
    EXPECT_EQ(QDir(course.path()).entryList(QDir::Files), QStringList{});

    // A folder that is a file: nothing can be created in it, even by root.
    course.write("plain", "x");
    EXPECT_TRUE(writeFileAtomically("plain/Users.eng", "new").has_value());
    EXPECT_EQ(course.read("plain"), "x");
}

// A full disk, as a limit on file size: the write fails with the real reason
// (taken before the cancelled write overwrites it) and the old file stays.
TEST(AtomicFile, AFullDiskIsToldByItsRealReasonAndTheOldFileStays)
{
    TempCourse course;
    course.write("Users.eng", "old contents");
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto error = writeFileAtomically("Users.eng", QByteArray(100000, 'x'));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->userText().contains(QStringLiteral("файл слишком велик для диска")))
        << error->userText().toStdString();
    EXPECT_TRUE(error->userText().contains("Users.eng"));
    EXPECT_EQ(course.read("Users.eng"), "old contents");
    EXPECT_EQ(QDir(course.path()).entryList(QDir::Files), QStringList{"Users.eng"});
}

TEST(AtomicFile, AFolderWhereTheFileShouldBeIsToldInRussian)
{
    TempCourse course;
    course.write("plain", "x");
    const auto error = writeFileAtomically("plain/Users.eng", "new");
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->userText().contains(QStringLiteral("часть пути - файл, а не папка")))
        << error->userText().toStdString();
}
