#pragma once

// Pictures for the bitmap controls. Our own pictures are SVG drawings in the
// resources (":/pictures/..."), rendered with alpha at the size a window
// needs. Bitmaps from a course's designs have no alpha: there the colour of
// pixel (1, 1) is the transparent colour.

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <optional>

class QPainter;

// Renders an SVG (a resource or a file) at `size`; at its own size when
// `size` is empty. A null pixmap when the file is missing or unreadable.
QPixmap renderSvg(const QString& path, QSize size = {});

// Loads a picture: SVG through renderSvg, any other format (BMP, JPEG, PNG)
// as it is stored.
QPixmap loadPicture(const QString& path, QSize size = {});

// Loads a bitmap and makes its transparent colour (pixel (1, 1)) transparent.
QPixmap loadTransparentBitmap(const QString& path);

// The transparent colour of a picture: its pixel (1, 1). None for a picture
// that already carries alpha, or that is too small to have that pixel.
std::optional<QRgb> transparentColour(const QPixmap& picture);

// A copy of the picture with every pixel of colour `key` transparent; an
// unchanged copy when there is no key.
QPixmap withTransparentColour(const QPixmap& picture, std::optional<QRgb> key);

// Draws a picture at `at`, leaving the pixels of colour `key` undrawn.
void drawTransparent(QPainter& painter, QPoint at, const QPixmap& picture, std::optional<QRgb> key);

// A greyed copy: the picture's lightness in grey, alpha kept.
QPixmap greyed(const QPixmap& picture);
