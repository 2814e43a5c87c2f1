#include "support/SoundServer.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <gtest/gtest.h>

void requireSoundServer()
{
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        << "PULSE_SERVER is not set: run the tests through scripts/test, which starts the sound "
           "server";
    ASSERT_FALSE(QMediaDevices::audioOutputs().isEmpty()) << "the sound server lists no output";
    ASSERT_FALSE(QMediaDevices::audioInputs().isEmpty()) << "the sound server lists no input";
}
