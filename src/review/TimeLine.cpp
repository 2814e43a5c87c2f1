#include "review/TimeLine.h"

#include <algorithm>

TimeView scrolledTo(const TimeView& view, double startMs, double width, double lengthMs)
{
    const double last = std::max(0.0, lengthMs - width * view.msPerPixel);
    return {std::clamp(startMs, 0.0, last), view.msPerPixel};
}

TimeView zoomed(const TimeView& view, double factor, double x, double width, double lengthMs)
{
    const double anchor = view.msAt(x);
    // Coarser than the whole pass in the window is of no use.
    const double coarsest =
        std::max(TimeView::FinestMsPerPixel,
                 std::min(TimeView::CoarsestMsPerPixel, lengthMs / std::max(width, 1.0)));
    const double scale = std::clamp(view.msPerPixel / factor, TimeView::FinestMsPerPixel, coarsest);
    return scrolledTo({0, scale}, anchor - x * scale, width, lengthMs);
}

std::optional<qsizetype> syntagmAt(const QList<ReviewSyntagm>& syntagms, double ms)
{
    for (qsizetype i = 0; i < syntagms.size(); ++i)
        if (ms >= syntagms[i].student.begin && ms < syntagms[i].student.end)
            return i;
    return std::nullopt;
}

std::optional<double> lessonMsAt(const QList<ReviewSyntagm>& syntagms, double ms)
{
    if (const auto i = syntagmAt(syntagms, ms)) {
        const ReviewSyntagm& s = syntagms[*i];
        const double at = s.lesson.begin + (ms - s.student.begin);
        return at < s.lesson.end ? std::optional<double>(at) : std::nullopt;
    }
    return sharesTimeLine(syntagms) ? std::optional<double>(ms) : std::nullopt;
}

bool sharesTimeLine(const QList<ReviewSyntagm>& syntagms)
{
    return std::all_of(syntagms.begin(), syntagms.end(), [](const ReviewSyntagm& s) {
        return s.lesson.begin == s.student.begin && s.lesson.end == s.student.end;
    });
}

qint64 passLengthMs(const ReviewMaterial& material)
{
    qint64 length = material.recording ? material.recording->info.lengthMs() : 0;
    if (!material.syntagms.isEmpty())
        length = std::max<qint64>(length, material.syntagms.last().student.end);
    if (sharesTimeLine(material.syntagms) && material.lessonSound)
        length = std::max(length, material.lessonSound->info.lengthMs());
    return length;
}
