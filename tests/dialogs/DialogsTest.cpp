#include "DialogTestSupport.h"
#include "dialogs/DlgDoubleError.h"
#include "dialogs/DlgErrorDo.h"
#include "dialogs/DlgLexRepit.h"
#include "dialogs/DlgMessage.h"
#include "dialogs/DlgTestFullDulex.h"
#include "dialogs/DlgxMessage.h"
#include "dialogs/SharedDialogs.h"
#include "sound/MediaPlayer.h"
#include "sound/VirtualSoundEngine.h"
#include "support/AccessibleRows.h"
#include "support/ModalDriver.h"
#include "support/TempCourse.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/Memo.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

TEST(MessageWindow, IconCodeTable)
{
    EXPECT_EQ(iconPictureIndex(16), 0);
    EXPECT_EQ(iconPictureIndex(32), 1);
    EXPECT_EQ(iconPictureIndex(48), 2);
    EXPECT_EQ(iconPictureIndex(64), 3);
    EXPECT_EQ(iconPictureIndex(0), 3);
    EXPECT_EQ(iconPictureIndex(80), 3);
    EXPECT_EQ(iconPictureIndex(16 | 0x4), 0); // button bits do not matter
}

TEST(MessageWindow, ShowsTextCaptionAndIconUntilClosed)
{
    const QString text = QStringLiteral("Ошибка чтения файла.\rПоврежден файл DataTest\\L1.txt");
    whenModal([&](QWidget* window) {
        auto* dialog = qobject_cast<TDlgxMessage*>(window);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Ошибка чтения файла"));
        EXPECT_EQ(dialog->MemoMess->Lines(), QStringList{text}); // one line, CR kept
        EXPECT_EQ(dialog->iconIndex(), 0);
        const QImage icon = dialog->ImageIcon->pixmap().toImage();
        const QImage error = dialog->ImageListIcon[0].toImage();
        // The corner is the button face the picture was drawn on; the middle is the icon.
        EXPECT_EQ(icon.pixelColor(0, 0), dialog->palette().color(QPalette::Button));
        EXPECT_EQ(icon.pixel(16, 16), error.pixel(16, 16));
        clickButton(dialog, QStringLiteral("OK"));
    });
    ShowDlgMessage(text, QStringLiteral("Ошибка чтения файла"), MessageIcon::Error);
    EXPECT_TRUE(modalActionsDone());
    EXPECT_FALSE(DlgxMessage()->isVisible());
}

TEST(MessageWindow, EachCallOverwritesTheLastAndEnterCloses)
{
    whenModal([](QWidget* window) { QTest::keyClick(window, Qt::Key_Return); });
    ShowDlgMessage(QStringLiteral("Первое"), QStringLiteral("Ошибка"), MessageIcon::Warning);
    EXPECT_EQ(DlgxMessage()->iconIndex(), 2);
    whenModal([](QWidget* window) { clickButton(window, QStringLiteral("OK")); });
    ShowDlgMessage(QStringLiteral("Второе"), QStringLiteral("Внимание"), MessageIcon::Information);
    EXPECT_TRUE(modalActionsDone());
    EXPECT_EQ(DlgxMessage()->MemoMess->Lines(), QStringList{QStringLiteral("Второе")});
    EXPECT_EQ(DlgxMessage()->windowTitle(), QStringLiteral("Внимание"));
    EXPECT_EQ(DlgxMessage()->iconIndex(), 3);
}

TEST(SharedDialogs, MadeOnceAndHidden)
{
    createSharedDialogs();
    EXPECT_EQ(DlgxMessage(), DlgxMessage());
    EXPECT_NE(static_cast<TDlgDoubleError*>(DlgLexicError()), DlgDoubleError());
    for (QWidget* dialog :
         std::initializer_list<QWidget*>{DlgxMessage(), DlgErrorDo(), DlgDoubleError(),
                                         DlgLexicError(), DlgLexRepit(), DlgTestFullDulex()})
        EXPECT_FALSE(dialog->isVisible()) << dialog->objectName().toStdString();
}

TEST(ErrorDialogs, FirstMissTextsAndClose)
{
    TDlgErrorDo* dialog = DlgErrorDo();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Внимание"));
    EXPECT_EQ(dialog->Label1->text(), QStringLiteral("Вы ошиблись."));
    EXPECT_EQ(dialog->Label2->text(), QStringLiteral("Попробуйте еще раз."));
    whenModal([](QWidget* window) { clickButton(window, QStringLiteral("OK")); });
    EXPECT_EQ(execDialog(*dialog), DialogResult::OK);
}

TEST(ErrorDialogs, SecondMissShowsTheAnswer)
{
    for (TDlgDoubleError* dialog :
         {DlgDoubleError(), static_cast<TDlgDoubleError*>(DlgLexicError())}) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Ошибка"));
        EXPECT_EQ(dialog->Memo1->Lines(),
                  QStringList{QStringLiteral("Вы ошиблись. Правильный ответ:")});
        EXPECT_EQ(dialog->Memo1->palette().color(QPalette::Text), QColor(Qt::red));
        QStringList shown;
        whenModal([&](QWidget* window) {
            shown = dialog->MemoTrueQuest->Lines();
            clickButton(window, QStringLiteral("OK"));
        });
        dialog->ShowMdText(QStringLiteral("Der Zug fährt ab."));
        EXPECT_EQ(shown, QStringList{QStringLiteral("Der Zug fährt ab.")});
    }
    EXPECT_TRUE(DlgLexicError()->MemoTrueQuest->font().bold());
    EXPECT_TRUE(modalActionsDone());
}

TEST(ErrorDialogs, EmptyAnswerShowsAnEmptyArea)
{
    DlgDoubleError()->SetMdText(QStringLiteral("alt"));
    QString shown = QStringLiteral("unset");
    whenModal([&](QWidget* window) {
        shown = DlgDoubleError()->MemoTrueQuest->toPlainText();
        clickButton(window, QStringLiteral("OK"));
    });
    DlgDoubleError()->ShowMdText(QString());
    EXPECT_EQ(shown, QString());
}

class CompletionDialog : public ::testing::Test {
protected:
    TDlgLexRepit* dialog = DlgLexRepit();
    void TearDown() override
    {
        dialog->setOutcome(QStringLiteral("Вы просмотрели лексику урока."), true);
    }
    DialogResult choose(const QString& button)
    {
        whenModal([=](QWidget* window) { clickButton(window, button); });
        return execDialog(*dialog);
    }
};

TEST_F(CompletionDialog, Texts)
{
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Результаты"));
    EXPECT_EQ(dialog->Label1->text(), QStringLiteral("Сейчас вы можете:"));
    EXPECT_EQ(dialog->Label2->text(), QStringLiteral("Отметить упражнение как выполненное"));
    EXPECT_EQ(dialog->Label3->text(), QStringLiteral("Повторить упражнение еще раз"));
    EXPECT_EQ(dialog->Label4->text(), QStringLiteral("Просто выйти из упражнения"));
    EXPECT_EQ(dialog->MemoComent->Lines(),
              QStringList{QStringLiteral("Вы просмотрели лексику урока.")});
}

// A failed run greys marking out; the next passed run offers it again, with
// its label, not only its button.
TEST_F(CompletionDialog, OutcomeSetsButtonLabelAndTextTogether)
{
    for (const bool markable : {false, true, false, true}) {
        const QString text = markable ? QStringLiteral("passed") : QStringLiteral("failed");
        dialog->setOutcome(text, markable);
        EXPECT_EQ(dialog->BitBtnOk->isEnabled(), markable);
        EXPECT_EQ(dialog->Label2->isEnabled(), markable);
        EXPECT_EQ(dialog->MemoComent->Lines(), QStringList{text});
    }
}

TEST_F(CompletionDialog, EachChoiceGivesItsResult)
{
    EXPECT_EQ(choose(QStringLiteral("Отметить")), DialogResult::OK);
    EXPECT_EQ(choose(QStringLiteral("Повторить")), DialogResult::Retry);
    EXPECT_EQ(choose(QStringLiteral("Выйти")), DialogResult::Cancel);
    whenModal([](QWidget* window) { QTest::keyClick(window, Qt::Key_Escape); });
    EXPECT_EQ(execDialog(*dialog), DialogResult::Cancel);
    EXPECT_TRUE(modalActionsDone());
}

// Without a mouse: a screen reader hears each choice by the text beside it,
// Tab goes from one to the next and Space takes it; Enter marks the exercise
// whichever button has the focus.
TEST_F(CompletionDialog, ChoicesByKeysAndByName)
{
    const auto pressOnFocus = [](QWidget* window, Qt::Key key) {
        QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, key);
    };
    whenModal([&](QWidget* window) {
        const QList<AccessibleRow> rows = accessibleRows(window);
        for (const QString& choice : {QStringLiteral("Отметить упражнение как выполненное"),
                                      QStringLiteral("Повторить упражнение еще раз"),
                                      QStringLiteral("Просто выйти из упражнения")}) {
            const AccessibleRow row = accessibleRow(window, QAccessible::Button, choice);
            EXPECT_TRUE(row.focusable) << choice.toStdString() << "\n" << describeRows(rows);
        }
        dialog->BitBtnOk->setFocus(Qt::TabFocusReason);
        pressOnFocus(window, Qt::Key_Tab);
        EXPECT_EQ(window->focusWidget(), dialog->BitBtn3);
        pressOnFocus(window, Qt::Key_Space);
    });
    EXPECT_EQ(execDialog(*dialog), DialogResult::Retry);
    whenModal([&](QWidget* window) {
        dialog->BitBtn2->setFocus(Qt::TabFocusReason);
        pressOnFocus(window, Qt::Key_Return);
    });
    EXPECT_EQ(execDialog(*dialog), DialogResult::OK);
    EXPECT_TRUE(modalActionsDone());
}

TEST_F(CompletionDialog, WithMarkingDisabledOnlyRetryAndCancelRemain)
{
    dialog->setOutcome(QStringLiteral("failed"), false);
    bool stayedOpen = false;
    whenModal([&](QWidget* window) {
        clickButton(window, QStringLiteral("Отметить"));
        stayedOpen = window->isVisible();
        clickButton(window, QStringLiteral("Повторить"));
    });
    EXPECT_EQ(execDialog(*dialog), DialogResult::Retry);
    EXPECT_TRUE(stayedOpen);
}

// A button pressed in an earlier run must not become what Enter presses:
// the picture buttons show no focus.
TEST_F(CompletionDialog, EnterMarksWhereOfferedElseLeavesAndNeverRepeats)
{
    for (const bool markable : {true, false}) {
        dialog->setOutcome(QStringLiteral("run"), markable);
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            EXPECT_EQ(choose(QStringLiteral("Повторить")), DialogResult::Retry);
            whenModal([key](QWidget* window) {
                QWidget* focused = QApplication::focusWidget();
                QTest::keyClick(focused ? focused : window, key);
            });
            EXPECT_EQ(execDialog(*dialog), markable ? DialogResult::OK : DialogResult::Cancel)
                << "marking offered: " << markable;
        }
    }
    EXPECT_TRUE(modalActionsDone());
}

TEST(SharedDialogs, CentredOnTheScreenAtEveryShowing)
{
    const QPoint middle = QGuiApplication::primaryScreen()->availableGeometry().center();
    for (TDlgFrame* dialog :
         std::initializer_list<TDlgFrame*>{DlgxMessage(), DlgErrorDo(), DlgDoubleError(),
                                           DlgLexicError(), DlgLexRepit(), DlgTestFullDulex()}) {
        for (int showing = 1; showing <= 2; ++showing) {
            QPoint shownAt;
            whenModal([&](QWidget* window) {
                shownAt = window->frameGeometry().center();
                // Where the student dragged it, or a window manager left it.
                window->move(0, 0);
                qobject_cast<QDialog*>(window)->reject();
            });
            dialog->exec();
            EXPECT_LE((shownAt - middle).manhattanLength(), 1)
                << dialog->objectName().toStdString() << ", showing " << showing;
        }
    }
    EXPECT_TRUE(modalActionsDone());
}

// ---- the sound test, on the virtual sound device ----------------------------

class SoundTestVirtual : public ::testing::Test {
protected:
    void SetUp() override
    {
        VirtualSound::use();
        VirtualSound::reset();
        course.write(QStringLiteral("Null.wav"), silentWav(500));
        course.write(QStringLiteral("NullRec.wav"), silentWav(0));
    }
    void TearDown() override
    {
        VirtualSound::reset();
        VirtualSound::use(false);
    }
    void expectPlayersClosed(TDlgTestFullDulex& dialog)
    {
        EXPECT_EQ(dialog.MediaPlayer1->Mode(), MediaPlayer::PlayerMode::NotReady);
        EXPECT_EQ(dialog.MediaPlayer2->Mode(), MediaPlayer::PlayerMode::NotReady);
    }
    TempCourse course;
};

TEST_F(SoundTestVirtual, WarningTexts)
{
    TDlgTestFullDulex dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Внимание"));
    EXPECT_EQ(
        dialog.Memo1->Lines(),
        (QStringList{QStringLiteral("На вашем компьютере данное упражнение не "),
                     QStringLiteral("может быть выполнено. Звуковая карта не "),
                     QStringLiteral("поддерживает режим FullDuplex (невозможно "),
                     QStringLiteral("одновременно воспроизводить и записывать)."), QString()}));
    EXPECT_EQ(dialog.MediaPlayer1->FileName(), QStringLiteral("Null.wav"));
    EXPECT_EQ(dialog.MediaPlayer2->FileName(), QStringLiteral("NullRec.wav"));
}

TEST_F(SoundTestVirtual, TrueWhenBothRunAtOnce)
{
    TDlgTestFullDulex dialog;
    ShowCounter warnings(&dialog);
    EXPECT_TRUE(dialog.TestFullDuplex());
    EXPECT_EQ(warnings.shows, 0);
    expectPlayersClosed(dialog);
}

TEST_F(SoundTestVirtual, FalseWithOneWarningWithoutADevice)
{
    VirtualSound::setDeviceWorking(false);
    TDlgTestFullDulex dialog;
    ShowCounter warnings(&dialog);
    EXPECT_FALSE(dialog.TestFullDuplex());
    EXPECT_EQ(warnings.shows, 1);
    expectPlayersClosed(dialog);
}

TEST_F(SoundTestVirtual, FalseWithOneWarningWhenNullWavIsMissing)
{
    QFile::remove(course.filePath(QStringLiteral("Null.wav")));
    TDlgTestFullDulex dialog;
    ShowCounter warnings(&dialog);
    EXPECT_FALSE(dialog.TestFullDuplex());
    EXPECT_EQ(warnings.shows, 1);
    expectPlayersClosed(dialog);
    // A second run, with the file back, passes: nothing was left open.
    course.write(QStringLiteral("Null.wav"), silentWav(500));
    EXPECT_TRUE(dialog.TestFullDuplex());
    EXPECT_EQ(warnings.shows, 1);
}
