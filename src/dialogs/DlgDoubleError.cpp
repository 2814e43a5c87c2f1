#include "dialogs/DlgDoubleError.h"

#include "dialogs/SharedDialogs.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/Look.h"
#include "widgets/Memo.h"

TDlgDoubleError::TDlgDoubleError(QWidget* parent)
    : TDlgFrame({495, 212}, QStringLiteral("Ошибка"), parent), Memo1(new TMemo(this)),
      MemoTrueQuest(new TMemo(this)),
      BtnImgD1QF1(makeButton(QStringLiteral("OK"), {242, 167}, DialogResult::OK))
{
    setObjectName(QStringLiteral("DlgDoubleError"));
    setTextArea({96, 16, 383, 136});
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(toWindow({100, 20, 375, 30}));
    Memo1->setFittedFont(look::arial(16, false));
    Memo1->SetAlignment(Qt::AlignHCenter);
    Memo1->SetTextColor(Qt::red);
    Memo1->Add(QStringLiteral("Вы ошиблись. Правильный ответ:"));

    MemoTrueQuest->setObjectName(QStringLiteral("MemoTrueQuest"));
    MemoTrueQuest->setGeometry(toWindow({100, 54, 375, 94}));
    MemoTrueQuest->setFittedFont(look::arial(16, true));
    MemoTrueQuest->SetAlignment(Qt::AlignHCenter);

    BtnImgD1QF1->setObjectName(QStringLiteral("BtnImgD1QF1"));
    BtnImgD1QF1->SetDefault(true);
}

void TDlgDoubleError::SetMdText(const QString& text)
{
    MemoTrueQuest->Clear();
    MemoTrueQuest->Add(text);
}

void TDlgDoubleError::ShowMdText(const QString& text)
{
    SetMdText(text);
    exec();
}

TDlgLexicError::TDlgLexicError(QWidget* parent) : TDlgDoubleError(parent)
{
    setObjectName(QStringLiteral("DlgLexicError"));
    // The answer here is Russian: where Arial is missing, fall back on
    // families known to carry Cyrillic rather than on whatever comes first.
    QFont font = look::arial(16, true);
    font.setFamilies(
        {look::faceName(), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    MemoTrueQuest->setFittedFont(font);
}

TDlgDoubleError* DlgDoubleError()
{
    return sharedDialog<TDlgDoubleError>();
}

TDlgLexicError* DlgLexicError()
{
    return sharedDialog<TDlgLexicError>();
}
