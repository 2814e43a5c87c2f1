#include "TestPictures.h"

#include <QImage>
#include <QWidget>

QPixmap keyedPicture(QSize size, const QColor& body, const QColor& key)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(body);
    for (int y = 0; y < qMin(2, size.height()); ++y)
        for (int x = 0; x < qMin(2, size.width()); ++x)
            image.setPixelColor(x, y, key);
    return QPixmap::fromImage(image);
}

QColor shownColour(QWidget* window, QPoint windowPoint)
{
    return window->grab().toImage().pixelColor(windowPoint);
}
