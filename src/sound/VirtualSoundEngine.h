#pragma once

#include "sound/SoundEngine.h"
#include "sound/SoundFile.h"

#include <QString>
#include <memory>

// A sound device that exists only as a clock, for tests of the windows'
// timing (segment ends, 50 ms position timers, recording stop times): exact,
// silent and fast. Players made while it is chosen play and record in
// virtual time; their positions follow the clock and their ends come when the
// clock passes them.
//
// Choose it with VirtualSound::use() before making the players (or set
// TOLVAREN_SOUND=virtual in the environment; "virtual-realtime" makes its
// clock follow the wall clock, for trying windows by hand). Then:
//
//   VirtualSound::use();
//   MediaPlayer player;             // opens real files: length from the header
//   player.SetFileName(path); player.Open();
//   player.Play(1000, 1500);
//   VirtualSound::advance(499);     // Position() == 1499, no Notify yet
//   VirtualSound::advance(1);       // the play ended and Notify was delivered
//
// advance() delivers the notifications of every play that ends within it at
// the time it ends (a handler that starts another play sees the clock there),
// and also those still waiting from Stop, Play or Close, so advance(0)
// delivers pending notifications without moving the clock.
//
// A play at a tempo below 100 % moves the position through the file that
// much slower than the clock: at 50 %, advance(200) moves it by 100 ms.
//
// A recording writes silence of its recorded duration into the file when it
// is paused, stopped or saved, so the file grows as a real one would.
namespace VirtualSound {
void use(bool on = true);
bool inUse();
// Milliseconds since the last reset.
qint64 now();
void advance(qint64 ms);
// Gives a file the virtual engine opens this length, whether or not it exists.
void setLength(const QString& path, qint64 ms);
// false makes every Play and StartRecording fail as without a sound device
// (Error SoundNoDevice, one Notify); Open still succeeds.
void setDeviceWorking(bool working);
// The level every recording captures, 0 to 1, until reset.
void setInputPeak(float peak);
// Clock to 0, lengths forgotten, device working, silence captured; the choice of use() stays.
void reset();
} // namespace VirtualSound

class VirtualSoundEngine : public SoundEngine {
public:
    VirtualSoundEngine();
    ~VirtualSoundEngine() override;

    int open(const QString& path) override;
    void close() override;
    qint64 length() const override;
    qint64 position() const override;
    int play(qint64 from, qint64 to) override;
    int record(qint64 from, qint64 to) override;
    void setTempo(int percent) override { tempo_ = percent; }
    void halt() override;
    int save() override;
    void moved(const QString& path) override { path_ = path; }
    float takeInputPeak() override;

    // The clock time at which the running play or recording reaches its end,
    // or NoEnd.
    qint64 endsAt() const;
    // Called by the clock when endsAt() has come.
    void reachEnd();

private:
    enum class Run { None, Playing, Recording };
    void writeRecorded();
    // The file's milliseconds the run has gone through in `clockMs` of the clock.
    qint64 fileMs(qint64 clockMs) const;

    QString path_;
    bool open_ = false;
    qint64 length_ = 0;
    qint64 position_ = 0;
    Run run_ = Run::None;
    qint64 startedAt_ = 0; // clock time when the run began
    qint64 from_ = 0;
    qint64 to_ = 0;
    int tempo_ = 100;
    int runTempo_ = 100; // a play keeps the tempo it began with
    std::unique_ptr<RecordingFile> recording_;
};
