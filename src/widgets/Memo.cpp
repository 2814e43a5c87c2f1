#include "widgets/Memo.h"

#include "widgets/FitText.h"

#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>
#include <utility>

TMemo::TMemo(QWidget* parent) : QTextEdit(parent)
{
    setReadOnly(true);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setCursor(Qt::ArrowCursor);
}

void TMemo::Clear()
{
    SetLines({});
}

void TMemo::Add(const QString& line)
{
    lines_.append(line);
    refresh();
}

void TMemo::SetLines(const QStringList& lines)
{
    lines_ = lines;
    refresh();
}

void TMemo::SetAlignment(Qt::Alignment alignment)
{
    alignment_ = alignment;
    refresh();
}

void TMemo::SetTextColor(const QColor& color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Text, color);
    setPalette(pal);
}

void TMemo::refresh()
{
    if (!shownOnce_) {
        fillWhenShown_ = true;
        return;
    }
    fill();
}

void TMemo::fill()
{
    QString text = lines_.join(QLatin1Char('\n'));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setPlainText(text);
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setAlignment(alignment_);
    cursor.mergeBlockFormat(format);
    fit();
}

void TMemo::setFittedFont(const QFont& designed, bool wrap)
{
    designed_ = designed;
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(wrap ? WidgetWidth : NoWrap);
    // A file name with no space in it still breaks instead of running out.
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    fit();
}

void TMemo::resizeEvent(QResizeEvent* event)
{
    QTextEdit::resizeEvent(event);
    fit();
}

void TMemo::showEvent(QShowEvent* event)
{
    shownOnce_ = true;
    if (std::exchange(fillWhenShown_, false)) {
        fitWhenShown_ = false;
        fill(); // and fits
    } else if (std::exchange(fitWhenShown_, false)) {
        fit();
    }
    QTextEdit::showEvent(event);
}

void TMemo::fit()
{
    if (!designed_)
        return;
    // A hidden memo takes no font yet: setting one lays out its document,
    // which loads the face for a dialog that may never be shown.
    if (!isVisible()) {
        fitWhenShown_ = true;
        return;
    }
    setFont(fittedFont(*designed_, [this](const QFont& font) { return showsWhole(font); }));
}

bool TMemo::showsWhole(const QFont& font) const
{
    // Laid out apart, as the memo would lay it out: a fitted memo has no
    // frame and no scroll bars, so its text has the whole widget.
    const std::unique_ptr<QTextDocument> copy(document()->clone());
    copy->setDefaultFont(font);
    const QSize box = contentsRect().size();
    copy->setTextWidth(lineWrapMode() == NoWrap ? -1 : box.width());
    const QSizeF needed = copy->size();
    return needed.width() <= box.width() && needed.height() <= box.height();
}
