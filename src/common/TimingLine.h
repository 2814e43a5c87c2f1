#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// The bounds of one item's recording in the sound file, in milliseconds.
struct Segment {
    qint32 start = 0;
    qint32 end = 0;
};

// A timing line: start, TAB, end. The first TAB splits; both sides are decimal
// integers with an optional sign. Empty when the line is not of that form.
// The drills and the lesson windows read the same lines.
std::optional<Segment> parseTimingLine(const QString& line);
