#pragma once

#include "users/PassRows.h"
#include "users/ReportLines.h"
#include "widgets/DialogResult.h"

#include <QDialog>

class QListWidget;
class QListWidgetItem;
class TBtnImgD1QF;
class TBtnImgTransD1QF;
class UserSession;

// The current named user's report: a line per section and exercise of the
// user's work mode, done ones in bold. The student can take back the
// recording of a done interpretation exercise, which makes it not done again.
class TFormReport : public QDialog {
    Q_OBJECT
public:
    // Item data of a row: its catalogue entry, and whether it is drawn bold.
    static constexpr int EntryRole = Qt::UserRole;
    static constexpr int DoneRole = Qt::UserRole + 1;

    explicit TFormReport(UserSession& session, QWidget* parent = nullptr);

    // Fills the list from the progress in memory for the entries of the
    // current user's mode (entries[0] is entry 1) and shows the window modally.
    DialogResult execute(const QList<ReportEntry>& entries);
    // A double click on a done recorded row opens its pass review; such rows
    // show the pass's figures as their tooltip.
    void setPassReview(PassReviewHooks hooks) { passReview_ = std::move(hooks); }

    QListWidget* ListBoxReport;
    TBtnImgTransD1QF* BtnImgDeleteFile;
    TBtnImgD1QF* BtnImgD1QF1; // "Помошь"
    TBtnImgD1QF* BtnImgClose;

private:
    void ListBoxReportClick();
    void BitBtn1Click();
    void BtnImgD1QF1Click();
    void ListBoxReportDblClick(QListWidgetItem* item);
    void showRow(int row);
    ExerciseKind kindOfRow(int row) const;
    int entryOfRow(int row) const;

    UserSession& session_;
    QList<ReportEntry> entries_;
    PassReviewHooks passReview_;
};
