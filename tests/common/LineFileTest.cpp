#include "common/LineFile.h"
#include "support/TempCourse.h"

#include <gtest/gtest.h>

TEST(CourseLines, LineEndsAndEmptyLines)
{
    EXPECT_EQ(splitCourseLines("a\r\nb\r\n"), (QStringList{"a", "b"}));
    EXPECT_EQ(splitCourseLines("a\r\nb"), (QStringList{"a", "b"}))
        << "last line without an end counts";
    EXPECT_EQ(splitCourseLines("a\r\n\r\nb\r\n"), (QStringList{"a", "", "b"}))
        << "empty line counts";
    EXPECT_EQ(splitCourseLines("a\nb\n"), (QStringList{"a", "b"}));
    EXPECT_EQ(splitCourseLines(""), QStringList{});
    EXPECT_EQ(splitCourseLines("\r\n"), QStringList{""});
    EXPECT_EQ(splitCourseLines("a\tb\t\r\n"), QStringList{"a\tb\t"}) << "tabs are kept";
}

// Files saved by old Mac editors end their lines in CR alone; every line end
// counts once, whichever of the three it is.
TEST(CourseLines, EveryKindOfLineEndEndsALine)
{
    struct Case {
        const char* text;
        QStringList lines;
        bool crOnly;
    };
    const QList<Case> cases{
        {"eins\rzwei\rdrei\r", {"eins", "zwei", "drei"}, true},
        {"eins\rzwei\rdrei", {"eins", "zwei", "drei"}, true},
        {"a\r\rb", {"a", "", "b"}, true},
        {"\r", {""}, true},
        {"a\r\r\nb", {"a", "", "b"}, false},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}, false},
        {"a\n\rb", {"a", "", "b"}, false},
        {"a\r\nb\r\n", {"a", "b"}, false},
        {"a", {"a"}, false},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(splitCourseLines(text), c.lines) << QByteArray(c.text).toPercentEncoding().data();
        EXPECT_EQ(hasOnlyCrLineEnds(text), c.crOnly)
            << QByteArray(c.text).toPercentEncoding().data();
    }
}

TEST(CourseLines, ReadsCodePagesAndUtf8WithByteOrderMark)
{
    TempCourse course;
    course.write("de.txt", QByteArray("Gr\xF6\xDF"
                                      "e\r\nT\xFC r"));
    course.write("ru.txt", QByteArray("\xC4\xEE\xEC\r\n"));
    course.write("bom.txt", QByteArray("\xEF\xBB\xBF") + QStringLiteral("Дом\r\nGröße").toUtf8());

    auto de = readCourseLines("de.txt", CodePage::Cp1250);
    ASSERT_TRUE(std::holds_alternative<QStringList>(de));
    EXPECT_EQ(std::get<QStringList>(de),
              (QStringList{QStringLiteral("Größe"), QStringLiteral("Tü r")}));

    auto ru = readCourseLines("ru.txt", CodePage::Cp1251);
    EXPECT_EQ(std::get<QStringList>(ru), QStringList{QStringLiteral("Дом")});

    auto bom = readCourseLines("bom.txt", CodePage::Cp1250);
    EXPECT_EQ(std::get<QStringList>(bom),
              (QStringList{QStringLiteral("Дом"), QStringLiteral("Größe")}));
}

TEST(CourseLines, MissingFileIsAnErrorNamingIt)
{
    TempCourse course;
    auto result = readCourseLines("absent.txt", CodePage::Cp1251);
    ASSERT_TRUE(std::holds_alternative<CourseError>(result));
    const CourseError error = std::get<CourseError>(result);
    EXPECT_EQ(error.file, "absent.txt");
    EXPECT_TRUE(error.userText().contains("absent.txt"));
}

TEST(CourseLines, EncodeWritesCrLfAndRefusesForeignCharacters)
{
    EXPECT_EQ(*encodeCourseLines({QStringLiteral("Дом"), ""}, CodePage::Cp1251),
              QByteArray("\xC4\xEE\xEC\r\n\r\n"));
    EXPECT_FALSE(encodeCourseLines({QStringLiteral("Дом")}, CodePage::Cp1250));
}
