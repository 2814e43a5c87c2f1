#include "TestPictures.h"
#include "support/PaintCounter.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/ButtonPictures.h"
#include "widgets/ChBxImgTransD1QF.h"
#include "widgets/HelpContext.h"
#include "widgets/PrgssBarQF.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {
const QColor ground(204, 204, 204);

// A window with a plain known ground for the controls to sit on.
struct Stage {
    QWidget window;
    Stage()
    {
        window.resize(300, 120);
        QPalette pal = window.palette();
        pal.setColor(QPalette::Window, ground);
        window.setPalette(pal);
        window.setAutoFillBackground(true);
    }
};

void enter(QWidget* widget)
{
    QEnterEvent event(QPointF(1, 1), QPointF(1, 1), widget->mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(widget, &event);
}

void leave(QWidget* widget)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}
} // namespace

// ---- TPrgssBarQF ----------------------------------------------------------

class ProgressBar : public ::testing::Test {
protected:
    // Track pieces 6, 8, 6 wide and 17 high; fill pieces 4, 6, 4 wide and 11 high.
    const QColor beginLine{10, 10, 10}, midleLine{20, 200, 20}, endLine{30, 30, 30};
    const QColor beginScroll{200, 0, 0}, midleScroll{0, 0, 200}, endScroll{0, 200, 200};
    Stage stage;
    TPrgssBarQF* bar = new TPrgssBarQF(&stage.window);

    void SetUp() override
    {
        bar->SetImgBeginLine(keyedPicture({6, 17}, beginLine));
        bar->SetImgMidleLine(keyedPicture({8, 17}, midleLine));
        bar->SetImgEndLine(keyedPicture({6, 17}, endLine));
        bar->SetImgBeginScroll(keyedPicture({4, 11}, beginScroll));
        bar->SetImgMidleScroll(keyedPicture({6, 11}, midleScroll));
        bar->SetImgEndScroll(keyedPicture({4, 11}, endScroll));
    }
    // Colour along the bar's middle row (clear of the pieces' key corners).
    QColor at(int x) const { return bar->Render().toImage().pixelColor(x, 12); }
};

TEST_F(ProgressBar, Defaults)
{
    TPrgssBarQF fresh;
    EXPECT_EQ(fresh.size(), QSize(150, 25));
    EXPECT_EQ(fresh.Min(), 0);
    EXPECT_EQ(fresh.Max(), 100);
    EXPECT_EQ(fresh.Position(), 20);
}

TEST_F(ProgressBar, AtZeroOneTileUnderTheEndPicture)
{
    bar->SetPosition(0);
    EXPECT_EQ(at(9), beginScroll);
    EXPECT_EQ(at(12), endScroll);   // end right after the begin picture
    EXPECT_EQ(at(16), midleScroll); // the one tile shows past the end picture
    EXPECT_EQ(at(18), midleLine);   // then the empty track
    EXPECT_EQ(at(3), ground);
    EXPECT_EQ(at(146), ground);
}

TEST_F(ProgressBar, AtTheMiddleAndAtMax)
{
    bar->SetPosition(50); // k = 21 * 50 div 100 = 10
    EXPECT_EQ(at(70), midleScroll);
    EXPECT_EQ(at(73), endScroll);
    EXPECT_EQ(at(77), midleScroll);
    EXPECT_EQ(at(80), midleLine);
    bar->SetPosition(100); // k = 21, 22 tiles from x = 12
    EXPECT_EQ(at(137), midleScroll);
    EXPECT_EQ(at(139), endScroll);
    EXPECT_EQ(at(143), midleScroll);
    EXPECT_EQ(at(144), endLine);
}

// A bar that counts through work holding up the event loop is drawn at once
// when its fill moves, a screen frame (16 ms) apart at most.
TEST_F(ProgressBar, AdvancingDrawsAtOnceWhenTheFillMovesAFrameApart)
{
    stage.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&stage.window));
    bar->SetPosition(0);
    QCoreApplication::processEvents();
    PaintCounter counter;
    bar->installEventFilter(&counter);
    const auto nextFrame = [] { std::this_thread::sleep_for(std::chrono::milliseconds(20)); };
    nextFrame();
    bar->AdvanceTo(4); // 21 fill slots: still none filled
    EXPECT_EQ(counter.paints, 0);
    QElapsedTimer sinceDrawn;
    sinceDrawn.start();
    bar->AdvanceTo(5); // one slot
    EXPECT_EQ(counter.paints, 1);
    bar->AdvanceTo(10); // two slots
    if (sinceDrawn.elapsed() < 16) {
        EXPECT_EQ(counter.paints, 1) << "drawn again within a frame";
    }
    nextFrame();
    bar->AdvanceTo(11); // still two slots, not drawn yet
    EXPECT_EQ(counter.paints, 2);
    stage.window.hide();
    nextFrame();
    bar->AdvanceTo(100);
    EXPECT_EQ(counter.paints, 2);
    EXPECT_EQ(bar->Position(), 100);
}

TEST_F(ProgressBar, TransparentColourIsPixelOneOne)
{
    const QImage image = bar->Render().toImage();
    // Track begin at x = 5, y = 25 div 2 - 17 div 2 = 4: its key corner shows the ground.
    EXPECT_EQ(image.pixelColor(6, 5), ground);
    EXPECT_EQ(image.pixelColor(7, 6), beginLine);
}

// Pictures given to be set later are set once, when first needed, and a
// picture set in the meantime is not overwritten by them.
TEST_F(ProgressBar, PicturesSetLaterAreDrawnLikePicturesSetAtOnce)
{
    int dressings = 0;
    const auto dressLikeBar = [&](TPrgssBarQF& late) {
        ++dressings;
        for (int piece = TPrgssBarQF::BeginLine; piece <= TPrgssBarQF::EndScroll; ++piece)
            late.SetImg(TPrgssBarQF::Piece(piece), bar->Img(TPrgssBarQF::Piece(piece)));
    };
    TPrgssBarQF late(&stage.window);
    late.resize(bar->size());
    late.SetPosition(bar->Position());
    late.SetImagesLater(dressLikeBar);
    EXPECT_EQ(dressings, 0);
    EXPECT_EQ(late.Render().toImage(), bar->Render().toImage());
    late.Render();
    EXPECT_EQ(dressings, 1);

    TPrgssBarQF overridden(&stage.window);
    overridden.SetImagesLater(dressLikeBar);
    overridden.SetImgEndScroll(QPixmap());
    EXPECT_TRUE(overridden.Render().isNull());
}

TEST_F(ProgressBar, NothingDrawnWhileAPieceIsMissing)
{
    bar->SetImgEndScroll(QPixmap());
    EXPECT_TRUE(bar->Render().isNull());
    bar->move(10, 10);
    stage.window.show();
    const QImage shown = stage.window.grab().toImage();
    for (int x = 10; x < 160; x += 7)
        ASSERT_EQ(shown.pixelColor(x, 22), ground) << "x = " << x;
}

TEST_F(ProgressBar, PositionRepaintsOnlyWhenChanged)
{
    stage.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&stage.window));
    PaintCounter counter;
    bar->installEventFilter(&counter);
    QCoreApplication::processEvents();
    counter.paints = 0;
    bar->SetPosition(bar->Position());
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    bar->SetMax(bar->Max());
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
    bar->SetPosition(60);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 2);
}

// ---- TBtnImgTransD1QF -----------------------------------------------------

class PictureButton : public ::testing::Test {
protected:
    const QColor normal{0, 0, 204}, over{85, 85, 255}, down{0, 0, 119}, up{153, 153, 255},
        disabled{150, 150, 150};
    Stage stage;
    TBtnImgTransD1QF* button = new TBtnImgTransD1QF(&stage.window);

    void SetUp() override
    {
        button->SetBitmapOver(keyedPicture({40, 30}, over));
        button->SetBitmapDown(keyedPicture({40, 30}, down));
        button->SetBitmapUp(keyedPicture({40, 30}, up));
        button->SetBitmapDisabled(keyedPicture({44, 32}, disabled));
        button->SetBitmap(keyedPicture({40, 30}, normal));
        button->move(20, 20);
        stage.window.show();
    }
    QColor shown() { return shownColour(&stage.window, {40, 35}); }
};

TEST_F(PictureButton, TakesTheSizeOfItsPicture)
{
    EXPECT_EQ(TBtnImgTransD1QF().size(), QSize(50, 50));
    EXPECT_EQ(button->size(), QSize(40, 30));
    button->SetBitmap(keyedPicture({60, 24}, normal));
    EXPECT_EQ(button->size(), QSize(60, 24));
}

TEST_F(PictureButton, PicturesFollowTheMouse)
{
    EXPECT_EQ(shown(), normal);
    enter(button);
    EXPECT_EQ(shown(), over);
    QTest::mousePress(button, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(shown(), down);
    QTest::mouseRelease(button, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(shown(), up);
    leave(button);
    EXPECT_EQ(shown(), normal);
    // Key corner: the window's ground shows through.
    EXPECT_EQ(shownColour(&stage.window, {21, 21}), ground);
}

TEST_F(PictureButton, ClickOncePerClickAndNotWhenReleasedAway)
{
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(clicks.count(), 1);
    QTest::mousePress(button, Qt::LeftButton, {}, {5, 5});
    QTest::mouseRelease(button, Qt::LeftButton, {}, {200, 5});
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(PictureButton, ReleasedAwayShowsBitmapKeyedByTheReleasedPicture)
{
    // Drawn with BitmapUp's transparent colour: when that is the normal
    // picture's body colour, the body disappears.
    button->SetBitmapUp(keyedPicture({40, 30}, up, normal));
    QTest::mousePress(button, Qt::LeftButton, {}, {5, 5});
    QTest::mouseRelease(button, Qt::LeftButton, {}, {200, 5});
    EXPECT_EQ(button->shownPicture().toImage().pixelColor(20, 20), normal);
    EXPECT_EQ(shown(), ground);
}

TEST_F(PictureButton, DisabledShowsItsPictureAndFiresNothing)
{
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    QSignalSpy presses(button, &QAbstractButton::pressed);
    button->setEnabled(false);
    EXPECT_EQ(button->size(), QSize(44, 32));
    EXPECT_EQ(shown(), disabled);
    enter(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(shown(), disabled);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(presses.count(), 0);
    button->setEnabled(true);
    EXPECT_EQ(button->size(), QSize(40, 30));
    EXPECT_EQ(shown(), normal);
}

// Faces given for later are rendered once, when the button is first drawn or
// used; a picture set in code after them still wins.
TEST_F(PictureButton, FacesGivenForLaterAreRenderedOnceWhenFirstNeeded)
{
    int renders = 0;
    const ButtonPictures faces{
        {40, 30}, [&] {
            ++renders;
            return ButtonFaces{keyedPicture({40, 30}, normal), keyedPicture({40, 30}, over),
                               keyedPicture({40, 30}, down), keyedPicture({40, 30}, disabled)};
        }};
    dressButton(*button, faces);
    EXPECT_EQ(renders, 0);
    EXPECT_EQ(button->size(), QSize(40, 30));
    EXPECT_EQ(shown(), normal);
    enter(button);
    EXPECT_EQ(shown(), over);
    EXPECT_EQ(renders, 1);
    auto* late = new TBtnImgTransD1QF(&stage.window);
    dressButton(*late, faces);
    late->SetBitmapDown(keyedPicture({40, 30}, Qt::green));
    EXPECT_EQ(renders, 2);
    EXPECT_EQ(late->BitmapDown().toImage().pixelColor(20, 20), QColor(Qt::green));
    EXPECT_EQ(late->Bitmap().toImage().pixelColor(20, 20), normal);
}

// ---- TChBxImgTransD1QF ----------------------------------------------------

class CheckBox : public ::testing::Test {
protected:
    const QColor on{220, 0, 0}, onDis{220, 150, 150}, off{120, 120, 120}, offDis{200, 200, 200};
    Stage stage;
    TChBxImgTransD1QF* box = new TChBxImgTransD1QF(&stage.window);

    void SetUp() override
    {
        box->SetImgOn(keyedPicture({16, 16}, on));
        box->SetImgOnDis(keyedPicture({16, 16}, onDis));
        box->SetImgOff(keyedPicture({16, 16}, off));
        box->SetImgOffDis(keyedPicture({16, 16}, offDis));
        box->setGeometry(10, 10, 200, 30);
        stage.window.show();
    }
    QColor picture() { return shownColour(&stage.window, {18, 25}); }
    // The darkest grey of the caption area: the text's own colour where a
    // stroke covers a whole pixel, lighter where a face draws it thinner.
    int darkestCaptionGrey()
    {
        const QImage image = stage.window.grab(QRect(10 + 20, 10, 180, 30)).toImage();
        int darkest = 255;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                darkest = std::min(darkest, qGray(image.pixel(x, y)));
        return darkest;
    }
};

TEST_F(CheckBox, Defaults)
{
    TChBxImgTransD1QF fresh;
    EXPECT_EQ(fresh.size(), QSize(7, 7));
    EXPECT_TRUE(fresh.Enabled());
    EXPECT_FALSE(fresh.Checked());
    EXPECT_EQ(fresh.OnColor(), QColor(0, 255, 0));
    EXPECT_EQ(fresh.OffColor(), QColor(255, 0, 0));
}

TEST_F(CheckBox, ClickFiresFirstThenToggles)
{
    std::vector<bool> checkedAtClick;
    QObject::connect(box, &TChBxImgTransD1QF::clicked,
                     [&] { checkedAtClick.push_back(box->Checked()); });
    QTest::mouseClick(box, Qt::LeftButton, {}, {8, 15});
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(picture(), on);
    QTest::mouseClick(box, Qt::LeftButton, {}, {8, 15});
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(picture(), off);
    EXPECT_EQ(checkedAtClick, (std::vector<bool>{false, true}));
}

TEST_F(CheckBox, CheckedFromCodeFiresNothing)
{
    QSignalSpy clicks(box, &TChBxImgTransD1QF::clicked);
    box->SetChecked(true);
    EXPECT_EQ(picture(), on);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(CheckBox, DisabledStillClicksButDoesNotToggle)
{
    QSignalSpy clicks(box, &TChBxImgTransD1QF::clicked);
    box->SetEnabled(false);
    EXPECT_EQ(picture(), offDis);
    QTest::mouseClick(box, Qt::LeftButton, {}, {8, 15});
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(box->Checked());
    box->SetChecked(true);
    EXPECT_EQ(picture(), onDis);
}

TEST_F(CheckBox, FadedOffPictureIsKeyedByTheOffPicture)
{
    // Its own pixel (1, 1) is white; the off picture's key (magenta) is what
    // becomes transparent.
    QPixmap faded = keyedPicture({16, 16}, offDis, Qt::white);
    QImage image = faded.toImage();
    image.setPixelColor(8, 8, keyColour);
    box->SetImgOffDis(QPixmap::fromImage(image));
    box->SetEnabled(false);
    EXPECT_EQ(shownColour(&stage.window, {11, 17}), QColor(Qt::white));
    EXPECT_EQ(shownColour(&stage.window, {18, 25}), ground);
}

TEST_F(CheckBox, CaptionIsGreyWhenDisabled)
{
    QPalette pal = box->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    box->setPalette(pal);
    box->SetCaption(QStringLiteral("Ответ"));
    EXPECT_LT(darkestCaptionGrey(), 60) << "black text";
    box->SetEnabled(false);
    const int disabled = darkestCaptionGrey();
    EXPECT_GE(disabled, 100) << "no black left";
    EXPECT_LE(disabled, 150) << "grey text (128) still shows";
}

// ---- TBtnImgD1QF ----------------------------------------------------------

class PushButton : public ::testing::Test {
protected:
    const QColor upColour{0, 0, 204}, disabledColour{140, 140, 160}, downColour{0, 0, 119};
    QDialog dialog;
    TBtnImgD1QF* button = new TBtnImgD1QF(&dialog);

    // A strip of `count` 40 x 20 images: up, disabled, down.
    static QPixmap strip(const std::vector<QColor>& colours)
    {
        QImage image(40 * int(colours.size()), 20, QImage::Format_RGB32);
        for (int i = 0; i < int(colours.size()); ++i)
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 40; ++x)
                    image.setPixelColor(40 * i + x, y, colours[i]);
        for (int i = 0; i < int(colours.size()); ++i)
            image.setPixelColor(40 * i + 1, 1, keyColour);
        return QPixmap::fromImage(image);
    }
    QColor centre() { return button->grab().toImage().pixelColor(50, 17); }
};

TEST_F(PushButton, DefaultsAndColours)
{
    EXPECT_EQ(button->size(), QSize(100, 35));
    EXPECT_EQ(button->Spacing(), 4);
    EXPECT_EQ(button->Margin(), -1);
    EXPECT_EQ(button->Layout(), GlyphLayout::Left);
    EXPECT_EQ(button->palette().color(QPalette::ButtonText), QColor(Qt::white));
    EXPECT_EQ(button->ColorFon(), QColor(0, 0, 204));
    EXPECT_EQ(button->ColorDefBorder(), QColor(0, 0, 85));
    EXPECT_EQ(button->ColorLightSide(), QColor(85, 85, 255));
    EXPECT_EQ(button->ColorDarkSide(), QColor(0, 0, 119));
    EXPECT_EQ(button->ColorLightOut(), QColor(153, 153, 255));
    EXPECT_EQ(button->ColorDarkOut(), QColor(0, 0, 85));
    button->SetColorFon(Qt::red);
    EXPECT_EQ(button->ColorFon(), QColor(Qt::red));
}

TEST_F(PushButton, DrawsOnlyTheImageOfItsState)
{
    button->SetNumGlyphs(3);
    button->SetGlyph(strip({upColour, disabledColour, downColour}));
    button->SetCaption(QStringLiteral("Не рисуется"));
    EXPECT_EQ(centre(), upColour);
    // No face, frame or text around the centred 40 x 20 picture: the ground.
    const QImage image = button->grab().toImage();
    const QColor ground = button->palette().color(button->backgroundRole());
    for (QPoint p : {QPoint(5, 5), QPoint(20, 17), QPoint(95, 30)})
        EXPECT_EQ(image.pixelColor(p), ground);
    button->setDown(true);
    EXPECT_EQ(centre(), downColour);
    button->setDown(false);
    button->setEnabled(false);
    EXPECT_EQ(centre(), disabledColour);
}

TEST_F(PushButton, DisabledWithoutItsImageIsAGreyedUpImage)
{
    button->SetGlyph(strip({upColour}));
    button->setEnabled(false);
    const QColor c = centre();
    EXPECT_EQ(c.red(), c.green());
    EXPECT_EQ(c.green(), c.blue());
    EXPECT_NE(c, upColour);
}

TEST_F(PushButton, GlyphDownWhilePressed)
{
    button->SetGlyph(strip({upColour}));
    button->SetGlyphDown(strip({Qt::green}));
    button->setDown(true);
    EXPECT_EQ(centre(), QColor(Qt::green));
}

TEST_F(PushButton, FacesGivenForLaterAreRenderedOnceWhenFirstNeeded)
{
    int renders = 0;
    const ButtonPictures faces{
        {40, 20}, [&] {
            ++renders;
            const QPixmap up = strip({upColour});
            return ButtonFaces{up, up, strip({downColour}), strip({disabledColour})};
        }};
    dressButton(*button, faces);
    EXPECT_EQ(renders, 0);
    EXPECT_EQ(button->size(), QSize(40, 20));
    const auto middle = [this] { return button->grab().toImage().pixelColor(20, 10); };
    EXPECT_EQ(middle(), upColour);
    button->setDown(true);
    EXPECT_EQ(middle(), downColour);
    button->setDown(false);
    button->setEnabled(false);
    EXPECT_EQ(middle(), disabledColour);
    EXPECT_EQ(renders, 1);
    dressButton(*button, faces);
    button->SetGlyph(strip({Qt::green, Qt::green, Qt::green}));
    EXPECT_EQ(middle(), QColor(Qt::green));
    EXPECT_EQ(renders, 1);
}

// Each kind brings its modal result, and a click closes the dialog with it;
// the kinds without one leave the dialog open.
TEST_F(PushButton, KindsCloseTheDialogWithTheirResult)
{
    using Kind = TBtnImgD1QF::ButtonKind;
    const std::pair<Kind, DialogResult> kinds[] = {
        {Kind::Custom, DialogResult::None},   {Kind::OK, DialogResult::OK},
        {Kind::Cancel, DialogResult::Cancel}, {Kind::Retry, DialogResult::Retry},
        {Kind::Ignore, DialogResult::Ignore},
    };
    for (const auto& [kind, result] : kinds) {
        button->SetKind(kind);
        dialog.open();
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(dialog.isVisible(), result == DialogResult::None) << int(kind);
        if (result != DialogResult::None) {
            EXPECT_EQ(dialogResult(dialog.result()), result) << int(kind);
        }
        dialog.close();
    }
}

TEST_F(PushButton, CancelReactsToEscapeAndDefaultToEnter)
{
    auto* ok = new TBtnImgD1QF(&dialog);
    ok->SetKind(TBtnImgD1QF::ButtonKind::OK);
    ok->SetDefault(true);
    button->SetKind(TBtnImgD1QF::ButtonKind::Cancel);
    EXPECT_TRUE(button->Cancel());
    dialog.open();
    QApplication::setActiveWindow(&dialog);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialogResult(dialog.result()), DialogResult::Cancel);
    dialog.open();
    QApplication::setActiveWindow(&dialog);
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(dialogResult(dialog.result()), DialogResult::OK);
}

TEST_F(PushButton, HelpKindOpensTheNearestContext)
{
    int opened = 0;
    setHelpHandler([&](int context) { opened = context; });
    setHelpContext(&dialog, 0x55);
    auto* panel = new QWidget(&dialog);
    auto* help = new TBtnImgD1QF(panel);
    help->SetKind(TBtnImgD1QF::ButtonKind::Help);
    dialog.show();
    QTest::mouseClick(help, Qt::LeftButton);
    EXPECT_EQ(opened, 0x55);
    EXPECT_TRUE(dialog.isVisible());
    setHelpHandler(nullptr);
}

TEST_F(PushButton, CloseKindClosesTheWindow)
{
    button->SetKind(TBtnImgD1QF::ButtonKind::Close);
    dialog.show();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(PushButton, DoubleClickCountsAsASecondPress)
{
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    dialog.show();
    // What the platform delivers for a double click: the second press comes
    // with a double-click event.
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseDClick(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 2);
}
