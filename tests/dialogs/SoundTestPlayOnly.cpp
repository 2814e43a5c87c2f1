// The sound test on a card that can play but not record: a sound server of
// this program's own with an output and no input.
#include "DialogTestSupport.h"
#include "dialogs/DlgTestFullDulex.h"
#include "sound/MediaPlayer.h"
#include "support/SoundServer.h"
#include "support/TempCourse.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <gtest/gtest.h>

TEST(SoundTestPlayOnly, FalseWithOneWarningWhenTheCardCannotRecord)
{
    const OwnSoundServer server(OwnSoundServer::Kind::PlayOnly);
    ASSERT_TRUE(server.started());
    TempCourse course;
    course.write(QStringLiteral("Null.wav"), silentWav(1000));
    course.write(QStringLiteral("NullRec.wav"), silentWav(0));
    {
        MediaPlayer player; // the card does play
        player.SetFileName(QStringLiteral("Null.wav"));
        player.Open();
        player.Play();
        EXPECT_EQ(player.Error(), 0);
        EXPECT_EQ(player.Mode(), MediaPlayer::PlayerMode::Playing);
    }
    EXPECT_TRUE(QMediaDevices::audioInputs().isEmpty());

    TDlgTestFullDulex dialog;
    ShowCounter warnings(&dialog);
    EXPECT_FALSE(dialog.TestFullDuplex());
    EXPECT_EQ(warnings.shows, 1);
    EXPECT_EQ(dialog.MediaPlayer1->Mode(), MediaPlayer::PlayerMode::NotReady);
    EXPECT_EQ(dialog.MediaPlayer2->Mode(), MediaPlayer::PlayerMode::NotReady);
}
