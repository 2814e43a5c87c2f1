#include "PlayerContract.h"
#include "sound/VirtualSoundEngine.h"
#include "support/SoundServer.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

void setUpSound()
{
    VirtualSound::use(false);
    ASSERT_NO_FATAL_FAILURE(requireSoundServer());
}

void letPass(qint64 ms)
{
    QCoreApplication::processEvents();
    if (ms > 0)
        QTest::qWait(int(ms));
}

// A stream starts within a few tens of milliseconds on the test server; the
// rest is room for a machine busy with builds.
qint64 slackMs()
{
    return 250;
}

qint64 toleranceMs()
{
    return 60;
}
