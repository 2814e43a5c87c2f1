#include "drills/Questions.h"
#include "drills/DrillRandom.h"
#include "support/TempCourse.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {
const DrillFiles Files{"q.de.txt", "a.de.txt", "", ""};

DrillLoad<QuestionRecord> loadWritten(const QStringList& questions, const QStringList& answers)
{
    TempCourse course;
    course.writeLines(Files.text, questions, true);
    course.writeLines(Files.trans, answers, true);
    return loadQuestions(Files, true);
}

QuestionDrill startedDrill(const QList<QStringList>& answers, std::uint64_t seed = 1)
{
    QList<QuestionRecord> questions;
    for (const QStringList& list : answers)
        questions.append(QuestionRecord{"Q " + list.first(), list});
    seedDrillRandom(seed);
    QuestionDrill drill(questions);
    drill.start();
    return drill;
}

int wrongSlot(const QuestionDrill& drill)
{
    return drill.correctSlot() == 0 ? 1 : 0;
}

// Checks only the box at `slot` (clicking the checked first box would uncheck it).
void choose(QuestionDrill& drill, int slot)
{
    if (!drill.checked()[slot])
        drill.click(slot);
}
} // namespace

TEST(QuestionFiles, BlocksBelongToQuestionsInOrder)
{
    const auto load = loadWritten({QStringLiteral("Wo wohnt Anna?"), "Wer?"},
                                  {"stray", "#1", QStringLiteral("In Köln."), "In Bonn.", "In Ulm.",
                                   "#2 whatever", "Paul.", "Max."});
    EXPECT_FALSE(load.error);
    ASSERT_TRUE(load.runnable);
    ASSERT_EQ(load.items.size(), 2);
    EXPECT_EQ(load.items[0].text, QStringLiteral("Wo wohnt Anna?"));
    EXPECT_EQ(load.items[0].answers,
              (QStringList{QStringLiteral("In Köln."), "In Bonn.", "In Ulm."}))
        << "lines before the first # belong to no question";
    EXPECT_EQ(load.items[1].answers, (QStringList{"Paul.", "Max."}));
}

TEST(QuestionFiles, LongLinesAreCut)
{
    const QString longLine(300, u'x');
    const auto load = loadWritten({longLine}, {"#", longLine});
    ASSERT_TRUE(load.runnable);
    EXPECT_EQ(load.items[0].text.size(), 255);
    EXPECT_EQ(load.items[0].answers[0].size(), 255);
}

TEST(QuestionFiles, ReadErrors)
{
    const auto fifth = loadWritten({"q1", "q2"}, {"#", "a", "b", "c", "d", "e", "#", "x"});
    ASSERT_TRUE(fifth.error);
    EXPECT_EQ(fifth.error->line, 6);
    EXPECT_FALSE(fifth.runnable) << "the second question has no answers";

    const auto fifthInLast = loadWritten({"q1"}, {"#", "a", "b", "c", "d", "e"});
    EXPECT_TRUE(fifthInLast.error);
    EXPECT_TRUE(fifthInLast.runnable) << "what was read is a whole question";
    EXPECT_EQ(fifthInLast.items[0].answers.size(), 4);

    const auto empty = loadWritten({"q1"}, {"#", "a", "", "b"});
    ASSERT_TRUE(empty.error);
    EXPECT_EQ(empty.error->line, 3);
    EXPECT_EQ(empty.items[0].answers, QStringList{"a"});

    const auto extraBlock = loadWritten({"q1"}, {"#", "a", "#", "b"});
    ASSERT_TRUE(extraBlock.error);
    EXPECT_FALSE(extraBlock.runnable) << "more blocks than questions";

    const auto noAnswers = loadWritten({"q1", "q2"}, {"#", "a", "#"});
    EXPECT_TRUE(noAnswers.error);
    EXPECT_FALSE(noAnswers.runnable);

    const auto noQuestions = loadWritten({}, {"#", "a"});
    EXPECT_TRUE(noQuestions.error);
    EXPECT_FALSE(noQuestions.runnable);
}

TEST(QuestionFiles, PreviewNeedsNoAnswerFile)
{
    TempCourse course;
    course.writeLines(Files.text, {"q1", "q2"}, true);
    course.writeLines("q.tim", {"0\t10", "10\t20"});
    const auto load = loadQuestions({Files.text, "absent.txt", "q.tim", ""}, false);
    EXPECT_FALSE(load.error);
    EXPECT_TRUE(load.runnable);
    EXPECT_EQ(load.items[1].start, 10);
    EXPECT_FALSE(loadQuestions({Files.text, "absent.txt", "", ""}, true).runnable);
}

TEST(QuestionFiles, MissingTimingFileIsAFaultButTheQuestionsRun)
{
    TempCourse course;
    course.writeLines(Files.text, {"q1"}, true);
    course.writeLines(Files.trans, {"#", "a", "b"}, true);
    for (bool withAnswers : {true, false}) {
        const auto load = loadQuestions({Files.text, Files.trans, "absent.tim", ""}, withAnswers);
        ASSERT_TRUE(load.error) << withAnswers;
        EXPECT_EQ(load.error->file, "absent.tim");
        EXPECT_TRUE(load.runnable) << withAnswers;
    }
}

TEST(QuestionDrill, AnswersAreShuffledWithTheRightOneAtTheCorrectSlot)
{
    QSet<int> positions;
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        QuestionDrill drill = startedDrill({{"right", "b", "c", "d"}}, seed);
        const QStringList shown = drill.shownAnswers();
        ASSERT_EQ(shown.size(), 4);
        EXPECT_EQ(QSet<QString>(shown.begin(), shown.end()),
                  (QSet<QString>{"right", "b", "c", "d"}));
        EXPECT_EQ(shown[drill.correctSlot()], "right");
        EXPECT_TRUE(drill.checked()[0]) << "the first box starts checked";
        positions.insert(drill.correctSlot());
    }
    EXPECT_GT(positions.size(), 2) << "the right answer's position is drawn anew";
}

TEST(QuestionDrill, ClickingTheCheckedBoxLeavesNoneCheckedAndIsAMiss)
{
    QuestionDrill drill = startedDrill({{"right", "wrong"}});
    drill.click(1);
    EXPECT_FALSE(drill.checked()[0]);
    EXPECT_TRUE(drill.checked()[1]);
    drill.click(1);
    EXPECT_FALSE(drill.checked()[0]);
    EXPECT_FALSE(drill.checked()[1]);
    const auto answer = drill.confirm();
    EXPECT_EQ(answer.outcome, QuestionDrill::Outcome::SecondMiss);
    EXPECT_EQ(drill.errors(), 1);
}

TEST(QuestionDrill, TwoAnswersGetNoSecondTry)
{
    QuestionDrill drill = startedDrill({{"right", "wrong"}, {"r2", "w2"}});
    choose(drill, wrongSlot(drill));
    const QString expected = drill.currentQuestion().answers.first();
    const auto answer = drill.confirm();
    EXPECT_EQ(answer.outcome, QuestionDrill::Outcome::SecondMiss);
    EXPECT_EQ(answer.expected, expected);
    EXPECT_FALSE(answer.finished);
    EXPECT_EQ(drill.errors(), 1);
    EXPECT_EQ(drill.remaining(), 1);
}

TEST(QuestionDrill, MoreAnswersGetASecondTry)
{
    QuestionDrill drill = startedDrill({{"r", "a", "b"}, {"r", "a", "b", "c"}}, 3);
    const int first = drill.current();
    choose(drill, wrongSlot(drill));
    EXPECT_EQ(drill.confirm().outcome, QuestionDrill::Outcome::FirstMiss);
    EXPECT_EQ(drill.current(), first);
    EXPECT_TRUE(drill.retryPending());
    choose(drill, drill.correctSlot());
    EXPECT_EQ(drill.confirm().outcome, QuestionDrill::Outcome::Right);
    EXPECT_EQ(drill.errors(), 0) << "a right second try counts no error";

    choose(drill, wrongSlot(drill));
    EXPECT_EQ(drill.confirm().outcome, QuestionDrill::Outcome::FirstMiss);
    const auto second = drill.confirm();
    EXPECT_EQ(second.outcome, QuestionDrill::Outcome::SecondMiss);
    EXPECT_TRUE(second.finished);
    EXPECT_EQ(drill.errors(), 1);
    EXPECT_EQ(drill.remaining(), 0);
}

TEST(QuestionDrill, EachQuestionIsAskedOnce)
{
    QuestionDrill drill = startedDrill({{"1"}, {"2", "x"}, {"3", "x", "y"}, {"4"}, {"5"}}, 11);
    QSet<int> asked;
    bool finished = false;
    while (!finished) {
        ASSERT_FALSE(asked.contains(drill.current()));
        asked.insert(drill.current());
        choose(drill, wrongSlot(drill) % int(drill.shownAnswers().size()));
        QuestionDrill::Answer answer = drill.confirm();
        if (answer.outcome == QuestionDrill::Outcome::FirstMiss)
            answer = drill.confirm();
        finished = answer.finished;
    }
    EXPECT_EQ(asked.size(), 5);
    EXPECT_EQ(drill.errors(), 2) << "the two questions with more than one answer were missed";
}
