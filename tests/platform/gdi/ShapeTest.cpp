#include "GdiTestSupport.h"

#include <gtest/gtest.h>

namespace {

using gdi_test::Canvas;

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Red = RGB(255, 0, 0);

TEST(Lines, LineToLeavesOutTheEndPointAndMovesThePosition) {
    Canvas canvas(10, 10);
    MoveToEx(canvas.Dc(), 1, 1, nullptr);
    ASSERT_TRUE(LineTo(canvas.Dc(), 6, 1));
    EXPECT_EQ(canvas.Count(Black), 5);
    EXPECT_EQ(canvas.At(5, 1), Black);
    EXPECT_EQ(canvas.At(6, 1), White);
    POINT position;
    GetCurrentPositionEx(canvas.Dc(), &position);
    EXPECT_EQ(position.x, 6);
    // A diagonal steps one pixel per row; the polyline's joints are drawn once.
    canvas.Fill(White);
    const POINT path[] = {{0, 0}, {4, 4}, {8, 0}};
    ASSERT_TRUE(Polyline(canvas.Dc(), path, 3));
    EXPECT_EQ(canvas.Count(Black), 8);
    EXPECT_EQ(canvas.At(4, 4), Black);
    EXPECT_EQ(canvas.At(8, 0), White);
}

TEST(Lines, XorPenDrawnTwiceRestoresThePicture) {
    Canvas canvas(8, 8, RGB(10, 20, 30));
    HPEN pen = CreatePen(PS_SOLID, 3, White);
    HGDIOBJ old = SelectObject(canvas.Dc(), pen);
    SetROP2(canvas.Dc(), R2_XORPEN);
    for (int pass = 0; pass < 2; ++pass) {
        MoveToEx(canvas.Dc(), 1, 1, nullptr);
        LineTo(canvas.Dc(), 6, 6);
        if (pass == 0) {
            EXPECT_EQ(canvas.At(3, 3), RGB(245, 235, 225));
        }
    }
    EXPECT_EQ(canvas.Count(RGB(10, 20, 30)), 64);
    SelectObject(canvas.Dc(), old);
    DeleteObject(pen);
}

TEST(Lines, DottedPensLeaveGapsInTheBackgroundMode) {
    Canvas canvas(12, 1);
    HPEN pen = CreatePen(PS_DOT, 1, Red);
    HGDIOBJ old = SelectObject(canvas.Dc(), pen);
    SetBkMode(canvas.Dc(), TRANSPARENT);
    MoveToEx(canvas.Dc(), 0, 0, nullptr);
    LineTo(canvas.Dc(), 12, 0);
    EXPECT_EQ(canvas.Count(Red), 6);
    EXPECT_EQ(canvas.Count(White), 6);
    SetBkMode(canvas.Dc(), OPAQUE);
    SetBkColor(canvas.Dc(), RGB(0, 0, 255));
    MoveToEx(canvas.Dc(), 0, 0, nullptr);
    LineTo(canvas.Dc(), 12, 0);
    EXPECT_EQ(canvas.Count(RGB(0, 0, 255)), 6);
    SelectObject(canvas.Dc(), old);
    DeleteObject(pen);
    // Wide pens cannot be dotted.
    HPEN wide = CreatePen(PS_DOT, 2, Red);
    LOGPEN description{};
    GetObjectA(wide, sizeof description, &description);
    EXPECT_EQ(description.lopnStyle, UINT(PS_SOLID));
    DeleteObject(wide);
}

TEST(Shapes, RectangleFillsInsideItsPenAndExcludesTheFarEdges) {
    Canvas canvas(10, 10);
    HBRUSH brush = CreateSolidBrush(Red);
    HGDIOBJ oldBrush = SelectObject(canvas.Dc(), brush);
    ASSERT_TRUE(Rectangle(canvas.Dc(), 1, 1, 6, 5));
    EXPECT_EQ(canvas.Count(Black), 14); // the outline of a 5 x 4 rectangle
    EXPECT_EQ(canvas.Count(Red), 6);
    EXPECT_EQ(canvas.At(5, 4), Black);
    EXPECT_EQ(canvas.At(6, 5), White);
    // With the null pen the filled area is one pixel narrower and shorter.
    canvas.Fill(White);
    HGDIOBJ oldPen = SelectObject(canvas.Dc(), GetStockObject(NULL_PEN));
    ASSERT_TRUE(Rectangle(canvas.Dc(), 1, 1, 6, 5));
    EXPECT_EQ(canvas.Count(Red), 12);
    EXPECT_EQ(canvas.At(5, 1), White);
    // The null brush leaves the inside alone.
    canvas.Fill(White);
    SelectObject(canvas.Dc(), oldPen);
    SelectObject(canvas.Dc(), GetStockObject(NULL_BRUSH));
    Rectangle(canvas.Dc(), 0, 0, 10, 10);
    EXPECT_EQ(canvas.Count(Black), 36);
    SelectObject(canvas.Dc(), oldBrush);
    DeleteObject(brush);
}

TEST(Shapes, EllipsesAndRoundRectsAreSymmetricAndOutlined) {
    Canvas canvas(21, 15);
    HBRUSH brush = CreateSolidBrush(Red);
    HGDIOBJ old = SelectObject(canvas.Dc(), brush);
    ASSERT_TRUE(Ellipse(canvas.Dc(), 0, 0, 21, 15));
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 21; ++x)
            ASSERT_EQ(canvas.At(x, y), canvas.At(20 - x, 14 - y)) << x << "," << y;
    EXPECT_EQ(canvas.At(0, 0), White);
    EXPECT_EQ(canvas.At(10, 0), Black);
    EXPECT_EQ(canvas.At(10, 7), Red);
    canvas.Fill(White);
    ASSERT_TRUE(RoundRect(canvas.Dc(), 0, 0, 21, 15, 6, 6));
    EXPECT_EQ(canvas.At(0, 0), White);
    EXPECT_EQ(canvas.At(10, 0), Black);
    EXPECT_EQ(canvas.At(0, 7), Black);
    EXPECT_EQ(canvas.At(10, 7), Red);
    SelectObject(canvas.Dc(), old);
    DeleteObject(brush);
}

TEST(Shapes, PolygonFillModes) {
    // A five-pointed star drawn in one stroke: its centre is inside only with WINDING.
    const POINT star[] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
    Canvas canvas(21, 21);
    HGDIOBJ oldPen = SelectObject(canvas.Dc(), GetStockObject(NULL_PEN));
    HGDIOBJ oldBrush = SelectObject(canvas.Dc(), GetStockObject(BLACK_BRUSH));
    Polygon(canvas.Dc(), star, 5);
    EXPECT_EQ(canvas.At(10, 10), White);
    EXPECT_EQ(canvas.At(10, 3), Black);
    SetPolyFillMode(canvas.Dc(), WINDING);
    Polygon(canvas.Dc(), star, 5);
    EXPECT_EQ(canvas.At(10, 10), Black);
    SelectObject(canvas.Dc(), oldPen);
    SelectObject(canvas.Dc(), oldBrush);
}

TEST(Shapes, RegionFillsAndFrames) {
    Canvas canvas(10, 10);
    HRGN region = CreateRectRgn(2, 2, 8, 8);
    HBRUSH red = CreateSolidBrush(Red);
    SetViewportOrgEx(canvas.Dc(), 1, 0, nullptr); // regions are drawn in logical coordinates
    ASSERT_TRUE(FrameRgn(canvas.Dc(), region, red, 2, 1));
    EXPECT_EQ(canvas.At(3, 2), Red);
    EXPECT_EQ(canvas.At(4, 3), Red);
    EXPECT_EQ(canvas.At(5, 3), White);
    EXPECT_EQ(canvas.Count(Red), 36 - 8);
    ASSERT_TRUE(FillRgn(canvas.Dc(), region, red));
    EXPECT_EQ(canvas.Count(Red), 36);
    ASSERT_TRUE(InvertRgn(canvas.Dc(), region));
    EXPECT_EQ(canvas.Count(RGB(0, 255, 255)), 36);
    DeleteObject(red);
    EXPECT_FALSE(FillRgn(canvas.Dc(), region, red));
    DeleteObject(region);
}

} // namespace
