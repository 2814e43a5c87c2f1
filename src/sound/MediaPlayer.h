#pragma once

#include "sound/SoundEngine.h"

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

// A hidden media player bound to one sound file at a time: it plays a range of
// the file, or records into it, and says once when that ended. Positions and
// lengths are milliseconds. The sound itself is done by a SoundEngine: the real
// one talks to the sound device; a virtual one, whose clock tests advance,
// stands in for it in tests (see SoundEngine.h and VirtualSoundEngine.h).
//
// Every Play and every StartRecording gets exactly one Notify, queued to the
// thread the player lives on: when it runs to its end, when Stop, Close or
// another Play or StartRecording ends it, and also when it fails at once (no
// file open, no device) or later (the device is lost), so a window that
// waits for the notification never waits forever. Pause does not end a run;
// the Play or StartRecording that resumes it is a new run, and the paused one
// gets its notification then.
//
// Modes: NotReady until Open succeeds and after Close; Stopped when open and
// idle; Playing, Recording, Paused. Seeking and Open are never reported.
class MediaPlayer : public QObject {
    Q_OBJECT
public:
    enum class PlayerMode { NotReady, Stopped, Playing, Recording, Seeking, Paused, Open };

    explicit MediaPlayer(QObject* parent = nullptr);
    // For tests that want one player on an engine of their own.
    MediaPlayer(std::unique_ptr<SoundEngine> engine, QObject* parent = nullptr);
    ~MediaPlayer() override;

    QString FileName() const;
    void SetFileName(const QString& name);

    void Open();
    void Close();
    // Without a start, playing goes on from the current position; without an
    // end, it runs to the end of the file. Returns at once. An empty range
    // ends at once: Stopped, and its notification follows.
    void Play(std::optional<qint64> from = std::nullopt, std::optional<qint64> to = std::nullopt);
    // Records from the sound input into the open file; the same range rules,
    // but without an end it records until stopped. The sound after the start
    // position is replaced, and the samples reach the file as they arrive, so
    // the file holds what was recorded even if the program dies. The file's
    // own format (a template's) is the recording format. Called again after
    // Pause, it goes on recording.
    void StartRecording(std::optional<qint64> from = std::nullopt,
                        std::optional<qint64> to = std::nullopt);
    void Stop();
    void Pause();
    // The speed of the plays that follow, from 50 to 100 percent of the
    // normal one, the voice at its own pitch; a play under way keeps its own.
    // Positions and ranges stay the file's milliseconds at every tempo: a
    // range at 50 % is the same sound, heard in twice the time. Recordings
    // are never slowed.
    void SetTempo(int percent);
    int Tempo() const { return tempo_; }
    // Ends what runs, as Stop does, and completes a recording's FileName on
    // disk. (Close keeps what was recorded too: it is in the file already.)
    void Save();
    // Renames the open file to `name`, replacing a file of that name at once
    // (so there is never a moment without one), and goes on playing or
    // recording in it. False, nothing renamed, with the system's reason in
    // Russian in `why`, when the file system refuses.
    bool MoveFile(const QString& name, QString* why);

    // While recording: the loudest sample captured since the last call, 0 to
    // 1 of full scale, for a level meter; 0 otherwise.
    float InputPeak();

    qint64 Position() const;
    qint64 Length() const;
    PlayerMode Mode() const;
    // Result of the last command: SoundOk on success, else what failed
    // (SoundEngine.h). A device that fails while playing or recording sets it
    // too, and the notification follows.
    SoundError Error() const;
    // A Russian sentence for an error, for the windows' messages.
    static QString ErrorText(SoundError error);

signals:
    // Once, on the user-interface thread, when a Play or a StartRecording ends:
    // run to its end, stopped or superseded.
    void Notify();

private:
    void setEngine(std::unique_ptr<SoundEngine> engine);
    bool beginRun();
    void startRun(PlayerMode mode, int error);
    void endRun();
    void engineFinished(SoundError error);
    void postNotify();
    bool isOpen() const { return mode_ != PlayerMode::NotReady; }

    std::unique_ptr<SoundEngine> engine_;
    QString fileName_;
    PlayerMode mode_ = PlayerMode::NotReady;
    SoundError error_ = SoundOk;
    int tempo_ = 100;
    // A Play or StartRecording is under way (perhaps paused) and owes its
    // one notification.
    bool running_ = false;
};
