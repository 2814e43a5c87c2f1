#include "WindowTestSupport.h"
#include "common/Tempo.h"
#include "dialogs/DlgDoubleError.h"
#include "dialogs/DlgErrorDo.h"
#include "drills/DrillLaunch.h"
#include "drills/DrillRandom.h"
#include "drills/FormExecLexic.h"
#include "drills/FormExecLexicDemo.h"
#include "sound/MediaPlayer.h"
#include "sound/VirtualSoundEngine.h"
#include "support/ModalDriver.h"
#include "support/TempCourse.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/TempoBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
void writeLexicon(const TempCourse& course)
{
    course.writeLines("Lex.txt", {QStringLiteral("die Küche"), "das Haus", "das Heim"}, true);
    course.writeLines("LexTr.txt",
                      {QStringLiteral("кухня"), QStringLiteral("дом"), QStringLiteral("дом")});
    course.writeLines("LexTim.txt", {"0\t900", "1200\t2950", "3000\t3600"});
}

QStringList counters(const TFormExecLexic* form)
{
    return {form->LabelSelect->text(), form->LabelCount->text(), form->LabelError->text()};
}

int rowOf(const TFormExecLexic* form, const QString& text)
{
    return form->ListBoxTrans->row(form->ListBoxTrans->findItems(text, Qt::MatchExactly).first());
}

int wrongRow(const TFormExecLexic* form)
{
    return rowOf(form, form->drill().currentItem().translation) == 0 ? 1 : 0;
}
} // namespace

// One whole run through the drill window: a first miss, a second miss with the
// right translation shown, then every expression answered by the three ways of
// confirming.
TEST(LexiconWindow, WholeDrillUpToTheEnd)
{
    TempCourse course;
    writeLexicon(course);
    seedDrillRandom(3);
    whenModal([](QWidget* window) {
        auto* form = qobject_cast<TFormExecLexic*>(window);
        ASSERT_TRUE(form);
        EXPECT_EQ(form->pos(), QPoint(800 - 340, 600 - 235));
        EXPECT_EQ(counters(form), (QStringList{"3", "3", "0"}));
        EXPECT_EQ(form->ListBoxTrans->count(), 3);
        EXPECT_EQ(form->ListBoxTrans->currentRow(), 0);
        EXPECT_TRUE(form->BitBtnPlay->isVisible());
        const QString shown = form->EditText->text();

        whenModal([](QWidget* dialog) {
            EXPECT_TRUE(qobject_cast<TDlgErrorDo*>(dialog));
            pressDialogButton(dialog);
        });
        form->ListBoxTrans->setCurrentRow(wrongRow(form));
        // Enter answers even while Play, the first control, has the focus.
        form->BitBtnPlay->setFocus();
        QTest::keyClick(form->BitBtnPlay, Qt::Key_Return);
        EXPECT_TRUE(form->BitBtnPlay->isEnabled()) << "nothing was played";
        EXPECT_EQ(form->EditText->text(), shown) << "the expression stays after a first miss";
        EXPECT_EQ(counters(form), (QStringList{"3", "3", "0"}));

        const QString expected = form->drill().currentItem().translation;
        whenModal([expected](QWidget* dialog) {
            EXPECT_TRUE(qobject_cast<TDlgLexicError*>(dialog));
            EXPECT_TRUE(showsText(dialog, expected));
            pressDialogButton(dialog);
        });
        QTest::mouseClick(form->BtnImgTransD1QF1, Qt::LeftButton);
        EXPECT_EQ(counters(form), (QStringList{"3", "3", "1"}));
        EXPECT_EQ(form->ListBoxTrans->currentRow(), 0) << "the next expression starts at the top";

        for (int answers = 0; answers < 3; ++answers) {
            const int row = rowOf(form, form->drill().currentItem().translation);
            if (row == 0) {
                // Enter without touching the list answers with the first entry.
                QTest::keyClick(form->ListBoxTrans, Qt::Key_Return);
            } else if (answers % 2 == 0) {
                form->ListBoxTrans->setCurrentRow(row);
                QTest::mouseClick(form->BtnImgTransD1QF1, Qt::LeftButton);
            } else {
                QListWidgetItem* item = form->ListBoxTrans->item(row);
                form->ListBoxTrans->setCurrentItem(item);
                const QPoint at = form->ListBoxTrans->visualItemRect(item).center();
                // A view takes a double click only on the item the press went to.
                QTest::mousePress(form->ListBoxTrans->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(form->ListBoxTrans->viewport(), Qt::LeftButton, {}, at);
            }
            if (answers < 2) {
                EXPECT_EQ(form->LabelSelect->text(), QString::number(2 - answers));
            }
        }
    });
    EXPECT_EQ(ExecuteLexic(800, 600, "Lex.txt", "LexTr.txt", "LexTim.txt", "Lex.wav"),
              LaunchResult::GoneThrough);
    EXPECT_TRUE(modalActionsDone());
}

TEST(LexiconWindow, ExitWithoutTiming)
{
    TempCourse course;
    writeLexicon(course);
    whenModal([](QWidget* window) {
        auto* form = qobject_cast<TFormExecLexic*>(window);
        ASSERT_TRUE(form);
        EXPECT_FALSE(form->BitBtnPlay->isVisible());
        QTest::mouseClick(form->BtnImgTransD1QF3, Qt::LeftButton);
    });
    EXPECT_EQ(ExecuteLexic(400, 300, "Lex.txt", "LexTr.txt", "", ""), LaunchResult::Left);
    EXPECT_TRUE(modalActionsDone());
}

TEST(LexiconWindow, ReadErrors)
{
    TempCourse course;
    writeLexicon(course);
    course.writeLines("Bad.txt", {"0\t900", "1200 2950"});
    expectReadError(QStringLiteral("Ошибка чтения файла.\rПоврежден файл "));
    whenModal([](QWidget* window) {
        auto* form = qobject_cast<TFormExecLexic*>(window);
        ASSERT_TRUE(form) << "the drill opens with what was read";
        EXPECT_EQ(form->LabelCount->text(), "3");
        QTest::mouseClick(form->BtnImgTransD1QF3, Qt::LeftButton);
    });
    EXPECT_EQ(ExecuteLexic(400, 300, "Lex.txt", "LexTr.txt", "Bad.txt", "Lex.wav"),
              LaunchResult::Left);

    expectReadError(QStringLiteral("Ошибка чтения файла.\rПоврежден файл "));
    EXPECT_EQ(ExecuteLexic(400, 300, "Absent.txt", "LexTr.txt", "", ""), LaunchResult::Left)
        << "without items the drill does not open";
    expectReadError(QStringLiteral("Ошибка чтения файла.\rПовреждены текстовые файлы "));
    EXPECT_EQ(ExecuteLexicDemo(400, 300, "Lex.txt", "Absent.txt", "", ""), LaunchResult::Cancelled);
    EXPECT_TRUE(modalActionsDone());
}

TEST(LexiconPreviewWindow, WalksToTheEnd)
{
    TempCourse course;
    writeLexicon(course);
    whenModal([](QWidget* window) {
        auto* form = qobject_cast<TFormExecLexicDemo*>(window);
        ASSERT_TRUE(form);
        EXPECT_EQ(form->EditText->text(), QStringLiteral("die Küche"));
        EXPECT_EQ(form->EditTranslate->text(), QStringLiteral("кухня"));
        EXPECT_EQ(form->LabelSelect->text(), "2");
        EXPECT_EQ(form->LabelCount->text(), "3");
        QTest::mouseClick(form->BtnImgD1QF1, Qt::LeftButton);
        EXPECT_EQ(form->EditText->text(), "das Haus");
        EXPECT_EQ(form->LabelSelect->text(), "1");
        QTest::keyClick(form, Qt::Key_Return);
        EXPECT_EQ(form->LabelSelect->text(), "0");
        QTest::mouseClick(form->BtnImgD1QF1, Qt::LeftButton);
    });
    EXPECT_EQ(ExecuteLexicDemo(400, 300, "Lex.txt", "LexTr.txt", "", ""),
              LaunchResult::GoneThrough);
    EXPECT_TRUE(modalActionsDone());
}

// The item's segment at the tempo chosen beside "Play" (the end still the
// segment's end), and the next window opens at that
// tempo; without a timing file neither shows.
TEST(LexiconWindow, PlaysTheItemsSegment)
{
    TempCourse course;
    writeLexicon(course);
    VirtualSound::use();
    VirtualSound::reset();
    VirtualSound::setLength("Lex.wav", 5000);
    {
        TFormExecLexic form;
        ASSERT_TRUE(form.Load({"Lex.txt", "LexTr.txt", "LexTim.txt", "Lex.wav"}));
        form.show();
        // Play at the normal speed is the drill windows' shared test.
        ASSERT_TRUE(form.TempoChoice);
        EXPECT_TRUE(form.TempoChoice->isVisible());
        EXPECT_EQ(form.TempoChoice->tempo(), 100);
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        // The list has the focus and would take the arrows for itself.
        form.ListBoxTrans->setFocus();
        for (int step = 0; step < 5; ++step)
            QTest::keyClick(form.ListBoxTrans, Qt::Key_Down, Qt::ControlModifier);
        EXPECT_EQ(form.TempoChoice->tempo(), 75) << "Ctrl+Down slows down from anywhere";
    }
    TFormExecLexicDemo form;
    ASSERT_TRUE(form.Load({"Lex.txt", "LexTr.txt", "LexTim.txt", "Lex.wav"}));
    form.SetInitialData();
    form.show();
    ASSERT_TRUE(form.TempoChoice);
    EXPECT_EQ(form.TempoChoice->tempo(), 75) << "the next window opens at the tempo chosen";
    const LexiconItem item = form.Preview().currentItem();
    QTest::mouseClick(form.BitBtnPlay, Qt::LeftButton);
    VirtualSound::advance((item.end - item.start) * 100 / 75 - 1);
    EXPECT_FALSE(form.BitBtnPlay->isEnabled()) << "the slowed item is still being heard";
    EXPECT_LT(form.MediaPlayerPlay->Position(), item.end);
    VirtualSound::advance(1);
    EXPECT_TRUE(form.BitBtnPlay->isEnabled());

    TFormExecLexic untimed;
    ASSERT_TRUE(untimed.Load({"Lex.txt", "LexTr.txt", "", "Lex.wav"}));
    untimed.show();
    EXPECT_FALSE(untimed.TempoChoice->isVisible()) << "nothing to play, no tempo to choose";
    Tempo::choose(Tempo::Normal); // for the tests after
    VirtualSound::use(false);
}
