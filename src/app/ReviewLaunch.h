#pragma once

#include "app/Catalogue.h"
#include "review/ReviewInput.h"

// The review of a student's pass of a catalogue entry: the entry's files in
// the data folder, the recording as the progress record names it, the student
// timing file beside it when there is one, and the student's history beside
// the progress file. `keepsPass` false leaves the history as it is (the
// teacher's console only reads).
struct ReviewStudent {
    QString name;
    QString progressFile;
    bool keepsPass = true;
};

ReviewRequest reviewRequest(const CatalogueEntry& entry, const QString& dataFolder,
                            const QString& recording, const ReviewStudent& student);

// The pass's figures for a report row's tooltip: the history's line of this
// very recording when there is one, else the figures made from it now.
QString passFiguresTip(const ReviewRequest& request);

// Keeps the figures of a pass just made in the student's history; nothing
// when there is no recording (the pass recorded nothing) or all went well.
std::optional<CourseError> keepFinishedPassOf(const ReviewRequest& request);
