#pragma once

#include "widgets/BitmapRules.h"

#include <QColor>
#include <QElapsedTimer>
#include <QPixmap>
#include <QWidget>
#include <functional>

// A progress bar drawn from a track (line) and a fill (scroll), each made of
// a begin, a tiled middle and an end picture. Until all six pictures are set
// it shows nothing. It paints off screen and copies the result in one step,
// so a fast-moving bar never flickers.
class TPrgssBarQF : public QWidget {
    Q_OBJECT
public:
    enum Piece { BeginLine, MidleLine, EndLine, BeginScroll, MidleScroll, EndScroll };

    explicit TPrgssBarQF(QWidget* parent = nullptr);

    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const { return position_; }
    // Repaints only when the value changes.
    void SetPosition(int value);
    // For a bar that counts through work holding up the event loop: sets the
    // position and, when that changes the picture, draws the bar at once, as
    // often as a screen shows a new frame at most. A change that comes
    // sooner is drawn by a later step, or once the event loop runs again.
    void AdvanceTo(int value);

    QPixmap Img(Piece piece) const { return dressed().pieces_[piece]; }
    void SetImg(Piece piece, const QPixmap& picture);
    // Sets the pictures when they are first drawn or asked for, so that the
    // bar of a window that is never shown renders none.
    void SetImagesLater(std::function<void(TPrgssBarQF&)> dress);
    void SetImgBeginLine(const QPixmap& p) { SetImg(BeginLine, p); }
    void SetImgMidleLine(const QPixmap& p) { SetImg(MidleLine, p); }
    void SetImgEndLine(const QPixmap& p) { SetImg(EndLine, p); }
    void SetImgBeginScroll(const QPixmap& p) { SetImg(BeginScroll, p); }
    void SetImgMidleScroll(const QPixmap& p) { SetImg(MidleScroll, p); }
    void SetImgEndScroll(const QPixmap& p) { SetImg(EndScroll, p); }

    // Kept for the designs; not used in the drawing.
    QColor Color() const { return color_; }
    void SetColor(const QColor& color);

    // The off-screen picture of the bar as it is painted: null while a piece
    // is missing.
    QPixmap Render() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TPrgssBarQF& dressed() const;
    bool complete() const;
    ProgressLayout layout() const;
    void drawPiece(QPainter& painter, Piece piece, int x) const;

    int min_ = 0;
    int max_ = 100;
    int position_ = 20;
    QPixmap pieces_[6];
    QPixmap drawn_[6]; // the pieces with their transparent colour taken out
    mutable std::function<void(TPrgssBarQF&)> dress_;
    QColor color_;
    ProgressLayout drawnLayout_; // as last painted
    QElapsedTimer drawnAt_;
};
