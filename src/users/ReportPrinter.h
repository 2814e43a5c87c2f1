#pragma once

#include "users/ReportPrint.h"

#include <functional>

class QPrinter;
class QWidget;

// Draws the laid-out pages on the printer as one document, a new page before
// each page after the first. Texts are in Arial, sized so that their cell
// (ascent and descent) has the layout's height whatever face stands in for
// Arial. False when the printer could not begin the document.
bool printReportPages(QPrinter& printer, const QList<PrintPage>& pages);

// What came of the teacher's print request.
struct PrintResult {
    enum class Outcome { Printed, Cancelled, NoPrinter, Failed, NoModule };
    Outcome outcome = Outcome::Printed;
    // Failed: the printer's name; NoModule: why the print module did not
    // open, for the user.
    QString detail;
};

// The report's pages for a page of the given size in device units.
using ReportLayout = std::function<QList<PrintPage>(int pageWidth, int pageHeight)>;

// Lets the teacher choose a printer in the print dialog over `parent`, then
// prints the pages the layout gives for that printer's page. Lives in the
// print back end (print_backend): tests link it in, the program opens it as
// its print module on the first print (PrintModule.h).
PrintResult printReport(QWidget* parent, const ReportLayout& layout);
