#include "app/TerminationSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int signalPipe[2] = {-1, -1};
std::function<void()> signalAction;

// Only async-signal-safe work here: the byte wakes the user-interface thread.
void forwardSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] ssize_t written = ::write(signalPipe[1], &byte, 1);
}
} // namespace

void catchTerminationSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto* notifier =
        new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char byte;
        [[maybe_unused]] ssize_t read = ::read(signalPipe[0], &byte, 1);
        if (signalAction)
            signalAction();
        // A modal window (an exercise, a message) runs its own loop and, made
        // without a parent, outlives the closed main window: end them all.
        QCoreApplication::exit(0);
    });
    struct sigaction handler = {};
    handler.sa_handler = forwardSignal;
    sigemptyset(&handler.sa_mask);
    handler.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &handler, nullptr);
}

void onTerminationSignal(std::function<void()> action)
{
    signalAction = std::move(action);
}
