#include "users/ReportPrint.h"

#include <QLocale>
#include <cfenv>
#include <cmath>

namespace {
// The table's measures on one page size; T is the table's origin, which moves
// up at every page break so that the row count can go on.
class TableLayout {
public:
    explicit TableLayout(const ReportPrintInput& input)
        : in_(input), pw_(input.pageWidth), ph_(input.pageHeight), t_(roundEven(ph_ * 4 / 25)),
          font_(roundEven(ph_ / 80)), left_(roundEven(pw_ / 20)), right_(roundEven(pw_ - pw_ / 20))
    {
        pages_.append(titleBlock());
    }

    QList<PrintPage> run()
    {
        bool breakDue = false;
        for (int i = 1; i <= in_.progress.count(); ++i) {
            const ReportEntry entry =
                i <= in_.entries.size() ? in_.entries.at(i - 1) : ReportEntry{};
            const ProgressRecord& record = in_.progress.record(i);
            if (in_.doneOnly && !record.done() && entry.kind != ExerciseKind::Heading)
                continue;
            // A page ends only when another row follows, so a report that
            // fills its last page exactly leaves no page with nothing on it.
            if (breakDue)
                newPage();
            breakDue = row(entry, record);
        }
        ++n_;
        hline(y(n_));
        pageNumber();
        return pages_;
    }

private:
    double y(int n) const { return n * ph_ / 60 + t_; }
    int r(double v) const { return roundEven(v); }
    PrintPage& page() { return pages_.last(); }
    void text(double x, double top, int height, const QString& what)
    {
        page().texts.append({r(x), r(top), height, what});
    }
    void hline(double at) { page().lines.append({left_, r(at), right_, r(at)}); }
    void column(double x) { page().lines.append({r(x), r(y(n_)), r(x), r(y(n_ + 1))}); }

    PrintPage titleBlock() const
    {
        const int big = roundEven(ph_ / 30);
        const int small = roundEven(ph_ / 50);
        PrintPage first;
        first.texts = {
            {roundEven(pw_ / 5), roundEven(ph_ / 19), big, QStringLiteral("Tolvaren")},
            {roundEven(pw_ / 20), roundEven(ph_ * 2 / 22), small,
             QStringLiteral("Имя пользователя: ") + in_.userName},
            {roundEven(pw_ / 20), roundEven(ph_ * 3 / 25), small,
             QStringLiteral("Режим работы: ") + in_.mode + QStringLiteral(";   Дата: ") +
                 printedDate(in_.printed)},
            {roundEven(pw_ / 5), roundEven(ph_ * 3.7 / 25), small, QStringLiteral("Отчет.")},
        };
        return first;
    }

    // Prints row n + 1; true when it leaves less than three row heights below
    // its top, so that the page ends after it.
    bool row(const ReportEntry& entry, const ProgressRecord& record)
    {
        ++n_;
        content(entry, record);
        hline(y(n_));
        column(left_);
        column(right_);
        return (n_ + 3) * ph_ / 60 + t_ > ph_;
    }

    void content(const ReportEntry& entry, const ProgressRecord& record)
    {
        const double line = y(n_) + 10;
        const QString title = QStringLiteral("       ") + entry.title;
        const double state = pw_ * 2 / 3 + pw_ / 18;
        const QString doneWord =
            record.done() ? QStringLiteral("Выполнено") : QStringLiteral("Не выполнено");
        if (entry.kind == ExerciseKind::Heading) {
            text(pw_ / 10, line, font_, QStringLiteral("   Раздел: ") + entry.title);
            return;
        }
        if (!launchesExercise(entry.kind))
            return;
        switch (kindTraits(entry.kind).result) {
        case RunResult::ErrorPercent:
            text(pw_ / 18, line, font_, title);
            if (record.done()) {
                column(pw_ * 2 / 5);
                text(pw_ * 2 / 5 + pw_ / 18, line, font_,
                     QStringLiteral("Ошибок - %1%").arg(record.result()));
            }
            column(pw_ * 2 / 3);
            text(state, line, font_, record.done() ? QStringLiteral("Выполнено ") : doneWord);
            return;
        case RunResult::Grade:
            text(pw_ / 18, line, font_, *reportLine(entry, record));
            return;
        case RunResult::None:
            text(pw_ / 18, line, font_, title);
            column(pw_ * 2 / 3);
            text(state, line, font_, doneWord);
        }
    }

    void pageNumber() { text(pw_ / 2, ph_ - ph_ / 60, font_, QString::number(pages_.size())); }

    void newPage()
    {
        hline(y(n_ + 1));
        t_ = roundEven(0 - n_ * ph_ / 60);
        pageNumber();
        pages_.append(PrintPage());
    }

    const ReportPrintInput& in_;
    const double pw_;
    const double ph_;
    int t_;
    const int font_;
    const int left_;
    const int right_;
    int n_ = 0;
    QList<PrintPage> pages_;
};
} // namespace

int roundEven(double value)
{
    // nearbyint follows the rounding mode, which is to-nearest-even unless
    // someone changed it.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(saved);
    return int(rounded);
}

QString printedDate(const QDateTime& when)
{
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    const QString month = russian.standaloneMonthName(when.date().month(), QLocale::LongFormat);
    return QStringLiteral(" %1, %2 , %3, ")
               .arg(when.toString(QStringLiteral("dd")), month,
                    when.toString(QStringLiteral("yyyy"))) +
           QStringLiteral("  Время: ") + QStringLiteral(" %1 ").arg(when.toString("HH:mm"));
}

QList<PrintPage> reportPrintLayout(const ReportPrintInput& input)
{
    return TableLayout(input).run();
}
