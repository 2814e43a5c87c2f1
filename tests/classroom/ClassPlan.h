#pragma once

#include "common/CourseCodes.h"

#include <QString>
#include <QStringList>

// What every student of the classroom test does, shared by the driver that
// does it and the test that checks the files afterwards.
namespace classplan {

// Entries 1 to 30 are exercises without a recording, 31 to 50 record the
// student's voice; every one is marked, then the recordings of 31 to 40 are
// taken back.
constexpr int Entries = 50;
constexpr int FirstRecording = 31;
constexpr int TakenBack = 10;

inline ExerciseKind kindOf(int entry)
{
    static constexpr ExerciseKind plain[] = {
        ExerciseKind::LexiconPreview, ExerciseKind::Lexicon, ExerciseKind::QuestionPreview,
        ExerciseKind::LessonListening, ExerciseKind::Questions};
    return entry >= FirstRecording ? ExerciseKind::Interpretation : plain[entry % 5];
}

inline bool takenBack(int entry)
{
    return entry >= FirstRecording && entry < FirstRecording + TakenBack;
}

// One wrong answer of four in every question exercise.
constexpr int Errors = 1;
constexpr int Questions = 4;

// The catalogue of mode A: one line per entry with its kind.
inline QStringList catalogue()
{
    QStringList lines;
    for (int entry = 1; entry <= Entries; ++entry)
        lines << QStringLiteral("Exercise %1\t1\t1\t0\t\t%2\t\t\t\t\t")
                     .arg(entry)
                     .arg(int(kindOf(entry)));
    return lines;
}

} // namespace classplan
