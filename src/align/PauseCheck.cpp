#include "align/PauseCheck.h"

#include "align/Aligner.h"
#include "align/SoundInput.h"

QList<int> linesWithBoundaryInSpeech(const std::vector<float>& levels,
                                     const QList<TimedSentenceLine>& lines)
{
    const float threshold = speechThreshold(levels, OnsetShare);
    QList<int> doubtful;
    for (const TimedSentenceLine& line : lines)
        if ((line.startsSentence && !pauseNear(levels, threshold, line.begin)) ||
            (line.endsSentence && !pauseNear(levels, threshold, line.end)))
            doubtful.append(line.number);
    return doubtful;
}

std::optional<QList<int>> boundariesInSpeech(const QString& sound,
                                             const QList<TimedSentenceLine>& lines)
{
    const auto analysis = analyseRecording(sound, {}, false);
    if (!std::holds_alternative<Analysis>(analysis))
        return std::nullopt;
    return linesWithBoundaryInSpeech(std::get<Analysis>(analysis).levels, lines);
}
