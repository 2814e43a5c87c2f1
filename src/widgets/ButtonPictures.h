#pragma once

// Ready-made pictures for the bitmap buttons: our blue faces with a white
// label or a white symbol on them, in every state the buttons draw. Many
// windows are made at the start and shown much later or never, so a button
// takes its size at once and renders its faces when it first needs them.

#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;
class TBtnImgD1QF;
class TBtnImgTransD1QF;
class TPrgssBarQF;
class TChBxImgTransD1QF;

struct ButtonFaces {
    QPixmap normal;
    QPixmap over;
    QPixmap down;
    QPixmap disabled;
};

// The faces of one button: their size, and how to render them.
struct ButtonPictures {
    QSize size;
    std::function<ButtonFaces()> render;
};

// A wide face (100 x 35 by default) with a label in white Arial.
ButtonPictures labelButtonPictures(const QString& label, QSize size = {100, 35});
// A round face with a symbol picture (e.g. pictures::symbolCheck) in the middle.
ButtonPictures symbolButtonPictures(const QString& symbolPath, int diameter = 36);

// Gives a push button its glyph strip (up, disabled, down) and its size.
void dressButton(TBtnImgD1QF& button, const ButtonPictures& pictures);
// Gives a picture button its five pictures; the released picture is the hover one,
// since the mouse is still over the button then.
void dressButton(TBtnImgTransD1QF& button, const ButtonPictures& pictures);
// The red and grey balls, `diameter` pixels.
void dressCheckBox(TChBxImgTransD1QF& box, int diameter = 20);
// The blue bar in its grey track; its pictures are drawn when it first is.
void dressProgressBar(TPrgssBarQF& bar);

// Draws the decorative frame of a text area: `outer` is the frame's outside;
// its 8 pixel strips lie inside it.
void drawPictureFrame(QPainter& painter, const QRect& outer);
constexpr int pictureFrameWidth = 8;
