#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

// The program's look: the colours and the face its windows are drawn in.
// Every window takes them from here, so that the look is changed in one place.
namespace look {

// The light grey behind every window and dialog.
inline const QColor WindowGrey(204, 204, 204);
// The shaded edge of the raised bevels and the drawn frames.
inline const QColor ShadowGrey(128, 128, 128);

// The face the windows are designed for: Arial, or the face the system's font
// configuration gives for Arial where it is missing (a metric-compatible one,
// as a rule). Asked of the font configuration once, from any thread. Qt finds
// a face it knows at once; for a name it does not know it sorts the system's
// faces again for every style and script the name is drawn in.
const QString& faceName();

// The program's face at a size in pixels, so that the designed sizes hold on
// any screen.
QFont arial(int pixels, bool bold = false);

// The program's face at the largest size whose cell (ascent plus descent) is
// at most `cell` pixels: text designed in cell heights keeps its line spacing
// in whatever face stands in for Arial.
QFont arialForCell(int cell);

// Makes the face the application's default at the desktop's size, so that the
// dialogs that name no face (and Qt's own) are drawn in it too. The start then
// loads no face of the desktop's for windows that stay hidden.
void useProgramFace();

// Fills the widget's background (its window colour) with `colour`.
void fillBackground(QWidget* widget, const QColor& colour = WindowGrey);

} // namespace look
