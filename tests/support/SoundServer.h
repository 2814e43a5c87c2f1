#pragma once

#include <QTemporaryDir>
#include <QtGlobal>

// Tests labelled "sound" run against the private sound server that
// scripts/test starts. They fail, not skip, when it is missing: a suite that
// silently skipped them would hide a broken sound set-up.
// Call at the start of such a test: ASSERT_NO_FATAL_FAILURE(requireSoundServer());
void requireSoundServer();

// A sound server of the test's own, for what the shared one cannot show: a
// server that dies, a card that can play but not record. It points this
// process at itself (PULSE_SERVER), so make it before anything asks for a
// sound device: the sound back end connects once per process. It runs until
// the process ends.
class OwnSoundServer {
public:
    enum class Kind { PlayAndRecord, PlayOnly };
    explicit OwnSoundServer(Kind kind = Kind::PlayAndRecord);
    ~OwnSoundServer();
    OwnSoundServer(const OwnSoundServer&) = delete;
    OwnSoundServer& operator=(const OwnSoundServer&) = delete;

    bool started() const { return pid_ > 0; }
    qint64 pid() const { return pid_; }
    // Ends the server as a crash would (SIGKILL); start() brings it back on
    // the same socket, as a sound server restarted by the desktop comes back.
    void kill();
    bool start();

private:
    QTemporaryDir state_;
    Kind kind_;
    qint64 pid_ = 0;
};
