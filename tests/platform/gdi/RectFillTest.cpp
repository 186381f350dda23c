#include "GdiTestSupport.h"

#include "platform/gdi/WinUserDraw.h"

#include <gtest/gtest.h>

namespace {

using gdi_test::Canvas;

TEST(RectFills, FillFrameAndInvertExcludeTheRightAndBottomEdges) {
    Canvas canvas(6, 6);
    const RECT rect{1, 1, 5, 5};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    EXPECT_NE(FrameRect(canvas.Dc(), &rect, red), 0);
    EXPECT_EQ(canvas.Count(RGB(255, 0, 0)), 12);
    EXPECT_EQ(canvas.At(5, 5), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(2, 2), RGB(255, 255, 255));
    // A system colour index + 1 stands for that colour's brush.
    const RECT inner{2, 2, 4, 4};
    EXPECT_NE(FillRect(canvas.Dc(), &inner, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)), 0);
    EXPECT_EQ(canvas.At(3, 3), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(canvas.Count(GetSysColor(COLOR_BTNFACE)), 4);
    EXPECT_TRUE(InvertRect(canvas.Dc(), &rect));
    EXPECT_EQ(canvas.At(1, 1), RGB(0, 255, 255));
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 255, 255));
    // The DC's own brush is untouched, and a deleted brush is refused.
    EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    DeleteObject(red);
    EXPECT_EQ(FillRect(canvas.Dc(), &rect, red), 0);
}

TEST(SystemColours, ClassicSchemeAndStockBrushes) {
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), RGB(128, 128, 128));
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), RGB(64, 64, 64));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(99), 0u);
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    LOGBRUSH brush{};
    ASSERT_EQ(GetObjectA(face, sizeof brush, &brush), int(sizeof brush));
    EXPECT_EQ(brush.lbColor, RGB(212, 208, 200));
    EXPECT_TRUE(DeleteObject(face)); // system colour brushes are stock objects
    EXPECT_EQ(GetObjectType(face), OBJ_BRUSH);
    EXPECT_EQ(GetSysColorBrush(25), nullptr);
}

} // namespace
