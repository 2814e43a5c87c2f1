#include "widgets/FitText.h"

#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

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
    fitLabels({&label}, designed);
}

void fitLabels(const QList<QLabel*>& labels, const QFont& designed)
{
    const QFont font = fittedFont(designed, [&](const QFont& candidate) {
        return std::all_of(labels.begin(), labels.end(),
                           [&](const QLabel* label) { return labelTextFits(*label, candidate); });
    });
    for (QLabel* label : labels)
        label->setFont(font);
}

void fitLabel(QLabel& label)
{
    fitLabel(label, label.font());
}
