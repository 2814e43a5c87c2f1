#include "users/Completion.h"
#include "support/TempCourse.h"

#include <QFile>
#include <QStorageInfo>
#include <gtest/gtest.h>

namespace {
const QString Pass = QStringLiteral(" Рекомендуется отметить упражнение как выполненное");
const QString Fail = QStringLiteral(
    ". Вы не в достаточной мере поняли содержание текста. Попробуйте прослушать текст еще раз.");

UserRecord ivan()
{
    UserRecord user = AnonymousUser();
    user.setName("Ivan");
    user.setFolder("/course/Report/Ivan/");
    user.setProgressFile("/course/Report/Ivan/Ivan.rep");
    return user;
}
} // namespace

TEST(Completion, JudgedTextAllowsThirtyPercentWrongAnswers)
{
    const JudgedText three = judgeQuestions(3, 10);
    EXPECT_TRUE(three.passed);
    EXPECT_EQ(three.text, QStringLiteral("Ошибок: 3.") + Pass);

    const JudgedText four = judgeQuestions(4, 10);
    EXPECT_FALSE(four.passed);
    EXPECT_EQ(four.text, QStringLiteral("Ошибок: 4") + Fail);

    EXPECT_TRUE(judgeQuestions(0, 3).passed);
    EXPECT_FALSE(judgeQuestions(1, 3).passed) << "1 > 0.9";
    EXPECT_TRUE(judgeQuestions(12, 40).passed);
    EXPECT_FALSE(judgeQuestions(13, 40).passed);
    EXPECT_TRUE(judgeQuestions(0, 0).passed);
}

TEST(Completion, ErrorPercentIsTruncatedAndZeroWithoutQuestions)
{
    EXPECT_EQ(errorPercent(3, 10), 30);
    EXPECT_EQ(errorPercent(1, 3), 33);
    EXPECT_EQ(errorPercent(2, 3), 66);
    EXPECT_EQ(errorPercent(0, 0), 0);
}

// Statements are judged like the questions: more than 30 % wrong cannot be
// marked; the other kinds always can.
TEST(Completion, TrueFalseRunsAreJudgedLikeQuestions)
{
    for (ExerciseKind kind : {ExerciseKind::Questions, ExerciseKind::TrueFalse}) {
        const JudgedText passed = judgeRun(kind, 3, 10);
        EXPECT_TRUE(passed.passed) << int(kind);
        EXPECT_EQ(passed.text, QStringLiteral("Ошибок: 3.") + Pass) << int(kind);
        const JudgedText failed = judgeRun(kind, 8, 8);
        EXPECT_FALSE(failed.passed) << int(kind) << ": every answer wrong";
        EXPECT_EQ(failed.text, QStringLiteral("Ошибок: 8") + Fail) << int(kind);
        EXPECT_FALSE(judgeRun(kind, 3, 8).passed) << int(kind) << ": 37.5 % wrong";
    }
    const JudgedText drill = judgeRun(ExerciseKind::Lexicon, 5, 5);
    EXPECT_TRUE(drill.passed) << "the lexicon drill counts no errors for its caller";
    EXPECT_EQ(drill.text, outcomeText(ExerciseKind::Lexicon));
}

TEST(Completion, TrueFalseGradeFollowsTheShareOfRightAnswers)
{
    EXPECT_EQ(trueFalseGrade(0, 10), 5);
    EXPECT_EQ(trueFalseGrade(1, 10), 5); // 90 %
    EXPECT_EQ(trueFalseGrade(2, 19), 4); // 89.5 % is not yet 90 %
    EXPECT_EQ(trueFalseGrade(2, 10), 4); // 80 %
    EXPECT_EQ(trueFalseGrade(1, 4), 4);  // 75 %
    EXPECT_EQ(trueFalseGrade(3, 11), 3); // 72.7 %
    EXPECT_EQ(trueFalseGrade(3, 10), 3); // 70 %, the lowest share that can be marked
}

TEST(Completion, RecordingNameForNamedAndAnonymousUser)
{
    const UserRecord user = ivan();
    EXPECT_EQ(RecordingName(&user, 17), "/course/Report/Ivan/Ivan17.wav");
    EXPECT_EQ(RecordingName(nullptr, 17), "AnonSnd.wav");
}

TEST(Completion, PreviousRecordingStopsAtTheNearestHeadingOrRecording)
{
    using enum ExerciseKind;
    // Entry 2 is marked; entries 7 and 8 are not.
    const QList<ExerciseKind> kinds{
        Heading, Heading,         TrainerWithWait, LexiconPreview,          LessonListening,
        Heading, LessonListening, Interpretation,  InterpretationListening, LessonListening};
    auto kindOf = [&](int entry) { return kinds[entry]; };
    ProgressTable progress(9);
    progress.record(2).setDone(true);
    progress.record(2).setText("/u/Ivan2.wav");

    EXPECT_EQ(previousRecordingName(kindOf, &progress, 4), "/u/Ivan2.wav");
    EXPECT_EQ(outcomeText(LessonListening, "/u/Ivan2.wav"),
              QStringLiteral("Вы анализировали свой перевод"));
    EXPECT_EQ(previousRecordingName(kindOf, &progress, 6), "") << "a heading between";
    EXPECT_EQ(outcomeText(LessonListening, ""), QStringLiteral("Вы прослушали текст урока."));
    EXPECT_EQ(previousRecordingName(kindOf, &progress, 9), "")
        << "plain listening records nothing; the interpretation was never marked";
    EXPECT_EQ(previousRecordingName(kindOf, nullptr, 4), "") << "anonymous user";
}

TEST(Completion, MarkingStoresWhatEachKindKeeps)
{
    using enum ExerciseKind;
    const RunOutcome run{1, 3, "/u/Ivan7.wav"};
    for (ExerciseKind kind : {LexiconPreview, Lexicon, QuestionPreview, LessonListening}) {
        ProgressRecord record;
        ASSERT_TRUE(markProgress(record, kind, run));
        EXPECT_TRUE(record.done()) << int(kind);
        EXPECT_EQ(record.result(), 0) << int(kind);
        EXPECT_EQ(record.text(), "") << int(kind);
    }
    ProgressRecord questions;
    markProgress(questions, Questions, run);
    EXPECT_EQ(questions.result(), 33);
    ProgressRecord statements;
    markProgress(statements, TrueFalse, RunOutcome{2, 10, {}});
    EXPECT_TRUE(statements.done());
    EXPECT_EQ(statements.result(), 4);
    for (ExerciseKind kind :
         {Interpretation, InterpretationListening, TrainerListening, TrainerWithWait,
          TrainerRecording, TrainerWithTranslation, TrainerWithText}) {
        ProgressRecord record;
        markProgress(record, kind, run);
        EXPECT_EQ(record.text(), "/u/Ivan7.wav") << int(kind);
    }
    ProgressRecord tooLong;
    EXPECT_FALSE(
        markProgress(tooLong, Interpretation, RunOutcome{0, 0, QString(256, QLatin1Char('x'))}));
    EXPECT_FALSE(tooLong.done());
}

TEST(Completion, OutcomeTextOfEachKind)
{
    using enum ExerciseKind;
    const QString listened = QStringLiteral("Вы прослушали текст урока.");
    const std::vector<std::pair<ExerciseKind, QString>> outcomes{
        {LexiconPreview, QStringLiteral("Вы просмотрели лексику урока.")},
        {Lexicon, QStringLiteral("Вы успешно выполнили упражнение.")},
        {QuestionPreview, QStringLiteral("Вы просмотрели вопросы к тексту.")},
        {Interpretation, QStringLiteral("Вы перевели текст.")},
        {InterpretationListening, listened},
        {TrainerListening, listened},
        {TrainerWithWait, listened},
        {TrainerRecording, listened},
        {TrainerWithTranslation, listened},
        {TrainerWithText, listened},
    };
    for (const auto& [kind, text] : outcomes)
        EXPECT_EQ(outcomeText(kind), text) << int(kind);
}

TEST(Completion, FreeSpaceIsThatOfTheRecordingsFileSystem)
{
    TempCourse course;
    course.write("DataTest/lesson.wav", QByteArray(1000, '\0'));
    EXPECT_FALSE(recordingSpaceMissing(course.filePath("Report/x1.wav"), "DataTest/lesson.wav"));
    EXPECT_FALSE(recordingSpaceMissing("AnonSnd.wav", "DataTest\\lesson.wav"));
    EXPECT_FALSE(recordingSpaceMissing("AnonSnd.wav", "DataTest/missing.wav"));

    // A sparse sound file larger than the free space of the course's file system,
    // by a margin that other programs writing meanwhile cannot close.
    QFile huge(course.filePath("DataTest/huge.wav"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    if (!huge.resize(QStorageInfo(course.path()).bytesAvailable() + (qint64(1) << 30)))
        GTEST_SKIP() << "the file system holds no sparse file that large";
    huge.close();
    EXPECT_TRUE(recordingSpaceMissing(course.filePath("Report/x1.wav"), "DataTest/huge.wav"));
    EXPECT_TRUE(recordingSpaceMissing("AnonSnd.wav", "DataTest/huge.wav"));
}
