#include "widgets/BitmapRules.h"

#include <gtest/gtest.h>

TEST(BitmapRules, WindowsColourValuesAreBgr)
{
    EXPECT_EQ(winColor(13369344), QColor(0, 0, 204));
    EXPECT_EQ(winColor(16733525), QColor(85, 85, 255));
    EXPECT_EQ(winColor(7798784), QColor(0, 0, 119));
    EXPECT_EQ(winColor(255), QColor(255, 0, 0));
    EXPECT_EQ(winColor(8421504), QColor(128, 128, 128));
}

TEST(BitmapRules, GlyphStripImagePerState)
{
    EXPECT_EQ(glyphIndex(ButtonState::Up, 1), 0);
    EXPECT_EQ(glyphIndex(ButtonState::Down, 1), 0);
    EXPECT_EQ(glyphIndex(ButtonState::Disabled, 1), std::nullopt); // greyed copy
    EXPECT_EQ(glyphIndex(ButtonState::Disabled, 2), 1);
    EXPECT_EQ(glyphIndex(ButtonState::Down, 2), 0);
    EXPECT_EQ(glyphIndex(ButtonState::Down, 3), 2);
    EXPECT_EQ(glyphIndex(ButtonState::Up, 4), 0);
}

TEST(BitmapRules, GlyphLayoutCentresOrKeepsTheMargin)
{
    const QSize client(100, 35);
    const QSize glyph(40, 20);
    EXPECT_EQ(glyphOrigin(client, glyph, GlyphLayout::Left, -1), QPoint(30, 8));
    EXPECT_EQ(glyphOrigin(client, glyph, GlyphLayout::Left, 4), QPoint(4, 8));
    EXPECT_EQ(glyphOrigin(client, glyph, GlyphLayout::Right, 4), QPoint(56, 8));
    EXPECT_EQ(glyphOrigin(client, glyph, GlyphLayout::Top, 3), QPoint(30, 3));
    EXPECT_EQ(glyphOrigin(client, glyph, GlyphLayout::Bottom, 3), QPoint(30, 12));
    EXPECT_EQ(glyphOrigin(client, client, GlyphLayout::Left, -1), QPoint(0, 0));
}

TEST(BitmapRules, PictureButtonChangeTable)
{
    const TransPictures all{true, true, true, true};
    EXPECT_EQ(nextTransPicture(TransEvent::BitmapSet, {}), TransPicture::Bitmap);
    EXPECT_EQ(nextTransPicture(TransEvent::MouseEnter, all), TransPicture::Over);
    EXPECT_EQ(nextTransPicture(TransEvent::MouseLeave, all), TransPicture::Bitmap);
    EXPECT_EQ(nextTransPicture(TransEvent::ButtonDown, all), TransPicture::Down);
    EXPECT_EQ(nextTransPicture(TransEvent::UpInside, all), TransPicture::Up);
    EXPECT_EQ(nextTransPicture(TransEvent::UpOutside, all), TransPicture::Bitmap);
    // A missing picture leaves the shown one as it is.
    const TransPictures none{};
    for (TransEvent e : {TransEvent::MouseEnter, TransEvent::MouseLeave, TransEvent::ButtonDown,
                         TransEvent::UpInside, TransEvent::UpOutside})
        EXPECT_EQ(nextTransPicture(e, none), std::nullopt);
    // Released away, the normal picture comes back only when there is a released one.
    EXPECT_EQ(nextTransPicture(TransEvent::UpOutside, {true, true, true, false}), std::nullopt);
}

TEST(BitmapRules, CheckBoxPictureAndLayout)
{
    EXPECT_EQ(checkPicture(true, true), CheckPicture::On);
    EXPECT_EQ(checkPicture(true, false), CheckPicture::OnDis);
    EXPECT_EQ(checkPicture(false, true), CheckPicture::Off);
    EXPECT_EQ(checkPicture(false, false), CheckPicture::OffDis);
    const CheckLayout layout = checkLayout(25, 16, 20, 14);
    EXPECT_EQ(layout.picture, QPoint(0, 4));
    EXPECT_EQ(layout.textTop, QPoint(24, 5));
}

namespace {
// Track pieces 6, 8, 6 wide; fill pieces 4, 6, 4 wide.
const ProgressPieces pieces{6, 8, 6, 4, 6, 4};
} // namespace

TEST(ProgressTiling, TrackFillsTheWidthBetweenItsMargins)
{
    const ProgressLayout layout = progressLayout(150, pieces, 0, 100, 0);
    EXPECT_EQ(layout.lineTiles, 17); // (150 - 10) div 8
    EXPECT_EQ(layout.lineBeginX, 5);
    EXPECT_EQ(layout.lineEndX, 139);
    EXPECT_EQ(layout.scrollBeginX, 8);
    EXPECT_EQ(layout.fillStartX, 12);
}

TEST(ProgressTiling, FillAtZeroMiddleAndMax)
{
    // room = 150 - 4 - 8 - 12 = 126, slots = 21
    ProgressLayout layout = progressLayout(150, pieces, 0, 100, 0);
    EXPECT_EQ(layout.fillTiles, 1);
    EXPECT_EQ(layout.scrollEndX, 12); // right after the begin picture
    layout = progressLayout(150, pieces, 0, 100, 50);
    EXPECT_EQ(layout.fillTiles, 11);
    EXPECT_EQ(layout.scrollEndX, 72);
    layout = progressLayout(150, pieces, 0, 100, 100);
    EXPECT_EQ(layout.fillTiles, 22); // slots + 1
    EXPECT_EQ(layout.scrollEndX, 12 + 21 * 6);
}

TEST(ProgressTiling, EmptyRangeAndNarrowTile)
{
    EXPECT_EQ(progressLayout(150, pieces, 5, 5, 5).fillTiles, 2); // k = 1
    ProgressPieces thin = pieces;
    thin.midleScroll = 0;
    const ProgressLayout layout = progressLayout(150, thin, 0, 100, 100);
    EXPECT_EQ(layout.fillTiles, 127); // slots = room itself
}

TEST(ProgressTiling, FillIsMeasuredFromMinAndStaysInTheTrack)
{
    EXPECT_EQ(progressLayout(150, pieces, 50, 150, 50).fillTiles, 1);
    EXPECT_EQ(progressLayout(150, pieces, 50, 150, 100).fillTiles, 11);
    EXPECT_EQ(progressLayout(150, pieces, 0, 100, 250).fillTiles, 22);
    EXPECT_EQ(progressLayout(150, pieces, 0, 100, -30).fillTiles, 1);
    EXPECT_EQ(progressLayout(20, pieces, 0, 100, 100).fillTiles, 1); // no room at all
}
