#include "drills/Statements.h"
#include "drills/DrillRandom.h"
#include "support/TempCourse.h"

#include <gtest/gtest.h>

namespace {
const DrillFiles Files{"s.de.txt", "s.ru.txt", "s.tim", "s.wav"};

TrueFalseDrill startedDrill(const QList<bool>& keys, std::uint64_t seed = 1)
{
    QList<TrueFalseItem> items;
    for (int i = 0; i < keys.size(); ++i)
        items.append(TrueFalseItem{QString::number(i + 1), keys[i]});
    seedDrillRandom(seed);
    TrueFalseDrill drill(items);
    drill.start();
    return drill;
}
} // namespace

TEST(StatementFiles, LineRules)
{
    const auto yes = parseStatementLine("Anna wacht auf.\t0");
    ASSERT_TRUE(yes);
    EXPECT_EQ(yes->text, "Anna wacht auf.");
    EXPECT_TRUE(yes->key);
    EXPECT_FALSE(parseStatementLine("Es regnet.\t1")->key);
    EXPECT_FALSE(parseStatementLine("Es regnet.\tx")->key);
    EXPECT_TRUE(parseStatementLine("a\t0 and more\tignored")->key)
        << "only the key character counts";

    const auto noTab = parseStatementLine("0 without tab");
    ASSERT_TRUE(noTab);
    EXPECT_EQ(noTab->text, "");
    EXPECT_TRUE(noTab->key) << "the first character is the key";

    EXPECT_FALSE(parseStatementLine(""));
    EXPECT_FALSE(parseStatementLine("ends after tab\t"));
    EXPECT_EQ(parseStatementLine(QString(300, u's') + "\t0")->text.size(), 255);
}

TEST(StatementFiles, LoadsStatementsSecondFileAndTiming)
{
    TempCourse course;
    course.writeLines(Files.text, {QStringLiteral("Draußen regnet es.\t1"), "Ja.\t0"}, true);
    course.writeLines(Files.trans, {QStringLiteral("На улице дождь.")});
    course.writeLines(Files.timing, {"0\t1500", "1500\t2600"});
    const auto load = loadStatements(Files);
    EXPECT_FALSE(load.error);
    ASSERT_TRUE(load.runnable);
    ASSERT_EQ(load.items.size(), 2);
    EXPECT_EQ(load.items[0].text, QStringLiteral("Draußen regnet es."));
    EXPECT_FALSE(load.items[0].key);
    EXPECT_EQ(load.items[1].end, 2600);

    EXPECT_TRUE(loadStatements({Files.text, Files.trans, "", ""}).runnable)
        << "without a timing file the statements are only not played";
}

TEST(StatementFiles, ReadErrors)
{
    TempCourse course;
    course.writeLines(Files.text, {"a\t0", "b\t1", "", "d\t0"}, true);
    course.writeLines(Files.trans, {"x"});
    course.writeLines(Files.timing, {"0\t1"});
    const auto partial = loadStatements(Files);
    ASSERT_TRUE(partial.error);
    EXPECT_EQ(partial.error->line, 3);
    EXPECT_TRUE(partial.runnable);
    EXPECT_EQ(partial.items.size(), 2) << "only the statements read are asked";

    course.writeLines(Files.text, {"bad\t"}, true);
    EXPECT_FALSE(loadStatements(Files).runnable);

    course.writeLines(Files.text, {"a\t0"}, true);
    EXPECT_FALSE(loadStatements({"absent.txt", Files.trans, Files.timing, ""}).runnable);
    course.write(Files.text, "");
    EXPECT_FALSE(loadStatements(Files).runnable);
}

// A missing second or timing file is a fault after which the statements read
// are still asked, without sound; reading stops at the missing second file.
TEST(StatementFiles, MissingSecondOrTimingFileStillRuns)
{
    TempCourse course;
    course.writeLines(Files.text, {"a\t0", "b\t1"}, true);
    course.writeLines(Files.trans, {"x"});
    course.writeLines(Files.timing, {"0\t100", "100\t200"});
    for (const DrillFiles& files : {DrillFiles{Files.text, "absent.txt", Files.timing, ""},
                                    DrillFiles{Files.text, Files.trans, "absent.tim", ""}}) {
        const auto load = loadStatements(files);
        ASSERT_TRUE(load.error);
        EXPECT_TRUE(load.error->file.startsWith("absent")) << load.error->file.toStdString();
        EXPECT_TRUE(load.runnable);
        ASSERT_EQ(load.items.size(), 2);
        EXPECT_EQ(load.items[1].text, "b");
        EXPECT_EQ(load.items[1].end, 0) << "the timing file is not read";
    }
}

TEST(TrueFalseDrill, AnswersAgainstTheKey)
{
    TrueFalseDrill drill = startedDrill({true});
    EXPECT_TRUE(drill.answer(false));
    EXPECT_EQ(drill.errors(), 1);
    EXPECT_FALSE(drill.items()[0].right);

    TrueFalseDrill right = startedDrill({true});
    EXPECT_TRUE(right.answer(true));
    EXPECT_EQ(right.errors(), 0);
    EXPECT_TRUE(right.items()[0].right);
}

TEST(TrueFalseDrill, SkippingChangesNoCounter)
{
    TrueFalseDrill drill = startedDrill({true, false, true});
    drill.answer(false);
    const int errors = drill.errors();
    for (int i = 0; i < 10; ++i) {
        drill.selectNext();
        EXPECT_FALSE(drill.currentItem().answered);
    }
    EXPECT_EQ(drill.remaining(), 2);
    EXPECT_EQ(drill.errors(), errors);
}

TEST(TrueFalseDrill, ResultsInFileOrder)
{
    TrueFalseDrill drill = startedDrill({true, false, true, false}, 5);
    QList<int> asked;
    bool finished = false;
    while (!finished) {
        asked.append(drill.current());
        // Answer "Да" to everything: right for the true statements only.
        finished = drill.answer(true);
    }
    EXPECT_EQ(asked.size(), 4);
    EXPECT_EQ(drill.errors(), 2);
    const QList<QStringList> rows = resultRows(drill.items());
    ASSERT_EQ(rows.size(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(rows[i][0], QString::number(i + 1)) << "rows follow the file, not the asking";
    EXPECT_EQ(rows[0], (QStringList{"1", QStringLiteral("Да"), QStringLiteral("Да")}));
    EXPECT_EQ(rows[1], (QStringList{"2", QStringLiteral("Нет"), QStringLiteral("Нет")}));
}
