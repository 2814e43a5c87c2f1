#include "sound/ServerLink.h"

#include <QAbstractEventDispatcher>
#include <QAudioDevice>
#include <QAudioSink>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMediaDevices>
#include <QPointer>
#include <utility>
#include <vector>

#ifdef TOLVAREN_PULSE
#include <pulse/context.h>
#include <pulse/mainloop.h>
#endif

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
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> beforeFailure;

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
        std::erase_if(beforeFailure, [](const auto& call) { return call.first.isNull(); });
        const auto calls = beforeFailure; // a call may make or end an engine
        for (const auto& call : calls)
            if (call.first)
                call.second();
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

#ifdef TOLVAREN_PULSE
// Asks the server as Qt's back end would (the same address, the same
// flags), on a link of its own that is let go at once.
bool serverAnswers()
{
    constexpr qint64 AnswerMs = 2000;
    pa_mainloop* loop = pa_mainloop_new();
    pa_context* context = pa_context_new(pa_mainloop_get_api(loop), "tolvaren");
    bool answered = false;
    if (context && pa_context_connect(context, nullptr, PA_CONTEXT_NOFLAGS, nullptr) >= 0) {
        QElapsedTimer waited;
        waited.start();
        while (PA_CONTEXT_IS_GOOD(pa_context_get_state(context)) && !answered &&
               waited.elapsed() < AnswerMs) {
            if (pa_mainloop_prepare(loop, 50000) < 0 || pa_mainloop_poll(loop) < 0 ||
                pa_mainloop_dispatch(loop) < 0)
                break;
            answered = pa_context_get_state(context) == PA_CONTEXT_READY;
        }
        pa_context_disconnect(context);
    }
    if (context)
        pa_context_unref(context);
    pa_mainloop_free(loop);
    return answered;
}
#else
bool serverAnswers()
{
    return true;
}
#endif
} // namespace

bool ServerLink::reachable()
{
    // Once Qt has its links, a server that dies is its affair and restore's.
    static bool found = false;
    if (!found)
        found = serverAnswers();
    return found;
}

void ServerLink::beforeFailure(QObject* owner, std::function<void()> call)
{
    if (QCoreApplication::instance())
        failureWatch()->beforeFailure.emplace_back(owner, std::move(call));
}

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
