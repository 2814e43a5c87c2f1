#include "app/FormMain.h"
#include "MainWindowDriver.h"
#include "app/Catalogue.h"
#include "app/FormProgress.h"
#include "app/Launch.h"
#include "dialogs/DlgLexRepit.h"
#include "drills/DrillLaunch.h"
#include "support/ModalDriver.h"
#include "support/PaintCounter.h"
#include "support/TempCourse.h"
#include "users/NewUser.h"
#include "users/OKBottomDlgChengeReg.h"
#include "users/UserDialogs.h"
#include "users/UserSession.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/Memo.h"

#include "widgets/PrgssBarQF.h"
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>
#include <gtest/gtest.h>
#include <set>

namespace {

QString line(const QString& title, const char* isChild, int anchor, int infoKind,
             const QString& infoFile, int kind)
{
    return QStringList{title,
                       QLatin1String(isChild),
                       QString::number(anchor),
                       QString::number(infoKind),
                       infoFile,
                       QString::number(kind),
                       "t.txt",
                       "tr.txt",
                       "s.wav",
                       "s.txt",
                       ""}
        .join(QLatin1Char('\t'));
}

// A small course: the course heading, a lesson heading with two exercises, a
// picture entry and an entry that keeps the previous description.
const QStringList CourseLines{
    line("О курсе", "0", 0, 0, "course.rtf", 0),    line("Урок 1", "0", 1, 0, "lesson.txt", 0),
    line("Лексика", "1", 2, 0, "lexicon.rtf", 2),   line("Картинка", "1", 2, 1, "picture.bmp", 5),
    line("Без описания", "1", 2, 7, "none.rtf", 6),
};

void writeCourse(const TempCourse& course, const QStringList& lines = CourseLines)
{
    for (const char* mode : {"A", "B", "C", "D"})
        course.writeLines(QStringLiteral("InitReg%1.txt").arg(QLatin1String(mode)), lines);
    course.write("DataTest/course.rtf",
                 "{\\rtf1\\ansi\\ansicpg1251 {\\b \\'ce \\'ea\\'f3\\'f0\\'f1\\'e5}}");
    course.write("DataTest/lesson.txt", "\xd3\xf0\xee\xea");
    course.write("DataTest/lexicon.rtf", "{\\rtf1 Lexikon}");
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.save(course.filePath("DataTest/picture.bmp"), "BMP");
}

// The main window with its progress window, shown and through its first show.
struct Shell {
    UserSession session;
    TFormProgress progress;
    TFormMain main{session};
    Shell()
    {
        ShellWindows windows;
        windows.progress = &progress;
        main.setWindows(windows);
        showMainWindow(main);
    }

    QTreeWidgetItem* node(int entry) { return nodeOfEntry(main, entry); }
    void select(int entry) { treeOf(main)->setCurrentItem(node(entry)); }
    QString description() const
    {
        return part<QTextEdit>(main, "RichEditAboutLern")->toPlainText();
    }
};

} // namespace

TEST(FormMain, FirstShowMakesTheAnonymousUserCurrent)
{
    TempCourse course;
    writeCourse(course);
    Shell shell;
    EXPECT_EQ(shell.main.windowTitle(),
              QStringLiteral("Tolvaren Анонимный пользователь - Режим D."));
    EXPECT_FALSE(part<QToolButton>(shell.main, "ToolButtonReport")->isEnabled());
    EXPECT_FALSE(part<QToolButton>(shell.main, "ToolButton4")->isEnabled());
    EXPECT_TRUE(shell.main.treeReady());
    EXPECT_EQ(shell.main.treeMode(), QChar(u'D'));
    EXPECT_EQ(shell.main.selectedEntry(), 1);
    EXPECT_EQ(shell.description(), QStringLiteral("О курсе"));
    EXPECT_TRUE(part<QTextEdit>(shell.main, "RichEditAboutLern")->isVisible());
    EXPECT_FALSE(part<QLabel>(shell.main, "ImageAbout")->isVisible());
    EXPECT_FALSE(shell.progress.isVisible());
    EXPECT_EQ(treeOf(shell.main)->topLevelItemCount(), 2);
    EXPECT_EQ(shell.node(2)->childCount(), 3);
}

TEST(FormMain, NodesShowHeadingsAndExercisesApart)
{
    TempCourse course;
    writeCourse(course);
    Shell shell;
    using enum TreeImage;
    const std::vector<TreeImage> images{Heading, Heading, ToDo, ToDo, ToDo};
    for (int entry = 1; entry <= 5; ++entry)
        EXPECT_EQ(imageOfEntry(shell.main, entry), images[entry - 1]) << entry;
}

TEST(FormMain, SelectionEnablesStartOnlyForExercises)
{
    TempCourse course;
    writeCourse(course);
    Shell shell;
    shell.select(3);
    EXPECT_TRUE(part<QToolButton>(shell.main, "ToolButton4")->isEnabled());
    EXPECT_EQ(shell.description(), QStringLiteral("Lexikon"));
    shell.select(2);
    EXPECT_FALSE(part<QToolButton>(shell.main, "ToolButton4")->isEnabled());
    EXPECT_EQ(shell.description(), QStringLiteral("Урок"));
}

TEST(FormMain, PictureEntryShowsThePicturePane)
{
    TempCourse course;
    writeCourse(course);
    Shell shell;
    shell.select(4);
    EXPECT_TRUE(part<QLabel>(shell.main, "ImageAbout")->isVisible());
    EXPECT_FALSE(part<QTextEdit>(shell.main, "RichEditAboutLern")->isVisible());
    EXPECT_EQ(part<QLabel>(shell.main, "ImageAbout")->pixmap().size(), QSize(40, 30));
}

TEST(FormMain, OtherInfoKindsKeepThePreviousDescription)
{
    TempCourse course;
    writeCourse(course);
    Shell shell;
    shell.select(3);
    shell.select(5);
    EXPECT_TRUE(part<QToolButton>(shell.main, "ToolButton4")->isEnabled());
    EXPECT_EQ(shell.description(), QStringLiteral("Lexikon"));
    shell.select(4);
    shell.select(5);
    EXPECT_TRUE(part<QLabel>(shell.main, "ImageAbout")->isVisible());
}

TEST(FormMain, MissingDescriptionIsReportedAndThePaneStaysCleared)
{
    TempCourse course;
    writeCourse(course);
    QFile::remove(course.filePath("DataTest/lexicon.rtf"));
    Shell shell;
    MessageAnswers messages;
    shell.select(3);
    ASSERT_EQ(messages.said.size(), 1);
    const QString message = messages.said[0];
    EXPECT_TRUE(message.contains(QLatin1String("lexicon.rtf"))) << message.toStdString();
    EXPECT_EQ(shell.description(), QString());
    EXPECT_EQ(shell.main.selectedEntry(), 3);
}

TEST(FormMain, UnreadablePictureIsReportedWithThePicturePaneShown)
{
    TempCourse course;
    writeCourse(course);
    course.write("DataTest/picture.bmp", "not a picture");
    Shell shell;
    MessageAnswers messages;
    shell.select(4);
    ASSERT_EQ(messages.said.size(), 1);
    const QString message = messages.said[0];
    EXPECT_TRUE(message.contains(QLatin1String("picture.bmp"))) << message.toStdString();
    EXPECT_TRUE(part<QLabel>(shell.main, "ImageAbout")->isVisible());
}

TEST(FormMain, EmptyCatalogueLeavesAnEmptyTree)
{
    TempCourse course;
    writeCourse(course, {});
    Shell shell;
    EXPECT_EQ(treeOf(shell.main)->topLevelItemCount(), 0);
    EXPECT_FALSE(part<QToolButton>(shell.main, "ToolButton4")->isEnabled());
    EXPECT_EQ(shell.main.selectedEntry(), 0);
    shell.main.N9Click();
    shell.main.NReportClick();
    EXPECT_TRUE(part<QWidget>(shell.main, "PanelMain")->isVisible());
}

// Only titles that have been on screen are measured: a long title far down
// widens the column (sideways scrolling) once it is scrolled to, and the
// column stays that wide when it scrolls away again.
TEST(FormMain, TheTitleColumnWidensToLongTitlesScrolledIntoView)
{
    TempCourse course;
    QStringList lines;
    for (int i = 1; i < 200; ++i)
        lines << line(QStringLiteral("Урок %1").arg(i), "0", 0, 0, "course.rtf", 0);
    const QString longTitle = QString(20, QChar(u'Ж')) + QStringLiteral(" длинный заголовок");
    lines << line(longTitle, "0", 0, 0, "course.rtf", 0);
    writeCourse(course, lines);
    Shell shell;
    QTreeWidget& tree = *treeOf(shell.main);
    const int titleWidth = tree.fontMetrics().horizontalAdvance(longTitle);
    EXPECT_LT(tree.columnWidth(0), titleWidth);
    EXPECT_EQ(tree.horizontalScrollBar()->maximum(), 0);

    tree.scrollToBottom();
    QCoreApplication::processEvents();
    EXPECT_GE(tree.columnWidth(0), titleWidth);
    EXPECT_GT(tree.horizontalScrollBar()->maximum(), 0);
    tree.scrollToTop();
    EXPECT_GE(tree.columnWidth(0), titleWidth);
}

TEST(FormMain, AnchorOutsideTheCatalogueStopsTheTree)
{
    TempCourse course;
    writeCourse(course, {CourseLines[0], line("x", "1", 9, 0, "course.rtf", 1)});
    MessageAnswers messages;
    Shell shell;
    ASSERT_EQ(messages.said.size(), 1);
    const QString message = messages.said[0];
    EXPECT_TRUE(message.contains(QLatin1String("InitRegD.txt"))) << message.toStdString();
    EXPECT_EQ(treeOf(shell.main)->topLevelItemCount(), 0);
    EXPECT_FALSE(part<QToolButton>(shell.main, "ToolButton4")->isEnabled());
}

TEST(FormMain, ANodeOutOfLineOrderShowsItsOwnEntry)
{
    // Entry 4 hangs under entry 1 although entry 2 came between: its node is the
    // second in the tree, and selecting it must still describe entry 4.
    TempCourse course;
    writeCourse(course, {line("О курсе", "0", 0, 0, "course.rtf", 0),
                         line("Урок 1", "0", 1, 0, "lesson.txt", 0),
                         line("Лексика", "1", 2, 0, "course.rtf", 0),
                         line("Позже", "1", 1, 0, "lexicon.rtf", 2)});
    Shell shell;
    QTreeWidgetItem* second = treeOf(shell.main)->topLevelItem(0)->child(0);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->text(0), QStringLiteral("Позже"));
    treeOf(shell.main)->setCurrentItem(second);
    EXPECT_EQ(shell.main.selectedEntry(), 4);
    EXPECT_EQ(shell.description(), QStringLiteral("Lexikon"));
    EXPECT_TRUE(part<QToolButton>(shell.main, "ToolButton4")->isEnabled());
}

TEST(FormMain, StartingAHeadingKeepsThePanels)
{
    TempCourse course;
    writeCourse(course);
    Shell shell;
    shell.main.TreeViewDblClick();
    EXPECT_TRUE(part<QWidget>(shell.main, "PanelMain")->isVisible());
    EXPECT_TRUE(part<QWidget>(shell.main, "CoolBar1")->isVisible());
    EXPECT_EQ(shell.main.selectedEntry(), 1);
}

// The tree is built without the event loop: the progress window is on
// screen and drawn before the first node joins the tree.
TEST(FormMain, ProgressWindowIsDrawnAndCountsTheEntries)
{
    TempCourse course;
    writeCourse(course);
    UserSession session;
    TFormProgress progress;
    TFormMain main{session};
    ShellWindows windows;
    windows.progress = &progress;
    main.setWindows(windows);
    PaintCounter bar;
    progress.ProgressBarTree->installEventFilter(&bar);
    bool drawnBeforeNodes = false;
    QObject::connect(treeOf(main)->model(), &QAbstractItemModel::rowsAboutToBeInserted, [&] {
        drawnBeforeNodes = progress.windowHandle()->isExposed() && bar.paints > 0;
    });
    showMainWindow(main);
    EXPECT_TRUE(drawnBeforeNodes);
    EXPECT_EQ(progress.ProgressBarTree->Max(), 5);
    EXPECT_EQ(progress.ProgressBarTree->Position(), 5);
    EXPECT_FALSE(progress.isVisible());
}

TEST(FormMain, ExitClosesTheWindow)
{
    TempCourse course;
    writeCourse(course);
    Shell shell;
    shell.main.NExitClick();
    EXPECT_FALSE(shell.main.isVisible());
}

TEST(FormMain, CourseFontComesFromTheFontFile)
{
    const QString system = QStringLiteral("/usr/share/fonts/truetype/freefont/FreeSans.ttf");
    if (!QFile::exists(system))
        GTEST_SKIP() << "no FreeSans to stand for the course font";
    TempCourse course;
    writeCourse(course);
    QFile::copy(system, course.filePath(QStringLiteral("NFREESET.TTF")));
    Shell shell;
    EXPECT_EQ(shell.main.courseFontFamily(), QStringLiteral("FreeSans"));
    EXPECT_EQ(treeOf(shell.main)->font().family(), QStringLiteral("FreeSans"));
    EXPECT_EQ(treeOf(shell.main)->font().pixelSize(), 15);
}

TEST(FormMain, WithoutTheFontFileTheStartGoesOnSilently)
{
    TempCourse course;
    writeCourse(course);
    Shell shell;
    EXPECT_FALSE(shell.main.courseFontFamily().isEmpty());
    EXPECT_EQ(part<QToolBar>(shell.main, "ToolBarMain")->font().family(),
              shell.main.courseFontFamily());
    EXPECT_TRUE(shell.main.treeReady());
}

namespace {

int addUser(Shell& shell, const QString& name, const QString& mode)
{
    NewUserInput input;
    input.name = name;
    input.password = input.confirmation = QStringLiteral("pw");
    input.fileName = defaultProgressPath(QDir::currentPath(), name);
    input.mode = mode;
    const UserSession::Added added = shell.session.addUser(input);
    EXPECT_TRUE(added.messages.isEmpty()) << userTexts(added.messages).join(' ').toStdString();
    return added.index.value_or(-1);
}

} // namespace

TEST(FormMain, NamedUserSeesTheirModeAndDoneExercises)
{
    TempCourse course;
    writeCourse(course);
    Shell shell;
    const int ivan = addUser(shell, QStringLiteral("Ivan"), QStringLiteral("B"));
    shell.main.ChangeUser(ivan);
    EXPECT_EQ(shell.main.windowTitle(), QStringLiteral("Tolvaren Ivan - Режим B."));
    EXPECT_TRUE(part<QToolButton>(shell.main, "ToolButtonReport")->isEnabled());
    EXPECT_EQ(shell.main.treeMode(), QChar(u'B'));
    EXPECT_EQ(imageOfEntry(shell.main, 3), TreeImage::ToDo);
    EXPECT_TRUE(shell.session.markDone(3, ExerciseKind::Lexicon, RunOutcome{}).isEmpty());
    // Switching to the same user writes the progress and reads it back.
    shell.main.ChangeUser(ivan);
    EXPECT_EQ(imageOfEntry(shell.main, 3), TreeImage::Done);
    EXPECT_EQ(imageOfEntry(shell.main, 4), TreeImage::ToDo);
    EXPECT_EQ(imageOfEntry(shell.main, 2), TreeImage::Heading);
    shell.main.ChangeUser(-1);
    EXPECT_EQ(shell.main.windowTitle(),
              QStringLiteral("Tolvaren Анонимный пользователь - Режим D."));
    EXPECT_FALSE(part<QToolButton>(shell.main, "ToolButtonReport")->isEnabled());
    EXPECT_EQ(imageOfEntry(shell.main, 3), TreeImage::ToDo);
}

namespace {
const QString DamagedLine = line("x", "0", 0, 300, "", 0);
} // namespace

TEST(FormMain, DamagedCataloguesAreNamedInOneMessageAndTheOthersWork)
{
    TempCourse course;
    writeCourse(course);
    course.writeLines("InitRegB.txt", {CourseLines[0], DamagedLine});
    course.writeLines("InitRegC.txt", {DamagedLine});
    MessageAnswers messages;
    Shell shell;
    ASSERT_EQ(messages.said.size(), 1) << "one message for both";
    const QString message = messages.said[0];
    for (const char* named : {"InitRegB.txt\", строка 2", "InitRegC.txt\", строка 1"})
        EXPECT_TRUE(message.contains(QString::fromUtf8(named))) << message.toStdString();
    EXPECT_TRUE(message.contains(QLatin1String("InfoKind"))) << message.toStdString();
    EXPECT_TRUE(shell.main.treeReady());
    EXPECT_EQ(treeOf(shell.main)->topLevelItemCount(), 2) << "mode D is intact";
    EXPECT_EQ(shell.main.selectedEntry(), 1);
    EXPECT_EQ(shell.description(), QStringLiteral("О курсе"));

    shell.main.ChangeUser(addUser(shell, QStringLiteral("Anna"), QStringLiteral("A")));
    EXPECT_EQ(treeOf(shell.main)->topLevelItemCount(), 2) << "mode A is intact";
}

TEST(FormMain, DamagedAnonymousModeLeavesItsTreeEmptyButNotTheOthers)
{
    TempCourse course;
    writeCourse(course);
    course.writeLines("InitRegD.txt", {CourseLines[0], DamagedLine});
    MessageAnswers messages;
    Shell shell;
    ASSERT_EQ(messages.said.size(), 1);
    const QString message = messages.said[0];
    EXPECT_TRUE(message.contains(QLatin1String("InitRegD.txt"))) << message.toStdString();
    EXPECT_EQ(treeOf(shell.main)->topLevelItemCount(), 0);
    EXPECT_FALSE(part<QToolButton>(shell.main, "ToolButton4")->isEnabled());
    EXPECT_EQ(shell.main.windowTitle(),
              QStringLiteral("Tolvaren Анонимный пользователь - Режим D."));

    shell.main.ChangeUser(addUser(shell, QStringLiteral("Anna"), QStringLiteral("A")));
    EXPECT_EQ(treeOf(shell.main)->topLevelItemCount(), 2);
    shell.select(3);
    EXPECT_TRUE(part<QToolButton>(shell.main, "ToolButton4")->isEnabled());
}

namespace {
// "Изменить режим..." confirmed with mode C.
void changeModeToC(Shell& shell, TOKBottomDlgChengeReg& dialog)
{
    ShellWindows windows;
    windows.progress = &shell.progress;
    windows.chengeReg = &dialog;
    shell.main.setWindows(windows);
    whenModal([&dialog](QWidget*) {
        dialog.RadioButtonC->setChecked(true);
        closeDialog(dialog, DialogResult::OK);
    });
    shell.main.NChengRegClick();
    EXPECT_TRUE(modalActionsDone());
}
} // namespace

// Named at the start, and again when the student switches to that mode:
// the empty tree is explained.
TEST(FormMain, SwitchToADamagedModeNamesItsCatalogue)
{
    TempCourse course;
    writeCourse(course);
    course.writeLines("InitRegC.txt", {DamagedLine});
    MessageAnswers messages;
    Shell shell;
    ASSERT_EQ(messages.said.size(), 1);
    TOKBottomDlgChengeReg dialog;
    changeModeToC(shell, dialog);
    EXPECT_EQ(treeOf(shell.main)->topLevelItemCount(), 0);
    ASSERT_EQ(messages.said.size(), 2);
    EXPECT_TRUE(messages.said[1].contains(QStringLiteral("InitRegC.txt\", строка 1")))
        << messages.said[1].toStdString();
}

TEST(FormMain, AUserSwitchGivesTheKeyboardBackToTheTree)
{
    TempCourse course;
    writeCourse(course);
    Shell shell;
    const int ivan = addUser(shell, QStringLiteral("Ivan"), QStringLiteral("B"));
    // The student reached "Выбрать имя" with Tab; after the switch the arrow
    // keys must move in the new tree, not along the tool bar.
    for (const int index : {ivan, -1}) {
        part<QToolButton>(shell.main, "ToolButton3")->setFocus();
        ASSERT_EQ(shell.main.focusWidget(), part<QToolButton>(shell.main, "ToolButton3"));
        shell.main.ChangeUser(index);
        EXPECT_EQ(shell.main.focusWidget(), treeOf(shell.main)) << index;
    }
}

TEST(FormMain, ModeChangeRebuildsTheTreeForTheAnonymousUser)
{
    TempCourse course;
    writeCourse(course);
    course.writeLines("InitRegC.txt", {line("Режим C", "0", 0, 0, "course.rtf", 0)});
    Shell shell;
    TOKBottomDlgChengeReg dialog;
    changeModeToC(shell, dialog);
    EXPECT_EQ(shell.main.windowTitle(),
              QStringLiteral("Tolvaren Анонимный пользователь - Режим C."));
    EXPECT_EQ(shell.main.treeMode(), QChar(u'C'));
    EXPECT_EQ(treeOf(shell.main)->topLevelItem(0)->text(0), QStringLiteral("Режим C"));
    whenModal([&dialog](QWidget*) { closeDialog(dialog, DialogResult::Cancel); });
    shell.main.NChengRegClick();
    EXPECT_EQ(shell.main.treeMode(), QChar(u'C'));
}

TEST(FormMain, ClosingWritesNoUnchangedUserList)
{
    TempCourse course;
    writeCourse(course);
    Shell shell;
    shell.main.NExitClick();
    EXPECT_FALSE(QFile::exists(course.filePath(UserListFile)))
        << "another program's users would vanish under a list written from memory";
    EXPECT_FALSE(QDir(course.filePath("Report")).exists());
}

namespace {

// A stand-in exercise window: each run returns the next result and counts.
struct FakeExercise {
    std::vector<std::pair<LaunchResult, DrillCounts>> runs;
    int calls = 0;
    ExerciseLaunch launch()
    {
        return [this](DrillCounts* counts) {
            const auto& [result, given] = runs.at(calls++);
            *counts = given;
            return result;
        };
    }
};

// Arranges what the student does in the next completion dialog; `seen` gets its
// text and whether marking was offered.
void answerCompletion(DialogResult result, QString* text, bool* markable)
{
    whenModal([=](QWidget*) {
        TDlgLexRepit* dialog = DlgLexRepit();
        *text = dialog->MemoComent->Lines().join(QLatin1Char('\n'));
        // Marking is offered when the button and its label both are.
        *markable = dialog->BitBtnOk->isEnabled() && dialog->Label2->isEnabled();
        closeDialog(*dialog, result);
    });
}

} // namespace

TEST(FormMain, QuestionsWithFewErrorsCanBeMarkedWithTheirPercentage)
{
    TempCourse course;
    writeCourse(course);
    Shell shell;
    shell.main.ChangeUser(addUser(shell, QStringLiteral("Olga"), QStringLiteral("D")));
    FakeExercise exercise{{{LaunchResult::GoneThrough, {10, 3}}}};
    QString text;
    bool markable = false;
    answerCompletion(DialogResult::OK, &text, &markable);
    runExercise(shell.session, 5, ExerciseKind::Questions, exercise.launch());
    EXPECT_TRUE(modalActionsDone());
    EXPECT_EQ(text, QStringLiteral("Ошибок: 3. Рекомендуется отметить упражнение как выполненное"));
    EXPECT_TRUE(markable);
    EXPECT_TRUE(shell.session.isDone(5));
    EXPECT_EQ(shell.session.progress().record(5).result(), 30);
}

TEST(FormMain, TooManyErrorsCannotBeMarkedButCanBeRepeated)
{
    TempCourse course;
    writeCourse(course);
    Shell shell;
    shell.main.ChangeUser(addUser(shell, QStringLiteral("Olga"), QStringLiteral("D")));
    FakeExercise exercise{
        {{LaunchResult::GoneThrough, {10, 4}}, {LaunchResult::GoneThrough, {10, 0}}}};
    QString first, second;
    bool firstMarkable = true, secondMarkable = false;
    answerCompletion(DialogResult::Retry, &first, &firstMarkable);
    const ExerciseLaunch run = exercise.launch();
    runExercise(shell.session, 5, ExerciseKind::Questions, [&](DrillCounts* counts) {
        // The repeated run is judged afresh in a second dialog.
        if (exercise.calls == 1)
            answerCompletion(DialogResult::Cancel, &second, &secondMarkable);
        return run(counts);
    });
    EXPECT_TRUE(modalActionsDone());
    EXPECT_EQ(exercise.calls, 2);
    EXPECT_TRUE(first.startsWith(QStringLiteral("Ошибок: 4. Вы не в достаточной мере")));
    EXPECT_FALSE(firstMarkable);
    EXPECT_TRUE(second.startsWith(QStringLiteral("Ошибок: 0.")));
    EXPECT_TRUE(secondMarkable);
    EXPECT_FALSE(shell.session.isDone(5));

    // A failed run greys the mark button's label; the next exercise of
    // another kind offers marking whole again.
    FakeExercise failed{{{LaunchResult::GoneThrough, {10, 4}}}},
        lexicon{{{LaunchResult::GoneThrough, {0, 0}}}};
    answerCompletion(DialogResult::Cancel, &first, &firstMarkable);
    runExercise(shell.session, 5, ExerciseKind::Questions, failed.launch());
    answerCompletion(DialogResult::Cancel, &second, &secondMarkable);
    runExercise(shell.session, 3, ExerciseKind::Lexicon, lexicon.launch());
    EXPECT_FALSE(firstMarkable);
    EXPECT_TRUE(secondMarkable);
}

TEST(FormMain, AnExerciseLeftEarlyGetsNoCompletionDialog)
{
    TempCourse course;
    writeCourse(course);
    Shell shell;
    FakeExercise exercise{{{LaunchResult::Left, {}}}};
    runExercise(shell.session, 3, ExerciseKind::Lexicon, exercise.launch());
    EXPECT_EQ(exercise.calls, 1);
    EXPECT_FALSE(DlgLexRepit()->isVisible());
}

TEST(FormMain, TheAnonymousUserSeesTheOutcomeButCannotMark)
{
    TempCourse course;
    writeCourse(course);
    Shell shell;
    FakeExercise exercise{{{LaunchResult::GoneThrough, {}}}};
    QString text;
    bool markable = true;
    answerCompletion(DialogResult::Cancel, &text, &markable);
    runExercise(shell.session, 3, ExerciseKind::Lexicon, exercise.launch());
    EXPECT_TRUE(modalActionsDone());
    EXPECT_EQ(text, QStringLiteral("Вы успешно выполнили упражнение."));
    EXPECT_FALSE(markable);
}

namespace {

// The entries whose nodes the view was told changed, one per notice.
std::set<int> changedEntries(const QSignalSpy& spy)
{
    std::set<int> entries;
    for (const QList<QVariant>& notice : spy) {
        const auto first = notice.at(0).value<QModelIndex>();
        EXPECT_EQ(first, notice.at(1).value<QModelIndex>());
        entries.insert(first.data(TFormMain::EntryRole).toInt());
    }
    return entries;
}

} // namespace

TEST(FormMain, RefreshAfterAnExerciseChangesOnlyTheNodesWhoseMarksChanged)
{
    TempCourse course;
    writeCourse(course);
    Shell shell;
    shell.main.ChangeUser(addUser(shell, QStringLiteral("Olga"), QStringLiteral("D")));
    QSignalSpy spy(treeOf(shell.main)->model(), &QAbstractItemModel::dataChanged);
    const auto pictureOf = [&](int entry) { return shell.node(entry)->icon(0).cacheKey(); };
    const qint64 toDo = pictureOf(4);

    // A finished and marked exercise, back in the main window (the start
    // command on a heading comes back the same way without a window).
    FakeExercise exercise{{{LaunchResult::GoneThrough, {}}}};
    QString text;
    bool markable = false;
    answerCompletion(DialogResult::OK, &text, &markable);
    runExercise(shell.session, 3, ExerciseKind::Lexicon, exercise.launch());
    shell.select(2);
    shell.main.ToolButton4Click();
    EXPECT_EQ(changedEntries(spy), std::set<int>{3});
    EXPECT_EQ(imageOfEntry(shell.main, 3), TreeImage::Done);
    EXPECT_NE(pictureOf(3), toDo);
    EXPECT_EQ(pictureOf(4), toDo);

    // A mark taken back, as deleting a recording in the report does.
    spy.clear();
    shell.main.setTreeImages(
        [&](int entry) { return entry == 3 ? TreeImage::ToDo : shell.main.treeImageOf(entry); });
    EXPECT_EQ(changedEntries(spy), std::set<int>{3});
    EXPECT_EQ(pictureOf(3), toDo);
    EXPECT_EQ(imageOfEntry(shell.main, 2), TreeImage::Heading);
    EXPECT_EQ(imageOfEntry(shell.main, 5), TreeImage::ToDo);
}
