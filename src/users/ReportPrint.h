#pragma once

#include "common/PrintPage.h"
#include "users/ReportLines.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The printed report as drawing operations in the printer's device units: a
// title block on the first page, then a framed table with one row per section
// heading and per exercise, continued on further pages, each page numbered at
// its foot. Every position and font height follows from the page size.

struct ReportPrintInput {
    int pageWidth = 0;
    int pageHeight = 0;
    QString userName;
    QString mode;
    QDateTime printed;
    QList<ReportEntry> entries; // entries[0] is catalogue entry 1
    ProgressTable progress;
    bool doneOnly = true; // "Печать только выполненых"
};

// Rounds to the nearest integer, halves to the even one.
int roundEven(double value);

// " 07, декабрь , 2026,   Время:  13:05 ": day, the month's name in Russian,
// year, then the time on a 24-hour clock.
QString printedDate(const QDateTime& when);

QList<PrintPage> reportPrintLayout(const ReportPrintInput& input);
