#include "users/ReportPrinter.h"
#include "widgets/Look.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {
QFont cellFont(int cellHeight, QPaintDevice* device)
{
    QFont font = look::arial(cellHeight);
    const qreal cell = QFontMetricsF(font, device).height();
    if (cell > 0)
        font.setPixelSize(qMax(1, qRound(cellHeight * cellHeight / cell)));
    return font;
}

void drawPage(QPainter& painter, const PrintPage& page)
{
    for (const PrintLine& line : page.lines)
        painter.drawLine(line.x1, line.y1, line.x2, line.y2);
    for (const PrintText& text : page.texts) {
        painter.setFont(cellFont(text.fontHeight, painter.device()));
        const int ascent = QFontMetrics(painter.font(), painter.device()).ascent();
        painter.drawText(text.x, text.y + ascent, text.text);
    }
}
} // namespace

bool printReportPages(QPrinter& printer, const QList<PrintPage>& pages)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0)
            printer.newPage();
        drawPage(painter, pages.at(i));
    }
    return painter.end();
}

PrintResult printReport(QWidget* parent, const ReportLayout& layout)
{
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        return {PrintResult::Outcome::NoPrinter, {}};
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return {PrintResult::Outcome::Cancelled, {}};
    if (!printReportPages(printer, layout(printer.width(), printer.height())))
        return {PrintResult::Outcome::Failed, printer.printerName()};
    return {PrintResult::Outcome::Printed, {}};
}
