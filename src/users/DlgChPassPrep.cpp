#include "users/DlgChPassPrep.h"

#include "dialogs/DlgMessage.h"
#include "users/TeacherPassword.h"
#include "users/UserDialogs.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>

TDlgChPassPrep::TDlgChPassPrep(QWidget* parent)
    : QDialog(parent), Edit1(makePasswordEdit(this)), Edit2(makePasswordEdit(this))
{
    setWindowTitle(QStringLiteral("Изменить преподавательский пароль"));
    setDialogBackground(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2->setObjectName(QStringLiteral("Edit2"));

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Пароль"), Edit1);
    fields->addRow(QStringLiteral("Подтверждение пароля"), Edit2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(
        makeDialogButton(QStringLiteral("Подтверждние"), TBtnImgD1QF::ButtonKind::OK, this));
    buttons->addWidget(
        makeDialogButton(QStringLiteral("Отмена"), TBtnImgD1QF::ButtonKind::Cancel, this));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addLayout(fields);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo({420, 0}));
}

void TDlgChPassPrep::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Edit1->clear();
    Edit2->clear();
    Edit1->setFocus();
}

void TDlgChPassPrep::done(int result)
{
    if (dialogResult(result) == DialogResult::OK) {
        if (auto fault = checkTeacherPassword(Edit1->text(), Edit2->text())) {
            ShowDlgMessage(*fault, QStringLiteral("Ошибка"), MessageIcon::Warning);
            return;
        }
        if (auto fault = storeTeacherPassword(Edit1->text())) {
            ShowDlgMessage(*fault, QStringLiteral("Ошибка"), MessageIcon::Error);
            return;
        }
    }
    QDialog::done(result);
}
