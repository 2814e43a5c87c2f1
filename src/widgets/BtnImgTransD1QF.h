#pragma once

#include "widgets/BitmapRules.h"
#include "widgets/FocusMark.h"

#include <QAbstractButton>
#include <QPixmap>
#include <functional>
#include <optional>

// A picture button without a face of its own: it shows Bitmap, BitmapOver
// while the mouse is over it, BitmapDown while pressed, BitmapUp once
// released, and BitmapDisabled while disabled. It takes the size of the
// picture it shows and paints no background, so it sits on the window's
// picture like a cut-out.
//
// clicked() is the click event: once per click, after the released picture is
// drawn, and only while enabled; pressed() and released() are the mouse down
// and up events of the left button.
//
// The button takes the focus by Tab (a click leaves the focus where it was)
// and shows a dotted frame only while the keyboard brought the focus; Space
// clicks it. Its text is never drawn: it is the button's name for a screen
// reader, so a window gives it the caption it shows beside the button. The
// tool tip, which names the keys that do the same, is the description.
class TBtnImgTransD1QF : public QAbstractButton {
    Q_OBJECT
public:
    explicit TBtnImgTransD1QF(QWidget* parent = nullptr);

    QPixmap Bitmap() const { return dressed().bitmap_; }
    void SetBitmap(const QPixmap& picture);
    QPixmap BitmapOver() const { return dressed().over_; }
    void SetBitmapOver(const QPixmap& picture) { store(over_, picture); }
    QPixmap BitmapDown() const { return dressed().down_; }
    void SetBitmapDown(const QPixmap& picture) { store(down_, picture); }
    QPixmap BitmapUp() const { return dressed().up_; }
    void SetBitmapUp(const QPixmap& picture) { store(up_, picture); }
    QPixmap BitmapDisabled() const { return dressed().disabled_; }
    void SetBitmapDisabled(const QPixmap& picture);
    // Pictures that are set (by `dress`, through the setters above) when the
    // button is first drawn, used or asked for them; a setter called before
    // that comes after them.
    void SetBitmapsLater(std::function<void(TBtnImgTransD1QF&)> dress);

    // The picture the button shows now (its working copy).
    QPixmap shownPicture() const { return dressed().shown_; }

    QSize sizeHint() const override { return size(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    // The button with its pending pictures set.
    TBtnImgTransD1QF& dressed() const;
    void store(QPixmap& field, const QPixmap& picture);
    void apply(TransEvent event);
    const QPixmap& picture(TransPicture which) const;
    bool showsDisabled() const { return !isEnabled() && !disabled_.isNull(); }
    void fitSize();

    QPixmap bitmap_;
    QPixmap over_;
    QPixmap down_;
    QPixmap up_;
    QPixmap disabled_;
    QPixmap shown_;
    std::optional<QRgb> shownKey_;
    FocusMark focusMark_;
    mutable std::function<void(TBtnImgTransD1QF&)> dress_;
};
