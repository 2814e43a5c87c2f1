// A lesson or description picture of any bytes, under any of the names a
// course may give it, loaded through the calls the windows make: the lesson
// page loads and scales it into its pane, the description pane loads it with
// QPixmap::load, and a bitmap control makes its transparent colour (pixel
// (1, 1)) transparent. The transparent copy keeps the picture's size, clears
// exactly the pixels of that colour and leaves every other pixel as it was.
#include "FuzzSupport.h"
#include "widgets/Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmapCache>
#include <array>

namespace {
const std::array<QString, 6> Names{QStringLiteral("pict.bmp"), QStringLiteral("pict.jpg"),
                                   QStringLiteral("pict.png"), QStringLiteral("pict.gif"),
                                   QStringLiteral("pict.svg"), QStringLiteral("PICT.BMP")};

void checkTransparentRule(const QPixmap& picture)
{
    const std::optional<QRgb> key = transparentColour(picture);
    check(!key || (!picture.hasAlphaChannel() && picture.width() >= 2 && picture.height() >= 2));
    const QImage before = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage after =
        withTransparentColour(picture, key).toImage().convertToFormat(QImage::Format_ARGB32);
    check(after.size() == before.size());
    if (key)
        check(qAlpha(after.pixel(1, 1)) == 0);
    const QRgb opaqueKey = key.value_or(0) | 0xff000000u;
    for (int y = 0; y < before.height(); ++y) {
        const auto* was = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        const auto* is = reinterpret_cast<const QRgb*>(after.constScanLine(y));
        for (int x = 0; x < before.width(); ++x)
            check(is[x] == (key && was[x] == opaqueKey ? 0 : was[x]));
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Drawn SVG pictures are kept in the cache folder: a private one.
    static QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    new QGuiApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QTemporaryDir dir;
    if (size < 1)
        return 0;
    const QString path =
        writeFuzzFile(dir, Names[data[0] % Names.size()], fuzzBytes(data + 1, size - 1));
    // Drawings are kept by name and size; each input is a new drawing.
    QPixmapCache::clear();
    const QPixmap lesson = loadPicture(path);
    if (!lesson.isNull()) {
        const QSize pane(320, 240);
        const QPixmap shown = lesson.scaled(pane, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        check(shown.width() <= pane.width() && shown.height() <= pane.height());
    }
    if (!path.endsWith(QLatin1String(".svg"))) {
        QPixmap description;
        check(description.load(path) == !lesson.isNull());
    }
    checkTransparentRule(lesson);
    return 0;
}
