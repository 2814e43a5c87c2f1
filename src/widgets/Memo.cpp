#include "widgets/Memo.h"

#include <QTextBlockFormat>
#include <QTextCursor>

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
    QString text = lines_.join(QLatin1Char('\n'));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setPlainText(text);
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setAlignment(alignment_);
    cursor.mergeBlockFormat(format);
}
