#include "widgets/FitText.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

namespace {
// Fits a group of labels once, when the first of them is shown.
class FitWhenShown : public QObject {
public:
    FitWhenShown(const QList<QLabel*>& labels, const QFont& designed)
        : QObject(labels.first()), labels_(labels), designed_(designed)
    {
        labels.first()->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            fitLabels(labels_, designed_);
            deleteLater();
        }
        return false;
    }

private:
    QList<QLabel*> labels_;
    QFont designed_;
};

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

void fitLabelsWhenShown(const QList<QLabel*>& labels, const QFont& designed)
{
    if (labels.isEmpty())
        return;
    if (labels.first()->isVisible()) {
        fitLabels(labels, designed);
        return;
    }
    for (QLabel* label : labels)
        label->setFont(designed);
    // A later call for the same labels replaces the one still waiting.
    delete labels.first()->findChild<FitWhenShown*>(QString(), Qt::FindDirectChildrenOnly);
    new FitWhenShown(labels, designed);
}

void fitLabel(QLabel& label)
{
    fitLabel(label, label.font());
}
