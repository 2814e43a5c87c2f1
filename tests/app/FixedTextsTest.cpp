// Every fixed text of every window shows whole: no label clipped, no memo
// that needs scrolling. The program runs once with each face that "Arial"
// may come out as (see CMakeLists.txt: a fontconfig setup per run), and
// first makes sure it really got that face.
#include "MainWindowDriver.h"
#include "app/FormMain.h"
#include "app/FormProgress.h"
#include "app/OKBottomDlgAbout.h"
#include "dialogs/DlgDoubleError.h"
#include "dialogs/DlgErrorDo.h"
#include "dialogs/DlgFrame.h"
#include "dialogs/DlgLexRepit.h"
#include "dialogs/DlgTestFullDulex.h"
#include "dialogs/DlgxMessage.h"
#include "drills/FormExecLexic.h"
#include "drills/FormExecLexicDemo.h"
#include "drills/FormQuestDemo.h"
#include "drills/FormQuestDown.h"
#include "drills/FormQuestEnd.h"
#include "drills/FormQuestTrFl.h"
#include "support/TempCourse.h"
#include "users/Completion.h"
#include "users/DlgPassWord.h"
#include "users/OKBottomDlgChengeReg.h"
#include "users/OKBottomDlgNewUser.h"
#include "users/OKBottomDlgSelectUsers.h"
#include "users/UserSession.h"
#include "widgets/Look.h"
#include "widgets/Memo.h"

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The face of this run, without spaces, from --face=LiberationSans.
QString runFace()
{
    const QString option = QStringLiteral("--face=");
    for (const QString& argument : QCoreApplication::arguments())
        if (argument.startsWith(option))
            return argument.mid(option.size());
    return {};
}

QString faceOf(const QFont& font)
{
    return QFontInfo(font).family().remove(QLatin1Char(' '));
}

std::string where(const QWidget* widget, const QString& text)
{
    return (widget->window()->metaObject()->className() + QStringLiteral(" ") +
            widget->objectName() + QStringLiteral(": ") + text)
        .toStdString();
}

void expectLabelWhole(const QLabel* label)
{
    if (label->wordWrap()) {
        EXPECT_LE(label->heightForWidth(label->width()), label->height())
            << where(label, label->text());
        return;
    }
    EXPECT_LE(label->sizeHint().width(), label->width()) << where(label, label->text());
    EXPECT_LE(label->sizeHint().height(), label->height()) << where(label, label->text());
}

template <class Edit> void expectEditWhole(const Edit* memo)
{
    EXPECT_EQ(memo->verticalScrollBar()->maximum(), 0) << where(memo, memo->toPlainText());
    EXPECT_EQ(memo->horizontalScrollBar()->maximum(), 0) << where(memo, memo->toPlainText());
}

// With TOLVAREN_SCREENSHOTS set, each window checked is saved there to be
// looked at.
void snap(QWidget* window)
{
    const QString folder = qEnvironmentVariable("TOLVAREN_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    static int count = 0;
    const QString name = QStringLiteral("%1-%2-%3.png")
                             .arg(runFace())
                             .arg(++count, 2, 10, QLatin1Char('0'))
                             .arg(QString::fromLatin1(window->metaObject()->className()));
    window->grab().save(QDir(folder).filePath(name));
}

// Shows the window as the student would see it and checks every text in it.
void expectAllWhole(QWidget* window)
{
    window->show();
    QApplication::processEvents();
    snap(window);
    for (const QLabel* label : window->findChildren<QLabel*>())
        if (label->isVisibleTo(window) && !label->text().isEmpty())
            expectLabelWhole(label);
    for (const QTextEdit* memo : window->findChildren<QTextEdit*>())
        if (memo->isVisibleTo(window)) {
            expectEditWhole(memo);
            EXPECT_LE(memo->document()->size().height(), memo->viewport()->height())
                << where(memo, memo->toPlainText());
        }
    for (const QPlainTextEdit* memo : window->findChildren<QPlainTextEdit*>())
        if (memo->isVisibleTo(window))
            expectEditWhole(memo);
    window->hide();
}

class FixedTexts : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(runFace().isEmpty()) << "--face= names the face of this run";
        ASSERT_EQ(faceOf(look::arial(16)), runFace());
    }
};

} // namespace

TEST_F(FixedTexts, SharedDialogsWithTheirLongestTexts)
{
    const QString longPath = QStringLiteral("DataTest\\Lesson03\\Lesson03TextGerman.txt");
    for (const QString& message :
         {QStringLiteral("Ошибка чтения файла.\rПовреждены текстовые файлы ") + longPath,
          QStringLiteral("Путь к файлу отчета слишком длинный: путь к записям пользователя "
                         "не может превышать 255 символов."),
          QStringLiteral("Файл не является файлом отчета для данного приложения")}) {
        DlgxMessage()->setMessage(message, QStringLiteral("Ошибка чтения файла"), 16);
        expectAllWhole(DlgxMessage());
    }
    expectAllWhole(DlgErrorDo());
    DlgDoubleError()->SetMdText(QStringLiteral("Er hat den Zug verpasst, weil er zu spät "
                                               "aufgestanden ist und der Bus nicht kam."));
    expectAllWhole(DlgDoubleError());
    DlgLexicError()->SetMdText(QStringLiteral("опоздать на поезд из-за автобуса"));
    expectAllWhole(DlgLexicError());
    expectAllWhole(DlgTestFullDulex());
    for (const QString& outcome : {judgeQuestions(10, 10).text, judgeQuestions(0, 10).text}) {
        DlgLexRepit()->setOutcome(outcome, true);
        expectAllWhole(DlgLexRepit());
    }
}

TEST_F(FixedTexts, UserDialogs)
{
    TempCourse course;
    UserSession session;
    TDlgPassWord password;
    expectAllWhole(&password);
    TOKBottomDlgChengeReg mode;
    expectAllWhole(&mode);
    TOKBottomDlgNewUser newUser(session);
    expectAllWhole(&newUser);
    TOKBottomDlgSelectUsers select(session, newUser, password);
    expectAllWhole(&select);
}

TEST_F(FixedTexts, DrillWindows)
{
    TFormExecLexic lexicon;
    expectAllWhole(&lexicon);
    TFormExecLexicDemo lexiconDemo;
    expectAllWhole(&lexiconDemo);
    TFormQuestDemo questionsDemo;
    expectAllWhole(&questionsDemo);
    TFormQuestDown questions;
    expectAllWhole(&questions);
    TFormQuestEnd results;
    expectAllWhole(&results);
    TFormQuestTrFl trueFalse;
    expectAllWhole(&trueFalse);
}

TEST_F(FixedTexts, MainWindowAndItsSmallWindows)
{
    TempCourse course;
    UserSession session;
    TFormMain main(session);
    for (const QToolButton* button :
         part<QToolBar>(main, "ToolBarMain")->findChildren<QToolButton*>()) {
        if (button->text().isEmpty())
            continue;
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 6, button->width())
            << where(button, button->text());
    }
    TFormProgress progress;
    expectAllWhole(&progress);
    TOKBottomDlgAbout about;
    for (int page = 0; page < about.PageControl1->count(); ++page) {
        about.PageControl1->setCurrentIndex(page);
        expectAllWhole(&about);
    }
}

// Where the face has Arial's metrics, nothing is made smaller than designed.
TEST_F(FixedTexts, ArialMetricsKeepTheDesignedSizes)
{
    if (runFace() != QLatin1String("LiberationSans"))
        GTEST_SKIP() << "only the face with Arial's metrics keeps every designed size";
    // Texts are fitted as their dialogs are shown.
    const auto shownSize = [](QWidget* dialog, const QWidget* text) {
        dialog->show();
        const int pixels = text->font().pixelSize();
        dialog->hide();
        return pixels;
    };
    DlgLexRepit()->setOutcome(judgeQuestions(10, 10).text, true);
    EXPECT_EQ(shownSize(DlgLexRepit(), DlgLexRepit()->MemoComent), 16);
    EXPECT_EQ(shownSize(DlgLexRepit(), DlgLexRepit()->Label2), 15);
    EXPECT_EQ(shownSize(DlgDoubleError(), DlgDoubleError()->Memo1), 16);
    EXPECT_EQ(shownSize(DlgErrorDo(), DlgErrorDo()->Label2), 16);
    EXPECT_EQ(shownSize(DlgTestFullDulex(), DlgTestFullDulex()->Memo1), 14);
}

// The trainer's lines are 20 pixels apart: its text is drawn in the largest
// size whose cell fits them, whichever face stands in for Arial.
TEST_F(FixedTexts, TextDesignedInCellsFillsThem)
{
    const auto cellOf = [](const QFont& font) {
        const QFontMetrics metrics(font);
        return metrics.ascent() + metrics.descent();
    };
    const QFont font = look::arialForCell(20);
    EXPECT_LE(cellOf(font), 20);
    EXPECT_GT(cellOf(look::arial(font.pixelSize() + 1)), 20);
    if (runFace() == QLatin1String("LiberationSans")) {
        EXPECT_EQ(cellOf(font), 20);
        EXPECT_EQ(font.pixelSize(), 18);
    }
}
