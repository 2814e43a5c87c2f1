#pragma once

#include <QColor>
#include <QPixmap>
#include <QSize>

// Opaque test bitmaps in the course's style: a body colour, and the 2 x 2
// top-left corner in a key colour, so pixel (1, 1) (the transparent colour)
// is the key and the body stays visible.
inline const QColor keyColour(255, 0, 255);

QPixmap keyedPicture(QSize size, const QColor& body, const QColor& key = keyColour);

// The colour at a point of what the widget's window shows, children drawn.
QColor shownColour(QWidget* window, QPoint windowPoint);
