#pragma once

#include "widgets/BitmapRules.h"
#include "widgets/DialogResult.h"
#include "widgets/FocusMark.h"

#include <QPixmap>
#include <QPushButton>
#include <functional>

class QShortcut;

// A dialog push button drawn only as its picture. The glyph may hold up to
// four images side by side (up, disabled, down, held); the caption is kept
// (tests and accessibility find the button by it) but never drawn, since the
// pictures carry their own lettering.
//
// A click with a ModalResult other than None closes the dialog it sits in with that
// result; Default reacts to Enter, Cancel to Escape. The Help kind opens the
// help context of the nearest parent that has one (see HelpContext.h), the
// Close kind closes the window.
//
// The caption is also the button's name for a screen reader. Like the
// picture buttons it shows a dotted frame only while the keyboard brought
// the focus.
class TBtnImgD1QF : public QPushButton {
    Q_OBJECT
public:
    enum class ButtonKind { Custom, OK, Cancel, Help, Close, Retry, Ignore };

    explicit TBtnImgD1QF(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }

    QPixmap Glyph() const { return glyph(); }
    void SetGlyph(const QPixmap& glyph);
    // A glyph that is made when the button is first drawn or asked for it.
    void SetGlyphLater(std::function<QPixmap()> make);
    QPixmap GlyphDown() const { return glyphDown_; }
    void SetGlyphDown(const QPixmap& glyph);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count);

    GlyphLayout Layout() const { return layout_; }
    void SetLayout(GlyphLayout layout);
    int Margin() const { return margin_; }
    void SetMargin(int margin);
    // Kept for the designs; with no caption drawn it moves nothing.
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);

    DialogResult ModalResult() const { return modalResult_; }
    void SetModalResult(DialogResult result) { modalResult_ = result; }
    bool Default() const { return isDefault(); }
    void SetDefault(bool on) { setDefault(on); }
    bool Cancel() const { return cancel_ != nullptr; }
    void SetCancel(bool on);
    ButtonKind Kind() const { return kind_; }
    // Like the classic bitmap buttons, a kind brings its modal result.
    void SetKind(ButtonKind kind);

    // Stored and published for the designs; the drawing does not use them.
    QColor ColorFon() const { return colorFon_; }
    void SetColorFon(const QColor& c) { store(colorFon_, c); }
    QColor ColorDefBorder() const { return colorDefBorder_; }
    void SetColorDefBorder(const QColor& c) { store(colorDefBorder_, c); }
    QColor ColorLightSide() const { return colorLightSide_; }
    void SetColorLightSide(const QColor& c) { store(colorLightSide_, c); }
    QColor ColorDarkSide() const { return colorDarkSide_; }
    void SetColorDarkSide(const QColor& c) { store(colorDarkSide_, c); }
    QColor ColorLightOut() const { return colorLightOut_; }
    void SetColorLightOut(const QColor& c) { store(colorLightOut_, c); }
    QColor ColorDarkOut() const { return colorDarkOut_; }
    void SetColorDarkOut(const QColor& c) { store(colorDarkOut_, c); }

    // The picture the button shows in its present state, with its
    // transparent colour already made transparent.
    QPixmap currentPicture() const;

    QSize sizeHint() const override { return {100, 35}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void store(QColor& field, const QColor& value);
    void onClicked();
    QPixmap image(const QPixmap& strip, int index) const;
    const QPixmap& glyph() const;

    mutable QPixmap glyph_;
    mutable std::function<QPixmap()> makeGlyph_;
    QPixmap glyphDown_;
    int numGlyphs_ = 1;
    GlyphLayout layout_ = GlyphLayout::Left;
    int margin_ = -1;
    int spacing_ = 4;
    DialogResult modalResult_ = DialogResult::None;
    QShortcut* cancel_ = nullptr;
    ButtonKind kind_ = ButtonKind::Custom;
    FocusMark focusMark_;
    QColor colorFon_;
    QColor colorDefBorder_;
    QColor colorLightSide_;
    QColor colorDarkSide_;
    QColor colorLightOut_;
    QColor colorDarkOut_;
};
