#include "dialogs/DlgTestFullDulex.h"

#include "dialogs/SharedDialogs.h"
#include "sound/MediaPlayer.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/Look.h"
#include "widgets/Memo.h"

TDlgTestFullDulex::TDlgTestFullDulex(QWidget* parent)
    : TDlgFrame({432, 213}, QStringLiteral("Внимание"), parent), Memo1(new TMemo(this)),
      BtnImgD1QF1(makeButton(QStringLiteral("OK"), {210, 168}, DialogResult::OK)),
      MediaPlayer1(new MediaPlayer(this)), MediaPlayer2(new MediaPlayer(this))
{
    setObjectName(QStringLiteral("DlgTestFullDulex"));
    setTextArea({92, 16, 326, 136});
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(toWindow({94, 30, 322, 110}));
    // Each of the lines below is one line on screen.
    Memo1->setFittedFont(look::arial(14), false);
    Memo1->SetAlignment(Qt::AlignHCenter);
    Memo1->SetLines({QStringLiteral("На вашем компьютере данное упражнение не "),
                     QStringLiteral("может быть выполнено. Звуковая карта не "),
                     QStringLiteral("поддерживает режим FullDuplex (невозможно "),
                     QStringLiteral("одновременно воспроизводить и записывать)."), QString()});
    BtnImgD1QF1->setObjectName(QStringLiteral("BtnImgD1QF1"));
    BtnImgD1QF1->SetDefault(true);
    MediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));
    MediaPlayer1->SetFileName(QStringLiteral("Null.wav"));
    MediaPlayer2->setObjectName(QStringLiteral("MediaPlayer2"));
    MediaPlayer2->SetFileName(QStringLiteral("NullRec.wav"));
}

void TDlgTestFullDulex::closeOpenPlayers()
{
    for (MediaPlayer* player : {MediaPlayer1, MediaPlayer2}) {
        if (player->Error() == 0)
            player->Close();
    }
}

bool TDlgTestFullDulex::TestFullDuplex()
{
    MediaPlayer1->Open();
    MediaPlayer2->Open();
    if (MediaPlayer1->Error() != 0 || MediaPlayer2->Error() != 0) {
        exec();
        MediaPlayer1->Stop();
        MediaPlayer2->Stop();
        closeOpenPlayers();
        return false;
    }
    MediaPlayer1->Play();
    MediaPlayer2->StartRecording();
    // Decided on the modes the devices report right away: a card that
    // cannot do both refuses the second stream at once.
    const bool both = MediaPlayer1->Mode() == MediaPlayer::PlayerMode::Playing &&
                      MediaPlayer2->Mode() == MediaPlayer::PlayerMode::Recording;
    MediaPlayer1->Stop();
    MediaPlayer2->Stop();
    if (!both)
        exec();
    closeOpenPlayers();
    return both;
}

TDlgTestFullDulex* DlgTestFullDulex()
{
    return sharedDialog<TDlgTestFullDulex>();
}

bool TestFullDuplex()
{
    return DlgTestFullDulex()->TestFullDuplex();
}
