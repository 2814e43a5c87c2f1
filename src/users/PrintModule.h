#pragma once

#include "users/ReportPrinter.h"

// What the print module (tolvaren-print, built from print_backend) gives the
// program: the print request. The entry's name carries the version of the
// request's form, so that a module left from another build fails to open
// instead of being called wrongly. Change the number with the form.
using PrintReportFunction = PrintResult (*)(QWidget* parent, const ReportLayout& layout);
using PrintModuleEntry = PrintReportFunction (*)();
inline constexpr char PrintModuleFile[] = "tolvaren-print.so";
inline constexpr char PrintModuleEntryName[] = "tolvarenPrintModule1";
