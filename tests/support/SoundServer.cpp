#include "support/SoundServer.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace {
// The servers of the tests' own are stopped when the process ends (the test
// programs end through endProcess), not before: Qt's sound back end keeps its
// links to a server until then.
std::vector<pid_t>& runningServers()
{
    static std::vector<pid_t> servers;
    return servers;
}

void stopRunningServers()
{
    for (const pid_t pid : runningServers())
        ::kill(pid, SIGTERM);
}

[[maybe_unused]] const int stopAtExit = (runningServers(), std::at_quick_exit(stopRunningServers));
} // namespace

void requireSoundServer()
{
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        << "PULSE_SERVER is not set: run the tests through scripts/test, which starts the sound "
           "server";
    ASSERT_FALSE(QMediaDevices::audioOutputs().isEmpty()) << "the sound server lists no output";
    ASSERT_FALSE(QMediaDevices::audioInputs().isEmpty()) << "the sound server lists no input";
}

OwnSoundServer::OwnSoundServer(Kind kind) : kind_(kind)
{
    start();
}

OwnSoundServer::~OwnSoundServer() = default;

bool OwnSoundServer::start()
{
    pid_ = 0;
    QStringList arguments{"start", state_.path()};
    if (kind_ == Kind::PlayOnly)
        arguments << "play-only";
    QProcess start;
    start.start(TOLVAREN_SOUND_SERVER_SCRIPT, arguments);
    if (!start.waitForFinished(15000))
        return false;
    const QString out = QString::fromUtf8(start.readAllStandardOutput());
    const auto found =
        QRegularExpression("PULSE_SERVER=(\\S+); SOUND_SERVER_PID=(\\d+)").match(out);
    if (!found.hasMatch())
        return false;
    qputenv("PULSE_SERVER", found.captured(1).toUtf8());
    pid_ = found.captured(2).toLongLong();
    runningServers().push_back(pid_t(pid_));
    return true;
}

void OwnSoundServer::kill()
{
    if (pid_ <= 0)
        return;
    ::kill(pid_t(pid_), SIGKILL);
    std::erase(runningServers(), pid_t(pid_));
    // Its socket is closed once it has died (a zombie no longer runs).
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid_));
    for (int i = 0; i < 300 && stat.open(QIODevice::ReadOnly); ++i) {
        const bool zombie = stat.readAll().contains(") Z ");
        stat.close();
        if (zombie)
            break;
        QThread::msleep(10);
    }
    pid_ = 0;
}
