#pragma once

#include "align/AlignText.h"
#include "align/Analysis.h"

#include <QList>
#include <QString>
#include <functional>
#include <vector>

struct AlignResult {
    // One per text line; headings and unspoken lines hold 0 and 0.
    QList<AlignSegment> segments;
    // 1-based numbers of the lines whose boundaries are doubtful.
    QList<int> doubtful;
    // When not empty the recording cannot carry the text: why, in Russian.
    QString refusal;
};

struct AlignOptions {
    QString voice = QStringLiteral("de");
    // Told the share of the work done, from 0.4 (the recording read) to 1.
    std::function<void(double)> progress;
};

// Finds where every spoken line of `lines` lies in `recording`: the text is
// spoken by the reference voice, both are turned into the same features, the
// reference is warped onto the recording, and each boundary then moves to the
// edge of a pause within 100 ms where there is one. Nothing here knows what
// voice spoke the recording.
AlignResult alignRecording(const Analysis& recording, const QList<AlignLine>& lines,
                           const AlignOptions& options);

// Where the recording's speech begins and ends around `ms`: the nearest
// moment within 100 ms at which a pause of at least 30 ms gives way to speech
// (`onset`) or speech gives way to one (not `onset`). -1 when there is none.
// `levels` is the loudness every 2 ms, `threshold` the level that counts as
// speech.
qint64 nearestPauseEdge(const std::vector<float>& levels, float threshold, qint64 ms, bool onset);

// Whether a pause of at least 30 ms lies within 100 ms of `ms`.
bool pauseNear(const std::vector<float>& levels, float threshold, qint64 ms);

// Where speech begins, as a share of the way from the room's noise to the
// speech level, in dB.
inline constexpr float OnsetShare = 0.3f;

// The level `share` of the way from the room's noise to the speech, in dB,
// from the loudness of a recording every few milliseconds.
float speechThreshold(const std::vector<float>& levels, float share);
