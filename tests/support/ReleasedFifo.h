#pragma once

// A named pipe for tests of code that must refuse one: opening a pipe for
// reading waits for a writer for ever. So that a test of such code fails on
// its time instead of hanging, a writer comes and goes after a while, which
// ends the wait with an empty read.
#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

class ReleasedFifo {
public:
    static constexpr std::chrono::milliseconds ReleaseAfter{2000};

    explicit ReleasedFifo(const QString& path) : path_(QFile::encodeName(path))
    {
        made_ = ::mkfifo(path_.constData(), 0600) == 0;
        watchdog_ = std::thread([this] { release(); });
    }
    ~ReleasedFifo()
    {
        done_ = true;
        watchdog_.join();
    }
    bool made() const { return made_; }

private:
    void release()
    {
        using namespace std::chrono;
        const auto deadline = steady_clock::now() + ReleaseAfter;
        while (!done_) {
            std::this_thread::sleep_for(milliseconds(10));
            if (steady_clock::now() < deadline)
                continue;
            // Succeeds only while a reader waits in open.
            const int fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
    }

    QByteArray path_;
    bool made_ = false;
    std::atomic<bool> done_{false};
    std::thread watchdog_;
};
