#include "sound/SoundEngine.h"

#include "sound/RealSoundEngine.h"
#include "sound/VirtualSoundEngine.h"

std::unique_ptr<SoundEngine> makeSoundEngine()
{
    if (VirtualSound::inUse())
        return std::make_unique<VirtualSoundEngine>();
    return std::make_unique<RealSoundEngine>();
}

QString soundModuleProblem()
{
    return {};
}
