// What the five drill windows share: how they take a missing file, how they
// are left with the keyboard, and how Play plays the item shown.
#include "WindowTestSupport.h"
#include "drills/DrillLaunch.h"
#include "drills/FormExecLexic.h"
#include "drills/FormExecLexicDemo.h"
#include "drills/FormQuestDemo.h"
#include "drills/FormQuestDown.h"
#include "drills/FormQuestTrFl.h"
#include "sound/MediaPlayer.h"
#include "sound/VirtualSoundEngine.h"
#include "support/ModalDriver.h"
#include "support/TempCourse.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
using Launch = LaunchResult (*)(int, int, const QString&, const QString&, const QString&,
                                const QString&);

struct DrillCase {
    const char* window;
    Launch launch;
    DrillFiles files;
    // The button that leaves the window: its cancel button, else its exit button.
    std::function<QAbstractButton*(QWidget*)> leave;
    LaunchResult left;
    QString readError;
    // What files that cannot carry the exercise give.
    LaunchResult unread = left;
};

template <typename Form, typename Button> auto button(Button* Form::*member)
{
    return [member](QWidget* window) -> QAbstractButton* {
        auto* form = qobject_cast<Form*>(window);
        return form ? form->*member : nullptr;
    };
}

LaunchResult questDown(int x, int y, const QString& a, const QString& b, const QString& c,
                       const QString& d)
{
    return ExecuteQuestDown(x, y, a, b, c, d);
}

LaunchResult questTrFl(int x, int y, const QString& a, const QString& b, const QString& c,
                       const QString& d)
{
    return ExecuteQuestTrFl(x, y, a, b, c, d);
}

QList<DrillCase> drillCases()
{
    return {
        {"TFormExecLexicDemo",
         ExecuteLexicDemo,
         {"Lex.txt", "LexTr.txt", "LexTim.txt", ""},
         button(&TFormExecLexicDemo::BtnImgTransD1QF2),
         LaunchResult::Cancelled,
         ReadErrorTextsText},
        {"TFormExecLexic",
         ExecuteLexic,
         {"Lex.txt", "LexTr.txt", "LexTim.txt", ""},
         button(&TFormExecLexic::BtnImgTransD1QF3),
         LaunchResult::Left,
         ReadErrorText},
        {"TFormQuestDemo",
         ExecuteQuestDemo,
         {"Quest.txt", "", "QuestTim.txt", ""},
         button(&TFormQuestDemo::BtnImgTransD1QF2),
         LaunchResult::Left,
         ReadErrorText},
        {"TFormQuestDown",
         questDown,
         {"Quest.txt", "Answ.txt", "QuestTim.txt", ""},
         button(&TFormQuestDown::BtnImgTransD1QF3),
         LaunchResult::Left,
         ReadErrorText},
        {"TFormQuestTrFl",
         questTrFl,
         {"TrFl.txt", "TrFlTr.txt", "TrFlTim.txt", ""},
         button(&TFormQuestTrFl::BitBtn3),
         LaunchResult::Cancelled,
         ReadErrorText,
         LaunchResult::Left},
    };
}

void writeDrills(const TempCourse& course)
{
    course.writeLines("Lex.txt", {"das Haus", "die Tür"}, true);
    course.writeLines("LexTr.txt", {QStringLiteral("дом"), QStringLiteral("дверь")});
    course.writeLines("LexTim.txt", {"0\t900", "1000\t1800"});
    course.writeLines("Quest.txt", {"Wer?", "Wo?"}, true);
    course.writeLines("Answ.txt", {"#", "Anna", "Otto", "#", "Bonn", "Ulm", "Rom"}, true);
    course.writeLines("QuestTim.txt", {"0\t700", "800\t1500"});
    course.writeLines("TrFl.txt", {"Anna wohnt in Bonn.\t0", "Otto wohnt in Rom.\t1"}, true);
    course.writeLines("TrFlTr.txt", {QStringLiteral("перевод")});
    course.writeLines("TrFlTim.txt", {"0\t900", "1000\t1900"});
}

LaunchResult run(const DrillCase& drill, const DrillFiles& files)
{
    return drill.launch(400, 300, files.text, files.trans, files.timing, files.sound);
}

// Arranges the drill window: it must be the case's own, and it is left with
// its button or with Escape pressed where the keyboard focus is.
void whenDrillWindow(const DrillCase& drill, bool escape)
{
    whenModal([drill, escape](QWidget* window) {
        ASSERT_STREQ(window->metaObject()->className(), drill.window);
        QAbstractButton* leave = drill.leave(window);
        ASSERT_TRUE(leave && leave->isVisible());
        if (!escape) {
            QTest::mouseClick(leave, Qt::LeftButton);
            return;
        }
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus && focus->window() == window ? focus : window, Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible()) << drill.window << ": Escape leaves";
        if (window->isVisible())
            QTest::mouseClick(leave, Qt::LeftButton);
    });
}
} // namespace

TEST(DrillWindows, EscapeDoesWhatTheCancelOrExitButtonDoes)
{
    TempCourse course;
    writeDrills(course);
    for (const DrillCase& drill : drillCases()) {
        whenDrillWindow(drill, false);
        EXPECT_EQ(run(drill, drill.files), drill.left) << drill.window << ": the button";
        whenDrillWindow(drill, true);
        EXPECT_EQ(run(drill, drill.files), drill.left) << drill.window << ": Escape";
    }
    EXPECT_TRUE(modalActionsDone());
}

// A missing timing file (and, for the true/false statements, a missing second
// file) is reported as a read error, then the window opens with what was read.
TEST(DrillWindows, MissingTimingOrSecondFileIsReportedAndTheWindowOpens)
{
    TempCourse course;
    writeDrills(course);
    QList<DrillCase> cases;
    for (DrillCase drill : drillCases()) {
        drill.files.timing = "Absent.tim";
        cases.append(drill);
    }
    DrillCase noSecondFile = drillCases().last();
    noSecondFile.files.trans = "Absent.txt";
    cases.append(noSecondFile);
    for (const DrillCase& drill : cases) {
        expectReadError(drill.readError);
        whenDrillWindow(drill, false);
        EXPECT_EQ(run(drill, drill.files), drill.left) << drill.window;
        EXPECT_TRUE(modalActionsDone()) << drill.window;
    }
}

// Without the file of the items, or without a single item, there is nothing
// to open: the message is shown and the window stays closed.
TEST(DrillWindows, MissingOrEmptyFirstFileKeepsTheWindowClosed)
{
    TempCourse course;
    writeDrills(course);
    course.write("Empty.txt", "");
    for (const QString& first : {QStringLiteral("Absent.txt"), QStringLiteral("Empty.txt")}) {
        for (DrillCase drill : drillCases()) {
            drill.files.text = first;
            expectReadError(drill.readError);
            EXPECT_EQ(run(drill, drill.files), drill.unread) << drill.window;
            EXPECT_TRUE(modalActionsDone()) << drill.window << " " << first.toStdString();
        }
    }
}

namespace {
// Play plays the segment of the item shown and is free again only at its end.
template <typename Form, typename Item> void expectPlaysTheSegment(Form& form, const Item& item)
{
    form.show();
    QTest::mouseClick(form.BitBtnPlay, Qt::LeftButton);
    EXPECT_FALSE(form.BitBtnPlay->isEnabled());
    EXPECT_EQ(form.MediaPlayerPlay->Mode(), MediaPlayer::PlayerMode::Playing);
    EXPECT_EQ(form.MediaPlayerPlay->Position(), item.start);
    VirtualSound::advance(item.end - item.start - 1);
    EXPECT_EQ(form.MediaPlayerPlay->Position(), item.end - 1);
    EXPECT_FALSE(form.BitBtnPlay->isEnabled());
    VirtualSound::advance(1);
    EXPECT_TRUE(form.BitBtnPlay->isEnabled()) << "the end of the segment frees Play";
    EXPECT_NE(form.MediaPlayerPlay->Mode(), MediaPlayer::PlayerMode::Playing);
}
} // namespace

TEST(DrillWindows, PlayPlaysTheSegmentOfTheItemShown)
{
    TempCourse course;
    writeDrills(course);
    VirtualSound::use();
    VirtualSound::reset();
    VirtualSound::setLength("Drill.wav", 5000);
    {
        TFormExecLexic form;
        ASSERT_TRUE(form.Load({"Lex.txt", "LexTr.txt", "LexTim.txt", "Drill.wav"}));
        form.show();
        expectPlaysTheSegment(form, form.drill().currentItem());
    }
    {
        TFormExecLexicDemo form;
        ASSERT_TRUE(form.Load({"Lex.txt", "LexTr.txt", "LexTim.txt", "Drill.wav"}));
        form.show();
        expectPlaysTheSegment(form, form.Preview().currentItem());
    }
    {
        TFormQuestTrFl form;
        ASSERT_TRUE(form.Load({"TrFl.txt", "TrFlTr.txt", "TrFlTim.txt", "Drill.wav"}));
        form.start();
        form.show();
        expectPlaysTheSegment(form, form.drill().currentItem());
    }
    VirtualSound::use(false);
}
