#include "dialogs/NoSoundNotice.h"

#include "dialogs/DlgMessage.h"
#include "sound/MediaPlayer.h"
#include "sound/SoundEngine.h"

#include <QMetaObject>
#include <QWidget>

namespace {
const char ToldProperty[] = "noSoundTold";
// A device that comes up later is found at the next sound.
const QString NoSoundText =
    QStringLiteral("Звуковое устройство недоступно.\rПроверьте, подключены ли колонки или "
                   "наушники, и нажмите кнопку воспроизведения ещё раз.");
const QString NoSoundCaption = QStringLiteral("Нет звука");
} // namespace

void tellIfNoSound(QWidget* window, const MediaPlayer& player)
{
    const SoundError error = player.Error();
    if ((error != SoundNoDevice && error != SoundNoModule) ||
        window->property(ToldProperty).toBool())
        return;
    window->setProperty(ToldProperty, true);
    // A missing sound module is told with its file and reason: the student
    // cannot mend that by plugging anything in.
    const QString text = error == SoundNoDevice ? NoSoundText : MediaPlayer::ErrorText(error);
    QMetaObject::invokeMethod(
        window, [text] { ShowDlgMessage(text, NoSoundCaption, MessageIcon::Warning); },
        Qt::QueuedConnection);
}
