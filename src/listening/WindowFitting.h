#pragma once

#include <QRect>
#include <QSize>

// The listening windows keep two book pages of 260 x 280 side by side above a
// lower panel of fixed height, whatever the room they are given.
struct PageLayout {
    QSize design;   // the window as designed
    int lowerPanel; // height of the panel below the pages
};

// Fits the window into `room` (the main window's client area, screen
// coordinates): as wide as the room allows while the pages keep their
// proportion, else as high, centred along the other side.
QRect fitWindow(const QRect& room, const PageLayout& layout);

// The left page's width for pages `paneHeight` high.
int leftPageWidth(int paneHeight);
