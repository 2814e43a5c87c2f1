#pragma once

#include "users/ReportPrint.h"

class QPrinter;

// Draws the laid-out pages on the printer as one document, a new page before
// each page after the first. Texts are in Arial, sized so that their cell
// (ascent and descent) has the layout's height whatever face stands in for
// Arial. False when the printer could not begin the document.
bool printReportPages(QPrinter& printer, const QList<PrintPage>& pages);
