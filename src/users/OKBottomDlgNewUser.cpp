#include "users/OKBottomDlgNewUser.h"

#include "dialogs/DlgMessage.h"
#include "users/UserDialogs.h"
#include "users/UserSession.h"
#include "widgets/HelpContext.h"

#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

TOKBottomDlgNewUser::TOKBottomDlgNewUser(const UserSession& session, QWidget* parent)
    : QDialog(parent), EditNameUser(new QLineEdit(this)), EditPassword(makePasswordEdit(this)),
      EditPassword2(makePasswordEdit(this)), EditFileName(new QLineEdit(this)),
      RadioButtonA(new QRadioButton(QStringLiteral("A"), this)),
      RadioButtonB(new QRadioButton(QStringLiteral("B"), this)),
      RadioButtonC(new QRadioButton(QStringLiteral("C"), this)),
      RadioButtonD(new QRadioButton(QStringLiteral("D"), this)), session_(session)
{
    setWindowTitle(QStringLiteral("Новое имя"));
    setDialogBackground(this);
    setHelpContext(this, 20);
    EditFileName->setReadOnly(true);
    EditNameUser->installEventFilter(this);
    connect(EditNameUser, &QLineEdit::textChanged, this, &TOKBottomDlgNewUser::EditNameUserChange);

    auto* browse =
        makeDialogButton(QStringLiteral("Обзор..."), TBtnImgD1QF::ButtonKind::Custom, this);
    connect(browse, &QPushButton::clicked, this, &TOKBottomDlgNewUser::BitBtn1Click);
    auto* file = new QHBoxLayout;
    file->addWidget(EditFileName, 1);
    file->addWidget(browse);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Имя нового пользователя"), EditNameUser);
    fields->addRow(QStringLiteral("Пароль"), EditPassword);
    fields->addRow(QStringLiteral("Подтверждение пароля"), EditPassword2);
    // The file row is as high as its browse button; its label stands level with the path.
    auto* fileLabel = new QLabel(QStringLiteral("Имя файла отчета"), this);
    fileLabel->setMinimumHeight(browse->height());
    fields->addRow(fileLabel, file);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(
        makeDialogButton(QStringLiteral("Подтверждние"), TBtnImgD1QF::ButtonKind::OK, this));
    buttons->addWidget(
        makeDialogButton(QStringLiteral("Отмена"), TBtnImgD1QF::ButtonKind::Cancel, this));
    buttons->addWidget(
        makeDialogButton(QStringLiteral("Помощь"), TBtnImgD1QF::ButtonKind::Help, this));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(
        makeModeGroup({RadioButtonA, RadioButtonB, RadioButtonC, RadioButtonD}, this));
    layout->addLayout(buttons);
    setMinimumWidth(680); // the whole progress file path in view
    StendInitial();
}

void TOKBottomDlgNewUser::StendInitial()
{
    EditNameUser->clear();
    EditPassword->clear();
    EditPassword2->clear();
    EditFileName->setText(defaultReportFolder(QDir::currentPath()));
    RadioButtonA->setChecked(true);
}

NewUserInput TOKBottomDlgNewUser::input() const
{
    QString mode = QStringLiteral("A");
    for (QRadioButton* radio : {RadioButtonA, RadioButtonB, RadioButtonC, RadioButtonD})
        if (radio->isChecked())
            mode = radio->text();
    return {EditNameUser->text(), EditPassword->text(), EditPassword2->text(), EditFileName->text(),
            mode};
}

void TOKBottomDlgNewUser::done(int result)
{
    if (dialogResult(result) == DialogResult::OK) {
        if (auto message = checkNewUser(input(), session_.users())) {
            ShowDlgMessage(*message, QStringLiteral("Ошибка"), MessageIcon::Warning);
            return;
        }
    }
    QDialog::done(result);
}

void TOKBottomDlgNewUser::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The dialog would give the focus back to whatever had it when it last
    // closed, often the button that cancelled it; each use starts with the name.
    EditNameUser->setFocus();
}

bool TOKBottomDlgNewUser::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == EditNameUser && event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        // Control keys (Enter, Escape, shortcuts) keep their work in the dialog;
        // only typed characters are filtered.
        if (!text.isEmpty() && text[0].unicode() >= 32 && !nameKeyAccepted(text[0].unicode()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TOKBottomDlgNewUser::EditNameUserChange()
{
    EditFileName->setText(defaultProgressPath(QDir::currentPath(), EditNameUser->text()));
}

void TOKBottomDlgNewUser::BitBtn1Click()
{
    // Made on first use: a file dialog costs more to build than the rest of
    // the start-up windows together, and most runs never browse.
    if (!SaveDialog1) {
        SaveDialog1 = new QFileDialog(this);
        SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
        SaveDialog1->setOptions(QFileDialog::DontUseNativeDialog |
                                QFileDialog::DontConfirmOverwrite);
        SaveDialog1->setSizeGripEnabled(true);
    }
    SaveDialog1->setNameFilter(QStringLiteral("Файлы установок (*.rep)"));
    if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty())
        return;
    EditFileName->setText(browsedProgressPath(SaveDialog1->selectedFiles().constFirst()));
}
