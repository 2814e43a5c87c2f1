#include "dialogs/DlgLexRepit.h"

#include "dialogs/SharedDialogs.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/ButtonPictures.h"
#include "widgets/FitText.h"
#include "widgets/Look.h"
#include "widgets/Memo.h"
#include "widgets/PicturePaths.h"

#include <QKeyEvent>
#include <QLabel>

namespace {

constexpr int rowTop[3] = {106, 146, 186};
constexpr int rowHeight = 36;
} // namespace

TDlgLexRepit::TDlgLexRepit(QWidget* parent)
    : TDlgFrame({459, 227}, QStringLiteral("Результаты"), parent), MemoComent(new TMemo(this)),
      Label1(new QLabel(QStringLiteral("Сейчас вы можете:"), this)),
      Label2(new QLabel(QStringLiteral("Отметить упражнение как выполненное"), this)),
      Label3(new QLabel(QStringLiteral("Повторить упражнение еще раз"), this)),
      Label4(new QLabel(QStringLiteral("Просто выйти из упражнения"), this)),
      BitBtnOk(new TBtnImgTransD1QF(this)), BitBtn3(new TBtnImgD1QF(this)),
      BitBtn2(new TBtnImgD1QF(this))
{
    setObjectName(QStringLiteral("DlgLexRepit"));
    // Tall enough for the longest outcome, the failed questions' three lines.
    setTextArea({96, 8, 347, 72});
    MemoComent->setObjectName(QStringLiteral("MemoComent"));
    MemoComent->setGeometry(toWindow({100, 10, 339, 68}));
    MemoComent->setFittedFont(look::arial(16, true));
    MemoComent->SetAlignment(Qt::AlignHCenter);
    MemoComent->Add(QStringLiteral("Вы просмотрели лексику урока."));

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(toWindow({96, 82, 347, 22}));
    fitLabelsWhenShown({Label1}, look::arial(15, true));

    QLabel* choices[3] = {Label2, Label3, Label4};
    const char* names[3] = {"Label2", "Label3", "Label4"};
    for (int i = 0; i < 3; ++i) {
        choices[i]->setObjectName(QString::fromLatin1(names[i]));
        choices[i]->setGeometry(toWindow({146, rowTop[i], 297, rowHeight}));
    }
    fitLabelsWhenShown({Label2, Label3, Label4}, look::arial(15, false));

    BitBtnOk->setObjectName(QStringLiteral("BitBtnOk"));
    BitBtnOk->setText(QStringLiteral("Отметить"));
    dressButton(*BitBtnOk, symbolButtonPictures(QString::fromLatin1(pictures::symbolCheck)));
    BitBtnOk->move(toWindow({100, rowTop[0], 36, 36}).topLeft());
    connect(BitBtnOk, &TBtnImgTransD1QF::clicked, this, &TDlgLexRepit::BitBtnOkClick);

    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->SetCaption(QStringLiteral("Повторить"));
    dressButton(*BitBtn3, symbolButtonPictures(QString::fromLatin1(pictures::symbolRepeat)));
    BitBtn3->move(toWindow({100, rowTop[1], 36, 36}).topLeft());
    BitBtn3->SetModalResult(DialogResult::Retry);

    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->SetCaption(QStringLiteral("Выйти"));
    dressButton(*BitBtn2, symbolButtonPictures(QString::fromLatin1(pictures::symbolLeave)));
    BitBtn2->move(toWindow({100, rowTop[2], 36, 36}).topLeft());
    BitBtn2->SetModalResult(DialogResult::Cancel);
    BitBtn2->SetCancel(true);
    // Tab reaches each choice and Space takes it; Enter keeps the dialog's
    // own meaning (keyPressEvent), whichever button has the focus.
    for (TBtnImgD1QF* button : {BitBtn3, BitBtn2})
        button->setAutoDefault(false);
    // A screen reader names each button by the choice written beside it.
    BitBtnOk->setAccessibleName(Label2->text());
    BitBtn3->setAccessibleName(Label3->text());
    BitBtn2->setAccessibleName(Label4->text());
    setTabOrder(BitBtnOk, BitBtn3);
    setTabOrder(BitBtn3, BitBtn2);
}

void TDlgLexRepit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        TDlgFrame::keyPressEvent(event);
        return;
    }
    if (BitBtnOk->isEnabled())
        BitBtnOkClick();
    else
        closeDialog(*this, DialogResult::Cancel);
}

void TDlgLexRepit::setOutcome(const QString& text, bool markable)
{
    BitBtnOk->setEnabled(markable);
    Label2->setEnabled(markable);
    MemoComent->Clear();
    MemoComent->Add(text);
}

void TDlgLexRepit::BitBtnOkClick()
{
    closeDialog(*this, DialogResult::OK);
}

TDlgLexRepit* DlgLexRepit()
{
    return sharedDialog<TDlgLexRepit>();
}
