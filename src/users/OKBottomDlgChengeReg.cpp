#include "users/OKBottomDlgChengeReg.h"

#include "dialogs/DlgMessage.h"
#include "users/UserDialogs.h"
#include "users/UserSession.h"
#include "widgets/HelpContext.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace {
QPlainTextEdit* readOnlyMemo(const QStringList& lines, QWidget* parent)
{
    // The lines were cut for the classic font; as one paragraph they wrap to
    // whatever font the system gives.
    auto* memo = new QPlainTextEdit(lines.join(QString()), parent);
    memo->setReadOnly(true);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setFocusPolicy(Qt::NoFocus);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setFixedHeight(memo->fontMetrics().lineSpacing() * int(lines.size() + 1) + 8);
    return memo;
}
} // namespace

TOKBottomDlgChengeReg::TOKBottomDlgChengeReg(QWidget* parent)
    : QDialog(parent), RadioButtonA(new QRadioButton(QStringLiteral("A"))),
      RadioButtonB(new QRadioButton(QStringLiteral("B"))),
      RadioButtonC(new QRadioButton(QStringLiteral("C"))),
      RadioButtonD(new QRadioButton(QStringLiteral("D")))
{
    setWindowTitle(QStringLiteral("Изменить режим"));
    setHelpContext(this, 40);
    setFixedSize(627, 399);
    setDialogBackground(this);
    RadioButtonA->setChecked(true);

    using Kind = TBtnImgD1QF::ButtonKind;
    BtnImgD1QF1 = makeDialogButton(QStringLiteral("Подтверждние"), Kind::OK, this);
    BtnImgD1QF2 = makeDialogButton(QStringLiteral("Отмена"), Kind::Cancel, this);
    BtnImgD1QF3 = makeDialogButton(QStringLiteral("Помощь"), Kind::Help, this);

    auto* warning = new QHBoxLayout;
    auto* attention = new QLabel(QStringLiteral("Внимание !!!"), this);
    attention->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    warning->addWidget(attention, 0, Qt::AlignTop);
    warning->addWidget(readOnlyMemo({QStringLiteral("При изменении режима информация о ранее "
                                                    "выполненных "),
                                     QStringLiteral("упражнениях будет удалена.")},
                                    this),
                       1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (TBtnImgD1QF* button : {BtnImgD1QF1, BtnImgD1QF2, BtnImgD1QF3})
        buttons->addWidget(button);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(warning);
    layout->addWidget(makeModeGroup({RadioButtonA, RadioButtonB, RadioButtonC, RadioButtonD}, this),
                      1);
    layout->addLayout(buttons);
}

void TOKBottomDlgChengeReg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The keyboard starts on the chosen mode, so the arrows change the mode
    // and Enter confirms it; on a button the arrows would walk to "Помощь".
    for (QRadioButton* radio : {RadioButtonA, RadioButtonB, RadioButtonC, RadioButtonD})
        if (radio->isChecked())
            radio->setFocus();
}

QString TOKBottomDlgChengeReg::selectedMode() const
{
    for (QRadioButton* radio : {RadioButtonA, RadioButtonB, RadioButtonC, RadioButtonD})
        if (radio->isChecked())
            return radio->text();
    return QStringLiteral("A");
}

bool changeWorkMode(TOKBottomDlgChengeReg& dialog, UserSession& session)
{
    if (execDialog(dialog) != DialogResult::OK)
        return false;
    showFileProblems(session.changeMode(dialog.selectedMode()), FileFault::Warning);
    return true;
}
