#pragma once

#include "common/LaunchResult.h"
#include "listening/Lesson.h"
#include "listening/SyntagmText.h"
#include "listening/TrainerRules.h"
#include "listening/WindowFitting.h"
#include "widgets/Look.h"

#include <QDialog>
#include <QPixmap>
#include <QTimer>

class MediaPlayer;
class QLabel;
class TBtnImgD1QF;
class TBtnImgTransD1QF;
class TChBxImgTransD1QF;
class TPrgssBarQF;

// What the trainer is opened with. Without a recording name it records
// nothing and is a plain listening exercise.
struct TransNoTextSettings {
    QString lessonRecording;
    QString recording;
    LessonFileNames files;
    bool textAllowed = false;
    bool transAllowed = false;
    bool waitAllowed = false;
    QString dataFolder;
    int helpTopic = 0;
};

// One pane's drawing box: shows the picture the window last painted into it.
class TransPaintBox : public QWidget {
public:
    using QWidget::QWidget;
    QPixmap image;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The interpretation trainer: the lesson plays while the student interprets it
// aloud into a recording; the student may pause both, or hold the lesson back
// while the recording goes on. The text and the translation run along only
// when the exercise allows them and they were ticked before the start.
class TFormTransNoText : public QDialog {
    Q_OBJECT
public:
    static constexpr PageLayout Design{{524, 332}, 77};
    static constexpr int TimerInterval = 50;
    static constexpr qint64 NotStopping = 2000000000;
    // The template every recording starts from, in the working folder.
    static const QString RecordingTemplate;

    explicit TFormTransNoText(const TransNoTextSettings& settings, QWidget* parent = nullptr);
    ~TFormTransNoText() override;

    void FormShow();
    void SetPaintBegin();
    bool Load();
    void PaintText();
    void PaintTrans();
    void BitBtnPlayClick();
    void TimerPosTimer();
    void BitBtnPauseClick();
    void BtnImgWaitClick();
    void BitBtnStopClick();
    void MediaPlayerRecNotify();
    void MediaPlayerPlayNotify();
    void CheckBoxTextClick();
    void CheckBoxTransClick();
    void BitBtn1Click();
    void BitBtnCloseClick();

    int N() const { return n_; }
    bool running() const { return running_; }
    bool waiting() const { return waiting_; }
    bool recording() const { return recording_; }
    const Lesson& lessonData() const { return lesson_; }
    const SyntagmText& LaidText() const { return laidText_; }
    const PaneScroll& TextScroll() const { return textScroll_; }
    int shownPicture() const { return shownPicture_; }
    QSize paintArea() const { return paintArea_; }
    const QFont& paneFont() const { return paneFont_; }

    QWidget* PanelText;
    QWidget* PanelTrans;
    TransPaintBox* PaintBoxText;
    TransPaintBox* PaintBoxTrans;
    QLabel* ImageStatic;
    QLabel* ImageChange;
    QWidget* PanelNavF;
    TBtnImgTransD1QF* BitBtnPlay;
    QLabel* LabelPlay;
    TBtnImgTransD1QF* BitBtnPause;
    QLabel* LabelPause;
    TBtnImgTransD1QF* BitBtnStop;
    TBtnImgTransD1QF* BtnImgWait;
    QLabel* LabelWait;
    TChBxImgTransD1QF* CheckBoxText;
    TChBxImgTransD1QF* CheckBoxTrans;
    TBtnImgD1QF* BitBtn1;
    TBtnImgD1QF* BitBtnClose;
    TPrgssBarQF* ProgressBarRec;
    MediaPlayer* MediaPlayerPlay;
    MediaPlayer* MediaPlayerRec;
    QTimer TimerPos;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void makePanes();
    void makeLowerPanel();
    void arrangePanes();
    void arrangeLowerPanel();
    bool recordingMode() const { return !settings_.recording.isEmpty(); }
    bool timingKept() const { return settings_.waitAllowed && recording_; }
    bool isHeading(int line) const;
    // How many heading lines stand in a row from `line` on, the last line left.
    int headingsFrom(int line) const;
    void openRecording();
    void paintPane(TransPaintBox* box, SyntagmText& laid, PaneScroll& scroll, const QFont& font);
    void scrollPanes();
    void followPictures();
    void showPicture(int index);
    void setIdleControls();
    void showIdlePanes();
    void finishTiming(qint64 position);
    void keepPass();
    void settlePass(qint64 recorded);
    void closePlayers();
    void closeLessonPlayer();
    void checkFault(MediaPlayer* player);
    // Tells the student of a fault once the handler that met it has returned.
    void tell(const QString& text);
    void tellTimingFault();

    TransNoTextSettings settings_;
    Lesson lesson_;
    SyntagmText laidText_;
    SyntagmText laidTrans_;
    PaneScroll textScroll_;
    PaneScroll transScroll_;
    StudentTimingFile timing_;
    QSize paintArea_;
    // The panes' text fills the lines' cells, one line under the other.
    QFont paneFont_ = look::arialForCell(PaneScroll::LineHeight);
    int n_ = 2;
    int shownPicture_ = 0;
    bool running_ = false;
    bool textShown_ = false;
    bool transShown_ = false;
    bool paused_ = false;
    bool waiting_ = false;
    bool stopRequested_ = false;
    // This pass records: recording mode, and the template could be copied.
    bool recording_ = false;
    // The pass's own file has replaced the previous recording (RecordingPass.h).
    bool passKept_ = false;
    // A player's fault is ending the pass, and its message tells the rest.
    bool faulting_ = false;
    qint64 recordingStop_ = NotStopping;
    qint64 waitStart_ = 0;
    qint64 lessonLength_ = 0;
    QStringList pendingMessages_;
};

// Opens the trainer fitted into the rectangle (the main window's client area,
// screen coordinates). The exercise is gone through in every case: the
// launcher asks what next.
// No "*.tmp" files are deleted or used to refill a recording: the recorder
// writes straight into the recording file and makes none.
LaunchResult ExecuteTransNoText(int left, int top, int width, int height,
                                const QString& lessonRecording, const QString& recording,
                                const QString& textFile, const QString& transFile,
                                const QString& timingFile, const QString& pictureFile,
                                bool textAllowed, bool transAllowed, bool waitAllowed,
                                const QString& dataFolder, int helpTopic);
