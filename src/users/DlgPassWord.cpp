#include "users/DlgPassWord.h"

#include "users/UserDialogs.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

TDlgPassWord::TDlgPassWord(QWidget* parent) : QDialog(parent), EditPassWord(makePasswordEdit(this))
{
    setWindowTitle(QStringLiteral("Пароль"));
    setDialogBackground(this);
    EditPassWord->setObjectName(QStringLiteral("EditPassWord"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(makeDialogButton(QStringLiteral("OK"), TBtnImgD1QF::ButtonKind::OK, this));
    buttons->addWidget(
        makeDialogButton(QStringLiteral("Отмена"), TBtnImgD1QF::ButtonKind::Cancel, this));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(EditPassWord);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo({300, 0}));
}

QString TDlgPassWord::password() const
{
    return EditPassWord->text();
}

void TDlgPassWord::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    EditPassWord->clear();
    EditPassWord->setFocus();
}
