#include "widgets/FitText.h"
#include "widgets/Look.h"
#include "widgets/Memo.h"

#include <QLabel>
#include <QScrollBar>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {
const QString sentence = QStringLiteral("Вы не в достаточной мере поняли содержание текста.");

} // namespace

TEST(FitText, LabelKeepsItsSizeWhereTheTextFitsElseShowsItWhole)
{
    struct Case {
        QSize box;
        bool wrap;
        bool keepsSize;
    };
    const Case cases[] = {
        {{900, 40}, false, true},  // room to spare
        {{260, 24}, false, false}, // one line, too narrow
        {{200, 30}, true, false},  // wrapped, too low for the lines
        {{200, 200}, true, true},  // wrapped, room for every line
    };
    for (const Case& c : cases) {
        QLabel label(sentence);
        label.setWordWrap(c.wrap);
        label.resize(c.box);
        fitLabel(label, look::arial(16));
        EXPECT_EQ(label.font().pixelSize() == 16, c.keepsSize) << c.box.width();
        if (c.wrap)
            EXPECT_LE(label.heightForWidth(label.width()), label.height()) << c.box.width();
        else
            EXPECT_LE(label.sizeHint().width(), label.width()) << c.box.width();
    }
}

TEST(FitText, FittedMemoNeverScrollsAndFollowsItsText)
{
    TMemo memo;
    memo.resize(340, 30);
    memo.setFittedFont(look::arial(16));
    memo.show();
    memo.SetLines({QStringLiteral("Коротко.")});
    EXPECT_EQ(memo.font().pixelSize(), 16);
    memo.SetLines({sentence + sentence});
    EXPECT_LT(memo.font().pixelSize(), 16);
    EXPECT_LE(memo.document()->size().height(), memo.viewport()->height());
    EXPECT_EQ(memo.verticalScrollBar()->maximum(), 0);
    // A new, short text gets the designed size back.
    memo.SetLines({QStringLiteral("Коротко.")});
    EXPECT_EQ(memo.font().pixelSize(), 16);
}

// A window made long before it shows fits its texts when shown, to the last
// text set before; a hidden label keeps the designed size meanwhile (a hidden
// memo takes no font at all, so that nothing is laid out for it).
TEST(FitText, HiddenTextsFitWhenShown)
{
    QWidget window;
    auto* label = new QLabel(sentence, &window);
    label->setGeometry(0, 0, 260, 24);
    fitLabelsWhenShown({label}, look::arial(16));
    auto* memo = new TMemo(&window);
    memo->setGeometry(0, 40, 340, 30);
    memo->setFittedFont(look::arial(16));
    memo->SetLines({sentence + sentence});
    EXPECT_EQ(label->font().pixelSize(), 16);
    window.show();
    EXPECT_LT(label->font().pixelSize(), 16);
    EXPECT_TRUE(labelTextFits(*label, label->font()));
    EXPECT_LT(memo->font().pixelSize(), 16);
    EXPECT_LE(memo->document()->size().height(), memo->viewport()->height());
    window.hide();
    memo->SetLines({QStringLiteral("Коротко.")});
    window.show();
    EXPECT_EQ(memo->font().pixelSize(), 16);
}
