// Colour mixing, ramps and their cache, ramp fills and saturation.

#include "skin/data/ImgUtil.h"

#include "core/Exception.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(MixColours, WeightsBelowHundredArePercentAndFromHundredPerMille) {
    EXPECT_EQ(MixColours(0xFFFFFF, 0x000000, 50), 0x808080);
    EXPECT_EQ(MixColours(0xFFFFFF, 0x000000, 150), 0x262626);
    EXPECT_EQ(MixColours(0xFFFFFF, 0x000000, 100), 0x1A1A1A);
    EXPECT_EQ(MixColours(0x0000FF, 0xFF0000, 0), 0xFF0000);
    EXPECT_EQ(MixColours(0x0000FF, 0xFF0000, 1000), 0x0000FF);
}

TEST(MixColours, SystemColoursAreResolvedFirst) {
    const TColor face = static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(MixColours(SystemColor(COLOR_BTNFACE), 0x000000, 999), MixColours(face, 0x000000, 999));
}

TEST(Gradient, RampsRunExactlyFromFirstToLastColour) {
    const std::vector<TColor> two = GradientRamp(MakeGradient(2, 0x000000, 0x0000FF));
    EXPECT_EQ(two, (std::vector<TColor>{0x000000, 0x0000FF}));
    const std::vector<TColor> three = GradientRamp(MakeGradient(3, 0x000000, 0x0000FF));
    EXPECT_EQ(three, (std::vector<TColor>{0x000000, 0x000080, 0x0000FF}));
    EXPECT_EQ(GradientRamp(MakeGradient(1, 0x000000, 0x0000FF)), std::vector<TColor>{0x00007F});
    // A falling channel rounds half away from zero, so it too ends on the last colour.
    const std::vector<TColor> falling = GradientRamp(MakeGradient(3, 0x0000FF, 0x000000));
    EXPECT_EQ(falling, (std::vector<TColor>{0x0000FF, 0x00007F, 0x000000}));
    EXPECT_EQ(GradientRamp(MakeGradient(5, 0xFF0000, 0x00FF00)).back(), 0x00FF00);
}

TEST(Gradient, ShorterThanOneColourIsRefused) {
    EXPECT_THROW(MakeGradient(0, 0, 0xFFFFFF), Exception);
}

TEST(Gradient, CacheReusesRampsAndForgetsTheOldestAfterSixteen) {
    const int first = GetGradient(40, 0x102030, 0x405060);
    EXPECT_EQ(GetGradient(40, 0x102030, 0x405060), first);
    EXPECT_EQ(FindGradient(40, 0x102030, 0x405060), first);
    for (int i = 1; i < GradientSlots; ++i)
        MakeGradient(41 + i, i, 0xFFFFFF);
    EXPECT_EQ(FindGradient(40, 0x102030, 0x405060), first) << "sixteen ramps fit";
    const int seventeenth = MakeGradient(99, 0, 0);
    EXPECT_EQ(seventeenth, first) << "the slot is reused round robin";
    EXPECT_EQ(FindGradient(40, 0x102030, 0x405060), -1);
    EXPECT_EQ(GradientRamp(GetGradient(40, 0x102030, 0x405060)).front(), 0x102030);
}

TEST(ColourSaturation, GreysAreZeroAndDarkColoursTwoHundred) {
    EXPECT_EQ(ColourSaturation(0x0000FF), 255);
    EXPECT_EQ(ColourSaturation(0x808080), 200);
    EXPECT_EQ(ColourSaturation(0xA0A0A0), 0);
    EXPECT_EQ(ColourSaturation(0x000000), 200);
    EXPECT_EQ(ColourSaturation(0x80FF80), 127);
}

// A 32-bit DIB section in a memory DC, read back with GetPixel.
class GradientFillTest : public testing::Test {
protected:
    void SetUp() override {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = 20;
        info.bmiHeader.biHeight = -20;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        dc = CreateCompatibleDC(nullptr);
        old = SelectObject(dc, bitmap);
        RECT all{0, 0, 20, 20};
        HBRUSH white = CreateSolidBrush(0xFFFFFF);
        FillRect(dc, &all, white);
        DeleteObject(white);
    }
    void TearDown() override {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    HBITMAP bitmap = nullptr;
    HDC dc = nullptr;
    HGDIOBJ old = nullptr;
};

TEST_F(GradientFillTest, LinesGetTheRampColoursFromTopOrLeft) {
    GradientFill(dc, RECT{2, 2, 12, 12}, 0x000000, true, 0x0000FF);
    const std::vector<TColor> ramp = GradientRamp(FindGradient(10, 0x000000, 0x0000FF));
    for (int line = 0; line < 10; ++line) {
        EXPECT_EQ(GetPixel(dc, 2, 2 + line), static_cast<COLORREF>(ramp[line]));
        EXPECT_EQ(GetPixel(dc, 11, 2 + line), static_cast<COLORREF>(ramp[line]));
    }
    EXPECT_EQ(GetPixel(dc, 1, 5), 0xFFFFFFu);
    EXPECT_EQ(GetPixel(dc, 5, 12), 0xFFFFFFu);

    GradientFill(dc, RECT{0, 15, 20, 18}, 0xFF0000, false, 0x00FF00);
    EXPECT_EQ(GetPixel(dc, 0, 16), 0xFF0000u);
    EXPECT_EQ(GetPixel(dc, 19, 17), 0x00FF00u);
}

TEST_F(GradientFillTest, OnlyLinesInsideTheClipBoxAreFilledWithTheirFullFillColours) {
    IntersectClipRect(dc, 0, 10, 20, 20);
    GradientFill(dc, RECT{0, 4, 20, 16}, 0x000000, true, 0x00FFFF);
    const std::vector<TColor> ramp = GradientRamp(FindGradient(12, 0x000000, 0x00FFFF));
    SelectClipRgn(dc, nullptr);
    for (int y = 4; y < 10; ++y)
        EXPECT_EQ(GetPixel(dc, 3, y), 0xFFFFFFu) << y;
    for (int y = 10; y < 16; ++y)
        EXPECT_EQ(GetPixel(dc, 3, y), static_cast<COLORREF>(ramp[y - 4])) << y;
}

TEST_F(GradientFillTest, EmptyOrInvisibleRectanglesDrawNothing) {
    GradientFill(dc, RECT{5, 5, 5, 15}, 0, false, 0);
    GradientFill(dc, RECT{30, 30, 40, 40}, 0, true, 0);
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(GetPixel(dc, 5, y), 0xFFFFFFu);
}

} // namespace
