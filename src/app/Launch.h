#pragma once

#include "app/Catalogue.h"
#include "common/LaunchResult.h"

#include <QRect>
#include <functional>

struct DrillCounts;
class UserSession;

// Starting an exercise from the course tree: the window its kind opens, the
// checks before a recording, and the completion dialog after the run.

// Where and how an exercise runs.
struct LaunchPlace {
    QRect room;         // the main window's client area, in screen coordinates
    QChar mode;         // the work mode of the tree the entry is in
    QString dataFolder; // before every file name of the entry
};

// One run of an exercise window: opens it, and says whether the exercise was
// gone through; counts (when given) receive the run's answers.
using ExerciseLaunch = std::function<LaunchResult(DrillCounts* counts)>;

// What the trainer allows for a kind in a work mode.
TrainerTraits trainerTraits(ExerciseKind kind, QChar mode);

// The run of catalogue entry `index` of place.mode, ready to be called once
// per repeat; empty when the kind opens no window or the checks before a
// recording fail (they tell the student why). The listening windows fill the
// room, the drill windows stand in its centre. recordingToFollow is the
// student's recording lesson listening plays beside the lesson.
ExerciseLaunch exerciseLaunch(const UserSession& session, int index, const LaunchPlace& place,
                              const QString& recordingToFollow = {});

// The lesson listening window on the files of entry `index`, whatever its
// kind, beside the student's recording to follow: how the teacher console
// plays a recording. The text is drawn at the size the student chose last.
ExerciseLaunch lessonListening(int index, const LaunchPlace& place,
                               const QString& recordingToFollow, const QString& student = {});

// Runs launch, then offers the completion dialog until the student leaves,
// repeats or marks the entry; lesson listening tells in its completion text
// whether it analysed previousRecording. passDone follows every run that
// was gone through.
void runExercise(UserSession& session, int index, ExerciseKind kind, const ExerciseLaunch& launch,
                 const QString& previousRecording = {}, const std::function<void()>& passDone = {});

// The whole start of entry `index` from the tree: the launch, then
// beforeRun (the main window hides its panels) and the run. False when no
// window opened.
bool launchEntry(UserSession& session, int index, const LaunchPlace& place,
                 const std::function<void()>& beforeRun);
