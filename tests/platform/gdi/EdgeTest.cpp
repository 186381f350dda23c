#include "GdiTestSupport.h"

#include "platform/gdi/WinUserDraw.h"

#include <gtest/gtest.h>

namespace {

using gdi_test::Canvas;

COLORREF Sys(int index) {
    return GetSysColor(index);
}

TEST(DrawEdge, RaisedAndSunkenRingsUseTheClassicColours) {
    Canvas canvas(10, 10, RGB(1, 1, 1));
    RECT rect{0, 0, 10, 10};
    ASSERT_TRUE(DrawEdge(canvas.Dc(), &rect, EDGE_RAISED, BF_RECT));
    EXPECT_EQ(canvas.At(0, 0), Sys(COLOR_3DLIGHT));
    EXPECT_EQ(canvas.At(1, 1), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.At(9, 9), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(canvas.At(9, 0), Sys(COLOR_3DDKSHADOW)); // the far lines own the corners
    EXPECT_EQ(canvas.At(8, 8), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.At(5, 5), RGB(1, 1, 1));

    ASSERT_TRUE(DrawEdge(canvas.Dc(), &rect, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_ADJUST));
    EXPECT_EQ(canvas.At(0, 0), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.At(1, 1), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(canvas.At(9, 9), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.At(8, 8), Sys(COLOR_3DLIGHT));
    EXPECT_EQ(canvas.At(5, 5), Sys(COLOR_BTNFACE));
    EXPECT_EQ(rect.left, 2);
    EXPECT_EQ(rect.right, 8);
}

TEST(DrawEdge, EtchedTopLineIsShadowOverHighlight) {
    Canvas canvas(10, 4, RGB(1, 1, 1));
    RECT rect{0, 1, 10, 4};
    ASSERT_TRUE(DrawEdge(canvas.Dc(), &rect, EDGE_ETCHED, BF_TOP));
    EXPECT_EQ(canvas.At(4, 1), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.At(4, 2), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.At(4, 3), RGB(1, 1, 1));
    EXPECT_EQ(canvas.At(4, 0), RGB(1, 1, 1));
    // Flat and mono edges.
    RECT box{0, 0, 4, 4};
    DrawEdge(canvas.Dc(), &box, EDGE_RAISED, BF_RECT | BF_MONO);
    EXPECT_EQ(canvas.At(0, 0), Sys(COLOR_WINDOWFRAME));
    EXPECT_EQ(canvas.At(1, 1), Sys(COLOR_WINDOW));
    DrawEdge(canvas.Dc(), &box, EDGE_RAISED, BF_RECT | BF_FLAT);
    EXPECT_EQ(canvas.At(3, 3), Sys(COLOR_BTNSHADOW));
}

TEST(FocusRect, DottedXorFrameDrawnTwiceDisappears) {
    Canvas canvas(8, 6, RGB(10, 20, 30));
    const RECT rect{1, 1, 7, 5};
    ASSERT_TRUE(DrawFocusRect(canvas.Dc(), &rect));
    EXPECT_EQ(canvas.At(1, 1), RGB(245, 235, 225));
    EXPECT_EQ(canvas.At(2, 1), RGB(10, 20, 30));
    EXPECT_EQ(canvas.At(3, 3), RGB(10, 20, 30));
    EXPECT_EQ(canvas.Count(RGB(245, 235, 225)), 8);
    DrawFocusRect(canvas.Dc(), &rect);
    EXPECT_EQ(canvas.Count(RGB(10, 20, 30)), 48);
}

TEST(FrameControls, CheckRadioPushAndCaptionFaces) {
    Canvas canvas(13, 13, RGB(1, 1, 1));
    RECT rect{0, 0, 13, 13};
    ASSERT_TRUE(DrawFrameControl(canvas.Dc(), &rect, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
    EXPECT_EQ(canvas.At(0, 0), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.At(2, 2), Sys(COLOR_WINDOW));
    EXPECT_GT(canvas.Count(Sys(COLOR_WINDOWTEXT)), 10); // the tick

    canvas.Fill(RGB(1, 1, 1));
    ASSERT_TRUE(
        DrawFrameControl(canvas.Dc(), &rect, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED | DFCS_INACTIVE));
    EXPECT_EQ(canvas.At(0, 0), RGB(1, 1, 1)); // outside the disc
    EXPECT_EQ(canvas.At(6, 6), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.At(6, 3), Sys(COLOR_BTNFACE));

    canvas.Fill(RGB(1, 1, 1));
    RECT button{0, 0, 13, 13};
    ASSERT_TRUE(DrawFrameControl(canvas.Dc(), &button, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT));
    EXPECT_EQ(canvas.At(0, 0), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.At(12, 12), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(button.left, 2);

    canvas.Fill(RGB(1, 1, 1));
    RECT caption{0, 0, 13, 13};
    ASSERT_TRUE(DrawFrameControl(canvas.Dc(), &caption, DFC_CAPTION, DFCS_CAPTIONCLOSE));
    EXPECT_EQ(canvas.At(6, 6), Sys(COLOR_BTNTEXT)); // the middle of the cross
    EXPECT_FALSE(DrawFrameControl(canvas.Dc(), &caption, 77, 0));
}

TEST(FrameControls, ScrollArrowsPointTheirWay) {
    Canvas canvas(16, 16);
    RECT rect{0, 0, 16, 16};
    ASSERT_TRUE(DrawFrameControl(canvas.Dc(), &rect, DFC_SCROLL, DFCS_SCROLLUP));
    // The arrow's rows widen downwards.
    int previous = 0;
    int rows = 0;
    for (int y = 0; y < 16; ++y) {
        int count = 0;
        for (int x = 0; x < 16; ++x)
            count += canvas.At(x, y) == Sys(COLOR_BTNTEXT);
        if (count) {
            EXPECT_GT(count, previous);
            previous = count;
            ++rows;
        }
    }
    EXPECT_GE(rows, 3);
}

} // namespace
