#include "widgets/PrgssBarQF.h"

#include "widgets/AccessibleControls.h"
#include "widgets/BitmapRules.h"
#include "widgets/Pictures.h"

#include <QAccessible>
#include <QPainter>
#include <algorithm>
#include <utility>

TPrgssBarQF::TPrgssBarQF(QWidget* parent) : QWidget(parent)
{
    installAccessibleControls();
    resize(150, 25);
}

void TPrgssBarQF::SetMin(int value)
{
    min_ = value;
    update();
}

void TPrgssBarQF::SetMax(int value)
{
    max_ = value;
    update();
}

void TPrgssBarQF::SetPosition(int value)
{
    if (value == position_)
        return;
    position_ = value;
    update();
    QAccessibleValueChangeEvent event(this, value);
    QAccessible::updateAccessibility(&event);
}

void TPrgssBarQF::AdvanceTo(int value)
{
    constexpr int frameMs = 16;
    SetPosition(value);
    if (isVisible() && complete() && layout() != drawnLayout_ &&
        !(drawnAt_.isValid() && drawnAt_.elapsed() < frameMs))
        repaint();
}

void TPrgssBarQF::SetImg(Piece piece, const QPixmap& picture)
{
    dressed();
    pieces_[piece] = picture;
    // A bar is drawn often, each tile a piece: the transparent colour is
    // taken out once here, not at every draw.
    drawn_[piece] = withTransparentColour(picture, transparentColour(picture));
    // A complete bar paints every pixel of itself, so what lies beneath it
    // is not painted first.
    setAttribute(Qt::WA_OpaquePaintEvent, complete());
    update();
}

void TPrgssBarQF::SetImagesLater(std::function<void(TPrgssBarQF&)> dress)
{
    dress_ = std::move(dress);
    update();
}

const TPrgssBarQF& TPrgssBarQF::dressed() const
{
    // The pictures are the bar's looks, not its state: setting them late
    // changes nothing a caller of a const function could tell.
    if (dress_)
        std::exchange(dress_, nullptr)(const_cast<TPrgssBarQF&>(*this));
    return *this;
}

void TPrgssBarQF::SetColor(const QColor& color)
{
    color_ = color;
    update();
}

bool TPrgssBarQF::complete() const
{
    dressed();
    return std::none_of(std::begin(pieces_), std::end(pieces_),
                        [](const QPixmap& p) { return p.isNull(); });
}

void TPrgssBarQF::drawPiece(QPainter& painter, Piece piece, int x) const
{
    const QPixmap& picture = drawn_[piece];
    painter.drawPixmap(x, height() / 2 - picture.height() / 2, picture);
}

ProgressLayout TPrgssBarQF::layout() const
{
    const ProgressPieces widths{pieces_[BeginLine].width(),   pieces_[MidleLine].width(),
                                pieces_[EndLine].width(),     pieces_[BeginScroll].width(),
                                pieces_[MidleScroll].width(), pieces_[EndScroll].width()};
    return progressLayout(width(), widths, min_, max_, position_);
}

QPixmap TPrgssBarQF::Render() const
{
    if (!complete())
        return {};
    QPixmap canvas(size());
    const QWidget* ground = parentWidget() ? parentWidget() : this;
    canvas.fill(ground->palette().color(ground->backgroundRole()));
    const ProgressLayout layout = this->layout();
    QPainter painter(&canvas);
    for (int i = 0; i < layout.lineTiles; ++i)
        drawPiece(painter, MidleLine, progressLineMargin + i * pieces_[MidleLine].width());
    drawPiece(painter, BeginLine, layout.lineBeginX);
    drawPiece(painter, EndLine, layout.lineEndX);
    for (int i = 0; i < layout.fillTiles; ++i)
        drawPiece(painter, MidleScroll, layout.fillStartX + i * pieces_[MidleScroll].width());
    drawPiece(painter, BeginScroll, layout.scrollBeginX);
    drawPiece(painter, EndScroll, layout.scrollEndX);
    return canvas;
}

void TPrgssBarQF::paintEvent(QPaintEvent*)
{
    const QPixmap canvas = Render();
    if (!canvas.isNull())
        QPainter(this).drawPixmap(0, 0, canvas);
    drawnLayout_ = layout();
    drawnAt_.start();
}
