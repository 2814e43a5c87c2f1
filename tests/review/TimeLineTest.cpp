#include "review/TimeLine.h"
#include "review/ReviewPrint.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
// Two syntagms; the lesson waited 1.5 s for the student after the first.
const QList<ReviewSyntagm> Waited{{2, "Guten Tag.", {1000, 3000}, {1000, 4500}},
                                  {3, "Wie geht's?", {3000, 5000}, {4500, 6500}}};

TEST(TimeLine, LessonLaneFollowsEachTurnAndShowsTheWait)
{
    EXPECT_EQ(lessonMsAt(Waited, 1500), 1500);
    EXPECT_EQ(lessonMsAt(Waited, 2999), 2999);
    EXPECT_EQ(lessonMsAt(Waited, 3500), std::nullopt) << "the wait";
    EXPECT_EQ(lessonMsAt(Waited, 4600), 3100) << "the second syntagm's lesson after the wait";
    EXPECT_EQ(lessonMsAt(Waited, 500), std::nullopt) << "before the first turn";
    EXPECT_EQ(syntagmAt(Waited, 4499), 0);
    EXPECT_EQ(syntagmAt(Waited, 4500), 1);
    EXPECT_EQ(syntagmAt(Waited, 6500), std::nullopt);
    EXPECT_FALSE(sharesTimeLine(Waited));
    QList<ReviewSyntagm> shared = Waited;
    shared[0].student = shared[0].lesson;
    shared[1].student = shared[1].lesson;
    EXPECT_TRUE(sharesTimeLine(shared));
    EXPECT_EQ(lessonMsAt(shared, 500), 500) << "a shared time line runs on between turns";
}

TEST(TimeLine, ZoomKeepsTheTimeUnderTheMouseWithinBounds)
{
    const double width = 1000;
    const double length = 600000; // ten minutes
    TimeView view{100000, 10};
    const TimeView in = zoomed(view, 2, 250, width, length);
    EXPECT_DOUBLE_EQ(in.msPerPixel, 5);
    EXPECT_DOUBLE_EQ(in.msAt(250), view.msAt(250));
    EXPECT_DOUBLE_EQ(zoomed(view, 1e6, 0, width, length).msPerPixel, TimeView::FinestMsPerPixel);
    // Out no further than the whole pass, and never past its start or end.
    const TimeView out = zoomed(view, 1e-6, 900, width, length);
    EXPECT_DOUBLE_EQ(out.msPerPixel, TimeView::CoarsestMsPerPixel);
    EXPECT_GE(out.startMs, 0);
    EXPECT_LE(out.msAt(width), length);
    EXPECT_DOUBLE_EQ(zoomed({0, 10}, 1e-6, 0, width, 20000).msPerPixel, 20);
    EXPECT_DOUBLE_EQ(scrolledTo(view, -50, width, length).startMs, 0);
    EXPECT_DOUBLE_EQ(scrolledTo(view, 1e9, width, length).startMs, length - width * 10);
}

TEST(ReviewPrint, TheWholePassOnNumberedPagesWithTheStudentAndFigures)
{
    ReviewMaterial material;
    const int rate = 8000;
    MonoSound recording;
    recording.info.sampleRate = rate;
    recording.info.frames = qint64(rate) * 600;
    recording.samples.assign(size_t(recording.info.frames), 0.25f);
    material.recording = recording;
    for (int i = 0; i < 60; ++i)
        material.syntagms.append(
            {i + 2, "Satz", {i * 10000, i * 10000 + 9000}, {i * 10000, i * 10000 + 9000}});
    const PeakSummary peaks(recording.samples, rate);
    const PeakSummary silence;
    const QList<PrintPage> pages = reviewPrintLayout({4960, 7016, QStringLiteral("Иван"),
                                                      QDateTime(QDate(2026, 12, 8), QTime(10, 5)),
                                                      &material, &silence, &peaks});
    ASSERT_GE(pages.size(), 4);
    int rows = 0;
    int syntagms = 0;
    for (qsizetype p = 0; p < pages.size(); ++p) {
        EXPECT_EQ(pages[p].texts.last().text, QString::number(p + 1)) << "page number";
        const QRegularExpression rowStart(QStringLiteral("^\\d+,0 с$"));
        for (qsizetype t = 0; t + 1 < pages[p].texts.size(); ++t) {
            const QString& text = pages[p].texts[t].text;
            rows += rowStart.match(text).hasMatch() ? 1 : 0;
            syntagms += text.toInt() >= 2 ? 1 : 0;
            EXPECT_LT(pages[p].texts[t].y, 7016);
        }
        for (const PrintLine& line : pages[p].lines)
            EXPECT_LT(std::max(line.y1, line.y2), 7016 - 7016 / 20);
    }
    EXPECT_EQ(rows, 600 / 20) << "every 20 s of the pass on a row";
    EXPECT_EQ(syntagms, 60);
    QStringList first;
    for (const PrintText& text : pages[0].texts)
        first << text.text;
    EXPECT_TRUE(first.contains(QStringLiteral("Ученик: Иван")));
    EXPECT_TRUE(first.contains(QStringLiteral("Дата: 08.12.2026 10:05")));
    EXPECT_TRUE(first.contains(QStringLiteral("Паузы длиннее 0,5 с: 0, всего 0,0 с")));
}
} // namespace
