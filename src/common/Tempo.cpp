#include "common/Tempo.h"

#include "common/StudentSettings.h"

#include <QString>
#include <algorithm>

namespace {
const QString TempoKey = QStringLiteral("Tempo");
}

namespace Tempo {
int valid(int percent)
{
    const int rounded = (percent + Step / 2) / Step * Step;
    return std::clamp(rounded, Slowest, Normal);
}

int slower(int percent)
{
    return valid(valid(percent) - Step);
}

int faster(int percent)
{
    return valid(valid(percent) + Step);
}

int chosen()
{
    // A settings file edited by hand may hold anything.
    bool ok = false;
    const int stored = StudentSettings::value(TempoKey, Normal).toInt(&ok);
    return ok ? valid(stored) : Normal;
}

void choose(int percent)
{
    StudentSettings::setValue(TempoKey, valid(percent));
}
} // namespace Tempo
