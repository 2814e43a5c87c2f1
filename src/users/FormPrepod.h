#pragma once

#include "users/PassRows.h"
#include "users/ReportPrint.h"
#include "users/ReportPrinter.h"

#include <QDialog>
#include <functional>

class QLineEdit;
class QListWidget;
class TBtnImgD1QF;
class TBtnImgTransD1QF;
class TChBxImgTransD1QF;
class TDlgChPassPrep;
class TDlgPassWord;
class FileWatch;
class UserSession;

// What the console needs of the course, which the main window holds.
struct ConsoleCourse {
    // The entries of a mode's catalogue; element 0 is entry 1.
    std::function<QList<ReportEntry>(const QString& mode)> entries;
    // Plays the student's recording of the entry with the lesson text over the
    // main window, and returns when the listening window has closed.
    std::function<void(const QString& mode, int entry, const QString& recording)> play;
    // Opens a done recording's pass review on a double click on its row, and
    // gives its figures as the row's tooltip.
    PassReviewHooks review{};
};

// The teacher console: every user's password and report, the recordings of
// the interpretation exercises played with the lesson text, the printed
// report and the teacher's password. It only reads: no progress file and no
// user list is ever written from here.
class TFormPrepod : public QDialog {
    Q_OBJECT
public:
    // Item data of a report row: its catalogue entry.
    static constexpr int EntryRole = Qt::UserRole;

    TFormPrepod(const UserSession& session, ConsoleCourse course, QWidget* parent = nullptr);

    // The selected user's report as the print lays it out, on a page of the size.
    ReportPrintInput printInput(int pageWidth, int pageHeight) const;

    QListWidget* ListBoxUsers;
    QListWidget* ListBoxReport;
    QLineEdit* EditPassword;
    TBtnImgTransD1QF* BitBtnPlay;
    TBtnImgTransD1QF* BitBtn3;
    TChBxImgTransD1QF* CheckBoxChek;
    TBtnImgD1QF* BitBtn2;
    TBtnImgD1QF* BitBtn1;
    TBtnImgD1QF* BitBtnClose;
    TDlgChPassPrep* DlgChPassPrep;

protected:
    void showEvent(QShowEvent* event) override; // FormShow

private:
    void FormShow();
    void ListBoxUsersClick();
    void ListBoxReportClick();
    void BitBtnPlayClick();
    void ListBoxReportDblClick();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void makeButtons();
    QString loadProgress(int user);
    // The selected report row's entry and its record in the copy; 0 without one.
    int selectedEntry() const;
    // Reads the selected user's progress file again, as a student on another
    // machine may have marked an exercise since; only the rows whose text
    // changed are rewritten, and the selection stays.
    void refreshReport();

    const UserSession& session_;
    ConsoleCourse course_;
    QList<ReportEntry> entries_; // of the selected user's mode
    ProgressTable copy_;         // the selected user's progress, never written
    bool playing_ = false;
    FileWatch* progressWatch_;
};

// The teacher's login (the main window's "Преподаватель..."): true when the
// console may open. The prompt's help context is the teacher's while it runs.
bool teacherLogin(TDlgPassWord& prompt);

// Prints the pages the layout gives through the print dialog over `parent`,
// and tells the teacher in the message window when printing is impossible.
void printWithMessages(QWidget* parent, const ReportLayout& layout);
