#include "common/AtomicFile.h"
#include "support/TempCourse.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

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
