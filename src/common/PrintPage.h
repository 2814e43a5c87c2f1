#pragma once

#include <QList>
#include <QString>

// A printed page as drawing operations in the printer's device units: texts
// and straight lines, which the print back end draws as they stand. The
// report and the pass review are laid out into these.

struct PrintText {
    int x = 0; // top-left corner of the text
    int y = 0;
    int fontHeight = 0; // cell height (ascent + descent) in device units
    QString text;
    bool operator==(const PrintText&) const = default;
};

struct PrintLine {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    bool operator==(const PrintLine&) const = default;
};

struct PrintPage {
    QList<PrintText> texts;
    QList<PrintLine> lines;
};
