#pragma once

#include <QList>
#include <QtGlobal>
#include <vector>

// A stretch of the student's speech in a recording, in milliseconds.
struct SpeechSpan {
    qint32 begin = 0;
    qint32 end = 0;
    bool operator==(const SpeechSpan&) const = default;
};

// Finds where the student speaks, by the energy of short frames against the
// noise floor of the recording itself: a quiet room and a humming laptop get
// the same figures. Gaps shorter than a breath between words are bridged,
// and clicks too short to be a syllable are dropped.
QList<SpeechSpan> detectSpeech(const std::vector<float>& samples, int sampleRate);
