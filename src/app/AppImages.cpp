#include "app/AppImages.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QStyle>

QIcon toolBarImage(int index)
{
    static const QStyle::StandardPixmap pictures[] = {
        QStyle::SP_FileDialogNewFolder,    QStyle::SP_DirHomeIcon,
        QStyle::SP_ComputerIcon,           QStyle::SP_MediaPlay,
        QStyle::SP_FileDialogDetailedView, QStyle::SP_DialogCloseButton};
    return QApplication::style()->standardIcon(pictures[std::clamp(index, 0, 5)]);
}

QIcon treeImage(int index)
{
    static const QStyle::StandardPixmap pictures[] = {QStyle::SP_DirIcon, QStyle::SP_FileIcon,
                                                      QStyle::SP_DialogApplyButton};
    return QApplication::style()->standardIcon(pictures[std::clamp(index, 0, 2)]);
}

QPixmap splashPicture(QSize size)
{
    QPixmap picture(size);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(40, 70, 130));
    sky.setColorAt(1, QColor(160, 190, 225));
    painter.fillRect(picture.rect(), sky);
    painter.setPen(Qt::white);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(48);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(picture.rect().adjusted(0, 0, 0, -80), Qt::AlignCenter,
                     QStringLiteral("Tolvaren"));
    font.setPixelSize(22);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(picture.rect().adjusted(0, 80, 0, 0), Qt::AlignCenter,
                     QStringLiteral("Немецкий язык на слух"));
    return picture;
}
