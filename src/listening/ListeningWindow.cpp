#include "listening/ListeningWindow.h"

#include "listening/ListeningControls.h"
#include "widgets/ButtonPictures.h"
#include "widgets/Look.h"
#include "widgets/Pictures.h"
#include "widgets/TempoBox.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QShowEvent>

// Outside any namespace, as the resource initialiser must be.
static void registerListeningPictures()
{
    Q_INIT_RESOURCE(listening);
}

ListeningWindow::ListeningWindow(const PageLayout& design, const QString& dataFolder,
                                 const QString& student, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), design_(design), zoom_(student),
      dataFolder_(dataFolder)
{
    static const bool registered = (registerListeningPictures(), true);
    Q_UNUSED(registered);
    look::fillBackground(this);
    setFont(look::arial(12));
    PanelText = new QWidget(this);
    PanelTrans = new QWidget(this);
    for (QWidget* page : {PanelText, PanelTrans}) {
        page->setAutoFillBackground(true);
        QPalette white = page->palette();
        white.setColor(QPalette::Window, Qt::white);
        page->setPalette(white);
    }
    ImageStatic = pageImage(PanelText);
    ImageChange = pageImage(PanelTrans);
    resize(design.design);
}

void ListeningWindow::arrangePages()
{
    const int paneHeight = panelTop();
    const int leftWidth = leftPageWidth(paneHeight);
    const int frame = pictureFrameWidth;
    PanelText->setGeometry(
        QRect(0, 0, leftWidth, paneHeight).adjusted(frame, frame, -frame, -frame));
    PanelTrans->setGeometry(QRect(leftWidth, 0, width() - leftWidth, paneHeight)
                                .adjusted(frame, frame, -frame, -frame));
    ImageStatic->setGeometry(PanelText->rect());
    ImageChange->setGeometry(PanelTrans->rect());
}

void ListeningWindow::showPicture(int index)
{
    bool known = false;
    ImageChange->setPixmap(
        lessonPicture(lesson_.pictures, index, dataFolder_, ImageChange->size(), &known));
    if (known)
        shownPicture_ = index;
}

void ListeningWindow::followPictures(int n)
{
    const qint32 end = lesson_.timing.value(n).end;
    if (end == 0)
        return;
    const int picture = pictureAt(lesson_.pictures, end);
    if (picture != 0 && picture != shownPicture_)
        showPicture(picture);
}

void ListeningWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void ListeningWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    arrangePages();
    arrange();
}

void ListeningWindow::paintEvent(QPaintEvent*)
{
    paintPagesAndPanelEdge(this, PanelText, PanelTrans, panelTop());
}

void ListeningWindow::addTempoChoice(QWidget* panel)
{
    tempoPanel_ = new QWidget(panel);
    auto* row = new QHBoxLayout(tempoPanel_);
    row->setContentsMargins(0, 0, 0, 0);
    auto* caption = new QLabel(QStringLiteral("Темп"), tempoPanel_);
    TempoChoice = new TempoBox(tempoPanel_);
    TempoChoice->setToolTip(
        QStringLiteral("Темп речи: медленнее — Ctrl+стрелка вниз, быстрее — Ctrl+стрелка вверх"));
    TempoChoice->catchKeysIn(this);
    caption->setBuddy(TempoChoice);
    row->addWidget(caption);
    row->addWidget(TempoChoice, 1);
}

void ListeningWindow::placeTempoChoice(const QRect& place)
{
    tempoPanel_->setGeometry(place);
}

void ListeningWindow::zoomBy(int steps)
{
    if (zoom_.change(steps))
        applyTextSize();
}

// Ctrl and the key of "+" or "=" (one key on most layouts), of "-", or of 0;
// the keypad's keys too.
bool ListeningWindow::zoomKey(QKeyEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomBy(1);
        return true;
    case Qt::Key_Minus:
        zoomBy(-1);
        return true;
    case Qt::Key_0:
        zoom_.reset();
        applyTextSize();
        return true;
    default:
        return false;
    }
}
