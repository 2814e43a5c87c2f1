#pragma once

#include "review/ReviewInput.h"
#include "review/VoiceActivity.h"

class TempCourse;

#include <vector>

// Phrases of speech-like sound at the given stretches (syllables of a voiced
// tone with harmonics, 30 to 90 ms apart, speech at 0.2 RMS) over steady
// noise `snrDb` below the speech, mono at `rate`.
std::vector<float> speechLike(qint32 totalMs, const QList<SpeechSpan>& spans, double snrDb,
                              int rate);

// Ivan's pass of a kind 13 exercise in the course folder: the lesson
// "lesson.wav", "timing.txt", "text.txt", the recording "Ivan4.wav" and the
// history "Ivan.hst"; the files are the test's to write.
ReviewRequest studentPass(const TempCourse& course);
