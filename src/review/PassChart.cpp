#include "review/PassChart.h"

#include "widgets/Look.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {
const QColor ShareColour(30, 120, 60);
const QColor LagColour(40, 70, 150);

// The points of one figure over the passes, scaled to the plot; passes
// without the figure leave a gap.
void drawSeries(QPainter& painter, const QRectF& plot, const QList<std::optional<double>>& values,
                double top, const QColor& colour)
{
    painter.setPen(QPen(colour, 2));
    painter.setBrush(colour);
    const double step = values.size() > 1 ? plot.width() / double(values.size() - 1) : 0;
    std::optional<QPointF> previous;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (!values[i]) {
            previous.reset();
            continue;
        }
        const QPointF point(plot.left() + step * double(i) +
                                (values.size() == 1 ? plot.width() / 2 : 0),
                            plot.bottom() - plot.height() * std::min(*values[i], top) / top);
        if (previous)
            painter.drawLine(*previous, point);
        painter.drawEllipse(point, 3, 3);
        previous = point;
    }
}
} // namespace

PassChart::PassChart(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(240, 120);
}

void PassChart::setPasses(const QList<PassRecord>& passes)
{
    passes_ = passes;
    update();
}

void PassChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    painter.setFont(look::arial(11));
    const QRectF plot = QRectF(rect()).adjusted(36, 18, -36, -18);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, 0, width(), 16), Qt::AlignCenter,
                     QStringLiteral("Проходы: доля речи и отставание"));
    if (passes_.isEmpty()) {
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("Проходов пока нет"));
        return;
    }
    painter.setPen(Qt::lightGray);
    painter.drawRect(plot);
    QList<std::optional<double>> shares, lags;
    double lagTop = 1;
    for (const PassRecord& pass : passes_) {
        shares.append(pass.speakingShare() * 100);
        lags.append(pass.medianLag ? std::optional<double>(*pass.medianLag / 1000.0)
                                   : std::nullopt);
        lagTop = std::max(lagTop, lags.last().value_or(0));
    }
    painter.setPen(ShareColour);
    painter.drawText(QRectF(0, plot.top() - 6, 34, 14), Qt::AlignRight, QStringLiteral("100 %"));
    painter.setPen(LagColour);
    painter.drawText(QRectF(plot.right() + 2, plot.top() - 6, 34, 14), Qt::AlignLeft,
                     secondsText(qint32(lagTop * 1000)));
    const QRectF foot(plot.left(), plot.bottom() + 2, plot.width(), 14);
    painter.setPen(ShareColour);
    painter.drawText(foot, Qt::AlignLeft, QStringLiteral("доля речи"));
    painter.setPen(Qt::black);
    painter.drawText(foot, Qt::AlignCenter, QStringLiteral("проходов: %1").arg(passes_.size()));
    painter.setPen(LagColour);
    painter.drawText(foot, Qt::AlignRight, QStringLiteral("отставание"));
    drawSeries(painter, plot, shares, 100, ShareColour);
    drawSeries(painter, plot, lags, lagTop, LagColour);
}
