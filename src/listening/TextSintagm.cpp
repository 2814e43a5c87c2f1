#include "listening/TextSintagm.h"

#include "listening/ListeningControls.h"
#include "widgets/Look.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

TTextSintagm::TTextSintagm(QWidget* parent) : QWidget(parent), font_(look::faceName())
{
    font_.setPointSize(10);
    resize(150, 200);
    timer_.setInterval(50);
    connect(&timer_, &QTimer::timeout, this, &TTextSintagm::ScrollStep);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TTextSintagm::SetFont(const QFont& font, QRgb colour)
{
    font_ = font;
    metrics_ = {};
    TextLook normal = model_.NormalLook();
    normal.colour = colour;
    model_.setLooks(normal, model_.SelectedLook(), model_.MarkedLook());
    model_.markStale();
    update();
}

void TTextSintagm::SetFontSelSintagm(quint8 style, QRgb colour)
{
    repaintIf(model_.setLooks(model_.NormalLook(), {style, colour}, model_.MarkedLook()));
}

void TTextSintagm::SetFontSelMultSint(quint8 style, QRgb colour)
{
    repaintIf(model_.setLooks(model_.NormalLook(), model_.SelectedLook(), {style, colour}));
}

void TTextSintagm::SetOnTimer(bool on)
{
    if (on)
        timer_.start();
    else
        timer_.stop();
}

void TTextSintagm::ScrollStep()
{
    repaintIf(model_.ScrollStep(height()));
}

void TTextSintagm::repaintIf(bool needed)
{
    if (needed)
        update();
}

int TTextSintagm::widthOf(const QString& text, quint8 style) const
{
    std::optional<QFontMetrics>& metrics = metrics_[style & 15];
    if (!metrics)
        metrics.emplace(styledFont(font_, style));
    return metrics->horizontalAdvance(text);
}

void TTextSintagm::paintEvent(QPaintEvent*)
{
    if (picture_.size() != size())
        picture_ = QImage(size(), QImage::Format_RGB32);
    picture_.fill(Qt::white);
    // The line pitch is the font's character height, whatever its face measures.
    const int lineHeight = font_.pixelSize() > 0 ? font_.pixelSize() : QFontMetrics(font_).height();
    const QList<DrawnRun> runs =
        model_.Paint(size(), lineHeight,
                     [this](const QString& text, quint8 style) { return widthOf(text, style); });
    QPainter image(&picture_);
    drawRuns(image, font_, runs);
    image.end();
    QPainter(this).drawImage(0, 0, picture_);
}

void TTextSintagm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    model_.markStale();
    if (isEnabled())
        emit OnResize();
}

void TTextSintagm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (parentWidget())
        parentWidget()->update();
}

void TTextSintagm::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (parentWidget())
        parentWidget()->update();
}

int TTextSintagm::syntagmUnder(const QMouseEvent* event) const
{
    if (event->button() != Qt::LeftButton)
        return -1;
    return model_.syntagmAt(event->position().toPoint(), [this](const QString& text, quint8 style) {
        return widthOf(text, style);
    });
}

void TTextSintagm::mousePressEvent(QMouseEvent* event)
{
    if (const int index = syntagmUnder(event); index >= 0)
        emit SyntagmClicked(index);
}

void TTextSintagm::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (const int index = syntagmUnder(event); index >= 0)
        emit SyntagmDoubleClicked(index);
}

// A notch of the wheel is 120 and moves the text three lines; a touch pad
// sends parts of a notch, and the size changes once they make a whole one.
void TTextSintagm::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (!(event->modifiers() & Qt::ControlModifier)) {
        model_.scrollLines(3.0 * delta / 120);
        update();
        return;
    }
    zoomDelta_ += delta;
    if (std::abs(zoomDelta_) >= 120) {
        emit ZoomAsked(zoomDelta_ > 0 ? 1 : -1);
        zoomDelta_ = 0;
    }
}
