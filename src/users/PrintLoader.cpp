// The program's side of the print module: Qt's printing is opened on the
// teacher's first print, not at start.
#include "common/ModuleLoad.h"
#include "users/PrintModule.h"

PrintResult printReport(QWidget* parent, const ReportLayout& layout)
{
    // Opened once; a module that failed is not tried again.
    static const ModuleEntry module = openModule(PrintModuleFile, PrintModuleEntryName);
    if (!module.entry)
        return {PrintResult::Outcome::NoModule, module.problem};
    return reinterpret_cast<PrintModuleEntry>(module.entry)()(parent, layout);
}
