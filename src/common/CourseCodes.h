#pragma once

#include <QtGlobal>

// The numbers a catalogue line stores, named. The course files keep the
// numbers; the program speaks of the names.

// What an entry's node runs. A catalogue may hold any byte here: the codes
// without a name (9, 10 and above LastExerciseKind) launch nothing.
enum class ExerciseKind : quint8 {
    Heading = 0,
    LexiconPreview = 1,
    Lexicon = 2,
    QuestionPreview = 3,
    // The interpretation trainer, recording, after the sound and disk checks.
    Interpretation = 4,
    LessonListening = 5,
    Questions = 6,
    TrueFalse = 7,
    // The interpretation trainer as a plain listening exercise.
    InterpretationListening = 8,
    // The trainer's variants, by what they allow besides recording.
    TrainerListening = 11,
    TrainerWithWait = 12,
    TrainerRecording = 13,
    TrainerWithTranslation = 14,
    TrainerWithText = 15,
};
inline constexpr ExerciseKind LastExerciseKind = ExerciseKind::TrainerWithText;

// What the description pane shows for an entry; other codes show nothing.
enum class DescriptionKind : quint8 {
    RichText = 0,
    Picture = 1,
};

// The interpretation trainer's kinds: marked done, their progress record keeps
// the run's recording name, also for those whose window records nothing.
constexpr bool storesRecordingName(ExerciseKind kind)
{
    switch (kind) {
    case ExerciseKind::Interpretation:
    case ExerciseKind::InterpretationListening:
    case ExerciseKind::TrainerListening:
    case ExerciseKind::TrainerWithWait:
    case ExerciseKind::TrainerRecording:
    case ExerciseKind::TrainerWithTranslation:
    case ExerciseKind::TrainerWithText:
        return true;
    default:
        return false;
    }
}

// A node that opens a window: every named kind but the heading.
constexpr bool launchesExercise(ExerciseKind kind)
{
    switch (kind) {
    case ExerciseKind::LexiconPreview:
    case ExerciseKind::Lexicon:
    case ExerciseKind::QuestionPreview:
    case ExerciseKind::LessonListening:
    case ExerciseKind::Questions:
    case ExerciseKind::TrueFalse:
        return true;
    default:
        return storesRecordingName(kind);
    }
}

// The kinds whose window records the student's voice: the recording can be
// played and taken back, and the lesson listening after it analyses it.
constexpr bool recordsVoice(ExerciseKind kind)
{
    switch (kind) {
    case ExerciseKind::Interpretation:
    case ExerciseKind::TrainerWithWait:
    case ExerciseKind::TrainerRecording:
    case ExerciseKind::TrainerWithTranslation:
    case ExerciseKind::TrainerWithText:
        return true;
    default:
        return false;
    }
}

// The question kinds: judged by their errors, their record keeps a result.
constexpr bool countsErrors(ExerciseKind kind)
{
    return kind == ExerciseKind::Questions || kind == ExerciseKind::TrueFalse;
}

// The kinds that run on a lesson: its recording, text, translation and timing.
constexpr bool playsLesson(ExerciseKind kind)
{
    return kind == ExerciseKind::LessonListening || storesRecordingName(kind);
}
