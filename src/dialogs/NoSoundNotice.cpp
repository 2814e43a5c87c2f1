#include "dialogs/NoSoundNotice.h"

#include "dialogs/DlgMessage.h"
#include "sound/MediaPlayer.h"
#include "sound/SoundEngine.h"

#include <QMetaObject>
#include <QWidget>

namespace {
const char ToldProperty[] = "noSoundTold";
const QString NoSoundText =
    QStringLiteral("Звуковое устройство недоступно: звука не будет.\rПроверьте, подключены ли "
                   "колонки или наушники, и откройте упражнение снова.");
const QString NoSoundCaption = QStringLiteral("Нет звука");
constexpr int WarningIcon = 48;
} // namespace

void tellIfNoSound(QWidget* window, const MediaPlayer& player)
{
    if (player.Error() != SoundNoDevice || window->property(ToldProperty).toBool())
        return;
    window->setProperty(ToldProperty, true);
    QMetaObject::invokeMethod(
        window, [] { ShowDlgMessage(NoSoundText, NoSoundCaption, WarningIcon); },
        Qt::QueuedConnection);
}
