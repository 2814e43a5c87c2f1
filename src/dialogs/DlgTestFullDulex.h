#pragma once

#include "dialogs/DlgFrame.h"

class MediaPlayer;
class TMemo;
class TBtnImgD1QF;

// The sound test that comes before the exercises recording the student's
// voice, and the warning shown when the sound card cannot play and record at
// the same time.
class TDlgTestFullDulex : public TDlgFrame {
    Q_OBJECT
public:
    explicit TDlgTestFullDulex(QWidget* parent = nullptr);

    // Plays "Null.wav" while recording into "NullRec.wav" (both in the
    // current folder). True when both start together; otherwise shows the
    // warning once and returns false. Leaves both players stopped and closed.
    bool TestFullDuplex();

    TMemo* Memo1;
    TBtnImgD1QF* BtnImgD1QF1;
    MediaPlayer* MediaPlayer1;
    MediaPlayer* MediaPlayer2;

private:
    void closeOpenPlayers();
};

TDlgTestFullDulex* DlgTestFullDulex();
// The test on the shared dialog.
bool TestFullDuplex();
