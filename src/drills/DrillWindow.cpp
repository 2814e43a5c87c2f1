#include "drills/DrillWindow.h"

#include "dialogs/NoSoundNotice.h"
#include "sound/MediaPlayer.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/ButtonPictures.h"
#include "widgets/FitText.h"
#include "widgets/Look.h"
#include "widgets/TempoBox.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTextEdit>

// Outside any namespace, as the resource initialiser must be.
static void registerDrillPictures()
{
    Q_INIT_RESOURCE(drills);
}

DrillWindow::DrillWindow(QSize client, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), MediaPlayerPlay(new MediaPlayer(this))
{
    static const bool pictures = (registerDrillPictures(), true);
    Q_UNUSED(pictures);
    setFixedSize(client);
    look::fillBackground(this);
    setFont(look::arial(13));
    connect(MediaPlayerPlay, &MediaPlayer::Notify, this, &DrillWindow::MediaPlayerPlayNotify);
}

void DrillWindow::placeAt(int centreX, int centreY)
{
    move(centreX - width() / 2, centreY - height() / 2);
}

void DrillWindow::paintEvent(QPaintEvent*)
{
    // A raised bevel, as the windows have no frame of their own.
    QPainter painter(this);
    const QRect outer = rect().adjusted(0, 0, -1, -1);
    painter.setPen(Qt::white);
    painter.drawLine(outer.topLeft(), outer.topRight());
    painter.drawLine(outer.topLeft(), outer.bottomLeft());
    painter.setPen(look::ShadowGrey);
    painter.drawLine(outer.bottomLeft(), outer.bottomRight());
    painter.drawLine(outer.topRight(), outer.bottomRight());
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(outer.adjusted(3, 3, -3, -3));
}

void DrillWindow::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && enter_ && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        enter_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void DrillWindow::setPlayButton(QAbstractButton* button, const QString& soundFile)
{
    // Play is the first control to take the focus, and a focused push button
    // of a dialog would take Enter for itself: Enter has to answer instead.
    if (auto* push = qobject_cast<QPushButton*>(button))
        push->setAutoDefault(false);
    play_ = button;
    soundFile_ = soundFile;
    if (tempoPanel_)
        tempoPanel_->setVisible(!button->isHidden());
}

void DrillWindow::addTempoChoice(const QRect& area)
{
    tempoPanel_ = new QWidget(this);
    tempoPanel_->setGeometry(area);
    auto* row = new QHBoxLayout(tempoPanel_);
    row->setContentsMargins(0, 0, 0, 0);
    auto* caption = new QLabel(QStringLiteral("Темп"), tempoPanel_);
    TempoChoice = new TempoBox(tempoPanel_);
    TempoChoice->catchKeysIn(this);
    caption->setBuddy(TempoChoice);
    row->addWidget(caption);
    row->addWidget(TempoChoice, 1);
}

void DrillWindow::playSegment(qint32 start, qint32 end)
{
    MediaPlayerPlay->SetFileName(soundFile_);
    MediaPlayerPlay->Open();
    if (play_)
        play_->setEnabled(false);
    MediaPlayerPlay->SetTempo(TempoChoice ? TempoChoice->tempo() : 100);
    MediaPlayerPlay->Play(start, end);
    tellIfNoSound(this, *MediaPlayerPlay);
}

void DrillWindow::MediaPlayerPlayNotify()
{
    MediaPlayerPlay->Close();
    if (play_)
        play_->setEnabled(true);
}

TBtnImgTransD1QF* DrillWindow::addBarButton(const QString& symbol, const QString& caption, int x)
{
    auto* button = new TBtnImgTransD1QF(this);
    dressButton(*button, symbolButtonPictures(symbol, 40));
    button->setText(caption);
    placeOnBar(button, caption, x);
    return button;
}

TBtnImgD1QF* DrillWindow::addNextButton(const QString& caption, int x)
{
    auto* button = new TBtnImgD1QF(this);
    dressButton(*button, symbolButtonPictures(SymbolNext, 40));
    button->SetCaption(caption);
    button->SetDefault(true);
    placeOnBar(button, caption, x);
    return button;
}

void DrillWindow::placeOnBar(QWidget* button, const QString& caption, int x)
{
    button->move(x - button->width() / 2, barTop() + 6);
    addBarCaption(caption, x, 100);
}

void DrillWindow::addBarCaption(const QString& caption, int x, int width)
{
    auto* label = new QLabel(caption, this);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(x - width / 2, barTop() + 50, width, 18);
    fitLabel(*label);
}

void DrillWindow::addCaption(const QString& caption, QPoint at)
{
    auto* label = new QLabel(caption, this);
    label->setGeometry(QRect(at, QSize(400, 18)));
    fitLabel(*label);
}

QFrame* DrillWindow::addRaisedPanel(const QRect& area, QWidget* parent)
{
    auto* panel = new QFrame(parent ? parent : this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(area);
    return panel;
}

QTextEdit* DrillWindow::addReadOnlyMemo(QWidget* panel, const QRect& area, const QFont& font)
{
    auto* memo = new QTextEdit(panel);
    memo->setReadOnly(true);
    // Display only: Enter goes to the window, not into the text.
    memo->setFocusPolicy(Qt::NoFocus);
    memo->setGeometry(area);
    memo->setFont(font);
    return memo;
}

QLineEdit* DrillWindow::addTextPanel(const QString& caption, const QRect& area)
{
    QFrame* panel = addRaisedPanel(area);
    auto* label = new QLabel(caption, panel);
    label->setGeometry(10, 5, area.width() - 20, 16);
    fitLabel(*label);
    auto* edit = new QLineEdit(panel);
    edit->setReadOnly(true);
    // Display only: Enter goes to the window, not into the text.
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setGeometry(10, 24, area.width() - 20, area.height() - 32);
    edit->setFont(look::arial(16, true));
    edit->setAccessibleName(caption);
    return edit;
}

QTextEdit* DrillWindow::addMemoPanel(const QRect& area)
{
    QFrame* panel = addRaisedPanel(area);
    QFont bold = itemFont();
    bold.setBold(true);
    return addReadOnlyMemo(panel, panel->rect().adjusted(6, 6, -6, -6), bold);
}

QFont DrillWindow::itemFont()
{
    return look::arial(15);
}

QLabel* DrillWindow::addCounter(const QString& caption, int x)
{
    auto* box = new QLabel(QStringLiteral("00"), this);
    box->setAlignment(Qt::AlignCenter);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setAutoFillBackground(true);
    QPalette white = box->palette();
    white.setColor(QPalette::Window, Qt::white);
    box->setPalette(white);
    QFont bold = box->font();
    bold.setPixelSize(18);
    bold.setBold(true);
    box->setFont(bold);
    box->setGeometry(x - 30, barTop() + 12, 60, 30);
    addBarCaption(caption, x, 90);
    return box;
}

LaunchResult launchResultOf(DialogResult closed, LaunchResult left)
{
    if (closed == DialogResult::OK)
        return LaunchResult::GoneThrough;
    if (closed == DialogResult::Ignore)
        return LaunchResult::Cancelled;
    return left;
}
