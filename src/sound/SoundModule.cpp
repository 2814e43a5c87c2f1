// The entry of the sound module: the only symbol it shows.
#include "sound/SoundModule.h"

extern "C" Q_DECL_EXPORT const SoundModuleApi* tolvarenSoundModule2()
{
    static const SoundModuleApi api{&makeSoundEngine, &probeSoundFile, &readMonoSound};
    return &api;
}
