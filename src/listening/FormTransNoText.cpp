#include "listening/FormTransNoText.h"

#include "common/Paths.h"
#include "dialogs/DlgMessage.h"
#include "listening/FormWorkText.h"
#include "listening/LevelMeter.h"
#include "listening/ListeningControls.h"
#include "listening/MicCheck.h"
#include "listening/RecordingPass.h"
#include "sound/MediaPlayer.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/ButtonPictures.h"
#include "widgets/ChBxImgTransD1QF.h"
#include "widgets/DialogResult.h"
#include "widgets/HelpContext.h"
#include "widgets/Look.h"
#include "widgets/Pictures.h"
#include "widgets/PrgssBarQF.h"
#include "widgets/TempoBox.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QShowEvent>
#include <cmath>

const QString TFormTransNoText::RecordingTemplate = QStringLiteral("TSBegin.wav");

namespace {
const QString ReadFaultCaption = QStringLiteral("Ошибка чтения файла");
const QString TextFaultText = QStringLiteral("Ошибка чтения файла.\rПовреждены текстовые файлы");
const QString TemplateFaultText = QStringLiteral("Повреждены файлы");
const QString SoundFaultCaption = QStringLiteral("Ошибка звука");
const QString QuietText = QStringLiteral("Микрофон не слышит голоса. Проверьте, включён ли он.");
// The column of the pass's own buttons.
constexpr int ActionsWidth = 140;
const QString ShortPassText = QStringLiteral("Запись короче половины секунды не сохранена.");
constexpr int TextX = 10;
const QString Symbol(const char* name)
{
    return QStringLiteral(":/listening/pictures/%1.svg").arg(QLatin1String(name));
}

SyntagmLayout::WidthOf widthIn(const QFont& font)
{
    return [font](const QString& text, quint8 style) {
        return QFontMetrics(styledFont(font, style)).horizontalAdvance(text);
    };
}
} // namespace

void TransPaintBox::paintEvent(QPaintEvent*)
{
    QPainter(this).drawPixmap(0, 0, image);
}

TFormTransNoText::TFormTransNoText(const TransNoTextSettings& settings, QWidget* parent)
    : ListeningWindow(Design, settings.dataFolder, settings.student, parent),
      MediaPlayerPlay(new MediaPlayer(this)), MediaPlayerRec(new MediaPlayer(this)),
      settings_(settings)
{
    if (recordingMode())
        settings_.recording = coursePath(settings_.recording);
    PaintBoxText = new TransPaintBox(PanelText);
    PaintBoxTrans = new TransPaintBox(PanelTrans);
    makeLowerPanel();
    makeRecordingControls();
    laidText_.HideHeadings = laidTrans_.HideHeadings = true;
    connect(MediaPlayerPlay, &MediaPlayer::Notify, this, &TFormTransNoText::MediaPlayerPlayNotify);
    connect(MediaPlayerRec, &MediaPlayer::Notify, this, &TFormTransNoText::MediaPlayerRecNotify);
    TimerPos.setInterval(TimerInterval);
    connect(&TimerPos, &QTimer::timeout, this, &TFormTransNoText::TimerPosTimer);
    // Step 3 of the launch: the label tells a listening exercise.
    LabelPlay->setText(recordingMode() ? QStringLiteral("Переводить") : QStringLiteral("Слушать"));
    BitBtnPlay->setEnabled(true);
    BitBtnStop->setEnabled(false);
    BitBtnPause->setEnabled(false);
    CheckBoxText->SetChecked(false);
    CheckBoxText->SetEnabled(settings_.textAllowed);
    CheckBoxTrans->SetEnabled(settings_.transAllowed);
    BtnImgWait->setEnabled(settings_.waitAllowed);
    LabelWait->setEnabled(settings_.waitAllowed);
    showActions();
}

TFormTransNoText::~TFormTransNoText() = default;

void TFormTransNoText::makeLowerPanel()
{
    PanelNavF = new QWidget(this);
    // The lesson's tempo is chosen before a pass; the recording is never slowed.
    addTempoChoice(PanelNavF);
    MediaPlayerPlay->SetTempo(TempoChoice->tempo());
    connect(TempoChoice, &TempoBox::tempoChosen, MediaPlayerPlay, &MediaPlayer::SetTempo);
    ProgressBarRec = new TPrgssBarQF(PanelNavF);
    dressProgressBar(*ProgressBarRec);
    ProgressBarRec->SetColor(Qt::black);
    ProgressBarRec->SetPosition(0);
    CheckBoxText = checkBox(QStringLiteral("Показывать текст"), PanelNavF);
    CheckBoxTrans = checkBox(QStringLiteral("Показывать перевод"), PanelNavF);
    // Here the red ball is the ticked box: nothing is reversed.
    for (TChBxImgTransD1QF* box : {CheckBoxText, CheckBoxTrans})
        dressCheckBox(*box, 18);
    connect(CheckBoxText, &TChBxImgTransD1QF::clicked, this, &TFormTransNoText::CheckBoxTextClick);
    connect(CheckBoxTrans, &TChBxImgTransD1QF::clicked, this,
            &TFormTransNoText::CheckBoxTransClick);

    BitBtnPlay = roundButton(Symbol("play"), QStringLiteral("Переводить"), PanelNavF);
    BitBtnPause = roundButton(Symbol("pause"), QStringLiteral("Пауза"), PanelNavF);
    BitBtnStop = roundButton(Symbol("stop"), QStringLiteral("Стоп"), PanelNavF);
    BtnImgWait = roundButton(Symbol("wait"), QStringLiteral("Подождать"), PanelNavF);
    LabelPlay = captionOf(BitBtnPlay);
    LabelPause = captionOf(BitBtnPause);
    LabelWait = captionOf(BtnImgWait);
    connect(BitBtnPlay, &QAbstractButton::clicked, this, &TFormTransNoText::BitBtnPlayClick);
    connect(BitBtnPause, &QAbstractButton::clicked, this, &TFormTransNoText::BitBtnPauseClick);
    connect(BitBtnStop, &QAbstractButton::clicked, this, &TFormTransNoText::BitBtnStopClick);
    connect(BtnImgWait, &QAbstractButton::clicked, this, &TFormTransNoText::BtnImgWaitClick);

    BitBtn1 = labelButton(QStringLiteral("Помощь"), PanelNavF);
    BitBtnClose = labelButton(QStringLiteral("Выход"), PanelNavF);
    connect(BitBtn1, &QAbstractButton::clicked, this, &TFormTransNoText::BitBtn1Click);
    connect(BitBtnClose, &QAbstractButton::clicked, this, &TFormTransNoText::BitBtnCloseClick);
    BitBtnPlay->setToolTip(QStringLiteral("Начать (F5)"));
    BitBtnPause->setToolTip(QStringLiteral("Пауза и продолжение (F5)"));
    BitBtnStop->setToolTip(QStringLiteral("Остановить (F8)"));
    BtnImgWait->setToolTip(QStringLiteral("Подождать и продолжить (F6)"));
    BitBtnClose->setToolTip(QStringLiteral("Закрыть окно (Esc)"));
}

// The level meter with its light, the hint of a silent microphone, and the
// buttons a pass offers before and after it: the microphone check, the
// recording played back and its review. They lie in the window itself, so
// that a window too narrow for them in the lower panel shows them on the
// left page, where the picture of a voice stands while no pass runs.
void TFormTransNoText::makeRecordingControls()
{
    MeterRec = new LevelMeter(PanelNavF);
    MeterRec->setToolTip(QStringLiteral("Уровень звука с микрофона; красный огонёк: идёт запись"));
    LabelQuiet = new QLabel(QuietText, this);
    LabelQuiet->setAlignment(Qt::AlignCenter);
    LabelQuiet->setWordWrap(true);
    LabelQuiet->setStyleSheet(
        QStringLiteral("background: #fff6c8; border: 1px solid #b08800; padding: 2px;"));
    LabelQuiet->hide();
    BtnMicCheck = labelButton(QStringLiteral("Проверить микрофон"), this, ActionsWidth);
    BtnListen = labelButton(QStringLiteral("Прослушать запись"), this, ActionsWidth);
    BtnReview = labelButton(QStringLiteral("Разбор перевода"), this, ActionsWidth);
    BtnMicCheck->setToolTip(QStringLiteral("Записать три секунды и сразу прослушать их"));
    BtnListen->setToolTip(QStringLiteral("Прослушать только что сделанную запись с текстом"));
    connect(BtnMicCheck, &QAbstractButton::clicked, this, &TFormTransNoText::BtnMicCheckClick);
    connect(BtnListen, &QAbstractButton::clicked, this, &TFormTransNoText::BtnListenClick);
    connect(BtnReview, &QAbstractButton::clicked, this, &TFormTransNoText::BtnReviewClick);
    MicCheckRec = new MicCheck(this);
    connect(MicCheckRec, &MicCheck::finished, this, &TFormTransNoText::micCheckFinished);
    TimerLevel.setInterval(TimerInterval);
    connect(&TimerLevel, &QTimer::timeout, this, &TFormTransNoText::TimerLevelTimer);
}

void TFormTransNoText::arrange()
{
    arrangePaintBoxes();
    arrangeLowerPanel();
}

void TFormTransNoText::arrangePaintBoxes()
{
    const int paneHeight = panelTop();
    // The drawing area, the same in both panes, in the middle of each.
    paintArea_ = QSize(int(std::nearbyint(paneHeight * 260.0 / 280 - 50)), paneHeight - 30);
    for (TransPaintBox* box : {PaintBoxText, PaintBoxTrans}) {
        const QRect page = box->parentWidget()->rect();
        QRect area(QPoint(0, 0), paintArea_);
        area.moveCenter(page.center());
        box->setGeometry(area);
        box->image = QPixmap(paintArea_);
        box->image.fill(Qt::white);
    }
    ImageStatic->setPixmap(loadPicture(Symbol("voice"), ImageStatic->size()));
    laidText_.markStale();
    laidTrans_.markStale();
    showPicture(std::max(shownPicture(), 1));
}

void TFormTransNoText::arrangeLowerPanel()
{
    PanelNavF->setGeometry(0, panelTop(), width(), Design.lowerPanel);
    // The top row: the lesson's progress, the tempo's place and the level.
    constexpr int meter = 110, tempo = 130;
    MeterRec->setGeometry(width() - 10 - meter, 4, meter, 14);
    tempoPlace_ = QRect(MeterRec->x() - 10 - tempo, 1, tempo, 20);
    placeTempoChoice(tempoPlace_);
    ProgressBarRec->setGeometry(10, 5, tempoPlace_.x() - 20, 12);
    // Below it four groups, the room left over spread between them: the check
    // boxes, the four round buttons with their captions, the pass's own
    // buttons, help and exit.
    constexpr int boxes = 150, rounds = 4 * 64, exits = 88;
    const bool actionsBelow = width() >= 20 + boxes + rounds + ActionsWidth + exits + 12;
    const int actions = actionsBelow ? ActionsWidth : 0;
    const int gap = std::max(4, (width() - 20 - boxes - rounds - actions - exits) / 3);
    int x = 10;
    CheckBoxText->move(x, 26);
    CheckBoxTrans->move(x, 50);
    x += boxes + gap;
    x = placeRoundButtons({BitBtnPlay, BitBtnPause, BitBtnStop, BtnImgWait}, x, 20, 57, 64) + gap;
    const QPoint actionsAt = actionsBelow
                                 ? QPoint(x, panelTop() + 20)
                                 : QPoint(PanelText->x() + (PanelText->width() - ActionsWidth) / 2,
                                          PanelText->geometry().bottom() - 64);
    BtnMicCheck->move(actionsAt);
    BtnListen->move(actionsAt);
    BtnReview->move(actionsAt + QPoint(0, 28));
    x += actions + gap;
    BitBtn1->move(x, 20);
    BitBtnClose->move(x, 48);
    LabelQuiet->setGeometry(20, panelTop() - 44, width() - 40, 36);
}

// Before the first pass the microphone check; after a pass that kept its
// recording, hearing it and its review. Disabled while a pass runs.
void TFormTransNoText::showActions()
{
    const bool idle = !pass_.active() && !MicCheckRec->running();
    TempoChoice->setEnabled(idle);
    BtnMicCheck->setVisible(recordingMode() && !passRun_);
    BtnMicCheck->setEnabled(idle);
    BtnListen->setVisible(recordingMode() && passRun_);
    BtnListen->setEnabled(idle && passKept_);
    BtnReview->setVisible(recordingMode() && settings_.review);
    BtnReview->setEnabled(idle && passKept_);
    for (QWidget* button : {BtnMicCheck, BtnListen, BtnReview})
        button->raise();
}

void TFormTransNoText::BtnMicCheckClick()
{
    QString why;
    if (!MicCheckRec->start(coursePath(RecordingTemplate), &why)) {
        tell(why);
        return;
    }
    BitBtnPlay->setEnabled(false);
    showActions();
    TimerLevel.start();
}

void TFormTransNoText::micCheckFinished()
{
    BitBtnPlay->setEnabled(true);
    MeterRec->setRecording(false);
    if (MicCheckRec->error() != SoundOk)
        tell(MediaPlayer::ErrorText(MicCheckRec->error()));
    showActions();
}

// The meter follows whatever records: the microphone check, or a pass.
void TFormTransNoText::TimerLevelTimer()
{
    const bool checking = MicCheckRec->recording();
    if (!checking && !(pass_.records() && pass_.active())) {
        TimerLevel.stop();
        MeterRec->setRecording(false);
        return;
    }
    const float peak = checking ? MicCheckRec->takePeak() : MediaPlayerRec->InputPeak();
    MeterRec->setRecording(checking ||
                           MediaPlayerRec->Mode() == MediaPlayer::PlayerMode::Recording);
    MeterRec->setLevel(peak);
    if (checking)
        return;
    if (quiet_.silenceFound(MediaPlayerRec->Position(), peak))
        LabelQuiet->show();
    else if (quiet_.heard())
        LabelQuiet->hide();
}

// The listening window on this pass's own recording, whoever the student is:
// its timing file when the pass wrote one, else the lesson's, which the
// recording shares.
void TFormTransNoText::BtnListenClick()
{
    WorkTextNames names{settings_.lessonRecording, settings_.recording, settings_.files,
                        settings_.dataFolder,      settings_.student,   true};
    TFormWorkText form(names, this);
    form.setGeometry(geometry());
    form.exec();
}

void TFormTransNoText::BtnReviewClick()
{
    const QString timing = studentTimingName(settings_.recording);
    settings_.review({settings_.lessonRecording, settings_.files.timing, settings_.files.text,
                      settings_.recording, QFileInfo::exists(timing) ? timing : QString(),
                      settings_.kind});
}

void TFormTransNoText::FormShow()
{
    arrangePaintBoxes();
    textShown_ = transShown_ = false;
    textScroll_ = transScroll_ = {};
    applyTextSize();
    PaintBoxText->hide();
    PaintBoxTrans->hide();
    SetPaintBegin();
    showPicture(1);
    setHelpContext(this, settings_.helpTopic);
}

void TFormTransNoText::SetPaintBegin()
{
    if (!Load()) {
        QStringList lines{TextFaultText};
        for (const CourseError& error : lesson_.errors)
            lines.append(error.userText());
        showFileProblems({lines.join(u'\r')}, FileFault::Error, ReadFaultCaption);
    }
    laidText_.SetText(lesson_.text);
    laidTrans_.SetText(lesson_.trans);
    const int width = paintArea_.width() - 20;
    laidText_.layOut(width, widthIn(paneFont_));
    laidTrans_.layOut(width, widthIn(paneFont_));
    textScroll_.currentTop = transScroll_.currentTop = paintArea_.height() / 2;
    textScroll_.drift = transScroll_.drift = 0;
}

void TFormTransNoText::applyTextSize()
{
    const int lineHeight = textZoom().scaled(PaneScroll::DesignedLineHeight);
    paneFont_ = look::arialForCell(lineHeight);
    textScroll_.lineHeight = transScroll_.lineHeight = lineHeight;
    laidText_.markStale();
    laidTrans_.markStale();
    if (textShown_)
        PaintText();
    if (transShown_)
        PaintTrans();
}

bool TFormTransNoText::Load()
{
    lesson_ = loadLesson(settings_.files);
    return lesson_.errors.isEmpty();
}

void TFormTransNoText::PaintText()
{
    paintPane(PaintBoxText, laidText_, textScroll_, paneFont_);
}

void TFormTransNoText::PaintTrans()
{
    paintPane(PaintBoxTrans, laidTrans_, transScroll_, paneFont_);
}

void TFormTransNoText::paintPane(TransPaintBox* box, SyntagmLayout& laid, PaneScroll& scroll,
                                 const QFont& font)
{
    const SyntagmLayout::WidthOf widthOf = widthIn(font);
    laid.SetPosition(pass_.current() - 1);
    laid.layOut(paintArea_.width() - 20, widthOf);
    box->image.fill(Qt::white);
    QPainter painter(&box->image);
    for (int line = 1; line <= laid.lastLine() && line < laid.Lines().size(); ++line) {
        const int top = scroll.lineTop(line);
        if (top < -scroll.lineHeight || top > paintArea_.height())
            continue;
        drawRuns(painter, font, laid.lineRuns(line, QPoint(TextX, top), widthOf));
    }
    const int n = pass_.current();
    const int current = n - 1 < laid.places().size() ? laid.places()[n - 1].startLine : 0;
    scroll.currentTop = scroll.lineTop(current);
    box->update();
}

void TFormTransNoText::BitBtnPlayClick()
{
    CheckBoxText->SetEnabled(false);
    CheckBoxTrans->SetEnabled(false);
    QString fault;
    if (recordingMode()) {
        fault = startPassFile(coursePath(RecordingTemplate), settings_.recording);
        if (!fault.isEmpty())
            showFileProblems({TemplateFaultText + u'\r' + fault + u'\r' +
                              previousRecordingText(settings_.recording)},
                             FileFault::Error, ReadFaultCaption);
    }
    pass_.start(lesson_, recordingMode() && fault.isEmpty(), MediaPlayerPlay->Tempo());
    passKept_ = false;
    MediaPlayerPlay->SetFileName(settings_.lessonRecording);
    MediaPlayerPlay->Open();
    lessonLength_ = MediaPlayerPlay->Length();
    if (pass_.records())
        openRecording();
    MediaPlayerPlay->Play(0);
    passRun_ = true;
    quiet_.start();
    LabelQuiet->hide();
    if (pass_.records())
        TimerLevel.start();
    showActions();
    ProgressBarRec->SetMax(int(lessonLength_ / 1000));
    TimerPos.start();
    BitBtnStop->setEnabled(true);
    BitBtnPause->setEnabled(true);
    BitBtnPlay->setEnabled(false);
    BitBtnClose->setEnabled(false);
    // A pass that records nothing has no recording to hold the lesson back for.
    BtnImgWait->setEnabled(settings_.waitAllowed && pass_.records());
    LabelWait->setText(QStringLiteral("Подождать"));
    textShown_ = CheckBoxText->Checked();
    transShown_ = CheckBoxTrans->Checked();
    ImageStatic->setVisible(!textShown_);
    PaintBoxText->setVisible(textShown_);
    ImageChange->setVisible(!transShown_);
    PaintBoxTrans->setVisible(transShown_);
    textScroll_.drift = transScroll_.drift = 0;
    // The first syntagm opens at 0, and the timing keeps the lines of the
    // title and of the headings right after it.
    if (timingKept() &&
        !timing_.start(studentTimingName(passRecordingName(settings_.recording)), pass_.current()))
        tellTimingFault();
}

void TFormTransNoText::openRecording()
{
    MediaPlayerRec->SetFileName(passRecordingName(settings_.recording));
    MediaPlayerRec->Open();
    MediaPlayerRec->StartRecording(
        0, recorderRangeEnd(lessonLength_, laidText_.lastLine(), MediaPlayerPlay->Tempo()));
}

void TFormTransNoText::TimerPosTimer()
{
    if (pass_.records() && !passKept_ && MediaPlayerRec->Position() >= PassKeptAfterMs)
        keepPass();
    const qint64 position = MediaPlayerPlay->Position();
    switch (pass_.tick(position, MediaPlayerRec->Position())) {
    case PassTick::Hold:
        return;
    case PassTick::EndWait:
        BtnImgWaitClick();
        return;
    case PassTick::EndPass:
        BitBtnStopClick();
        return;
    case PassTick::Progress:
        ProgressBarRec->SetPosition(int(position / 1000));
        return;
    case PassTick::Follow:
        ProgressBarRec->SetPosition(int(position / 1000));
        followPass();
        return;
    }
}

void TFormTransNoText::followPass()
{
    scrollPanes();
    const std::optional<int> headings = pass_.headingsPassed();
    if (headings && timingKept() && !timing_.next(MediaPlayerRec->Position(), *headings))
        tellTimingFault();
    if (textShown_)
        PaintText();
    if (transShown_)
        PaintTrans();
    else
        followPictures(pass_.current());
}

void TFormTransNoText::scrollPanes()
{
    const qint64 position = MediaPlayerPlay->Position();
    const int height = paintArea_.height();
    textScroll_.step(position, lessonLength_, laidText_.lastLine(), height);
    transScroll_.step(position, lessonLength_, laidTrans_.lastLine(), height);
}

void TFormTransNoText::BitBtnPauseClick()
{
    if (pass_.state() != PassState::Paused) {
        pass_.pause();
        TimerPos.stop();
        LabelPause->setText(QStringLiteral("Далее"));
        if (pass_.records())
            MediaPlayerRec->Pause();
        MediaPlayerPlay->Pause();
        BtnImgWait->setEnabled(false);
        return;
    }
    pass_.resume();
    TimerPos.start();
    LabelPause->setText(QStringLiteral("Пауза"));
    if (pass_.records())
        MediaPlayerRec->StartRecording();
    MediaPlayerPlay->Play();
    BtnImgWait->setEnabled(settings_.waitAllowed && pass_.records());
}

void TFormTransNoText::BtnImgWaitClick()
{
    if (!pass_.active())
        return;
    if (pass_.state() != PassState::Waiting) {
        LabelWait->setText(QStringLiteral("Далее"));
        pass_.wait(MediaPlayerRec->Position());
        MediaPlayerPlay->Pause();
        BitBtnPause->setEnabled(false);
        return;
    }
    LabelWait->setText(QStringLiteral("Подождать"));
    MediaPlayerPlay->Play();
    pass_.endWait();
    BitBtnPause->setEnabled(true);
}

void TFormTransNoText::BitBtnStopClick()
{
    endPass();
    setIdleControls();
    textShown_ = transShown_ = false;
    ImageStatic->show();
    PaintBoxText->hide();
    ProgressBarRec->SetPosition(0);
    showPicture(1);
}

// Every end of a pass comes here: "Стоп", the lesson's end, "Выход" and a
// player's fault. What was recorded is saved, the timing file finished, and
// the pass kept or dropped.
void TFormTransNoText::endPass()
{
    pass_.requestStop();
    const qint64 recorded = MediaPlayerRec->Position();
    if (pass_.records()) {
        MediaPlayerRec->Stop();
        MediaPlayerRec->Save();
    }
    MediaPlayerPlay->Stop();
    finishTiming(recorded);
    settlePass(recorded);
    TimerLevel.stop();
    MeterRec->setRecording(false);
    LabelQuiet->hide();
    showActions();
}

void TFormTransNoText::finishTiming(qint64 position)
{
    if (timing_.open() && !timing_.finish(position))
        tellTimingFault();
}

// The pass has captured enough to be worth more than the previous recording:
// its file becomes the recording, and the pass goes on in it.
void TFormTransNoText::keepPass()
{
    passKept_ = true;
    QString why;
    if (!MediaPlayerRec->MoveFile(settings_.recording, &why)) {
        tell(CourseError{settings_.recording, 0,
                         QStringLiteral("новая запись не заменила прежнюю (%1)").arg(why)}
                 .userText());
        return;
    }
    if (!timingKept())
        dropStaleTiming(settings_.recording);
    else if (!timing_.moveTo(studentTimingName(settings_.recording)))
        tellTimingFault();
}

// A pass that ends before it kept anything leaves the previous recording.
void TFormTransNoText::settlePass(qint64 recorded)
{
    if (!pass_.records() || passKept_)
        return;
    if (recorded >= PassKeptAfterMs) {
        keepPass();
        return;
    }
    dropPassFiles(settings_.recording);
    if (!faulting_)
        tell(ShortPassText + u'\r' + previousRecordingText(settings_.recording));
}

void TFormTransNoText::setIdleControls()
{
    BitBtnStop->setEnabled(false);
    BitBtnPause->setEnabled(false);
    BitBtnPlay->setEnabled(true);
    BitBtnClose->setEnabled(true);
    LabelPause->setText(QStringLiteral("Пауза"));
    LabelWait->setText(QStringLiteral("Подождать"));
    BtnImgWait->setEnabled(settings_.waitAllowed);
    CheckBoxText->SetEnabled(settings_.textAllowed);
    CheckBoxTrans->SetEnabled(settings_.transAllowed);
}

void TFormTransNoText::showIdlePanes()
{
    pass_.settle();
    TimerPos.stop();
    setIdleControls();
    ImageStatic->show();
    ImageChange->show();
    PaintBoxText->hide();
    PaintBoxTrans->hide();
}

void TFormTransNoText::closePlayers()
{
    MediaPlayerRec->Stop();
    MediaPlayerRec->Save();
    MediaPlayerPlay->Stop();
    MediaPlayerPlay->Close();
    MediaPlayerRec->Close();
}

void TFormTransNoText::MediaPlayerRecNotify()
{
    checkFault(MediaPlayerRec);
    if (pass_.state() != PassState::StopRequested)
        return;
    closePlayers();
    showIdlePanes();
}

void TFormTransNoText::MediaPlayerPlayNotify()
{
    checkFault(MediaPlayerPlay);
    if (!pass_.records() && pass_.state() == PassState::StopRequested) {
        closeLessonPlayer();
        return;
    }
    const bool ended = MediaPlayerPlay->Mode() != MediaPlayer::PlayerMode::NotReady &&
                       MediaPlayerPlay->Position() >= MediaPlayerPlay->Length();
    if (!ended || !pass_.active())
        return;
    // Recording goes on for ten seconds more, then the timer ends the pass.
    if (pass_.records()) {
        pass_.lessonEnded(MediaPlayerRec->Position());
        return;
    }
    // The stop finds the lesson's run over, so no notification of its own
    // follows: this one is the last, and the window goes idle now.
    BitBtnStopClick();
    closeLessonPlayer();
}

void TFormTransNoText::closeLessonPlayer()
{
    MediaPlayerPlay->Stop();
    MediaPlayerPlay->Close();
    showIdlePanes();
}

// A player that failed while the pass runs (no device, a device lost, a full
// disk) ends the pass: what was recorded so far is in the file already.
void TFormTransNoText::checkFault(MediaPlayer* player)
{
    const SoundError error = player->Error();
    if (error == SoundOk || !pass_.active())
        return;
    QString text = MediaPlayer::ErrorText(error);
    faulting_ = true;
    BitBtnStopClick();
    faulting_ = false;
    // Whichever player met the fault first, a pass that records keeps what
    // it recorded, and the student should know where; or that the previous
    // recording is still there.
    if (pass_.records() && passKept_)
        text += QStringLiteral("\rЗапись до этого места сохранена в файле \"%1\".")
                    .arg(settings_.recording);
    else if (pass_.records())
        text += u'\r' + previousRecordingText(settings_.recording);
    tell(text);
}

void TFormTransNoText::tellTimingFault()
{
    tell(timing_.fault()->userText());
}

void TFormTransNoText::tell(const QString& text)
{
    pendingMessages_.append(text);
    if (pendingMessages_.size() > 1)
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            const QString text = pendingMessages_.join(u'\r');
            pendingMessages_.clear();
            ShowDlgMessage(text, SoundFaultCaption, MessageIcon::Error);
        },
        Qt::QueuedConnection);
}

// The box's click comes before it toggles: the box is about to show the
// opposite of what it shows now.
void TFormTransNoText::CheckBoxTextClick()
{
    if (!CheckBoxText->Enabled())
        return;
    const bool ticked = !CheckBoxText->Checked();
    PaintBoxText->setVisible(ticked);
    ImageStatic->setVisible(!ticked);
}

void TFormTransNoText::CheckBoxTransClick()
{
    if (!CheckBoxTrans->Enabled())
        return;
    const bool ticked = !CheckBoxTrans->Checked();
    PaintBoxTrans->setVisible(ticked);
    ImageChange->setVisible(!ticked);
}

void TFormTransNoText::BitBtn1Click()
{
    showHelpContext(settings_.helpTopic);
}

void TFormTransNoText::BitBtnCloseClick()
{
    MicCheckRec->stop();
    if (pass_.active()) {
        TimerPos.stop();
        endPass();
        // The window goes: the players' notifications find nothing to do.
        pass_.settle();
    }
    MediaPlayerPlay->Close();
    MediaPlayerRec->Close();
    closeDialog(*this, DialogResult::Cancel);
}

// The window's close leaves as "Выход" does, in a pass too.
void TFormTransNoText::reject()
{
    BitBtnCloseClick();
}

// Each key is its button's, and does nothing while that is disabled: a
// student who hits Escape in the middle of a recording keeps the pass.
void TFormTransNoText::keyPressEvent(QKeyEvent* event)
{
    if (zoomKey(event))
        return;
    const auto press = [](TBtnImgTransD1QF* button) {
        if (button->isEnabled())
            button->click();
    };
    switch (event->key()) {
    case Qt::Key_F5:
        press(pass_.active() ? BitBtnPause : BitBtnPlay);
        return;
    case Qt::Key_F6:
        press(BtnImgWait);
        return;
    case Qt::Key_F8:
        press(BitBtnStop);
        return;
    case Qt::Key_Escape:
        if (BitBtnClose->isEnabled())
            BitBtnCloseClick();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

LaunchResult ExecuteTransNoText(int left, int top, int width, int height,
                                const QString& lessonRecording, const QString& recording,
                                const QString& textFile, const QString& transFile,
                                const QString& timingFile, const QString& pictureFile,
                                bool textAllowed, bool transAllowed, bool waitAllowed,
                                const QString& dataFolder, int helpTopic, const QString& student)
{
    TransNoTextSettings settings{lessonRecording,
                                 recording,
                                 LessonFileNames{textFile, transFile, timingFile, pictureFile, {}},
                                 textAllowed,
                                 transAllowed,
                                 waitAllowed,
                                 dataFolder,
                                 helpTopic,
                                 student};
    return ExecuteTransNoText(QRect(left, top, width, height), settings);
}

LaunchResult ExecuteTransNoText(const QRect& room, const TransNoTextSettings& settings)
{
    TFormTransNoText form(settings);
    form.setGeometry(fitWindow(room, TFormTransNoText::Design));
    form.exec();
    return LaunchResult::GoneThrough;
}
