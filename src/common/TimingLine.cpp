#include "common/TimingLine.h"

namespace {
// A sign, then decimal digits and nothing else: the end position is the whole
// rest of the line, so a blank or a second TAB after it makes the line bad.
std::optional<qint32> parseInt32(const QString& text)
{
    const int digitsFrom = text.startsWith(u'-') || text.startsWith(u'+') ? 1 : 0;
    if (text.size() == digitsFrom)
        return std::nullopt;
    for (int i = digitsFrom; i < text.size(); ++i)
        if (text[i] < u'0' || text[i] > u'9')
            return std::nullopt;
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok || value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<qint32>(value);
}
} // namespace

std::optional<Segment> parseTimingLine(const QString& line)
{
    const qsizetype tab = line.indexOf(u'\t');
    if (tab < 0)
        return std::nullopt;
    const std::optional<qint32> start = parseInt32(line.left(tab));
    const std::optional<qint32> end = parseInt32(line.mid(tab + 1));
    if (!start || !end)
        return std::nullopt;
    return Segment{*start, *end};
}
