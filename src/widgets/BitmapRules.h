#pragma once

// The arithmetic of the bitmap controls, kept apart from painting so that it
// can be checked without a screen: where pictures go, which picture a state
// shows, how far the progress bar is filled.

#include <QColor>
#include <QPoint>
#include <QSize>
#include <optional>

// Colours in the course's designs are Windows colour values: 0x00BBGGRR.
QColor winColor(int bgr);

// ---- TBtnImgD1QF ----------------------------------------------------------

enum class ButtonState { Up, Disabled, Down };
enum class GlyphLayout { Left, Right, Top, Bottom };

// Index of the image inside a glyph strip of numGlyphs images (up, disabled,
// down, held) for a state; nullopt means "a greyed copy of the up image".
std::optional<int> glyphIndex(ButtonState state, int numGlyphs);

// Top left corner of a glyph of `glyph` size in a client area of `client`
// size, laid out with an empty caption. A margin of -1 centres the picture
// along the layout's axis; across it the picture is always centred.
QPoint glyphOrigin(QSize client, QSize glyph, GlyphLayout layout, int margin);

// ---- TBtnImgTransD1QF -----------------------------------------------------

enum class TransPicture { Bitmap, Over, Down, Up };
enum class TransEvent { BitmapSet, MouseEnter, MouseLeave, ButtonDown, UpInside, UpOutside };

// Which of the five pictures are present.
struct TransPictures {
    bool bitmap = false;
    bool over = false;
    bool down = false;
    bool up = false;
};

// The picture an event makes the button show; nullopt leaves the shown
// picture as it is.
std::optional<TransPicture> nextTransPicture(TransEvent event, const TransPictures& present);

// ---- TChBxImgTransD1QF ----------------------------------------------------

enum class CheckPicture { On, OnDis, Off, OffDis };

CheckPicture checkPicture(bool checked, bool enabled);

struct CheckLayout {
    QPoint picture;
    QPoint textTop; // top left corner of the caption's line
};

CheckLayout checkLayout(int height, int pictureHeight, int imgOnWidth, int fontPixelHeight);

// ---- TPrgssBarQF ----------------------------------------------------------

// Widths of the six pieces: the track (line) and the fill (scroll), each with
// a begin, a middle tile and an end.
struct ProgressPieces {
    int beginLine = 0;
    int midleLine = 0;
    int endLine = 0;
    int beginScroll = 0;
    int midleScroll = 0;
    int endScroll = 0;
};

struct ProgressLayout {
    int lineTiles = 0;  // ImgMidleLine tiles from x = lineMargin
    int lineBeginX = 0; // ImgBeginLine
    int lineEndX = 0;   // ImgEndLine
    int fillStartX = 0; // first ImgMidleScroll tile
    int fillTiles = 0;  // ImgMidleScroll tiles, edge to edge
    int scrollBeginX = 0;
    int scrollEndX = 0; // over the last tile

    bool operator==(const ProgressLayout&) const = default;
};

constexpr int progressLineMargin = 5;
constexpr int progressFillMargin = 8;

ProgressLayout progressLayout(int width, const ProgressPieces& pieces, int min, int max,
                              int position);
