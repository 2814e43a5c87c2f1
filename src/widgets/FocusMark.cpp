#include "widgets/FocusMark.h"

#include <QFocusEvent>
#include <QPainter>
#include <QWidget>

void FocusMark::focusIn(const QFocusEvent& event)
{
    switch (event.reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        byKeyboard_ = true;
        break;
    // Coming back to the window keeps the mark as it was when the window was left.
    case Qt::ActiveWindowFocusReason:
        break;
    default:
        byKeyboard_ = false;
        break;
    }
}

bool FocusMark::shown(const QWidget& control) const
{
    return byKeyboard_ && control.hasFocus();
}

void FocusMark::draw(QPainter& painter, const QWidget& control) const
{
    if (!shown(control))
        return;
    painter.save();
    // Dark dots on a light ring, so that the frame shows on light and dark pictures alike.
    painter.setBrush(Qt::NoBrush);
    const QRect frame = control.rect().adjusted(0, 0, -1, -1);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(frame);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(frame);
    painter.restore();
}
