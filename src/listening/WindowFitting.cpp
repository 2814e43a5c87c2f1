#include "listening/WindowFitting.h"

#include <cmath>

namespace {
constexpr int PageWidth = 260;
constexpr int PageHeight = 280;

int roundEven(double value)
{
    return int(std::nearbyint(value));
}
} // namespace

QRect fitWindow(const QRect& room, const PageLayout& layout)
{
    const double g = double(room.width()) / layout.design.width();
    const double h = double(room.height()) / layout.design.height();
    QRect window;
    if (h >= g) {
        const int width = roundEven(layout.design.width() * g);
        const int height =
            roundEven(width * double(PageHeight) / (2 * PageWidth)) + layout.lowerPanel;
        window = QRect(room.left(), room.top() + (room.height() - height) / 2, width, height);
    } else {
        const int height = roundEven(layout.design.height() * h);
        const int width = roundEven((height - layout.lowerPanel) * 2.0 * PageWidth / PageHeight);
        window = QRect(room.left() + (room.width() - width) / 2, room.top(), width, height);
    }
    return window;
}

int leftPageWidth(int paneHeight)
{
    return roundEven(paneHeight * double(PageWidth) / PageHeight);
}
