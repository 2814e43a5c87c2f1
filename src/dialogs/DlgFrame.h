#pragma once

#include "widgets/DialogResult.h"

#include <QDialog>
#include <QRect>

class TBtnImgD1QF;

// The look the shared dialogs have in common: light grey ground, a gradient
// caption bar carrying the title, the side picture on the left and a white
// text area inside a picture frame. The window draws its own border and
// caption bar, so it looks the same on every desktop; dragging the caption
// moves it.
class TDlgFrame : public QDialog {
    Q_OBJECT
public:
    // `client` is the size of the area under the caption bar.
    TDlgFrame(QSize client, const QString& title, QWidget* parent = nullptr);

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& title);

    // Every showing starts centred on the screen, wherever the dialog was
    // dragged or put by the window manager the time before.
    void setVisible(bool visible) override;

    static constexpr int border = 2;
    static constexpr int captionHeight = 24;

protected:
    // Geometry in client coordinates (0, 0 is the client area's top left).
    QRect clientRect() const;
    QRect toWindow(const QRect& client) const;
    // The white area the texts go in, its frame around it.
    void setTextArea(const QRect& client) { textArea_ = client; }
    QRect textArea() const { return textArea_; }
    // Space for the side picture: it keeps to the left of the client area.
    static constexpr int sideWidth = 80;
    // A blue 100 x 35 button with a white label, placed at a client position.
    TBtnImgD1QF* makeButton(const QString& label, QPoint clientAt, DialogResult modalResult);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QSize client_;
    QRect textArea_;
    QPoint dragFrom_;
    bool dragging_ = false;
};
