#include "review/PassFigures.h"

#include <algorithm>

namespace {
// The first speech the student starts within the turn. Speech that runs on
// into it from before belongs to the syntagm before; only a turn spoken
// through without a break counts from its begin.
std::optional<qint32> lagIn(const QList<SpeechSpan>& speech, const Turn& turn)
{
    bool spokenThrough = false;
    for (const SpeechSpan& span : speech) {
        if (span.end <= turn.begin)
            continue;
        if (span.begin >= turn.end)
            break;
        if (span.begin >= turn.begin)
            return span.begin - turn.begin;
        spokenThrough = span.end >= turn.end;
    }
    return spokenThrough ? std::optional<qint32>(0) : std::nullopt;
}

std::optional<qint32> median(QList<qint32> values)
{
    if (values.isEmpty())
        return std::nullopt;
    std::sort(values.begin(), values.end());
    const qsizetype half = values.size() / 2;
    return values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2;
}
} // namespace

PassFigures passFigures(const QList<SpeechSpan>& speech, const QList<Turn>& turns, qint32 lessonMs)
{
    PassFigures figures;
    figures.lessonMs = lessonMs;
    for (qsizetype i = 0; i < speech.size(); ++i) {
        figures.speakingMs += speech[i].end - speech[i].begin;
        const qint32 gap = i > 0 ? speech[i].begin - speech[i - 1].end : 0;
        if (gap > PassFigures::LongPauseMs) {
            ++figures.pauseCount;
            figures.pauseMs += gap;
        }
    }
    QList<qint32> spoken;
    for (const Turn& turn : turns) {
        figures.lags.append(lagIn(speech, turn));
        if (figures.lags.last())
            spoken.append(*figures.lags.last());
    }
    figures.medianLag = median(spoken);
    if (!spoken.isEmpty())
        figures.largestLag = *std::max_element(spoken.begin(), spoken.end());
    return figures;
}

QString secondsText(qint32 ms)
{
    return QStringLiteral("%1 с").arg(QString::number(ms / 1000.0, 'f', 1).replace(u'.', u','));
}
