#include "widgets/Pictures.h"

#include "common/FileProblems.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPixmapCache>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryFile>
#include <cstring>

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

namespace {
// Rendered pictures are kept on disk from one run to the next, named by the
// drawing's content and the size asked for: a start then reads the pictures
// of its windows instead of parsing and drawing a dozen SVG files. A file that
// is missing, short or not ours is drawn again; one that cannot be written is
// simply not kept. Only small pictures are kept (the tool bar's, the tree's,
// the frames'), so that pictures scaled to a resizable window's panes do not
// pile up a file for every size the window took.
struct StoredHeader {
    char magic[4];
    qint32 width;
    qint32 height;
};
constexpr char StoredMagic[4] = {'T', 'V', 'P', '1'};
constexpr qint64 StoredPixelLimit = 64 * 64;

bool keptOnDisk(qint64 width, qint64 height)
{
    return width > 0 && height > 0 && width * height <= StoredPixelLimit;
}

QString storedFile(const QByteArray& drawing, QSize size)
{
    static const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
        QStringLiteral("/tolvaren/pictures/");
    const QByteArray name = QCryptographicHash::hash(drawing, QCryptographicHash::Sha256).toHex();
    return folder +
           QStringLiteral("%1-%2x%3").arg(QLatin1String(name)).arg(size.width()).arg(size.height());
}

QImage readStored(const QString& file)
{
    QFile in(file);
    if (isSpecialFile(file) || !in.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = in.readAll();
    StoredHeader header{};
    if (bytes.size() < qsizetype(sizeof header))
        return {};
    std::memcpy(&header, bytes.constData(), sizeof header);
    if (std::memcmp(header.magic, StoredMagic, 4) != 0 ||
        !keptOnDisk(header.width, header.height) ||
        bytes.size() != qsizetype(sizeof header) + qsizetype(header.width) * header.height * 4)
        return {};
    QImage image(header.width, header.height, QImage::Format_ARGB32_Premultiplied);
    std::memcpy(image.bits(), bytes.constData() + sizeof header, size_t(image.sizeInBytes()));
    return image;
}

void store(const QString& file, const QImage& image)
{
    if (!keptOnDisk(image.width(), image.height()))
        return;
    const QFileInfo info(file);
    QDir().mkpath(info.path());
    QTemporaryFile out(file + QStringLiteral(".XXXXXX"));
    StoredHeader header{};
    std::memcpy(header.magic, StoredMagic, 4);
    header.width = image.width();
    header.height = image.height();
    if (!out.open() ||
        out.write(reinterpret_cast<const char*>(&header), sizeof header) != qint64(sizeof header) ||
        out.write(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()) !=
            image.sizeInBytes() ||
        !out.flush())
        return;
    QFile::remove(file);
    if (out.rename(file))
        out.setAutoRemove(false);
}

QImage drawn(const QByteArray& drawing, QSize size)
{
    QSvgRenderer renderer(drawing);
    if (!renderer.isValid())
        return {};
    if (size.isEmpty())
        size = renderer.defaultSize();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image;
}
} // namespace

QPixmap renderSvg(const QString& path, QSize size)
{
    initPictureResources();
    const QString key =
        QStringLiteral("svg:%1:%2x%3").arg(path).arg(size.width()).arg(size.height());
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return cached;
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly))
        return {};
    const QByteArray drawing = source.readAll();
    const QString file = storedFile(drawing, size);
    QImage image = readStored(file);
    if (image.isNull()) {
        image = drawn(drawing, size);
        if (image.isNull())
            return {};
        store(file, image);
    }
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
