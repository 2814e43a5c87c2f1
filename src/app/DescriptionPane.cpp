#include "app/DescriptionPane.h"

#include "app/RtfReader.h"
#include "widgets/ButtonPictures.h"
#include "widgets/Look.h"

#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QTextEdit>
#include <QVBoxLayout>

void fillPane(QWidget* widget, const QColor& colour)
{
    look::fillBackground(widget, colour);
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Base, colour);
    widget->setPalette(colours);
}

FramedPanel::FramedPanel(QWidget* parent, QMargins margins) : QFrame(parent)
{
    fillPane(this, look::WindowGrey);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(margins);
    layout->setSpacing(0);
}

void FramedPanel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const int w = pictureFrameWidth;
    const QRect inside = rect().marginsRemoved(layout()->contentsMargins());
    drawPictureFrame(painter, inside.adjusted(-w, -w, w, w));
}

TDescriptionPane::TDescriptionPane(QWidget* parent)
    : FramedPanel(parent, QMargins(35, 34, 35, 34)), ImageAbout(new QLabel(this)),
      RichEditAboutLern(new QTextEdit(this))
{
    ImageAbout->setObjectName(QStringLiteral("ImageAbout"));
    RichEditAboutLern->setObjectName(QStringLiteral("RichEditAboutLern"));
    ImageAbout->setAlignment(Qt::AlignCenter);
    fillPane(ImageAbout, Qt::white);
    ImageAbout->hide();
    RichEditAboutLern->setReadOnly(true);
    RichEditAboutLern->setFrameShape(QFrame::NoFrame);
    RichEditAboutLern->setFont(look::arial(12));
    RichEditAboutLern->setAccessibleName(QStringLiteral("Описание"));
    ImageAbout->setAccessibleName(QStringLiteral("Рисунок к описанию"));
    fillPane(RichEditAboutLern, Qt::white);
    layout()->addWidget(ImageAbout);
    layout()->addWidget(RichEditAboutLern);
}

std::optional<CourseError> TDescriptionPane::showText(const QString& path)
{
    ImageAbout->hide();
    RichEditAboutLern->show();
    RichEditAboutLern->clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return CourseError{path, 0, UnreadableFileText};
    readDescription(file.readAll(), RichEditAboutLern->document());
    return std::nullopt;
}

std::optional<CourseError> TDescriptionPane::showPicture(const QString& path)
{
    RichEditAboutLern->hide();
    ImageAbout->show();
    QPixmap picture;
    if (!picture.load(path))
        return CourseError{path, 0, QStringLiteral("рисунок не читается")};
    // A picture larger than the pane is shown whole, in its own proportions.
    const QSize room = rect().marginsRemoved(layout()->contentsMargins()).size();
    if (picture.width() > room.width() || picture.height() > room.height())
        picture = picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    ImageAbout->setPixmap(picture);
    return std::nullopt;
}
