// The interpretation trainer driven through its controls on the virtual sound
// engine: the clock moves only when a test moves it, so every tick of a pass,
// the wait and the student timing file are checked exactly.
#include "common/Tempo.h"
#include "listening/FormTransNoText.h"
#include "listening/FormWorkText.h"
#include "listening/LevelMeter.h"
#include "listening/MicCheck.h"
#include "sound/MediaPlayer.h"
#include "sound/SoundFile.h"
#include "sound/SoundFiles.h"
#include "sound/VirtualSoundEngine.h"
#include "support/ModalDriver.h"
#include "support/ReleasedFifo.h"
#include "support/TempCourse.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/ChBxImgTransD1QF.h"
#include "widgets/DialogResult.h"
#include "widgets/HelpContext.h"
#include "widgets/Memo.h"
#include "widgets/PrgssBarQF.h"
#include "widgets/TempoBox.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {
// A title and nine lines; line 5 (or the one asked for) is a heading.
// Syntagm k sounds from k s to k s + 800 ms; the recording is 11000 ms long.
// The windows keep text sizes in settings of the tests' own, never the user's.
void useOwnSettings()
{
    static const QTemporaryDir folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
}

struct Trainer {
    TempCourse course;
    QString oldFolder = QDir::currentPath();
    std::unique_ptr<TFormTransNoText> form;

    explicit Trainer(const QList<int>& headingLines = {5})
    {
        useOwnSettings();
        VirtualSound::use();
        VirtualSound::reset();
        QStringList text{"#Titel"}, trans{QStringLiteral("#Заголовок")}, timing{"#\t#"};
        for (int k = 2; k <= 10; ++k) {
            const bool heading = headingLines.contains(k);
            text.append(heading ? QStringLiteral("#Teil")
                                : QStringLiteral("Satz %1 ist hier.").arg(k));
            trans.append(heading ? QStringLiteral("#Часть") : QStringLiteral("Фраза %1.").arg(k));
            timing.append(heading ? QStringLiteral("#\t#")
                                  : QStringLiteral("%1\t%2").arg(k * 1000).arg(k * 1000 + 800));
        }
        course.writeLines("T.txt", text, true);
        course.writeLines("T.ru", trans);
        course.writeLines("T.tim", timing);
        course.writeLines("T.pic", {"0\t3500\tnone.jpg"});
        VirtualSound::setLength(course.filePath("T.wav"), 11000);
        EXPECT_TRUE(writeTemplate(course.filePath("TSBegin.wav")));
        QDir::setCurrent(course.path());
    }
    ~Trainer()
    {
        form.reset();
        QDir::setCurrent(oldFolder);
        VirtualSound::use(false);
    }

    void open(const QString& recording, bool wait, bool text = false,
              const PassReviewOpener& review = {})
    {
        TransNoTextSettings settings{course.filePath("T.wav"),
                                     recording.isEmpty() ? QString() : course.filePath(recording),
                                     LessonFileNames{"T.txt", "T.ru", "T.tim", "T.pic", {}},
                                     text,
                                     false,
                                     wait,
                                     course.path() + "/",
                                     140};
        settings.review = review;
        settings.kind = wait ? ExerciseKind::TrainerWithWait : ExerciseKind::Interpretation;
        form = std::make_unique<TFormTransNoText>(settings);
        form->resize(700, 430);
        form->show();
    }
    // Moves the sound clock by whole ticks, letting the window look each time.
    void run(qint64 ms)
    {
        for (qint64 done = 0; done < ms; done += 50) {
            VirtualSound::advance(std::min<qint64>(50, ms - done));
            form->TimerPosTimer();
        }
    }
    void click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, 5)); }
    bool idle() const { return form->BitBtnPlay->isEnabled() && !form->BitBtnStop->isEnabled(); }
    QStringList timingLines() const
    {
        return QString::fromLatin1(course.read("Anna12.txt")).split("\r\n", Qt::SkipEmptyParts);
    }
};
} // namespace

// Damaged text files: the message, and a window that still works.
TEST(TransNoTextWindow, DamagedTextFilesAreTold)
{
    Trainer t;
    t.course.writeLines("T.tim", {"#\t#", "2000\tx"});
    MessageAnswers messages;
    t.open({}, false);
    ASSERT_EQ(messages.said.size(), 1);
    const QString message = messages.said[0];
    EXPECT_TRUE(message.contains(QStringLiteral("Повреждены текстовые файлы")))
        << message.toStdString();
    t.click(t.form->BitBtnPlay);
    EXPECT_TRUE(t.form->running());
}

TEST(TransNoTextWindow, OpensIdleWithWhatTheExerciseAllows)
{
    Trainer t;
    t.open("Anna12.wav", true);
    TFormTransNoText& f = *t.form;
    EXPECT_EQ(f.LabelPlay->text(), QStringLiteral("Переводить"));
    EXPECT_TRUE(t.idle());
    EXPECT_FALSE(f.BitBtnPause->isEnabled());
    EXPECT_TRUE(f.BtnImgWait->isEnabled());
    EXPECT_FALSE(f.CheckBoxText->Enabled());
    EXPECT_FALSE(f.PaintBoxText->isVisible());
    EXPECT_TRUE(f.ImageStatic->isVisible());
    EXPECT_EQ(helpContextOf(&f), 140);
    const int paneHeight = 430 - 77;
    EXPECT_EQ(f.paintArea(),
              QSize(int(std::nearbyint(paneHeight * 260.0 / 280 - 50)), paneHeight - 30));
    EXPECT_EQ(f.PanelNavF->height(), 77);
    EXPECT_EQ(f.LaidText().places()[1].startLine, 3) << "the title is not shown";

    Trainer listening;
    listening.open({}, false, true);
    EXPECT_EQ(listening.form->LabelPlay->text(), QStringLiteral("Слушать"));
    EXPECT_FALSE(listening.form->BtnImgWait->isEnabled());
    // The text may be ticked before a pass; the tick shows the idle box.
    listening.click(listening.form->CheckBoxText);
    EXPECT_TRUE(listening.form->PaintBoxText->isVisible());
}

// A pass without recording writes nothing and ends by itself with the lesson.
TEST(TransNoTextWindow, ListeningPassEndsWithTheLesson)
{
    Trainer t;
    t.open({}, false, true);
    TFormTransNoText& f = *t.form;
    t.click(f.CheckBoxText);
    const QStringList before = QDir(t.course.path()).entryList(QDir::Files);
    t.click(f.BitBtnPlay);
    EXPECT_TRUE(f.running());
    EXPECT_FALSE(f.recording());
    EXPECT_TRUE(f.PaintBoxText->isVisible());
    EXPECT_FALSE(f.BitBtnClose->isEnabled());
    EXPECT_EQ(f.ProgressBarRec->Max(), 11);
    t.run(2800);
    EXPECT_EQ(f.N(), 2);
    t.run(50);
    EXPECT_EQ(f.N(), 3);
    EXPECT_EQ(f.ProgressBarRec->Position(), 2);
    t.run(8150);
    EXPECT_TRUE(t.idle()) << "the lesson's end ends the pass";
    EXPECT_FALSE(f.PaintBoxText->isVisible());
    EXPECT_EQ(QDir(t.course.path()).entryList(QDir::Files), before);
    // Fully idle: no timer moves the bar back to the lesson's end.
    EXPECT_FALSE(f.TimerPos.isActive());
    EXPECT_EQ(f.MediaPlayerPlay->Mode(), MediaPlayer::PlayerMode::NotReady);
    QTest::qWait(3 * TFormTransNoText::TimerInterval);
    EXPECT_EQ(f.ProgressBarRec->Position(), 0);
}

// Kind 12: the recording starts as the template, the lesson can be held back
// while recording goes on, a wait longer than its syntagm plus 20 s ends by
// itself, and recording goes on 10 s past the lesson's end.
TEST(TransNoTextWindow, RecordingPassWithAWaitWritesTheStudentTiming)
{
    Trainer t;
    t.course.write("Anna12.wav", "an older recording");
    t.open("Anna12.wav", true);
    TFormTransNoText& f = *t.form;
    t.click(f.BitBtnPlay);
    ASSERT_TRUE(f.recording());
    EXPECT_EQ(f.MediaPlayerRec->Mode(), MediaPlayer::PlayerMode::Recording);
    // The pass's files stand beside the recording until it has half a second.
    EXPECT_EQ(t.course.read("Anna12.pass.txt"), "#\t#\r\n");
    EXPECT_EQ(t.course.read("Anna12.wav"), "an older recording");
    t.run(3000); // past syntagm 2 (ends at 2800)
    EXPECT_EQ(f.N(), 3);
    EXPECT_EQ(t.timingLines(), (QStringList{"#\t#", "0\t2850"}));

    t.click(f.BtnImgWait);
    EXPECT_TRUE(f.waiting());
    EXPECT_EQ(f.LabelWait->text(), QStringLiteral("Далее"));
    EXPECT_FALSE(f.BitBtnPause->isEnabled());
    t.run(2000);
    EXPECT_EQ(f.MediaPlayerPlay->Position(), 3000) << "the lesson holds";
    t.click(f.BtnImgWait);
    EXPECT_FALSE(f.waiting());
    EXPECT_EQ(f.LabelWait->text(), QStringLiteral("Подождать"));

    // Syntagm 3 lasts 800 ms: a wait of more than 20.8 s ends by itself.
    t.click(f.BtnImgWait);
    t.run(20800);
    EXPECT_TRUE(f.waiting());
    t.run(100);
    EXPECT_FALSE(f.waiting());
    const qint64 lag = 2000 + 20850; // the recording is ahead of the lesson by both waits

    t.run(8100); // the lesson (at 3050 after the wait's last tick) ends at 11000
    EXPECT_TRUE(f.running()) << "recording goes on past the lesson";
    t.run(9800);
    EXPECT_TRUE(f.running());
    t.run(300);
    EXPECT_TRUE(t.idle());

    const QStringList lines = t.timingLines();
    ASSERT_EQ(lines.size(), 10) << lines.join('|').toStdString();
    EXPECT_EQ(lines[4], "#\t#") << "line 5 is the heading";
    EXPECT_EQ(lines[2].section('\t', 0, 0), "2850");
    EXPECT_EQ(lines[2].section('\t', 1).toLongLong(), 3850 + lag);
    for (int i = 2; i < lines.size(); ++i) {
        if (lines[i] != "#\t#" && lines[i - 1] != "#\t#") {
            EXPECT_EQ(lines[i].section('\t', 0, 0), lines[i - 1].section('\t', 1)) << i;
        }
    }
    EXPECT_GT(QFileInfo(t.course.filePath("Anna12.wav")).size(), 44) << "recorded";
    EXPECT_NE(t.course.read("Anna12.wav"), "an older recording");
}

TEST(TransNoTextWindow, PauseHoldsBothAndStopFinishesTheTiming)
{
    Trainer t;
    t.open("Anna12.wav", true);
    TFormTransNoText& f = *t.form;
    t.click(f.BitBtnPlay);
    t.run(1000);
    t.click(f.BitBtnPause);
    EXPECT_EQ(f.LabelPause->text(), QStringLiteral("Далее"));
    EXPECT_FALSE(f.TimerPos.isActive());
    EXPECT_FALSE(f.BtnImgWait->isEnabled());
    EXPECT_EQ(f.MediaPlayerRec->Mode(), MediaPlayer::PlayerMode::Paused);
    VirtualSound::advance(5000);
    EXPECT_EQ(f.MediaPlayerPlay->Position(), 1000);
    EXPECT_EQ(f.MediaPlayerRec->Position(), 1000);
    t.click(f.BitBtnPause);
    EXPECT_EQ(f.LabelPause->text(), QStringLiteral("Пауза"));
    EXPECT_TRUE(f.TimerPos.isActive());
    EXPECT_TRUE(f.BtnImgWait->isEnabled());
    t.run(3000);
    t.click(f.BitBtnStop);
    VirtualSound::advance(0);
    EXPECT_TRUE(t.idle());
    EXPECT_EQ(f.MediaPlayerRec->Mode(), MediaPlayer::PlayerMode::NotReady);
    EXPECT_EQ(t.timingLines(), (QStringList{"#\t#", "0\t2850", "2850\t3850", "3850\t4000"}));
}

// "Выход" in the middle of a pass leaves a complete timing file, as "Стоп" does.
TEST(TransNoTextWindow, LeavingInAPassFinishesTheTiming)
{
    Trainer t;
    t.open("Anna12.wav", true);
    t.click(t.form->BitBtnPlay);
    t.run(3500);
    t.form->BitBtnCloseClick();
    EXPECT_FALSE(t.form->isVisible());
    EXPECT_EQ(t.timingLines(), (QStringList{"#\t#", "0\t2850", "2850\t3500"}));
}

// Without a readable template the pass records nothing and the previous
// recording stays as it was.
TEST(TransNoTextWindow, MissingTemplateKeepsThePreviousRecording)
{
    Trainer t;
    QFile::remove(t.course.filePath("TSBegin.wav"));
    t.course.write("Anna12.wav", "the previous recording");
    t.open("Anna12.wav", true);
    MessageAnswers messages;
    t.click(t.form->BitBtnPlay);
    ASSERT_EQ(messages.said.size(), 1);
    const QString message = messages.said[0];
    EXPECT_TRUE(message.contains(QStringLiteral("Повреждены файлы"))) << message.toStdString();
    EXPECT_TRUE(message.contains("TSBegin.wav")) << message.toStdString();
    EXPECT_TRUE(t.form->running());
    EXPECT_FALSE(t.form->recording());
    EXPECT_FALSE(t.form->BtnImgWait->isEnabled());
    EXPECT_EQ(t.course.read("Anna12.wav"), "the previous recording");
    EXPECT_FALSE(QFileInfo::exists(t.course.filePath("Anna12.txt")));
}

// No sound device: a message, the pass ends, nothing hangs.
TEST(TransNoTextWindow, NoDeviceEndsThePassWithAMessage)
{
    Trainer t;
    t.open("Anna12.wav", true);
    VirtualSound::setDeviceWorking(false);
    MessageAnswers messages;
    t.click(t.form->BitBtnPlay);
    VirtualSound::advance(0);
    QTest::qWait(50);
    ASSERT_EQ(messages.said.size(), 1);
    const QString message = messages.said[0];
    EXPECT_FALSE(message.isEmpty());
    EXPECT_TRUE(t.idle());
    EXPECT_FALSE(t.form->running());
}

// A pass records into a file beside the recording. Stopped before half a
// second it leaves the previous recording and timing file as they were and
// says so; a pass file a crash left is removed by the next pass; past half a
// second the pass's files replace the previous ones, and the pass goes on in
// the recording itself, after a pause too.
TEST(TransNoTextWindow, APassReplacesThePreviousRecordingOnlyOnceItHasHalfASecond)
{
    Trainer t;
    t.course.write("Anna12.wav", "the previous recording");
    t.course.write("Anna12.txt", "#\t#\r\n0\t900\r\n");
    t.open("Anna12.wav", true);
    TFormTransNoText& f = *t.form;
    MessageAnswers messages;
    t.click(f.BitBtnPlay);
    t.run(400);
    t.click(f.BitBtnStop);
    VirtualSound::advance(0);
    QTest::qWait(20);
    EXPECT_EQ(t.course.read("Anna12.wav"), "the previous recording");
    EXPECT_EQ(t.course.read("Anna12.txt"), "#\t#\r\n0\t900\r\n");
    ASSERT_EQ(messages.said.size(), 1);
    EXPECT_TRUE(messages.said[0].contains(QStringLiteral("Прежняя запись сохранена без изменений")))
        << messages.said[0].toStdString();
    EXPECT_EQ(QDir(t.course.path()).entryList({"Anna12*"}),
              QStringList({"Anna12.txt", "Anna12.wav"}));

    t.course.write("Anna12.pass.wav", "left by a crash");
    t.click(f.BitBtnPlay);
    EXPECT_NE(t.course.read("Anna12.pass.wav"), "left by a crash");
    t.run(1000);
    EXPECT_NE(t.course.read("Anna12.wav"), "the previous recording");
    EXPECT_EQ(t.timingLines(), QStringList{"#\t#"});
    t.click(f.BitBtnPause);
    t.click(f.BitBtnPause);
    t.run(2000);
    t.click(f.BitBtnStop);
    VirtualSound::advance(0);
    EXPECT_EQ(t.timingLines(), (QStringList{"#\t#", "0\t2850", "2850\t3000"}));
    EXPECT_EQ(QDir(t.course.path()).entryList({"Anna12*"}),
              QStringList({"Anna12.txt", "Anna12.wav"}));
    const std::optional<SoundFileInfo> recorded = probeSoundFile(t.course.filePath("Anna12.wav"));
    ASSERT_TRUE(recorded);
    EXPECT_NEAR(double(recorded->lengthMs()), 3000, 2) << "both stretches, in the recording";
    EXPECT_EQ(messages.said.size(), 1);
}

// A pipe in place of the template: the pass starts at once without recording,
// and the message names the file and what it is.
TEST(TransNoTextWindow, APipeForTheTemplateIsRefusedAtOnce)
{
    Trainer t;
    QFile::remove(t.course.filePath("TSBegin.wav"));
    ReleasedFifo fifo(t.course.filePath("TSBegin.wav"));
    ASSERT_TRUE(fifo.made());
    t.course.write("Anna12.wav", "the previous recording");
    t.open("Anna12.wav", true);
    MessageAnswers messages;
    QElapsedTimer took;
    took.start();
    t.click(t.form->BitBtnPlay);
    EXPECT_LT(took.elapsed(), 1000);
    EXPECT_TRUE(t.form->running());
    EXPECT_FALSE(t.form->recording());
    ASSERT_EQ(messages.said.size(), 1);
    EXPECT_TRUE(messages.said[0].contains("TSBegin.wav")) << messages.said[0].toStdString();
    EXPECT_TRUE(messages.said[0].contains(QStringLiteral("канал")));
    EXPECT_EQ(t.course.read("Anna12.wav"), "the previous recording");
}

// Every heading keeps its "#\t#" line, in step with the text: one right
// after the title (the first syntagm, line 3, then starts at 0) and two in a
// row later on (the syntagm after them is lit as soon as the one before ends).
TEST(TransNoTextWindow, HeadingsKeepTheirTimingLines)
{
    Trainer t({2, 5, 6});
    t.open("Anna12.wav", true);
    t.click(t.form->BitBtnPlay);
    t.run(4000); // past syntagm 3 (ends at 3800)
    EXPECT_EQ(t.form->N(), 4);
    EXPECT_EQ(t.timingLines(), (QStringList{"#\t#", "#\t#", "0\t3850"}));
    t.run(900); // past syntagm 4 (ends at 4800)
    EXPECT_EQ(t.form->N(), 7);
    EXPECT_EQ(t.timingLines(),
              (QStringList{"#\t#", "#\t#", "0\t3850", "3850\t4850", "#\t#", "#\t#"}));
}

// Escape is "Выход": not while a pass records, with "Выход" disabled.
TEST(TransNoTextWindow, EscapeLeavesOnlyWhenExitIsEnabled)
{
    Trainer t;
    t.open("Anna12.wav", true);
    t.click(t.form->BitBtnPlay);
    t.run(1000);
    QTest::keyClick(t.form.get(), Qt::Key_Escape);
    EXPECT_TRUE(t.form->isVisible());
    EXPECT_TRUE(t.form->running());
    t.run(1000);
    EXPECT_EQ(t.form->MediaPlayerRec->Position(), 2000) << "still recording";
    t.click(t.form->BitBtnStop);
    VirtualSound::advance(0);
    QTest::keyClick(t.form.get(), Qt::Key_Escape);
    EXPECT_FALSE(t.form->isVisible());
    EXPECT_EQ(t.form->result(), int(DialogResult::Cancel));
}

// The text fills the 20-pixel cells its lines are laid out in.
TEST(TransNoTextWindow, TextFillsItsTwentyPixelLines)
{
    Trainer t;
    t.open({}, false, true);
    const QFontMetrics metrics(t.form->paneFont());
    EXPECT_EQ(metrics.ascent() + metrics.descent(), 20);
}

// While a pass records, the meter shows the level of what is captured and
// the light is on; a pass that hears nothing for its first three seconds
// says so once in the window, and the hint goes when a voice comes.
TEST(TransNoTextWindow, LevelMeterAndTheSilentMicrophone)
{
    Trainer t;
    t.open("Anna12.wav", false);
    TFormTransNoText& f = *t.form;
    EXPECT_FALSE(f.MeterRec->recording());
    VirtualSound::setInputPeak(0.001f);
    t.click(f.BitBtnPlay);
    const auto tick = [&](int ticks) {
        for (int i = 0; i < ticks; ++i) {
            t.run(50);
            f.TimerLevelTimer();
        }
    };
    tick(59);
    EXPECT_TRUE(f.MeterRec->recording());
    EXPECT_FLOAT_EQ(f.MeterRec->level(), 0.001f);
    EXPECT_FALSE(f.LabelQuiet->isVisibleTo(&f)) << "not before three seconds";
    tick(1);
    EXPECT_TRUE(f.LabelQuiet->isVisibleTo(&f));
    EXPECT_EQ(f.LabelQuiet->text(),
              QStringLiteral("Микрофон не слышит голоса. Проверьте, включён ли он."));
    VirtualSound::setInputPeak(0.25f);
    tick(1);
    EXPECT_FALSE(f.LabelQuiet->isVisibleTo(&f)) << "a voice came";
    EXPECT_NEAR(f.MeterRec->filled(), (20 * std::log10(0.25) + 60) / 60, 1e-6);
    t.click(f.BitBtnPause);
    f.TimerLevelTimer();
    EXPECT_FALSE(f.MeterRec->recording()) << "the light is off while paused";
    t.click(f.BitBtnStop);
    EXPECT_FALSE(f.MeterRec->recording());

    // A voice from the start: no hint at all.
    t.click(f.BitBtnPlay);
    tick(80);
    EXPECT_FALSE(f.LabelQuiet->isVisibleTo(&f));
}

// The keys of the table, each shown in its button's tooltip; Ctrl and the
// plus, minus and 0 keys size the panes' text.
TEST(TransNoTextWindow, KeysStartPauseWaitStopAndSizeTheText)
{
    Trainer t;
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Quillfern", "TolvarenDemo")
        .remove("TextSize");
    t.open("Anna12.wav", true);
    TFormTransNoText& f = *t.form;
    const QList<std::pair<QWidget*, const char*>> tips{{f.BitBtnPlay, "(F5)"},
                                                       {f.BitBtnPause, "(F5)"},
                                                       {f.BtnImgWait, "(F6)"},
                                                       {f.BitBtnStop, "(F8)"},
                                                       {f.BitBtnClose, "(Esc)"}};
    for (const auto& [button, key] : tips)
        EXPECT_TRUE(button->toolTip().contains(key)) << button->toolTip().toStdString();
    QTest::keyClick(&f, Qt::Key_F5);
    EXPECT_TRUE(f.running());
    QTest::keyClick(&f, Qt::Key_F5);
    EXPECT_EQ(f.LabelPause->text(), QStringLiteral("Далее"));
    QTest::keyClick(&f, Qt::Key_F6);
    EXPECT_FALSE(f.waiting()) << "no waiting while paused";
    QTest::keyClick(&f, Qt::Key_F5);
    QTest::keyClick(&f, Qt::Key_F6);
    EXPECT_TRUE(f.waiting());
    QTest::keyClick(&f, Qt::Key_F6);
    EXPECT_FALSE(f.waiting());
    QTest::keyClick(&f, Qt::Key_F8);
    EXPECT_FALSE(f.running());

    EXPECT_EQ(f.TextScroll().lineHeight, 20);
    QTest::keyClick(&f, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(&f, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(f.TextScroll().lineHeight, 25) << "two eighths larger";
    EXPECT_EQ(QFontMetrics(f.paneFont()).height(), QFontMetrics(look::arialForCell(25)).height());
    QTest::keyClick(&f, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(f.TextScroll().lineHeight, 20);
}

// "Прослушать запись" after a pass opens the listening window on the file
// this pass recorded, the student's recording selected, with the pass's own
// timing where it wrote one: for a named student and for the anonymous one.
TEST(TransNoTextWindow, ThePassIsHeardBackAtOnce)
{
    struct Case {
        const char* recording;
        bool wait;
    };
    for (const Case c : {Case{"Anna12.wav", true}, Case{"AnonSnd.wav", false}}) {
        SCOPED_TRACE(c.recording);
        Trainer t;
        t.open(c.recording, c.wait);
        TFormTransNoText& f = *t.form;
        EXPECT_TRUE(f.BtnMicCheck->isVisibleTo(&f));
        EXPECT_FALSE(f.BtnListen->isVisibleTo(&f));
        EXPECT_FALSE(f.BtnReview->isVisibleTo(&f)) << "no review given";
        t.click(f.BitBtnPlay);
        EXPECT_FALSE(f.BtnMicCheck->isVisibleTo(&f)) << "only before the first pass";
        EXPECT_FALSE(f.BtnListen->isEnabled());
        t.run(3000);
        t.click(f.BitBtnStop);
        VirtualSound::advance(0);
        ASSERT_TRUE(f.BtnListen->isVisibleTo(&f));
        ASSERT_TRUE(f.BtnListen->isEnabled());
        bool opened = false;
        whenModal([&](QWidget* window) {
            auto* listening = qobject_cast<TFormWorkText*>(window);
            ASSERT_TRUE(listening);
            opened = true;
            EXPECT_EQ(listening->soundFile(), t.course.filePath(c.recording));
            EXPECT_FALSE(listening->CheckBoxTransUser->Checked()) << "selected: the red ball";
            EXPECT_EQ(listening->lessonData().studentTimingFound, c.wait);
            listening->BitBtn5Click();
        });
        t.click(f.BtnListen);
        EXPECT_TRUE(opened);
    }

    // A pass that records nothing has nothing to hear back.
    Trainer t;
    t.open({}, false);
    t.click(t.form->BitBtnPlay);
    t.run(2000);
    t.click(t.form->BitBtnStop);
    VirtualSound::advance(0);
    EXPECT_FALSE(t.form->BtnListen->isVisibleTo(t.form.get()));
    EXPECT_FALSE(t.form->BtnMicCheck->isVisibleTo(t.form.get()));
}

// "Разбор перевода" shows only with a review to open, and hands it the pass.
TEST(TransNoTextWindow, ReviewIsGivenThePass)
{
    Trainer t;
    std::optional<PassReview> asked;
    t.open("Anna12.wav", true, false, [&](const PassReview& review) { asked = review; });
    TFormTransNoText& f = *t.form;
    ASSERT_TRUE(f.BtnReview->isVisibleTo(&f));
    EXPECT_FALSE(f.BtnReview->isEnabled()) << "no pass yet";
    t.click(f.BitBtnPlay);
    t.run(3000);
    t.click(f.BitBtnStop);
    VirtualSound::advance(0);
    t.click(f.BtnReview);
    ASSERT_TRUE(asked);
    EXPECT_EQ(asked->lessonRecording, t.course.filePath("T.wav"));
    EXPECT_EQ(asked->lessonTiming, "T.tim");
    EXPECT_EQ(asked->text, "T.txt");
    EXPECT_EQ(asked->recording, t.course.filePath("Anna12.wav"));
    EXPECT_EQ(asked->studentTiming, t.course.filePath("Anna12.txt"));
    EXPECT_EQ(asked->kind, ExerciseKind::TrainerWithWait);
}

// The microphone check records three seconds into a file of its own in the
// temporary folder, plays them back and removes the file; the student's
// recording and the template are not touched.
TEST(TransNoTextWindow, MicrophoneCheckUsesAFileOfItsOwn)
{
    Trainer t;
    t.open("Anna12.wav", false);
    TFormTransNoText& f = *t.form;
    const QByteArray templateBytes = t.course.read("TSBegin.wav");
    t.click(f.BtnMicCheck);
    const QString file = f.MicCheckRec->path();
    ASSERT_FALSE(file.isEmpty());
    EXPECT_EQ(QFileInfo(file).absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_FALSE(f.BitBtnPlay->isEnabled());
    EXPECT_FALSE(f.BtnMicCheck->isEnabled());
    VirtualSound::setInputPeak(0.5f);
    f.TimerLevelTimer();
    EXPECT_TRUE(f.MeterRec->recording());
    EXPECT_FLOAT_EQ(f.MeterRec->level(), 0.5f);
    VirtualSound::advance(3000); // recorded; now it plays back
    EXPECT_TRUE(f.MicCheckRec->running());
    EXPECT_FALSE(f.MicCheckRec->recording());
    VirtualSound::advance(3000);
    EXPECT_FALSE(f.MicCheckRec->running());
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_TRUE(f.BitBtnPlay->isEnabled());
    EXPECT_TRUE(f.BtnMicCheck->isVisibleTo(&f)) << "still before the first pass";
    EXPECT_FALSE(QFileInfo::exists(t.course.filePath("Anna12.wav")));
    EXPECT_EQ(t.course.read("TSBegin.wav"), templateBytes);
}

// The lesson's tempo is chosen between passes: a pass plays at it, and the
// wait it allows is that of the syntagm heard at it.
TEST(TransNoTextWindow, APassPlaysTheLessonAtTheTempoChosenBeforeIt)
{
    Trainer t;
    t.open("Anna12.wav", true);
    TFormTransNoText& f = *t.form;
    for (int step = 0; step < 10; ++step)
        f.TempoChoice->stepSlower();
    t.click(f.BitBtnPlay);
    EXPECT_EQ(f.MediaPlayerPlay->Tempo(), 50);
    EXPECT_FALSE(f.TempoChoice->isEnabled()) << "no tempo change in the middle of a pass";
    t.run(3000); // the lesson at 1500, before syntagm 2 (2000..2800) ends
    EXPECT_EQ(f.MediaPlayerPlay->Position(), 1500);
    EXPECT_EQ(f.N(), 2);
    t.click(f.BtnImgWait);
    // Syntagm 2 heard at 50 % lasts 1600 ms: the wait ends after 21.6 s, not 20.8.
    t.run(21000);
    EXPECT_TRUE(f.waiting());
    t.run(700);
    EXPECT_FALSE(f.waiting());
    t.click(f.BitBtnStop);
    VirtualSound::advance(0);
    EXPECT_TRUE(t.idle());
    EXPECT_TRUE(f.TempoChoice->isEnabled());
    Tempo::choose(Tempo::Normal); // for the tests after
}
