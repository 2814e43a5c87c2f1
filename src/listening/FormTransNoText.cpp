#include "listening/FormTransNoText.h"

#include "common/Paths.h"
#include "dialogs/DlgMessage.h"
#include "listening/ListeningControls.h"
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

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QShowEvent>
#include <cmath>

// Outside any namespace, as the resource initialiser must be.
static void registerTrainerPictures()
{
    Q_INIT_RESOURCE(listening);
}

const QString TFormTransNoText::RecordingTemplate = QStringLiteral("TSBegin.wav");

namespace {
const QString ReadFaultCaption = QStringLiteral("Ошибка чтения файла");
const QString TextFaultText = QStringLiteral("Ошибка чтения файла.\rПовреждены текстовые файлы");
const QString TemplateFaultText = QStringLiteral("Повреждены файлы");
const QString SoundFaultCaption = QStringLiteral("Ошибка звука");
const QString ShortPassText = QStringLiteral("Запись короче половины секунды не сохранена.");
constexpr int ErrorIcon = 16;
constexpr int LineHeight = PaneScroll::LineHeight;
constexpr int TextX = 10;
const QString Symbol(const char* name)
{
    return QStringLiteral(":/listening/pictures/%1.svg").arg(QLatin1String(name));
}

QFont styled(QFont font, quint8 style)
{
    font.setBold(style & StyleBold);
    font.setItalic(style & StyleItalic);
    font.setUnderline(style & StyleUnderline);
    font.setStrikeOut(style & StyleStrikeOut);
    return font;
}

SyntagmText::WidthOf widthIn(const QFont& font)
{
    return [font](const QString& text, quint8 style) {
        return QFontMetrics(styled(font, style)).horizontalAdvance(text);
    };
}
} // namespace

void TransPaintBox::paintEvent(QPaintEvent*)
{
    QPainter(this).drawPixmap(0, 0, image);
}

TFormTransNoText::TFormTransNoText(const TransNoTextSettings& settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), MediaPlayerPlay(new MediaPlayer(this)),
      MediaPlayerRec(new MediaPlayer(this)), settings_(settings)
{
    if (recordingMode())
        settings_.recording = coursePath(settings_.recording);
    static const bool registered = (registerTrainerPictures(), true);
    Q_UNUSED(registered);
    look::fillBackground(this);
    setFont(look::arial(12));
    resize(Design.design);
    makePanes();
    makeLowerPanel();
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
}

TFormTransNoText::~TFormTransNoText() = default;

void TFormTransNoText::makePanes()
{
    PanelText = new QWidget(this);
    PanelTrans = new QWidget(this);
    for (QWidget* page : {PanelText, PanelTrans}) {
        page->setAutoFillBackground(true);
        QPalette white = page->palette();
        white.setColor(QPalette::Window, Qt::white);
        page->setPalette(white);
    }
    PaintBoxText = new TransPaintBox(PanelText);
    PaintBoxTrans = new TransPaintBox(PanelTrans);
    ImageStatic = pageImage(PanelText);
    ImageChange = pageImage(PanelTrans);
}

void TFormTransNoText::makeLowerPanel()
{
    PanelNavF = new QWidget(this);
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
}

void TFormTransNoText::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    arrangePanes();
    arrangeLowerPanel();
}

void TFormTransNoText::arrangePanes()
{
    const int paneHeight = height() - Design.lowerPanel;
    const int leftWidth = leftPageWidth(paneHeight);
    const int frame = pictureFrameWidth;
    PanelText->setGeometry(
        QRect(0, 0, leftWidth, paneHeight).adjusted(frame, frame, -frame, -frame));
    PanelTrans->setGeometry(QRect(leftWidth, 0, width() - leftWidth, paneHeight)
                                .adjusted(frame, frame, -frame, -frame));
    // The drawing area, the same in both panes, in the middle of each.
    paintArea_ = QSize(int(std::nearbyint(paneHeight * 260.0 / 280 - 50)), paneHeight - 30);
    for (QWidget* page : {PanelText, PanelTrans}) {
        for (QLabel* image : page->findChildren<QLabel*>())
            image->setGeometry(page->rect());
    }
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
    showPicture(std::max(shownPicture_, 1));
}

void TFormTransNoText::arrangeLowerPanel()
{
    PanelNavF->setGeometry(0, height() - Design.lowerPanel, width(), Design.lowerPanel);
    ProgressBarRec->setGeometry(10, 5, width() - 20, 12);
    // Three groups, the room left over spread between them: the check boxes,
    // the four round buttons with their captions, help and exit.
    constexpr int boxes = 150, rounds = 4 * 64, exits = 88;
    const int gap = std::max(4, (width() - 20 - boxes - rounds - exits) / 2);
    int x = 10;
    CheckBoxText->move(x, 26);
    CheckBoxTrans->move(x, 50);
    x += boxes + gap;
    for (TBtnImgTransD1QF* button : {BitBtnPlay, BitBtnPause, BitBtnStop, BtnImgWait}) {
        button->move(x + 32 - button->width() / 2, 20);
        captionOf(button)->setGeometry(x - 4, 57, 72, 18);
        x += 64;
    }
    x += gap;
    BitBtn1->move(x, 20);
    BitBtnClose->move(x, 48);
}

void TFormTransNoText::paintEvent(QPaintEvent*)
{
    paintPagesAndPanelEdge(this, PanelText, PanelTrans, PanelNavF->y());
}

void TFormTransNoText::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormTransNoText::FormShow()
{
    arrangePanes();
    running_ = textShown_ = transShown_ = false;
    textScroll_ = transScroll_ = {};
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

bool TFormTransNoText::Load()
{
    lesson_ = loadLesson(settings_.files);
    return lesson_.errors.isEmpty();
}

bool TFormTransNoText::isHeading(int line) const
{
    return line >= 1 && line <= lesson_.count() && lesson_.text[line - 1].startsWith(u'#');
}

int TFormTransNoText::headingsFrom(int line) const
{
    int headings = 0;
    while (isHeading(line + headings) && line + headings < lesson_.count())
        ++headings;
    return headings;
}

void TFormTransNoText::PaintText()
{
    paintPane(PaintBoxText, laidText_, textScroll_, paneFont_);
}

void TFormTransNoText::PaintTrans()
{
    paintPane(PaintBoxTrans, laidTrans_, transScroll_, paneFont_);
}

void TFormTransNoText::paintPane(TransPaintBox* box, SyntagmText& laid, PaneScroll& scroll,
                                 const QFont& font)
{
    const SyntagmText::WidthOf widthOf = widthIn(font);
    laid.SetPosition(n_ - 1);
    laid.layOut(paintArea_.width() - 20, widthOf);
    box->image.fill(Qt::white);
    QPainter painter(&box->image);
    const int ascent = QFontMetrics(font).ascent();
    for (int line = 1; line <= laid.lastLine() && line < laid.Lines().size(); ++line) {
        const int top = scroll.lineTop(line);
        if (top < -LineHeight || top > paintArea_.height())
            continue;
        for (const DrawnRun& run : laid.lineRuns(line, QPoint(TextX, top), widthOf)) {
            painter.setFont(styled(font, run.look.style));
            painter.setPen(QColor::fromRgba(run.look.colour));
            painter.drawText(run.at + QPoint(0, ascent), run.text);
        }
    }
    const int current = n_ - 1 < laid.places().size() ? laid.places()[n_ - 1].startLine : 0;
    scroll.currentTop = scroll.lineTop(current);
    box->update();
}

void TFormTransNoText::BitBtnPlayClick()
{
    recordingStop_ = NotStopping;
    CheckBoxText->SetEnabled(false);
    CheckBoxTrans->SetEnabled(false);
    recording_ = false;
    if (recordingMode()) {
        const QString fault = startPassFile(coursePath(RecordingTemplate), settings_.recording);
        recording_ = fault.isEmpty();
        if (!recording_)
            showFileProblems({TemplateFaultText + u'\r' + fault + u'\r' +
                              previousRecordingText(settings_.recording)},
                             FileFault::Error, ReadFaultCaption);
    }
    passKept_ = false;
    MediaPlayerPlay->SetFileName(settings_.lessonRecording);
    MediaPlayerPlay->Open();
    lessonLength_ = MediaPlayerPlay->Length();
    if (recording_)
        openRecording();
    MediaPlayerPlay->Play(0);
    ProgressBarRec->SetMax(int(lessonLength_ / 1000));
    TimerPos.start();
    BitBtnStop->setEnabled(true);
    BitBtnPause->setEnabled(true);
    BitBtnPlay->setEnabled(false);
    BitBtnClose->setEnabled(false);
    // A pass that records nothing has no recording to hold the lesson back for.
    BtnImgWait->setEnabled(settings_.waitAllowed && recording_);
    LabelWait->setText(QStringLiteral("Подождать"));
    textShown_ = CheckBoxText->Checked();
    transShown_ = CheckBoxTrans->Checked();
    ImageStatic->setVisible(!textShown_);
    PaintBoxText->setVisible(textShown_);
    ImageChange->setVisible(!transShown_);
    PaintBoxTrans->setVisible(transShown_);
    running_ = true;
    paused_ = stopRequested_ = waiting_ = false;
    n_ = 2;
    // Headings right after the title are passed before the lesson starts, so
    // the first syntagm opens at 0 and the timing keeps the headings' lines.
    n_ += headingsFrom(n_);
    textScroll_.drift = transScroll_.drift = 0;
    if (timingKept() &&
        !timing_.start(studentTimingName(passRecordingName(settings_.recording)), n_))
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
    if (recording_ && !passKept_ && MediaPlayerRec->Position() >= PassKeptAfterMs)
        keepPass();
    if (waiting_) {
        if (waitExpired(MediaPlayerRec->Position(), waitStart_, lesson_.timing.value(n_),
                        MediaPlayerPlay->Tempo()))
            BtnImgWaitClick();
        return;
    }
    if (recording_ && MediaPlayerRec->Position() > recordingStop_ + 10000) {
        BitBtnStopClick();
        return;
    }
    const qint64 position = MediaPlayerPlay->Position();
    ProgressBarRec->SetPosition(int(position / 1000));
    if (n_ >= lesson_.count())
        return;
    scrollPanes();
    if (position > lesson_.timing.value(n_).end) {
        // Every heading in a row is passed at once: each keeps its line in
        // the timing, and the next syntagm is lit from this tick on.
        const int headings = headingsFrom(++n_);
        if (timingKept() && !timing_.next(MediaPlayerRec->Position(), headings))
            tellTimingFault();
        n_ += headings;
    }
    if (textShown_)
        PaintText();
    if (transShown_)
        PaintTrans();
    else
        followPictures();
}

void TFormTransNoText::scrollPanes()
{
    const qint64 position = MediaPlayerPlay->Position();
    const int height = paintArea_.height();
    textScroll_.step(position, lessonLength_, laidText_.lastLine(), height);
    transScroll_.step(position, lessonLength_, laidTrans_.lastLine(), height);
}

void TFormTransNoText::followPictures()
{
    const qint32 end = lesson_.timing.value(n_).end;
    if (end == 0)
        return;
    const int picture = pictureAt(lesson_.pictures, end);
    if (picture != 0 && picture != shownPicture_)
        showPicture(picture);
}

void TFormTransNoText::showPicture(int index)
{
    bool known = false;
    ImageChange->setPixmap(
        lessonPicture(lesson_.pictures, index, settings_.dataFolder, ImageChange->size(), &known));
    if (known)
        shownPicture_ = index;
}

void TFormTransNoText::BitBtnPauseClick()
{
    if (!paused_) {
        paused_ = true;
        TimerPos.stop();
        LabelPause->setText(QStringLiteral("Далее"));
        if (recording_)
            MediaPlayerRec->Pause();
        MediaPlayerPlay->Pause();
        BtnImgWait->setEnabled(false);
        return;
    }
    paused_ = false;
    TimerPos.start();
    LabelPause->setText(QStringLiteral("Пауза"));
    if (recording_)
        MediaPlayerRec->StartRecording();
    MediaPlayerPlay->Play();
    BtnImgWait->setEnabled(settings_.waitAllowed && recording_);
}

void TFormTransNoText::BtnImgWaitClick()
{
    if (!running_)
        return;
    if (!waiting_) {
        LabelWait->setText(QStringLiteral("Далее"));
        waiting_ = true;
        MediaPlayerPlay->Pause();
        waitStart_ = MediaPlayerRec->Position();
        BitBtnPause->setEnabled(false);
        return;
    }
    LabelWait->setText(QStringLiteral("Подождать"));
    MediaPlayerPlay->Play();
    waiting_ = false;
    BitBtnPause->setEnabled(true);
}

void TFormTransNoText::BitBtnStopClick()
{
    stopRequested_ = true;
    const qint64 recorded = MediaPlayerRec->Position();
    if (recording_) {
        MediaPlayerRec->Stop();
        MediaPlayerRec->Save();
    }
    MediaPlayerPlay->Stop();
    setIdleControls();
    running_ = textShown_ = transShown_ = false;
    ImageStatic->show();
    PaintBoxText->hide();
    ProgressBarRec->SetPosition(0);
    showPicture(1);
    finishTiming(recorded);
    settlePass(recorded);
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
    if (!recording_ || passKept_)
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
    paused_ = false;
    LabelWait->setText(QStringLiteral("Подождать"));
    waiting_ = false;
    BtnImgWait->setEnabled(settings_.waitAllowed);
    CheckBoxText->SetEnabled(settings_.textAllowed);
    CheckBoxTrans->SetEnabled(settings_.transAllowed);
}

void TFormTransNoText::showIdlePanes()
{
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
    if (!stopRequested_)
        return;
    closePlayers();
    showIdlePanes();
}

void TFormTransNoText::MediaPlayerPlayNotify()
{
    checkFault(MediaPlayerPlay);
    if (!recording_ && stopRequested_) {
        closeLessonPlayer();
        return;
    }
    const bool ended = MediaPlayerPlay->Mode() != MediaPlayer::PlayerMode::NotReady &&
                       MediaPlayerPlay->Position() >= MediaPlayerPlay->Length();
    if (!ended || !running_)
        return;
    // Recording goes on for ten seconds more, then the timer ends the pass.
    if (recording_) {
        recordingStop_ = MediaPlayerRec->Position();
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
    const int error = player->Error();
    if (error == 0 || !running_ || stopRequested_)
        return;
    QString text = MediaPlayer::ErrorText(error);
    faulting_ = true;
    BitBtnStopClick();
    faulting_ = false;
    // Whichever player met the fault first, a pass that records keeps what
    // it recorded, and the student should know where; or that the previous
    // recording is still there.
    if (recording_ && passKept_)
        text += QStringLiteral("\rЗапись до этого места сохранена в файле \"%1\".")
                    .arg(settings_.recording);
    else if (recording_)
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
            ShowDlgMessage(text, SoundFaultCaption, ErrorIcon);
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
    if (BitBtnStop->isEnabled()) {
        const qint64 recorded = MediaPlayerRec->Position();
        if (recording_) {
            MediaPlayerRec->Stop();
            MediaPlayerRec->Save();
        }
        MediaPlayerPlay->Stop();
        TimerPos.stop();
        finishTiming(recorded);
        settlePass(recorded);
        running_ = false;
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

// Escape is the key of "Выход", and does nothing while that is disabled: a
// student who hits it in the middle of a recording keeps the pass.
void TFormTransNoText::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (BitBtnClose->isEnabled())
        BitBtnCloseClick();
}

LaunchResult ExecuteTransNoText(int left, int top, int width, int height,
                                const QString& lessonRecording, const QString& recording,
                                const QString& textFile, const QString& transFile,
                                const QString& timingFile, const QString& pictureFile,
                                bool textAllowed, bool transAllowed, bool waitAllowed,
                                const QString& dataFolder, int helpTopic)
{
    TransNoTextSettings settings{lessonRecording,
                                 recording,
                                 LessonFileNames{textFile, transFile, timingFile, pictureFile, {}},
                                 textAllowed,
                                 transAllowed,
                                 waitAllowed,
                                 dataFolder,
                                 helpTopic};
    TFormTransNoText form(settings);
    form.setGeometry(fitWindow(QRect(left, top, width, height), TFormTransNoText::Design));
    form.exec();
    return LaunchResult::GoneThrough;
}
