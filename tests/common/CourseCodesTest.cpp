// The kinds table: the rules every row must keep, whatever kinds it holds.
#include "common/CourseCodes.h"

#include <gtest/gtest.h>
#include <set>

TEST(CourseCodes, TheTableKeepsItsRules)
{
    std::set<ExerciseKind> seen;
    for (const KindTraits& row : ExerciseKinds) {
        const int code = int(row.kind);
        EXPECT_TRUE(seen.insert(row.kind).second) << code << " has two rows";
        EXPECT_NE(row.kind, ExerciseKind::Heading) << "a heading launches nothing";
        EXPECT_LE(row.kind, LastExerciseKind) << code;
        EXPECT_NE(row.window, ExerciseWindow::None) << code << " has a row but no window";
        // A recording the window makes is kept in the record, to be found by
        // lesson listening and taken back from the report.
        EXPECT_TRUE(!row.recordsVoice || row.storesRecordingName) << code;
        // The recording names and the trainer's options belong to the trainer.
        const bool trainer = row.window == ExerciseWindow::Trainer;
        EXPECT_EQ(row.storesRecordingName, trainer) << code;
        if (!trainer) {
            EXPECT_EQ(row.trainer.helpTopic, 0) << code;
            EXPECT_FALSE(row.trainer.textAllowed || row.trainer.transAllowed ||
                         row.trainer.waitAllowed || row.trainer.textByMode)
                << code;
        }
        // The devices are checked only where something is recorded.
        EXPECT_TRUE(!row.checksBeforeRecording || row.recordsVoice) << code;
        // The completion dialog always has a text: from the counts for the
        // kinds judged by errors, from the row for the others.
        EXPECT_EQ(row.outcome.empty(), row.result != RunResult::None) << code;
        EXPECT_TRUE(row.outcomeAnalysed.empty() || row.window == ExerciseWindow::LessonListening)
            << code;
    }
}

TEST(CourseCodes, CodesWithoutARowLaunchNothing)
{
    for (int code : {0, 9, 10, int(LastExerciseKind) + 1, 255}) {
        const ExerciseKind kind = ExerciseKind(code);
        EXPECT_FALSE(launchesExercise(kind)) << code;
        EXPECT_FALSE(storesRecordingName(kind) || recordsVoice(kind) || countsErrors(kind) ||
                     playsLesson(kind) || analysesRecording(kind))
            << code;
        EXPECT_TRUE(kindTraits(kind).outcome.empty()) << code;
    }
}

TEST(CourseCodes, ALentTableIsReadUntilItIsGivenBack)
{
    const KindTraits extra[] = {{.kind = ExerciseKind(9), .window = ExerciseWindow::Lexicon}};
    {
        const KindTableForTest lent(extra);
        EXPECT_TRUE(launchesExercise(ExerciseKind(9)));
        EXPECT_FALSE(launchesExercise(ExerciseKind::Lexicon)) << "only the lent table is read";
    }
    EXPECT_FALSE(launchesExercise(ExerciseKind(9)));
    EXPECT_TRUE(launchesExercise(ExerciseKind::Lexicon));
}
