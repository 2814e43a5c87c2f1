#include "common/Paths.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(Paths, BothSeparatorsWork)
{
    const QString sep = QDir::separator();
    EXPECT_EQ(coursePath("DataTest\\Les1\\text.txt"), "DataTest" + sep + "Les1" + sep + "text.txt");
    EXPECT_EQ(coursePath("DataTest/Les1\\a.wav"), "DataTest" + sep + "Les1" + sep + "a.wav");
    EXPECT_EQ(folderOf("Report\\Ivan\\Ivan.rep"), "Report\\Ivan\\");
    EXPECT_EQ(folderOf("Report/Ivan/Ivan.rep"), "Report/Ivan/");
    EXPECT_EQ(folderOf("Ivan.rep"), "");
    EXPECT_EQ(replaceLastThree("Report/Ivan12.wav", "txt"), "Report/Ivan12.txt");
    EXPECT_EQ(replaceLastThree("text.txt", "apc"), "text.apc");
    EXPECT_EQ(replaceLastThree("ab", "txt"), "txt");
}
