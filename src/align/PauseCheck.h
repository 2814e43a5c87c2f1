#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

// A spoken line of a timing file as the course check sees it.
struct TimedSentenceLine {
    int number = 0; // in the timing file, from 1
    qint64 begin = 0;
    qint64 end = 0;
    bool startsSentence = true;
    bool endsSentence = true;
};

// The lines whose boundary between sentences lies in the middle of speech:
// no pause of 30 ms within 100 ms of it. Boundaries inside a sentence are
// often spoken without a pause and are not judged. `levels` is the loudness
// of the recording every 2 ms.
QList<int> linesWithBoundaryInSpeech(const std::vector<float>& levels,
                                     const QList<TimedSentenceLine>& lines);

// The same for a sound file; empty when it cannot be read (the check reports
// that elsewhere) or when the alignment module cannot be opened.
std::optional<QList<int>> boundariesInSpeech(const QString& sound,
                                             const QList<TimedSentenceLine>& lines);
