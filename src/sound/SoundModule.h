#pragma once

#include "sound/SoundEngine.h"
#include "sound/SoundFile.h"

// What the sound module (tolvaren-sound, built from sound_backend) gives the
// program: its engines and the one question about sound files the windows
// and the course check ask. The module's entry function returns it; the
// entry's name carries the version of this table, so that a module left
// from another build fails to open instead of being called wrongly. Change
// the number with the table.
struct SoundModuleApi {
    std::unique_ptr<SoundEngine> (*makeEngine)();
    std::optional<SoundFileInfo> (*probe)(const QString& path);
    std::optional<MonoSound> (*readMono)(const QString& path);
};
using SoundModuleEntry = const SoundModuleApi* (*)();
inline constexpr char SoundModuleFile[] = "tolvaren-sound.so";
inline constexpr char SoundModuleEntryName[] = "tolvarenSoundModule2";
