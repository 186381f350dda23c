#include "GdiTestSupport.h"

#include <gtest/gtest.h>

namespace {

using gdi_test::Canvas;
using gdi_test::FillSolid;
using gdi_test::Hex;

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Magenta = RGB(255, 0, 255);

// Column i of these 8 x 1 canvases holds pattern bit (i >> 2), source bit (i >> 1) & 1 and
// destination bit i & 1, so one blit shows a code's whole truth table.
TEST(RasterOps, EveryTernaryCodeFollowsItsTruthTable) {
    Canvas pattern(8, 1);
    Canvas source(8, 1);
    for (int i = 0; i < 8; ++i) {
        pattern.Set(i, 0, (i >> 2) & 1 ? White : Black);
        source.Set(i, 0, (i >> 1) & 1 ? White : Black);
    }
    HBRUSH brush = CreatePatternBrush(pattern.Bitmap());
    Canvas destination(8, 1);
    HGDIOBJ old = SelectObject(destination.Dc(), brush);
    for (int code = 0; code < 256; ++code) {
        for (int i = 0; i < 8; ++i)
            destination.Set(i, 0, (i & 1) ? White : Black);
        ASSERT_TRUE(BitBlt(destination.Dc(), 0, 0, 8, 1, source.Dc(), 0, 0, DWORD(code) << 16));
        for (int i = 0; i < 8; ++i) {
            const COLORREF expected = (code >> i) & 1 ? White : Black;
            ASSERT_EQ(destination.At(i, 0), expected) << "code " << code << " column " << i;
        }
    }
    SelectObject(destination.Dc(), old);
    DeleteObject(brush);
}

TEST(RasterOps, NamedCodesWorkBitByBitOnColours) {
    Canvas source(1, 1, RGB(0xF0, 0x0F, 0x55));
    Canvas destination(1, 1);
    const struct {
        DWORD rop;
        COLORREF expected;
    } cases[] = {
        {SRCCOPY, RGB(0xF0, 0x0F, 0x55)},
        {SRCAND, RGB(0xF0 & 0x3C, 0x0F & 0xC3, 0x55 & 0xAA)},
        {SRCPAINT, RGB(0xFC, 0xCF, 0xFF)},
        {SRCINVERT, RGB(0xF0 ^ 0x3C, 0x0F ^ 0xC3, 0x55 ^ 0xAA)},
        {NOTSRCCOPY, RGB(0x0F, 0xF0, 0xAA)},
        {DSTINVERT, RGB(0xC3, 0x3C, 0x55)},
        {BLACKNESS, Black},
        {WHITENESS, White},
        {SRCERASE, RGB(0xF0 & 0xC3, 0x0F & 0x3C, 0x55 & 0x55)},
    };
    for (const auto& c : cases) {
        destination.Set(0, 0, RGB(0x3C, 0xC3, 0xAA));
        ASSERT_TRUE(BitBlt(destination.Dc(), 0, 0, 1, 1, source.Dc(), 0, 0, c.rop));
        EXPECT_EQ(Hex(destination.At(0, 0)), Hex(c.expected)) << std::hex << c.rop;
    }
}

TEST(RasterOps, PatBltRefusesSourceOperationsAndHonoursTheBrushOrigin) {
    Canvas canvas(4, 4);
    EXPECT_FALSE(PatBlt(canvas.Dc(), 0, 0, 4, 4, SRCCOPY));
    // A 2 x 1 pattern (black, white) moved one pixel by the brush origin.
    Canvas cell(2, 1);
    cell.Set(0, 0, Black);
    cell.Set(1, 0, White);
    HBRUSH brush = CreatePatternBrush(cell.Bitmap());
    HGDIOBJ old = SelectObject(canvas.Dc(), brush);
    SetBrushOrgEx(canvas.Dc(), 1, 0, nullptr);
    PatBlt(canvas.Dc(), 0, 0, 4, 1, PATCOPY);
    EXPECT_EQ(canvas.At(0, 0), White);
    EXPECT_EQ(canvas.At(1, 0), Black);
    // Negative sizes count leftwards and upwards from the corner.
    FillSolid(canvas.Dc(), 0, 0, 4, 4, White);
    SelectObject(canvas.Dc(), GetStockObject(BLACK_BRUSH));
    PatBlt(canvas.Dc(), 3, 3, -2, -2, PATCOPY);
    EXPECT_EQ(canvas.At(1, 1), Black);
    EXPECT_EQ(canvas.At(2, 2), Black);
    EXPECT_EQ(canvas.At(3, 3), White);
    EXPECT_EQ(canvas.Count(Black), 4);
    SelectObject(canvas.Dc(), old);
    DeleteObject(brush);
}

class Monochrome : public ::testing::Test {
protected:
    void SetUp() override {
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateBitmap(4, 1, 1, 1, nullptr);
        m_old = SelectObject(m_dc, m_bitmap);
    }
    void TearDown() override {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
};

TEST_F(Monochrome, ColourBecomesOneWhereItEqualsTheSourceBackground) {
    Canvas colour(4, 1);
    colour.Set(0, 0, Magenta);
    colour.Set(1, 0, RGB(255, 0, 254));
    colour.Set(2, 0, White);
    colour.Set(3, 0, Magenta);
    SetBkColor(colour.Dc(), Magenta);
    ASSERT_TRUE(BitBlt(m_dc, 0, 0, 4, 1, colour.Dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(m_dc, 0, 0), White);
    EXPECT_EQ(GetPixel(m_dc, 1, 0), Black);
    EXPECT_EQ(GetPixel(m_dc, 2, 0), Black); // white is not the background colour here
    EXPECT_EQ(GetPixel(m_dc, 3, 0), White);
}

TEST_F(Monochrome, ZeroTakesTheTextColourAndOneTheBackgroundOnColour) {
    SetPixel(m_dc, 0, 0, Black);
    SetPixel(m_dc, 1, 0, White);
    Canvas colour(2, 1);
    SetTextColor(colour.Dc(), RGB(10, 20, 30));
    SetBkColor(colour.Dc(), RGB(200, 100, 50));
    ASSERT_TRUE(BitBlt(colour.Dc(), 0, 0, 2, 1, m_dc, 0, 0, SRCCOPY));
    EXPECT_EQ(colour.At(0, 0), RGB(10, 20, 30));
    EXPECT_EQ(colour.At(1, 0), RGB(200, 100, 50));
    // The same rule colours a monochrome pattern brush.
    HBRUSH brush = CreatePatternBrush(m_bitmap);
    HGDIOBJ old = SelectObject(colour.Dc(), brush);
    PatBlt(colour.Dc(), 0, 0, 2, 1, PATCOPY);
    EXPECT_EQ(colour.At(0, 0), RGB(10, 20, 30));
    EXPECT_EQ(colour.At(1, 0), RGB(200, 100, 50));
    SelectObject(colour.Dc(), old);
    DeleteObject(brush);
}

TEST_F(Monochrome, ColoursDrawnOnMonochromeTakeTheNearestOfBlackAndWhite) {
    EXPECT_EQ(SetPixel(m_dc, 0, 0, RGB(200, 200, 200)), White);
    EXPECT_EQ(SetPixel(m_dc, 1, 0, RGB(100, 20, 60)), Black);
    EXPECT_EQ(GetDeviceCaps(m_dc, BITSPIXEL), 1);
}

// The skin engine's colour-keyed copy: a mask where the key colour is 1, then either one
// MaskBlt that keeps the destination under 1 bits, or the three-blit method.
class ColourKeyedCopy : public ::testing::Test {
protected:
    void SetUp() override {
        // A 4 x 2 image: magenta frame pixels around two coloured ones.
        for (int x = 0; x < 4; ++x) {
            m_image.Set(x, 0, Magenta);
            m_image.Set(x, 1, Magenta);
        }
        m_image.Set(1, 1, RGB(0, 128, 0));
        m_image.Set(2, 1, RGB(0, 0, 200));
        m_maskDc = CreateCompatibleDC(nullptr);
        m_mask = CreateBitmap(4, 2, 1, 1, nullptr);
        m_oldMask = SelectObject(m_maskDc, m_mask);
        SetBkColor(m_image.Dc(), Magenta);
        BitBlt(m_maskDc, 0, 0, 4, 2, m_image.Dc(), 0, 0, SRCCOPY);
    }
    void TearDown() override {
        SelectObject(m_maskDc, m_oldMask);
        DeleteObject(m_mask);
        DeleteDC(m_maskDc);
    }
    void ExpectOnlyImagePixelsCopied(const Canvas& target) {
        EXPECT_EQ(target.At(1, 1), RGB(0, 128, 0));
        EXPECT_EQ(target.At(2, 1), RGB(0, 0, 200));
        EXPECT_EQ(target.Count(RGB(90, 90, 90)), 6);
        EXPECT_EQ(target.Count(Magenta), 0);
    }

    Canvas m_image{4, 2};
    HDC m_maskDc = nullptr;
    HBITMAP m_mask = nullptr;
    HGDIOBJ m_oldMask = nullptr;
};

TEST_F(ColourKeyedCopy, MaskBltKeepsTheDestinationUnderTheKey) {
    Canvas target(4, 2, RGB(90, 90, 90));
    ASSERT_TRUE(
        MaskBlt(target.Dc(), 0, 0, 4, 2, m_image.Dc(), 0, 0, m_mask, 0, 0, MAKEROP4(0x00AA0029, SRCCOPY)));
    ExpectOnlyImagePixelsCopied(target);
}

TEST_F(ColourKeyedCopy, ThreeBlitMethodGivesTheSamePicture) {
    Canvas target(4, 2, RGB(90, 90, 90));
    SetBkColor(target.Dc(), White);
    SetTextColor(target.Dc(), Black);
    BitBlt(target.Dc(), 0, 0, 4, 2, m_image.Dc(), 0, 0, SRCINVERT);
    BitBlt(target.Dc(), 0, 0, 4, 2, m_maskDc, 0, 0, SRCAND);
    BitBlt(target.Dc(), 0, 0, 4, 2, m_image.Dc(), 0, 0, SRCINVERT);
    ExpectOnlyImagePixelsCopied(target);
}

TEST_F(ColourKeyedCopy, TransparentBltAndAColourMaskIsRefused) {
    Canvas target(8, 4, RGB(90, 90, 90));
    ASSERT_TRUE(TransparentBlt(target.Dc(), 0, 0, 8, 4, m_image.Dc(), 0, 0, 4, 2, Magenta));
    EXPECT_EQ(target.At(2, 2), RGB(0, 128, 0));
    EXPECT_EQ(target.At(5, 3), RGB(0, 0, 200));
    EXPECT_EQ(target.Count(RGB(90, 90, 90)), 24);
    EXPECT_FALSE(MaskBlt(target.Dc(), 0, 0, 4, 2, m_image.Dc(), 0, 0, m_image.Bitmap(), 0, 0,
                         MAKEROP4(0x00AA0029, SRCCOPY)));
}

TEST(Blits, SourceOutsideItsBitmapLeavesTheDestinationAlone) {
    Canvas source(2, 2, RGB(1, 1, 1));
    Canvas target(4, 4, White);
    ASSERT_TRUE(BitBlt(target.Dc(), 0, 0, 4, 4, source.Dc(), -1, -1, SRCCOPY));
    EXPECT_EQ(target.At(0, 0), White);
    EXPECT_EQ(target.At(1, 1), RGB(1, 1, 1));
    EXPECT_EQ(target.At(2, 2), RGB(1, 1, 1));
    EXPECT_EQ(target.At(3, 3), White);
    EXPECT_EQ(target.Count(RGB(1, 1, 1)), 4);
}

TEST(Blits, OverlappingCopyWithinOneBitmap) {
    Canvas canvas(5, 1);
    for (int x = 0; x < 5; ++x)
        canvas.Set(x, 0, RGB(x, 0, 0));
    ASSERT_TRUE(BitBlt(canvas.Dc(), 1, 0, 4, 1, canvas.Dc(), 0, 0, SRCCOPY));
    for (int x = 1; x < 5; ++x)
        EXPECT_EQ(canvas.At(x, 0), RGB(x - 1, 0, 0));
}

TEST(Stretching, ColourOnColourRepeatsAndDropsWholePixels) {
    Canvas source(2, 2);
    source.Set(0, 0, RGB(1, 0, 0));
    source.Set(1, 0, RGB(2, 0, 0));
    source.Set(0, 1, RGB(3, 0, 0));
    source.Set(1, 1, RGB(4, 0, 0));
    Canvas target(4, 4);
    SetStretchBltMode(target.Dc(), COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(target.Dc(), 0, 0, 4, 4, source.Dc(), 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(target.At(1, 1), RGB(1, 0, 0));
    EXPECT_EQ(target.At(2, 1), RGB(2, 0, 0));
    EXPECT_EQ(target.At(1, 2), RGB(3, 0, 0));
    EXPECT_EQ(target.At(3, 3), RGB(4, 0, 0));
    // Opposite signs mirror.
    ASSERT_TRUE(StretchBlt(target.Dc(), 3, 0, -4, 4, source.Dc(), 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(target.At(0, 0), RGB(2, 0, 0));
    EXPECT_EQ(target.At(3, 0), RGB(1, 0, 0));
    // Shrinking keeps whole source pixels, no blends.
    Canvas small(1, 1);
    SetStretchBltMode(small.Dc(), COLORONCOLOR);
    StretchBlt(small.Dc(), 0, 0, 1, 1, target.Dc(), 0, 0, 4, 4, SRCCOPY);
    const COLORREF kept = small.At(0, 0);
    EXPECT_TRUE(kept == RGB(1, 0, 0) || kept == RGB(2, 0, 0) || kept == RGB(3, 0, 0) || kept == RGB(4, 0, 0));
}

TEST(Stretching, HalftoneBlendsNeighbours) {
    Canvas source(2, 1);
    source.Set(0, 0, Black);
    source.Set(1, 0, White);
    Canvas target(8, 1);
    SetStretchBltMode(target.Dc(), HALFTONE);
    ASSERT_TRUE(StretchBlt(target.Dc(), 0, 0, 8, 1, source.Dc(), 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(target.At(0, 0), Black);
    EXPECT_EQ(target.At(7, 0), White);
    int previous = -1;
    for (int x = 0; x < 8; ++x) {
        const int value = GetRValue(target.At(x, 0));
        EXPECT_GE(value, previous);
        previous = value;
    }
    EXPECT_GT(GetRValue(target.At(4, 0)), 0);
    EXPECT_LT(GetRValue(target.At(3, 0)), 255);
}

// Nine-part drawing of a frame: corners unscaled, edges stretched, as skins draw borders.
TEST(Stretching, NinePartFrameKeepsItsCorners) {
    Canvas image(6, 6, RGB(0, 0, 255));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            image.Set(x, y, RGB(255, 0, 0));
            image.Set(4 + x, 4 + y, RGB(0, 255, 0));
        }
    Canvas target(20, 10);
    SetStretchBltMode(target.Dc(), COLORONCOLOR);
    const int margin = 2;
    const int sx[3] = {0, margin, 6 - margin};
    const int sw[3] = {margin, 6 - 2 * margin, margin};
    const int dx[3] = {0, margin, 20 - margin};
    const int dw[3] = {margin, 20 - 2 * margin, margin};
    const int dy[3] = {0, margin, 10 - margin};
    const int dh[3] = {margin, 10 - 2 * margin, margin};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            ASSERT_TRUE(StretchBlt(target.Dc(), dx[column], dy[row], dw[column], dh[row], image.Dc(),
                                   sx[column], sx[row], sw[column], sw[row], SRCCOPY));
    EXPECT_EQ(target.Count(RGB(255, 0, 0)), 4);
    EXPECT_EQ(target.Count(RGB(0, 255, 0)), 4);
    EXPECT_EQ(target.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(target.At(19, 9), RGB(0, 255, 0));
    EXPECT_EQ(target.Count(RGB(0, 0, 255)), 200 - 8);
}

} // namespace
