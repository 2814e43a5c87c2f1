#pragma once

#include "common/CourseError.h"
#include "common/TimingLine.h"

#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

// The lines of a timing file up to the first bad one, and the fault, if any.
struct DrillTiming {
    QList<Segment> segments;
    std::optional<CourseError> error;
};

DrillTiming readDrillTiming(const QString& path);

// Gives the first items the segments the timing file holds before any bad
// line; the items after it, and all of them when the file is missing, keep
// 0, 0. Records the fault in `error`: a timing file that cannot be read costs
// the sound, never the exercise.
template <typename Item>
void applyDrillTiming(QList<Item>& items, const QString& path, std::optional<CourseError>& error)
{
    const DrillTiming timing = readDrillTiming(path);
    for (qsizetype i = 0; i < items.size() && i < timing.segments.size(); ++i) {
        items[i].start = timing.segments[i].start;
        items[i].end = timing.segments[i].end;
    }
    if (timing.error)
        error = timing.error;
}
