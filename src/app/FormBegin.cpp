#include "app/FormBegin.h"

#include "app/AppImages.h"
#include "common/CourseError.h"
#include "sound/MediaPlayer.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace {
const QString MusicFile = QStringLiteral("music.wav");
}

TFormBegin::TFormBegin(QWidget* parent) : QDialog(parent, Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FormBegin"));
    setFixedSize(600, 400);
    auto* picture = new QLabel(this);
    picture->setGeometry(rect());
    picture->setPixmap(splashPicture(size()));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    TimerBegin = new QTimer(this);
    TimerBegin->setInterval(4500);
    TimerBegin->setSingleShot(true);
    connect(TimerBegin, &QTimer::timeout, this, &TFormBegin::TimerBeginTimer);

    MediaPlayerBegin = new MediaPlayer(this);
    connect(MediaPlayerBegin, &MediaPlayer::Notify, this, &TFormBegin::MediaPlayerBeginNotify);
    MediaPlayerBegin->SetFileName(MusicFile);
    MediaPlayerBegin->Open();
}

bool TFormBegin::musicReady() const
{
    return MediaPlayerBegin->Error() == 0;
}

QString TFormBegin::musicError() const
{
    return CourseError{MusicFile, 0, MediaPlayer::ErrorText(MediaPlayerBegin->Error())}.userText();
}

void TFormBegin::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TFormBegin::FormShow()
{
    TimerBegin->start();
    MediaPlayerBegin->Play();
}

void TFormBegin::TimerBeginTimer()
{
    TimerBegin->stop();
    accept();
}

void TFormBegin::MediaPlayerBeginNotify()
{
    MediaPlayerBegin->Close();
}
