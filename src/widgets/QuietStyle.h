#pragma once

#include <QProxyStyle>

// The application's style, which reads no picture before it is drawn.
//
// The menu bar and every tool bar make their extension button (shown only when
// the bar runs out of room) as they are made, and the style reads that
// button's picture from a PNG file at once. Reading a picture whose format Qt
// has to identify loads every image format plugin installed, which the start
// of the program would pay for a button it almost never shows. Here those
// pictures are read when first drawn; they look the same.
class QuietStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
