#pragma once

#include "common/PrintPage.h"
#include "review/PeakSummary.h"
#include "review/ReviewInput.h"

#include <QDateTime>

// The printed review: a title block with the student's name, the date and
// the figures, then the whole pass on as many rows as it needs, each row a
// stretch of the time line with the lesson's waveform above the student's and
// the syntagms' edges and numbers under them; pages numbered at their foot.
struct ReviewPrintInput {
    int pageWidth = 0;
    int pageHeight = 0;
    QString student;
    QDateTime printed;
    const ReviewMaterial* material = nullptr;
    const PeakSummary* lesson = nullptr;
    const PeakSummary* recording = nullptr;
};

// Seconds of the time line on one printed row, and the columns drawn in it.
inline constexpr int PrintedRowMs = 20000;
inline constexpr int PrintedColumns = 400;

QList<PrintPage> reviewPrintLayout(const ReviewPrintInput& input);
