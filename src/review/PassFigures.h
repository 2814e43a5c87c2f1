#pragma once

#include "review/VoiceActivity.h"

#include <QList>
#include <QString>
#include <optional>

// Where a syntagm's turn lies in the student's recording, in milliseconds.
struct Turn {
    qint32 begin = 0;
    qint32 end = 0;
};

// What a pass shows of the student: how much of the lesson's time was
// spoken, where the student fell silent, and how far behind the lesson the
// student started each syntagm.
struct PassFigures {
    static constexpr qint32 LongPauseMs = 500;

    qint32 lessonMs = 0;
    qint32 speakingMs = 0;
    int pauseCount = 0; // silences longer than LongPauseMs between speech
    qint32 pauseMs = 0;
    // Per turn: from its begin to the student's first speech in it; nothing
    // when the student said nothing in it.
    QList<std::optional<qint32>> lags;
    std::optional<qint32> medianLag;
    std::optional<qint32> largestLag;
};

PassFigures passFigures(const QList<SpeechSpan>& speech, const QList<Turn>& turns, qint32 lessonMs);

// Milliseconds as seconds with one decimal, "1,5 с".
QString secondsText(qint32 ms);
