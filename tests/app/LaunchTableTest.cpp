#include "app/LaunchTable.h"

#include <gtest/gtest.h>

TEST(LaunchTable, DrillsAndQuestionsOpenTheirWindows)
{
    EXPECT_EQ(launchSpecFor(1, 'D').op, LaunchOp::LexicDemo);
    EXPECT_EQ(launchSpecFor(1, 'D').outcomeText, "Вы просмотрели лексику урока.");
    EXPECT_EQ(launchSpecFor(2, 'A').op, LaunchOp::Lexic);
    EXPECT_EQ(launchSpecFor(2, 'A').outcomeText, "Вы успешно выполнили упражнение.");
    EXPECT_EQ(launchSpecFor(3, 'B').op, LaunchOp::QuestDemo);
    EXPECT_EQ(launchSpecFor(3, 'B').outcomeText, "Вы просмотрели вопросы к тексту.");
    EXPECT_EQ(launchSpecFor(6, 'B').op, LaunchOp::QuestDown);
    EXPECT_EQ(launchSpecFor(6, 'B').marking, Marking::ErrorPercent);
    EXPECT_EQ(launchSpecFor(7, 'C').op, LaunchOp::QuestTrFl);
    EXPECT_EQ(launchSpecFor(7, 'C').marking, Marking::Grade);
    EXPECT_EQ(launchSpecFor(5, 'C').op, LaunchOp::WorkText);
    EXPECT_EQ(launchSpecFor(5, 'C').outcomeText, "Вы прослушали текст урока.");
    EXPECT_EQ(workTextOutcome(true), "Вы анализировали свой перевод");
}

TEST(LaunchTable, InterpretationKindsAndTheirFlags)
{
    struct Row {
        int kind;
        bool records, text, trans, wait;
        int help;
    };
    const Row rows[] = {{8, false, false, false, false, 0},  {11, false, false, false, false, 110},
                        {12, true, false, false, true, 140}, {13, true, false, false, false, 150},
                        {14, true, false, true, false, 160}, {15, true, true, false, false, 170}};
    for (const Row& row : rows) {
        const LaunchSpec spec = launchSpecFor(row.kind, 'A');
        SCOPED_TRACE(row.kind);
        EXPECT_EQ(spec.op, LaunchOp::TransNoText);
        EXPECT_EQ(spec.records, row.records);
        EXPECT_EQ(spec.textAllowed, row.text);
        EXPECT_EQ(spec.transAllowed, row.trans);
        EXPECT_EQ(spec.waitAllowed, row.wait);
        EXPECT_EQ(spec.helpTopic, row.help);
        EXPECT_FALSE(spec.soundChecks);
        EXPECT_EQ(spec.marking, Marking::Recording) << "8 and 11 store the name too";
        EXPECT_EQ(spec.outcomeText, "Вы прослушали текст урока.");
    }
}

TEST(LaunchTable, KindFourChecksAndShowsTheTextOnlyInEasyModes)
{
    for (QChar mode : {'A', 'B', 'C', 'D'}) {
        const LaunchSpec spec = launchSpecFor(4, mode);
        EXPECT_TRUE(spec.soundChecks);
        EXPECT_TRUE(spec.records);
        EXPECT_EQ(spec.textAllowed, mode == 'C' || mode == 'D');
        EXPECT_FALSE(spec.transAllowed);
        EXPECT_FALSE(spec.waitAllowed);
        EXPECT_EQ(spec.outcomeText, "Вы перевели текст.");
    }
    EXPECT_EQ(launchSpecFor(8, 'D').textAllowed, true);
    EXPECT_EQ(launchSpecFor(8, 'B').textAllowed, false);
    EXPECT_FALSE(launchSpecFor(8, 'D').soundChecks);
}

TEST(LaunchTable, HeadingsAndUnknownKindsLaunchNothing)
{
    for (int kind : {0, 9, 10, 16, 200, 255})
        EXPECT_EQ(launchSpecFor(kind, 'A').op, LaunchOp::None) << kind;
}
