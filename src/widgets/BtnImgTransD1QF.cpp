#include "widgets/BtnImgTransD1QF.h"

#include "widgets/Pictures.h"

#include <QMouseEvent>
#include <QPainter>
#include <utility>

TBtnImgTransD1QF::TBtnImgTransD1QF(QWidget* parent) : QAbstractButton(parent)
{
    resize(50, 50);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_NoSystemBackground);
}

void TBtnImgTransD1QF::SetBitmapsLater(std::function<void(TBtnImgTransD1QF&)> dress)
{
    dress_ = std::move(dress);
    update();
}

TBtnImgTransD1QF& TBtnImgTransD1QF::dressed() const
{
    // The pictures are the button's looks, not its state: setting them late
    // changes nothing a caller of a const function could tell.
    auto& self = const_cast<TBtnImgTransD1QF&>(*this);
    if (dress_)
        std::exchange(dress_, nullptr)(self);
    return self;
}

void TBtnImgTransD1QF::store(QPixmap& field, const QPixmap& picture)
{
    dressed();
    field = picture;
    update();
}

void TBtnImgTransD1QF::SetBitmap(const QPixmap& picture)
{
    dressed();
    bitmap_ = picture;
    apply(TransEvent::BitmapSet);
}

void TBtnImgTransD1QF::SetBitmapDisabled(const QPixmap& picture)
{
    dressed();
    disabled_ = picture;
    fitSize();
    update();
}

const QPixmap& TBtnImgTransD1QF::picture(TransPicture which) const
{
    switch (which) {
    case TransPicture::Over:
        return over_;
    case TransPicture::Down:
        return down_;
    case TransPicture::Up:
        return up_;
    case TransPicture::Bitmap:
        break;
    }
    return bitmap_;
}

void TBtnImgTransD1QF::apply(TransEvent event)
{
    dressed();
    const std::optional<TransPicture> next = nextTransPicture(
        event, {!bitmap_.isNull(), !over_.isNull(), !down_.isNull(), !up_.isNull()});
    if (!next)
        return;
    shown_ = picture(*next);
    // Released away from the button, the normal picture comes back keyed
    // with the released picture's colour, as the designs were drawn so.
    shownKey_ = event == TransEvent::UpOutside ? transparentColour(up_) : transparentColour(shown_);
    fitSize();
    if (event == TransEvent::UpInside || event == TransEvent::UpOutside)
        repaint();
    else
        update();
}

void TBtnImgTransD1QF::fitSize()
{
    const QPixmap& drawn = showsDisabled() ? disabled_ : shown_.isNull() ? bitmap_ : shown_;
    if (!drawn.isNull())
        resize(drawn.size());
}

void TBtnImgTransD1QF::paintEvent(QPaintEvent*)
{
    dressed();
    QPainter painter(this);
    if (showsDisabled())
        drawTransparent(painter, {0, 0}, disabled_, transparentColour(disabled_));
    else if (shown_.isNull())
        drawTransparent(painter, {0, 0}, bitmap_, transparentColour(bitmap_));
    else
        drawTransparent(painter, {0, 0}, shown_, shownKey_);
    focusMark_.draw(painter, *this);
}

void TBtnImgTransD1QF::enterEvent(QEnterEvent* event)
{
    if (isEnabled())
        apply(TransEvent::MouseEnter);
    QAbstractButton::enterEvent(event);
}

void TBtnImgTransD1QF::leaveEvent(QEvent* event)
{
    if (isEnabled())
        apply(TransEvent::MouseLeave);
    QAbstractButton::leaveEvent(event);
}

void TBtnImgTransD1QF::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        apply(TransEvent::ButtonDown);
    QAbstractButton::mousePressEvent(event);
}

void TBtnImgTransD1QF::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        apply(rect().contains(event->position().toPoint()) ? TransEvent::UpInside
                                                           : TransEvent::UpOutside);
    QAbstractButton::mouseReleaseEvent(event);
}

void TBtnImgTransD1QF::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        fitSize();
    QAbstractButton::changeEvent(event);
}

void TBtnImgTransD1QF::focusInEvent(QFocusEvent* event)
{
    focusMark_.focusIn(*event);
    QAbstractButton::focusInEvent(event);
}
