#pragma once

#include "common/CourseCodes.h"
#include "users/ProgressFile.h"
#include "users/UserList.h"

#include <QString>
#include <functional>

// Rules that turn a finished exercise run into the completion dialog's text and
// into the marks of the progress record. The main window's launch code calls
// them; they know nothing of windows.

// After-text questions and true/false statements: more than 30 % wrong
// answers cannot be marked done.
struct JudgedText {
    QString text;
    bool passed = false; // the student may mark it done (a named user only)
};
JudgedText judgeQuestions(int errors, int questions);

// The completion dialog's text for a finished run of any kind, and whether it
// may be marked done: the question kinds are judged by their errors, the other
// kinds always pass. Lesson listening tells whether it analysed a previous
// recording.
JudgedText judgeRun(ExerciseKind kind, int errors, int questions,
                    const QString& previousRecording = {});

// Wrong answers in percent, truncated; 0 when there were no questions.
qint32 errorPercent(int errors, int questions);

// True/false statements: the grade on the five-point scale from the share of
// right answers: 5 from 90 %, 4 from 75 %, else 3 (a run with less than 70 %
// cannot be marked, so 2 is never given).
qint32 trueFalseGrade(int errors, int statements);

// The outcome text of the kinds whose text does not depend on counts; for
// lesson listening it depends on whether a recording is analysed.
QString outcomeText(ExerciseKind kind, const QString& previousRecording = {});

// Where the recording of an entry goes: the user's folder + name + entry +
// ".wav"; "AnonSnd.wav" in the current folder for the anonymous user (nullptr).
QString RecordingName(const UserRecord* namedUser, int entry);

// For lesson listening: the recording of the nearest exercise before the entry
// in the same section whose window records the voice, empty at a heading or for
// the anonymous user (progress nullptr). kindOf gives the kind of an entry, a
// heading for entry 0.
QString previousRecordingName(const std::function<ExerciseKind(int entry)>& kindOf,
                              const ProgressTable* progress, int entry);

// What a run leaves for the marking.
struct RunOutcome {
    int errors = 0;
    int questions = 0; // questions or statements
    QString recordingName;
};

// Marks the record done and stores what the kind keeps: the error percentage
// (questions), the grade (true/false), the recording's path (trainer kinds).
// False when the recording's path cannot be stored; the record is then unchanged.
bool markProgress(ProgressRecord& record, ExerciseKind kind, const RunOutcome& outcome);

// The free-space check before a recording: true when the file system that holds
// the recording's folder has less room than the lesson's sound file takes.
bool recordingSpaceMissing(const QString& recordingName, const QString& soundFile);
