// The program's side of the alignment module: the synthesiser and the FFT
// library are loaded only by --align.
#include "align/AlignModule.h"
#include "align/PauseCheck.h"
#include "common/ModuleLoad.h"

#include <cstdio>

namespace {

const ModuleEntry& alignModule()
{
    // Opened once; a module that failed is not tried again.
    static const ModuleEntry module = openModule(AlignModuleFile, AlignModuleEntryName);
    return module;
}

} // namespace

int runAlign(const QStringList& arguments)
{
    const ModuleEntry& module = alignModule();
    if (!module.entry) {
        std::fputs(qPrintable(module.problem + u'\n'), stderr);
        return 2;
    }
    return reinterpret_cast<AlignModuleEntry>(module.entry)()->command(arguments);
}

std::optional<QList<int>> boundariesInSpeech(const QString& sound,
                                             const QList<TimedSentenceLine>& lines)
{
    const ModuleEntry& module = alignModule();
    if (!module.entry)
        return std::nullopt;
    return reinterpret_cast<AlignModuleEntry>(module.entry)()->boundariesInSpeech(sound, lines);
}
