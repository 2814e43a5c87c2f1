// The program's side of the alignment module: the synthesiser and the FFT
// library are loaded only by --align.
#include "align/AlignModule.h"
#include "common/ModuleLoad.h"

#include <cstdio>

int runAlign(const QStringList& arguments)
{
    const ModuleEntry module = openModule(AlignModuleFile, AlignModuleEntryName);
    if (!module.entry) {
        std::fputs(qPrintable(module.problem + u'\n'), stderr);
        return 2;
    }
    return reinterpret_cast<AlignModuleEntry>(module.entry)()(arguments);
}
