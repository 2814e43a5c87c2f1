// The interpretation trainer's rules: the recorder's range, the end of a long
// wait, the scroll's drift, the layout without headings and the student
// timing file that must survive a crash in the middle of a pass.
#include "listening/TrainerRules.h"
#include "listening/SyntagmLayout.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
} // namespace

TEST(TrainerRules, RangeAndWait)
{
    EXPECT_EQ(recorderRangeEnd(60000, 30, 100), 420000);
    EXPECT_EQ(recorderRangeEnd(0, 1, 100), 10000);
    const TimingEntry entry{4000, 6500};
    // 2500 ms of syntagm and 20 s: ends only once that is exceeded.
    EXPECT_FALSE(waitExpired(1000 + 22500, 1000, entry, 100));
    EXPECT_TRUE(waitExpired(1000 + 22501, 1000, entry, 100));
    EXPECT_TRUE(waitExpired(20001, 0, TimingEntry{}, 100));
}

// The recorder runs in real time while a slowed lesson takes longer to hear:
// the lesson's side of both limits grows by 1/tempo, the seconds added do not.
TEST(TrainerRules, RangeAndWaitAtASlowerTempo)
{
    // 60 s of lesson heard at 50 % take 120 s: twice that, and 10 s a line.
    EXPECT_EQ(recorderRangeEnd(60000, 30, 50), 540000);
    EXPECT_EQ(recorderRangeEnd(60000, 30, 75), 460000);
    const TimingEntry entry{4000, 6500};
    // 2500 ms of syntagm take 5000 ms to hear at 50 %, 3333 ms at 75 %.
    EXPECT_FALSE(waitExpired(25000, 0, entry, 50));
    EXPECT_TRUE(waitExpired(25001, 0, entry, 50));
    EXPECT_FALSE(waitExpired(23333, 0, entry, 75));
    EXPECT_TRUE(waitExpired(23334, 0, entry, 75));
}

TEST(TrainerRules, ScrollFollowsTheSoundAndDriftsToAThird)
{
    PaneScroll scroll;
    scroll.currentTop = 150; // below a third of 300
    scroll.step(0, 60000, 30, 300);
    EXPECT_EQ(scroll.drift, 1);
    EXPECT_EQ(scroll.offset, 0) << "a quarter pixel is not yet a pixel";
    for (int i = 0; i < 7; ++i)
        scroll.step(0, 60000, 30, 300);
    EXPECT_EQ(scroll.offset, 2);
    // Half the lesson: half of 30 lines of 20 pixels, plus the drift.
    scroll.step(30000, 60000, 30, 300);
    EXPECT_EQ(scroll.offset, 300 + 9 / 4);
    scroll.currentTop = 100; // at a third: pulled the other way
    scroll.step(30000, 60000, 30, 300);
    EXPECT_EQ(scroll.drift, 8);
    scroll.step(30000, 0, 30, 300);
    EXPECT_EQ(scroll.offset, 1) << "a lesson without length does not divide by zero";
}

TEST(TrainerRules, HiddenHeadingsLeaveABlankLineAndNoPlace)
{
    SyntagmLayout laid;
    laid.HideHeadings = true;
    laid.SetText({"#Titel", "Eins zwei.", "Drei.", "#Teil", "Vier."});
    // Every character 10 pixels: a line of 200 pixels holds 20.
    laid.layOut(200, [](const QString& text, quint8) { return int(text.size()) * 10; });
    const QList<SyntagmPlace>& places = laid.places();
    EXPECT_EQ(places[0].startLine, 0);
    EXPECT_EQ(places[0].endColumn, 0);
    EXPECT_EQ(places[1].startLine, 3) << "two lines below the title's line 1";
    EXPECT_EQ(places[2].startLine, 3);
    EXPECT_EQ(places[3].startLine, 0);
    EXPECT_EQ(places[4].startLine, 5);
    EXPECT_EQ(laid.Lines()[3].text, "Eins zwei. Drei. ");
    EXPECT_TRUE(laid.Lines()[4].text.isEmpty());
    EXPECT_EQ(laid.lastLine(), 5);
}

// Line 5 of the text is a heading: line 5 of the file is "#\t#". Only
// complete lines are ever on disk, each as soon as it is complete.
TEST(TrainerRules, StudentTimingFileKeepsStepWithTheText)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Anna17.txt");
    StudentTimingFile timing;
    ASSERT_TRUE(timing.start(path));
    EXPECT_EQ(readAll(path), "#\t#\r\n");
    ASSERT_TRUE(timing.next(2100, 0)); // line 2 ends, line 3 opens
    ASSERT_TRUE(timing.next(4200, 0));
    EXPECT_EQ(readAll(path), "#\t#\r\n0\t2100\r\n2100\t4200\r\n");
    ASSERT_TRUE(timing.next(9000, 1)); // line 4 ends, line 5 is a heading
    ASSERT_TRUE(timing.finish(12000));
    EXPECT_FALSE(timing.open());
    EXPECT_EQ(readAll(path),
              "#\t#\r\n0\t2100\r\n2100\t4200\r\n4200\t9000\r\n#\t#\r\n9000\t12000\r\n");
    EXPECT_TRUE(timing.next(13000, 0)) << "nothing more after the end";
    EXPECT_EQ(timing.lines().size(), 6);

    // A heading right after the title: its line too comes before the first syntagm's.
    StudentTimingFile early;
    ASSERT_TRUE(early.start(path, 3));
    ASSERT_TRUE(early.next(1500, 0));
    EXPECT_EQ(readAll(path), "#\t#\r\n#\t#\r\n0\t1500\r\n");

    // The student is told which file and why.
    StudentTimingFile unwritable;
    EXPECT_FALSE(unwritable.start(dir.filePath("no/such/folder/x.txt")));
    ASSERT_TRUE(unwritable.fault());
    EXPECT_TRUE(unwritable.fault()->userText().contains("x.txt"));
    EXPECT_TRUE(unwritable.fault()->userText().contains("папка не найдена"));
}

// A pass over a title, a heading right after it, two syntagms, a heading
// and a last syntagm: the current line moves past headings at once, a wait
// holds everything until its limit, and a recording pass ends ten seconds
// after the lesson.
TEST(TrainerRules, PassMovesThroughTheLessonAndItsStates)
{
    Lesson lesson;
    lesson.text = {"#Titel", "#Teil", "Eins.", "Zwei.", "#Ende", "Drei."};
    lesson.timing = {{}, {}, {}, {1000, 2000}, {2000, 3000}, {}, {3000, 4000}};
    TrainerPass pass;
    EXPECT_EQ(pass.state(), PassState::Idle);
    pass.start(lesson, true, 100);
    EXPECT_EQ(pass.current(), 3) << "the heading after the title is passed before the start";
    EXPECT_TRUE(pass.active());

    EXPECT_EQ(pass.tick(2000, 2000), PassTick::Follow);
    EXPECT_FALSE(pass.headingsPassed()) << "at its end the syntagm is still current";
    EXPECT_EQ(pass.tick(2001, 2001), PassTick::Follow);
    EXPECT_EQ(pass.headingsPassed(), 0);
    EXPECT_EQ(pass.current(), 4);
    EXPECT_EQ(pass.tick(3001, 3001), PassTick::Follow);
    EXPECT_EQ(pass.headingsPassed(), 1);
    EXPECT_EQ(pass.current(), 6);

    pass.wait(5000);
    EXPECT_EQ(pass.state(), PassState::Waiting);
    // Syntagm 6 lasts 1000 ms: the wait may take 21000 ms.
    EXPECT_EQ(pass.tick(9999, 26000), PassTick::Hold);
    EXPECT_EQ(pass.tick(9999, 26001), PassTick::EndWait);
    pass.endWait();
    EXPECT_EQ(pass.tick(9999, 26001), PassTick::Progress) << "the last syntagm stays current";

    pass.pause();
    EXPECT_EQ(pass.state(), PassState::Paused);
    EXPECT_TRUE(pass.active());
    pass.resume();
    pass.lessonEnded(30000);
    EXPECT_EQ(pass.tick(9999, 40000), PassTick::Progress);
    EXPECT_EQ(pass.tick(9999, 40001), PassTick::EndPass);
    pass.requestStop();
    EXPECT_FALSE(pass.active());
    pass.settle();
    EXPECT_EQ(pass.state(), PassState::Idle);

    // Without a recording the lesson's end does not count down.
    pass.start(lesson, false, 100);
    pass.lessonEnded(0);
    EXPECT_EQ(pass.tick(0, 50000), PassTick::Follow);
}
