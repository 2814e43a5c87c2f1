// The program's side of the sound module: the back end is opened on the
// first sound, not at start.
#include "common/ModuleLoad.h"
#include "sound/SoundModule.h"

namespace {
// Stands in for the engines when the module cannot be opened: no file opens,
// and the reason is the module.
class UnloadedSoundEngine : public SoundEngine {
public:
    int open(const QString&) override { return SoundNoModule; }
    void close() override {}
    qint64 length() const override { return 0; }
    qint64 position() const override { return 0; }
    int play(qint64, qint64) override { return SoundNoModule; }
    int record(qint64, qint64) override { return SoundNoModule; }
    void setTempo(int) override {}
    void halt() override {}
    int save() override { return SoundNoModule; }
    void moved(const QString&) override {}
};

struct LoadedSound {
    const SoundModuleApi* api = nullptr;
    QString problem;
};

// Opened once; a module that failed is not tried again.
const LoadedSound& loadedSound()
{
    static const LoadedSound loaded = [] {
        const ModuleEntry module = openModule(SoundModuleFile, SoundModuleEntryName);
        if (!module.entry)
            return LoadedSound{nullptr, module.problem};
        return LoadedSound{reinterpret_cast<SoundModuleEntry>(module.entry)(), {}};
    }();
    return loaded;
}
} // namespace

std::unique_ptr<SoundEngine> makeSoundEngine()
{
    if (const SoundModuleApi* api = loadedSound().api)
        return api->makeEngine();
    return std::make_unique<UnloadedSoundEngine>();
}

std::optional<SoundFileInfo> probeSoundFile(const QString& path)
{
    if (const SoundModuleApi* api = loadedSound().api)
        return api->probe(path);
    return std::nullopt;
}

std::optional<MonoSound> readMonoSound(const QString& path)
{
    if (const SoundModuleApi* api = loadedSound().api)
        return api->readMono(path);
    return std::nullopt;
}

QString soundModuleProblem()
{
    return loadedSound().problem;
}
