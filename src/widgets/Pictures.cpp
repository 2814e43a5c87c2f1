#include "widgets/Pictures.h"

#include <QFileInfo>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

static void initPictureResources()
{
    // The resources are compiled into a static library; without this call
    // the linker may leave their registration out of the program.
    static const bool done = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    Q_UNUSED(done);
}

QPixmap renderSvg(const QString& path, QSize size)
{
    initPictureResources();
    const QString key =
        QStringLiteral("svg:%1:%2x%3").arg(path).arg(size.width()).arg(size.height());
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return cached;
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    if (size.isEmpty())
        size = renderer.defaultSize();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    QPixmap picture = QPixmap::fromImage(image);
    QPixmapCache::insert(key, picture);
    return picture;
}

QPixmap loadPicture(const QString& path, QSize size)
{
    if (QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0)
        return renderSvg(path, size);
    initPictureResources();
    return QPixmap(path);
}

QPixmap loadTransparentBitmap(const QString& path)
{
    const QPixmap picture = loadPicture(path);
    return withTransparentColour(picture, transparentColour(picture));
}

std::optional<QRgb> transparentColour(const QPixmap& picture)
{
    if (picture.hasAlphaChannel() || picture.width() < 2 || picture.height() < 2)
        return std::nullopt;
    return picture.toImage().pixel(1, 1);
}

QPixmap withTransparentColour(const QPixmap& picture, std::optional<QRgb> key)
{
    if (!key || picture.isNull())
        return picture;
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb opaqueKey = *key | 0xff000000u;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == opaqueKey)
                line[x] = 0;
        }
    }
    return QPixmap::fromImage(image);
}

void drawTransparent(QPainter& painter, QPoint at, const QPixmap& picture, std::optional<QRgb> key)
{
    if (!picture.isNull())
        painter.drawPixmap(at, withTransparentColour(picture, key));
}

QPixmap greyed(const QPixmap& picture)
{
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            // Lighter than plain grey, so a disabled control reads as faded.
            const int grey = 96 + qGray(line[x]) * 5 / 8;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
        }
    }
    return QPixmap::fromImage(image);
}
