// The catalogue's exercise codes: the number each name stands for in the
// course files, and the groups of kinds the program's rules share.
#include "common/CourseCodes.h"

#include <QString>
#include <gtest/gtest.h>
#include <optional>

TEST(CourseCodes, EveryStoredKindHasItsNameAndItsGroups)
{
    using enum ExerciseKind;
    // Groups: L launches a window, N keeps the recording name, V records the
    // voice, E counts errors, P plays a lesson.
    struct Row {
        int stored;
        std::optional<ExerciseKind> name;
        QString groups;
    };
    const Row rows[] = {
        {0, Heading, ""},
        {1, LexiconPreview, "L"},
        {2, Lexicon, "L"},
        {3, QuestionPreview, "L"},
        {4, Interpretation, "LNVP"},
        {5, LessonListening, "LP"},
        {6, Questions, "LE"},
        {7, TrueFalse, "LE"},
        {8, InterpretationListening, "LNP"},
        {9, std::nullopt, ""},
        {10, std::nullopt, ""},
        {11, TrainerListening, "LNP"},
        {12, TrainerWithWait, "LNVP"},
        {13, TrainerRecording, "LNVP"},
        {14, TrainerWithTranslation, "LNVP"},
        {15, TrainerWithText, "LNVP"},
        {int(LastExerciseKind) + 1, std::nullopt, ""},
        {255, std::nullopt, ""},
    };
    for (const Row& row : rows) {
        const ExerciseKind kind = ExerciseKind(row.stored);
        if (row.name) {
            EXPECT_EQ(kind, *row.name) << row.stored;
        }
        EXPECT_EQ(launchesExercise(kind), row.groups.contains('L')) << row.stored;
        EXPECT_EQ(storesRecordingName(kind), row.groups.contains('N')) << row.stored;
        EXPECT_EQ(recordsVoice(kind), row.groups.contains('V')) << row.stored;
        EXPECT_EQ(countsErrors(kind), row.groups.contains('E')) << row.stored;
        EXPECT_EQ(playsLesson(kind), row.groups.contains('P')) << row.stored;
    }
}
