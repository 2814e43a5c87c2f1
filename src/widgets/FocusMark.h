#pragma once

#include <QtGlobal>

class QFocusEvent;
class QPainter;
class QWidget;

// The focus mark of our picture controls. Their pictures have no focused look
// of their own, so a dotted frame shows where the keyboard is; it is drawn
// only while the keyboard brought the focus there, so the mouse look stays as
// designed.
class FocusMark {
public:
    // Remembers how the focus came; call from the control's focusInEvent.
    void focusIn(const QFocusEvent& event);
    bool shown(const QWidget& control) const;
    // Draws the frame inside the control when it is shown.
    void draw(QPainter& painter, const QWidget& control) const;

private:
    bool byKeyboard_ = false;
};
