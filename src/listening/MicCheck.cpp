#include "listening/MicCheck.h"

#include "common/CourseError.h"
#include "common/FileProblems.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <cerrno>

MicCheck::MicCheck(QObject* parent) : QObject(parent)
{
    connect(&player_, &MediaPlayer::Notify, this, &MicCheck::notified);
}

MicCheck::~MicCheck()
{
    stop();
}

bool MicCheck::start(const QString& templatePath, QString* why)
{
    QFile source(templatePath);
    QTemporaryFile copy(QDir::temp().filePath(QStringLiteral("tolvaren-mic-XXXXXX.wav")));
    copy.setAutoRemove(false);
    if (!source.open(QIODevice::ReadOnly) || !copy.open() ||
        copy.write(source.readAll()) != source.size()) {
        const QFile& failed = source.isOpen() ? static_cast<QFile&>(copy) : source;
        *why = CourseError{failed.fileName(), 0, systemErrorText(errno, failed.errorString())}
                   .userText();
        copy.remove();
        return false;
    }
    path_ = copy.fileName();
    copy.close();
    error_ = SoundOk;
    stage_ = Stage::Recording;
    player_.SetFileName(path_);
    player_.Open();
    player_.StartRecording(0, LengthMs);
    return true;
}

void MicCheck::notified()
{
    if (player_.Error() != SoundOk)
        error_ = player_.Error();
    if (stage_ == Stage::Recording && error_ == SoundOk) {
        player_.Save();
        player_.Close();
        stage_ = Stage::Playing;
        player_.Open();
        player_.Play(0);
        return;
    }
    if (stage_ != Stage::Idle)
        finish();
}

void MicCheck::stop()
{
    if (stage_ == Stage::Idle)
        return;
    stage_ = Stage::Idle;
    player_.Close();
    QFile::remove(path_);
    path_.clear();
}

void MicCheck::finish()
{
    stop();
    emit finished();
}
