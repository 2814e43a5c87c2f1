#include "listening/FormWorkText.h"

#include "common/Paths.h"
#include "dialogs/DlgMessage.h"
#include "dialogs/NoSoundNotice.h"
#include "listening/ListeningControls.h"
#include "listening/TextSintagm.h"
#include "sound/MediaPlayer.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/ButtonPictures.h"
#include "widgets/ChBxImgTransD1QF.h"
#include "widgets/DialogResult.h"
#include "widgets/HelpContext.h"
#include "widgets/Look.h"
#include "widgets/Memo.h"
#include "widgets/PicturePaths.h"
#include "widgets/Pictures.h"
#include "widgets/TempoBox.h"

#include <QKeyEvent>
#include <QLabel>
#include <QSlider>

namespace {
const QString SymbolMark = QStringLiteral(":/listening/pictures/mark.svg");
const QString SymbolComment = QStringLiteral(":/listening/pictures/comment.svg");
const QString SymbolPause = QStringLiteral(":/listening/pictures/pause.svg");
const QString PauseText = QStringLiteral("Пауза");
const QString ResumeText = QStringLiteral("Далее");
// The designed size of the panes' text.
constexpr int TextPixels = 16;
const QString ReadFaultText = QStringLiteral("Повреждены звуковые файлы");
const QString ReadFaultCaption = QStringLiteral("Ошибка чтения файла");
constexpr QSize ComentSize(461, 246);
// Room between a page's frame and its text.
constexpr int PagePadding = 10;

void dressView(TTextSintagm* view, QWidget* page)
{
    view->SetFont(look::arial(TextPixels), qRgb(0, 0, 0));
    view->SetFontSelSintagm(StyleUnderline, qRgb(255, 0, 0));
    view->SetFontSelMultSint(0, qRgb(0, 0, 255));
    view->SetHeightIntervString(TIntevalString::is1_25);
    view->SetPosScreen(33);
    view->hide();
    view->setParent(page);
}
} // namespace

TFormWorkText::TFormWorkText(const WorkTextNames& names, QWidget* parent)
    : ListeningWindow(Design, names.dataFolder, names.student, parent),
      MediaPlayerText(new MediaPlayer(this)), names_(names)
{
    names_.files.studentRecording = names_.studentRecording;
    makeViews();
    makeLowerPanel();
    connect(MediaPlayerText, &MediaPlayer::Notify, this, &TFormWorkText::MediaPlayerTextNotify);
    TimerPos.setInterval(TimerInterval);
    connect(&TimerPos, &QTimer::timeout, this, &TFormWorkText::TimerPosTimer);
    TimerPos.start();
}

TFormWorkText::~TFormWorkText() = default;

void TFormWorkText::makeViews()
{
    TextSintagmText = new TTextSintagm;
    TextSintagmTrans = new TTextSintagm;
    dressView(TextSintagmText, PanelText);
    dressView(TextSintagmTrans, PanelTrans);
    TextSintagmText->Setk_Speed(IdleSpeed);
    TextSintagmTrans->Setk_Speed(50000);
    for (TTextSintagm* view : {TextSintagmText, TextSintagmTrans}) {
        connect(view, &TTextSintagm::SyntagmClicked, this, &TFormWorkText::syntagmClicked);
        connect(view, &TTextSintagm::SyntagmDoubleClicked, this,
                &TFormWorkText::syntagmDoubleClicked);
        connect(view, &TTextSintagm::ZoomAsked, this, &TFormWorkText::zoomBy);
    }
    applyTextSize();
    // The views lie under the pictures that cover them.
    ImageStatic->raise();
    ImageChange->raise();

    PanelComent = new QFrame(this);
    PanelComent->setObjectName(QStringLiteral("PanelComent"));
    // White, edged in the blue of the page frames.
    PanelComent->setStyleSheet(
        QStringLiteral("#PanelComent { background: white; border: 2px solid #33488c; }"));
    PanelComent->resize(ComentSize);
    MemoComent = new TMemo(PanelComent);
    MemoComent->setFont(look::arial(16));
    MemoComent->setFrameShape(QFrame::NoFrame);
    MemoComent->setGeometry(QRect(QPoint(0, 0), ComentSize).adjusted(8, 8, -8, -8));
    MemoComent->viewport()->installEventFilter(this);
    MemoComent->setToolTip(QStringLiteral("Щелкните, чтобы закрыть"));
    PanelComent->hide();
}

void TFormWorkText::makeLowerPanel()
{
    Panel7 = new QWidget(this);
    addTempoChoice(Panel7);
    MediaPlayerText->SetTempo(TempoChoice->tempo());
    connect(TempoChoice, &TempoBox::tempoChosen, this, &TFormWorkText::tempoChosen);
    TrackBarText = new QSlider(Qt::Horizontal, Panel7);
    TrackBarText->setPageStep(1);
    TrackBarText->installEventFilter(this);
    connect(TrackBarText, &QSlider::valueChanged, this, &TFormWorkText::TrackBarTextChange);

    CheckBoxText = checkBox(QStringLiteral("Показывать текст"), Panel7);
    CheckBoxTrans = checkBox(QStringLiteral("Показывать перевод"), Panel7);
    CheckBoxTransUser = checkBox(QStringLiteral("Перевод пользователя"), Panel7);
    connect(CheckBoxText, &TChBxImgTransD1QF::clicked, this, &TFormWorkText::CheckBoxTextClick);
    connect(CheckBoxTrans, &TChBxImgTransD1QF::clicked, this, &TFormWorkText::CheckBoxTransClick);
    connect(CheckBoxTransUser, &TChBxImgTransD1QF::clicked, this,
            &TFormWorkText::CheckBoxTransUserClick);

    BitBtnPlayAll = labelButton(QStringLiteral("С начала"), Panel7);
    BitBtnSelectNext = labelButton(QStringLiteral("С фрагмента"), Panel7);
    BitBtnSelectString = labelButton(QStringLiteral("Фрагмент"), Panel7);
    BitBtnStop = labelButton(QStringLiteral("Стоп"), Panel7);
    BitBtn1 = labelButton(QStringLiteral("Помощь"), Panel7);
    BitBtn5 = labelButton(QStringLiteral("Выход"), Panel7);
    connect(BitBtnPlayAll, &QAbstractButton::clicked, this, &TFormWorkText::BitBtnPlayAllClick);
    connect(BitBtnSelectNext, &QAbstractButton::clicked, this,
            &TFormWorkText::BitBtnSelectNextClick);
    connect(BitBtnSelectString, &QAbstractButton::clicked, this,
            &TFormWorkText::BitBtnSelectStringClick);
    connect(BitBtnStop, &QAbstractButton::clicked, this, &TFormWorkText::BitBtnStopClick);
    BitBtnPause = roundButton(SymbolPause, PauseText, Panel7);
    LabelPause = captionOf(BitBtnPause);
    connect(BitBtnPause, &QAbstractButton::clicked, this, &TFormWorkText::BitBtnPauseClick);
    connect(BitBtn1, &QAbstractButton::clicked, this, &TFormWorkText::BitBtn1Click);
    connect(BitBtn5, &QAbstractButton::clicked, this, &TFormWorkText::BitBtn5Click);

    BtnImgTransD1QF1 =
        roundButton(QString::fromLatin1(pictures::symbolRepeat), QStringLiteral("Цикл"), Panel7);
    BtnImgTransD1QF2 = roundButton(SymbolMark, QStringLiteral("Начало"), Panel7);
    BtnImgComent = roundButton(SymbolComment, QStringLiteral("Коментарий"), Panel7);
    LabelSelect = captionOf(BtnImgTransD1QF2);
    connect(BtnImgTransD1QF1, &QAbstractButton::clicked, this,
            &TFormWorkText::BtnImgTransD1QF1Click);
    connect(BtnImgTransD1QF2, &QAbstractButton::clicked, this,
            &TFormWorkText::BtnImgTransD1QF2Click);
    connect(BtnImgComent, &QAbstractButton::clicked, this, &TFormWorkText::BtnImgComentClick);
    BitBtnPause->setToolTip(QStringLiteral("Пауза и продолжение (F5)"));
    BitBtnStop->setToolTip(QStringLiteral("Остановить (F8)"));
    BtnImgTransD1QF2->setToolTip(QStringLiteral("Отметить начало или окончание (пробел)"));
    BitBtn5->setToolTip(QStringLiteral("Закрыть окно (Esc)"));
    for (TTextSintagm* view : {TextSintagmText, TextSintagmTrans})
        view->setToolTip(QStringLiteral("Щелчок: перейти к фрагменту, двойной щелчок: прослушать "
                                        "его. Размер текста: Ctrl+колесо, Ctrl+плюс, Ctrl+минус, "
                                        "Ctrl+0."));
}

void TFormWorkText::arrange()
{
    arrangeViews();
    arrangeLowerPanel();
}

void TFormWorkText::arrangeViews()
{
    for (TTextSintagm* view : {TextSintagmText, TextSintagmTrans})
        view->setGeometry(view->parentWidget()->rect().adjusted(PagePadding, PagePadding / 2,
                                                                -PagePadding, -PagePadding / 2));
    ImageStatic->setPixmap(pageDrawing(PanelText->size()));
    showPicture(shownPicture());
}

void TFormWorkText::arrangeLowerPanel()
{
    Panel7->setGeometry(0, panelTop(), width(), Design.lowerPanel);
    // The slider, and the tempo's place at its right.
    constexpr int tempo = 130;
    tempoPlace_ = QRect(width() - 10 - tempo, 4, tempo, 24);
    placeTempoChoice(tempoPlace_);
    TrackBarText->setGeometry(10, 4, tempoPlace_.x() - 20, 24);
    // Four groups side by side, the room left over spread between them: the
    // check boxes, the play buttons, the round buttons (pause, loop, range
    // and comment), help and exit.
    constexpr int boxes = 150, plays = 2 * 88 + 6, rounds = 4 * 62, exits = 88;
    const int gap = std::max(4, (width() - 20 - boxes - plays - rounds - exits) / 3);
    int x = 10;
    const int rows[3] = {34, 60, 86};
    for (int i = 0; i < 3; ++i)
        QList<TChBxImgTransD1QF*>{CheckBoxText, CheckBoxTrans, CheckBoxTransUser}[i]->move(x,
                                                                                           rows[i]);
    x += boxes + gap;
    BitBtnPlayAll->move(x, 38);
    BitBtnSelectNext->move(x + 94, 38);
    BitBtnSelectString->move(x, 74);
    BitBtnStop->move(x + 94, 74);
    x += plays + gap;
    x = placeRoundButtons({BitBtnPause, BtnImgTransD1QF1, BtnImgTransD1QF2, BtnImgComent}, x, 36,
                          76, 62) +
        gap;
    BitBtn1->move(x, 38);
    BitBtn5->move(x, 74);
}

void TFormWorkText::FormShow()
{
    setPlayControls(true);
    for (TChBxImgTransD1QF* box : {CheckBoxText, CheckBoxTrans, CheckBoxTransUser})
        box->SetChecked(true);
    CheckBoxTransUser->SetEnabled(!names_.studentRecording.isEmpty());
    setHelpContext(this, names_.studentRecording.isEmpty() ? helpContext::LessonText
                                                           : helpContext::StudentRecording);
    TextSintagmText->hide();
    TextSintagmTrans->hide();
    ImageStatic->show();
    ImageChange->show();
    arrangeViews();
    for (TTextSintagm* view : {TextSintagmText, TextSintagmTrans})
        view->SetMargins({0, 0, 0, 0});
    if (!Load()) {
        QStringList lines{ReadFaultText};
        for (const CourseError& error : lesson_.errors)
            lines.append(error.userText());
        showFileProblems({lines.join(u'\r')}, FileFault::Error, ReadFaultCaption);
    }
    TrackBarText->setRange(1, std::max(1, lesson_.count()));
    n_ = 1;
    TrackBarText->setValue(1);
    textShown_ = transShown_ = following_ = false;
    setSpeeds(IdleSpeed);
    soundFile_ = names_.lessonRecording;
    if (names_.studentAtOpen) {
        // As a click on the box would: the handler acts before the box toggles.
        CheckBoxTransUserClick();
        CheckBoxTransUser->SetChecked(false);
    }
    loop_ = {};
    showPicture(1);
    TrackBarText->setFocus();
}

bool TFormWorkText::Load()
{
    lesson_ = loadLesson(names_.files);
    TextSintagmText->SetText(lesson_.text);
    TextSintagmTrans->SetText(lesson_.trans);
    return lesson_.errors.isEmpty();
}

bool TFormWorkText::studentSelected() const
{
    return soundFile_ == names_.studentRecording && !names_.studentRecording.isEmpty();
}

const TimingTable& TFormWorkText::timingInUse() const
{
    return studentSelected() && lesson_.studentTimingFound ? lesson_.studentTiming : lesson_.timing;
}

void TFormWorkText::TimerPosTimer()
{
    if (following_ && n_ < lesson_.count()) {
        const int next =
            followSound(timingInUse(), lesson_.count(), n_, MediaPlayerText->Position());
        if (next != n_) {
            n_ = next;
            TrackBarText->setValue(n_);
        }
    }
    BtnImgComent->setEnabled(hasComment(lesson_.comments, n_));
    if (textShown_) {
        TextSintagmText->SetPosition(n_ - 1);
        TextSintagmText->ScrollStep();
    }
    if (transShown_) {
        TextSintagmTrans->SetPosition(n_ - 1);
        TextSintagmTrans->ScrollStep();
    }
    if (!transShown_)
        followPictures(n_);
}

void TFormWorkText::TrackBarTextChange()
{
    n_ = TrackBarText->value();
}

void TFormWorkText::CheckBoxTextClick()
{
    textShown_ = CheckBoxText->Checked();
    TextSintagmText->setVisible(textShown_);
    ImageStatic->setVisible(!textShown_);
}

void TFormWorkText::CheckBoxTransClick()
{
    transShown_ = CheckBoxTrans->Checked();
    TextSintagmTrans->setVisible(transShown_);
    ImageChange->setVisible(!transShown_);
}

void TFormWorkText::CheckBoxTransUserClick()
{
    if (!CheckBoxTransUser->Enabled())
        return;
    const bool toStudent = CheckBoxTransUser->Checked();
    soundFile_ = toStudent ? names_.studentRecording : names_.lessonRecording;
    BtnImgTransD1QF1->setEnabled(!toStudent);
}

bool TFormWorkText::openPlayer()
{
    MediaPlayerText->SetFileName(soundFile_);
    MediaPlayerText->Open();
    // A segment button checks the length before it plays: a sound module that
    // did not load is told here, or the button would do nothing silently.
    tellIfNoSound(this, *MediaPlayerText);
    return MediaPlayerText->Error() == 0;
}

bool TFormWorkText::segmentMissing()
{
    openPlayer();
    const TimingTable& table = timingInUse();
    const qint32 end = n_ < table.size() ? table[n_].end : 0;
    if (MediaPlayerText->Length() >= end)
        return false;
    MediaPlayerText->Close();
    return true;
}

void TFormWorkText::startPlaying(qint32 from, std::optional<qint32> to, bool follow)
{
    setPlayControls(false);
    following_ = follow;
    if (follow)
        setSpeeds(FollowSpeed);
    for (TTextSintagm* view : {TextSintagmText, TextSintagmTrans})
        view->FollowCurrent();
    playEnd_ = to;
    MediaPlayerText->Play(from, to ? std::optional<qint64>(*to) : std::nullopt);
    tellIfNoSound(this, *MediaPlayerText);
}

void TFormWorkText::setPlayControls(bool idle)
{
    for (QWidget* control : std::initializer_list<QWidget*>{
             TrackBarText, BitBtnPlayAll, BitBtnSelectNext, BitBtnSelectString, BtnImgTransD1QF2})
        control->setEnabled(idle);
    BtnImgTransD1QF1->setEnabled(idle && !studentSelected());
    BitBtnStop->setEnabled(!idle);
    BitBtnPause->setEnabled(!idle);
    paused_ = false;
    LabelPause->setText(PauseText);
}

void TFormWorkText::setSpeeds(int speed)
{
    TextSintagmText->Setk_Speed(speed);
    TextSintagmTrans->Setk_Speed(speed);
}

void TFormWorkText::BitBtnSelectStringClick()
{
    if (segmentMissing())
        return;
    const TimingEntry entry = timingInUse().value(n_);
    startPlaying(entry.begin, entry.end, false);
}

void TFormWorkText::BitBtnSelectNextClick()
{
    if (segmentMissing())
        return;
    startPlaying(playFromStart(timingInUse(), n_), std::nullopt, true);
}

void TFormWorkText::BitBtnPlayAllClick()
{
    openPlayer();
    n_ = 1;
    TrackBarText->setValue(1);
    startPlaying(playAllStart(lesson_.timing), std::nullopt, true);
}

void TFormWorkText::BitBtnStopClick()
{
    loopActive_ = false;
    MediaPlayerText->Stop();
}

bool TFormWorkText::playing() const
{
    return MediaPlayerText->Mode() == MediaPlayer::PlayerMode::Playing;
}

// Pauses where the sound is, and goes on from the same sample, to the same
// end: the loop and the highlight go on with it.
void TFormWorkText::BitBtnPauseClick()
{
    if (paused_) {
        paused_ = false;
        LabelPause->setText(PauseText);
        MediaPlayerText->Play(std::nullopt,
                              playEnd_ ? std::optional<qint64>(*playEnd_) : std::nullopt);
        return;
    }
    if (!playing())
        return;
    MediaPlayerText->Pause();
    paused_ = true;
    LabelPause->setText(ResumeText);
}

// A new tempo is heard at once: a play under way goes on from where it is,
// as a pause and a resume would, at the new tempo.
void TFormWorkText::tempoChosen(int percent)
{
    const bool wasPlaying = playing() && !paused_;
    if (wasPlaying)
        BitBtnPauseClick();
    MediaPlayerText->SetTempo(percent);
    if (wasPlaying)
        BitBtnPauseClick();
}

void TFormWorkText::MediaPlayerTextNotify()
{
    // A run that a jump or a resume replaced ends while the new one plays.
    if (playing())
        return;
    // A loop that cannot sound at all would start again at once, forever.
    if (MediaPlayerText->Error() != 0)
        loopActive_ = false;
    MediaPlayerText->Close();
    setPlayControls(true);
    following_ = false;
    setSpeeds(IdleSpeed);
    if (loopActive_)
        BtnImgTransD1QF1Click();
    else
        TrackBarText->setFocus();
}

void TFormWorkText::setCurrent(int n)
{
    n_ = n;
    TrackBarText->setValue(n);
}

void TFormWorkText::syntagmClicked(int index)
{
    if (!BitBtnStop->isEnabled()) {
        setCurrent(index + 1);
        return;
    }
    // A play that does not follow the sound keeps its syntagm.
    if (!following_)
        return;
    loopActive_ = false;
    setCurrent(index + 1);
    BitBtnSelectNextClick();
}

void TFormWorkText::syntagmDoubleClicked(int index)
{
    loopActive_ = false;
    setCurrent(index + 1);
    BitBtnSelectStringClick();
}

void TFormWorkText::applyTextSize()
{
    for (TTextSintagm* view : {TextSintagmText, TextSintagmTrans})
        view->SetFont(look::arial(textZoom().scaled(TextPixels)), qRgb(0, 0, 0));
}

void TFormWorkText::BtnImgTransD1QF2Click()
{
    loop_.mark(n_, lesson_.timing);
    LabelSelect->setText(loop_.markingEnd ? QStringLiteral("Окончание") : QStringLiteral("Начало"));
    showMarkedRange();
    rangeMarked_ = true;
}

void TFormWorkText::showMarkedRange()
{
    // Begin, end, begin again: each write keeps begin <= end, so this order
    // lands on the range whatever was marked before.
    TextSintagmText->SetNBegin(loop_.start - 1);
    TextSintagmText->SetNEnd(loop_.end - 1);
    TextSintagmText->SetNBegin(loop_.start - 1);
    TextSintagmText->SetFlagSelMultSint(true);
}

void TFormWorkText::BtnImgTransD1QF1Click()
{
    const std::optional<TimingEntry> span = loopSpan(loop_, lesson_.timing);
    if (!span) {
        loopActive_ = false;
        return;
    }
    loopActive_ = true;
    n_ = loop_.start;
    TrackBarText->setValue(n_);
    openPlayer();
    startPlaying(span->begin, span->end, true);
}

void TFormWorkText::BtnImgComentClick()
{
    MemoComent->Clear();
    for (const Comment& comment : lesson_.comments) {
        if (comment.number != n_)
            continue;
        PanelComent->move(width() - PanelComent->width(), height() - PanelComent->height());
        PanelComent->show();
        PanelComent->raise();
        MemoComent->Add(comment.text);
    }
}

void TFormWorkText::MemoComentClick()
{
    PanelComent->hide();
    TrackBarText->setFocus();
}

void TFormWorkText::BitBtn1Click()
{
    showHelpTopic(names_.studentRecording.isEmpty() ? QStringLiteral("WorkText")
                                                    : QStringLiteral("ListenTrans"));
}

void TFormWorkText::BitBtn5Click()
{
    closeDialog(*this, DialogResult::Cancel);
}

void TFormWorkText::reject()
{
    BitBtn5Click();
}

void TFormWorkText::keyPressEvent(QKeyEvent* event)
{
    // An open comment is closed first, as a click on it does.
    if (event->key() == Qt::Key_Escape && PanelComent->isVisible()) {
        MemoComentClick();
        return;
    }
    FormKeyPress(event);
    if (!event->isAccepted())
        QDialog::keyPressEvent(event);
}

// The keys work wherever the focus is: on the window and on the slider.
void TFormWorkText::FormKeyPress(QKeyEvent* event)
{
    event->accept();
    if (zoomKey(event))
        return;
    switch (event->key()) {
    case Qt::Key_Space:
        if (BtnImgTransD1QF2->isEnabled())
            BtnImgTransD1QF2Click();
        return;
    case Qt::Key_F5:
        if (BitBtnPause->isEnabled())
            BitBtnPauseClick();
        return;
    case Qt::Key_F8:
        if (BitBtnStop->isEnabled())
            BitBtnStopClick();
        return;
    default:
        event->ignore();
    }
}

bool TFormWorkText::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TrackBarText && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        FormKeyPress(key);
        return key->isAccepted();
    }
    if (watched == MemoComent->viewport() && event->type() == QEvent::MouseButtonPress) {
        MemoComentClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

LaunchResult ExecuteWorkText(int left, int top, int width, int height,
                             const QString& lessonRecording, const QString& studentRecording,
                             const QString& textFile, const QString& transFile,
                             const QString& timingFile, const QString& pictureFile, int,
                             const QString& dataFolder, const QString& student)
{
    WorkTextNames names{lessonRecording, studentRecording,
                        LessonFileNames{textFile, transFile, timingFile, pictureFile, {}},
                        dataFolder, student};
    TFormWorkText form(names);
    form.setGeometry(fitWindow(QRect(left, top, width, height), TFormWorkText::Design));
    form.exec();
    return LaunchResult::GoneThrough;
}
