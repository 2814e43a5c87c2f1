#pragma once

#include "app/AppImages.h"
#include "app/Catalogue.h"
#include "common/LaunchResult.h"
#include "users/PassRows.h"

#include <QIcon>
#include <QMainWindow>
#include <array>
#include <functional>

struct DrillCounts;
class QAction;
class QFrame;
class QLabel;
class QSplitter;
class QTextEdit;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TDescriptionPane;
class TDlgPassWord;
class TFormBegin;
class TFormPrepod;
class TFormReport;
class TFormProgress;
class TOKBottomDlgAbout;
class TOKBottomDlgChengeReg;
class TOKBottomDlgNewUser;
class TOKBottomDlgSelectUsers;
class UserSession;

// The long-lived windows the main window opens. Made at program start, in
// their fixed order after the main window, and handed over before it is shown.
// Windows left out are not opened: their commands do nothing.
struct ShellWindows {
    TOKBottomDlgAbout* about = nullptr;
    TOKBottomDlgSelectUsers* selectUsers = nullptr;
    TOKBottomDlgNewUser* newUser = nullptr;
    TOKBottomDlgChengeReg* chengeReg = nullptr;
    TDlgPassWord* password = nullptr;
    TFormProgress* progress = nullptr;
    TFormBegin* begin = nullptr; // none when the start skips the splash
};

// The main window: the course tree on the left, the description of the
// selected entry on the right, commands in the tool bar and the menu.
class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    // Data roles of a tree node: its catalogue entry index and its picture.
    static constexpr int EntryRole = Qt::UserRole;
    static constexpr int ImageRole = Qt::UserRole + 1;

    // The session holds the user list, the current user and its progress; it
    // outlives the window.
    explicit TFormMain(UserSession& session, QWidget* parent = nullptr);
    void setWindows(const ShellWindows& windows);
    UserSession& session() const { return session_; }

    // State the other windows read and change.
    QString DataFolder = QStringLiteral("DataTest\\");
    QChar TreeMode = u'D';
    bool TreeReady = false;
    // The family of the course font: from its file; without the file, the face
    // of that name if the system has it, else the program's own face.
    QString CourseFontFamily;

    // Makes a user current and rebuilds the tree; -1 is the anonymous user.
    void ChangeUser(int index);
    // Closes as the close box does, for a termination signal (a logout): nobody
    // is there to answer a message, so a failed write is told on standard
    // error, and the files written before stay as they were.
    void closeBySignal();
    // Fills the tree from the catalogue of a mode; false (after telling the
    // user) when the catalogue's anchors do not make a tree.
    bool BuildCourseTree(QChar mode);
    // Gives every node the picture its entry index now has; nodes that already
    // show it are left alone.
    void setTreeImages(const std::function<TreeImage(int entry)>& imageOf);
    // The picture of an entry's node; done only for the named user's marks.
    TreeImage treeImageOf(int entry) const;
    void ShowEntryInfo(const CatalogueEntry& entry);
    // Entry index of the selected node; 0 when nothing is selected.
    int selectedEntry() const;

    // One exercise run of the selected entry: runs launch (which opens the
    // exercise window and says whether it was gone through), then offers the
    // completion dialog until the student leaves, repeats or marks it.
    using ExerciseLaunch = std::function<LaunchResult(DrillCounts* counts)>;
    // Lesson listening tells in its completion text whether a recording was
    // analysed.
    void runExercise(int index, ExerciseKind kind, const ExerciseLaunch& launch,
                     const QString& previousRecording = {});

    // Commands.
    void ToolButton4Click();
    void N9Click();
    void TreeViewDblClick();
    void NNewUserClick();
    void NSelectUserClick();
    void N6Click();
    void NChengRegClick();
    void NReportClick();
    void N2Click();
    void NAboutClick();
    void NExitClick();

    QToolBar* ToolBarMain;
    QToolButton* ToolButtonNewUser;
    QToolButton* ToolButton3;
    QToolButton* ToolButton1;
    QToolButton* ToolButton4;
    QToolButton* ToolButtonReport;
    QToolButton* ToolButtonExit;
    QAction* NNewUserN;
    QAction* NSelectUserN;
    QAction* NChangeRegN;
    QAction* NThaecherN;
    QAction* NExitN;
    QAction* NWorkN;
    QAction* NReportN;
    QAction* NContetsN;
    QAction* NAboutN;
    QWidget* CoolBar1;
    QWidget* PanelMain;
    QFrame* PanelTree;
    QTreeWidget* TreeView;
    QSplitter* Splitter1;
    TDescriptionPane* Panel1;
    QLabel* ImageAbout;
    QTextEdit* RichEditAboutLern;

signals:
    // The first show's steps are done and the window waits for the user.
    void startupFinished();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override; // TreeViewKeyDown
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    void FormClose();
    void TreeViewChange();
    void installCourseFont();
    TreeImage imageIn(QChar mode, int entry) const;
    void finishLaunch();
    // A finished pass of a recording kind goes into the student's history.
    void keepFinishedPass(int index, ExerciseKind kind);
    // What the report and the console need to open a pass's review.
    PassReviewHooks passReviewHooks() const;
    ExerciseLaunch exerciseLaunch(ExerciseKind kind, int index, const CatalogueEntry& entry,
                                  const QString& previousRecording) const;
    // Fills the completion dialog for the counts of the last run.
    void prepareCompletion(ExerciseKind kind, const DrillCounts& counts,
                           const QString& previousRecording);

    void makeMenu();
    void makeToolBar();
    void makePanels();
    void fitTitleColumn();
    QToolButton* addToolButton(int image, const QString& caption, void (TFormMain::*handler)());
    QAction* addMenuItem(QMenu* menu, const QString& caption, void (TFormMain::*handler)());

    UserSession& session_;
    ShellWindows windows_;
    // The report and the teacher console, made at their first use and kept.
    TFormReport* report_ = nullptr;
    TFormPrepod* prepod_ = nullptr;
    // The three node pictures, shared by all nodes.
    std::array<QIcon, TreeImageCount> treeImages_;
    bool shown_ = false;
    bool closingBySignal_ = false;
    // The start has named every damaged catalogue; later switches name theirs.
    bool started_ = false;
};
