#include "review/ReviewPrint.h"

#include "review/TimeLine.h"

#include <cmath>
#include <functional>

namespace {
// The page's measures, all from its size.
struct Measures {
    int left, right, top, bottom;
    int titleFont, font, rowHeight, laneHeight;

    explicit Measures(int w, int h)
        : left(w / 20), right(w - w / 20), top(h / 25), bottom(h - h / 20), titleFont(h / 40),
          font(h / 70), rowHeight(h / 8), laneHeight(h / 8 * 2 / 5)
    {
    }
};

// One lane of a row as lines, one a column; `at` gives the lane's position
// in its sound for a time of the time line, nothing where it is silent.
void printLane(PrintPage& page, const Measures& m, int top, qint64 rowStart,
               const PeakSummary& peaks, const std::function<std::optional<double>(double)>& at)
{
    const double columnMs = double(PrintedRowMs) / PrintedColumns;
    const double columnWidth = double(m.right - m.left) / PrintedColumns;
    const int middle = top + m.laneHeight / 2;
    for (int c = 0; c < PrintedColumns; ++c) {
        const std::optional<double> ms = at(double(rowStart) + c * columnMs);
        if (!ms)
            continue;
        const Peak peak = peaks.columns(*ms, *ms + columnMs, 1).front();
        const int x = m.left + int(std::lround(c * columnWidth));
        const int high = middle - int(std::lround(peak.high * m.laneHeight / 2));
        const int low = middle - int(std::lround(peak.low * m.laneHeight / 2));
        // A silent column draws nothing: a line of no length is no mark.
        if (low > high)
            page.lines.append({x, high, x, low});
    }
}

void printTurnEdges(PrintPage& page, const Measures& m, int top, qint64 rowStart,
                    const QList<ReviewSyntagm>& syntagms)
{
    const double xPerMs = double(m.right - m.left) / PrintedRowMs;
    for (const ReviewSyntagm& s : syntagms) {
        if (s.student.begin < rowStart || s.student.begin >= rowStart + PrintedRowMs)
            continue;
        const int x = m.left + int(std::lround((s.student.begin - rowStart) * xPerMs));
        page.lines.append({x, top, x, top + 2 * m.laneHeight + m.font});
        page.texts.append(
            {x + m.font / 4, top + 2 * m.laneHeight, m.font, QString::number(s.line)});
    }
}

void printRow(PrintPage& page, const Measures& m, int top, qint64 rowStart,
              const ReviewPrintInput& in)
{
    const QList<ReviewSyntagm>& syntagms = in.material->syntagms;
    page.texts.append({m.left, top - m.font, m.font, secondsText(qint32(rowStart))});
    printLane(page, m, top, rowStart, *in.lesson,
              [&](double ms) { return lessonMsAt(syntagms, ms); });
    printLane(page, m, top + m.laneHeight, rowStart, *in.recording,
              [](double ms) { return std::optional<double>(ms); });
    page.lines.append({m.left, top + m.laneHeight, m.right, top + m.laneHeight});
    printTurnEdges(page, m, top, rowStart, syntagms);
}

int printTitle(PrintPage& page, const Measures& m, const ReviewPrintInput& in)
{
    int y = m.top;
    page.texts.append({m.left, y, m.titleFont, QStringLiteral("Разбор перевода")});
    y += m.titleFont * 2;
    QStringList lines{QStringLiteral("Ученик: %1").arg(in.student),
                      QStringLiteral("Дата: %1").arg(in.printed.toString(u"dd.MM.yyyy hh:mm"))};
    lines += figuresText(in.material->figures).split(u'\n');
    lines << QStringLiteral("Сверху урок, снизу запись ученика; числа под ними - номера синтагм.");
    for (const QString& line : lines) {
        page.texts.append({m.left, y, m.font, line});
        y += m.font * 3 / 2;
    }
    return y + m.font * 2;
}

void numberPage(PrintPage& page, const Measures& m, int pageWidth, int number)
{
    page.texts.append({pageWidth / 2, m.bottom + m.font, m.font, QString::number(number)});
}
} // namespace

QList<PrintPage> reviewPrintLayout(const ReviewPrintInput& in)
{
    const Measures m(in.pageWidth, in.pageHeight);
    QList<PrintPage> pages(1);
    int top = printTitle(pages.last(), m, in);
    const qint64 length = passLengthMs(*in.material);
    for (qint64 rowStart = 0; rowStart < length; rowStart += PrintedRowMs) {
        if (top + m.rowHeight > m.bottom) {
            numberPage(pages.last(), m, in.pageWidth, int(pages.size()));
            pages.append(PrintPage());
            top = m.top + m.font;
        }
        printRow(pages.last(), m, top, rowStart, in);
        top += m.rowHeight;
    }
    numberPage(pages.last(), m, in.pageWidth, int(pages.size()));
    return pages;
}
