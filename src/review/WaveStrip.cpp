#include "review/WaveStrip.h"

#include "widgets/Look.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

namespace {
const QColor LessonColour(40, 70, 150);
const QColor StudentColour(30, 120, 60);
const QColor SelectedColour(255, 244, 190);
const QColor PauseColour(220, 60, 50);
constexpr double WheelZoom = 1.25;

// A step of a few whole seconds that leaves some 80 pixels between marks.
double rulerStepMs(double msPerPixel)
{
    for (double step : {100.0, 200.0, 500.0, 1000.0, 2000.0, 5000.0, 10000.0, 30000.0, 60000.0})
        if (step / msPerPixel >= 80)
            return step;
    return 120000;
}
} // namespace

void drawPeaks(QPainter& painter, const QRect& lane, const std::vector<Peak>& peaks, int firstX)
{
    const double middle = lane.center().y();
    const double half = lane.height() / 2.0 - 1;
    for (size_t c = 0; c < peaks.size(); ++c) {
        const int x = firstX + int(c);
        const int top = int(std::lround(middle - peaks[c].high * half));
        const int bottom = int(std::lround(middle - peaks[c].low * half));
        painter.drawLine(x, top, x, std::max(top, bottom));
    }
}

WaveStrip::WaveStrip(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMinimumHeight(RulerHeight + TextHeight + 160);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WaveStrip::setMaterial(const ReviewMaterial* material, const PeakSummary* lesson,
                            const PeakSummary* recording)
{
    material_ = material;
    lesson_ = lesson;
    recording_ = recording;
    lengthMs_ = passLengthMs(*material);
    fitWhole();
}

void WaveStrip::fitWhole()
{
    setView(zoomed({0, TimeView::CoarsestMsPerPixel}, 1e-9, 0, width(), double(lengthMs_)));
}

bool WaveStrip::showsWhole(int width) const
{
    // Before its first layout the strip has no width and shows the whole pass.
    return width <= 0 || (view_.startMs <= 0 && view_.msPerPixel * width >= double(lengthMs_));
}

void WaveStrip::setView(const TimeView& view)
{
    view_ = scrolledTo(view, view.startMs, width(), double(lengthMs_));
    update();
    emit viewChanged();
}

void WaveStrip::zoomBy(double factor)
{
    zoomBy(factor, width() / 2.0);
}

void WaveStrip::zoomBy(double factor, double x)
{
    setView(zoomed(view_, factor, x, width(), double(lengthMs_)));
}

void WaveStrip::select(qsizetype index)
{
    if (!material_ || index < 0 || index >= material_->syntagms.size())
        return;
    selected_ = index;
    const Turn turn = material_->syntagms[index].student;
    if (view_.xAt(turn.begin) < 0 || view_.xAt(turn.end) > width())
        setView({turn.begin - width() * view_.msPerPixel / 10, view_.msPerPixel});
    update();
    emit selectedChanged(index);
}

QRect WaveStrip::laneRect(int lane) const
{
    const int laneHeight = (height() - RulerHeight - TextHeight) / 2;
    return {0, RulerHeight + lane * laneHeight, width(), laneHeight};
}

void WaveStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!material_)
        return;
    paintTurns(painter);
    paintRuler(painter);
    paintLesson(painter);
    paintRecording(painter);
    paintSpeech(painter);
    paintTexts(painter);
}

void WaveStrip::paintRuler(QPainter& painter) const
{
    painter.fillRect(0, 0, width(), RulerHeight, look::WindowGrey);
    painter.setPen(Qt::black);
    painter.setFont(look::arial(11));
    const double step = rulerStepMs(view_.msPerPixel);
    for (double ms = std::floor(view_.startMs / step) * step; view_.xAt(ms) < width(); ms += step) {
        const int x = int(view_.xAt(ms));
        painter.drawLine(x, RulerHeight - 4, x, RulerHeight);
        painter.drawText(x + 2, RulerHeight - 4, secondsText(qint32(ms)).chopped(2));
    }
}

// The selected turn shaded, every turn's edges, and in the lesson lane the
// wait after the lesson's syntagm.
void WaveStrip::paintTurns(QPainter& painter) const
{
    const QRect lesson = laneRect(0);
    const int bottom = laneRect(1).bottom();
    for (qsizetype i = 0; i < material_->syntagms.size(); ++i) {
        const ReviewSyntagm& s = material_->syntagms[i];
        const int left = int(view_.xAt(s.student.begin));
        const int right = int(view_.xAt(s.student.end));
        if (right < 0 || left > width())
            continue;
        if (i == selected_)
            painter.fillRect(left, RulerHeight, right - left, height() - RulerHeight,
                             SelectedColour);
        const int waitFrom = int(view_.xAt(s.student.begin + (s.lesson.end - s.lesson.begin)));
        if (waitFrom < right) {
            const QRect wait(waitFrom, lesson.top(), right - waitFrom, lesson.height());
            painter.fillRect(wait, QBrush(QColor(160, 160, 160), Qt::BDiagPattern));
            painter.setPen(Qt::darkGray);
            painter.setFont(look::arial(12));
            painter.drawText(wait, Qt::AlignCenter, QStringLiteral("ожидание"));
        }
        painter.setPen(QPen(Qt::gray, 1, Qt::DashLine));
        painter.drawLine(left, RulerHeight, left, height());
        painter.drawLine(right, RulerHeight, right, bottom);
    }
}

void WaveStrip::paintLesson(QPainter& painter) const
{
    const QRect lane = laneRect(0);
    painter.setPen(LessonColour);
    if (sharesTimeLine(material_->syntagms)) {
        drawPeaks(painter, lane, lesson_->columns(view_.startMs, view_.msAt(width()), width()), 0);
    } else {
        for (int x = 0; x < width(); ++x)
            if (const auto at = lessonMsAt(material_->syntagms, view_.msAt(x)))
                drawPeaks(painter, lane, lesson_->columns(*at, *at + view_.msPerPixel, 1), x);
    }
    painter.setPen(Qt::black);
    painter.setFont(look::arial(12, true));
    painter.drawText(lane.adjusted(4, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("Урок"));
}

void WaveStrip::paintRecording(QPainter& painter) const
{
    const QRect lane = laneRect(1);
    painter.setPen(StudentColour);
    drawPeaks(painter, lane, recording_->columns(view_.startMs, view_.msAt(width()), width()), 0);
    painter.setPen(Qt::black);
    painter.setFont(look::arial(12, true));
    painter.drawText(lane.adjusted(4, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("Ученик"));
    painter.setPen(Qt::lightGray);
    painter.drawLine(0, lane.top(), width(), lane.top());
}

// A bar under the recording where the student speaks, and the long pauses
// between in red.
void WaveStrip::paintSpeech(QPainter& painter) const
{
    const QRect lane = laneRect(1);
    const int y = lane.bottom() - 5;
    const QList<SpeechSpan>& speech = material_->speech;
    for (qsizetype i = 0; i < speech.size(); ++i) {
        const int left = int(view_.xAt(speech[i].begin));
        painter.fillRect(left, y, int(view_.xAt(speech[i].end)) - left, 4, StudentColour);
        if (i > 0 && speech[i].begin - speech[i - 1].end > PassFigures::LongPauseMs) {
            const int from = int(view_.xAt(speech[i - 1].end));
            painter.fillRect(from, y, left - from, 4, PauseColour);
        }
    }
}

void WaveStrip::paintTexts(QPainter& painter) const
{
    const int top = height() - TextHeight;
    painter.fillRect(0, top, width(), TextHeight, QColor(248, 248, 248));
    painter.setFont(look::arial(13));
    const QFontMetrics metrics(painter.font());
    for (const ReviewSyntagm& s : material_->syntagms) {
        const int left = int(view_.xAt(s.student.begin));
        const int right = int(view_.xAt(s.student.end));
        if (right < 0 || left > width())
            continue;
        const QRect box(left + 3, top + 2, right - left - 6, TextHeight - 4);
        painter.setPen(Qt::gray);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, QString::number(s.line));
        painter.setPen(Qt::black);
        painter.drawText(box.adjusted(0, TextHeight / 2 - 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                         metrics.elidedText(s.text, Qt::ElideRight, box.width()));
    }
}

void WaveStrip::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (event->modifiers() & Qt::ControlModifier)
        zoomBy(std::pow(WheelZoom, steps), event->position().x());
    else
        setView({view_.startMs - steps * width() * view_.msPerPixel / 8, view_.msPerPixel});
    event->accept();
}

void WaveStrip::mousePressEvent(QMouseEvent* event)
{
    if (!material_)
        return;
    if (const auto i = syntagmAt(material_->syntagms, view_.msAt(event->position().x())))
        select(*i);
}

void WaveStrip::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!material_)
        return;
    // A window that showed the whole pass goes on showing it.
    if (showsWhole(event->oldSize().width()))
        fitWhole();
    else
        setView(view_);
}
