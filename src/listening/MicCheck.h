#pragma once

#include "sound/MediaPlayer.h"

#include <QObject>
#include <QString>

// "Проверить микрофон": three seconds recorded into a file of its own in the
// system's temporary folder (never the student's recording, never the
// template), played back at once, and then removed.
class MicCheck : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 LengthMs = 3000;

    explicit MicCheck(QObject* parent = nullptr);
    ~MicCheck() override;

    // Records in the template's format. False, with the file and the
    // system's reason in `why`, when the file cannot be made.
    bool start(const QString& templatePath, QString* why);
    // Ends the check at once and removes its file.
    void stop();
    bool running() const { return stage_ != Stage::Idle; }
    bool recording() const { return stage_ == Stage::Recording; }
    // The loudest sample since the last call, while it records.
    float takePeak() { return player_.InputPeak(); }
    // The file of the check under way, empty when none runs.
    const QString& path() const { return path_; }
    // Why the sound of the last check failed; SoundOk when it did not.
    SoundError error() const { return error_; }

signals:
    void finished();

private:
    enum class Stage { Idle, Recording, Playing };
    void notified();
    void finish();

    MediaPlayer player_;
    QString path_;
    Stage stage_ = Stage::Idle;
    SoundError error_ = SoundOk;
};
