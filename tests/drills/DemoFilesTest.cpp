// The drills on the demo course's own files (lesson 1, as the generator writes
// them: code pages 1250 and 1251, CR LF, timing from real speech).
#include "drills/DrillLaunch.h"
#include "drills/DrillRandom.h"
#include "drills/FormExecLexic.h"
#include "drills/FormQuestDown.h"
#include "drills/FormQuestEnd.h"
#include "drills/FormQuestTrFl.h"
#include "support/ModalDriver.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/ChBxImgTransD1QF.h"

#include "support/TempCourse.h"
#include <QListWidget>
#include <QPushButton>

#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QString data(const char* name)
{
    return testDataPath(QStringLiteral("drills/") + QLatin1String(name));
}

DrillFiles lexiconFiles()
{
    return {data("Lex.txt"), data("LexTr.txt"), data("LexTim.txt"), data("Lex.wav")};
}

DrillFiles questionFiles()
{
    return {data("Quest.txt"), data("Answ.txt"), data("QuestTim.txt"), data("Quest.wav")};
}

DrillFiles statementFiles()
{
    return {data("TrFl.txt"), data("TrFlTr.txt"), data("TrFlTim.txt"), data("TrFl.wav")};
}
} // namespace

TEST(DemoCourseFiles, LoadWithoutFaults)
{
    const DrillLoad<LexiconItem> lexicon = loadLexicon(lexiconFiles());
    EXPECT_FALSE(lexicon.error);
    ASSERT_EQ(lexicon.items.size(), 18);
    EXPECT_EQ(lexicon.items[0].expression, "aufwachen");
    EXPECT_EQ(lexicon.items[0].translation, QStringLiteral("просыпаться"));
    EXPECT_EQ(lexicon.items[6].expression, QStringLiteral("sich die Zähne putzen"));
    for (const LexiconItem& item : lexicon.items)
        EXPECT_LT(item.start, item.end) << item.expression.toStdString();

    const DrillLoad<QuestionRecord> questions = loadQuestions(questionFiles(), true);
    EXPECT_FALSE(questions.error);
    ASSERT_EQ(questions.items.size(), 7);
    EXPECT_EQ(questions.items[0].answers.first(), "Um sieben Uhr.");
    EXPECT_EQ(questions.items[0].answers.size(), 4);
    EXPECT_TRUE(questions.runnable);

    const DrillLoad<TrueFalseItem> statements = loadStatements(statementFiles());
    EXPECT_FALSE(statements.error);
    ASSERT_EQ(statements.items.size(), 8);
    EXPECT_EQ(statements.items[1].text, QStringLiteral("Draußen regnet es."));
    EXPECT_TRUE(statements.items[0].key);
    EXPECT_FALSE(statements.items[1].key);
}

TEST(DemoCourseFiles, EachDrillRunsToItsEnd)
{
    seedDrillRandom(12);
    whenModal([](QWidget* window) {
        auto* form = qobject_cast<TFormExecLexic*>(window);
        ASSERT_TRUE(form);
        for (int answer = 0; answer < 18; ++answer) {
            const QString right = form->drill().currentItem().translation;
            form->ListBoxTrans->setCurrentItem(
                form->ListBoxTrans->findItems(right, Qt::MatchExactly).first());
            QTest::mouseClick(form->BtnImgTransD1QF1, Qt::LeftButton);
        }
    });
    const DrillFiles lex = lexiconFiles();
    EXPECT_EQ(ExecuteLexic(400, 300, lex.text, lex.trans, lex.timing, lex.sound),
              LaunchResult::GoneThrough);

    whenModal([](QWidget* window) {
        auto* form = qobject_cast<TFormQuestDown*>(window);
        ASSERT_TRUE(form);
        for (int answer = 0; answer < 7; ++answer) {
            const int right = form->drill().correctSlot();
            if (!form->RadioButton[right]->Checked())
                QTest::mouseClick(form->RadioButton[right], Qt::LeftButton);
            QTest::mouseClick(form->BtnImgTransD1QF1, Qt::LeftButton);
        }
    });
    const DrillFiles quest = questionFiles();
    DrillCounts counts;
    EXPECT_EQ(
        ExecuteQuestDown(400, 300, quest.text, quest.trans, quest.timing, quest.sound, &counts),
        LaunchResult::GoneThrough);
    EXPECT_EQ(counts.questions, 7);
    EXPECT_EQ(counts.errors, 0);

    whenModal([](QWidget* window) {
        auto* form = qobject_cast<TFormQuestTrFl*>(window);
        ASSERT_TRUE(form);
        whenModal([](QWidget* results) {
            auto* end = qobject_cast<TFormQuestEnd*>(results);
            ASSERT_TRUE(end);
            EXPECT_EQ(end->StringGridRes->item(7, 0)->text(), "Anna geht um acht Uhr zur Arbeit.");
            QTest::mouseClick(end->BitBtn1, Qt::LeftButton);
        });
        for (int answer = 0; answer < 8; ++answer) {
            const bool yes = form->drill().currentItem().key;
            QTest::mouseClick(yes ? form->RadioButtonYes : form->RadioButtonNo, Qt::LeftButton);
            QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
        }
    });
    const DrillFiles trfl = statementFiles();
    EXPECT_EQ(ExecuteQuestTrFl(400, 300, trfl.text, trfl.trans, trfl.timing, trfl.sound, &counts),
              LaunchResult::GoneThrough);
    EXPECT_EQ(counts.errors, 0);
    EXPECT_TRUE(modalActionsDone());
}
