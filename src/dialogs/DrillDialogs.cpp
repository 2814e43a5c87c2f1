#include "dialogs/DrillDialogs.h"

#include "dialogs/DlgDoubleError.h"
#include "dialogs/DlgErrorDo.h"

void showErrorDo()
{
    DlgErrorDo()->exec();
}

void showDoubleError(const QString& rightAnswer)
{
    DlgDoubleError()->ShowMdText(rightAnswer);
}

void showLexicError(const QString& rightTranslation)
{
    DlgLexicError()->ShowMdText(rightTranslation);
}
