#include "widgets/FitText.h"

#include <QFontMetrics>
#include <QLabel>

namespace {
int pixelSizeOf(const QFont& font)
{
    if (font.pixelSize() > 0)
        return font.pixelSize();
    return QFontMetrics(font).height();
}
} // namespace

QFont fittedFont(QFont font, const std::function<bool(const QFont&)>& fits)
{
    for (int pixels = pixelSizeOf(font); pixels > smallestFittedPixels; --pixels) {
        font.setPixelSize(pixels);
        if (fits(font))
            return font;
    }
    font.setPixelSize(smallestFittedPixels);
    return font;
}

bool labelTextFits(const QLabel& label, const QFont& font)
{
    const QRect box = label.contentsRect().adjusted(label.margin(), label.margin(), -label.margin(),
                                                    -label.margin());
    int flags = int(label.alignment());
    if (label.wordWrap())
        flags |= Qt::TextWordWrap;
    const QRect needed = QFontMetrics(font).boundingRect(box, flags, label.text());
    return needed.width() <= box.width() && needed.height() <= box.height();
}

void fitLabel(QLabel& label, const QFont& designed)
{
    label.setFont(
        fittedFont(designed, [&](const QFont& font) { return labelTextFits(label, font); }));
}

void fitLabel(QLabel& label)
{
    fitLabel(label, label.font());
}
