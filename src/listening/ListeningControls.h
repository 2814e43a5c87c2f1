#pragma once

#include "listening/Lesson.h"
#include "listening/SyntagmLayout.h"

#include <QFont>
#include <QPixmap>
#include <QString>

class QLabel;
class QPainter;
class QWidget;
class TBtnImgD1QF;
class TBtnImgTransD1QF;
class TChBxImgTransD1QF;

// The controls both listening windows are made of, dressed alike.

// A picture that covers a page while its text is hidden.
QLabel* pageImage(QWidget* page);
// A wide blue button with its label on it.
TBtnImgD1QF* labelButton(const QString& caption, QWidget* parent, int width = 88);
// A round blue button with a white symbol and its caption in a label below;
// the label is the button's "caption" property.
TBtnImgTransD1QF* roundButton(const QString& symbol, const QString& caption, QWidget* parent);
QLabel* captionOf(TBtnImgTransD1QF* button);
// Places round buttons side by side from `x`, `pitch` apart, each centred
// over its caption, the buttons' tops at `top` and the captions' at
// `captionTop`; returns the x after the last.
int placeRoundButtons(const QList<TBtnImgTransD1QF*>& buttons, int x, int top, int captionTop,
                      int pitch);
// The check box balls read the other way round: the box starts checked and
// its checked picture is the grey ball, since its click comes before it
// toggles and the window acts on the state before the click.
TChBxImgTransD1QF* checkBox(const QString& caption, QWidget* parent);

// Lesson picture `index` of the list, read from the data folder and scaled into
// `size`; the page's own drawing when it has no name or cannot be loaded.
// `known` tells which of the two it is.
QPixmap lessonPicture(const QList<PictureEntry>& pictures, int index, const QString& dataFolder,
                      QSize size, bool* known);
// The page's own drawing.
QPixmap pageDrawing(QSize size);

// The listening windows' background: the framed text and translation pages
// and the sunken edge above the lower panel, whose top is panelTop.
void paintPagesAndPanelEdge(QWidget* window, QWidget* textPage, QWidget* transPage, int panelTop);

// The font in a run's style; face and size stay the font's.
QFont styledFont(QFont font, quint8 style);
// Draws laid-out runs, each from the top left it was given, in its style and
// colour.
void drawRuns(QPainter& painter, const QFont& font, const QList<DrawnRun>& runs);
