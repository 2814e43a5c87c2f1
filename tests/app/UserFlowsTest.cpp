#include "MainWindowDriver.h"
#include "app/Launch.h"
// What a student does with users on the demo course, through the real windows:
// create a user, select it with its password, mark exercises done, change the
// mode, delete users, and start again.
#include "app/FormMain.h"
#include "app/FormProgress.h"
#include "dialogs/DlgLexRepit.h"
#include "drills/DrillLaunch.h"
#include "drills/FormExecLexicDemo.h"
#include "sound/VirtualSoundEngine.h"
#include "support/ModalDriver.h"
#include "support/TempCourse.h"
#include "users/DlgPassWord.h"
#include "users/OKBottomDlgChengeReg.h"
#include "users/OKBottomDlgNewUser.h"
#include "users/OKBottomDlgSelectUsers.h"
#include "users/UserSession.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/Memo.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// The program's long-lived windows as the start makes them, through the first show.
struct Program {
    UserSession session;
    TFormMain main{session};
    TOKBottomDlgNewUser newUser{session, &main};
    TDlgPassWord password{&main};
    TOKBottomDlgSelectUsers selectUsers{session, newUser, password, &main};
    TOKBottomDlgChengeReg* chengeReg;
    TFormProgress progress{&main};

    explicit Program(TOKBottomDlgChengeReg* modes) : chengeReg(modes)
    {
        main.setWindows({nullptr, &selectUsers, &newUser, chengeReg, &password, &progress});
        showMainWindow(main);
    }

    QTreeWidgetItem* node(int entry) { return nodeOfEntry(main, entry); }
    void select(int entry) { treeOf(main)->setCurrentItem(node(entry)); }
    TreeImage image(int entry) { return imageOfEntry(main, entry); }
    // The entries whose node shows the done picture.
    std::vector<int> doneEntries()
    {
        std::vector<int> done;
        for (QTreeWidgetItemIterator it(treeOf(main)); *it; ++it)
            if ((*it)->data(0, TFormMain::ImageRole).toInt() == int(TreeImage::Done))
                done.push_back((*it)->data(0, TFormMain::EntryRole).toInt());
        std::sort(done.begin(), done.end());
        return done;
    }
    QString title() const { return main.windowTitle(); }
};

const QString AnonymousTitle = QStringLiteral("Tolvaren Анонимный пользователь - Режим D.");
// The demo catalogue of mode D: the lexicon previews and a heading.
constexpr int PreviewLesson1 = 4;
constexpr int PreviewLesson2 = 13;
constexpr int Heading = 3;

// Types into the next password prompt and confirms or cancels it.
void typePassword(const QString& typed, const QString& button = QStringLiteral("OK"),
                  std::function<void()> then = {})
{
    whenModal([=](QWidget* window) {
        auto* prompt = qobject_cast<TDlgPassWord*>(window);
        ASSERT_TRUE(prompt) << window->metaObject()->className();
        QTest::keyClicks(prompt->EditPassWord, typed);
        if (then)
            then();
        clickButton(prompt, button);
    });
}

class UserFlows : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!builtDemoCourseReady())
            GTEST_SKIP() << "the demo course is not made: " << builtDemoCourse().toStdString();
        copyBuiltDemoCourse(course);
        VirtualSound::use();
        VirtualSound::reset();
        start();
    }
    void TearDown() override
    {
        EXPECT_TRUE(modalActionsDone());
        program.reset();
        VirtualSound::use(false);
    }

    // A start of the program; the previous one is closed as the close box does.
    void start()
    {
        if (program)
            program->main.close();
        program.reset();
        program = std::make_unique<Program>(&modes);
    }
    Program& p() { return *program; }

    // "Новое имя..." in the main window, filled in and confirmed.
    void createUser(const QString& name, const QString& password,
                    QRadioButton* TOKBottomDlgNewUser::*mode = &TOKBottomDlgNewUser::RadioButtonD)
    {
        whenModal([=, this](QWidget* window) {
            TOKBottomDlgNewUser& dialog = p().newUser;
            ASSERT_EQ(window, &dialog);
            QTest::keyClicks(dialog.EditNameUser, name);
            QTest::keyClicks(dialog.EditPassword, password);
            QTest::keyClicks(dialog.EditPassword2, password);
            (dialog.*mode)->setChecked(true);
            clickButton(&dialog, QStringLiteral("Подтверждние"));
        });
        p().main.NNewUserClick();
    }

    // "Выбрать имя..." with the row chosen and the password typed.
    void selectUser(int row, const QString& typed, std::function<void()> afterPassword = {})
    {
        answerSelection(row, typed, afterPassword);
        p().main.NSelectUserClick();
    }
    // The next user selection, answered so; `afterPassword` arranges what comes
    // after the password prompt.
    void answerSelection(int row, const QString& typed, std::function<void()> afterPassword = {})
    {
        whenModal([=, this](QWidget* window) {
            ASSERT_EQ(window, &p().selectUsers);
            p().selectUsers.ListBoxUsers->setCurrentRow(row);
            typePassword(typed, QStringLiteral("OK"), afterPassword);
            clickButton(window, QStringLiteral("Подверждение"));
        });
    }

    // Starts the lexicon preview of the entry from the tree, goes through it and
    // answers each completion dialog in turn with the next of `answers`.
    // Returns how often the preview window opened.
    using Answer = TBtnImgD1QF* TDlgLexRepit::*;
    int runPreview(int entry, std::vector<Answer> answers)
    {
        int opened = 0;
        std::function<void()> goThrough = [&] {
            whenModal([&](QWidget* window) {
                auto* form = qobject_cast<TFormExecLexicDemo*>(window);
                ASSERT_TRUE(form) << window->metaObject()->className();
                ++opened;
                EXPECT_FALSE(part<QWidget>(p().main, "PanelMain")->isVisible())
                    << "the tree hides during a run";
                EXPECT_FALSE(part<QWidget>(p().main, "CoolBar1")->isVisible());
                answerCompletion(answers, goThrough);
                for (int i = 0; i < 100 && form->isVisible(); ++i)
                    QTest::mouseClick(form->BtnImgD1QF1, Qt::LeftButton);
            });
        };
        goThrough();
        p().select(entry);
        p().main.ToolButton4Click();
        EXPECT_TRUE(modalActionsDone());
        EXPECT_TRUE(part<QWidget>(p().main, "PanelMain")->isVisible());
        EXPECT_TRUE(part<QWidget>(p().main, "CoolBar1")->isVisible());
        return opened;
    }

    // Every action runs inside runPreview's call, so the references stay valid.
    void answerCompletion(std::vector<Answer>& answers, std::function<void()>& goThrough)
    {
        whenModal([this, &answers, &goThrough](QWidget* window) {
            TDlgLexRepit* dialog = DlgLexRepit();
            ASSERT_EQ(window, dialog);
            ASSERT_FALSE(answers.empty()) << "one completion dialog too many";
            completionTexts << dialog->MemoComent->Lines().join(QLatin1Char('\n'));
            markable << dialog->BitBtnOk->isEnabled();
            const Answer answer = answers.front();
            answers.erase(answers.begin());
            if (answer == &TDlgLexRepit::BitBtn3)
                goThrough(); // the repeat opens the preview again
            if (answer)
                QTest::mouseClick(dialog->*answer, Qt::LeftButton);
            else
                QTest::mouseClick(dialog->BitBtnOk, Qt::LeftButton);
        });
    }

    QByteArray progressFile(const QString& name) const
    {
        return course.read(QStringLiteral("Report/%1/%1.rep").arg(name));
    }
    // The records of a progress file as written, blank where it is shorter.
    ProgressTable progressOnDisk(const QString& name) const
    {
        return ReadProgress(course.filePath(QStringLiteral("Report/%1/%1.rep").arg(name)),
                            entries('D'))
            .table;
    }
    static int entries(QChar mode) { return std::get<int>(catalogueEntryCount(QString(mode))); }

    TempCourse course;
    TOKBottomDlgChengeReg modes; // kept between starts: it outlives none of them
    std::unique_ptr<Program> program;
    QStringList completionTexts;
    QList<bool> markable;
};

// The completion answers: OK (marks), repeat, leave.
TBtnImgD1QF* TDlgLexRepit::*const Mark = nullptr;
TBtnImgD1QF* TDlgLexRepit::*const Repeat = &TDlgLexRepit::BitBtn3;
TBtnImgD1QF* TDlgLexRepit::*const Leave = &TDlgLexRepit::BitBtn2;

} // namespace

TEST_F(UserFlows, NewUserBecomesCurrentWithItsListRecordAndProgressFileOnDisk)
{
    createUser(QStringLiteral("Anna"), QStringLiteral("pw"));
    EXPECT_EQ(p().title(), QStringLiteral("Tolvaren Anna - Режим D."));
    EXPECT_TRUE(part<QToolButton>(p().main, "ToolButtonReport")->isEnabled());
    EXPECT_EQ(LoadUserList().table.count(), 1) << "the list is on disk at once";
    EXPECT_EQ(progressFile("Anna").size(), (entries('D') + 1) * ProgressRecord::Size);
}

TEST_F(UserFlows, AMarkedPreviewReachesTheFileAtOnceAndShowsInTheTree)
{
    createUser(QStringLiteral("Anna"), QStringLiteral("pw"));
    EXPECT_EQ(runPreview(PreviewLesson1, {Mark}), 1);
    EXPECT_EQ(completionTexts, QStringList{QStringLiteral("Вы просмотрели лексику урока.")});
    EXPECT_EQ(markable, QList<bool>{true});
    EXPECT_EQ(p().doneEntries(), std::vector<int>{PreviewLesson1});
    EXPECT_TRUE(progressOnDisk("Anna").record(PreviewLesson1).done())
        << "a mark reaches the file before the program ends";
    EXPECT_EQ(p().image(Heading), TreeImage::Heading);
    EXPECT_EQ(p().image(PreviewLesson2), TreeImage::ToDo);
}

TEST_F(UserFlows, AfterARestartOnlyTheRightPasswordBringsBackTheUsersMarks)
{
    createUser(QStringLiteral("Anna"), QStringLiteral("pw"));
    runPreview(PreviewLesson1, {Mark});
    start();
    EXPECT_EQ(p().title(), AnonymousTitle) << "every run starts with the anonymous user";
    EXPECT_TRUE(p().doneEntries().empty());
    MessageAnswers messages;
    // The wrong password is told, and the selection opens again.
    selectUser(0, QStringLiteral("wrong"), [&] { answerSelection(0, QStringLiteral("pw")); });
    EXPECT_EQ(messages.said, QStringList{QStringLiteral("Ошибка|Неправильный пароль")});
    EXPECT_EQ(p().title(), QStringLiteral("Tolvaren Anna - Режим D."));
    EXPECT_EQ(p().doneEntries(), std::vector<int>{PreviewLesson1});
}

TEST_F(UserFlows, ChangeUserWritesTheNamedUsersProgressBeforeGoingAnonymousAndReadsItBack)
{
    createUser(QStringLiteral("Anna"), QStringLiteral("a"));
    createUser(QStringLiteral("Boris"), QString(), &TOKBottomDlgNewUser::RadioButtonC);
    EXPECT_EQ(p().title(), QStringLiteral("Tolvaren Boris - Режим C."));
    EXPECT_EQ(p().main.treeMode(), QChar(u'C'));
    EXPECT_GT(treeOf(p().main)->topLevelItemCount(), 0);

    selectUser(0, QStringLiteral("a"));
    EXPECT_EQ(p().title(), QStringLiteral("Tolvaren Anna - Режим D."));
    EXPECT_EQ(runPreview(PreviewLesson1, {Mark}), 1);
    // Take the file away: the switch must write the progress, not leave it to the mark.
    ASSERT_TRUE(QFile::remove(course.filePath("Report/Anna/Anna.rep")));
    p().main.ChangeUser(-1);
    EXPECT_EQ(p().title(), AnonymousTitle);
    EXPECT_FALSE(part<QToolButton>(p().main, "ToolButtonReport")->isEnabled());
    EXPECT_EQ(p().image(PreviewLesson1), TreeImage::ToDo) << "the anonymous user has nothing done";
    EXPECT_TRUE(progressOnDisk("Anna").record(PreviewLesson1).done());
    EXPECT_EQ(progressFile("Anna").size(), (entries('D') + 1) * ProgressRecord::Size);

    // What is in the file when the user becomes current is what the tree shows.
    ProgressTable changed = progressOnDisk("Anna");
    changed.record(PreviewLesson2).setDone(true);
    ASSERT_FALSE(WriteProgress(course.filePath("Report/Anna/Anna.rep"), changed));
    selectUser(0, QStringLiteral("a"));
    EXPECT_EQ(p().doneEntries(), (std::vector<int>{PreviewLesson1, PreviewLesson2}));
    EXPECT_TRUE(part<QToolButton>(p().main, "ToolButtonReport")->isEnabled());

    // Named to named: Anna's file is written, Boris's read in his own mode.
    selectUser(1, QString());
    EXPECT_EQ(p().title(), QStringLiteral("Tolvaren Boris - Режим C."));
    EXPECT_TRUE(p().doneEntries().empty());
    EXPECT_EQ(progressFile("Boris").size(), (entries('C') + 1) * ProgressRecord::Size);
}

TEST_F(UserFlows, RetryOpensTheExerciseAgainAndOnlyTheLastDialogMarks)
{
    createUser(QStringLiteral("Anna"), QString());
    EXPECT_EQ(runPreview(PreviewLesson1, {Repeat, Repeat, Leave}), 3);
    EXPECT_EQ(completionTexts.size(), 3);
    EXPECT_EQ(markable, (QList<bool>{true, true, true}));
    EXPECT_TRUE(p().doneEntries().empty()) << "repeating and leaving mark nothing";
    EXPECT_FALSE(progressOnDisk("Anna").record(PreviewLesson1).done());

    EXPECT_EQ(runPreview(PreviewLesson1, {Repeat, Mark}), 2);
    EXPECT_EQ(p().doneEntries(), std::vector<int>{PreviewLesson1});

    // The anonymous user goes through the loop too but cannot mark.
    p().main.ChangeUser(-1);
    markable.clear();
    EXPECT_EQ(runPreview(PreviewLesson2, {Repeat, Leave}), 2);
    EXPECT_EQ(markable, (QList<bool>{false, false}));
    EXPECT_TRUE(p().doneEntries().empty());
}

TEST_F(UserFlows, ModeChangeWipesTheProgressAndTheDialogKeepsItsLastChoice)
{
    createUser(QStringLiteral("Anna"), QString());
    runPreview(PreviewLesson1, {Mark});
    auto chooseMode = [&](QRadioButton* TOKBottomDlgChengeReg::*mode, const QString& expectedShown,
                          const QString& button) {
        whenModal([=, this](QWidget* window) {
            ASSERT_EQ(window, &modes);
            EXPECT_EQ(modes.selectedMode(), expectedShown) << "the dialog shows its last choice";
            if (mode)
                (modes.*mode)->setChecked(true);
            clickButton(window, button);
        });
        p().main.NChengRegClick();
    };
    const QString confirm = QStringLiteral("Подтверждние");
    chooseMode(&TOKBottomDlgChengeReg::RadioButtonB, "A", QStringLiteral("Отмена"));
    EXPECT_EQ(p().title(), QStringLiteral("Tolvaren Anna - Режим D.")) << "cancel changes nothing";
    EXPECT_EQ(p().doneEntries(), std::vector<int>{PreviewLesson1});

    chooseMode(nullptr, "B", confirm);
    EXPECT_EQ(p().title(), QStringLiteral("Tolvaren Anna - Режим B."));
    EXPECT_EQ(p().main.treeMode(), QChar(u'B'));
    EXPECT_TRUE(p().doneEntries().empty());
    EXPECT_EQ(progressFile("Anna"), ProgressTable(entries('B')).toBytes());
    EXPECT_EQ(LoadUserList().table.at(0).mode(), "B") << "the new mode is on disk at once";

    // Back to D, mark, and confirm D again: the same mode still starts afresh.
    chooseMode(&TOKBottomDlgChengeReg::RadioButtonD, "B", confirm);
    runPreview(PreviewLesson1, {Mark});
    EXPECT_EQ(p().doneEntries(), std::vector<int>{PreviewLesson1});
    chooseMode(nullptr, "D", confirm);
    EXPECT_TRUE(p().doneEntries().empty());
    EXPECT_EQ(progressFile("Anna"), ProgressTable(entries('D')).toBytes());

    // The anonymous user's mode changes for this run only, and the dialog still
    // shows the last choice rather than the user's mode.
    p().main.ChangeUser(-1);
    chooseMode(&TOKBottomDlgChengeReg::RadioButtonA, "D", confirm);
    EXPECT_EQ(p().title(), QStringLiteral("Tolvaren Анонимный пользователь - Режим A."));
    start();
    EXPECT_EQ(p().title(), AnonymousTitle);
    chooseMode(nullptr, "A", QStringLiteral("Отмена"));
}

// Anna with a password and Boris without one, after a restart.
class Selection : public UserFlows {
protected:
    void SetUp() override
    {
        UserFlows::SetUp();
        if (IsSkipped())
            return;
        createUser(QStringLiteral("Anna"), QStringLiteral("pw"));
        createUser(QStringLiteral("Boris"), QString());
        start();
    }
};

TEST_F(Selection, CancellingThePasswordPromptChangesNothing)
{
    selectUser(0, QStringLiteral("pw"), [] {});
    whenModal([&](QWidget* window) {
        typePassword(QStringLiteral("pw"), QStringLiteral("Отмена"));
        clickButton(window, QStringLiteral("Подверждение"));
    });
    p().main.NSelectUserClick();
    EXPECT_EQ(p().title(), QStringLiteral("Tolvaren Anna - Режим D."));
}

TEST_F(Selection, AnEmptyEntryIsRightOnlyForAUserWithoutAPassword)
{
    selectUser(1, QString());
    EXPECT_EQ(p().title(), QStringLiteral("Tolvaren Boris - Режим D.")) << "empty password";

    MessageAnswers messages;
    selectUser(0, QString(), [] {
        whenModal([](QWidget* again) { clickButton(again, QStringLiteral("Отмена")); });
    });
    EXPECT_EQ(messages.said, QStringList{QStringLiteral("Ошибка|Неправильный пароль")})
        << "an empty entry is wrong for a user with a password";
    EXPECT_EQ(p().title(), QStringLiteral("Tolvaren Boris - Режим D."))
        << "leaving the selection keeps the user who stands";
}

TEST_F(UserFlows, DeletingTheUserBeforeTheCurrentOneKeepsItCurrent)
{
    createUser(QStringLiteral("Anna"), QStringLiteral("a"));
    createUser(QStringLiteral("Boris"), QStringLiteral("b"));
    runPreview(PreviewLesson1, {Mark});
    whenModal([&](QWidget* window) {
        p().selectUsers.ListBoxUsers->setCurrentRow(0);
        typePassword(QStringLiteral("a"));
        clickButton(window, QStringLiteral("Удалить имя"));
        EXPECT_EQ(p().selectUsers.ListBoxUsers->count(), 1);
        clickButton(window, QStringLiteral("Отмена"));
    });
    p().main.NSelectUserClick();
    EXPECT_EQ(p().title(), QStringLiteral("Tolvaren Boris - Режим D."));
    EXPECT_FALSE(QDir(course.filePath("Report/Anna")).exists());
    EXPECT_EQ(p().doneEntries(), std::vector<int>{PreviewLesson1});

    runPreview(PreviewLesson2, {Mark});
    start();
    selectUser(0, QStringLiteral("b"));
    EXPECT_EQ(p().title(), QStringLiteral("Tolvaren Boris - Режим D."));
    EXPECT_EQ(p().doneEntries(), (std::vector<int>{PreviewLesson1, PreviewLesson2}))
        << "Boris's marks went to Boris's file";
    EXPECT_FALSE(QDir(course.filePath("Report/Anna")).exists());
}

TEST_F(UserFlows, DeletingTheCurrentUserAndCancellingGoesAnonymousWithoutWritingItsFile)
{
    createUser(QStringLiteral("Anna"), QStringLiteral("a"));
    runPreview(PreviewLesson1, {Mark});
    whenModal([&](QWidget* window) {
        typePassword(QStringLiteral("a"));
        clickButton(window, QStringLiteral("Удалить имя"));
        clickButton(window, QStringLiteral("Отмена"));
    });
    p().main.NSelectUserClick();
    EXPECT_TRUE(course.read(UserListFile).isEmpty()) << "the deletion is on disk at once";
    EXPECT_EQ(p().title(), AnonymousTitle);
    EXPECT_FALSE(part<QToolButton>(p().main, "ToolButtonReport")->isEnabled());
    EXPECT_TRUE(p().doneEntries().empty());
    EXPECT_FALSE(QDir(course.filePath("Report/Anna")).exists())
        << "a deleted user's progress is never written again";
    p().main.close();
    EXPECT_TRUE(course.read(UserListFile).isEmpty());
    EXPECT_FALSE(QDir(course.filePath("Report/Anna")).exists());
}

// A logout while the disk is full: the close writes as the close box does, the
// failure goes to standard error (nobody would answer a message box), and the
// progress on disk stays as it was.
TEST_F(UserFlows, ASignalDuringAFailingCloseTellsStandardErrorNotAMessageBox)
{
    createUser(QStringLiteral("Anna"), QString());
    runPreview(PreviewLesson1, {Mark});
    // Cut short on disk, so that the close has a whole file to write. (A file
    // that holds the progress already is not written again.)
    course.write(QStringLiteral("Report/Anna/Anna.rep"),
                 progressFile("Anna").left(6 * ProgressRecord::Size));
    const QByteArray before = progressFile("Anna");
    bool messageShown = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            messageShown = true;
            modal->close();
        }
    });
    watch.start(20);
    QTemporaryFile errors;
    ASSERT_TRUE(errors.open());
    const int savedStderr = dup(STDERR_FILENO);
    dup2(errors.handle(), STDERR_FILENO);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = ProgressRecord::Size; // less than any progress file
    setrlimit(RLIMIT_FSIZE, &small);

    p().main.closeBySignal();

    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    dup2(savedStderr, STDERR_FILENO);
    ::close(savedStderr);
    watch.stop();
    EXPECT_FALSE(messageShown);
    errors.seek(0); // the file shares its position with the redirected stderr
    const QString told = QString::fromUtf8(errors.readAll());
    EXPECT_TRUE(told.contains("Anna.rep") && told.contains(QStringLiteral("слишком велик")))
        << told.toStdString();
    EXPECT_EQ(progressFile("Anna"), before);
}

TEST_F(UserFlows, NewUserCancelledKeepsTheCurrentUser)
{
    createUser(QStringLiteral("Anna"), QString());
    whenModal([](QWidget* window) { clickButton(window, QStringLiteral("Отмена")); });
    p().main.NNewUserClick();
    EXPECT_EQ(p().title(), QStringLiteral("Tolvaren Anna - Режим D."));
    EXPECT_EQ(LoadUserList().table.count(), 1);
}

// Anna, without a password, has marked the first preview; the program restarted.
class DamagedProgress : public UserFlows {
protected:
    void SetUp() override
    {
        UserFlows::SetUp();
        if (IsSkipped())
            return;
        createUser(QStringLiteral("Anna"), QString());
        runPreview(PreviewLesson1, {Mark});
        whole = course.read(ProgressPath);
        start();
    }
    const QString ProgressPath = QStringLiteral("Report/Anna/Anna.rep");
    QByteArray whole;
    MessageAnswers messages;
};

TEST_F(DamagedProgress, AShortFileIsToldItsMarksKeptAndTheNextWriteIsWhole)
{
    // A file that ends after entry 5: the mark of entry 4 is there, the rest is missing.
    course.write(ProgressPath, whole.left(6 * ProgressRecord::Size));
    selectUser(0, QString());
    ASSERT_EQ(messages.said.size(), 1);
    EXPECT_TRUE(messages.said[0].contains(QDir::toNativeSeparators("Report/Anna/Anna.rep")))
        << messages.said[0].toStdString();
    EXPECT_EQ(p().title(), QStringLiteral("Tolvaren Anna - Режим D."));
    EXPECT_EQ(p().doneEntries(), std::vector<int>{PreviewLesson1});
    p().main.close();
    EXPECT_EQ(course.read(ProgressPath), whole) << "the next write is whole";
}

TEST_F(DamagedProgress, AMissingFileIsToldAndWrittenAnewWithoutMarks)
{
    QFile::remove(course.filePath(ProgressPath));
    selectUser(0, QString());
    EXPECT_EQ(messages.said.size(), 1);
    EXPECT_EQ(p().title(), QStringLiteral("Tolvaren Anna - Режим D."));
    EXPECT_TRUE(p().doneEntries().empty());
    p().main.close();
    EXPECT_EQ(course.read(ProgressPath), ProgressTable(entries('D')).toBytes());
}

TEST_F(UserFlows, TrueFalseRunIsFollowedByTheCompletionDialogAndMarksAGrade)
{
    createUser(QStringLiteral("Anna"), QString());
    constexpr int TrueFalse = 10;
    QString text;
    whenModal([&](QWidget*) {
        text = DlgLexRepit()->MemoComent->Lines().join('\n');
        EXPECT_TRUE(DlgLexRepit()->BitBtnOk->isEnabled());
        QTest::mouseClick(DlgLexRepit()->BitBtnOk, Qt::LeftButton);
    });
    runExercise(p().session, TrueFalse, ExerciseKind::TrueFalse, [](DrillCounts* counts) {
        *counts = {8, 2}; // 6 of 8 right: 75 %
        return LaunchResult::GoneThrough;
    });
    EXPECT_EQ(text, QStringLiteral("Ошибок: 2. Рекомендуется отметить упражнение как выполненное"));
    EXPECT_TRUE(progressOnDisk("Anna").record(TrueFalse).done());
    EXPECT_EQ(progressOnDisk("Anna").record(TrueFalse).result(), 4);
}

TEST_F(UserFlows, PasswordsShowAStarForEachCharacter)
{
    for (QLineEdit* edit :
         {p().newUser.EditPassword, p().newUser.EditPassword2, p().password.EditPassWord}) {
        QTest::keyClicks(edit, QStringLiteral("pw1"));
        EXPECT_EQ(edit->displayText(), QStringLiteral("***")) << edit->objectName().toStdString();
    }
}

TEST_F(UserFlows, AUserRecordWithoutAModeLetterCannotBecomeCurrent)
{
    createUser(QStringLiteral("Anna"), QString());
    program.reset();
    QByteArray list = course.read(UserListFile);
    list[31] = '\0'; // the mode letter
    course.write(UserListFile, list);
    MessageAnswers messages;
    start();
    ASSERT_EQ(messages.said.size(), 1) << "the damaged record is told at the start";
    EXPECT_TRUE(messages.said[0].contains(QStringLiteral("Запись 1")))
        << messages.said[0].toStdString();
    selectUser(0, QString());
    ASSERT_EQ(messages.said.size(), 2);
    EXPECT_TRUE(messages.said[1].contains(QStringLiteral("\"Anna\"")))
        << messages.said[1].toStdString();
    EXPECT_EQ(p().title(), AnonymousTitle) << "the user who stood stays";
    EXPECT_EQ(p().main.treeMode(), QChar(u'D'));
    EXPECT_GT(treeOf(p().main)->topLevelItemCount(), 0);
}

TEST_F(UserFlows, AfterTextQuestionsWithoutQuestionsPassAndStoreZero)
{
    createUser(QStringLiteral("Anna"), QString());
    constexpr int Questions = 9;
    QString text;
    whenModal([&](QWidget*) {
        text = DlgLexRepit()->MemoComent->Lines().join('\n');
        QTest::mouseClick(DlgLexRepit()->BitBtnOk, Qt::LeftButton);
    });
    runExercise(p().session, Questions, ExerciseKind::Questions, [](DrillCounts* counts) {
        *counts = {0, 0};
        return LaunchResult::GoneThrough;
    });
    EXPECT_EQ(text, QStringLiteral("Ошибок: 0. Рекомендуется отметить упражнение как выполненное"));
    EXPECT_TRUE(progressOnDisk("Anna").record(Questions).done());
    EXPECT_EQ(progressOnDisk("Anna").record(Questions).result(), 0);
}
