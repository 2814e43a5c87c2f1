#pragma once

#include "align/Analysis.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The reference speech: every spoken line synthesised in turn, a short pause
// between lines, and where each line's speech lies in it.
struct Synthesis {
    Analysis analysis;
    // Per line of the input, the first and the last sample of its speech;
    // both -1 for a line with nothing spoken.
    std::vector<std::pair<long, long>> lines;
};

// Speaks `lines` with the espeak-ng voice `voice`. Empty when the synthesiser
// or the voice is not there; `problem` then says why, in Russian.
std::optional<Synthesis> synthesise(const QStringList& lines, const QString& voice,
                                    QString* problem);

// The first and the last sample above -40 dBFS; -1 and -1 when there is none.
std::pair<long, long> speechExtent(const float* samples, long count);
