// The progress bar: range, position and step answers as documented (16-bit packed previous
// ranges, clamping, stepping round), and the chunked, smooth and vertical looks.

#include "../CommonControlTestSupport.h"

using namespace testing_support;

namespace {

class ProgressTest : public CommonControlTest {
protected:
    HWND CreateBar(HWND parent, DWORD style = 0, int width = 202, int height = 20) {
        return CreateWindowExW(0, PROGRESS_CLASSW, u"", WS_CHILD | WS_VISIBLE | style, 10, 10, width, height,
                               parent, nullptr, nullptr, nullptr);
    }
};

TEST_F(ProgressTest, RangeAndPositionAnswers) {
    HWND parent = CreateParent();
    HWND bar = CreateBar(parent);
    PBRANGE range{-1, -1};
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), 0);
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 100);
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 100);

    EXPECT_EQ(SendMessageW(bar, PBM_SETRANGE, 0, MAKELPARAM(10, 60)), MAKELONG(0, 100)) << "the old range";
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 10) << "the position moved into the range";
    EXPECT_EQ(SendMessageW(bar, PBM_SETRANGE32, static_cast<WPARAM>(-5), 100000), MAKELONG(10, 60));
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, TRUE, 0), -5);
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 100000);

    SendMessageW(bar, PBM_SETRANGE32, 0, 100);
    EXPECT_EQ(SendMessageW(bar, PBM_SETPOS, 40, 0), 10) << "the previous position";
    EXPECT_EQ(SendMessageW(bar, PBM_SETPOS, 500, 0), 40);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 100);
    EXPECT_EQ(SendMessageW(bar, PBM_DELTAPOS, static_cast<WPARAM>(-30), 0), 100);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 70);

    EXPECT_EQ(SendMessageW(bar, PBM_SETSTEP, 25, 0), 10) << "the default step is 10";
    EXPECT_EQ(SendMessageW(bar, PBM_STEPIT, 0, 0), 70);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 95);
    SendMessageW(bar, PBM_STEPIT, 0, 0);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 0) << "past the end it starts over";

    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(bar, PBM_SETBARCOLOR, 0, RGB(0, 128, 0))), CLR_DEFAULT);
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(bar, PBM_SETBKCOLOR, 0, RGB(255, 255, 255))), CLR_DEFAULT);
}

TEST_F(ProgressTest, Painting_ChunksSmoothAndVertical) {
    HWND parent = CreateParent();
    const COLORREF bar = GetSysColor(COLOR_HIGHLIGHT);
    HWND empty = CreateBar(parent);
    UpdateWindow(empty);
    EXPECT_FALSE(AnyPixel(empty, RECT{0, 0, 202, 20}, bar)) << "at 0 only the track shows";
    EXPECT_EQ(platform::headless::ReadPixel(empty, 0, 0), GetSysColor(COLOR_3DSHADOW))
        << "a thin sunken border";

    HWND half = CreateBar(parent);
    SendMessageW(half, PBM_SETPOS, 50, 0);
    UpdateWindow(half);
    EXPECT_TRUE(AnyPixel(half, RECT{2, 2, 90, 18}, bar));
    EXPECT_FALSE(AnyPixel(half, RECT{110, 2, 200, 18}, bar));
    // Chunks of 10 pixels (two thirds of the 16-pixel inside) two pixels apart.
    EXPECT_EQ(platform::headless::ReadPixel(half, 2 + 5, 10), bar);
    EXPECT_NE(platform::headless::ReadPixel(half, 2 + 11, 10), bar);

    HWND smooth = CreateBar(parent, PBS_SMOOTH);
    SendMessageW(smooth, PBM_SETPOS, 100, 0);
    UpdateWindow(smooth);
    EXPECT_FALSE(AnyPixelBut(smooth, RECT{2, 2, 200, 18}, bar)) << "full and without gaps";

    HWND vertical = CreateBar(parent, PBS_VERTICAL | PBS_SMOOTH, 20, 102);
    SendMessageW(vertical, PBM_SETPOS, 50, 0);
    UpdateWindow(vertical);
    EXPECT_FALSE(AnyPixel(vertical, RECT{2, 2, 18, 49}, bar));
    EXPECT_FALSE(AnyPixelBut(vertical, RECT{2, 51, 18, 100}, bar)) << "filled from the bottom";
}

} // namespace
