#pragma once

#include "listening/Lesson.h"

#include <optional>

// The rules of the lesson listening window that do not need it on screen.

// One tick of following the sound: the syntagm after a heading, then the next
// one once the sound has passed the current one's end (at the end itself it is
// still current). Never beyond `count`.
int followSound(const TimingTable& table, int count, int current, qint64 position);

// Where "С начала" starts: the first syntagm after the title, or the first
// entry a shorter lesson has.
qint32 playAllStart(const TimingTable& lessonTiming);

// Where "С фрагмента" starts: the syntagm's begin, the next one's after a heading.
qint32 playFromStart(const TimingTable& table, int current);

// A marked range of syntagms, from 1; both 0 until something is marked.
struct LoopRange {
    int start = 0;
    int end = 0;
    bool markingEnd = false; // the next mark sets the end

    // Marks the start, or the end, at syntagm `current`. A heading as the end
    // leaves the range at the syntagm before it; an end before the start swaps them.
    void mark(int current, const TimingTable& lessonTiming);
    bool empty() const { return start == 0 && end == 0; }
};

// The part of the recording a loop plays: from the start syntagm's begin (the
// next one's after a heading) to the end syntagm's end (the next one's when it
// has none). Empty when nothing is marked or the range has no sound.
std::optional<TimingEntry> loopSpan(const LoopRange& range, const TimingTable& lessonTiming);
