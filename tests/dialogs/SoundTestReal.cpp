// The sound test against the private test sound server.
#include "DialogTestSupport.h"
#include "dialogs/DlgTestFullDulex.h"
#include "sound/MediaPlayer.h"
#include "support/SoundServer.h"
#include "support/TempCourse.h"

#include <gtest/gtest.h>

TEST(SoundTestReal, TrueOnTheTestSoundServer)
{
    ASSERT_NO_FATAL_FAILURE(requireSoundServer());
    TempCourse course;
    course.write(QStringLiteral("Null.wav"), silentWav(1000));
    course.write(QStringLiteral("NullRec.wav"), silentWav(0));
    TDlgTestFullDulex dialog;
    ShowCounter warnings(&dialog);
    EXPECT_TRUE(dialog.TestFullDuplex());
    EXPECT_EQ(warnings.shows, 0);
    EXPECT_EQ(dialog.MediaPlayer1->Mode(), MediaPlayer::PlayerMode::NotReady);
    EXPECT_EQ(dialog.MediaPlayer2->Mode(), MediaPlayer::PlayerMode::NotReady);
}

TEST(SoundTestReal, FalseWithOneWarningWhenNullWavIsMissing)
{
    ASSERT_NO_FATAL_FAILURE(requireSoundServer());
    TempCourse course;
    course.write(QStringLiteral("NullRec.wav"), silentWav(0));
    TDlgTestFullDulex dialog;
    ShowCounter warnings(&dialog);
    EXPECT_FALSE(dialog.TestFullDuplex());
    EXPECT_EQ(warnings.shows, 1);
}
