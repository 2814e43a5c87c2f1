#include "sound/MediaPlayer.h"

#include "common/FileProblems.h"
#include "common/Tempo.h"
#include "sound/SoundEngine.h"

#include <QFile>
#include <QMetaObject>
#include <algorithm>
#include <filesystem>

MediaPlayer::MediaPlayer(QObject* parent) : QObject(parent) {}

MediaPlayer::MediaPlayer(std::unique_ptr<SoundEngine> engine, QObject* parent) : QObject(parent)
{
    setEngine(std::move(engine));
}

MediaPlayer::~MediaPlayer()
{
    if (!engine_)
        return;
    engine_->finished = nullptr;
    engine_->close();
}

void MediaPlayer::setEngine(std::unique_ptr<SoundEngine> engine)
{
    engine_ = std::move(engine);
    engine_->setTempo(tempo_);
    engine_->finished = [this](int error) { engineFinished(SoundError(error)); };
}

QString MediaPlayer::FileName() const
{
    return fileName_;
}

void MediaPlayer::SetFileName(const QString& name)
{
    fileName_ = name;
}

void MediaPlayer::Open()
{
    Close();
    // The engine is made here, not with the player: windows made at start
    // have players, and the sound back end is loaded on the first sound.
    if (!engine_)
        setEngine(makeSoundEngine());
    error_ = SoundError(engine_->open(fileName_));
    mode_ = error_ == SoundOk ? PlayerMode::Stopped : PlayerMode::NotReady;
}

void MediaPlayer::Close()
{
    endRun();
    if (engine_)
        engine_->close();
    mode_ = PlayerMode::NotReady;
    error_ = SoundOk;
}

void MediaPlayer::Play(std::optional<qint64> from, std::optional<qint64> to)
{
    if (!beginRun())
        return;
    const qint64 length = engine_->length();
    const qint64 start = std::clamp<qint64>(from.value_or(engine_->position()), 0, length);
    const qint64 end = std::clamp<qint64>(to.value_or(length), start, length);
    startRun(PlayerMode::Playing, engine_->play(start, end));
    // Nothing to play (an item without timing, a range at or past the end of
    // the file): the play is over as soon as it began.
    if (start == end)
        engineFinished(SoundOk);
}

void MediaPlayer::StartRecording(std::optional<qint64> from, std::optional<qint64> to)
{
    if (!beginRun())
        return;
    const qint64 start =
        std::clamp<qint64>(from.value_or(engine_->position()), 0, engine_->length());
    const qint64 end = std::max(to.value_or(NoEnd), start);
    startRun(PlayerMode::Recording, engine_->record(start, end));
}

// Ends the run before and begins a new one; without an open file the new run
// ends at once, still with its one notification.
bool MediaPlayer::beginRun()
{
    endRun();
    running_ = true;
    if (isOpen())
        return true;
    // Without its sound module a player keeps saying so: that, not the file
    // left unopened, is what the window has to tell.
    error_ = error_ == SoundNoModule ? SoundNoModule : SoundNotOpen;
    engineFinished(error_);
    return false;
}

void MediaPlayer::startRun(PlayerMode mode, int error)
{
    error_ = SoundError(error);
    mode_ = mode;
    if (error_ != SoundOk)
        engineFinished(error_);
}

void MediaPlayer::Stop()
{
    endRun();
    error_ = isOpen() ? SoundOk : SoundNotOpen;
}

void MediaPlayer::Pause()
{
    if (!isOpen()) {
        error_ = SoundNotOpen;
        return;
    }
    if (mode_ == PlayerMode::Playing || mode_ == PlayerMode::Recording) {
        engine_->halt();
        mode_ = PlayerMode::Paused;
    }
    error_ = SoundOk;
}

void MediaPlayer::SetTempo(int percent)
{
    tempo_ = ::Tempo::valid(percent);
    if (engine_)
        engine_->setTempo(tempo_);
}

void MediaPlayer::Save()
{
    if (!isOpen()) {
        error_ = SoundNotOpen;
        return;
    }
    endRun();
    error_ = SoundError(engine_->save());
}

bool MediaPlayer::MoveFile(const QString& name, QString* why)
{
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(fileName_).toStdString(),
                            QFile::encodeName(name).toStdString(), error);
    if (error) {
        *why = systemErrorText(error.value(), QString::fromStdString(error.message()));
        return false;
    }
    fileName_ = name;
    if (isOpen())
        engine_->moved(name);
    return true;
}

float MediaPlayer::InputPeak()
{
    return engine_ && mode_ == PlayerMode::Recording ? engine_->takeInputPeak() : 0;
}

qint64 MediaPlayer::Position() const
{
    return engine_ ? engine_->position() : 0;
}

qint64 MediaPlayer::Length() const
{
    return engine_ ? engine_->length() : 0;
}

MediaPlayer::PlayerMode MediaPlayer::Mode() const
{
    return mode_;
}

SoundError MediaPlayer::Error() const
{
    return error_;
}

QString MediaPlayer::ErrorText(SoundError error)
{
    switch (error) {
    case SoundOk:
        return {};
    case SoundNotOpen:
        return QStringLiteral("Звуковое устройство не открыто.");
    case SoundFileError:
        return QStringLiteral("Звуковой файл не найден или поврежден.");
    case SoundNoDevice:
        return QStringLiteral("Звуковое устройство недоступно.");
    case SoundDeviceLost:
        return QStringLiteral("Звуковое устройство перестало отвечать.");
    case SoundWriteError:
        return QStringLiteral("Не удается записать звуковой файл.");
    case SoundNoModule:
        return soundModuleProblem() + QStringLiteral("\rЗвука не будет.");
    default:
        return QStringLiteral("Ошибка звукового устройства.");
    }
}

// Ends the run under way, if any: stopped or superseded, it still gets its
// one notification.
void MediaPlayer::endRun()
{
    if (!running_)
        return;
    engine_->halt();
    running_ = false;
    if (isOpen())
        mode_ = PlayerMode::Stopped;
    postNotify();
}

void MediaPlayer::engineFinished(SoundError error)
{
    if (!running_)
        return;
    running_ = false;
    if (error != SoundOk)
        error_ = error;
    if (isOpen())
        mode_ = PlayerMode::Stopped;
    postNotify();
}

// Queued, so that a window's handler never runs inside the command that
// ended the run, and always on the thread the player lives on.
void MediaPlayer::postNotify()
{
    QMetaObject::invokeMethod(
        this, [this] { emit Notify(); }, Qt::QueuedConnection);
}
