// The syntagm view's layout and scrolling, measured with a font of our own:
// every character 10 pixels wide, 12 in bold.
#include "listening/SyntagmLayout.h"

#include <gtest/gtest.h>

namespace {
int fixedWidth(const QString& text, quint8 style)
{
    return int(text.size()) * ((style & StyleBold) ? 12 : 10);
}

const TextLook Black{};
const TextLook Red{StyleUnderline, rgbColour(255, 0, 0)};
const TextLook Blue{0, rgbColour(0, 0, 255)};

// A view 100 pixels wide inside margins of 0 (room for 10 characters).
SyntagmLayout view(const QStringList& text, int position = 0)
{
    SyntagmLayout model;
    model.SetMargins({0, 0, 0, 0});
    model.SetText(text);
    model.SetPosition(position);
    return model;
}

QList<DrawnRun> paint(SyntagmLayout& model, QSize size = {100, 400})
{
    return model.Paint(size, 16, fixedWidth);
}

QString lineText(const SyntagmLayout& model, int line)
{
    return model.Lines()[line].text;
}

TextLook lookAt(const SyntagmLayout& model, int line, int column)
{
    return model.Lines()[line].cells[column - 1];
}

bool samePlace(const SyntagmPlace& a, const SyntagmPlace& b)
{
    return a.startLine == b.startLine && a.startColumn == b.startColumn && a.endLine == b.endLine &&
           a.endColumn == b.endColumn;
}
} // namespace

TEST(SyntagmLayout, Defaults)
{
    SyntagmLayout model;
    EXPECT_EQ(model.Position(), 1);
    EXPECT_EQ(model.NBegin(), 0);
    EXPECT_EQ(model.NEnd(), 0);
    EXPECT_EQ(model.PosScreen(), 40);
    EXPECT_EQ(model.k_Speed, 50000);
    EXPECT_EQ(model.Margins(), QMargins(20, 20, 20, 20));
    EXPECT_EQ(model.SelectedLook(), Red);
    EXPECT_EQ(model.MarkedLook(), Blue);
    EXPECT_DOUBLE_EQ(spacingFactor(TIntevalString::is0_75), 0.75);
    EXPECT_DOUBLE_EQ(spacingFactor(TIntevalString::is1_25), 1.25);
    EXPECT_DOUBLE_EQ(spacingFactor(TIntevalString::is2_00), 2.0);
}

TEST(SyntagmLayout, BlankControlDrawsNothing)
{
    SyntagmLayout model = view({});
    EXPECT_TRUE(paint(model).isEmpty());
    EXPECT_FALSE(model.layoutStale());
}

// Line 0 stays empty: the first line sits one pitch below the text top; a
// heading goes alone onto the next line, unwrapped, and the text goes on
// directly below it.
TEST(SyntagmLayout, LinesAndHeadings)
{
    SyntagmLayout plain = view({"Hallo"});
    plain.SetMargins({5, 7, 0, 0});
    const QList<DrawnRun> runs = paint(plain);
    ASSERT_EQ(runs.size(), 1);
    EXPECT_EQ(runs[0].at, QPoint(5, 7 + 16));
    EXPECT_EQ(runs[0].text, "Hallo ");

    SyntagmLayout headed = view({"#Eine sehr lange Überschrift", "Guten Tag", "#Zwei", "Ja"}, 1);
    paint(headed);
    EXPECT_EQ(lineText(headed, 1), "");
    EXPECT_EQ(lineText(headed, 2), QStringLiteral("Eine sehr lange Überschrift"));
    EXPECT_TRUE(samePlace(headed.places()[0], {2, 1, 2, 27}));
    EXPECT_EQ(lineText(headed, 3), "Guten Tag ");
    EXPECT_EQ(lineText(headed, 4), "Zwei");
    EXPECT_EQ(lineText(headed, 5), "Ja ");
    EXPECT_EQ(headed.lastLine(), 5);
}

// Words wrap at the width; a syntagm's highlight starts at the space that
// ends the one before and takes its own trailing space.
TEST(SyntagmLayout, WrappingAndHighlights)
{
    SyntagmLayout model = view({"eins zwei", "drei", "vierzehnhundert x", ""}, 1);
    paint(model);
    EXPECT_EQ(lineText(model, 1), "eins zwei ");
    EXPECT_EQ(lineText(model, 2), "drei ");
    EXPECT_EQ(lineText(model, 3), "vierzehnhundert ") << "too wide, yet whole on its line";
    EXPECT_EQ(lineText(model, 4), "x  ") << "an empty syntagm is an empty phrase";
    EXPECT_TRUE(samePlace(model.places()[0], {1, 0, 1, 10}));
    EXPECT_TRUE(samePlace(model.places()[1], {1, 10, 2, 5})) << "first word wrapped";
    EXPECT_TRUE(samePlace(model.places()[3], {4, 2, 4, 3}));
    // Syntagm 1 is current: the final space of line 1 and all of "drei ".
    EXPECT_EQ(lookAt(model, 1, 9), Black);
    EXPECT_EQ(lookAt(model, 1, 10), Red);
    EXPECT_EQ(lookAt(model, 2, 5), Red);
    EXPECT_EQ(lookAt(model, 3, 1), Black);

    // A syntagm longer than twenty lines is laid out whole.
    SyntagmLayout longOne = view({QStringList(45, "wort").join(u' '), "ende"}, 1);
    paint(longOne);
    EXPECT_EQ(longOne.places()[0].endLine, 23);
    EXPECT_EQ(lineText(longOne, 23), "wort ende ");
}

TEST(SyntagmLayout, MarkedRangeAndCurrentSyntagm)
{
    SyntagmLayout model = view({"a", "b", "c", "d"}, 2);
    model.SetNEnd(2);
    model.SetNBegin(1);
    model.SetFlagSelMultSint(true);
    EXPECT_TRUE(model.layoutStale());
    const QList<DrawnRun> runs = paint(model);
    // "a b c d ": each highlight starts at the space before it; a black, b
    // blue, c red (the current one wins), d black.
    ASSERT_EQ(runs.size(), 4);
    EXPECT_EQ(runs[0].look, Black);
    EXPECT_EQ(runs[1].text, " b");
    EXPECT_EQ(runs[2].text, " c ");
    EXPECT_EQ(runs[1].look, Blue);
    EXPECT_EQ(runs[1].at.x(), 10);
    EXPECT_EQ(runs[2].look, Red);
    EXPECT_EQ(runs[3].look, Black);

    // The flag alone does not lay out again: the range stays until then.
    model.SetFlagSelMultSint(false);
    EXPECT_EQ(paint(model)[1].look, Blue);
    model.markStale();
    const QList<DrawnRun> unmarked = paint(model);
    ASSERT_EQ(unmarked.size(), 3);
    EXPECT_EQ(unmarked[0].text, "a b");
    EXPECT_EQ(unmarked[0].look, Black);
}

TEST(SyntagmLayout, WritesOfPositionAndRange)
{
    SyntagmLayout model = view({"a", "b", "c", "d", "e", "f"}, 2);
    paint(model);
    for (int ignored : {2, -1, 6}) {
        EXPECT_FALSE(model.SetPosition(ignored)) << ignored;
        EXPECT_EQ(model.Position(), 2);
        EXPECT_FALSE(model.layoutStale());
    }
    EXPECT_TRUE(model.SetPosition(0));
    EXPECT_TRUE(model.layoutStale());

    model.SetNEnd(3);
    model.SetNBegin(5);
    EXPECT_EQ(std::pair(model.NBegin(), model.NEnd()), std::pair(3, 5));
    model.SetNEnd(1);
    EXPECT_EQ(std::pair(model.NBegin(), model.NEnd()), std::pair(1, 3));
    paint(model);
    model.SetNBegin(9);
    EXPECT_EQ(std::pair(model.NBegin(), model.NEnd()), std::pair(1, 3)) << "refused";
    EXPECT_TRUE(model.layoutStale()) << "stale even when refused";
    model.SetPosScreen(140);
    EXPECT_EQ(model.PosScreen(), 100);
    model.SetPosScreen(-3);
    EXPECT_EQ(model.PosScreen(), 0);
}

// The current syntagm scrolls to its height without overshooting, in steps
// that grow with the distance and never fall below a pixel.
TEST(SyntagmLayout, ScrollSettlesAtPosScreen)
{
    QStringList text;
    for (int i = 0; i < 60; ++i)
        text.append(QStringLiteral("satz%1").arg(i));
    SyntagmLayout model = view(text, 40);
    model.SetPosScreen(33);
    const QSize size(100, 199);
    paint(model, size);
    const int start = model.currentLineTop();
    // One syntagm a line; each starts at the final space of the line before.
    EXPECT_EQ(start, 40 * 16);
    int steps = 0;
    int last = start;
    while (model.ScrollStep(size.height()) && steps < 1000) {
        paint(model, size);
        EXPECT_LT(model.currentLineTop(), last);
        EXPECT_GE(model.currentLineTop(), 65) << "never overshoots";
        last = model.currentLineTop();
        ++steps;
    }
    EXPECT_EQ(model.currentLineTop(), 65);
    EXPECT_GT(steps, 5) << "smooth, not a jump";
    EXPECT_LT(steps, 400);
    // A gentler speed takes more steps for the same way back.
    model.SetPosition(0);
    model.k_Speed = 100000;
    paint(model, size);
    int gentle = 0;
    while (model.ScrollStep(size.height()) && gentle < 2000) {
        paint(model, size);
        ++gentle;
    }
    EXPECT_EQ(model.currentLineTop(), 65);
    EXPECT_GT(gentle, steps);
}

// Only runs whose top lies within the text rectangle are drawn: one above it
// is left out whole, one on its bottom edge is drawn.
TEST(SyntagmLayout, RunsAtTheEdgesOfTheTextRectangle)
{
    SyntagmLayout model = view({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}, 0);
    model.SetMargins({0, 10, 0, 10});
    // Each syntagm "x " is 20 px: five per line, so two lines at 16 and 32.
    const QList<DrawnRun> runs = paint(model, {100, 52});
    ASSERT_FALSE(runs.isEmpty());
    EXPECT_EQ(runs.last().at.y(), 10 + 32) << "the top on the bottom edge (42) is drawn";
    SyntagmLayout shorter = view({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}, 0);
    shorter.SetMargins({0, 10, 0, 10});
    EXPECT_EQ(paint(shorter, {100, 51}).last().at.y(), 26) << "one pixel shorter: not drawn";

    // Scrolled so that line 2 (where "g" starts) sits at y 0, above the text top of 10: nothing
    // of lines 1 and 2 is drawn, line 3 is.
    QStringList fifteen;
    for (int i = 0; i < 15; ++i)
        fifteen.append(QString(QChar(u'a' + i)));
    SyntagmLayout scrolled = view(fifteen, 6);
    scrolled.SetMargins({0, 10, 0, 10});
    scrolled.SetPosScreen(0);
    paint(scrolled, {100, 200});
    while (scrolled.ScrollStep(200))
        paint(scrolled, {100, 200});
    EXPECT_EQ(scrolled.currentLineTop(), 0);
    const QList<DrawnRun> runs3 = paint(scrolled, {100, 200});
    ASSERT_FALSE(runs3.isEmpty());
    for (const DrawnRun& run : runs3)
        EXPECT_EQ(run.at.y(), 16) << run.text.toStdString();
}

// A click finds the syntagm drawn under it at any text size: the same points
// of the text (the middle of a syntagm's first letter) give the same
// syntagms when the letters and lines are half as large again, and the gaps
// (between lines, past a line's end, a heading) give none.
TEST(SyntagmLayout, ClickFindsTheSyntagmUnderThePoint)
{
    struct Size {
        int letter;
        int line;
    };
    for (const Size size : {Size{10, 16}, Size{15, 24}}) {
        SCOPED_TRACE(size.letter);
        SyntagmLayout model = view({"#Titel", "Ein Hund", "bellt laut.", "Er lief."});
        const SyntagmLayout::WidthOf width = [&](const QString& text, quint8) {
            return int(text.size()) * size.letter;
        };
        model.Paint({20 * size.letter, 400}, size.line, width);
        // The middle of the letter at a column of a line.
        const auto at = [&](int line, int column) {
            return QPoint(size.letter * (column - 1) + size.letter / 2,
                          line * size.line + size.line / 2);
        };
        // Line 2 is the title, line 3 "Ein Hund bellt laut. ", line 4 "Er lief. ":
        // the last syntagm's place starts at the end of line 3, where its
        // first word did not fit, and its words are on line 4.
        const QList<std::pair<QPoint, int>> clicks{
            {at(3, 1), 1},  {at(3, 9), 1}, {at(3, 10), 2},  {at(3, 20), 2},
            {at(4, 1), 3},  {at(4, 8), 3}, {at(4, 11), -1}, // past the line's end
            {at(2, 2), -1},                                 // a heading plays nothing
            {at(5, 1), -1},                                 // below the text
        };
        for (const auto& [point, syntagm] : clicks)
            EXPECT_EQ(model.syntagmAt(point, width), syntagm) << point.x() << ", " << point.y();
    }
}

// The wheel moves the text by whole lines and the smooth scroll stops
// pulling it back until the next play: the text does not jump.
TEST(SyntagmLayout, WheelScrollHoldsUntilTheNextPlay)
{
    QStringList text{"#Titel"};
    for (int k = 1; k <= 60; ++k)
        text.append(QStringLiteral("Satz %1.").arg(k));
    SyntagmLayout model = view(text, 20);
    model.SetPosScreen(33);
    for (int i = 0; i < 200; ++i) {
        paint(model);
        model.ScrollStep(400);
    }
    const double settled = model.scrollOffset();
    ASSERT_EQ(model.currentLineTop(), 400 * 33 / 100);

    model.scrollLines(-3);
    EXPECT_DOUBLE_EQ(model.scrollOffset(), settled - 3 * 16);
    for (int i = 0; i < 20; ++i) {
        paint(model);
        model.ScrollStep(400);
    }
    EXPECT_DOUBLE_EQ(model.scrollOffset(), settled - 3 * 16) << "no pull back while reading";
    // What lies under a point is what is drawn there now: three lines further on.
    const int at = model.syntagmAt({5, 200 + 8}, fixedWidth);
    model.scrollLines(3);
    paint(model);
    EXPECT_EQ(model.syntagmAt({5, 200 + 8}, fixedWidth), at - 3);

    // Up to the top and no further: the title's line stays in view, the
    // first syntagm below it.
    model.scrollLines(1000);
    paint(model);
    EXPECT_EQ(model.syntagmAt({5, 16 + 8}, fixedWidth), -1);
    EXPECT_EQ(model.syntagmAt({5, 32 + 8}, fixedWidth), 1);

    model.followCurrent();
    for (int i = 0; i < 200; ++i) {
        paint(model);
        model.ScrollStep(400);
    }
    EXPECT_EQ(model.currentLineTop(), 400 * 33 / 100) << "the next play follows again";
}
