#pragma once

#include "common/CourseCodes.h"
#include "common/CourseError.h"
#include "review/PassFigures.h"
#include "review/PassHistory.h"
#include "sound/SoundFile.h"

#include <QStringList>
#include <optional>

// What the review of one pass is opened with: the lesson's files as the
// catalogue names them (with the data folder), the pass's recording and, for
// the exercise with the wait button, the student timing file beside it.
struct ReviewRequest {
    QString lessonSound;
    QString lessonTiming;
    QString text;
    QString recording;
    QString studentTiming; // empty when the pass kept none
    ExerciseKind kind = ExerciseKind::Interpretation;
    QString student;       // the name shown and printed; empty for the anonymous user
    QString historyFile;   // empty: the anonymous user, who has no history
    bool keepsPass = true; // false: the history is only read (the teacher's console)
    PassExercise exercise;
};

// One syntagm of the lesson: where it sounds in the lesson, and where its
// turn lies in the student's recording (the same stretch unless the lesson
// waited for the student).
struct ReviewSyntagm {
    int line = 0; // of the text, from 1
    QString text;
    Turn lesson;
    Turn student;
};

// Everything the review window shows, read once. A file that cannot be read
// leaves its part empty and says why in `problems`; the rest is shown.
struct ReviewMaterial {
    std::optional<MonoSound> lessonSound;
    std::optional<MonoSound> recording;
    QList<ReviewSyntagm> syntagms;
    QList<SpeechSpan> speech; // in the recording
    PassFigures figures;
    QList<CourseError> problems;
};

// The recording a pass is made into is a copy of this file in the course folder.
inline constexpr char RecordingTemplateFile[] = "TSBegin.wav";

ReviewMaterial loadReview(const ReviewRequest& request);

// The history line of the pass, dated now; the recording's last change tells
// one pass from the next.
PassRecord passRecordOf(const ReviewRequest& request, const PassFigures& figures);

// Keeps the pass in the student's history unless its recording is there
// already or the request only reads. The error, when the history could not
// be written.
std::optional<CourseError> keepPass(const ReviewRequest& request, const PassFigures& figures);
