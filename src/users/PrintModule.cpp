// The entry of the print module: the only symbol it shows.
#include "users/PrintModule.h"

extern "C" Q_DECL_EXPORT PrintReportFunction tolvarenPrintModule1()
{
    return &printReport;
}
