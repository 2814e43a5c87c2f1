#include "support/SoundServer.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

void requireSoundServer()
{
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        << "PULSE_SERVER is not set: run the tests through scripts/test, which starts the sound "
           "server";
    ASSERT_FALSE(QMediaDevices::audioOutputs().isEmpty()) << "the sound server lists no output";
    ASSERT_FALSE(QMediaDevices::audioInputs().isEmpty()) << "the sound server lists no input";
}

OwnSoundServer::OwnSoundServer(Kind kind)
{
    QStringList arguments{"start", state_.path()};
    if (kind == Kind::PlayOnly)
        arguments << "play-only";
    QProcess start;
    start.start(TOLVAREN_SOUND_SERVER_SCRIPT, arguments);
    if (!start.waitForFinished(15000))
        return;
    const QString out = QString::fromUtf8(start.readAllStandardOutput());
    const auto found =
        QRegularExpression("PULSE_SERVER=(\\S+); SOUND_SERVER_PID=(\\d+)").match(out);
    if (!found.hasMatch())
        return;
    qputenv("PULSE_SERVER", found.captured(1).toUtf8());
    pid_ = found.captured(2).toLongLong();
}

OwnSoundServer::~OwnSoundServer()
{
    QProcess::execute(TOLVAREN_SOUND_SERVER_SCRIPT, {"stop", state_.path()});
}
