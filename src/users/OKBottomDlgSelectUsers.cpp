#include "users/OKBottomDlgSelectUsers.h"

#include "dialogs/DlgMessage.h"
#include "users/DlgPassWord.h"
#include "users/OKBottomDlgNewUser.h"
#include "users/UserDialogs.h"
#include "users/UserSession.h"
#include "widgets/HelpContext.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>

TOKBottomDlgSelectUsers::TOKBottomDlgSelectUsers(UserSession& session, TOKBottomDlgNewUser& newUser,
                                                 TDlgPassWord& password, QWidget* parent)
    : QDialog(parent), ListBoxUsers(new QListWidget(this)), session_(session), newUser_(newUser),
      password_(password)
{
    setWindowTitle(QStringLiteral("Выбор имени"));
    setDialogBackground(this);
    setHelpContext(this, 30);
    ListBoxUsers->setObjectName(QStringLiteral("ListBoxUsers"));
    // Rows are one line each: a list of many thousand users is not measured row by row.
    ListBoxUsers->setUniformItemSizes(true);

    using Kind = TBtnImgD1QF::ButtonKind;
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(makeDialogButton(QStringLiteral("Подверждение"), Kind::OK, this));
    buttons->addWidget(makeDialogButton(QStringLiteral("Отмена"), Kind::Cancel, this));
    auto* add = makeDialogButton(QStringLiteral("Новое имя"), Kind::Custom, this);
    connect(add, &QPushButton::clicked, this, &TOKBottomDlgSelectUsers::Button1Click);
    buttons->addWidget(add);
    auto* remove = makeDialogButton(QStringLiteral("Удалить имя"), Kind::Custom, this);
    connect(remove, &QPushButton::clicked, this, &TOKBottomDlgSelectUsers::ButtonDelClick);
    buttons->addWidget(remove);
    buttons->addWidget(makeDialogButton(QStringLiteral("Помощь"), Kind::Help, this));

    // The names in the size of the course tree's titles, so the list reads as part of the program.
    QFont names = ListBoxUsers->font();
    names.setPixelSize(15);
    ListBoxUsers->setFont(names);
    auto* heading = new QLabel(QStringLiteral("Выберите имя"), this);
    names.setBold(true);
    heading->setFont(names);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(ListBoxUsers);
    layout->addLayout(buttons);
    resize(700, 380);

    loadProblems_ = session_.loadUserList(); // FormCreate
    fillList();
}

TOKBottomDlgSelectUsers::~TOKBottomDlgSelectUsers() = default;

void TOKBottomDlgSelectUsers::fillList()
{
    ListBoxUsers->clear();
    for (int i = 0; i < session_.users().count(); ++i)
        ListBoxUsers->addItem(userRowText(session_.users().at(i)));
    ListBoxUsers->setCurrentRow(0);
}

void TOKBottomDlgSelectUsers::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Another program on the same course may have changed the list meanwhile.
    showFileProblems(session_.refreshUserList(), FileFault::Warning);
    fillList();
    ListBoxUsers->setFocus();
}

int TOKBottomDlgSelectUsers::selectedRow() const
{
    return ListBoxUsers->currentRow();
}

std::optional<int> TOKBottomDlgSelectUsers::createUser()
{
    newUser_.StendInitial();
    if (execDialog(newUser_) != DialogResult::OK)
        return std::nullopt;
    UserSession::Added added = session_.addUser(newUser_.input());
    showFileProblems(added.messages, FileFault::Warning);
    if (added.index) {
        fillList(); // read again with the new user, others' changes included
        ListBoxUsers->setCurrentRow(*added.index);
    }
    return added.index;
}

void TOKBottomDlgSelectUsers::Button1Click()
{
    createUser();
    // Back with the list, where Enter confirms: left on "Новое имя" it would
    // open the new-user dialog again.
    ListBoxUsers->setFocus();
}

void TOKBottomDlgSelectUsers::ButtonDelClick()
{
    if (execDialog(password_) != DialogResult::OK)
        return;
    if (session_.users().isEmpty()) {
        ShowDlgMessage(QStringLiteral("Удалять больше нечего"), QString(),
                       MessageIcon::Information);
        return;
    }
    const int row = selectedRow();
    if (!session_.passwordMatches(row, password_.password())) {
        ShowDlgMessage(QStringLiteral("Неправильный пароль"), QStringLiteral("Внимание"),
                       MessageIcon::Warning);
        return;
    }
    showFileProblems(session_.deleteUser(row), FileFault::Warning);
    fillList();
    // A row stays selected, so that OK and the next deletion have a user.
    ListBoxUsers->setCurrentRow(std::min(row, ListBoxUsers->count() - 1));
}

std::optional<int> selectUser(TOKBottomDlgSelectUsers& dialog, TDlgPassWord& password,
                              UserSession& session)
{
    // A deleted current user, or one created here, leaves the main window
    // showing a user that no longer stands: leaving then goes anonymous.
    auto leave = [&]() -> std::optional<int> {
        return session.currentValid() ? std::nullopt : std::optional<int>(-1);
    };
    for (;;) {
        if (execDialog(dialog) != DialogResult::OK)
            return leave();
        if (session.users().isEmpty()) {
            ShowDlgMessage(QStringLiteral("Нет ни одного имени"), QStringLiteral("Ошибка"),
                           MessageIcon::Error);
            continue;
        }
        // A user who still stands stays current when the password is cancelled;
        // only a deleted current user gives way.
        if (execDialog(password) != DialogResult::OK)
            return session.currentIndex() < 0 ? leave() : std::nullopt;
        const int row = dialog.selectedRow();
        if (session.passwordMatches(row, password.password()))
            return row;
        ShowDlgMessage(QStringLiteral("Неправильный пароль"), QStringLiteral("Ошибка"),
                       MessageIcon::Error);
    }
}

std::optional<int> newUser(TOKBottomDlgSelectUsers& dialog)
{
    return dialog.createUser();
}
