#pragma once

#include "review/VoiceActivity.h"

#include <vector>

// Phrases of speech-like sound at the given stretches (syllables of a voiced
// tone with harmonics, 30 to 90 ms apart, speech at 0.2 RMS) over steady
// noise `snrDb` below the speech, mono at `rate`.
std::vector<float> speechLike(qint32 totalMs, const QList<SpeechSpan>& spans, double snrDb,
                              int rate);
