#include "listening/ListeningRules.h"

namespace {
TimingEntry entryOf(const TimingTable& table, int index)
{
    return index >= 0 && index < table.size() ? table[index] : TimingEntry{};
}
} // namespace

int followSound(const TimingTable& table, int count, int current, qint64 position)
{
    if (current >= count)
        return current;
    if (entryOf(table, current).end == 0)
        ++current;
    if (position > entryOf(table, current).end && current < count)
        ++current;
    return std::min(current, count);
}

qint32 playAllStart(const TimingTable& lessonTiming)
{
    return entryOf(lessonTiming, std::min<int>(2, int(lessonTiming.size()) - 1)).begin;
}

qint32 playFromStart(const TimingTable& table, int current)
{
    const TimingEntry entry = entryOf(table, current);
    return entry.isHeading() ? entryOf(table, current + 1).begin : entry.begin;
}

void LoopRange::mark(int current, const TimingTable& lessonTiming)
{
    if (!markingEnd) {
        start = end = current;
        markingEnd = true;
        return;
    }
    end = current;
    // A heading has no sound to end the range with.
    if (entryOf(lessonTiming, current).isHeading() && current != 0)
        end = current - 1;
    if (start > current) {
        end = start;
        start = current;
    }
    markingEnd = false;
}

std::optional<TimingEntry> loopSpan(const LoopRange& range, const TimingTable& lessonTiming)
{
    if (range.empty())
        return std::nullopt;
    const TimingEntry first = entryOf(lessonTiming, range.start);
    const qint32 begin =
        first.isHeading() ? entryOf(lessonTiming, range.start + 1).begin : first.begin;
    const TimingEntry last = entryOf(lessonTiming, range.end);
    const qint32 end = last.end != 0 ? last.end : entryOf(lessonTiming, range.end + 1).end;
    if (end <= begin)
        return std::nullopt;
    return TimingEntry{begin, end};
}
