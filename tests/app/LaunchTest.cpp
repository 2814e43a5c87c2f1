#include "app/Launch.h"
#include "common/Paths.h"

#include <gtest/gtest.h>

TEST(Launch, DataFolderGoesBeforeTheFileNames)
{
    CatalogueEntry entry;
    entry.Kind = 2;
    entry.TextFile = QStringLiteral("L01\\Lex.txt");
    entry.TransFile = QStringLiteral("L01\\LexR.txt");
    entry.SoundFile = QStringLiteral("L01\\Lex.wav");
    entry.TimingFile = QStringLiteral("L01\\LexT.txt");
    const CatalogueEntry copy = prefixedEntry(entry, QStringLiteral("DataTest\\"));
    EXPECT_EQ(copy.TextFile, coursePath(QStringLiteral("DataTest/L01/Lex.txt")));
    EXPECT_EQ(copy.TransFile, coursePath(QStringLiteral("DataTest/L01/LexR.txt")));
    EXPECT_EQ(copy.SoundFile, coursePath(QStringLiteral("DataTest/L01/Lex.wav")));
    EXPECT_EQ(copy.TimingFile, coursePath(QStringLiteral("DataTest/L01/LexT.txt")));
    EXPECT_EQ(copy.Kind, 2);
}

TEST(Launch, EmptySoundAndTimingStayEmpty)
{
    const CatalogueEntry copy = prefixedEntry(CatalogueEntry{}, QStringLiteral("DataTest\\"));
    EXPECT_TRUE(copy.SoundFile.isEmpty());
    EXPECT_TRUE(copy.TimingFile.isEmpty());
    // The other names always get the folder, as the windows expect.
    EXPECT_EQ(copy.TextFile, coursePath(QStringLiteral("DataTest/")));
    EXPECT_EQ(copy.PictureFile, coursePath(QStringLiteral("DataTest/")));
}
