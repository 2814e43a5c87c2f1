// A course font file of any bytes, installed as the main window installs the
// course's font (the system's font database asked first, then the file added
// and its families read), then used for the Russian and German captions the
// windows draw. A file that is no font gives no family; one that is gives a
// family whose text can be measured and drawn; either way it can be removed.
#include "FuzzSupport.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QTemporaryDir dir;
    const QString file = writeFuzzFile(dir, QStringLiteral("NFREESET.TTF"), fuzzBytes(data, size));
    (void)QFontDatabase::hasFamily(QStringLiteral("UkrainianFreeSet"));
    const int id = QFontDatabase::addApplicationFont(file);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    check(id >= 0 || families.isEmpty());
    if (families.isEmpty())
        return 0;
    const QString caption = QStringLiteral("Урок 1. Guten Morgen! Übung ß");
    const QFont font(families.first(), 12);
    check(QFontMetrics(font).horizontalAdvance(caption) >= 0);
    QImage image(200, 30, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignCenter, caption);
    painter.end();
    check(QFontDatabase::removeApplicationFont(id));
    return 0;
}
