#pragma once

#include "common/CourseError.h"

#include <QDialog>
#include <optional>

class QListWidget;
class TDlgPassWord;
class TOKBottomDlgNewUser;
class UserSession;

// The user selection dialog. Creating it loads the user list; it adds and
// deletes users itself, and its OK names the selected row.
class TOKBottomDlgSelectUsers : public QDialog {
    Q_OBJECT
public:
    TOKBottomDlgSelectUsers(UserSession& session, TOKBottomDlgNewUser& newUser,
                            TDlgPassWord& password, QWidget* parent = nullptr);
    ~TOKBottomDlgSelectUsers() override; // FormDestroy: writes the list

    // Runs the new-user dialog and adds the user; its index when one was added.
    std::optional<int> createUser();
    int selectedRow() const;
    // Problems met while loading the list at creation, for the main window to show.
    const QList<CourseError>& LoadProblems() const { return loadProblems_; }

    QListWidget* ListBoxUsers;

protected:
    void showEvent(QShowEvent* event) override; // FormShow

private:
    void Button1Click();
    void ButtonDelClick();
    void fillList();

    UserSession& session_;
    TOKBottomDlgNewUser& newUser_;
    TDlgPassWord& password_;
    QList<CourseError> loadProblems_;
};

// The main window's "Выбрать имя...": the selection with its password, again
// until it is cancelled or right. The index to make current (-1 for the
// anonymous user), or nothing when the current user stays.
std::optional<int> selectUser(TOKBottomDlgSelectUsers& dialog, TDlgPassWord& password,
                              UserSession& session);

// The main window's "Новое имя...": the index of the created user, who becomes
// current without a password; nothing when the dialog was cancelled.
std::optional<int> newUser(TOKBottomDlgSelectUsers& dialog);
