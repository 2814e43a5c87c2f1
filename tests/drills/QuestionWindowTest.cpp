#include "WindowTestSupport.h"
#include "dialogs/DlgDoubleError.h"
#include "dialogs/DlgErrorDo.h"
#include "drills/DrillLaunch.h"
#include "drills/DrillRandom.h"
#include "drills/FormQuestDemo.h"
#include "drills/FormQuestDown.h"
#include "support/ModalDriver.h"
#include "support/TempCourse.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/ChBxImgTransD1QF.h"

#include <QLabel>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {
void writeQuestions(const TempCourse& course)
{
    course.writeLines("Quest.txt", {"Zwei?", "Drei?", "Eins?"}, true);
    course.writeLines(
        "Answ.txt", {"#1", "ja", "nein", "#2", QStringLiteral("Köln"), "Bonn", "Ulm", "#3", "nur"},
        true);
}

void clickBox(TFormQuestDown* form, int position)
{
    QTest::mouseClick(form->RadioButton[position], Qt::LeftButton);
}

int visiblePanels(const TFormQuestDown* form)
{
    int shown = 0;
    for (QFrame* panel : form->PanelQ)
        shown += panel->isVisible();
    return shown;
}

void answerWhenAsked(TFormQuestDown* form)
{
    const QuestionDrill& drill = form->drill();
    const int correct = drill.correctSlot();
    const int wrong = correct == 0 ? 1 : 0;
    const QString right = drill.currentQuestion().answers.first();
    EXPECT_EQ(visiblePanels(form), drill.currentQuestion().answers.size());
    EXPECT_EQ(form->Memo[correct]->toPlainText(), right);
    EXPECT_TRUE(form->RadioButton[0]->Checked());

    switch (drill.currentQuestion().answers.size()) {
    case 2:
        // A wrong answer among two shows the right one at once.
        whenModal([right](QWidget* dialog) {
            EXPECT_TRUE(qobject_cast<TDlgDoubleError*>(dialog));
            EXPECT_TRUE(showsText(dialog, right));
            pressDialogButton(dialog);
        });
        clickBox(form, wrong);
        QTest::mouseClick(form->BtnImgTransD1QF1, Qt::LeftButton);
        break;
    case 3:
        // Clicking the checked box leaves none checked: a miss, then a second try.
        clickBox(form, 0);
        for (TChBxImgTransD1QF* box : form->RadioButton)
            EXPECT_FALSE(box->Checked());
        whenModal([](QWidget* dialog) {
            EXPECT_TRUE(qobject_cast<TDlgErrorDo*>(dialog));
            pressDialogButton(dialog);
        });
        QTest::mouseClick(form->BtnImgTransD1QF1, Qt::LeftButton);
        EXPECT_EQ(form->Memo[correct]->toPlainText(), right) << "the question stays";
        clickBox(form, correct);
        EXPECT_TRUE(form->RadioButton[correct]->Checked());
        QTest::mouseClick(form->BtnImgTransD1QF1, Qt::LeftButton);
        break;
    default:
        // One answer, its box checked from the start: Enter confirms it.
        QTest::keyClick(form, Qt::Key_Return);
    }
}
} // namespace

TEST(QuestionWindow, WholeRunCountsErrorsForTheCaller)
{
    TempCourse course;
    writeQuestions(course);
    seedDrillRandom(5);
    whenModal([](QWidget* window) {
        auto* form = qobject_cast<TFormQuestDown*>(window);
        ASSERT_TRUE(form);
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Послетекстовые вопросы"));
        EXPECT_EQ(form->LabelSelect->text(), "3");
        EXPECT_EQ(form->LabelCount->text(), "3");
        EXPECT_EQ(form->LabelError->text(), "0");
        for (int asked = 0; asked < 3; ++asked) {
            const int errorsBefore = form->drill().errors();
            const bool twoAnswers = form->drill().currentQuestion().answers.size() == 2;
            answerWhenAsked(form);
            if (asked < 2) {
                EXPECT_EQ(form->LabelSelect->text(), QString::number(2 - asked));
                EXPECT_EQ(form->LabelError->text(), QString::number(errorsBefore + twoAnswers));
            }
        }
    });
    DrillCounts counts;
    EXPECT_EQ(ExecuteQuestDown(400, 300, "Quest.txt", "Answ.txt", "", "", &counts),
              LaunchResult::GoneThrough);
    EXPECT_EQ(counts.questions, 3);
    EXPECT_EQ(counts.errors, 1);
    EXPECT_TRUE(modalActionsDone());
}

TEST(QuestionWindow, ReadErrors)
{
    TempCourse course;
    writeQuestions(course);
    course.writeLines("Extra.txt", {"#", "a", "#", "b", "#", "c", "#", "d"}, true);
    expectReadError(QStringLiteral("Ошибка чтения файла.\rПоврежден файл "));
    DrillCounts counts{7, 7};
    EXPECT_EQ(ExecuteQuestDown(400, 300, "Quest.txt", "Extra.txt", "", "", &counts),
              LaunchResult::Left)
        << "more answer blocks than questions: the window does not open";
    EXPECT_EQ(counts.questions, 0);

    course.writeLines("Five.txt", {"#", "a", "#", "b", "#", "1", "2", "3", "4", "5"}, true);
    expectReadError(QStringLiteral("Ошибка чтения файла.\rПоврежден файл "));
    whenModal([](QWidget* window) {
        auto* form = qobject_cast<TFormQuestDown*>(window);
        ASSERT_TRUE(form) << "the questions read are whole: the window opens";
        QTest::mouseClick(form->BtnImgTransD1QF3, Qt::LeftButton);
    });
    EXPECT_EQ(ExecuteQuestDown(400, 300, "Quest.txt", "Five.txt", "", ""), LaunchResult::Left);
    EXPECT_TRUE(modalActionsDone());
}

TEST(QuestionPreviewWindow, CountsDownAndEnds)
{
    TempCourse course;
    writeQuestions(course);
    whenModal([](QWidget* window) {
        auto* form = qobject_cast<TFormQuestDemo*>(window);
        ASSERT_TRUE(form);
        EXPECT_EQ(form->LabelCount->text(), "3");
        QStringList shown;
        for (int step = 0; step < 3; ++step) {
            shown.append(form->LabelSelect->text());
            EXPECT_EQ(form->MemoQuest->toPlainText(),
                      (QStringList{"Zwei?", "Drei?", "Eins?"}[step]));
            QTest::mouseClick(form->BtnImgD1QF1, Qt::LeftButton);
        }
        EXPECT_EQ(shown, (QStringList{"2", "1", "0"}));
    });
    EXPECT_EQ(ExecuteQuestDemo(400, 300, "Quest.txt", "Answ.txt", "", ""),
              LaunchResult::GoneThrough);
    EXPECT_TRUE(modalActionsDone());
}

namespace {
// The position of the one checked box; -1 when none is, -2 when several are.
int checkedBox(const TFormQuestDown* form)
{
    int found = -1;
    for (int p = 0; p < MaxAnswers; ++p)
        if (form->RadioButton[p]->Checked())
            found = found == -1 ? p : -2;
    return found;
}
} // namespace

// A student without a mouse: the arrows and the digits move the check (and
// the focus, which a screen reader follows), Enter confirms what was chosen.
TEST(QuestionWindow, KeysChooseTheAnswerThatEnterConfirms)
{
    TempCourse course;
    course.writeLines("Quest.txt", {"Wie viele?"}, true);
    course.writeLines("Answ.txt", {"#", "vier", "drei", "zwei", "eins"}, true);
    seedDrillRandom(3);
    whenModal([](QWidget* window) {
        auto* form = qobject_cast<TFormQuestDown*>(window);
        ASSERT_TRUE(form);
        struct Case {
            const char* name;
            QList<int> keys;
            int checked;
        };
        const Case cases[] = {
            {"digit 3", {Qt::Key_3}, 2},
            {"Down", {Qt::Key_Down}, 3},
            {"Down past the last", {Qt::Key_Down}, 0},
            {"Up past the first", {Qt::Key_Up}, 3},
            {"digit 1, then Right", {Qt::Key_1, Qt::Key_Right}, 1},
            {"Left", {Qt::Key_Left}, 0},
            {"a digit beyond the answers", {Qt::Key_5}, 0},
        };
        for (const Case& c : cases) {
            for (int key : c.keys)
                pressKey(form, key);
            EXPECT_EQ(checkedBox(form), c.checked) << c.name;
            EXPECT_EQ(form->focusWidget(), form->RadioButton[c.checked]) << c.name;
        }
        // Down, Down, Enter answers with the answer the student went to.
        const int correct = form->drill().correctSlot();
        pressKey(form, Qt::Key_1);
        for (int p = 0; p < correct; ++p)
            pressKey(form, Qt::Key_Down);
        const bool chosen = checkedBox(form) == correct;
        EXPECT_TRUE(chosen) << "the right answer is at position " << correct + 1;
        if (!chosen) {
            form->BtnImgTransD1QF3Click();
            return;
        }
        pressKey(form, Qt::Key_Return);
    });
    DrillCounts counts;
    EXPECT_EQ(ExecuteQuestDown(400, 300, "Quest.txt", "Answ.txt", "", "", &counts),
              LaunchResult::GoneThrough);
    EXPECT_EQ(counts.errors, 0);
    EXPECT_TRUE(modalActionsDone());
}
