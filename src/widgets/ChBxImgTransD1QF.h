#pragma once

#include "widgets/FocusMark.h"

#include <QColor>
#include <QPixmap>
#include <QWidget>

// A check box drawn from four pictures with an optional caption to the right.
// Its Enabled is a flag of its own that selects the pictures and decides
// whether a click toggles; the widget itself keeps taking clicks, so clicked()
// fires even while it is "disabled" and the window can react to that.
//
// It takes the focus by Tab; Space then clicks it, as the mouse does. Other
// keys go on to the window, which may move a group's choice by arrows or
// digits. A screen reader hears it as a check box, or as a radio button when
// it is one of a group of choices (Radio), named by its accessible name or
// else its caption.
class TChBxImgTransD1QF : public QWidget {
    Q_OBJECT
public:
    explicit TChBxImgTransD1QF(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    bool Checked() const { return checked_; }
    // Repaints and fires nothing.
    void SetChecked(bool checked);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // A click as by the mouse: clicked(), then the toggle when Enabled.
    void click();
    bool Radio() const { return radio_; }
    void SetRadio(bool radio) { radio_ = radio; }

    QPixmap ImgOn() const { return imgOn_; }
    void SetImgOn(const QPixmap& picture) { store(imgOn_, picture); }
    QPixmap ImgOnDis() const { return imgOnDis_; }
    void SetImgOnDis(const QPixmap& picture) { store(imgOnDis_, picture); }
    QPixmap ImgOff() const { return imgOff_; }
    void SetImgOff(const QPixmap& picture) { store(imgOff_, picture); }
    QPixmap ImgOffDis() const { return imgOffDis_; }
    void SetImgOffDis(const QPixmap& picture) { store(imgOffDis_, picture); }

    // Kept for the designs; they only repaint.
    QColor OnColor() const { return onColor_; }
    void SetOnColor(const QColor& color);
    QColor OffColor() const { return offColor_; }
    void SetOffColor(const QColor& color);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void store(QPixmap& field, const QPixmap& picture);

    QString caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool pressed_ = false;
    bool radio_ = false;
    FocusMark focusMark_;
    QPixmap imgOn_;
    QPixmap imgOnDis_;
    QPixmap imgOff_;
    QPixmap imgOffDis_;
    QColor onColor_;
    QColor offColor_;
};
