#pragma once

#include <QEvent>
#include <QObject>

// Counts the paints a widget gets, once installed as its event filter.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};
