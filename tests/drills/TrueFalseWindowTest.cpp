#include "WindowTestSupport.h"
#include "drills/DrillLaunch.h"
#include "drills/DrillRandom.h"
#include "drills/FormQuestEnd.h"
#include "drills/FormQuestTrFl.h"
#include "sound/MediaPlayer.h"
#include "sound/VirtualSoundEngine.h"
#include "support/ModalDriver.h"
#include "support/TempCourse.h"
#include "widgets/TempoBox.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {
void writeStatements(const TempCourse& course)
{
    course.writeLines("TrFl.txt", {"Eins ist wahr.\t0", "Zwei ist falsch.\t1", "Drei ist wahr.\t0"},
                      true);
    course.writeLines("TrFlTr.txt", {QStringLiteral("перевод")});
    course.writeLines("TrFlTim.txt", {"0\t800", "1000\t2400", "2500\t3000"});
}

QString cell(const TFormQuestEnd* results, int row, int column)
{
    const QTableWidgetItem* item = results->StringGridRes->item(row, column);
    return item ? item->text() : QString();
}

TrueFalseDrill finishedDrill(const QList<bool>& keys)
{
    QList<TrueFalseItem> items;
    for (int i = 0; i < keys.size(); ++i)
        items.append(TrueFalseItem{QStringLiteral("S%1").arg(i + 1), keys[i]});
    TrueFalseDrill drill(items);
    drill.start();
    while (!drill.answer(true)) {
    }
    return drill;
}
} // namespace

TEST(TrueFalseWindow, WholeRunThenResultsInFileOrder)
{
    TempCourse course;
    writeStatements(course);
    seedDrillRandom(8);
    whenModal([](QWidget* window) {
        auto* form = qobject_cast<TFormQuestTrFl*>(window);
        ASSERT_TRUE(form);
        EXPECT_EQ(form->LabelSelect->text(), "3");
        EXPECT_EQ(form->LabelCount->text(), "3");
        EXPECT_EQ(form->LabelError->text(), "0");
        EXPECT_TRUE(form->RadioButtonYes->isChecked());
        for (int i = 0; i < 5; ++i)
            QTest::mouseClick(form->BitBtnNext, Qt::LeftButton);
        EXPECT_EQ(form->LabelSelect->text(), "3") << "skipping changes no counter";
        EXPECT_EQ(form->LabelError->text(), "0");

        // The first statement asked gets the wrong answer, the others the right one.
        for (int asked = 0; asked < 3; ++asked) {
            const bool key = form->drill().currentItem().key;
            QRadioButton* choice = (asked == 0) == key ? form->RadioButtonNo : form->RadioButtonYes;
            QTest::mouseClick(choice, Qt::LeftButton);
            if (asked == 2) {
                whenModal([](QWidget* results) {
                    auto* end = qobject_cast<TFormQuestEnd*>(results);
                    ASSERT_TRUE(end);
                    EXPECT_EQ(end->windowTitle(), QStringLiteral("Результаты упражнения"));
                    QStringList header;
                    for (int c = 0; c < 3; ++c)
                        header.append(end->StringGridRes->horizontalHeaderItem(c)->text());
                    EXPECT_EQ(header,
                              (QStringList{QStringLiteral("Вопрос"), QStringLiteral("Ответ"),
                                           QStringLiteral("Ваш ответ")}));
                    EXPECT_EQ(cell(end, 0, 0), "Eins ist wahr.");
                    EXPECT_EQ(cell(end, 1, 0), "Zwei ist falsch.");
                    EXPECT_EQ(cell(end, 1, 1), QStringLiteral("Нет"));
                    EXPECT_EQ(cell(end, 2, 1), QStringLiteral("Да"));
                    int wrongRows = 0;
                    for (int row = 0; row < 3; ++row)
                        wrongRows += cell(end, row, 2) == QStringLiteral("Нет");
                    EXPECT_EQ(wrongRows, 1);
                    EXPECT_EQ(end->LabelCount->text(), "3");
                    EXPECT_EQ(end->LabelError->text(), "1");
                    EXPECT_EQ(end->LabelComent->text(), QStringLiteral("Комментарий"));
                    QTest::mouseClick(end->BitBtn1, Qt::LeftButton);
                });
            }
            QTest::keyClick(form, Qt::Key_Return);
            if (asked == 0) {
                EXPECT_EQ(form->LabelError->text(), "1");
                EXPECT_EQ(form->LabelSelect->text(), "2");
            }
        }
    });
    DrillCounts counts;
    EXPECT_EQ(
        ExecuteQuestTrFl(400, 300, "TrFl.txt", "TrFlTr.txt", "TrFlTim.txt", "TrFl.wav", &counts),
        LaunchResult::GoneThrough);
    EXPECT_EQ(counts.questions, 3);
    EXPECT_EQ(counts.errors, 1);
    EXPECT_TRUE(modalActionsDone());
}

TEST(TrueFalseWindow, LeavingShowsNoResults)
{
    TempCourse course;
    writeStatements(course);
    // "Cancel" and Escape are the shared drills' way out; "&Close" is this one's own.
    whenModal([](QWidget* window) {
        QTest::mouseClick(qobject_cast<TFormQuestTrFl*>(window)->BitBtn4, Qt::LeftButton);
    });
    EXPECT_EQ(ExecuteQuestTrFl(400, 300, "TrFl.txt", "TrFlTr.txt", "TrFlTim.txt", ""),
              LaunchResult::Left);
    EXPECT_FALSE(FormQuestEnd()->isVisible());
    EXPECT_TRUE(modalActionsDone());
}

// The two choices are one group whose selection the window never resets: the
// answer chosen for one statement stands for the next, also after a skip.
TEST(TrueFalseWindow, TheChoiceStaysFromOneStatementToTheNext)
{
    TempCourse course;
    writeStatements(course);
    seedDrillRandom(3);
    TFormQuestTrFl form;
    ASSERT_TRUE(form.Load({"TrFl.txt", "TrFlTr.txt", "TrFlTim.txt", ""}));
    form.start();
    form.show();
    QTest::mouseClick(form.RadioButtonNo, Qt::LeftButton);
    QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
    EXPECT_EQ(form.drill().remaining(), 2);
    EXPECT_TRUE(form.RadioButtonNo->isChecked()) << "after an answer";
    EXPECT_FALSE(form.RadioButtonYes->isChecked());
    QTest::mouseClick(form.BitBtnNext, Qt::LeftButton);
    EXPECT_TRUE(form.RadioButtonNo->isChecked()) << "after a skip";

    QTest::mouseClick(form.RadioButtonYes, Qt::LeftButton);
    QTest::keyClick(&form, Qt::Key_Return);
    EXPECT_EQ(form.drill().remaining(), 1);
    EXPECT_TRUE(form.RadioButtonYes->isChecked());
    EXPECT_FALSE(form.RadioButtonNo->isChecked());
    // The last answer counts "Да" as chosen.
    const bool lastKey = form.drill().currentItem().key;
    const int errors = form.drill().errors();
    QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
    EXPECT_EQ(form.drill().remaining(), 0);
    EXPECT_EQ(form.drill().errors(), errors + (lastKey ? 0 : 1));
}

TEST(TrueFalseResults, ALaterShorterRunClearsTheRowsLeftOver)
{
    TFormQuestEnd results;
    fillQuestEnd(results, finishedDrill({true, false, true, false, true}));
    EXPECT_EQ(cell(&results, 4, 0), "S5");
    EXPECT_EQ(cell(&results, 4, 2), QStringLiteral("Да"));
    fillQuestEnd(results, finishedDrill({false, true}));
    EXPECT_EQ(cell(&results, 0, 2), QStringLiteral("Нет"));
    EXPECT_EQ(cell(&results, 1, 0), "S2");
    for (int row = 2; row < 5; ++row)
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(cell(&results, row, column), "");
    EXPECT_EQ(results.StringGridRes->rowCount(), TFormQuestEnd::GridRows);

    QList<bool> many(60, true);
    fillQuestEnd(results, finishedDrill(many));
    EXPECT_EQ(cell(&results, 59, 0), "S60") << "no statement is out of reach";
}

TEST(TrueFalseWindow, PlaysTheStatementsSegment)
{
    TempCourse course;
    writeStatements(course);
    VirtualSound::use();
    VirtualSound::reset();
    VirtualSound::setLength("TrFl.wav", 4000);
    TFormQuestTrFl form;
    ASSERT_TRUE(form.Load({"TrFl.txt", "TrFlTr.txt", "TrFlTim.txt", "TrFl.wav"}));
    form.start();
    form.show();
    const TrueFalseItem item = form.drill().currentItem();
    QTest::mouseClick(form.BitBtnPlay, Qt::LeftButton);
    EXPECT_FALSE(form.BitBtnPlay->isEnabled());
    EXPECT_EQ(form.MediaPlayerPlay->Position(), item.start);
    VirtualSound::advance(item.end - item.start);
    EXPECT_TRUE(form.BitBtnPlay->isEnabled());

    ASSERT_TRUE(form.TempoChoice && form.TempoChoice->isVisible());
    form.TempoChoice->setTempo(50);
    QTest::mouseClick(form.BitBtnPlay, Qt::LeftButton);
    VirtualSound::advance(2 * (item.end - item.start) - 1);
    EXPECT_FALSE(form.BitBtnPlay->isEnabled()) << "at 50 % the statement takes twice as long";
    VirtualSound::advance(1);
    EXPECT_TRUE(form.BitBtnPlay->isEnabled());
    VirtualSound::use(false);
}

// The answers by keys: the digits 1 ("Да") and 2 ("Нет") and the arrows, from
// wherever the focus is; Enter answers with the choice.
TEST(TrueFalseWindow, KeysChooseTheAnswerThatEnterGives)
{
    TempCourse course;
    course.writeLines("TrFl.txt", {"Eins ist wahr.\t0"}, true);
    course.writeLines("TrFlTr.txt", {QStringLiteral("перевод")});
    course.writeLines("TrFlTim.txt", {"0\t800"});
    whenModal([](QWidget* window) {
        auto* form = qobject_cast<TFormQuestTrFl*>(window);
        ASSERT_TRUE(form);
        struct Case {
            const char* name;
            int key;
            bool yes;
        };
        const Case cases[] = {
            {"2", Qt::Key_2, false},         {"1", Qt::Key_1, true},
            {"Down", Qt::Key_Down, false},   {"Down round", Qt::Key_Down, true},
            {"Up round", Qt::Key_Up, false}, {"3 is no answer", Qt::Key_3, false},
            {"1 again", Qt::Key_1, true},
        };
        for (const Case& c : cases) {
            pressKey(form, c.key);
            EXPECT_EQ(form->RadioButtonYes->isChecked(), c.yes) << c.name;
            EXPECT_EQ(form->RadioButtonNo->isChecked(), !c.yes) << c.name;
        }
        pressKey(form, Qt::Key_2);
        pressKey(form, Qt::Key_Up);
        whenModal([](QWidget* results) {
            auto* end = qobject_cast<TFormQuestEnd*>(results);
            ASSERT_TRUE(end);
            EXPECT_EQ(cell(end, 0, 2), QStringLiteral("Да")) << "answered right";
            end->accept();
        });
        pressKey(form, Qt::Key_Return);
    });
    DrillCounts counts;
    EXPECT_EQ(ExecuteQuestTrFl(400, 300, "TrFl.txt", "TrFlTr.txt", "TrFlTim.txt", "", &counts),
              LaunchResult::GoneThrough);
    EXPECT_EQ(counts.errors, 0);
    EXPECT_TRUE(modalActionsDone());
}
