#include "align/AlignModule.h"
#include "align/AlignCommand.h"

static int alignOnTerminal(const QStringList& arguments)
{
    return runAlignCommand(arguments);
}

extern "C" Q_DECL_EXPORT const AlignModuleApi* tolvarenAlignModule2()
{
    static const AlignModuleApi api{&alignOnTerminal, &boundariesInSpeech};
    return &api;
}
