#pragma once

#include "review/ReviewInput.h"

#include <optional>

// The review's time line is the recording's: the student lane shows the
// recording as it is; the lesson lane shows each syntagm's lesson sound from
// the begin of the syntagm's turn, and when the lesson waited for the student
// the rest of the turn is the wait.

// Which part of the time line the window shows: its left edge and its scale.
struct TimeView {
    static constexpr double FinestMsPerPixel = 0.5;
    static constexpr double CoarsestMsPerPixel = 500;

    double startMs = 0;
    double msPerPixel = 10;

    double msAt(double x) const { return startMs + x * msPerPixel; }
    double xAt(double ms) const { return (ms - startMs) / msPerPixel; }
};

// Zooms by the factor (above 1 shows more detail) keeping the time under x
// where it is, within the scale's bounds and the pass's length.
TimeView zoomed(const TimeView& view, double factor, double x, double width, double lengthMs);
// The view with its left edge moved to startMs, kept within the pass.
TimeView scrolledTo(const TimeView& view, double startMs, double width, double lengthMs);

// The index of the syntagm whose turn holds the time; nothing between turns.
std::optional<qsizetype> syntagmAt(const QList<ReviewSyntagm>& syntagms, double ms);

// Where in the lesson the lesson lane is at a time of the time line: inside a
// turn, the syntagm's lesson sound, then the wait (nothing); between turns,
// the same time when lesson and recording share it, else nothing.
std::optional<double> lessonMsAt(const QList<ReviewSyntagm>& syntagms, double ms);

// True when every turn lies where its lesson stretch does: the pass was not
// held back by the student.
bool sharesTimeLine(const QList<ReviewSyntagm>& syntagms);

// The whole pass's length on the time line: the recording's, or the last turn's end.
qint64 passLengthMs(const ReviewMaterial& material);
