// The lesson listening window driven through its controls, on the virtual
// sound engine: the clock moves only when a test moves it, so every tick of
// following the sound is checked exactly.
#include "common/Tempo.h"
#include "listening/FormWorkText.h"
#include "listening/TextSintagm.h"
#include "sound/MediaPlayer.h"
#include "sound/VirtualSoundEngine.h"
#include "support/ModalDriver.h"
#include "support/TempCourse.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/ChBxImgTransD1QF.h"
#include "widgets/HelpContext.h"
#include "widgets/Memo.h"
#include "widgets/TempoBox.h"

#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {
// A title and nine syntagms; syntagm k (from 2) sounds from k s to k s + 800 ms.
// The recording is 9500 ms long, so the last syntagm's end lies beyond it.
// The windows keep text sizes in settings of the tests' own, never the user's.
void useOwnSettings()
{
    static const QTemporaryDir folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
}

struct LessonWindow {
    TempCourse course;
    std::unique_ptr<TFormWorkText> form;

    LessonWindow()
    {
        useOwnSettings();
        VirtualSound::use();
        VirtualSound::reset();
        QStringList text{"#Titel"}, trans{QStringLiteral("#Заголовок")}, timing{"#\t#"};
        for (int k = 2; k <= 10; ++k) {
            text.append(QStringLiteral("Satz %1 ist hier.").arg(k));
            trans.append(QStringLiteral("Фраза %1.").arg(k));
            timing.append(QStringLiteral("%1\t%2").arg(k * 1000).arg(k * 1000 + 800));
        }
        course.writeLines("T.txt", text, true);
        course.writeLines("T.ru", trans);
        course.writeLines("T.tim", timing);
        course.writeLines("T.pic", {"0\t3500\tnone.jpg", "3500\t20000\tmissing.jpg"});
        course.writeLines("T.apc", {QStringLiteral("003Erstens."), QStringLiteral("003Zweitens.")});
        VirtualSound::setLength(course.filePath("T.wav"), 9500);
    }
    ~LessonWindow()
    {
        form.reset();
        VirtualSound::use(false);
    }

    void open(const QString& student = {}, const QString& name = {})
    {
        WorkTextNames names{course.filePath("T.wav"), student,
                            LessonFileNames{"T.txt", "T.ru", "T.tim", "T.pic", {}},
                            course.path() + "/", name};
        form = std::make_unique<TFormWorkText>(names);
        form->resize(760, 525);
        form->show();
        // The test gives the ticks itself, each after moving the clock.
        form->TimerPos.stop();
    }
    // Moves the sound clock, then lets the window's timer look at it once.
    void advance(qint64 ms)
    {
        VirtualSound::advance(ms);
        form->TimerPosTimer();
    }
    void click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, 5)); }
    void setN(int n) { form->TrackBarText->setValue(n); }
    bool idle() const
    {
        return form->BitBtnPlayAll->isEnabled() && !form->BitBtnStop->isEnabled() &&
               form->TrackBarText->isEnabled();
    }
    qint64 position() const { return form->MediaPlayerText->Position(); }
};
} // namespace

TEST(WorkTextWindow, OpensWithTheTextAndTranslationHidden)
{
    LessonWindow w;
    w.open();
    TFormWorkText& f = *w.form;
    EXPECT_EQ(f.TrackBarText->minimum(), 1);
    EXPECT_EQ(f.TrackBarText->maximum(), 10);
    EXPECT_EQ(f.N(), 1);
    EXPECT_TRUE(w.idle());
    for (TChBxImgTransD1QF* box : {f.CheckBoxText, f.CheckBoxTrans, f.CheckBoxTransUser})
        EXPECT_TRUE(box->Checked()) << "checked shows the grey ball";
    EXPECT_FALSE(f.CheckBoxTransUser->Enabled()) << "no student recording";
    EXPECT_FALSE(f.TextSintagmText->isVisible());
    EXPECT_TRUE(f.ImageStatic->isVisible());
    EXPECT_TRUE(f.ImageChange->isVisible());
    EXPECT_EQ(helpContextOf(&f), 130);
    EXPECT_FALSE(f.PanelComent->isVisible());
    // The pages keep 260 x 280 side by side above the 116 pixel panel.
    const int paneHeight = 525 - 116;
    EXPECT_NEAR(f.PanelText->width() + 16, paneHeight * 260.0 / 280, 1);
    EXPECT_EQ(f.Panel7->height(), 116);

    // Each click acts on the state before it: text shown, hidden again.
    w.click(f.CheckBoxText);
    EXPECT_TRUE(f.TextSintagmText->isVisible());
    EXPECT_FALSE(f.ImageStatic->isVisible());
    EXPECT_FALSE(f.CheckBoxText->Checked()) << "now the red ball";
    w.click(f.CheckBoxText);
    EXPECT_FALSE(f.TextSintagmText->isVisible());
    w.click(f.CheckBoxTrans);
    EXPECT_TRUE(f.TextSintagmTrans->isVisible());
    EXPECT_FALSE(f.ImageChange->isVisible());
    w.click(f.CheckBoxTransUser);
    EXPECT_TRUE(f.BtnImgTransD1QF1->isEnabled()) << "nothing to switch to";
}

// "С начала" plays from the first syntagm after the title; each syntagm stays
// current up to and including its end, both views follow.
TEST(WorkTextWindow, PlayAllFollowsTheSound)
{
    LessonWindow w;
    w.open();
    TFormWorkText& f = *w.form;
    w.click(f.CheckBoxText);
    w.click(f.CheckBoxTrans);
    w.setN(5);
    w.click(f.BitBtnPlayAll);
    EXPECT_FALSE(w.idle());
    EXPECT_FALSE(f.BtnImgTransD1QF1->isEnabled());
    EXPECT_FALSE(f.BtnImgTransD1QF2->isEnabled());
    EXPECT_EQ(w.position(), 2000);
    EXPECT_EQ(f.TextSintagmText->k_Speed(), 100000);
    w.advance(0);
    EXPECT_EQ(f.N(), 2) << "past the title";
    w.advance(800);
    EXPECT_EQ(f.N(), 2) << "at exactly its end";
    w.advance(1);
    EXPECT_EQ(f.N(), 3);
    EXPECT_EQ(f.TrackBarText->value(), 3);
    EXPECT_EQ(f.TextSintagmText->Position(), 2);
    EXPECT_EQ(f.TextSintagmTrans->Position(), 2);
    w.advance(5000);
    EXPECT_EQ(f.N(), 4) << "one step a tick";
    w.form->TimerPosTimer();
    w.form->TimerPosTimer();
    w.form->TimerPosTimer();
    EXPECT_EQ(f.N(), 7);
    w.advance(2000); // the end of the recording
    EXPECT_TRUE(w.idle());
    EXPECT_FALSE(f.following());
    EXPECT_EQ(f.TextSintagmText->k_Speed(), 30000);
    const int n = f.N();
    w.advance(1000);
    EXPECT_EQ(f.N(), n) << "not following any more";
}

TEST(WorkTextWindow, FragmentPlaysOneSyntagm)
{
    LessonWindow w;
    w.open();
    TFormWorkText& f = *w.form;
    w.setN(4);
    w.click(f.BitBtnSelectString);
    EXPECT_EQ(w.position(), 4000);
    EXPECT_TRUE(f.BitBtnStop->isEnabled());
    w.advance(799);
    EXPECT_FALSE(w.idle());
    w.advance(1);
    EXPECT_TRUE(w.idle());
    EXPECT_EQ(f.N(), 4) << "N does not move";

    // "С фрагмента" from syntagm 8 follows to the end.
    w.setN(8);
    w.click(f.BitBtnSelectNext);
    EXPECT_EQ(w.position(), 8000);
    w.advance(801);
    EXPECT_EQ(f.N(), 9);

    // The last syntagm ends beyond the recording: nothing plays.
    w.advance(5000);
    w.setN(10);
    w.click(f.BitBtnSelectString);
    w.click(f.BitBtnSelectNext);
    EXPECT_TRUE(w.idle());
    EXPECT_EQ(f.MediaPlayerText->Mode(), MediaPlayer::PlayerMode::NotReady);
}

// Marking 6 then 8 (or 8 then 6) marks 6 to 8 in the text; "Цикл" plays it
// again and again until "Стоп".
TEST(WorkTextWindow, MarkedRangeLoopsUntilStop)
{
    LessonWindow w;
    w.open();
    TFormWorkText& f = *w.form;
    w.click(f.BtnImgTransD1QF1);
    EXPECT_TRUE(w.idle()) << "\"Цикл\" before any mark does nothing";

    w.setN(8);
    f.TrackBarText->setFocus();
    QTest::keyClick(f.TrackBarText, Qt::Key_Space);
    EXPECT_EQ(f.LabelSelect->text(), QStringLiteral("Окончание"));
    EXPECT_EQ(std::pair(f.TextSintagmText->NBegin(), f.TextSintagmText->NEnd()), std::pair(7, 7));
    EXPECT_EQ(f.TrackBarText->value(), 8) << "space marks, it does not move the slider";
    w.setN(6);
    w.click(f.BtnImgTransD1QF2);
    EXPECT_EQ(f.LabelSelect->text(), QStringLiteral("Начало"));
    EXPECT_EQ(std::pair(f.TextSintagmText->NBegin(), f.TextSintagmText->NEnd()), std::pair(5, 7));
    EXPECT_TRUE(f.TextSintagmText->FlagSelMultSint());

    w.setN(2);
    w.click(f.BtnImgTransD1QF1);
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(w.position(), 6000) << round;
        EXPECT_EQ(f.N(), 6);
        EXPECT_TRUE(f.BitBtnStop->isEnabled());
        w.advance(801);
        EXPECT_EQ(f.N(), 7);
        w.advance(1000);
        EXPECT_EQ(f.N(), 8);
        w.advance(999); // the end of syntagm 8: the loop starts again
    }
    w.click(f.BitBtnStop);
    VirtualSound::advance(0);
    EXPECT_TRUE(w.idle());
    EXPECT_EQ(f.MediaPlayerText->Mode(), MediaPlayer::PlayerMode::NotReady);
}

// At 50 % the same syntagms in twice the time: each stays current up to its
// end as heard, and "Цикл" goes round the same range.
TEST(WorkTextWindow, ASlowerTempoKeepsTheSyntagmsAndTheLoop)
{
    LessonWindow w;
    w.open();
    TFormWorkText& f = *w.form;
    ASSERT_EQ(f.TempoChoice->tempo(), 100);
    // Chosen while the lesson plays, the tempo is heard at once, from where
    // the sound is.
    w.click(f.BitBtnPlayAll);
    w.advance(300);
    const qint64 at = w.position();
    for (int step = 0; step < 10; ++step)
        f.TempoChoice->stepSlower();
    w.advance(200);
    EXPECT_EQ(w.position(), at + 100) << "half the file's time in the time heard";
    EXPECT_EQ(f.MediaPlayerText->Tempo(), 50);
    w.click(f.BitBtnStop);
    VirtualSound::advance(0);

    w.click(f.BitBtnPlayAll);
    w.advance(0);
    EXPECT_EQ(f.N(), 2);
    w.advance(1601); // the file at 2800, the end of syntagm 2
    EXPECT_EQ(f.N(), 2);
    w.advance(1);
    EXPECT_EQ(f.N(), 3);
    EXPECT_EQ(w.position(), 2801);
    w.click(f.BitBtnStop);
    VirtualSound::advance(0);

    w.setN(3);
    f.TrackBarText->setFocus();
    QTest::keyClick(f.TrackBarText, Qt::Key_Space);
    w.setN(4);
    w.click(f.BtnImgTransD1QF2);
    w.click(f.BtnImgTransD1QF1);
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(w.position(), 3000) << round;
        EXPECT_EQ(f.N(), 3);
        w.advance(1602);
        EXPECT_EQ(f.N(), 4);
        w.advance(3600 - 1602); // the end of syntagm 4 at 4800, heard at 3600
    }
    w.click(f.BitBtnStop);
    VirtualSound::advance(0);
    EXPECT_TRUE(w.idle());
    Tempo::choose(Tempo::Normal); // for the tests after
}

TEST(WorkTextWindow, StudentRecordingWithItsTimingFile)
{
    LessonWindow w;
    w.course.writeLines("Anna5.txt", {"#\t#", "100\t600", "700\t1300", "1400\t1900"});
    VirtualSound::setLength(w.course.filePath("Anna5.wav"), 3000);
    w.open(w.course.filePath("Anna5.wav"));
    TFormWorkText& f = *w.form;
    EXPECT_EQ(helpContextOf(&f), 180);
    ASSERT_TRUE(f.CheckBoxTransUser->Enabled());
    w.click(f.CheckBoxTransUser);
    EXPECT_FALSE(f.BtnImgTransD1QF1->isEnabled()) << "no loop on the student's recording";
    w.setN(3);
    w.click(f.BitBtnSelectString);
    EXPECT_EQ(f.MediaPlayerText->FileName(), w.course.filePath("Anna5.wav"));
    EXPECT_EQ(w.position(), 700);
    w.advance(600);
    EXPECT_TRUE(w.idle());
    EXPECT_FALSE(f.BtnImgTransD1QF1->isEnabled());
    w.click(f.CheckBoxTransUser);
    EXPECT_TRUE(f.BtnImgTransD1QF1->isEnabled());
    w.click(f.BitBtnSelectString);
    EXPECT_EQ(f.MediaPlayerText->FileName(), w.course.filePath("T.wav"));
    EXPECT_EQ(w.position(), 3000);
}

TEST(WorkTextWindow, CommentsOfTheCurrentSyntagm)
{
    LessonWindow w;
    w.open();
    TFormWorkText& f = *w.form;
    w.advance(0);
    EXPECT_FALSE(f.BtnImgComent->isEnabled());
    w.setN(3);
    w.advance(0);
    ASSERT_TRUE(f.BtnImgComent->isEnabled());
    w.click(f.BtnImgComent);
    EXPECT_TRUE(f.PanelComent->isVisible());
    EXPECT_EQ(f.MemoComent->Lines(), (QStringList{"Erstens", "Zweitens"}));
    EXPECT_EQ(f.PanelComent->geometry().bottomRight(), f.rect().bottomRight());
    EXPECT_EQ(f.PanelComent->size(), QSize(461, 246));
    w.click(f.MemoComent->viewport());
    EXPECT_FALSE(f.PanelComent->isVisible());
    EXPECT_EQ(f.focusWidget(), f.TrackBarText);

    // Escape closes an open comment first, then the window.
    const auto escape = [&f] {
        QTest::keyClick(f.focusWidget() ? f.focusWidget() : &f, Qt::Key_Escape);
    };
    w.click(f.BtnImgComent);
    ASSERT_TRUE(f.PanelComent->isVisible());
    escape();
    EXPECT_FALSE(f.PanelComent->isVisible());
    EXPECT_TRUE(f.isVisible());
    escape();
    EXPECT_FALSE(f.isVisible());
}

// A damaged timing file: the message names the file and line below the
// window's own sentence, and the window still plays what was read.
TEST(WorkTextWindow, DamagedFileLeavesAUsableWindow)
{
    LessonWindow w;
    w.course.writeLines("T.tim", {"#\t#", "2000\t2800", "3000 3800"});
    MessageAnswers messages;
    w.open();
    ASSERT_EQ(messages.said.size(), 1);
    const QString message = messages.said[0];
    EXPECT_TRUE(message.startsWith(QStringLiteral("Ошибка чтения файла|")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("Повреждены звуковые файлы")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("T.tim"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("строка 3"))) << message.toStdString();
    w.click(w.form->BitBtnPlayAll);
    EXPECT_EQ(w.position(), 2000);
    w.advance(801);
    EXPECT_EQ(w.form->N(), 3);
}

// Without a sound device the first Play tells the student so, once in the
// window's life; a window opened later tells again.
TEST(WorkTextWindow, WithoutASoundDeviceTheFirstPlaySaysSoOnce)
{
    LessonWindow w;
    VirtualSound::setDeviceWorking(false);
    MessageAnswers messages;
    for (int window = 1; window <= 2; ++window) {
        w.open();
        for (int play = 0; play < 3; ++play) {
            w.click(w.form->BitBtnPlayAll);
            QTest::qWait(20);
            EXPECT_TRUE(w.idle());
        }
        ASSERT_EQ(messages.said.size(), window);
        EXPECT_TRUE(messages.said.back().startsWith(QStringLiteral("Нет звука|")))
            << messages.said.back().toStdString();
    }
}

// A lesson of one line plays from its only entry; the pictures follow the
// lesson's timing while the translation is hidden, and one that cannot be
// loaded leaves the page's drawing.
TEST(WorkTextWindow, OneLineLessonAndPictures)
{
    LessonWindow w;
    w.course.writeLines("T.txt", {"Hallo"}, true);
    w.course.writeLines("T.ru", {QStringLiteral("Привет")});
    w.course.writeLines("T.tim", {"400\t900"});
    w.open();
    TFormWorkText& f = *w.form;
    EXPECT_EQ(f.TrackBarText->maximum(), 1);
    EXPECT_EQ(f.shownPicture(), 1);
    EXPECT_FALSE(f.ImageChange->pixmap().isNull());
    w.click(f.BitBtnPlayAll);
    EXPECT_EQ(w.position(), 400);
    w.advance(600);
    EXPECT_EQ(f.N(), 1);
    w.advance(8500);
    EXPECT_TRUE(w.idle());

    // The picture list names a file in a folder with "\\", as course files do.
    LessonWindow pictures;
    QDir().mkpath(pictures.course.filePath("pics"));
    QImage red(40, 30, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(pictures.course.filePath("pics/red.png")));
    pictures.course.writeLines("T.pic", {"0\t3500\tnone.jpg", "3500\t20000\tpics\\red.png"});
    pictures.open();
    const QImage drawing = pictures.form->ImageChange->pixmap().toImage();
    pictures.setN(4);
    pictures.advance(0);
    EXPECT_EQ(pictures.form->shownPicture(), 2) << "syntagm 4 ends at 4800";
    const QImage shown = pictures.form->ImageChange->pixmap().toImage();
    EXPECT_EQ(shown.pixelColor(shown.rect().center()), QColor(Qt::red));
    EXPECT_NE(drawing.pixelColor(drawing.rect().center()), QColor(Qt::red));
}

TEST(WorkTextWindow, ExecuteWorkTextFitsTheWindowAndReturns0)
{
    LessonWindow w;
    QRect placed;
    whenModal([&](QWidget* window) {
        placed = window->geometry();
        QTest::mouseClick(qobject_cast<TFormWorkText*>(window)->BitBtn5, Qt::LeftButton);
    });
    const LaunchResult result =
        ExecuteWorkText(0, 0, 1094, 738, w.course.filePath("T.wav"), {}, "T.txt", "T.ru", "T.tim",
                        "T.pic", 2, w.course.path() + "/");
    EXPECT_EQ(result, LaunchResult::GoneThrough);
    EXPECT_EQ(placed, QRect(0, 16, 1094, 705));
}

namespace {
// Where the view draws the first letter of syntagm `index` (from 0), as a
// student sees it.
QPoint letterOf(TTextSintagm* view, int index)
{
    const SyntagmLayout& model = view->Model();
    const SyntagmPlace& place = model.places()[index];
    const double pitch = view->Font().pixelSize() * 1.25;
    // A syntagm whose first word wrapped starts on the next line.
    const bool wrapped = place.startColumn >= model.Lines()[place.startLine].text.size();
    const int line = wrapped ? place.startLine + 1 : place.startLine;
    const QString before = wrapped ? QString() : model.Lines()[line].text.left(place.startColumn);
    return {QFontMetrics(view->Font()).horizontalAdvance(before) + 3,
            int(std::nearbyint(line * pitch) + std::nearbyint(model.scrollOffset()) + pitch / 2)};
}

void showText(LessonWindow& w)
{
    w.click(w.form->CheckBoxText);
    w.form->TextSintagmText->grab();
}
} // namespace

// A click on a syntagm makes it the current one; while a play follows the
// sound it jumps there; a double click plays that syntagm alone.
TEST(WorkTextWindow, ClickAndDoubleClickOnASyntagm)
{
    LessonWindow w;
    w.open();
    TFormWorkText& f = *w.form;
    showText(w);
    QTest::mouseClick(f.TextSintagmText, Qt::LeftButton, {}, letterOf(f.TextSintagmText, 5));
    EXPECT_EQ(f.N(), 6);
    EXPECT_EQ(f.TrackBarText->value(), 6);
    EXPECT_TRUE(w.idle());

    w.click(f.BitBtnPlayAll);
    w.advance(1500);
    f.TextSintagmText->grab();
    QTest::mouseClick(f.TextSintagmText, Qt::LeftButton, {}, letterOf(f.TextSintagmText, 7));
    EXPECT_EQ(f.N(), 8);
    EXPECT_EQ(w.position(), 8000) << "on from the clicked syntagm";
    w.advance(0); // the jumped-over run's end arrives while the new one plays
    EXPECT_FALSE(w.idle());
    EXPECT_TRUE(f.following());
    w.advance(801);
    EXPECT_EQ(f.N(), 9) << "and it follows the sound from there";

    f.TextSintagmText->grab();
    QTest::mouseDClick(f.TextSintagmText, Qt::LeftButton, {}, letterOf(f.TextSintagmText, 3));
    EXPECT_EQ(f.N(), 4);
    EXPECT_EQ(w.position(), 4000);
    EXPECT_FALSE(f.following());
    w.advance(0);
    EXPECT_FALSE(w.idle());
    w.advance(800);
    EXPECT_TRUE(w.idle()) << "the syntagm alone, to its end";
    EXPECT_EQ(f.N(), 4);
}

// "Пауза" and F5 hold the sound where it is; "Далее" goes on from there to
// the same end, a loop's included.
TEST(WorkTextWindow, PauseAndResumeKeepThePlace)
{
    LessonWindow w;
    w.open();
    TFormWorkText& f = *w.form;
    EXPECT_FALSE(f.BitBtnPause->isEnabled());
    w.setN(3);
    w.click(f.BtnImgTransD1QF2);
    w.setN(4);
    w.click(f.BtnImgTransD1QF2);
    w.click(f.BtnImgTransD1QF1); // the loop over 3 and 4: 3000 to 4800
    w.advance(1300);
    w.click(f.BitBtnPause);
    EXPECT_TRUE(f.paused());
    EXPECT_EQ(f.LabelPause->text(), QStringLiteral("Далее"));
    w.advance(5000);
    EXPECT_EQ(w.position(), 4300) << "held where it was";
    EXPECT_EQ(f.N(), 4);
    QTest::keyClick(&f, Qt::Key_F5);
    EXPECT_FALSE(f.paused());
    EXPECT_EQ(f.LabelPause->text(), QStringLiteral("Пауза"));
    w.advance(0);
    EXPECT_FALSE(w.idle()) << "the paused run's end is not the play's";
    w.advance(499);
    EXPECT_EQ(w.position(), 4799);
    w.advance(1);
    w.advance(0);
    EXPECT_EQ(w.position(), 3000) << "the loop starts again at its own end";
    QTest::keyClick(&f, Qt::Key_F8);
    w.advance(0);
    EXPECT_TRUE(w.idle());
    EXPECT_FALSE(f.BitBtnPause->isEnabled());
}

// The wheel scrolls the text and the current syntagm stops pulling it back
// until the next play; Ctrl with the wheel or the keys sizes the text of
// both panes, kept for each student.
TEST(WorkTextWindow, WheelScrollsAndTextSizeIsTheStudents)
{
    LessonWindow w;
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Quillfern", "TolvarenDemo")
        .remove("TextSize");
    // A text longer than the page.
    QStringList text{"#Titel"}, trans{QStringLiteral("#Заголовок")}, timing{"#\t#"};
    for (int k = 2; k <= 60; ++k) {
        text.append(QStringLiteral("Satz %1 ist hier und dort.").arg(k));
        trans.append(QStringLiteral("Фраза %1.").arg(k));
        timing.append(QStringLiteral("%1\t%2").arg(k * 1000).arg(k * 1000 + 800));
    }
    w.course.writeLines("T.txt", text, true);
    w.course.writeLines("T.ru", trans);
    w.course.writeLines("T.tim", timing);
    VirtualSound::setLength(w.course.filePath("T.wav"), 61000);
    w.open({}, QStringLiteral("Anna"));
    TFormWorkText& f = *w.form;
    showText(w);
    EXPECT_EQ(f.TextSintagmText->Font().pixelSize(), 16);
    w.setN(40);
    for (int i = 0; i < 300; ++i) {
        w.advance(0);
        f.TextSintagmText->grab();
    }
    const double settled = f.TextSintagmText->Model().scrollOffset();
    QWheelEvent wheel(QPointF(20, 20), f.TextSintagmText->mapToGlobal(QPointF(20, 20)), {},
                      {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.TextSintagmText, &wheel);
    const double scrolled = f.TextSintagmText->Model().scrollOffset();
    EXPECT_DOUBLE_EQ(scrolled, settled + 3 * 20) << "three lines of 20 pixels";
    f.TextSintagmText->grab();
    w.advance(0);
    EXPECT_DOUBLE_EQ(f.TextSintagmText->Model().scrollOffset(), scrolled);
    w.click(f.BitBtnSelectNext);
    w.advance(50);
    EXPECT_LT(f.TextSintagmText->Model().scrollOffset(), scrolled) << "a play follows again";

    QTest::keyClick(&f, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(f.TextSintagmText->Font().pixelSize(), 18);
    EXPECT_EQ(f.TextSintagmTrans->Font().pixelSize(), 18);
    QWheelEvent zoom(QPointF(20, 20), f.TextSintagmText->mapToGlobal(QPointF(20, 20)), {}, {0, 120},
                     Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.TextSintagmText, &zoom);
    EXPECT_EQ(f.TextSintagmTrans->Font().pixelSize(), 20);
    EXPECT_EQ(f.textZoom().step(), 2);

    w.open({}, QStringLiteral("Anna"));
    EXPECT_EQ(w.form->TextSintagmText->Font().pixelSize(), 20) << "as Anna left it";
    w.open({}, QStringLiteral("Boris"));
    EXPECT_EQ(w.form->TextSintagmText->Font().pixelSize(), 16);
    QTest::keyClick(w.form.get(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(w.form->TextSintagmText->Font().pixelSize(), 14);
    w.open({}, QStringLiteral("Anna"));
    QTest::keyClick(w.form.get(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(w.form->TextSintagmText->Font().pixelSize(), 16) << "as designed";
}
