#pragma once

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <functional>

// Line spacing factors of the syntagm view: 0.75 to 2.0 in quarter steps.
enum class TIntevalString { is0_75, is1_00, is1_25, is1_50, is1_75, is2_00 };
double spacingFactor(TIntevalString spacing);

// Font style bits as the views store them per character.
enum TextStyleBit : quint8 {
    StyleBold = 1,
    StyleItalic = 2,
    StyleUnderline = 4,
    StyleStrikeOut = 8
};

// A colour as 0xAARRGGBB, as the toolkit's own colour values are made.
constexpr quint32 rgbColour(int red, int green, int blue)
{
    return 0xff000000u | quint32(red) << 16 | quint32(green) << 8 | quint32(blue);
}

// What a run of text is drawn with besides the face and size, which are the
// normal font's for every run.
struct TextLook {
    quint8 style = 0;
    quint32 colour = rgbColour(0, 0, 0);
    bool operator==(const TextLook&) const = default;
};

// Where a syntagm lies in the laid-out lines. Columns count characters from 1;
// column 0 is before the first character.
struct SyntagmPlace {
    int startLine = 0;
    int startColumn = 0;
    int endLine = 0;
    int endColumn = 0;
};

struct LaidLine {
    QString text;
    QList<TextLook> cells; // cell i - 1 is column i
};

// A piece of one line drawn in one look, at `at` in control coordinates.
struct DrawnRun {
    QPoint at;
    QString text;
    TextLook look;
};

// The syntagm text view without its pixels: the lesson text cut into syntagms,
// word-wrapped into the width, the current syntagm and a marked range
// recoloured, and the smooth scroll that brings the current syntagm to a set
// height. Widths come from a function, so the rules hold for any font.
class SyntagmLayout {
public:
    // The width in pixels of a text in the normal font's face with the style.
    using WidthOf = std::function<int(const QString& text, quint8 style)>;

    const QStringList& Text() const { return text_; }
    // The live list: the caller may change it, so the layout goes stale.
    QStringList& EditText();
    void SetText(const QStringList& text);

    int Position() const { return position_; }
    // Each setter returns true when the control should repaint.
    bool SetPosition(int position);
    int NBegin() const { return nBegin_; }
    int NEnd() const { return nEnd_; }
    bool SetNBegin(int value);
    bool SetNEnd(int value);
    bool FlagSelMultSint() const { return flagSelMultSint_; }
    bool SetFlagSelMultSint(bool on);
    int PosScreen() const { return posScreen_; }
    bool SetPosScreen(int percent);
    bool setLooks(const TextLook& normal, const TextLook& selected, const TextLook& marked);
    const TextLook& NormalLook() const { return normal_; }
    const TextLook& SelectedLook() const { return selected_; }
    const TextLook& MarkedLook() const { return marked_; }
    bool SetMargins(const QMargins& margins);
    const QMargins& Margins() const { return margins_; }
    // The width or the fonts changed: the words are wrapped again.
    void markStale() { stale_ = wrapStale_ = true; }
    bool layoutStale() const { return stale_; }

    TIntevalString HeightIntervString = TIntevalString::is1_00;
    int k_Speed = 50000;
    // The interpretation trainer shows no headings: a heading ends the line,
    // leaves one blank line and has no place (all zero). Set before the text.
    bool HideHeadings = false;

    // Lays the text out into `width` when stale, without drawing.
    void layOut(int width, const WidthOf& widthOf);
    // The runs of laid-out line `line`, its first character at `at`.
    QList<DrawnRun> lineRuns(int line, QPoint at, const WidthOf& widthOf) const;

    // Lays the text out when stale and returns what a paint of a control of
    // `size` draws; a line's pitch is `lineHeight` times the spacing factor.
    QList<DrawnRun> Paint(QSize size, int lineHeight, const WidthOf& widthOf);
    // One step of the smooth scroll; true when the control should repaint.
    // Nothing moves while the reader scrolls by hand.
    bool ScrollStep(int controlHeight);
    // The reader scrolls: the text moves down by `lines` lines of the last
    // paint (up when negative), no further than its first line to the top
    // of the view or its last line to the bottom, and stays where the reader
    // left it until followCurrent.
    void scrollLines(double lines);
    // The smooth scroll brings the current syntagm back into view again.
    void followCurrent() { scrolledByHand_ = false; }
    bool scrolledByHand() const { return scrolledByHand_; }
    // The syntagm whose words the last paint drew at `point`; -1 between
    // lines, past a line's end, on a heading or outside the text.
    int syntagmAt(QPoint point, const WidthOf& widthOf) const;

    const QList<SyntagmPlace>& places() const { return places_; }
    const QList<LaidLine>& Lines() const { return lines_; }
    int lastLine() const { return lastLine_; }
    int currentLineTop() const { return currentLineTop_; }
    double scrollOffset() const { return scrollOffset_; }

private:
    void reflow(int width, const WidthOf& widthOf);
    void wrap(int width, const WidthOf& widthOf);
    void placeHeading(int index);
    void placeWords(int index, int width, const WidthOf& widthOf);
    QString& newLine();
    void recolour(int index, const TextLook& look);
    bool validIndex(int value) const { return value >= 0 && value < text_.size(); }
    int lineTop(int line) const;
    int columnAt(int line, int x, const WidthOf& widthOf) const;
    int syntagmOn(int line, int column) const;

    QStringList text_;
    int position_ = 1;
    int nBegin_ = 0;
    int nEnd_ = 0;
    bool flagSelMultSint_ = false;
    int posScreen_ = 40;
    TextLook normal_;
    TextLook selected_{StyleUnderline, rgbColour(255, 0, 0)};
    TextLook marked_{0, rgbColour(0, 0, 255)};
    QMargins margins_{20, 20, 20, 20};
    bool stale_ = true;
    // Wrapping is the costly part of a layout; a new current syntagm or range
    // only recolours the lines.
    bool wrapStale_ = true;
    int wrappedWidth_ = -1;
    QList<SyntagmPlace> places_;
    QList<LaidLine> lines_;
    int lastLine_ = 1;
    int currentLineTop_ = 0;
    double scrollOffset_ = 0;
    bool scrolledByHand_ = false;
    // Where the last paint put the text, for a point to find its syntagm.
    QRect paintedArea_;
    double paintedPitch_ = 0;
};

// Splits a syntagm at its spaces; every word keeps the space after it.
QStringList wordsOf(const QString& syntagm);
