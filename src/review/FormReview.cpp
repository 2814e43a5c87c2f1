#include "review/FormReview.h"

#include "dialogs/DlgMessage.h"
#include "review/PassChart.h"
#include "review/ReviewPrint.h"
#include "review/WaveStrip.h"
#include "sound/MediaPlayer.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/ButtonPictures.h"
#include "widgets/Look.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>

namespace {
constexpr double KeyZoom = 1.5;

PeakSummary summaryOf(const std::optional<MonoSound>& sound)
{
    return sound ? PeakSummary(sound->samples, sound->info.sampleRate) : PeakSummary();
}

TBtnImgD1QF* labelButton(const QString& label, QWidget* parent)
{
    auto* button = new TBtnImgD1QF(parent);
    button->setText(label);
    dressButton(*button, labelButtonPictures(label, {110, 35}));
    return button;
}
} // namespace

TFormReview::TFormReview(const ReviewRequest& request, ReviewPrinter printer, QWidget* parent)
    : QDialog(parent), Strip(new WaveStrip(this)), ScrollBar(new QScrollBar(Qt::Horizontal, this)),
      LabelFigures(new QLabel(this)), LabelProblems(new QLabel(this)), Chart(new PassChart(this)),
      BtnPrint(labelButton(QStringLiteral("Печать"), this)),
      BtnClose(labelButton(QStringLiteral("Закрыть"), this)), request_(request),
      printer_(std::move(printer)), material_(loadReview(request)),
      lessonPeaks_(summaryOf(material_.lessonSound)),
      recordingPeaks_(summaryOf(material_.recording))
{
    setWindowTitle(QStringLiteral("Разбор перевода"));
    look::fillBackground(this);
    resize(1000, 640);
    Strip->setObjectName(QStringLiteral("Strip"));
    Strip->setMaterial(&material_, &lessonPeaks_, &recordingPeaks_);
    LabelFigures->setFont(look::arial(14));
    LabelProblems->setFont(look::arial(13));
    LabelProblems->setWordWrap(true);
    LabelProblems->setStyleSheet(QStringLiteral("color: #a01010"));

    auto* lower = new QHBoxLayout;
    lower->addWidget(LabelFigures, 1);
    lower->addWidget(Chart, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(BtnPrint);
    buttons->addWidget(BtnClose);
    buttons->addStretch();
    lower->addLayout(buttons);
    auto* hint =
        new QLabel(QStringLiteral("Щелчок или \u2190 \u2192 выбирают синтагму; Enter \u2014 "
                                  "урок, затем перевод; F2 \u2014 урок; F3 \u2014 перевод; "
                                  "Ctrl+колесо, Ctrl+плюс и Ctrl+минус \u2014 масштаб"),
                   this);
    hint->setFont(look::arial(12));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(Strip, 1);
    layout->addWidget(ScrollBar);
    layout->addLayout(lower);
    layout->addWidget(LabelProblems);

    connect(Strip, &WaveStrip::viewChanged, this, &TFormReview::syncScrollBar);
    connect(ScrollBar, &QScrollBar::valueChanged, this, [this](int ms) {
        Strip->setView({double(ms), Strip->view().msPerPixel});
    });
    connect(BtnPrint, &TBtnImgD1QF::clicked, this, &TFormReview::BtnPrintClick);
    connect(BtnClose, &TBtnImgD1QF::clicked, this, &QDialog::accept);
    showFigures();
    Strip->setFocus();
}

TFormReview::~TFormReview() = default;

void TFormReview::showFigures()
{
    LabelFigures->setText(figuresText(material_.figures));
    QList<CourseError> historyProblems;
    if (!request_.historyFile.isEmpty()) {
        if (material_.recording && !material_.syntagms.isEmpty())
            if (auto problem = keepPass(request_, material_.figures))
                historyProblems.append(*problem);
        const PassHistory history = readPassHistory(request_.historyFile);
        historyProblems += history.problems;
        Chart->setPasses(passesOf(history.records, request_.exercise));
    }
    const QStringList problems = problemTexts(historyProblems);
    LabelProblems->setText(problems.join(u'\n'));
    LabelProblems->setVisible(!problems.isEmpty());
}

QStringList TFormReview::problemTexts(const QList<CourseError>& history) const
{
    QStringList texts;
    for (const CourseError& problem : material_.problems + history)
        texts << problem.userText().replace(u'\r', u' ');
    return texts;
}

void TFormReview::syncScrollBar()
{
    const QSignalBlocker blocker(ScrollBar);
    const int shown = int(Strip->width() * Strip->view().msPerPixel);
    ScrollBar->setRange(0, std::max(0, int(Strip->lengthMs()) - shown));
    ScrollBar->setPageStep(shown);
    ScrollBar->setSingleStep(std::max(1, shown / 10));
    ScrollBar->setValue(int(Strip->view().startMs));
}

void TFormReview::keyPressEvent(QKeyEvent* event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        playLesson(true);
        break;
    case Qt::Key_F2:
        playLesson(false);
        break;
    case Qt::Key_F3:
        playStudent();
        break;
    case Qt::Key_Left:
        Strip->select(std::max<qsizetype>(0, Strip->selected() - 1));
        break;
    case Qt::Key_Right:
        Strip->select(Strip->selected() + 1);
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        if (!ctrl)
            return QDialog::keyPressEvent(event);
        Strip->zoomBy(KeyZoom);
        break;
    case Qt::Key_Minus:
        if (!ctrl)
            return QDialog::keyPressEvent(event);
        Strip->zoomBy(1 / KeyZoom);
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

MediaPlayer& TFormReview::player(std::unique_ptr<MediaPlayer>& player, const QString& file)
{
    if (!player) {
        player = std::make_unique<MediaPlayer>();
        connect(player.get(), &MediaPlayer::Notify, this, &TFormReview::playerNotify);
        player->SetFileName(file);
        player->Open();
    }
    return *player;
}

void TFormReview::playLesson(bool thenStudent)
{
    if (Strip->selected() < 0)
        return;
    if (studentPlayer_)
        studentPlayer_->Stop();
    const Turn turn = material_.syntagms[Strip->selected()].lesson;
    studentNext_ = thenStudent;
    ++lessonRuns_;
    MediaPlayer& lesson = player(lessonPlayer_, request_.lessonSound);
    lesson.Play(turn.begin, turn.end);
    tellSoundError(lesson);
}

void TFormReview::playStudent()
{
    studentNext_ = false;
    if (lessonPlayer_)
        lessonPlayer_->Stop();
    if (Strip->selected() < 0)
        return;
    const Turn turn = material_.syntagms[Strip->selected()].student;
    MediaPlayer& student = player(studentPlayer_, request_.recording);
    student.Play(turn.begin, turn.end);
    tellSoundError(student);
}

void TFormReview::tellSoundError(const MediaPlayer& player)
{
    if (player.Error() == 0)
        return;
    const QString said =
        QStringLiteral("%1: %2").arg(player.FileName(), MediaPlayer::ErrorText(player.Error()));
    if (!LabelProblems->text().contains(said))
        LabelProblems->setText(
            LabelProblems->text().isEmpty() ? said : LabelProblems->text() + u'\n' + said);
    LabelProblems->show();
}

void TFormReview::playerNotify()
{
    // Every run notifies once, also one cut short by the next: the student
    // follows the end of the last one asked for.
    if (sender() == lessonPlayer_.get() && --lessonRuns_ == 0 && studentNext_)
        playStudent();
}

QList<PrintPage> TFormReview::printLayout(int pageWidth, int pageHeight) const
{
    return reviewPrintLayout({pageWidth, pageHeight, request_.student, QDateTime::currentDateTime(),
                              &material_, &lessonPeaks_, &recordingPeaks_});
}

void TFormReview::BtnPrintClick()
{
    if (printer_)
        printer_(this, [this](int width, int height) { return printLayout(width, height); });
}

void showReview(const ReviewRequest& request, const ReviewPrinter& printer, QWidget* parent)
{
    TFormReview form(request, printer, parent);
    form.exec();
}
