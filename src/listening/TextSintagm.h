#pragma once

#include "listening/SyntagmLayout.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <array>
#include <optional>

// The syntagm text view on screen: draws SyntagmLayout's runs into an image of
// its own size and copies the image in one operation, so the 50 ms scroll
// steps never flicker. Only the style and colour of the two selection fonts
// are used; face and size are always Font's.
class TTextSintagm : public QWidget {
    Q_OBJECT
public:
    explicit TTextSintagm(QWidget* parent = nullptr);

    QStringList& Text() { return model_.EditText(); }
    void SetText(const QStringList& text) { model_.SetText(text); }
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& font, QRgb colour);
    void SetFontSelSintagm(quint8 style, QRgb colour);
    void SetFontSelMultSint(quint8 style, QRgb colour);

    int Position() const { return model_.Position(); }
    void SetPosition(int position) { repaintIf(model_.SetPosition(position)); }
    int NBegin() const { return model_.NBegin(); }
    int NEnd() const { return model_.NEnd(); }
    void SetNBegin(int value) { repaintIf(model_.SetNBegin(value)); }
    void SetNEnd(int value) { repaintIf(model_.SetNEnd(value)); }
    bool FlagSelMultSint() const { return model_.FlagSelMultSint(); }
    void SetFlagSelMultSint(bool on) { repaintIf(model_.SetFlagSelMultSint(on)); }
    int PosScreen() const { return model_.PosScreen(); }
    void SetPosScreen(int percent) { repaintIf(model_.SetPosScreen(percent)); }
    int k_Speed() const { return model_.k_Speed; }
    void Setk_Speed(int speed) { model_.k_Speed = speed; }
    void SetHeightIntervString(TIntevalString spacing) { model_.HeightIntervString = spacing; }
    bool OnTimer() const { return timer_.isActive(); }
    void SetOnTimer(bool on);
    // Left, top, right and bottom margins.
    void SetMargins(const QMargins& margins) { repaintIf(model_.SetMargins(margins)); }

    void ScrollStep();
    const SyntagmLayout& Model() const { return model_; }
    // The last picture painted, for tests and benchmarks.
    const QImage& Picture() const { return picture_; }

    // The reader's own scroll ends: the current syntagm is followed again.
    void FollowCurrent() { model_.followCurrent(); }

signals:
    void OnResize();
    // A click, or a double click, on the words of syntagm `index` (from 0).
    void SyntagmClicked(int index);
    void SyntagmDoubleClicked(int index);
    // Ctrl and the wheel: the text one step larger (+1) or smaller (-1).
    void ZoomAsked(int steps);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void repaintIf(bool needed);
    int widthOf(const QString& text, quint8 style) const;
    int syntagmUnder(const QMouseEvent* event) const;

    SyntagmLayout model_;
    QFont font_;
    // Metrics of Font in each style, made when first needed: a scroll step
    // measures every run it draws.
    mutable std::array<std::optional<QFontMetrics>, 16> metrics_;
    QImage picture_;
    QTimer timer_;
    int zoomDelta_ = 0; // wheel turned with Ctrl, not yet a whole notch
};
