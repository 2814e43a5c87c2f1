#include "sound/ServerLink.h"

#include <QAbstractEventDispatcher>
#include <QAudioDevice>
#include <QAudioSink>
#include <QCoreApplication>
#include <QEvent>
#include <QMediaDevices>
#include <QPointer>

namespace {
// Qt's back end keeps two links, each in an object of this class: one for the
// device lists, one for the streams.
constexpr char LinkClass[] = "QPulseAudioEngine";

// Sees every event of the user-interface thread go by and keeps the link
// objects a failure was queued to. Their own next tries are called off, so
// that a link is made again in one place only, here, and never twice over.
class FailureWatch : public QObject {
public:
    QList<QPointer<QObject>> failed;

    void callOffRetries() const
    {
        // A try is a single-shot timer connected by name to `prepare`.
        for (QObject* timer : QAbstractEventDispatcher::instance()->children()) {
            if (qstrcmp(timer->metaObject()->className(), "QSingleShotTimer") != 0)
                continue;
            for (QObject* link : failed)
                if (link)
                    QObject::disconnect(timer, SIGNAL(timeout()), link, SLOT(prepare()));
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::MetaCall ||
            qstrcmp(watched->metaObject()->className(), LinkClass) != 0)
            return false;
        if (!failed.contains(watched))
            failed.append(watched);
        // Once it has taken the failure in: it sets its next try then.
        QMetaObject::invokeMethod(
            this, [this] { callOffRetries(); }, Qt::QueuedConnection);
        return false;
    }
};

FailureWatch* failureWatch()
{
    static FailureWatch* const watch = [] {
        auto* made = new FailureWatch;
        made->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(made);
        return made;
    }();
    return watch;
}

// A stream opens only over a link that is up; without one it fails at once,
// without asking any server.
bool linkUp()
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return false;
    QAudioFormat format;
    format.setSampleRate(8000);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    QAudioSink probe(device, format);
    probe.start();
    const bool up = probe.error() != QAudio::FatalError && probe.state() != QAudio::StoppedState;
    probe.stop();
    return up;
}
} // namespace

void ServerLink::watch()
{
    if (QCoreApplication::instance())
        failureWatch();
}

void ServerLink::restore()
{
    if (!QCoreApplication::instance())
        return;
    FailureWatch* watch = failureWatch();
    watch->failed.removeAll(nullptr);
    if (watch->failed.isEmpty())
        return;
    // A failure not taken in yet lets the old link go first.
    for (QObject* link : watch->failed)
        QCoreApplication::sendPostedEvents(link, QEvent::MetaCall);
    watch->callOffRetries();
    if (!linkUp()) {
        for (QObject* link : watch->failed)
            QMetaObject::invokeMethod(link, "prepare", Qt::DirectConnection);
        // A try that failed while connecting has set another.
        watch->callOffRetries();
    }
    if (linkUp())
        watch->failed.clear();
}
