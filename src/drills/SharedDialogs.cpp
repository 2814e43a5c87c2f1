#include "drills/SharedDialogs.h"

#include "drills/DlgDoubleError.h"
#include "drills/DlgErrorDo.h"
#include "drills/DlgLexRepit.h"
#include "drills/DlgTestFullDulex.h"
#include "drills/DlgxMessage.h"

void CreateSharedDialogs()
{
    DlgxMessage();
    DlgErrorDo();
    DlgDoubleError();
    DlgLexicError();
    DlgLexRepit();
    DlgTestFullDulex();
}
