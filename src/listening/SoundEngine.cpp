#include "listening/SoundEngine.h"

#include "listening/RealSoundEngine.h"
#include "listening/VirtualSoundEngine.h"

std::unique_ptr<SoundEngine> makeSoundEngine()
{
    if (VirtualSound::inUse())
        return std::make_unique<VirtualSoundEngine>();
    return std::make_unique<RealSoundEngine>();
}
