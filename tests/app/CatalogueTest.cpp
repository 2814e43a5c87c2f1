#include "app/Catalogue.h"
#include "support/TempCourse.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

// A catalogue line from its eleven fields.
QString line(const QStringList& fields)
{
    return fields.join(QLatin1Char('\t'));
}

CatalogueEntry parsed(const QString& text)
{
    auto result = parseCatalogueLine(text);
    EXPECT_TRUE(std::holds_alternative<CatalogueEntry>(result))
        << std::get<QString>(result).toStdString();
    return std::holds_alternative<CatalogueEntry>(result) ? std::get<CatalogueEntry>(result)
                                                          : CatalogueEntry{};
}

QString parseError(const QString& text)
{
    auto result = parseCatalogueLine(text);
    EXPECT_TRUE(std::holds_alternative<QString>(result)) << text.toStdString();
    return std::holds_alternative<QString>(result) ? std::get<QString>(result) : QString();
}

void writeCatalogues(const TempCourse& course, const QStringList& lines)
{
    for (const char* mode : {"A", "B", "C", "D"})
        course.writeLines(QStringLiteral("InitReg%1.txt").arg(QLatin1String(mode)), lines);
}

const QString Exercise = line(
    {"Лексика", "1", "1", "0", "lex.rtf", "2", "t.txt", "tr.txt", "s.wav", "s.txt", "pic.txt"});

} // namespace

TEST(CatalogueLine, ReadsEveryFieldInOrder)
{
    const CatalogueEntry entry = parsed(Exercise);
    EXPECT_EQ(entry.Title, QStringLiteral("Лексика"));
    EXPECT_TRUE(entry.IsChild);
    EXPECT_EQ(entry.Anchor, 1);
    EXPECT_EQ(entry.InfoKind, 0);
    EXPECT_EQ(entry.descriptionKind(), DescriptionKind::RichText);
    EXPECT_EQ(entry.InfoFile, QStringLiteral("lex.rtf"));
    EXPECT_EQ(entry.Kind, 2);
    EXPECT_EQ(entry.exerciseKind(), ExerciseKind::Lexicon);
    EXPECT_EQ(entry.TextFile, QStringLiteral("t.txt"));
    EXPECT_EQ(entry.TransFile, QStringLiteral("tr.txt"));
    EXPECT_EQ(entry.SoundFile, QStringLiteral("s.wav"));
    EXPECT_EQ(entry.TimingFile, QStringLiteral("s.txt"));
    EXPECT_EQ(entry.PictureFile, QStringLiteral("pic.txt"));
}

TEST(CatalogueLine, IsChildIsFalseOnlyForZero)
{
    EXPECT_FALSE(parsed(line({"a", "0", "0", "0", "", "0", "", "", "", "", ""})).IsChild);
    EXPECT_TRUE(parsed(line({"a", "", "0", "0", "", "0", "", "", "", "", ""})).IsChild);
    EXPECT_TRUE(parsed(line({"a", "00", "0", "0", "", "0", "", "", "", "", ""})).IsChild);
    EXPECT_TRUE(parsed(line({"a", "нет", "0", "0", "", "0", "", "", "", "", ""})).IsChild);
}

TEST(CatalogueLine, LastFieldTakesTheRestOfTheLine)
{
    EXPECT_EQ(parsed(line({"a", "0", "0", "0", "", "0", "", "", "", "", ""})).PictureFile,
              QString());
    EXPECT_EQ(
        parsed(line({"a", "0", "0", "0", "", "0", "", "", "", "", "p.txt", "more"})).PictureFile,
        QStringLiteral("p.txt\tmore"));
}

TEST(CatalogueLine, LongTextIsCutTo255)
{
    const QString title(300, QChar(u'ж'));
    const QString file(260, QChar(u'f'));
    const CatalogueEntry entry =
        parsed(line({title, "0", "0", "0", file, "0", "", "", "", "", file}));
    EXPECT_EQ(entry.Title, title.left(255));
    EXPECT_EQ(entry.InfoFile.size(), 255);
    EXPECT_EQ(entry.PictureFile.size(), 255);
}

TEST(CatalogueLine, NumbersOutOfRangeOrNotNumbersNameTheField)
{
    EXPECT_TRUE(parseError(line({"a", "0", "x", "0", "", "0", "", "", "", "", ""}))
                    .contains(QLatin1String("Anchor")));
    EXPECT_TRUE(parseError(line({"a", "0", "0", "256", "", "0", "", "", "", "", ""}))
                    .contains(QLatin1String("InfoKind")));
    EXPECT_TRUE(parseError(line({"a", "0", "0", "-1", "", "0", "", "", "", "", ""}))
                    .contains(QLatin1String("InfoKind")));
    EXPECT_TRUE(parseError(line({"a", "0", "0", "0", "", "", "", "", "", "", ""}))
                    .contains(QLatin1String("Kind")));
    EXPECT_TRUE(parseError(line({"a", "0", "0", "0", "", "300", "", "", "", "", ""}))
                    .contains(QLatin1String("Kind")));
    // 255 is the largest kind a line may hold; it is not an error.
    EXPECT_EQ(parsed(line({"a", "0", "0", "255", "", "255", "", "", "", "", ""})).Kind, 255);
}

TEST(CatalogueLine, AnchorsAreWholeDecimalNumbers)
{
    const auto anchorLine = [](const char* anchor) {
        return line({"a", "0", anchor, "0", "", "0", "", "", "", "", ""});
    };
    for (const auto& [text, value] : std::vector<std::pair<const char*, qint32>>{
             {"7", 7}, {" +7 ", 7}, {"-12", -12}, {"007", 7}, {"2147483647", 2147483647}})
        EXPECT_EQ(parsed(anchorLine(text)).Anchor, value) << text;
    for (const char* text : {"", " ", "-", "+-1", "1 2", "0x10", "1.5", "١٢",
                             "99999999999999999999", "-9223372036854775809"})
        EXPECT_TRUE(parseError(anchorLine(text)).contains(QStringLiteral("не число"))) << text;
    EXPECT_TRUE(parseError(anchorLine("2147483648")).contains(QStringLiteral("вне диапазона")));
}

TEST(CatalogueLine, EmptyOrShortLinesAreErrors)
{
    EXPECT_FALSE(parseError(QString()).isEmpty());
    EXPECT_FALSE(parseError(line({"a", "0", "0", "0", "", "0", "", ""})).isEmpty());
}

TEST(Catalogues, LoadsFourModesWithAZeroElement)
{
    TempCourse course;
    writeCatalogues(course, {line({"Урок", "0", "0", "0", "", "0", "", "", "", "", ""}), Exercise});
    course.writeLines(QStringLiteral("InitRegB.txt"),
                      {line({"Только B", "0", "0", "1", "b.jpg", "0", "", "", "", "", ""})});
    Catalogues catalogues;
    ASSERT_TRUE(catalogues.LoadCatalogues().empty());
    EXPECT_EQ(catalogues.count(u'A'), 2);
    EXPECT_EQ(catalogues.count(u'B'), 1);
    EXPECT_EQ(catalogues.entries(u'D').size(), 3u);
    EXPECT_EQ(catalogues.entries(u'D')[0], CatalogueEntry{});
    EXPECT_EQ(catalogues.entry(u'D', 1).Title, QStringLiteral("Урок"));
    EXPECT_EQ(catalogues.entry(u'D', 2).Kind, 2);
    EXPECT_EQ(catalogues.entry(u'B', 1).InfoFile, QStringLiteral("b.jpg"));
    EXPECT_EQ(catalogues.entry(u'D', 3), CatalogueEntry{});
    EXPECT_EQ(catalogues.count(u'E'), 0);
}

TEST(Catalogues, LastLineWithoutLineEndCounts)
{
    TempCourse course;
    writeCatalogues(course, {Exercise});
    const QByteArray bytes = "A\t0\t0\t0\t\t0\t\t\t\t\t\r\nB\t1\t1\t0\t\t5\t\t\t\t\t";
    course.write(QStringLiteral("InitRegC.txt"), bytes);
    Catalogues catalogues;
    ASSERT_TRUE(catalogues.LoadCatalogues().empty());
    EXPECT_EQ(catalogues.count(u'C'), 2);
    EXPECT_EQ(catalogues.entry(u'C', 2).Kind, 5);
}

TEST(Catalogues, TitlesAreReadInCodePage1251)
{
    TempCourse course;
    writeCatalogues(course, {Exercise});
    course.write(QStringLiteral("InitRegA.txt"), "\xd3\xf0\xee\xea\t0\t0\t0\t\t0\t\t\t\t\t\r\n");
    Catalogues catalogues;
    ASSERT_TRUE(catalogues.LoadCatalogues().empty());
    EXPECT_EQ(catalogues.entry(u'A', 1).Title, QStringLiteral("Урок"));
}

TEST(Catalogues, DamagedOrMissingCataloguesAreNamedAndTheIntactOnesLoaded)
{
    TempCourse course;
    writeCatalogues(course, {Exercise, Exercise});
    course.writeLines(
        QStringLiteral("InitRegB.txt"),
        {Exercise, Exercise, line({"a", "0", "0", "0", "", "16x", "", "", "", "", ""})});
    QFile::remove(course.filePath(QStringLiteral("InitRegC.txt")));
    Catalogues catalogues;
    const std::vector<CourseError> faults = catalogues.LoadCatalogues();
    ASSERT_EQ(faults.size(), 2u);
    EXPECT_EQ(faults[0].file, QStringLiteral("InitRegB.txt"));
    EXPECT_EQ(faults[0].line, 3);
    const QString text = faults[0].userText();
    EXPECT_TRUE(text.contains(QLatin1String("InitRegB.txt")));
    EXPECT_TRUE(text.contains(QLatin1String("3")));
    EXPECT_TRUE(text.contains(QLatin1String("Kind")));
    EXPECT_EQ(faults[1].file, QStringLiteral("InitRegC.txt"));
    // A damaged catalogue is left out whole, not loaded up to its bad line.
    EXPECT_EQ(catalogues.count(u'B'), 0);
    EXPECT_EQ(catalogues.count(u'C'), 0);
    EXPECT_EQ(catalogues.count(u'A'), 2);
    EXPECT_EQ(catalogues.count(u'D'), 2) << "loaded after the damaged ones";
}

TEST(Catalogues, AnEmptyFileGivesAnEmptyCatalogue)
{
    TempCourse course;
    writeCatalogues(course, {Exercise});
    course.write(QStringLiteral("InitRegD.txt"), QByteArray());
    Catalogues catalogues;
    ASSERT_TRUE(catalogues.LoadCatalogues().empty());
    EXPECT_EQ(catalogues.count(u'D'), 0);
    EXPECT_EQ(catalogues.entries(u'D').size(), 1u);
}
