// The nine-part frame drawing, the colour-keyed copy, the bitmap transforms and the combo-box
// image composed from them.

#include "skin/data/SkinDrawing.h"
#include "skin/data/ImgUtilBitmaps.h"

#include "SkinElementFixture.h"

#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"

#include <gtest/gtest.h>

namespace {

using platform::Pixel;
using skintest::PixelAt;

// A bitmap whose pixels are given as 0xRRGGBB, row by row.
std::unique_ptr<TBitmap> BitmapOf(int width, int height, const std::vector<Pixel>& pixels) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap->Canvas()->SetPixels(x, y, platform::ColorRefFromPixel(pixels[y * width + x]));
    return bitmap;
}

std::unique_ptr<TBitmap> Filled(int width, int height, Pixel colour) {
    return BitmapOf(width, height, std::vector<Pixel>(static_cast<std::size_t>(width) * height, colour));
}

// One 6 x 6 frame: corners 2 x 2 in red, green, blue, yellow; edges grey; centre a 2 x 2
// checker of white and black.
std::vector<Pixel> NinePartFrame() {
    std::vector<Pixel> pixels(36, 0x808080);
    auto set = [&](int x, int y, Pixel p) { pixels[y * 6 + x] = p; };
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            set(i, j, 0xFF0000);
            set(4 + i, j, 0x00FF00);
            set(i, 4 + j, 0x0000FF);
            set(4 + i, 4 + j, 0xFFFF00);
        }
    set(2, 2, 0xFFFFFF), set(3, 2, 0x000000), set(2, 3, 0x000000), set(3, 3, 0xFFFFFF);
    return pixels;
}

// The second frame of a two-frame strip is the nine-part frame; the first is all cyan.
std::unique_ptr<TBitmap> TwoFrameStrip() {
    std::vector<Pixel> frame = NinePartFrame();
    std::vector<Pixel> strip(12 * 6, 0x00FFFF);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            strip[y * 12 + 6 + x] = frame[y * 6 + x];
    return BitmapOf(12, 6, strip);
}

TEST(SkinFrameRect, FramesSideBySideOrStacked) {
    EXPECT_EQ(SkinFrameRect(40, 10, 2, 4, false).left, 10);
    EXPECT_EQ(SkinFrameRect(40, 10, 2, 4, false).right, 20);
    EXPECT_EQ(SkinFrameRect(10, 40, 3, 2, true).right, 0) << "frame 3 of 2 does not exist";
    EXPECT_EQ(SkinFrameRect(10, 40, 2, 2, true).top, 20);
    EXPECT_EQ(SkinFrameRect(10, 40, 1, 0, true).bottom, 40) << "no frame count means one frame";
}

TEST(DrawSkinFrame, CornersKeptEdgesStretchedCentreTiled) {
    auto strip = TwoFrameStrip();
    auto target = Filled(20, 12, 0x123456);
    DrawSkinFrame(target->Canvas()->Handle(), RECT{0, 0, 20, 12}, *strip, 2, 2, false,
                  {{2, 2, 2, 2}, true, false});
    EXPECT_EQ(PixelAt(*target, 0, 0), 0xFF0000u);
    EXPECT_EQ(PixelAt(*target, 1, 1), 0xFF0000u);
    EXPECT_EQ(PixelAt(*target, 2, 0), 0x808080u) << "top edge";
    EXPECT_EQ(PixelAt(*target, 18, 1), 0x00FF00u);
    EXPECT_EQ(PixelAt(*target, 0, 11), 0x0000FFu);
    EXPECT_EQ(PixelAt(*target, 19, 10), 0xFFFF00u);
    EXPECT_EQ(PixelAt(*target, 0, 6), 0x808080u) << "left edge";
    // Tiled centre: the 2 x 2 checker repeats.
    EXPECT_EQ(PixelAt(*target, 2, 2), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(*target, 4, 2), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(*target, 5, 2), 0x000000u);
    EXPECT_EQ(PixelAt(*target, 5, 3), 0xFFFFFFu);
}

TEST(DrawSkinFrame, StretchedCentreAndStackedFrames) {
    auto strip = TwoFrameStrip();
    auto target = Filled(10, 10, 0x123456);
    DrawSkinFrame(target->Canvas()->Handle(), RECT{0, 0, 10, 10}, *strip, 2, 2, false,
                  {{2, 2, 2, 2}, false, false});
    // The centre 2 x 2 becomes 6 x 6: each source pixel covers a 3 x 3 block.
    EXPECT_EQ(PixelAt(*target, 2, 2), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(*target, 4, 4), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(*target, 5, 2), 0x000000u);
    EXPECT_EQ(PixelAt(*target, 7, 7), 0xFFFFFFu);

    auto stacked = Filled(4, 8, 0x00FFFF);
    for (int y = 4; y < 8; ++y)
        for (int x = 0; x < 4; ++x)
            stacked->Canvas()->SetPixels(x, y, platform::ColorRefFromPixel(0xABCDEF));
    DrawSkinFrame(target->Canvas()->Handle(), RECT{0, 0, 10, 10}, *stacked, 2, 2, true, {});
    EXPECT_EQ(PixelAt(*target, 9, 9), 0xABCDEFu);
}

TEST(DrawSkinFrame, MarginsTheTargetCannotHoldAreDropped) {
    auto strip = TwoFrameStrip();
    auto target = Filled(3, 12, 0x123456);
    DrawSkinFrame(target->Canvas()->Handle(), RECT{0, 0, 3, 12}, *strip, 2, 2, false,
                  {{2, 2, 2, 2}, false, false});
    // Narrower than left + right: the left and right margins go and the top and bottom edges
    // are the whole frame width squeezed into 3 pixels; top and bottom margins stay.
    EXPECT_EQ(PixelAt(*target, 0, 0), 0xFF0000u);
    EXPECT_EQ(PixelAt(*target, 2, 1), 0x00FF00u);
    EXPECT_EQ(PixelAt(*target, 0, 11), 0x0000FFu);
    EXPECT_EQ(PixelAt(*target, 2, 10), 0xFFFF00u);
}

TEST(DrawSkinFrame, TransparentFramesLeaveMagentaOut) {
    auto image = BitmapOf(2, 1, {0xFF00FF, 0x00FF00});
    auto target = Filled(4, 2, 0x112233);
    DrawSkinFrame(target->Canvas()->Handle(), RECT{0, 0, 4, 2}, *image, 1, 1, false, {{}, false, true});
    EXPECT_EQ(PixelAt(*target, 0, 0), 0x112233u);
    EXPECT_EQ(PixelAt(*target, 1, 1), 0x112233u);
    EXPECT_EQ(PixelAt(*target, 2, 0), 0x00FF00u);
    EXPECT_EQ(PixelAt(*target, 3, 1), 0x00FF00u);
}

class DrawKeyedTest : public testing::TestWithParam<TKeyedCopy> {};

TEST_P(DrawKeyedTest, KeyPixelsKeepTheDestination) {
    auto image = BitmapOf(3, 2, {0xFF00FF, 0x010203, 0xFF00FF, 0xFFFFFF, 0xFF00FF, 0x000000});
    auto target = Filled(5, 3, 0x445566);
    DrawKeyed(target->Canvas()->Handle(), RECT{1, 1, 9, 9}, *image, clFuchsia, 0, 0, GetParam());
    EXPECT_EQ(PixelAt(*target, 1, 1), 0x445566u);
    EXPECT_EQ(PixelAt(*target, 2, 1), 0x010203u);
    EXPECT_EQ(PixelAt(*target, 3, 1), 0x445566u);
    EXPECT_EQ(PixelAt(*target, 1, 2), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(*target, 2, 2), 0x445566u);
    EXPECT_EQ(PixelAt(*target, 3, 2), 0x000000u);
    EXPECT_EQ(PixelAt(*target, 4, 2), 0x445566u) << "the copy stops at the image's edge";
}

TEST_P(DrawKeyedTest, AnotherKeyAndASourceOffset) {
    auto image = BitmapOf(2, 1, {0x00FF00, 0xFF00FF});
    auto target = Filled(2, 1, 0x445566);
    DrawKeyed(target->Canvas()->Handle(), RECT{0, 0, 2, 1}, *image, 0x00FF00, 0, 0, GetParam());
    EXPECT_EQ(PixelAt(*target, 0, 0), 0x445566u);
    EXPECT_EQ(PixelAt(*target, 1, 0), 0xFF00FFu);
    DrawKeyed(target->Canvas()->Handle(), RECT{0, 0, 1, 1}, *image, clFuchsia, 1, 0, GetParam());
    EXPECT_EQ(PixelAt(*target, 0, 0), 0x445566u);
    DrawKeyed(target->Canvas()->Handle(), RECT{1, 0, 0, 1}, *image, clFuchsia, 0, 0, GetParam());
    EXPECT_EQ(PixelAt(*target, 1, 0), 0xFF00FFu) << "a reversed rectangle draws nothing";
}

INSTANTIATE_TEST_SUITE_P(Methods, DrawKeyedTest,
                         testing::Values(TKeyedCopy::MaskBlt, TKeyedCopy::ThreeBlits));

TEST(ImageTransforms, ReplaceMagentaMirrorFlipAndQuarterTurns) {
    // 3 x 2: a b c / d e f
    const std::vector<Pixel> pixels = {0xFF00FF, 0x000002, 0x000003, 0x000004, 0xFF00FF, 0x000006};
    auto replaced = BitmapOf(3, 2, pixels);
    ReplaceMagenta(*replaced, 0x0000FF);
    EXPECT_EQ(PixelAt(*replaced, 0, 0), 0xFF0000u);
    EXPECT_EQ(PixelAt(*replaced, 1, 1), 0xFF0000u);
    EXPECT_EQ(PixelAt(*replaced, 2, 1), 0x000006u);

    auto mirrored = BitmapOf(3, 2, pixels);
    MirrorBitmap(*mirrored);
    EXPECT_EQ(PixelAt(*mirrored, 0, 0), 0x000003u);
    EXPECT_EQ(PixelAt(*mirrored, 2, 1), 0x000004u);

    auto flipped = BitmapOf(3, 2, pixels);
    FlipBitmap(*flipped);
    EXPECT_EQ(PixelAt(*flipped, 1, 0), 0xFF00FFu);
    EXPECT_EQ(PixelAt(*flipped, 2, 1), 0x000003u);

    auto left = BitmapOf(3, 2, pixels);
    RotateLeft(*left);
    ASSERT_EQ(left->Width(), 2);
    ASSERT_EQ(left->Height(), 3);
    EXPECT_EQ(PixelAt(*left, 0, 0), 0x000003u) << "the top right corner comes to the top left";
    EXPECT_EQ(PixelAt(*left, 1, 2), 0x000004u);

    auto right = BitmapOf(3, 2, pixels);
    RotateRight(*right);
    ASSERT_EQ(right->Width(), 2);
    EXPECT_EQ(PixelAt(*right, 0, 0), 0x000004u) << "the bottom left corner comes to the top left";
    EXPECT_EQ(PixelAt(*right, 1, 2), 0x000003u);

    auto frames = BitmapOf(4, 1, {1, 2, 3, 4});
    MirrorFrames(*frames, 2);
    EXPECT_EQ(PixelAt(*frames, 0, 0), 2u);
    EXPECT_EQ(PixelAt(*frames, 3, 0), 3u);
}

// Edit frames of four solid colours with 2-pixel margins, buttons of four others, and a
// 5-frame glyph strip of 4 x 3 glyphs, magenta around a centre pixel.
TEST(ComboImage, ComposedFromEditFrameButtonAndGlyph) {
    const Pixel edges[] = {0x110000, 0x220000, 0x330000, 0x440000};
    const Pixel buttons[] = {0x001100, 0x002200, 0x003300, 0x004400};
    skintest::TBuiltSkin skin(
        "[SunkEdge]\r\nImage=edge.bmp\r\nLeftWidth=2\r\nRightWidth=2\r\nTopHeight=3\r\nBottomHeight=2\r\n"
        "[ComboButton]\r\nImage=button.bmp\r\n[ExtraImages]\r\nImage=glyph.bmp\r\n",
        {{"edge.bmp", skintest::FramesBmp(10, 21, {edges[0], edges[1], edges[2], edges[3]})},
         {"button.bmp", skintest::FramesBmp(6, 21, {buttons[0], buttons[1], buttons[2], buttons[3]})},
         {"glyph.bmp", skintest::FramesBmp(4, 3, {0x000001, 0x000002, 0x000003, 0x000004, 0x000005})}});
    TSkinElements& e = skin.elements;
    TBitmap& combo = *e.ComboButton->Image;
    ASSERT_EQ(combo.Width(), 4 * 50);
    ASSERT_EQ(combo.Height(), 21);
    EXPECT_EQ(e.ComboButton->Style, 2);
    EXPECT_EQ(e.ComboButton->LeftWidth, 2);
    EXPECT_EQ(e.ComboButton->RightWidth, 16 + 2 + 2);
    EXPECT_EQ(e.ComboButton->TopHeight, 3);
    EXPECT_EQ(e.ComboButton->BottomHeight, 2);
    for (int b = 0; b < 4; ++b) {
        const int x = b * 50;
        EXPECT_EQ(PixelAt(combo, x, 0), edges[b]) << b;
        EXPECT_EQ(PixelAt(combo, x + 1, 20), edges[b]) << "the edit frame's border";
        EXPECT_EQ(PixelAt(combo, x + 10, 10), 0xFF00FFu) << "the text area is transparent";
        EXPECT_EQ(PixelAt(combo, x + 2, 2), 0xFF00FFu);
        EXPECT_EQ(PixelAt(combo, x + 30, 17), 0xFF00FFu) << "up to 49 - w";
        EXPECT_EQ(PixelAt(combo, x + 31, 17), edges[b]);
        EXPECT_EQ(PixelAt(combo, x + 32, 2), buttons[b]) << "the button fills the rightmost 18 pixels";
        EXPECT_EQ(PixelAt(combo, x + 49, 20), buttons[b]);
        EXPECT_EQ(PixelAt(combo, x + 32 + 7, 9), static_cast<Pixel>(b + 1)) << "the glyph, centred";
    }
    // The edit frame gets the same frames with the button at the left, frame order kept.
    TBitmap& edge = *e.SunkEdge->Image;
    EXPECT_EQ(e.SunkEdge->LeftWidth, 20);
    EXPECT_EQ(e.SunkEdge->RightWidth, 2);
    for (int b = 0; b < 4; ++b) {
        EXPECT_EQ(PixelAt(edge, b * 50, 2), buttons[b]);
        EXPECT_EQ(PixelAt(edge, b * 50 + 49, 0), edges[b]);
    }
    // The combo arrow: 17 x 17 cut from each frame's button.
    TBitmap& arrow = *e.ComboArrow->Image;
    ASSERT_EQ(arrow.Width(), 4 * 17);
    ASSERT_EQ(arrow.Height(), 17);
    EXPECT_EQ(e.ComboArrow->FrameCount, 4);
    for (int b = 0; b < 4; ++b) {
        EXPECT_EQ(PixelAt(arrow, b * 17 + 16, 0), buttons[b]);
        EXPECT_EQ(PixelAt(arrow, b * 17 + 8, 7), static_cast<Pixel>(b + 1))
            << "the glyph, moved by (-31, -2)";
    }
    // The left-scroll-bar combo button: each frame mirrored.
    EXPECT_EQ(e.ComboButton->ExtraImage->Width(), 24);
}

TEST(ComboImage, WithoutAnEditFrameTheArrowIsTheButtonOnTheFace) {
    skintest::TBuiltSkin skin("[Colours]\r\nButtonFace=1,2,3\r\n[ComboButton]\r\nImage=button.bmp\r\n",
                              {{"button.bmp", skintest::FramesBmp(6, 6, {0xFF00FF, 0x00FF00})}});
    TBitmap& arrow = *skin.elements.ComboArrow->Image;
    EXPECT_EQ(arrow.Width(), 12);
    EXPECT_EQ(PixelAt(arrow, 0, 0), 0x010203u);
    EXPECT_EQ(PixelAt(arrow, 11, 5), 0x00FF00u);
    EXPECT_EQ(skin.elements.ComboArrow->FrameCount, 4);
    EXPECT_EQ(skin.elements.ComboButton->Style, 0) << "nothing composed";
}

} // namespace
