#pragma once

#include "common/CourseCodes.h"
#include "common/LaunchResult.h"
#include "listening/Lesson.h"
#include "listening/ListeningWindow.h"
#include "listening/SyntagmLayout.h"
#include "listening/TrainerRules.h"
#include "widgets/Look.h"

#include <QPixmap>
#include <QTimer>
#include <functional>

class MediaPlayer;
class LevelMeter;
class MicCheck;
class QLabel;
class TBtnImgD1QF;
class TBtnImgTransD1QF;
class TChBxImgTransD1QF;
class TPrgssBarQF;

// What a review of a pass is given: the lesson's sound, timing and text
// files, the pass's recording, its timing file (empty when the pass wrote
// none) and the exercise's kind.
struct PassReview {
    QString lessonRecording;
    QString lessonTiming;
    QString text;
    QString recording;
    QString studentTiming;
    ExerciseKind kind;
};
using PassReviewOpener = std::function<void(const PassReview&)>;

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
    QString student{}; // whose text size the window uses; empty: anonymous
    ExerciseKind kind = ExerciseKind::Interpretation;
    // "Разбор перевода" opens the review through this; without it the
    // button stays hidden.
    PassReviewOpener review{};
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
class TFormTransNoText : public ListeningWindow {
    Q_OBJECT
public:
    static constexpr PageLayout Design{{524, 332}, 77};
    static constexpr int TimerInterval = 50;
    // The template every recording starts from, in the working folder.
    static const QString RecordingTemplate;

    explicit TFormTransNoText(const TransNoTextSettings& settings, QWidget* parent = nullptr);
    ~TFormTransNoText() override;

    void FormShow() override;
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
    void BtnMicCheckClick();
    void BtnListenClick();
    void BtnReviewClick();
    void TimerLevelTimer();
    // Where the tempo choice goes in the lower panel.
    QRect tempoPlace() const { return tempoPlace_; }

    int N() const { return pass_.current(); }
    bool running() const { return pass_.active(); }
    bool waiting() const { return pass_.state() == PassState::Waiting; }
    bool recording() const { return pass_.records(); }
    const SyntagmLayout& LaidText() const { return laidText_; }
    const PaneScroll& TextScroll() const { return textScroll_; }
    QSize paintArea() const { return paintArea_; }
    const QFont& paneFont() const { return paneFont_; }

    TransPaintBox* PaintBoxText;
    TransPaintBox* PaintBoxTrans;
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
    LevelMeter* MeterRec;
    QLabel* LabelQuiet;
    TBtnImgD1QF* BtnMicCheck;
    TBtnImgD1QF* BtnListen;
    TBtnImgD1QF* BtnReview;
    MicCheck* MicCheckRec;
    QTimer TimerLevel;
    MediaPlayer* MediaPlayerPlay;
    MediaPlayer* MediaPlayerRec;
    QTimer TimerPos;

protected:
    void arrange() override;
    void applyTextSize() override;
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void makeLowerPanel();
    void makeRecordingControls();
    void showActions();
    void micCheckFinished();
    void arrangePaintBoxes();
    void arrangeLowerPanel();
    bool recordingMode() const { return !settings_.recording.isEmpty(); }
    bool timingKept() const { return settings_.waitAllowed && pass_.records(); }
    void openRecording();
    void paintPane(TransPaintBox* box, SyntagmLayout& laid, PaneScroll& scroll, const QFont& font);
    void followPass();
    void scrollPanes();
    void setIdleControls();
    void showIdlePanes();
    void endPass();
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
    SyntagmLayout laidText_;
    SyntagmLayout laidTrans_;
    PaneScroll textScroll_;
    PaneScroll transScroll_;
    StudentTimingFile timing_;
    QSize paintArea_;
    // The panes' text fills the lines' cells, one line under the other.
    QFont paneFont_ = look::arialForCell(PaneScroll::DesignedLineHeight);
    // Records when in recording mode and the template could be copied.
    TrainerPass pass_;
    bool textShown_ = false;
    bool transShown_ = false;
    // The pass's own file has replaced the previous recording (RecordingPass.h).
    bool passKept_ = false;
    // A player's fault is ending the pass, and its message tells the rest.
    bool faulting_ = false;
    qint64 lessonLength_ = 0;
    QStringList pendingMessages_;
    QuietWatch quiet_;
    // A pass has run in this window: the microphone check is for before.
    bool passRun_ = false;
    QRect tempoPlace_;
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
                                const QString& dataFolder, int helpTopic,
                                const QString& student = {});
// The same with every setting: the student, the kind and the review too.
LaunchResult ExecuteTransNoText(const QRect& room, const TransNoTextSettings& settings);
