#include "drills/DrillDialogs.h"

#include "drills/DlgDoubleError.h"
#include "drills/DlgErrorDo.h"

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
