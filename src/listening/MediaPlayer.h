#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class SoundEngine;

// A hidden media player bound to one sound file at a time: it plays a range of
// the file, or records into it, and says once when that ended. Positions and
// lengths are milliseconds. The sound itself is done by a SoundEngine: the real
// one talks to the sound device; a virtual one, whose clock tests advance,
// stands in for it in tests (see SoundEngine.h).
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
    // end, it runs to the end of the file. Returns at once.
    void Play(std::optional<qint64> from = std::nullopt, std::optional<qint64> to = std::nullopt);
    // Records from the sound input into the open file; the same range rules.
    // Called again after Pause, it goes on recording.
    void StartRecording(std::optional<qint64> from = std::nullopt,
                        std::optional<qint64> to = std::nullopt);
    void Stop();
    void Pause();
    // Writes the recorded sound to FileName.
    void Save();

    qint64 Position() const;
    qint64 Length() const;
    PlayerMode Mode() const;
    // Result of the last command: 0 on success, else a SoundError code
    // (SoundEngine.h). A device that fails while playing or recording sets it
    // too, and the notification follows.
    int Error() const;
    // A Russian sentence for an error code, for the windows' messages.
    static QString ErrorText(int error);

signals:
    // Once, on the user-interface thread, when a Play or a StartRecording ends:
    // run to its end, stopped or superseded.
    void Notify();

private:
    void endRun();
    void engineFinished(int error);
    void postNotify();
    bool isOpen() const { return mode_ != PlayerMode::NotReady; }

    std::unique_ptr<SoundEngine> engine_;
    QString fileName_;
    PlayerMode mode_ = PlayerMode::NotReady;
    int error_ = 0;
    // A Play or StartRecording is under way (perhaps paused) and owes its
    // one notification.
    bool running_ = false;
};
