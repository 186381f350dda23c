// The measures the control skins compute without drawing: the thumb of a stand-alone scroll
// bar control, the part of a bar under a point, and where a glyph button puts its glyph and
// caption.

#include "skin/controls/GlyphLayout.h"
#include "skin/controls/ScrollBarPicture.h"
#include "skin/controls/WScrollbar.h"

#include "platform/gdi/WinUserDraw.h"

#include <gtest/gtest.h>

namespace {

constexpr int Arrow = 17;

struct Thumb {
    int start = 0;
    int end = 0;
};

Thumb ThumbOf(int length, int minimum, int maximum, int page, int position) {
    Thumb thumb;
    ControlThumb(length, Arrow, minimum, maximum, page, position, thumb.start, thumb.end);
    return thumb;
}

TEST(ControlThumbTest, FollowsThePagePositionAndRange) {
    // 200 pixels: a track of 166 between the arrows.
    Thumb first = ThumbOf(200, 0, 100, 21, 0);
    EXPECT_EQ(first.start, Arrow) << "the minimum puts it at the first arrow";
    EXPECT_EQ(first.end - first.start, 33) << "166 * 20 / 100";
    Thumb middle = ThumbOf(200, 0, 100, 21, 50);
    EXPECT_EQ(middle.start, Arrow + 83);
    EXPECT_EQ(middle.end - middle.start, 33);
}

TEST(ControlThumbTest, IsEightPixelsWhenThePageWouldMakeItSevenOrLess) {
    Thumb tiny = ThumbOf(200, 0, 10000, 2, 0);
    EXPECT_EQ(tiny.end - tiny.start, 8);
    // Placed over the track less the eight pixels, so the last position keeps it inside.
    Thumb last = ThumbOf(200, 0, 10000, 2, 10000);
    EXPECT_EQ(last.start, Arrow + 166 - 8);
    EXPECT_EQ(last.end, 200 - Arrow);
}

TEST(ControlThumbTest, WithoutAPageIsAnArrowLongAndAnEmptyRangeShiftsNothing) {
    Thumb noPage = ThumbOf(200, 0, 100, 0, 100);
    EXPECT_EQ(noPage.end - noPage.start, Arrow);
    EXPECT_EQ(noPage.start, Arrow + 200 - 3 * Arrow);
    Thumb empty = ThumbOf(200, 5, 5, 1, 5);
    EXPECT_EQ(empty.start, Arrow);
    EXPECT_EQ(empty.end - empty.start, 8) << "a page of one in an empty range: the smallest thumb";
}

TEST(ScrollPartTest, ArrowsAtTheEndsTrackAroundTheThumb) {
    EXPECT_EQ(ScrollPartAt(0, 200, Arrow, 60, 90), spFirstArrow);
    EXPECT_EQ(ScrollPartAt(16, 200, Arrow, 60, 90), spFirstArrow);
    EXPECT_EQ(ScrollPartAt(17, 200, Arrow, 60, 90), spTrackBefore);
    EXPECT_EQ(ScrollPartAt(60, 200, Arrow, 60, 90), spThumb);
    EXPECT_EQ(ScrollPartAt(89, 200, Arrow, 60, 90), spThumb);
    EXPECT_EQ(ScrollPartAt(90, 200, Arrow, 60, 90), spTrackAfter);
    EXPECT_EQ(ScrollPartAt(183, 200, Arrow, 60, 90), spSecondArrow);
}

// A 100 x 30 button, a 16 x 16 glyph, a caption of 40 x 14.
TGlyphPlacement Place(TGlyphLayout layout, int margin, int spacing, bool centred = false,
                      SIZE glyph = {16, 16}, SIZE caption = {40, 14}) {
    return PlaceGlyph(RECT{0, 0, 100, 30}, glyph, caption, layout, margin, spacing, centred);
}

TEST(GlyphLayoutTest, SharedMarginAndSpacingSplitTheSpareRoomInThree) {
    TGlyphPlacement placed = Place(TGlyphLayout::Left, -1, -1);
    // (100 - 16 - 40) / 3 = 14 before the glyph and between glyph and caption.
    EXPECT_EQ(placed.glyph.left, 14);
    EXPECT_EQ(placed.caption.left, 14 + 16 + 14);
    EXPECT_EQ(placed.glyph.top, 7) << "centred across";
    EXPECT_EQ(placed.caption.top, 8);
}

TEST(GlyphLayoutTest, FixedSpacingCentresTheBlockAndFixedMarginSharesTheSpacing) {
    TGlyphPlacement centred = Place(TGlyphLayout::Left, -1, 4);
    EXPECT_EQ(centred.glyph.left, (100 - 16 - 4 - 40) / 2);
    EXPECT_EQ(centred.caption.left, centred.glyph.right + 4);
    TGlyphPlacement fixed = Place(TGlyphLayout::Left, 2, -1);
    EXPECT_EQ(fixed.glyph.left, 2);
    EXPECT_EQ(fixed.caption.left, 2 + 16 + (100 - 2 - 16 - 40) / 2);
    TGlyphPlacement alignedCentre = Place(TGlyphLayout::Left, 2, 4, true);
    EXPECT_EQ(alignedCentre.glyph.left, centred.glyph.left) << "centred alignment ignores the margin";
}

TEST(GlyphLayoutTest, RightBottomAndTopLayoutsMirrorAndStack) {
    TGlyphPlacement right = Place(TGlyphLayout::Right, 3, 5);
    EXPECT_EQ(right.glyph.right, 100 - 3);
    EXPECT_EQ(right.caption.right, right.glyph.left - 5);
    EXPECT_EQ(right.format, DT_RIGHT);
    TGlyphPlacement top = PlaceGlyph(RECT{0, 0, 60, 60}, {16, 16}, {40, 14}, TGlyphLayout::Top, 4, 2, false);
    EXPECT_EQ(top.glyph.top, 4);
    EXPECT_EQ(top.caption.top, 4 + 16 + 2);
    EXPECT_EQ(top.glyph.left, 22) << "centred across";
    EXPECT_EQ(top.format, DT_CENTER);
    TGlyphPlacement bottom =
        PlaceGlyph(RECT{0, 0, 60, 60}, {16, 16}, {40, 14}, TGlyphLayout::Bottom, 4, 2, false);
    EXPECT_EQ(bottom.glyph.bottom, 60 - 4);
    EXPECT_EQ(bottom.caption.bottom, bottom.glyph.top - 2);
}

TEST(GlyphLayoutTest, NoCaptionOrNoGlyphHasNoSpacingAndTheButtonOffsetCounts) {
    TGlyphPlacement alone =
        PlaceGlyph(RECT{10, 20, 110, 50}, {16, 16}, {0, 0}, TGlyphLayout::Left, -1, 6, false);
    EXPECT_EQ(alone.glyph.left, 10 + (100 - 16) / 2) << "spacing taken as 0";
    TGlyphPlacement textOnly = Place(TGlyphLayout::Left, -1, 6, false, {0, 0});
    EXPECT_EQ(textOnly.caption.left, 30);
    EXPECT_EQ(textOnly.glyph.right - textOnly.glyph.left, 0);
    EXPECT_EQ(GlyphLayoutFromIdentifier("blglyphbottom"), TGlyphLayout::Bottom);
    EXPECT_EQ(GlyphLayoutFromIdentifier("sideways"), TGlyphLayout::Left);
}

} // namespace
