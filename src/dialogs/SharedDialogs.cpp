#include "dialogs/SharedDialogs.h"

#include "dialogs/DlgDoubleError.h"
#include "dialogs/DlgErrorDo.h"
#include "dialogs/DlgLexRepit.h"
#include "dialogs/DlgTestFullDulex.h"
#include "dialogs/DlgxMessage.h"

void createSharedDialogs()
{
    DlgxMessage();
    DlgErrorDo();
    DlgDoubleError();
    DlgLexicError();
    DlgLexRepit();
    DlgTestFullDulex();
}
