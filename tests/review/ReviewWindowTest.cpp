// The review window driven through its keys, wheel and clicks.
#include "review/FormReview.h"
#include "review/PassChart.h"
#include "review/WaveStrip.h"
#include "widgets/BtnImgD1QF.h"

#include "../sound/SoundFiles.h"
#include "PassMaterial.h"
#include "support/TempCourse.h"

#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {
constexpr int Rate = 22050;

class ReviewWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QStringList text{QStringLiteral("Titel")};
        QStringList timing{QStringLiteral("#\t#")};
        for (int i = 0; i < 10; ++i) {
            text << QStringLiteral("Satz %1.").arg(i + 1);
            timing << QStringLiteral("%1\t%2").arg(i * 3000).arg(i * 3000 + 3000);
        }
        course.writeLines(QStringLiteral("text.txt"), text, true);
        course.writeLines(QStringLiteral("timing.txt"), timing);
        ASSERT_TRUE(writeTone(course.filePath(QStringLiteral("lesson.wav")), {Rate, 1, 30000}));
        request = studentPass(course);
        record({{800, 2800}, {3900, 5800}, {10000, 29000}});
    }

    void record(const QList<SpeechSpan>& speech)
    {
        ASSERT_TRUE(writeSamples(request.recording, Rate, speechLike(30000, speech, 30, Rate)));
    }

    TempCourse course;
    ReviewRequest request;
};

TEST_F(ReviewWindow, KeysSelectAndZoomTheWheelScrollsAClickSelects)
{
    TFormReview form(request, {});
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    WaveStrip* strip = form.Strip;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Разбор перевода"));
    EXPECT_NEAR(strip->view().msPerPixel * strip->width(), 30000, 30) << "the whole pass at first";
    EXPECT_EQ(strip->selected(), -1);
    QTest::keyClick(strip, Qt::Key_Right);
    QTest::keyClick(strip, Qt::Key_Right);
    EXPECT_EQ(strip->selected(), 1);
    QTest::keyClick(strip, Qt::Key_Left);
    QTest::keyClick(strip, Qt::Key_Left);
    EXPECT_EQ(strip->selected(), 0);

    const double whole = strip->view().msPerPixel;
    QTest::keyClick(strip, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_LT(strip->view().msPerPixel, whole);
    QTest::keyClick(strip, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_NEAR(strip->view().msPerPixel, whole, 1e-9);

    // Ctrl+wheel zooms around the mouse: the time under it stays.
    const QPointF at(strip->width() * 0.75, strip->height() / 2.0);
    const double timeAt = strip->view().msAt(at.x());
    QWheelEvent zoomIn(at, strip->mapToGlobal(at), {}, {0, 480}, Qt::NoButton, Qt::ControlModifier,
                       Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(strip, &zoomIn);
    EXPECT_NEAR(strip->view().msPerPixel, whole / std::pow(1.25, 4), 1e-6);
    EXPECT_NEAR(strip->view().msAt(at.x()), timeAt, 1);
    EXPECT_EQ(form.ScrollBar->value(), int(strip->view().startMs)) << "the scroll bar follows";

    // The wheel alone scrolls back toward the start; the scroll bar moves the view.
    const double start = strip->view().startMs;
    QWheelEvent back(at, strip->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(strip, &back);
    EXPECT_LT(strip->view().startMs, start);
    form.ScrollBar->setValue(9000);
    EXPECT_DOUBLE_EQ(strip->view().startMs, 9000);

    // A click on a syntagm's turn selects it: the view now starts in syntagm 4 (9..12 s).
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(int(strip->view().xAt(10500)), 60));
    EXPECT_EQ(strip->selected(), 3);
    QTest::keyClick(strip, Qt::Key_Right);
    EXPECT_EQ(strip->selected(), 4);
}

TEST_F(ReviewWindow, FiguresShowAndEveryNewPassMovesTheChart)
{
    {
        TFormReview form(request, {});
        EXPECT_TRUE(form.LabelFigures->text().contains(QStringLiteral("Паузы длиннее 0,5 с: 2")))
            << form.LabelFigures->text().toStdString();
        EXPECT_TRUE(form.LabelProblems->isHidden());
        ASSERT_EQ(form.Chart->passes().size(), 1);
    }
    {
        TFormReview again(request, {});
        EXPECT_EQ(again.Chart->passes().size(), 1) << "the same recording is one pass";
    }
    // The second pass: without the long pause, and written later.
    record({{300, 29500}});
    QFile file(request.recording);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(120),
                                 QFileDevice::FileModificationTime));
    file.close();
    TFormReview second(request, {});
    const QList<PassRecord> passes = second.Chart->passes();
    ASSERT_EQ(passes.size(), 2);
    EXPECT_GT(passes[1].speakingShare(), passes[0].speakingShare() + 0.2);
    EXPECT_EQ(passes[1].pauseCount, 0);
}

TEST_F(ReviewWindow, ADamagedHistoryIsNamedAndLeftAsItWas)
{
    course.write(QStringLiteral("Ivan.hst"), "Tolvaren pass history 1\nedited by hand\n");
    const QByteArray before = course.read(QStringLiteral("Ivan.hst"));
    TFormReview form(request, {});
    EXPECT_FALSE(form.LabelProblems->isHidden());
    EXPECT_TRUE(form.LabelProblems->text().contains(QStringLiteral("Ivan.hst")))
        << form.LabelProblems->text().toStdString();
    EXPECT_TRUE(form.LabelFigures->text().startsWith(QStringLiteral("Речь:")));
    EXPECT_EQ(course.read(QStringLiteral("Ivan.hst")), before);
}

// How many pixels of the colour the column holds between the rows.
int inkIn(const QImage& image, int x, int top, int bottom, QRgb colour)
{
    int count = 0;
    for (int y = top; y < bottom; ++y)
        count += image.pixel(x, y) == colour ? 1 : 0;
    return count;
}

TEST_F(ReviewWindow, AWaitingPassShowsTheWaitTheLateStartAndTheLongPause)
{
    // The lesson (3 s a syntagm) waited 0.5 s after its first syntagm; the
    // student began 1.2 s late and fell silent for 2 s.
    request.kind = ExerciseKind::TrainerWithWait;
    request.studentTiming = course.filePath(QStringLiteral("Ivan4.txt"));
    QStringList timing{QStringLiteral("#\t#"), QStringLiteral("0\t3500")};
    for (int i = 1; i < 10; ++i)
        timing << QStringLiteral("%1\t%2").arg(3500 + (i - 1) * 3000).arg(3500 + i * 3000);
    course.writeLines(QStringLiteral("Ivan4.txt"), timing);
    record({{1200, 3000}, {5000, 6000}});
    TFormReview form(request, {});
    form.resize(1000, 640);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QImage image = form.Strip->grab().toImage();
    form.grab().save(QStringLiteral("review-waiting-pass.png"));
    const TimeView& view = form.Strip->view();
    const QRect lesson = form.Strip->laneRect(0);
    const QRect student = form.Strip->laneRect(1);
    const QRgb blue = qRgb(40, 70, 150);
    const QRgb red = qRgb(220, 60, 50);
    EXPECT_GT(inkIn(image, int(view.xAt(1000)), lesson.top(), lesson.bottom(), blue), 10);
    EXPECT_EQ(inkIn(image, int(view.xAt(3300)), lesson.top(), lesson.bottom(), blue), 0)
        << "the wait holds no lesson sound";
    EXPECT_GT(inkIn(image, int(view.xAt(4000)), student.bottom() - 6, student.bottom(), red), 0)
        << "the long pause is marked";
    EXPECT_EQ(inkIn(image, int(view.xAt(2000)), student.bottom() - 6, student.bottom(), red), 0);
    EXPECT_EQ(form.material().figures.pauseCount, 1);
    EXPECT_NEAR(form.material().figures.lags.value(0).value_or(-1), 1200, 20);
}

TEST_F(ReviewWindow, PrintGoesThroughTheGivenPrinterWithTheLaidOutPages)
{
    int printed = 0;
    QList<PrintPage> pages;
    TFormReview form(request, [&](QWidget* parent, const auto& layout) {
        ++printed;
        EXPECT_EQ(parent, &form);
        pages = layout(4960, 7016);
    });
    QTest::mouseClick(form.BtnPrint, Qt::LeftButton);
    EXPECT_EQ(printed, 1);
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_EQ(pages[0].texts[1].text, QStringLiteral("Ученик: Иван"));
}
} // namespace
