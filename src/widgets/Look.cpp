#include "widgets/Look.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace look {

QFont arial(int pixels, bool bold)
{
    QFont font(FaceName);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void useProgramFace()
{
    QFont face = QApplication::font();
    face.setFamilies({FaceName});
    QApplication::setFont(face);
}

void fillBackground(QWidget* widget, const QColor& colour)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Window, colour);
    widget->setPalette(colours);
    widget->setAutoFillBackground(true);
}

} // namespace look
