#pragma once

#include "app/AppImages.h"
#include "app/Catalogue.h"
#include "app/CourseNode.h"
#include "users/PassRows.h"

#include <QIcon>
#include <QMainWindow>
#include <array>
#include <functional>

class QAction;
class QFrame;
class QSplitter;
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
    static constexpr int EntryRole = CourseNode::EntryRole;
    static constexpr int ImageRole = CourseNode::ImageRole;

    // The session holds the user list, the current user and its progress; it
    // outlives the window.
    explicit TFormMain(UserSession& session, QWidget* parent = nullptr);
    void setWindows(const ShellWindows& windows);
    UserSession& session() const { return session_; }

    // The work mode whose catalogue the tree shows.
    QChar treeMode() const { return TreeMode; }
    // The tree is built and follows the selection.
    bool treeReady() const { return TreeReady; }
    // The family of the course font: from its file; without the file, the face
    // of that name if the system has it, else the program's own face.
    const QString& courseFontFamily() const { return CourseFontFamily; }

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
    QRect clientRoom() const;
    // What the report and the console need to open a pass's review.
    PassReviewHooks passReviewHooks() const;

    void makeMenu();
    void makeToolBar();
    void makePanels();
    void fitTitleColumn();
    QToolButton* addToolButton(const QString& name, int image, const QString& caption,
                               void (TFormMain::*handler)());
    QAction* addMenuItem(QMenu* menu, const QString& name, const QString& caption,
                         void (TFormMain::*handler)());

    // The widgets carry their names as object names.
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

    QString DataFolder = QStringLiteral("DataTest\\");
    QChar TreeMode = u'D';
    bool TreeReady = false;
    QString CourseFontFamily;

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
