#include "widgets/ButtonPictures.h"

#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/ChBxImgTransD1QF.h"
#include "widgets/Look.h"
#include "widgets/PicturePaths.h"
#include "widgets/Pictures.h"
#include "widgets/PrgssBarQF.h"

#include <QPainter>
#include <array>

namespace {
enum class Look { Normal, Over, Down, Disabled };

// Draws the label or symbol onto a face; pressed, it sinks by a pixel.
using Decoration = void (*)(QPainter&, const QRect&, Look, const QString&);

void drawLabel(QPainter& painter, const QRect& area, Look look, const QString& label)
{
    painter.setFont(look::arial(qMax(11, area.height() * 3 / 7), true));
    const QRect text = area.translated(look == Look::Down ? QPoint(1, 1) : QPoint(0, 0));
    if (look != Look::Disabled) {
        painter.setPen(QColor(0, 0, 51, 170));
        painter.drawText(text.translated(1, 1), Qt::AlignCenter, label);
    }
    painter.setPen(look == Look::Disabled ? QColor(236, 237, 245) : QColor(Qt::white));
    painter.drawText(text, Qt::AlignCenter, label);
}

void drawSymbol(QPainter& painter, const QRect& area, Look look, const QString& path)
{
    const int side = area.width() * 5 / 9;
    QPixmap symbol = renderSvg(path, {side, side});
    if (look == Look::Disabled)
        painter.setOpacity(0.75);
    const QPoint shift = look == Look::Down ? QPoint(1, 1) : QPoint(0, 0);
    painter.drawPixmap(area.center() - QPoint(side / 2 - 1, side / 2 - 1) + shift, symbol);
    painter.setOpacity(1);
}

QPixmap face(const char* path, QSize size, Look look, Decoration decorate, const QString& what)
{
    QPixmap picture = renderSvg(QString::fromLatin1(path), size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    decorate(painter, QRect(QPoint(0, 0), size), look, what);
    return picture;
}

ButtonPictures faces(const std::array<const char*, 4>& paths, QSize size, Decoration decorate,
                     const QString& what)
{
    return {size, [=] {
                return ButtonFaces{face(paths[0], size, Look::Normal, decorate, what),
                                   face(paths[1], size, Look::Over, decorate, what),
                                   face(paths[2], size, Look::Down, decorate, what),
                                   face(paths[3], size, Look::Disabled, decorate, what)};
            }};
}

// The up, disabled and down faces side by side, as TBtnImgD1QF takes them.
QPixmap glyphStrip(const ButtonFaces& faces)
{
    const QSize size = faces.normal.size();
    QPixmap strip(size.width() * 3, size.height());
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    painter.drawPixmap(0, 0, faces.normal);
    painter.drawPixmap(size.width(), 0, faces.disabled);
    painter.drawPixmap(size.width() * 2, 0, faces.down);
    return strip;
}
} // namespace

ButtonPictures labelButtonPictures(const QString& label, QSize size)
{
    return faces({pictures::faceUp, pictures::faceOver, pictures::faceDown, pictures::faceDisabled},
                 size, drawLabel, label);
}

ButtonPictures symbolButtonPictures(const QString& symbolPath, int diameter)
{
    return faces(
        {pictures::roundUp, pictures::roundOver, pictures::roundDown, pictures::roundDisabled},
        {diameter, diameter}, drawSymbol, symbolPath);
}

void dressButton(TBtnImgD1QF& button, const ButtonPictures& pictures)
{
    button.SetNumGlyphs(3);
    button.SetGlyphLater([render = pictures.render] { return glyphStrip(render()); });
    button.resize(pictures.size);
}

void dressButton(TBtnImgTransD1QF& button, const ButtonPictures& pictures)
{
    button.resize(pictures.size);
    button.SetBitmapsLater([render = pictures.render](TBtnImgTransD1QF& dressed) {
        const ButtonFaces faces = render();
        dressed.SetBitmapOver(faces.over);
        dressed.SetBitmapDown(faces.down);
        dressed.SetBitmapUp(faces.over);
        dressed.SetBitmapDisabled(faces.disabled);
        dressed.SetBitmap(faces.normal);
    });
}

void dressCheckBox(TChBxImgTransD1QF& box, int diameter)
{
    const QSize size(diameter, diameter);
    box.SetImgOn(renderSvg(pictures::ballRed, size));
    box.SetImgOnDis(renderSvg(pictures::ballRedDisabled, size));
    box.SetImgOff(renderSvg(pictures::ballGrey, size));
    box.SetImgOffDis(renderSvg(pictures::ballGreyDisabled, size));
}

void dressProgressBar(TPrgssBarQF& bar)
{
    bar.SetImagesLater([](TPrgssBarQF& dressed) {
        dressed.SetImgBeginLine(renderSvg(pictures::lineBegin));
        dressed.SetImgMidleLine(renderSvg(pictures::lineMiddle));
        dressed.SetImgEndLine(renderSvg(pictures::lineEnd));
        dressed.SetImgBeginScroll(renderSvg(pictures::scrollBegin));
        dressed.SetImgMidleScroll(renderSvg(pictures::scrollMiddle));
        dressed.SetImgEndScroll(renderSvg(pictures::scrollEnd));
    });
}

void drawPictureFrame(QPainter& painter, const QRect& outer)
{
    const int w = pictureFrameWidth;
    const QRect inner = outer.adjusted(w, w, -w, -w);
    painter.drawTiledPixmap(QRect(inner.left(), outer.top(), inner.width(), w),
                            renderSvg(pictures::frameTop));
    painter.drawTiledPixmap(QRect(inner.left(), inner.bottom() + 1, inner.width(), w),
                            renderSvg(pictures::frameBottom));
    painter.drawTiledPixmap(QRect(outer.left(), inner.top(), w, inner.height()),
                            renderSvg(pictures::frameLeft));
    painter.drawTiledPixmap(QRect(inner.right() + 1, inner.top(), w, inner.height()),
                            renderSvg(pictures::frameRight));
    painter.drawPixmap(outer.topLeft(), renderSvg(pictures::frameTopLeft));
    painter.drawPixmap(inner.right() + 1, outer.top(), renderSvg(pictures::frameTopRight));
    painter.drawPixmap(outer.left(), inner.bottom() + 1, renderSvg(pictures::frameBottomLeft));
    painter.drawPixmap(inner.right() + 1, inner.bottom() + 1,
                       renderSvg(pictures::frameBottomRight));
}
