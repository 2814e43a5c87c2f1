#include "support/ModalDriver.h"
#include "support/TempCourse.h"
#include "users/DlgPassWord.h"
#include "users/OKBottomDlgChengeReg.h"
#include "users/OKBottomDlgNewUser.h"
#include "users/OKBottomDlgSelectUsers.h"
#include "users/UserSession.h"
#include "widgets/DialogResult.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {
void typePassword(const QString& typed, const QString& button = "OK",
                  std::function<void()> then = {})
{
    whenModal([=](QWidget* window) {
        if (then)
            then();
        auto* dialog = qobject_cast<TDlgPassWord*>(window);
        ASSERT_TRUE(dialog);
        EXPECT_TRUE(dialog->EditPassWord->text().isEmpty()) << "emptied on show";
        QTest::keyClicks(dialog->EditPassWord, typed);
        clickButton(dialog, button);
    });
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        course.writeLines("InitRegA.txt",
                          {"h\t1\t0\t0\t\t0\t\t\t\t\t", "e\t1\t1\t0\t\t1\t\t\t\t\t"});
        course.writeLines("InitRegB.txt", {"h\t1\t0\t0\t\t0\t\t\t\t\t", "e\t1\t1\t0\t\t1\t\t\t\t\t",
                                           "f\t1\t1\t0\t\t2\t\t\t\t\t"});
    }
    void TearDown() override { EXPECT_TRUE(modalActionsDone()); }

    // Fills the new-user dialog when it appears and confirms it.
    void fillNewUser(const QString& name, const QString& password,
                     QRadioButton* (*mode)(TOKBottomDlgNewUser&))
    {
        whenModal([=](QWidget* window) {
            auto& dialog = *qobject_cast<TOKBottomDlgNewUser*>(window);
            QTest::keyClicks(dialog.EditNameUser, name);
            dialog.EditPassword->setText(password);
            dialog.EditPassword2->setText(password);
            mode(dialog)->setChecked(true);
            clickButton(&dialog, QStringLiteral("Подтверждние"));
        });
    }

    void addUser(TOKBottomDlgSelectUsers& select, const QString& name, const QString& password)
    {
        fillNewUser(name, password, [](TOKBottomDlgNewUser& d) { return d.RadioButtonB; });
        ASSERT_TRUE(select.createUser().has_value());
    }

    TempCourse course;
    UserSession session;
    MessageAnswers messages;
    TDlgPassWord password;
    TOKBottomDlgNewUser newUser{session};
    TOKBottomDlgSelectUsers select{session, newUser, password};
};
} // namespace

TEST_F(Dialogs, NewUserDialogResetsFiltersKeysAndNamesTheFile)
{
    newUser.EditNameUser->setText("old");
    newUser.RadioButtonC->setChecked(true);
    newUser.StendInitial();
    EXPECT_EQ(newUser.EditNameUser->text(), "");
    EXPECT_EQ(newUser.EditFileName->text(),
              QDir::toNativeSeparators(QDir::currentPath() + "/Report"));
    EXPECT_TRUE(newUser.RadioButtonA->isChecked());
    EXPECT_TRUE(newUser.EditFileName->isReadOnly());
    EXPECT_EQ(newUser.EditPassword->echoMode(), QLineEdit::Password);

    QTest::keyClicks(newUser.EditNameUser, "Iv");
    QKeyEvent cyrillic(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("ж"));
    QApplication::sendEvent(newUser.EditNameUser, &cyrillic);
    QTest::keyClicks(newUser.EditNameUser, " a~n");
    EXPECT_EQ(newUser.EditNameUser->text(), "Iv a~n") << "a Cyrillic key is dropped";
    QTest::keyClick(newUser.EditNameUser, Qt::Key_Backspace);
    EXPECT_EQ(newUser.EditFileName->text(),
              QDir::toNativeSeparators(QDir::currentPath() + "/Report/Iv a~/Iv a~.rep"));
}

TEST_F(Dialogs, NewUserDialogStaysOpenUntilTheInputPasses)
{
    whenModal([&](QWidget* window) {
        clickButton(window, QStringLiteral("Подтверждние"));
        EXPECT_TRUE(window->isVisible());
        QTest::keyClicks(newUser.EditNameUser, "Olga");
        newUser.EditPassword->setText("a");
        clickButton(window, QStringLiteral("Подтверждние"));
        newUser.EditPassword2->setText("a");
        clickButton(window, QStringLiteral("Подтверждние"));
    });
    newUser.StendInitial();
    EXPECT_EQ(execDialog(newUser), DialogResult::OK);
    EXPECT_EQ(messages.said, (QStringList{QStringLiteral("Ошибка|Не введено имя пользователя"),
                                          QStringLiteral("Ошибка|Не подтвержден пароль")}));
}

TEST_F(Dialogs, NewUserDialogTakesTheNameAtOnceAfterACancel)
{
    // Cancelled with the mouse, opened again: the student just types and
    // presses Enter.
    whenModal([](QWidget* window) { clickButton(window, QStringLiteral("Отмена")); });
    EXPECT_FALSE(select.createUser().has_value());
    whenModal([&](QWidget* window) {
        QWidget* typing = window->focusWidget() ? window->focusWidget() : window;
        QTest::keyClicks(typing, "Olga");
        EXPECT_EQ(newUser.EditNameUser->text(), "Olga");
        if (typing == newUser.EditNameUser)
            QTest::keyClick(typing, Qt::Key_Return);
        else
            clickButton(window, QStringLiteral("Отмена"));
    });
    EXPECT_TRUE(select.createUser().has_value());
    ASSERT_EQ(session.users().count(), 1);
    EXPECT_EQ(session.users().at(0).name(), "Olga");
}

TEST_F(Dialogs, BrowsingAddsTheExtensionOnlyToANameWithoutDot)
{
    auto browse = [&](const QString& chosen) {
        whenModal([=](QWidget* window) {
            auto* files = qobject_cast<QFileDialog*>(window);
            ASSERT_TRUE(files);
            EXPECT_EQ(files->nameFilters(), QStringList{QStringLiteral("Файлы установок (*.rep)")});
            files->selectFile(chosen);
            static_cast<QDialog*>(files)->accept(); // as its Save button does
        });
        clickButton(&newUser, QStringLiteral("Обзор..."));
    };
    newUser.show();
    browse(course.filePath("progress"));
    EXPECT_EQ(newUser.EditFileName->text(),
              QDir::toNativeSeparators(course.filePath("progress.rep")));
    QDir().mkdir(course.filePath("my.folder"));
    browse(course.filePath("my.folder/progress"));
    EXPECT_EQ(newUser.EditFileName->text(),
              QDir::toNativeSeparators(course.filePath("my.folder/progress")));
    newUser.hide();
}

TEST_F(Dialogs, UserCreatedInTheSelectionThenCancelledGoesAnonymousButNotACancelledPassword)
{
    session.changeUser(-1);
    session.setCurrentValid(true);
    whenModal([&](QWidget* window) {
        fillNewUser("Olga", "", [](TOKBottomDlgNewUser& d) { return d.RadioButtonB; });
        clickButton(window, QStringLiteral("Новое имя"));
        EXPECT_EQ(select.ListBoxUsers->count(), 1);
        EXPECT_EQ(select.ListBoxUsers->currentItem()->text(), QStringLiteral("Olga - Режим B"));
        clickButton(window, QStringLiteral("Отмена"));
    });
    EXPECT_EQ(selectUser(select, password, session), std::optional<int>(-1));
    EXPECT_EQ(course.read("Report/Olga/Olga.rep").size(), 4 * 264);

    session.changeUser(0);
    whenModal([&](QWidget* window) {
        fillNewUser("Max", "", [](TOKBottomDlgNewUser& d) { return d.RadioButtonB; });
        clickButton(window, QStringLiteral("Новое имя"));
        typePassword("", QStringLiteral("Отмена"));
        clickButton(window, QStringLiteral("Подверждение"));
    });
    EXPECT_EQ(selectUser(select, password, session), std::nullopt)
        << "a cancelled password leaves the standing user current";
}

// After "Новое имя" the keys are the list's again, and Enter confirms the
// new user instead of opening the new-user dialog once more.
TEST_F(Dialogs, EnterAfterANewUserConfirmsIt)
{
    session.setCurrentValid(true);
    whenModal([&](QWidget* window) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        fillNewUser("Olga", "", [](TOKBottomDlgNewUser& d) { return d.RadioButtonB; });
        clickButton(window, QStringLiteral("Новое имя"));
        // Back to the dialog, as the desktop brings the student back.
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        EXPECT_EQ(QApplication::focusWidget(), select.ListBoxUsers);
        typePassword("");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(selectUser(select, password, session), std::optional<int>(0));
}

TEST_F(Dialogs, SelectingAsksThePasswordAgainUntilItIsRight)
{
    addUser(select, "Anna", "");
    addUser(select, "Olga", "secret");
    whenModal([&](QWidget* window) {
        select.ListBoxUsers->setCurrentRow(1);
        auto selectAgain = [&] {
            whenModal([&](QWidget* again) {
                EXPECT_EQ(select.selectedRow(), 0) << "the list starts at its first row again";
                select.ListBoxUsers->setCurrentRow(1);
                typePassword("secret");
                clickButton(again, QStringLiteral("Подверждение"));
            });
        };
        typePassword("wrong", "OK", selectAgain);
        clickButton(window, QStringLiteral("Подверждение"));
    });
    EXPECT_EQ(selectUser(select, password, session), std::optional<int>(1));
    EXPECT_EQ(messages.said, QStringList{QStringLiteral("Ошибка|Неправильный пароль")});

    whenModal([&](QWidget* window) {
        typePassword("");
        clickButton(window, QStringLiteral("Подверждение"));
    });
    EXPECT_EQ(selectUser(select, password, session), std::optional<int>(0)) << "empty password";
}

TEST_F(Dialogs, ConfirmingAnEmptyListSaysSoAndCancellingKeepsAStandingUser)
{
    session.setCurrentValid(true);
    whenModal([&](QWidget* window) {
        whenModal([](QWidget* again) { clickButton(again, QStringLiteral("Отмена")); });
        clickButton(window, QStringLiteral("Подверждение"));
    });
    EXPECT_EQ(selectUser(select, password, session), std::nullopt);
    EXPECT_EQ(messages.said, QStringList{QStringLiteral("Ошибка|Нет ни одного имени")});
}

TEST_F(Dialogs, DeletingNeedsTheUsersPasswordAndRemovesItsFiles)
{
    addUser(select, "Anna", "a");
    addUser(select, "Olga", "o");
    session.changeUser(1);
    select.show();
    select.ListBoxUsers->setCurrentRow(0);

    typePassword("o");
    clickButton(&select, QStringLiteral("Удалить имя"));
    EXPECT_EQ(select.ListBoxUsers->count(), 2);
    EXPECT_EQ(messages.said, QStringList{QStringLiteral("Внимание|Неправильный пароль")});

    typePassword("a", QStringLiteral("Отмена"));
    clickButton(&select, QStringLiteral("Удалить имя"));
    EXPECT_EQ(select.ListBoxUsers->count(), 2);

    typePassword("a");
    clickButton(&select, QStringLiteral("Удалить имя"));
    ASSERT_EQ(select.ListBoxUsers->count(), 1);
    EXPECT_EQ(select.ListBoxUsers->item(0)->text(), QStringLiteral("Olga - Режим B"));
    EXPECT_FALSE(QDir(course.filePath("Report/Anna")).exists());
    EXPECT_EQ(session.currentIndex(), 0) << "Olga is still current";
    EXPECT_TRUE(session.currentValid());

    typePassword("o");
    clickButton(&select, QStringLiteral("Удалить имя"));
    EXPECT_EQ(session.currentIndex(), -1);
    typePassword("");
    clickButton(&select, QStringLiteral("Удалить имя"));
    EXPECT_EQ(messages.said.last(), QStringLiteral("|Удалять больше нечего"));
    select.hide();

    whenModal([](QWidget* window) { clickButton(window, QStringLiteral("Отмена")); });
    EXPECT_EQ(selectUser(select, password, session), std::optional<int>(-1))
        << "the deleted current user gives way to the anonymous user";
    EXPECT_EQ(LoadUserList().table.count(), 0);
}

TEST_F(Dialogs, ModeDialogKeepsItsLastChoiceAndAChangeWipesProgress)
{
    TOKBottomDlgChengeReg modes;
    EXPECT_EQ(modes.size(), QSize(627, 399));
    EXPECT_EQ(modes.selectedMode(), "A");

    addUser(select, "Olga", "");
    session.changeUser(0);
    session.markDone(2, ExerciseKind::LexiconPreview, {});
    whenModal([&](QWidget* window) {
        modes.RadioButtonB->setChecked(true);
        clickButton(window, QStringLiteral("Отмена"));
    });
    EXPECT_FALSE(changeWorkMode(modes, session));
    EXPECT_TRUE(session.isDone(2)) << "cancel loses nothing";

    whenModal([&](QWidget* window) {
        EXPECT_TRUE(modes.RadioButtonB->isChecked()) << "the last choice, not the user's mode";
        clickButton(window, QStringLiteral("Подтверждние"));
    });
    EXPECT_TRUE(changeWorkMode(modes, session));
    session.changeUser(session.currentIndex());
    EXPECT_EQ(session.title(), QStringLiteral("Tolvaren Olga - Режим B."));
    EXPECT_FALSE(session.isDone(2));
    EXPECT_EQ(course.read("Report/Olga/Olga.rep"), ProgressTable(3).toBytes());
}

TEST_F(Dialogs, WorkModeIsChosenByArrowsAndConfirmedByEnter)
{
    TOKBottomDlgChengeReg modes;
    whenModal([](QWidget* window) {
        // Keys go where the student's keys would: to the focus of the active window.
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return})
            QTest::keyClick(QApplication::focusWidget(), key);
    });
    EXPECT_TRUE(changeWorkMode(modes, session));
    EXPECT_EQ(modes.selectedMode(), "C");
}
