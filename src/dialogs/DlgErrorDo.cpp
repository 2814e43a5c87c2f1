#include "dialogs/DlgErrorDo.h"

#include "dialogs/SharedDialogs.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/FitText.h"
#include "widgets/Look.h"

#include <QLabel>

namespace {
QLabel* centredLabel(QWidget* parent, const QString& text, const QRect& at)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(at);
    return label;
}
} // namespace

TDlgErrorDo::TDlgErrorDo(QWidget* parent)
    : TDlgFrame({495, 211}, QStringLiteral("Внимание"), parent),
      BtnImgD1QF1(makeButton(QStringLiteral("OK"), {242, 166}, DialogResult::OK))
{
    setObjectName(QStringLiteral("DlgErrorDo"));
    setTextArea({96, 16, 383, 135});
    Label1 = centredLabel(this, QStringLiteral("Вы ошиблись."), toWindow({96, 44, 383, 30}));
    Label2 = centredLabel(this, QStringLiteral("Попробуйте еще раз."), toWindow({96, 84, 383, 30}));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2->setObjectName(QStringLiteral("Label2"));
    fitLabelsWhenShown({Label1, Label2}, look::arial(16));
    BtnImgD1QF1->setObjectName(QStringLiteral("BtnImgD1QF1"));
    BtnImgD1QF1->SetDefault(true);
}

TDlgErrorDo* DlgErrorDo()
{
    return sharedDialog<TDlgErrorDo>();
}
