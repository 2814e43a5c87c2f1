#pragma once

#include <QFont>
#include <QList>

#include <functional>

class QLabel;

// The windows are drawn for Arial, and Liberation Sans stands in for it with
// the same metrics. Where another sans face is used instead, its letters may
// run wider or taller, and a fixed text would be clipped or need scrolling.
// A fitted text keeps its designed box and its designed size when it fits;
// otherwise its pixel size steps down until the whole text shows.

constexpr int smallestFittedPixels = 8;

// The largest pixel size, from the font's own down to smallestFittedPixels,
// at which `fits` holds; the smallest one if none does.
QFont fittedFont(QFont font, const std::function<bool(const QFont&)>& fits);

// Whether the label's text, in `font`, shows whole in the label's rectangle
// (its alignment and word wrap followed).
bool labelTextFits(const QLabel& label, const QFont& font);

// Gives the label the largest font, up to `designed`, that shows its text
// whole in its present rectangle. Call after the label has its geometry.
void fitLabel(QLabel& label, const QFont& designed);
void fitLabel(QLabel& label);
// The same for labels that read as one group: they keep one size, the
// largest at which each of them shows whole.
void fitLabels(const QList<QLabel*>& labels, const QFont& designed);
// The same for labels of a window made long before it shows (or never):
// they take `designed` now and are fitted when the first of them is shown.
void fitLabelsWhenShown(const QList<QLabel*>& labels, const QFont& designed);
