#include "widgets/Look.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPalette>
#include <QWidget>

#include <fontconfig/fontconfig.h>

namespace look {

namespace {
QString systemFaceFor(const char* family)
{
    QString face = QString::fromLatin1(family);
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family));
    if (!pattern)
        return face;
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
        FcChar8* name = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch)
            face = QString::fromUtf8(reinterpret_cast<const char*>(name));
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return face;
}
} // namespace

const QString& faceName()
{
    static const QString face = systemFaceFor("Arial");
    return face;
}

QFont arial(int pixels, bool bold)
{
    QFont font(faceName());
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QFont arialForCell(int cell)
{
    const auto cellAt = [](int pixels) {
        const QFontMetrics metrics(arial(pixels));
        return metrics.ascent() + metrics.descent();
    };
    int pixels = cell;
    while (pixels > 1 && cellAt(pixels) > cell)
        --pixels;
    while (cellAt(pixels + 1) <= cell)
        ++pixels;
    return arial(pixels);
}

void useProgramFace()
{
    QFont face = QApplication::font();
    face.setFamilies({faceName()});
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
