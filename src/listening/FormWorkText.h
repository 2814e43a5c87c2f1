#pragma once

#include "common/LaunchResult.h"
#include "listening/Lesson.h"
#include "listening/ListeningRules.h"
#include "listening/ListeningWindow.h"

#include <QTimer>

class MediaPlayer;
class QLabel;
class QSlider;
class TBtnImgD1QF;
class TBtnImgTransD1QF;
class TChBxImgTransD1QF;
class TMemo;
class TTextSintagm;

// The files and names a listening window is opened with.
struct WorkTextNames {
    QString lessonRecording;
    QString studentRecording; // may be empty
    LessonFileNames files;    // files.studentRecording is set from the above
    QString dataFolder;
    QString student{};          // whose text size the window uses; empty: anonymous
    bool studentAtOpen = false; // the student recording is selected at opening
};

// The lesson text listening window: the lesson's recording plays while the
// current syntagm, red and underlined, follows it in the German text and in
// the Russian translation. One syntagm, the rest from a syntagm on, or a
// marked range in a loop can be played; comments of a syntagm can be read;
// and with a student's recording passed in, that recording can be followed
// with the same text.
class TFormWorkText : public ListeningWindow {
    Q_OBJECT
public:
    static constexpr PageLayout Design{{547, 369}, 116};
    static constexpr int TimerInterval = 50;
    static constexpr int IdleSpeed = 30000;
    static constexpr int FollowSpeed = 100000;

    explicit TFormWorkText(const WorkTextNames& names, QWidget* parent = nullptr);
    ~TFormWorkText() override;

    void FormShow() override;
    // Reads the lesson files; false when any of them had a fault (what was
    // read stays in use).
    bool Load();
    void TimerPosTimer();
    void TrackBarTextChange();
    void CheckBoxTextClick();
    void CheckBoxTransClick();
    void CheckBoxTransUserClick();
    void BitBtnPlayAllClick();
    void BitBtnSelectNextClick();
    void BitBtnSelectStringClick();
    void BitBtnStopClick();
    void tempoChosen(int percent);
    void BitBtnPauseClick();
    void MediaPlayerTextNotify();
    void BtnImgTransD1QF2Click();
    void BtnImgTransD1QF1Click();
    void BtnImgComentClick();
    void MemoComentClick();
    void BitBtn1Click();
    void BitBtn5Click();

    // The current syntagm, from 1.
    int N() const { return n_; }
    const LoopRange& Loop() const { return loop_; }
    bool following() const { return following_; }
    bool paused() const { return paused_; }
    const QString& soundFile() const { return soundFile_; }
    // Where the tempo choice goes in the lower panel.
    QRect tempoPlace() const { return tempoPlace_; }

    TTextSintagm* TextSintagmText;
    TTextSintagm* TextSintagmTrans;
    QWidget* Panel7;
    QSlider* TrackBarText;
    TChBxImgTransD1QF* CheckBoxText;
    TChBxImgTransD1QF* CheckBoxTrans;
    TChBxImgTransD1QF* CheckBoxTransUser;
    TBtnImgD1QF* BitBtnPlayAll;
    TBtnImgD1QF* BitBtnSelectNext;
    TBtnImgD1QF* BitBtnSelectString;
    TBtnImgD1QF* BitBtnStop;
    TBtnImgTransD1QF* BitBtnPause;
    QLabel* LabelPause;
    TBtnImgTransD1QF* BtnImgTransD1QF1;
    TBtnImgTransD1QF* BtnImgTransD1QF2;
    QLabel* LabelSelect;
    TBtnImgTransD1QF* BtnImgComent;
    TBtnImgD1QF* BitBtn1;
    TBtnImgD1QF* BitBtn5;
    QWidget* PanelComent;
    TMemo* MemoComent;
    MediaPlayer* MediaPlayerText;
    QTimer TimerPos;

protected:
    void arrange() override;
    void applyTextSize() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void makeViews();
    void makeLowerPanel();
    void arrangeViews();
    void arrangeLowerPanel();
    void FormKeyPress(QKeyEvent* event);
    // A click on syntagm `index` (from 0) of either pane: it becomes the
    // current one, and a play that follows the sound jumps there.
    void syntagmClicked(int index);
    // A double click plays that syntagm alone.
    void syntagmDoubleClicked(int index);
    void setCurrent(int n);
    bool playing() const;
    bool studentSelected() const;
    const TimingTable& timingInUse() const;
    bool openPlayer();
    // Plays [from, to) of the current sound file (to the end without `to`).
    void startPlaying(qint32 from, std::optional<qint32> to, bool follow);
    bool segmentMissing();
    void setPlayControls(bool idle);
    void setSpeeds(int speed);
    void showMarkedRange();

    WorkTextNames names_;
    QString soundFile_;
    int n_ = 1;
    bool textShown_ = false;
    bool transShown_ = false;
    bool following_ = false;
    bool loopActive_ = false;
    bool paused_ = false;
    std::optional<qint32> playEnd_; // where the play under way ends
    QRect tempoPlace_;
    bool rangeMarked_ = false;
    LoopRange loop_;
};

// Opens the listening window fitted into the rectangle (the main window's
// client area, screen coordinates) on the lesson files; a student recording,
// when named, can be switched to and followed with its own timing file.
// `unused` is kept for the callers, which pass 2; `student` names whose text
// size to use. The exercise is always gone through: the window reports no
// outcome.
LaunchResult ExecuteWorkText(int left, int top, int width, int height,
                             const QString& lessonRecording, const QString& studentRecording,
                             const QString& textFile, const QString& transFile,
                             const QString& timingFile, const QString& pictureFile, int unused,
                             const QString& dataFolder, const QString& student = {});
