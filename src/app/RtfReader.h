#pragma once

#include <QByteArray>

class QTextDocument;

// Fills the document from rich text (RTF) bytes: groups, paragraphs and line
// breaks, tabs, bold, italic, underline, font size, colour, the font table's
// character sets and \ansicpg for the code page, \'hh and \uN characters.
// Destinations the pane has no use for (pictures, style sheets, document
// information, anything marked \*) are skipped. Unknown control words are
// ignored, so text written by any word processor still reads.
void readRtf(const QByteArray& bytes, QTextDocument* document);

// A description file: rich text when it begins with "{\rtf", otherwise plain
// text in code page 1251.
void readDescription(const QByteArray& bytes, QTextDocument* document);
