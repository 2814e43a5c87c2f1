#include "widgets/QuietStyle.h"

#include <QIconEngine>
#include <QPainter>
#include <functional>
#include <optional>

namespace {

// An icon whose pictures are made on first use: any question about its looks
// makes it, and from then on it answers as the made icon.
class DeferredIconEngine : public QIconEngine {
public:
    explicit DeferredIconEngine(std::function<QIcon()> make) : make_(std::move(make)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    // The style's own pictures are never missing, so the answer needs no reading.
    bool isNull() override { return false; }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon& icon()
    {
        if (!made_)
            made_ = make_();
        return *made_;
    }

    std::function<QIcon()> make_;
    std::optional<QIcon> made_;
};

} // namespace

QIcon QuietStyle::standardIcon(StandardPixmap which, const QStyleOption* option,
                               const QWidget* widget) const
{
    if (which != SP_ToolBarHorizontalExtensionButton && which != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(which, option, widget);
    // The option and the widget may be gone by the first drawing; these two
    // pictures depend only on the layout direction, which is the application's.
    QStyle* base = baseStyle();
    return QIcon(new DeferredIconEngine([base, which] { return base->standardIcon(which); }));
}
