#include "widgets/ChBxImgTransD1QF.h"

#include "widgets/AccessibleControls.h"
#include "widgets/BitmapRules.h"
#include "widgets/Pictures.h"

#include <QAccessible>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TChBxImgTransD1QF::TChBxImgTransD1QF(QWidget* parent)
    : QWidget(parent), onColor_(winColor(65280)), offColor_(winColor(255))
{
    installAccessibleControls();
    resize(7, 7);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::TabFocus);
}

void TChBxImgTransD1QF::store(QPixmap& field, const QPixmap& picture)
{
    field = picture;
    update();
}

void TChBxImgTransD1QF::SetCaption(const QString& caption)
{
    caption_ = caption;
    update();
}

void TChBxImgTransD1QF::SetChecked(bool checked)
{
    const bool changes = checked != checked_;
    checked_ = checked;
    update();
    if (!changes)
        return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void TChBxImgTransD1QF::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    update();
}

void TChBxImgTransD1QF::SetOnColor(const QColor& color)
{
    onColor_ = color;
    update();
}

void TChBxImgTransD1QF::SetOffColor(const QColor& color)
{
    offColor_ = color;
    update();
}

void TChBxImgTransD1QF::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
}

void TChBxImgTransD1QF::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        this->click();
}

void TChBxImgTransD1QF::click()
{
    emit clicked();
    if (enabled_)
        SetChecked(!checked_);
}

void TChBxImgTransD1QF::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat())
        click();
    else
        QWidget::keyPressEvent(event);
}

void TChBxImgTransD1QF::focusInEvent(QFocusEvent* event)
{
    focusMark_.focusIn(*event);
    QWidget::focusInEvent(event);
}

void TChBxImgTransD1QF::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPixmap* pictures[] = {&imgOn_, &imgOnDis_, &imgOff_, &imgOffDis_};
    const CheckPicture which = checkPicture(checked_, enabled_);
    const QPixmap& picture = *pictures[int(which)];
    // The faded "off" picture was drawn on the same ground as the plain one.
    const std::optional<QRgb> key =
        which == CheckPicture::OffDis ? transparentColour(imgOff_) : transparentColour(picture);
    const CheckLayout layout =
        checkLayout(height(), picture.height(), imgOn_.width(), QFontInfo(font()).pixelSize());
    drawTransparent(painter, layout.picture, picture, key);
    focusMark_.draw(painter, *this);
    if (caption_.isEmpty())
        return;
    painter.setPen(enabled_ ? palette().color(QPalette::WindowText) : winColor(8421504));
    painter.drawText(layout.textTop + QPoint(0, QFontMetrics(font()).ascent()), caption_);
}
