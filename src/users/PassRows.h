#pragma once

#include "users/ProgressFile.h"
#include "users/ReportLines.h"
#include "users/UserList.h"

#include <QString>
#include <functional>

class QListWidget;
class QWidget;

// What the report and the console need to show a student's passes; the pass
// review stands beside the users' windows, so the main window provides it.
struct PassReviewHooks {
    // Opens the review of the user's recording of the entry over `over` and
    // returns when it is closed. `keepsPass`: the pass may be added to the
    // student's history (the student's own report); the console only reads.
    std::function<void(QWidget* over, const UserRecord& user, int entry, const QString& recording,
                       bool keepsPass)>
        open;
    // The recording's figures in a few lines, for its row's tooltip; empty
    // when there are none.
    std::function<QString(const UserRecord& user, int entry, const QString& recording)> figures;
};

// The recording a report row's pass review opens: a done exercise of a kind
// that records the voice, with its recording named. Empty otherwise.
QString reviewedRecording(const QList<ReportEntry>& entries, const ProgressTable& progress,
                          int entry);

// Gives every row that opens a review its figures as the tooltip (items
// carry their entry in `entryRole`); the rows' text stays.
void setPassTips(QListWidget& list, int entryRole, const QList<ReportEntry>& entries,
                 const ProgressTable& progress, const UserRecord& user,
                 const PassReviewHooks& hooks);
