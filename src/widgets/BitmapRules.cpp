#include "widgets/BitmapRules.h"

#include <algorithm>

QColor winColor(int bgr)
{
    return QColor(bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff);
}

std::optional<int> glyphIndex(ButtonState state, int numGlyphs)
{
    const int wanted = state == ButtonState::Disabled ? 1 : state == ButtonState::Down ? 2 : 0;
    if (wanted < numGlyphs)
        return wanted;
    if (state == ButtonState::Disabled)
        return std::nullopt;
    return 0;
}

namespace {
int centred(int room, int size)
{
    return (room - size + 1) / 2;
}

int placed(int room, int size, int margin, bool fromFarSide)
{
    if (margin < 0)
        return centred(room, size);
    return fromFarSide ? room - margin - size : margin;
}
} // namespace

QPoint glyphOrigin(QSize client, QSize glyph, GlyphLayout layout, int margin)
{
    switch (layout) {
    case GlyphLayout::Left:
    case GlyphLayout::Right:
        return {placed(client.width(), glyph.width(), margin, layout == GlyphLayout::Right),
                centred(client.height(), glyph.height())};
    case GlyphLayout::Top:
    case GlyphLayout::Bottom:
        break;
    }
    return {centred(client.width(), glyph.width()),
            placed(client.height(), glyph.height(), margin, layout == GlyphLayout::Bottom)};
}

std::optional<TransPicture> nextTransPicture(TransEvent event, const TransPictures& present)
{
    switch (event) {
    case TransEvent::BitmapSet:
        return TransPicture::Bitmap;
    case TransEvent::MouseEnter:
        return present.over ? std::optional(TransPicture::Over) : std::nullopt;
    case TransEvent::MouseLeave:
        return present.bitmap ? std::optional(TransPicture::Bitmap) : std::nullopt;
    case TransEvent::ButtonDown:
        return present.down ? std::optional(TransPicture::Down) : std::nullopt;
    case TransEvent::UpInside:
        return present.up ? std::optional(TransPicture::Up) : std::nullopt;
    case TransEvent::UpOutside:
        return present.up ? std::optional(TransPicture::Bitmap) : std::nullopt;
    }
    return std::nullopt;
}

CheckPicture checkPicture(bool checked, bool enabled)
{
    if (checked)
        return enabled ? CheckPicture::On : CheckPicture::OnDis;
    return enabled ? CheckPicture::Off : CheckPicture::OffDis;
}

CheckLayout checkLayout(int height, int pictureHeight, int imgOnWidth, int fontPixelHeight)
{
    return {{0, height / 2 - pictureHeight / 2},
            {imgOnWidth + 4, height / 2 - fontPixelHeight / 2}};
}

ProgressLayout progressLayout(int width, const ProgressPieces& pieces, int min, int max,
                              int position)
{
    ProgressLayout out;
    if (pieces.midleLine > 0)
        out.lineTiles = (width - 2 * progressLineMargin) / pieces.midleLine;
    out.lineBeginX = progressLineMargin;
    out.lineEndX = width - (pieces.endLine + progressLineMargin);

    out.fillStartX = pieces.beginScroll + progressFillMargin;
    const int room = width - pieces.endScroll - progressFillMargin - out.fillStartX;
    const int fillSlots = pieces.midleScroll < 1 ? room : room / pieces.midleScroll;
    // The fill is measured from Min, and kept inside the track: a position
    // outside Min..Max would otherwise paint past the end of the bar.
    int k = 1;
    if (max - min >= 1)
        k = std::clamp(int(qint64(fillSlots) * (qint64(position) - min) / (qint64(max) - min)), 0,
                       std::max(fillSlots, 0));
    out.fillTiles = k + 1;
    out.scrollBeginX = progressFillMargin;
    out.scrollEndX = out.fillStartX + k * pieces.midleScroll;
    return out;
}
