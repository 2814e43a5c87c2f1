#include "listening/SyntagmLayout.h"

#include <QRect>
#include <algorithm>
#include <cmath>

namespace {
// Halves to even, as every position of the view is rounded.
int roundEven(double value)
{
    return int(std::nearbyint(value));
}
} // namespace

double spacingFactor(TIntevalString spacing)
{
    return 0.75 + 0.25 * int(spacing);
}

QStringList wordsOf(const QString& syntagm)
{
    QStringList words;
    qsizetype from = 0;
    for (qsizetype at = syntagm.indexOf(u' '); at >= 0; at = syntagm.indexOf(u' ', from)) {
        words.append(syntagm.mid(from, at - from + 1));
        from = at + 1;
    }
    if (from < syntagm.size())
        words.append(syntagm.mid(from));
    return words;
}

QStringList& SyntagmLayout::EditText()
{
    markStale();
    return text_;
}

void SyntagmLayout::SetText(const QStringList& text)
{
    text_ = text;
    markStale();
}

bool SyntagmLayout::SetPosition(int position)
{
    if (!validIndex(position) || position == position_)
        return false;
    position_ = position;
    stale_ = true;
    return true;
}

bool SyntagmLayout::SetNBegin(int value)
{
    if (validIndex(value)) {
        nBegin_ = value;
        if (value > nEnd_) {
            nBegin_ = nEnd_;
            nEnd_ = value;
        }
    }
    stale_ = true;
    return true;
}

bool SyntagmLayout::SetNEnd(int value)
{
    if (validIndex(value)) {
        nEnd_ = value;
        if (value < nBegin_) {
            nEnd_ = nBegin_;
            nBegin_ = value;
        }
    }
    stale_ = true;
    return true;
}

bool SyntagmLayout::SetFlagSelMultSint(bool on)
{
    // Shows at the next layout: the flag alone does not make it stale.
    flagSelMultSint_ = on;
    return true;
}

bool SyntagmLayout::SetPosScreen(int percent)
{
    posScreen_ = std::clamp(percent, 0, 100);
    return true;
}

bool SyntagmLayout::setLooks(const TextLook& normal, const TextLook& selected,
                             const TextLook& marked)
{
    wrapStale_ = wrapStale_ || normal.style != normal_.style;
    normal_ = normal;
    selected_ = selected;
    marked_ = marked;
    stale_ = true;
    return true;
}

bool SyntagmLayout::SetMargins(const QMargins& margins)
{
    margins_ = margins;
    return true;
}

QString& SyntagmLayout::newLine()
{
    ++lastLine_;
    while (lines_.size() <= lastLine_)
        lines_.append(LaidLine{});
    return lines_[lastLine_].text;
}

void SyntagmLayout::placeHeading(int index)
{
    if (HideHeadings) {
        newLine();
        newLine();
        return;
    }
    const QString& raw = text_[index];
    newLine() = raw.mid(1);
    places_[index] = {lastLine_, 1, lastLine_, int(raw.size()) - 1};
    newLine();
}

void SyntagmLayout::placeWords(int index, int width, const WidthOf& widthOf)
{
    SyntagmPlace& place = places_[index];
    place.startLine = lastLine_;
    place.startColumn = int(lines_[lastLine_].text.size());
    for (const QString& word : wordsOf(text_[index])) {
        QString& line = lines_[lastLine_].text;
        // A word wider than the line goes alone onto a line, unbroken; an
        // empty line takes it rather than being left empty.
        if (!line.isEmpty() && widthOf(line + word, normal_.style) > width)
            newLine() = word;
        else
            line += word;
    }
    lines_[lastLine_].text += u' ';
    place.endLine = lastLine_;
    place.endColumn = int(lines_[lastLine_].text.size());
}

void SyntagmLayout::recolour(int index, const TextLook& look)
{
    const SyntagmPlace& place = places_[index];
    for (int line = place.startLine; line <= place.endLine; ++line) {
        QList<TextLook>& cells = lines_[line].cells;
        const int first = line == place.startLine ? std::max(place.startColumn, 1) : 1;
        const int last = line == place.endLine ? place.endColumn : int(cells.size());
        for (int column = first; column <= std::min(last, int(cells.size())); ++column)
            cells[column - 1] = look;
    }
}

void SyntagmLayout::wrap(int width, const WidthOf& widthOf)
{
    places_ = QList<SyntagmPlace>(text_.size());
    lines_ = QList<LaidLine>(2);
    lastLine_ = 1;
    for (int i = 0; i < text_.size(); ++i) {
        if (text_[i].startsWith(u'#'))
            placeHeading(i);
        else
            placeWords(i, width, widthOf);
    }
    wrapStale_ = false;
}

void SyntagmLayout::reflow(int width, const WidthOf& widthOf)
{
    if (wrapStale_ || width != wrappedWidth_)
        wrap(width, widthOf);
    wrappedWidth_ = width;
    for (LaidLine& line : lines_)
        line.cells = QList<TextLook>(line.text.size(), normal_);
    if (flagSelMultSint_ && nEnd_ >= nBegin_)
        for (int i = nBegin_; i <= nEnd_ && i < text_.size(); ++i)
            recolour(i, marked_);
    if (validIndex(position_))
        recolour(position_, selected_);
}

QList<DrawnRun> SyntagmLayout::Paint(QSize size, int lineHeight, const WidthOf& widthOf)
{
    const QRect area = QRect(QPoint(0, 0), size).marginsRemoved(margins_);
    QList<DrawnRun> runs;
    if (text_.isEmpty()) {
        stale_ = false;
        return runs;
    }
    layOut(area.width(), widthOf);
    paintedArea_ = area;
    paintedPitch_ = lineHeight * spacingFactor(HeightIntervString);
    const int currentLine = validIndex(position_) ? places_[position_].startLine : 0;
    currentLineTop_ = lineTop(currentLine);
    for (int i = 0; i <= lastLine_ && i < lines_.size(); ++i) {
        const int y = lineTop(i);
        // Only runs whose top lies inside the text area are drawn, whole; a
        // line's runs share its top, so a line outside is not measured at all.
        if (y < area.top() || y > area.bottom() + 1)
            continue;
        runs.append(lineRuns(i, QPoint(area.left(), y), widthOf));
    }
    return runs;
}

void SyntagmLayout::layOut(int width, const WidthOf& widthOf)
{
    if (!stale_)
        return;
    reflow(width, widthOf);
    stale_ = false;
}

QList<DrawnRun> SyntagmLayout::lineRuns(int line, QPoint at, const WidthOf& widthOf) const
{
    QList<DrawnRun> runs;
    const LaidLine& laid = lines_[line];
    int x = 0;
    for (qsizetype from = 0; from < laid.text.size();) {
        qsizetype to = from + 1;
        while (to < laid.text.size() && laid.cells[to] == laid.cells[from])
            ++to;
        const QString piece = laid.text.mid(from, to - from);
        runs.append({at + QPoint(x, 0), piece, laid.cells[from]});
        x += widthOf(piece, laid.cells[from].style);
        from = to;
    }
    return runs;
}

int SyntagmLayout::lineTop(int line) const
{
    return paintedArea_.top() + roundEven(line * paintedPitch_) + roundEven(scrollOffset_);
}

bool SyntagmLayout::ScrollStep(int controlHeight)
{
    if (scrolledByHand_)
        return stale_;
    const int target = controlHeight * posScreen_ / 100;
    const int d = currentLineTop_ - target;
    if (d != 0) {
        double step = std::exp(double(std::abs(d)) * controlHeight / k_Speed);
        step = std::min(step, double(std::abs(d)));
        scrollOffset_ += d > 0 ? -step : step;
    }
    return d != 0 || stale_;
}

void SyntagmLayout::scrollLines(double lines)
{
    scrolledByHand_ = true;
    // The first line may come down to the top of the view, the last go up
    // to its bottom; a text that stands beyond that already does not jump.
    const double moved = scrollOffset_ + lines * paintedPitch_;
    if (lines > 0)
        scrollOffset_ = std::min(moved, std::max(scrollOffset_, -paintedPitch_));
    else
        scrollOffset_ =
            std::max(moved, std::min(scrollOffset_,
                                     paintedArea_.height() - (lastLine_ + 1) * paintedPitch_));
}

int SyntagmLayout::syntagmAt(QPoint point, const WidthOf& widthOf) const
{
    if (paintedPitch_ <= 0)
        return -1;
    for (int line = 1; line <= lastLine_ && line < lines_.size(); ++line) {
        if (point.y() >= lineTop(line) && point.y() < lineTop(line + 1))
            return syntagmOn(line, columnAt(line, point.x() - paintedArea_.left(), widthOf));
    }
    return -1;
}

// The column of the character under `x`, from 1; 0 past the line's end.
int SyntagmLayout::columnAt(int line, int x, const WidthOf& widthOf) const
{
    const QString& text = lines_[line].text;
    if (x < 0)
        return 0;
    for (int column = 1; column <= text.size(); ++column) {
        if (x < widthOf(text.left(column), normal_.style))
            return column;
    }
    return 0;
}

int SyntagmLayout::syntagmOn(int line, int column) const
{
    if (column == 0)
        return -1;
    for (int k = 0; k < places_.size(); ++k) {
        const SyntagmPlace& place = places_[k];
        if (text_[k].startsWith(u'#'))
            continue;
        const bool after =
            line > place.startLine || (line == place.startLine && column > place.startColumn);
        const bool before =
            line < place.endLine || (line == place.endLine && column <= place.endColumn);
        if (after && before)
            return k;
    }
    return -1;
}
