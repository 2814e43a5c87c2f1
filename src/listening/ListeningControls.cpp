#include "listening/ListeningControls.h"

#include "common/Paths.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/ButtonPictures.h"
#include "widgets/ChBxImgTransD1QF.h"
#include "widgets/Look.h"
#include "widgets/PicturePaths.h"
#include "widgets/Pictures.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>

namespace {
const QString LessonPicture = QStringLiteral(":/listening/pictures/lesson.svg");
}

QLabel* pageImage(QWidget* page)
{
    auto* image = new QLabel(page);
    image->setAlignment(Qt::AlignCenter);
    image->setScaledContents(false);
    return image;
}

TBtnImgD1QF* labelButton(const QString& caption, QWidget* parent, int width)
{
    auto* button = new TBtnImgD1QF(parent);
    button->SetCaption(caption);
    dressButton(*button, labelButtonPictures(caption, {width, 28}));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

TBtnImgTransD1QF* roundButton(const QString& symbol, const QString& caption, QWidget* parent)
{
    auto* button = new TBtnImgTransD1QF(parent);
    dressButton(*button, symbolButtonPictures(symbol, 36));
    button->setText(caption);
    // Out of the Tab chain until these windows' keys are settled: a focused
    // button would take the Space that marks the range.
    button->setFocusPolicy(Qt::NoFocus);
    auto* label = new QLabel(caption, parent);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setObjectName(QStringLiteral("caption"));
    button->setProperty("caption", QVariant::fromValue<QObject*>(label));
    return button;
}

QLabel* captionOf(TBtnImgTransD1QF* button)
{
    return qobject_cast<QLabel*>(button->property("caption").value<QObject*>());
}

int placeRoundButtons(const QList<TBtnImgTransD1QF*>& buttons, int x, int top, int captionTop,
                      int pitch)
{
    for (TBtnImgTransD1QF* button : buttons) {
        button->move(x + pitch / 2 - button->width() / 2, top);
        captionOf(button)->setGeometry(x - 4, captionTop, pitch + 8, 18);
        x += pitch;
    }
    return x;
}

TChBxImgTransD1QF* checkBox(const QString& caption, QWidget* parent)
{
    auto* box = new TChBxImgTransD1QF(parent);
    box->setFocusPolicy(Qt::NoFocus);
    box->SetCaption(caption);
    box->setFont(look::arial(12));
    const QSize ball(18, 18);
    box->SetImgOn(renderSvg(pictures::ballGrey, ball));
    box->SetImgOnDis(renderSvg(pictures::ballGreyDisabled, ball));
    box->SetImgOff(renderSvg(pictures::ballRed, ball));
    box->SetImgOffDis(renderSvg(pictures::ballRedDisabled, ball));
    box->resize(150, 22);
    return box;
}

QPixmap pageDrawing(QSize size)
{
    return loadPicture(LessonPicture, size);
}

QPixmap lessonPicture(const QList<PictureEntry>& pictures, int index, const QString& dataFolder,
                      QSize size, bool* known)
{
    *known = index > 0 && index < pictures.size() && !pictures[index].name.isEmpty();
    QPixmap picture;
    if (*known)
        picture = loadPicture(coursePath(dataFolder + pictures[index].name));
    // A picture that cannot be loaded leaves the page's own drawing in place.
    if (picture.isNull())
        return pageDrawing(size);
    return picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void paintPagesAndPanelEdge(QWidget* window, QWidget* textPage, QWidget* transPage, int panelTop)
{
    QPainter painter(window);
    const int frame = pictureFrameWidth;
    for (QWidget* page : {textPage, transPage})
        drawPictureFrame(painter, page->geometry().adjusted(-frame, -frame, frame, frame));
    painter.setPen(look::ShadowGrey);
    painter.drawLine(0, panelTop, window->width(), panelTop);
    painter.setPen(Qt::white);
    painter.drawLine(0, panelTop + 1, window->width(), panelTop + 1);
}

QFont styledFont(QFont font, quint8 style)
{
    font.setBold(style & StyleBold);
    font.setItalic(style & StyleItalic);
    font.setUnderline(style & StyleUnderline);
    font.setStrikeOut(style & StyleStrikeOut);
    return font;
}

void drawRuns(QPainter& painter, const QFont& font, const QList<DrawnRun>& runs)
{
    const int ascent = QFontMetrics(font).ascent();
    for (const DrawnRun& run : runs) {
        painter.setFont(styledFont(font, run.look.style));
        painter.setPen(QColor::fromRgba(run.look.colour));
        painter.drawText(run.at + QPoint(0, ascent), run.text);
    }
}
