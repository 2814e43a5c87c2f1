#include "dialogs/DrillDialogs.h"

#include "dialogs/DlgDoubleError.h"
#include "dialogs/DlgErrorDo.h"

void ShowErrorDo()
{
    DlgErrorDo()->exec();
}

void ShowDoubleError(const QString& rightAnswer)
{
    DlgDoubleError()->ShowMdText(rightAnswer);
}

void ShowLexicError(const QString& rightTranslation)
{
    DlgLexicError()->ShowMdText(rightTranslation);
}
