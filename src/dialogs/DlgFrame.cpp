#include "dialogs/DlgFrame.h"

#include "widgets/BitmapRules.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/ButtonPictures.h"
#include "widgets/Look.h"
#include "widgets/PicturePaths.h"
#include "widgets/Pictures.h"

#include <QApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

TDlgFrame::TDlgFrame(QSize client, const QString& title, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), client_(client)
{
    setFixedSize(client.width() + 2 * border, client.height() + captionHeight + 2 * border);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, look::WindowGrey);
    pal.setColor(QPalette::Button, look::WindowGrey);
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::black);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, winColor(8421504));
    setPalette(pal);
    SetCaption(title);
}

void TDlgFrame::SetCaption(const QString& title)
{
    setWindowTitle(title);
    update();
}

void TDlgFrame::setVisible(bool visible)
{
    if (visible) {
        const QWidget* asking = QApplication::activeWindow();
        const QScreen* screen = asking ? asking->screen() : QGuiApplication::primaryScreen();
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::setVisible(visible);
}

QRect TDlgFrame::clientRect() const
{
    return QRect(QPoint(0, 0), client_);
}

QRect TDlgFrame::toWindow(const QRect& client) const
{
    return client.translated(border, border + captionHeight);
}

TBtnImgD1QF* TDlgFrame::makeButton(const QString& label, QPoint clientAt,
                                   DialogResult modalResult)
{
    auto* button = new TBtnImgD1QF(this);
    button->SetCaption(label);
    dressButton(*button, labelButtonPictures(label));
    button->move(toWindow(QRect(clientAt, button->size())).topLeft());
    button->SetModalResult(modalResult);
    return button;
}

void TDlgFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(winColor(5570560));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    const QRect bar(border, border, width() - 2 * border, captionHeight);
    QLinearGradient gradient(bar.topLeft(), bar.topRight());
    gradient.setColorAt(0, winColor(7798784));
    gradient.setColorAt(1, winColor(16733525));
    painter.fillRect(bar, gradient);
    painter.setFont(look::arial(14, true));
    painter.setPen(Qt::white);
    painter.drawText(bar.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft, windowTitle());

    const QRect client = toWindow(clientRect());
    const QRect side(client.left() + 8, client.top() + 10, sideWidth - 14,
                     qMin(client.height() - 20, (sideWidth - 14) * 16 / 9));
    painter.drawPixmap(side.topLeft(), renderSvg(pictures::dialogSide, side.size()));

    if (textArea_.isEmpty())
        return;
    const QRect area = toWindow(textArea_);
    painter.fillRect(area, Qt::white);
    drawPictureFrame(painter, area.adjusted(-pictureFrameWidth, -pictureFrameWidth,
                                            pictureFrameWidth, pictureFrameWidth));
}

void TDlgFrame::mousePressEvent(QMouseEvent* event)
{
    dragging_ = event->button() == Qt::LeftButton && event->position().y() < border + captionHeight;
    dragFrom_ = event->globalPosition().toPoint() - pos();
}

void TDlgFrame::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_ && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - dragFrom_);
}
