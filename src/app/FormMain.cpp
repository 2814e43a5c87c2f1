#include "app/FormMain.h"

#include "app/AppImages.h"
#include "app/CourseTree.h"
#include "app/DescriptionPane.h"
#include "app/FormBegin.h"
#include "app/FormProgress.h"
#include "app/HelpViewer.h"
#include "app/Launch.h"
#include "app/OKBottomDlgAbout.h"
#include "app/ReviewLaunch.h"
#include "app/RtfReader.h"
#include "common/Paths.h"
#include "dialogs/DlgMessage.h"
#include "review/FormReview.h"
#include "users/FormPrepod.h"
#include "users/FormReport.h"
#include "users/OKBottomDlgChengeReg.h"
#include "users/OKBottomDlgSelectUsers.h"
#include "users/UserDialogs.h"
#include "users/UserSession.h"
#include "widgets/FitText.h"
#include "widgets/HelpContext.h"
#include "widgets/Look.h"
#include "widgets/PrgssBarQF.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <algorithm>
#include <cstdio>

namespace {

const QString FontFile = QStringLiteral("NFREESET.TTF");
const QString FontFace = QStringLiteral("UkrainianFreeSet");

QFont courseFont(const QString& family)
{
    QFont font(family);
    font.setPixelSize(15);
    return font;
}

// The captions stand under the pictures, in buttons of a fixed width: a
// face wider than the designed one gets a smaller size rather than cut words.
QFont toolBarFont(const QToolBar& bar, const QString& family)
{
    constexpr int captionInset = 3;
    const QList<QToolButton*> buttons = bar.findChildren<QToolButton*>();
    return fittedFont(courseFont(family), [&](const QFont& font) {
        const QFontMetrics metrics(font);
        return std::all_of(buttons.begin(), buttons.end(), [&](const QToolButton* button) {
            return metrics.horizontalAdvance(button->text()) + 2 * captionInset <= button->width();
        });
    });
}
} // namespace

TFormMain::TFormMain(UserSession& session, QWidget* parent) : QMainWindow(parent), session_(session)
{
    setObjectName(QStringLiteral("FormMain"));
    for (TreeImage image : {TreeImage::Heading, TreeImage::ToDo, TreeImage::Done})
        treeImages_[int(image)] = treeImage(image);
    setWindowTitle(QStringLiteral("Tolvaren"));
    // The course face is installed before anything measures text: installing
    // a font empties Qt's font caches, and every face already resolved would
    // be resolved again. Nothing is on screen before the first show.
    installCourseFont();
    setFont(look::arial(15));
    fillPane(this, look::WindowGrey);
    makeMenu();
    makeToolBar();
    makePanels();
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CoolBar1);
    layout->addWidget(PanelMain, 1);
    setCentralWidget(central);

    // Client area 775 x 545 under the menu; the frame makes it at least 750 x 560 overall.
    resize(775, 545 + menuBar()->sizeHint().height());
    setMinimumSize(742, 526);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    setHelpContext(this, 10);
}

void TFormMain::setWindows(const ShellWindows& windows)
{
    windows_ = windows;
}

QAction* TFormMain::addMenuItem(QMenu* menu, const QString& name, const QString& caption,
                                void (TFormMain::*handler)())
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    connect(item, &QAction::triggered, this, handler);
    return item;
}

void TFormMain::makeMenu()
{
    menuBar()->setFont(look::arial(15));
    QMenu* user = menuBar()->addMenu(QStringLiteral("Пользователь"));
    NNewUserN = addMenuItem(user, QStringLiteral("NNewUserN"), QStringLiteral("Новое имя..."),
                            &TFormMain::NNewUserClick);
    NSelectUserN = addMenuItem(user, QStringLiteral("NSelectUserN"),
                               QStringLiteral("Выбрать имя..."), &TFormMain::NSelectUserClick);
    NChangeRegN = addMenuItem(user, QStringLiteral("NChangeRegN"),
                              QStringLiteral("Изменить режим..."), &TFormMain::NChengRegClick);
    user->addSeparator();
    NThaecherN = addMenuItem(user, QStringLiteral("NThaecherN"), QStringLiteral("Преподаватель..."),
                             &TFormMain::N6Click);
    user->addSeparator();
    NExitN = addMenuItem(user, QStringLiteral("NExitN"), QStringLiteral("Выход"),
                         &TFormMain::NExitClick);
    QMenu* work = menuBar()->addMenu(QStringLiteral("Приступить к работе"));
    NWorkN = addMenuItem(work, QStringLiteral("NWorkN"), QStringLiteral("Выполнить..."),
                         &TFormMain::N9Click);
    NReportN = addMenuItem(work, QStringLiteral("NReportN"), QStringLiteral("Отчет..."),
                           &TFormMain::NReportClick);
    QMenu* help = menuBar()->addMenu(QStringLiteral("Помощь"));
    NContetsN = addMenuItem(help, QStringLiteral("NContetsN"), QStringLiteral("Содержание..."),
                            &TFormMain::N2Click);
    help->addSeparator();
    NAboutN = addMenuItem(help, QStringLiteral("NAboutN"), QStringLiteral("О программе..."),
                          &TFormMain::NAboutClick);
    for (QMenu* menu : {user, work, help})
        menu->setFont(look::arial(15));
}

QToolButton* TFormMain::addToolButton(const QString& name, int image, const QString& caption,
                                      void (TFormMain::*handler)())
{
    auto* button = new QToolButton(ToolBarMain);
    button->setObjectName(name);
    button->setIcon(toolBarImage(image));
    button->setIconSize(QSize(32, 32));
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFixedSize(113, 56);
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, handler);
    ToolBarMain->addWidget(button);
    return button;
}

void TFormMain::makeToolBar()
{
    CoolBar1 = new QWidget(this);
    CoolBar1->setObjectName(QStringLiteral("CoolBar1"));
    CoolBar1->setFixedHeight(71);
    ToolBarMain = new QToolBar(CoolBar1);
    ToolBarMain->setObjectName(QStringLiteral("ToolBarMain"));
    ToolBarMain->setMovable(false);
    ToolButtonNewUser = addToolButton(QStringLiteral("ToolButtonNewUser"), 0,
                                      QStringLiteral("Новое имя"), &TFormMain::NNewUserClick);
    ToolButton3 = addToolButton(QStringLiteral("ToolButton3"), 1, QStringLiteral("Выбрать имя"),
                                &TFormMain::NSelectUserClick);
    ToolBarMain->addSeparator();
    ToolButton1 = addToolButton(QStringLiteral("ToolButton1"), 2, QStringLiteral("Преподаватель"),
                                &TFormMain::N6Click);
    ToolBarMain->addSeparator();
    ToolButton4 = addToolButton(QStringLiteral("ToolButton4"), 3, QStringLiteral("Выполнить"),
                                &TFormMain::ToolButton4Click);
    ToolButtonReport = addToolButton(QStringLiteral("ToolButtonReport"), 4, QStringLiteral("Отчет"),
                                     &TFormMain::NReportClick);
    ToolBarMain->addSeparator();
    ToolButtonExit = addToolButton(QStringLiteral("ToolButtonExit"), 5, QStringLiteral("Выход"),
                                   &TFormMain::NExitClick);
    ToolBarMain->setFont(toolBarFont(*ToolBarMain, CourseFontFamily));
    // Nothing is selected and nobody is named until the first show has run.
    ToolButton4->setEnabled(false);
    ToolButtonReport->setEnabled(false);
    auto* layout = new QHBoxLayout(CoolBar1);
    layout->setContentsMargins(4, 7, 4, 7);
    layout->addWidget(ToolBarMain);
    layout->addStretch();
}

void TFormMain::makePanels()
{
    PanelMain = new QWidget(this);
    PanelMain->setObjectName(QStringLiteral("PanelMain"));
    Splitter1 = new QSplitter(Qt::Horizontal, PanelMain);
    Splitter1->setHandleWidth(3);
    Splitter1->setChildrenCollapsible(false);

    PanelTree = new FramedPanel(Splitter1, QMargins(15, 34, 15, 34));
    PanelTree->setObjectName(QStringLiteral("PanelTree"));
    TreeView = new QTreeWidget(PanelTree);
    TreeView->setObjectName(QStringLiteral("TreeView"));
    TreeView->setHeaderHidden(true);
    // Long titles scroll sideways instead of being cut short: the column
    // widens to the widest title that has been on screen (fitTitleColumn).
    // Only the rows in view are measured, so a large course stays quick.
    TreeView->header()->setResizeContentsPrecision(0);
    TreeView->header()->setStretchLastSection(false);
    TreeView->setIndentation(20);
    TreeView->setIconSize(QSize(16, 16));
    TreeView->setFrameShape(QFrame::NoFrame);
    TreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView->setFont(courseFont(CourseFontFamily));
    TreeView->setAccessibleName(QStringLiteral("Упражнения курса"));
    fillPane(TreeView, Qt::white);
    PanelTree->layout()->addWidget(TreeView);
    connect(TreeView, &QTreeWidget::currentItemChanged, this, &TFormMain::TreeViewChange);
    connect(TreeView, &QTreeWidget::itemDoubleClicked, this, &TFormMain::TreeViewDblClick);
    connect(TreeView, &QTreeWidget::itemExpanded, this, &TFormMain::fitTitleColumn);
    connect(TreeView->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &TFormMain::fitTitleColumn);
    TreeView->installEventFilter(this);
    TreeView->viewport()->installEventFilter(this);

    Panel1 = new TDescriptionPane(Splitter1);

    Splitter1->addWidget(PanelTree);
    Splitter1->addWidget(Panel1);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({301, 471});
    auto* layout = new QHBoxLayout(PanelMain);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Splitter1);
}

void TFormMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    // The splash is modal; it runs once the main window is on screen.
    QTimer::singleShot(0, this, &TFormMain::FormShow);
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TreeView->viewport() && event->type() == QEvent::Resize)
        fitTitleColumn();
    // Enter on a node does what a double click does (a lesson opens or closes,
    // an exercise starts), so the course can be worked through from the keyboard.
    if (watched == TreeView && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        QTreeWidgetItem* node = TreeView->currentItem();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && node) {
            if (node->childCount() > 0)
                node->setExpanded(!node->isExpanded());
            TreeViewDblClick();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFormMain::FormShow()
{
    if (windows_.begin)
        windows_.begin->exec();
    if (windows_.selectUsers)
        showFileProblems(windows_.selectUsers->LoadProblems(), FileFault::Warning);
    TreeReady = false;
    session_.setCurrentValid(true);
    // A damaged catalogue leaves its own mode empty; the other modes still work.
    QStringList faults;
    for (const CourseError& fault : courseCatalogues().LoadCatalogues())
        faults << fault.userText();
    if (!faults.isEmpty())
        showFileProblems({faults.join(QLatin1Char('\n'))}, FileFault::Error);
    DataFolder = QStringLiteral("DataTest\\");
    ChangeUser(-1);
    started_ = true;
    emit startupFinished();
}

void TFormMain::installCourseFont()
{
    // Asked first, this fills the font database without the file, which is
    // then read once; added to an empty database it is read again when filled.
    const bool systemFace = QFontDatabase::hasFamily(FontFace);
    const int id = QFontDatabase::addApplicationFont(FontFile);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    // Without the font file the system's face stands in: Arial's, which is
    // narrow enough for the tool bar captions, unless the course face is installed.
    if (!families.isEmpty())
        CourseFontFamily = families.first();
    else
        CourseFontFamily = systemFace ? FontFace : look::faceName();
}

void TFormMain::ChangeUser(int index)
{
    TreeReady = false;
    showFileProblems(session_.changeUser(index), FileFault::Warning);
    ToolButtonReport->setEnabled(session_.currentUser() != nullptr);
    setWindowTitle(session_.title());
    const QChar mode = session_.currentMode().at(0);
    // The nodes get their pictures as they are made, from the new user's marks.
    BuildCourseTree(mode);
    ToolButton4->setEnabled(false);
    TreeMode = mode;
    TreeView->viewport()->update();
    TreeReady = true;
    TreeViewChange();
    // The student goes on in the tree of the new user, also when the switch
    // was started from a tool button reached by the keyboard.
    TreeView->setFocus();
    // An empty tree is explained.
    if (const std::optional<CourseError>& fault = courseCatalogues().fault(mode); fault && started_)
        showFileProblems({fault->userText()}, FileFault::Error);
}

TreeImage TFormMain::treeImageOf(int entry) const
{
    return imageIn(TreeMode, entry);
}

TreeImage TFormMain::imageIn(QChar mode, int entry) const
{
    if (courseCatalogues().entry(mode, entry).exerciseKind() == ExerciseKind::Heading)
        return TreeImage::Heading;
    return session_.isDone(entry) ? TreeImage::Done : TreeImage::ToDo;
}

bool TFormMain::BuildCourseTree(QChar mode)
{
    const CatalogueEntries& entries = courseCatalogues().entries(mode);
    const int n = courseCatalogues().count(mode);
    TPrgssBarQF* bar = windows_.progress ? windows_.progress->ProgressBarTree : nullptr;
    if (bar) {
        bar->SetPosition(0);
        windows_.progress->showDrawn();
        bar->SetMax(n);
    }
    TreeView->clear();
    const auto shape = shapeCourseTree(entries, catalogueFileName(mode));
    if (const CourseError* error = std::get_if<CourseError>(&shape)) {
        if (bar)
            windows_.progress->hide();
        showFileProblems({error->userText()}, FileFault::Error);
        return false;
    }
    const std::vector<int>& parent = std::get<CourseTreeShape>(shape).parent;
    std::vector<QTreeWidgetItem*> nodes(n + 1, nullptr);
    QList<QTreeWidgetItem*> topLevel;
    for (int i = 1; i <= n; ++i) {
        if (bar)
            bar->AdvanceTo(i);
        nodes[i] = new CourseNode(i, entries[i].Title, imageIn(mode, i), treeImages_.data());
        if (parent[i] != 0)
            nodes[parent[i]]->addChild(nodes[i]);
        else
            topLevel.append(nodes[i]);
    }
    TreeView->addTopLevelItems(topLevel);
    TreeView->setColumnWidth(0, 0);
    fitTitleColumn();
    if (bar)
        windows_.progress->hide();
    if (!topLevel.isEmpty())
        TreeView->setCurrentItem(topLevel.first());
    return true;
}

void TFormMain::fitTitleColumn()
{
    const int before = TreeView->columnWidth(0);
    TreeView->resizeColumnToContents(0);
    if (TreeView->columnWidth(0) < before)
        TreeView->setColumnWidth(0, before);
}

void TFormMain::setTreeImages(const std::function<TreeImage(int entry)>& imageOf)
{
    // Only nodes whose picture differs are touched: each change makes the
    // view measure its titles again.
    for (QTreeWidgetItemIterator it(TreeView); *it; ++it) {
        auto* node = static_cast<CourseNode*>(*it);
        node->setImage(imageOf(node->data(0, EntryRole).toInt()));
    }
}

int TFormMain::selectedEntry() const
{
    const QTreeWidgetItem* node = TreeView->currentItem();
    return node ? node->data(0, EntryRole).toInt() : 0;
}

void TFormMain::TreeViewChange()
{
    if (!TreeReady)
        return;
    const int index = selectedEntry();
    const CatalogueEntry& entry = courseCatalogues().entry(TreeMode, index);
    ToolButton4->setEnabled(index > 0 && entry.exerciseKind() != ExerciseKind::Heading);
    if (index > 0)
        ShowEntryInfo(entry);
}

void TFormMain::ShowEntryInfo(const CatalogueEntry& entry)
{
    const QString path = coursePath(DataFolder + entry.InfoFile);
    std::optional<CourseError> fault;
    if (entry.descriptionKind() == DescriptionKind::RichText)
        fault = Panel1->showText(path);
    else if (entry.descriptionKind() == DescriptionKind::Picture)
        fault = Panel1->showPicture(path);
    if (fault)
        showFileProblems({fault->userText()}, FileFault::Error);
}

void TFormMain::ToolButton4Click()
{
    launchEntry(session_, selectedEntry(), {clientRoom(), TreeMode, DataFolder}, [this] {
        PanelMain->hide();
        CoolBar1->hide();
    });
    finishLaunch();
}

// The listening windows fill the client area, in their own proportions; the
// drill windows stand in its centre.
QRect TFormMain::clientRoom() const
{
    const QWidget* client = centralWidget();
    return QRect(client->mapToGlobal(QPoint(0, 0)), client->size());
}

void TFormMain::finishLaunch()
{
    PanelMain->show();
    CoolBar1->show();
    if (session_.currentUser())
        setTreeImages([this](int entry) { return treeImageOf(entry); });
    TreeView->viewport()->update();
    TreeView->setFocus();
}

void TFormMain::N9Click()
{
    ToolButton4Click();
}

void TFormMain::TreeViewDblClick()
{
    ToolButton4Click();
}

void TFormMain::NNewUserClick()
{
    if (!windows_.selectUsers)
        return;
    if (const std::optional<int> index = newUser(*windows_.selectUsers))
        ChangeUser(*index);
}

void TFormMain::NSelectUserClick()
{
    if (!windows_.selectUsers || !windows_.password)
        return;
    if (const std::optional<int> index =
            selectUser(*windows_.selectUsers, *windows_.password, session_))
        ChangeUser(*index);
}

namespace {
QList<ReportEntry> reportEntries(const QString& mode)
{
    QList<ReportEntry> entries;
    const QChar letter = mode.isEmpty() ? QChar() : mode.at(0);
    for (int i = 1; i <= courseCatalogues().count(letter); ++i)
        entries.append({courseCatalogues().entry(letter, i).Title,
                        courseCatalogues().entry(letter, i).exerciseKind()});
    return entries;
}
} // namespace

PassReviewHooks TFormMain::passReviewHooks() const
{
    auto request = [this](const UserRecord& user, int entry, const QString& recording,
                          bool keepsPass) {
        const CatalogueEntry& lesson = courseCatalogues().entry(user.mode().at(0), entry);
        return reviewRequest(lesson, DataFolder, recording,
                             {user.name(), user.progressFile(), keepsPass});
    };
    auto open = [request](QWidget* over, const UserRecord& user, int entry,
                          const QString& recording, bool keepsPass) {
        showReview(request(user, entry, recording, keepsPass), &printWithMessages, over);
    };
    auto figures = [request](const UserRecord& user, int entry, const QString& recording) {
        return passFiguresTip(request(user, entry, recording, false));
    };
    return {open, figures};
}

void TFormMain::N6Click()
{
    if (!windows_.password || !teacherLogin(*windows_.password))
        return;
    if (!prepod_) {
        // A recording plays as the lesson listening of its entry does, over
        // the client area, with the recording as the one to follow.
        auto play = [this](const QString& mode, int entry, const QString& recording) {
            lessonListening(entry, {clientRoom(), mode.at(0), DataFolder}, recording)(nullptr);
        };
        prepod_ = new TFormPrepod(session_, {reportEntries, play, passReviewHooks()}, this);
    }
    prepod_->exec();
}

void TFormMain::NChengRegClick()
{
    if (!windows_.chengeReg || execDialog(*windows_.chengeReg) != DialogResult::OK)
        return;
    showFileProblems(session_.changeMode(windows_.chengeReg->selectedMode()), FileFault::Warning);
    ChangeUser(session_.currentIndex());
}

void TFormMain::NReportClick()
{
    if (!session_.currentUser())
        return;
    if (!report_) {
        report_ = new TFormReport(session_, this);
        report_->setPassReview(passReviewHooks());
    }
    report_->execute(reportEntries(session_.currentMode()));
    // A recording taken back shows in the tree at once.
    setTreeImages([this](int entry) { return treeImageOf(entry); });
    TreeView->viewport()->update();
}

void TFormMain::N2Click()
{
    showHelpContext(0);
}

void TFormMain::NAboutClick()
{
    if (windows_.about)
        windows_.about->exec();
}

void TFormMain::NExitClick()
{
    close();
}

void TFormMain::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void TFormMain::closeBySignal()
{
    closingBySignal_ = true;
    close();
}

void TFormMain::FormClose()
{
    const QList<CourseError> problems = session_.close();
    if (!closingBySignal_) {
        showFileProblems(problems, FileFault::Warning);
        return;
    }
    for (const CourseError& problem : problems)
        std::fprintf(stderr, "%s\n", problem.userText().toUtf8().constData());
}
