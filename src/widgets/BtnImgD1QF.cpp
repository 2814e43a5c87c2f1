#include "widgets/BtnImgD1QF.h"

#include "widgets/HelpContext.h"
#include "widgets/Pictures.h"

#include <QDialog>
#include <QPainter>
#include <QShortcut>
#include <utility>

TBtnImgD1QF::TBtnImgD1QF(QWidget* parent)
    : QPushButton(parent), colorFon_(winColor(13369344)), colorDefBorder_(winColor(5570560)),
      colorLightSide_(winColor(16733525)), colorDarkSide_(winColor(7798784)),
      colorLightOut_(winColor(16751001)), colorDarkOut_(winColor(5570560))
{
    resize(100, 35);
    QPalette pal = palette();
    pal.setColor(QPalette::ButtonText, Qt::white);
    setPalette(pal);
    connect(this, &QPushButton::clicked, this, &TBtnImgD1QF::onClicked);
}

void TBtnImgD1QF::SetGlyph(const QPixmap& glyph)
{
    makeGlyph_ = nullptr;
    glyph_ = glyph;
    update();
}

void TBtnImgD1QF::SetGlyphLater(std::function<QPixmap()> make)
{
    makeGlyph_ = std::move(make);
    update();
}

const QPixmap& TBtnImgD1QF::glyph() const
{
    if (makeGlyph_)
        glyph_ = std::exchange(makeGlyph_, nullptr)();
    return glyph_;
}

void TBtnImgD1QF::SetGlyphDown(const QPixmap& glyph)
{
    glyphDown_ = glyph;
    update();
}

void TBtnImgD1QF::SetNumGlyphs(int count)
{
    numGlyphs_ = std::clamp(count, 1, 4);
    update();
}

void TBtnImgD1QF::SetLayout(GlyphLayout layout)
{
    layout_ = layout;
    update();
}

void TBtnImgD1QF::SetMargin(int margin)
{
    margin_ = margin;
    update();
}

void TBtnImgD1QF::SetSpacing(int spacing)
{
    spacing_ = spacing;
    update();
}

void TBtnImgD1QF::SetCancel(bool on)
{
    if (on == Cancel())
        return;
    if (on) {
        // A shortcut of the button's own window: Escape anywhere in it.
        cancel_ = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QPushButton::click,
                                Qt::WindowShortcut);
    } else {
        delete cancel_;
        cancel_ = nullptr;
    }
}

void TBtnImgD1QF::SetKind(ButtonKind kind)
{
    kind_ = kind;
    switch (kind) {
    case ButtonKind::OK:
        modalResult_ = DialogResult::OK;
        break;
    case ButtonKind::Cancel:
        modalResult_ = DialogResult::Cancel;
        SetCancel(true);
        break;
    case ButtonKind::Retry:
        modalResult_ = DialogResult::Retry;
        break;
    case ButtonKind::Ignore:
        modalResult_ = DialogResult::Ignore;
        break;
    case ButtonKind::Custom:
    case ButtonKind::Help:
    case ButtonKind::Close:
        break;
    }
}

void TBtnImgD1QF::store(QColor& field, const QColor& value)
{
    field = value;
    update();
}

void TBtnImgD1QF::onClicked()
{
    if (kind_ == ButtonKind::Help)
        showHelpContext(helpContextOf(this));
    if (kind_ == ButtonKind::Close)
        window()->close();
    if (modalResult_ == DialogResult::None)
        return;
    if (auto* dialog = qobject_cast<QDialog*>(window()))
        closeDialog(*dialog, modalResult_);
}

QPixmap TBtnImgD1QF::image(const QPixmap& strip, int index) const
{
    const int width = strip.width() / numGlyphs_;
    return strip.copy(index * width, 0, width, strip.height());
}

QPixmap TBtnImgD1QF::currentPicture() const
{
    const ButtonState state = !isEnabled() ? ButtonState::Disabled
                              : isDown()   ? ButtonState::Down
                                           : ButtonState::Up;
    const QPixmap& strip =
        state == ButtonState::Down && !glyphDown_.isNull() ? glyphDown_ : glyph();
    if (strip.isNull())
        return {};
    const std::optional<int> index = glyphIndex(state, numGlyphs_);
    const QPixmap picture = image(strip, index.value_or(0));
    const QPixmap drawn = withTransparentColour(picture, transparentColour(picture));
    return index ? drawn : greyed(drawn);
}

void TBtnImgD1QF::paintEvent(QPaintEvent*)
{
    const QPixmap picture = currentPicture();
    QPainter painter(this);
    if (!picture.isNull())
        painter.drawPixmap(glyphOrigin(size(), picture.size(), layout_, margin_), picture);
    focusMark_.draw(painter, *this);
}

void TBtnImgD1QF::focusInEvent(QFocusEvent* event)
{
    focusMark_.focusIn(*event);
    QPushButton::focusInEvent(event);
}
