#include "GdiTestSupport.h"

#include "platform/base/KernelObject.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/gdi/GdiObject.h"

#include <gtest/gtest.h>

namespace {

using gdi_test::Canvas;

TEST(GdiObjects, StaleAndForeignHandlesFailWithoutCrashing) {
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    ASSERT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(GetObjectType(brush), 0u);
    LOGBRUSH description;
    EXPECT_EQ(GetObjectA(brush, sizeof description, &description), 0);

    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(dc, brush), nullptr);
    ASSERT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
    EXPECT_EQ(SetTextColor(dc, 0), CLR_INVALID);
    EXPECT_EQ(SaveDC(dc), 0);
    EXPECT_FALSE(BitBlt(dc, 0, 0, 1, 1, nullptr, 0, 0, BLACKNESS));

    // Handles of one kind are refused where another is expected, and random values fail too.
    HRGN region = CreateRectRgn(0, 0, 1, 1);
    EXPECT_EQ(CreateCompatibleDC(reinterpret_cast<HDC>(region)), nullptr);
    EXPECT_EQ(CombineRgn(reinterpret_cast<HRGN>(dc), region, region, RGN_OR), ERROR);
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(0x1234)), 0u);
    DeleteObject(region);
}

TEST(GdiObjects, ObjectsSelectedIntoADcOutliveTheirDeletion) {
    GetStockObject(WHITE_BRUSH); // the stock objects exist from their first use on
    const std::size_t before = platform::LiveGdiObjectCount();
    Canvas canvas(4, 4);
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    HGDIOBJ old = SelectObject(canvas.Dc(), brush);
    // The brush is still drawn with after DeleteObject, and goes when it is deselected.
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_BRUSH), brush);
    PatBlt(canvas.Dc(), 0, 0, 4, 4, PATCOPY);
    EXPECT_EQ(canvas.At(2, 2), RGB(0, 0, 255));
    SelectObject(canvas.Dc(), old);
    EXPECT_EQ(GetObjectType(brush), 0u);

    // A bitmap selected into a DC is not deleted; it is once it is out again.
    EXPECT_FALSE(DeleteObject(canvas.Bitmap()));
    EXPECT_EQ(GetObjectType(canvas.Bitmap()), OBJ_BITMAP);

    // A bitmap goes into one DC at a time.
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, canvas.Bitmap()), nullptr);
    DeleteDC(other);
    EXPECT_EQ(platform::LiveGdiObjectCount(), before + 2); // the canvas's DC and bitmap
}

TEST(GdiObjects, SavedStatesKeepTheirObjects) {
    Canvas canvas(2, 2);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(9, 9, 9));
    HGDIOBJ old = SelectObject(canvas.Dc(), pen);
    const int saved = SaveDC(canvas.Dc());
    SelectObject(canvas.Dc(), old);
    EXPECT_TRUE(DeleteObject(pen));
    // The saved state still holds the pen; restoring brings it back.
    ASSERT_TRUE(RestoreDC(canvas.Dc(), saved));
    EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_PEN), pen);
    SelectObject(canvas.Dc(), old);
    EXPECT_EQ(GetObjectType(pen), 0u);
}

TEST(GdiObjects, StockObjectsAndDefaults) {
    EXPECT_EQ(GetObjectType(GetStockObject(WHITE_BRUSH)), OBJ_BRUSH);
    EXPECT_EQ(GetObjectType(GetStockObject(NULL_PEN)), OBJ_PEN);
    EXPECT_EQ(GetObjectType(GetStockObject(DEFAULT_GUI_FONT)), OBJ_FONT);
    EXPECT_EQ(GetStockObject(9), nullptr);
    EXPECT_EQ(GetStockObject(99), nullptr);
    // Stock objects survive DeleteObject.
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(GetObjectType(GetStockObject(BLACK_BRUSH)), OBJ_BRUSH);

    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetObjectType(dc), OBJ_MEMDC);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    // A new memory DC holds a 1 x 1 monochrome bitmap, so bitmaps compatible with it are
    // monochrome too.
    BITMAP info{};
    ASSERT_EQ(GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof info, &info), int(sizeof info));
    EXPECT_EQ(info.bmWidth, 1);
    EXPECT_EQ(info.bmBitsPixel, 1);
    HBITMAP compatible = CreateCompatibleBitmap(dc, 8, 8);
    ASSERT_EQ(GetObjectA(compatible, sizeof info, &info), int(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(info.bmWidthBytes, 2);
    DeleteObject(compatible);
    DeleteDC(dc);
}

TEST(GdiObjects, DescriptionsOfBrushesPensAndDibSections) {
    HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(1, 2, 3));
    LOGBRUSH brush{};
    ASSERT_EQ(GetObjectA(hatch, sizeof brush, &brush), int(sizeof brush));
    EXPECT_EQ(brush.lbStyle, BS_HATCHED);
    EXPECT_EQ(brush.lbColor, RGB(1, 2, 3));
    EXPECT_EQ(brush.lbHatch, ULONG_PTR(HS_CROSS));
    DeleteObject(hatch);

    HPEN pen = CreatePen(PS_DOT, 1, RGB(4, 5, 6));
    LOGPEN logical{};
    ASSERT_EQ(GetObjectA(pen, sizeof logical, &logical), int(sizeof logical));
    EXPECT_EQ(logical.lopnStyle, UINT(PS_DOT));
    EXPECT_EQ(logical.lopnColor, RGB(4, 5, 6));
    DeleteObject(pen);

    Canvas canvas(5, 3);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectA(canvas.Bitmap(), sizeof section, &section), int(sizeof section));
    EXPECT_EQ(section.dsBm.bmWidth, 5);
    EXPECT_EQ(section.dsBm.bmWidthBytes, 20);
    EXPECT_NE(section.dsBm.bmBits, nullptr);
    EXPECT_EQ(section.dsBmih.biHeight, -3);
}

} // namespace
