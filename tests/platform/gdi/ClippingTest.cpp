#include "GdiTestSupport.h"

#include "platform/gdi/SurfaceDC.h"

#include <gtest/gtest.h>

namespace {

using gdi_test::Canvas;
using gdi_test::FillSolid;

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(255, 0, 0);

TEST(Clipping, ViewportOriginMovesDrawingButNotTheSelectedRegion) {
    Canvas canvas(20, 20);
    SetViewportOrgEx(canvas.Dc(), 5, 5, nullptr);
    // A clipping region is in device coordinates: the viewport origin does not move it.
    HRGN region = CreateRectRgn(0, 0, 10, 10);
    EXPECT_EQ(SelectClipRgn(canvas.Dc(), region), SIMPLEREGION);
    DeleteObject(region); // the DC keeps its own copy
    FillSolid(canvas.Dc(), 0, 0, 20, 20, Red);
    EXPECT_EQ(canvas.At(4, 4), White);
    EXPECT_EQ(canvas.At(5, 5), Red);
    EXPECT_EQ(canvas.At(9, 9), Red);
    EXPECT_EQ(canvas.At(10, 10), White);
    EXPECT_EQ(canvas.Count(Red), 25);

    // The clip box is reported in logical coordinates.
    RECT box;
    EXPECT_EQ(GetClipBox(canvas.Dc(), &box), SIMPLEREGION);
    EXPECT_EQ(box.left, -5);
    EXPECT_EQ(box.top, -5);
    EXPECT_EQ(box.right, 5);
    EXPECT_EQ(box.bottom, 5);
    RECT inside{0, 0, 2, 2};
    RECT outside{6, 6, 8, 8};
    EXPECT_TRUE(RectVisible(canvas.Dc(), &inside));
    EXPECT_FALSE(RectVisible(canvas.Dc(), &outside));
}

TEST(Clipping, IntersectAndExcludeTakeLogicalCoordinates) {
    Canvas canvas(10, 10);
    SetViewportOrgEx(canvas.Dc(), 2, 0, nullptr);
    EXPECT_EQ(IntersectClipRect(canvas.Dc(), 0, 0, 4, 10), SIMPLEREGION); // device 2..6
    EXPECT_EQ(ExcludeClipRect(canvas.Dc(), 1, 2, 2, 4), COMPLEXREGION);   // device x 3, y 2..4
    SetViewportOrgEx(canvas.Dc(), 0, 0, nullptr);
    FillSolid(canvas.Dc(), 0, 0, 10, 10, Red);
    EXPECT_EQ(canvas.At(1, 0), White);
    EXPECT_EQ(canvas.At(2, 0), Red);
    EXPECT_EQ(canvas.At(5, 0), Red);
    EXPECT_EQ(canvas.At(6, 0), White);
    EXPECT_EQ(canvas.At(3, 2), White);
    EXPECT_EQ(canvas.At(3, 4), Red);
    EXPECT_EQ(canvas.Count(Red), 40 - 2);

    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(canvas.Dc(), copy), 1);
    EXPECT_TRUE(PtInRegion(copy, 2, 0));
    EXPECT_FALSE(PtInRegion(copy, 3, 3));
    EXPECT_EQ(SelectClipRgn(canvas.Dc(), nullptr), SIMPLEREGION);
    EXPECT_EQ(GetClipRgn(canvas.Dc(), copy), 0);
    DeleteObject(copy);
}

TEST(Clipping, SaveAndRestoreBringBackTheWholeState) {
    Canvas canvas(10, 10);
    HDC dc = canvas.Dc();
    SetTextColor(dc, RGB(1, 2, 3));
    const int first = SaveDC(dc);
    EXPECT_EQ(first, 1);
    SetTextColor(dc, RGB(4, 5, 6));
    SetViewportOrgEx(dc, 3, 3, nullptr);
    IntersectClipRect(dc, 0, 0, 1, 1);
    SetBkMode(dc, TRANSPARENT);
    EXPECT_EQ(SaveDC(dc), 2);
    SetTextColor(dc, RGB(7, 8, 9));
    EXPECT_EQ(SaveDC(dc), 3);

    ASSERT_TRUE(RestoreDC(dc, -1)); // the latest: state 3
    EXPECT_EQ(GetTextColor(dc), RGB(7, 8, 9));
    ASSERT_TRUE(RestoreDC(dc, first)); // back past state 2
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 0);
    RECT box;
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 10);
    // Nothing saved is left.
    EXPECT_FALSE(RestoreDC(dc, -1));
    EXPECT_FALSE(RestoreDC(dc, 1));
    EXPECT_FALSE(RestoreDC(dc, 0));
}

TEST(Clipping, ExtSelectClipRgnCombinesWithTheCurrentRegion) {
    Canvas canvas(10, 10);
    HRGN left = CreateRectRgn(0, 0, 5, 10);
    HRGN top = CreateRectRgn(0, 0, 10, 5);
    EXPECT_EQ(ExtSelectClipRgn(canvas.Dc(), left, RGN_COPY), SIMPLEREGION);
    EXPECT_EQ(ExtSelectClipRgn(canvas.Dc(), top, RGN_OR), COMPLEXREGION);
    FillSolid(canvas.Dc(), 0, 0, 10, 10, Red);
    EXPECT_EQ(canvas.Count(Red), 75);
    EXPECT_EQ(ExtSelectClipRgn(canvas.Dc(), nullptr, RGN_AND), ERROR);
    EXPECT_EQ(ExtSelectClipRgn(canvas.Dc(), top, RGN_DIFF), SIMPLEREGION);
    canvas.Fill(White);
    FillSolid(canvas.Dc(), 0, 0, 10, 10, Red);
    EXPECT_EQ(canvas.Count(Red), 25);
    DeleteObject(left);
    DeleteObject(top);
}

// A window layer's DC: drawing lands at the origin on the shared surface, inside the visible
// region and the program's own clipping region both.
TEST(SurfaceDc, DrawsAtItsOriginInsideTheVisibleRegion) {
    auto surface = std::make_shared<platform::PixelSurface>(30, 20);
    surface->Fill(0x00FFFFFF);
    platform::Region visible(RECT{0, 0, 30, 20});
    visible.Subtract(RECT{10, 0, 15, 20});
    HDC dc = platform::CreateSurfaceDC(surface, POINT{4, 3}, visible);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetObjectType(dc), OBJ_DC);
    EXPECT_EQ(platform::SurfaceOfDC(dc), surface);
    IntersectClipRect(dc, 0, 0, 20, 10);
    FillSolid(dc, 0, 0, 100, 100, Red);
    const auto at = [&](int x, int y) { return surface->At(x, y); };
    EXPECT_EQ(at(3, 3), 0x00FFFFFFu);
    EXPECT_EQ(at(4, 3), 0x00FF0000u);
    EXPECT_EQ(at(9, 12), 0x00FF0000u);
    EXPECT_EQ(at(10, 5), 0x00FFFFFFu); // hidden by the visible region
    EXPECT_EQ(at(23, 12), 0x00FF0000u);
    EXPECT_EQ(at(24, 5), 0x00FFFFFFu); // outside the program's clipping
    EXPECT_EQ(at(5, 13), 0x00FFFFFFu);
    EXPECT_EQ(GetPixel(dc, 0, 0), Red);
    EXPECT_EQ(GetPixel(dc, 7, 0), CLR_INVALID);

    // The window layer points the DC at a new backing store; the program's state stays.
    auto bigger = std::make_shared<platform::PixelSurface>(40, 40);
    ASSERT_TRUE(platform::UpdateSurfaceDC(dc, bigger, POINT{0, 0}, platform::Region(RECT{0, 0, 40, 40})));
    FillSolid(dc, 0, 0, 100, 100, Red);
    EXPECT_EQ(bigger->At(19, 9), 0x00FF0000u);
    EXPECT_EQ(bigger->At(20, 9), 0u);
    HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_FALSE(platform::UpdateSurfaceDC(memory, bigger, POINT{0, 0}, platform::Region()));
    DeleteDC(memory);
    DeleteDC(dc);
}

} // namespace
