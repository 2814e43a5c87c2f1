#include "listening/ListeningWindow.h"

#include "listening/ListeningControls.h"
#include "widgets/ButtonPictures.h"
#include "widgets/Look.h"
#include "widgets/Pictures.h"

#include <QLabel>
#include <QShowEvent>

// Outside any namespace, as the resource initialiser must be.
static void registerListeningPictures()
{
    Q_INIT_RESOURCE(listening);
}

ListeningWindow::ListeningWindow(const PageLayout& design, const QString& dataFolder,
                                 QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), design_(design),
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
