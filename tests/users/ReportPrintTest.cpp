// The printed report's layout on a page of 1200 x 1800 device units: rows are
// 30 high, the table starts at 288 and its font is 22 (22.5 rounded to even).
#include "users/ReportPrint.h"

#include <gtest/gtest.h>

namespace {
constexpr int PW = 1200;
constexpr int PH = 1800;
// A code a catalogue may store that has no window.
const ExerciseKind Unnamed9 = ExerciseKind(9);

ReportPrintInput input(const QList<ReportEntry>& entries, const QList<int>& done = {},
                       bool doneOnly = false)
{
    ReportPrintInput in{PW,
                        PH,
                        "Ivan",
                        "C",
                        QDateTime(QDate(2026, 12, 7), QTime(9, 5)),
                        entries,
                        ProgressTable(int(entries.size())),
                        doneOnly};
    for (int entry : done) {
        in.progress.record(entry).setDone(true);
        in.progress.record(entry).setResult(28);
    }
    return in;
}

bool hasText(const PrintPage& page, const PrintText& text)
{
    return page.texts.contains(text);
}

// The lines of row n (its top at y) besides the frame.
QList<PrintLine> columns(const PrintPage& page, int top)
{
    QList<PrintLine> found;
    for (const PrintLine& line : page.lines)
        if (line.y1 == top && line.x1 == line.x2 && line.x1 != 60 && line.x1 != 1140)
            found.append(line);
    return found;
}
} // namespace

TEST(ReportPrint, RoundingTakesHalvesToTheEvenNeighbour)
{
    EXPECT_EQ(roundEven(22.5), 22);
    EXPECT_EQ(roundEven(23.5), 24);
    EXPECT_EQ(roundEven(-0.5), 0);
    EXPECT_EQ(roundEven(266.4), 266);
    EXPECT_EQ(roundEven(94.74), 95);
}

TEST(ReportPrint, DateReadsDayMonthNameYearAndTime)
{
    EXPECT_EQ(printedDate(QDateTime(QDate(2026, 12, 7), QTime(9, 5))),
              " 07, декабрь , 2026,   Время:  09:05 ");
    EXPECT_EQ(printedDate(QDateTime(QDate(2027, 3, 21), QTime(17, 45))),
              " 21, март , 2027,   Время:  17:45 ");
}

TEST(ReportPrint, TitleBlockStandsOnTheFirstPageOnly)
{
    const QList<PrintPage> pages =
        reportPrintLayout(input(QList<ReportEntry>(60, {"A", ExerciseKind::LexiconPreview})));
    ASSERT_EQ(pages.size(), 2);
    const PrintPage& first = pages[0];
    EXPECT_TRUE(hasText(first, {240, 95, 60, "Tolvaren"}));
    EXPECT_TRUE(hasText(first, {60, 164, 36, "Имя пользователя: Ivan"}));
    EXPECT_TRUE(hasText(
        first, {60, 216, 36, "Режим работы: C;   Дата:  07, декабрь , 2026,   Время:  09:05 "}));
    EXPECT_TRUE(hasText(first, {240, 266, 36, "Отчет."}));
    for (const PrintText& text : pages[1].texts)
        EXPECT_NE(text.text, "Tolvaren");
}

TEST(ReportPrint, EveryKindHasItsColumns)
{
    const QList<ReportEntry> entries{
        {"Урок 1", ExerciseKind::Heading},    {"Лексика", ExerciseKind::LexiconPreview},
        {"Вопросы", ExerciseKind::Questions}, {"Вопросы 2", ExerciseKind::Questions},
        {"Тест", ExerciseKind::TrueFalse},    {"Пусто", Unnamed9}};
    const PrintPage page = reportPrintLayout(input(entries, {2, 3, 5})).first();
    // Row n's top is 288 + 30 n, its text 10 below.
    EXPECT_TRUE(hasText(page, {120, 328, 22, "   Раздел: Урок 1"}));
    EXPECT_TRUE(columns(page, 318).isEmpty());
    EXPECT_TRUE(hasText(page, {67, 358, 22, "       Лексика"}));
    EXPECT_TRUE(hasText(page, {867, 358, 22, "Выполнено"}));
    EXPECT_EQ(columns(page, 348), (QList<PrintLine>{{800, 348, 800, 378}}));
    // Done questions have three columns, not done two.
    EXPECT_TRUE(hasText(page, {547, 388, 22, "Ошибок - 28%"}));
    EXPECT_TRUE(hasText(page, {867, 388, 22, "Выполнено "}));
    EXPECT_EQ(columns(page, 378), (QList<PrintLine>{{480, 378, 480, 408}, {800, 378, 800, 408}}));
    EXPECT_TRUE(hasText(page, {867, 418, 22, "Не выполнено"}));
    EXPECT_EQ(columns(page, 408), (QList<PrintLine>{{800, 408, 800, 438}}));
    // True/false statements are one text without a column line.
    EXPECT_TRUE(hasText(page, {67, 448, 22, "       Тест - Выполнено, Оценка - 28"}));
    EXPECT_TRUE(columns(page, 438).isEmpty());
    // Every row is framed: its top line and both sides; the table is closed below.
    for (int top : {318, 348, 378, 408, 438, 468}) {
        EXPECT_TRUE(page.lines.contains({60, top, 1140, top})) << top;
        EXPECT_TRUE(page.lines.contains({60, top, 60, top + 30})) << top;
        EXPECT_TRUE(page.lines.contains({1140, top, 1140, top + 30})) << top;
    }
    EXPECT_TRUE(page.lines.contains({60, 498, 1140, 498}));
    EXPECT_TRUE(hasText(page, {600, 1770, 22, "1"}));
}

TEST(ReportPrint, DoneOnlyStillPrintsEveryHeading)
{
    const QList<ReportEntry> entries{{"Урок 1", ExerciseKind::Heading},
                                     {"A", ExerciseKind::LexiconPreview},
                                     {"Урок 2", ExerciseKind::Heading},
                                     {"B", ExerciseKind::LexiconPreview}};
    const PrintPage page = reportPrintLayout(input(entries, {4}, true)).first();
    QStringList printed;
    for (const PrintText& text : page.texts)
        if (text.y > 300 && text.y < 1700)
            printed << text.text;
    EXPECT_EQ(printed,
              (QStringList{"   Раздел: Урок 1", "   Раздел: Урок 2", "       B", "Выполнено"}));
    const PrintPage every = reportPrintLayout(input(entries, {4}, false)).first();
    QStringList all;
    for (const PrintText& text : every.texts)
        all << text.text;
    EXPECT_TRUE(all.contains("       A"));
    EXPECT_TRUE(all.contains("Не выполнено"));
}

TEST(ReportPrint, RowLeavingLessThanThreeRowsEndsThePage)
{
    // Row 48 leaves (48 + 3) * 30 + 288 = 1818 > 1800: it is the last on page 1.
    const QList<PrintPage> pages =
        reportPrintLayout(input(QList<ReportEntry>(100, {"A", ExerciseKind::LexiconPreview})));
    ASSERT_EQ(pages.size(), 2);
    auto rowTops = [](const PrintPage& page) {
        QList<int> tops;
        for (const PrintText& text : page.texts)
            if (text.text == "       A")
                tops << text.y - 10;
        return tops;
    };
    const QList<int> first = rowTops(pages[0]);
    ASSERT_EQ(first.size(), 48);
    EXPECT_EQ(first.last(), 288 + 48 * 30);
    EXPECT_TRUE(pages[0].lines.contains({60, 1758, 1140, 1758})); // closed below row 48
    EXPECT_TRUE(hasText(pages[0], {600, 1770, 22, "1"}));
    // The next page's table starts one row below the top edge, without a title.
    const QList<int> second = rowTops(pages[1]);
    ASSERT_EQ(second.size(), 52);
    EXPECT_EQ(second.first(), 30);
    EXPECT_TRUE(pages[1].lines.contains({60, 30 + 52 * 30, 1140, 30 + 52 * 30}));
    EXPECT_TRUE(hasText(pages[1], {600, 1770, 22, "2"}));
}

TEST(ReportPrint, AReportEndingAtABreakLeavesNoEmptyPage)
{
    const QList<PrintPage> pages =
        reportPrintLayout(input(QList<ReportEntry>(48, {"A", ExerciseKind::LexiconPreview})));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].lines.contains({60, 1758, 1140, 1758}));
    EXPECT_TRUE(hasText(pages[0], {600, 1770, 22, "1"}));
}
