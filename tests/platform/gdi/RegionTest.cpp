#include "platform/gdi/WinGdi.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Regions, CombineModesAndComplexity) {
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(5, 5, 15, 15);
    HRGN result = CreateRectRgn(0, 0, 0, 0);
    RECT box;

    EXPECT_EQ(CombineRgn(result, a, b, RGN_AND), SIMPLEREGION);
    GetRgnBox(result, &box);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(CombineRgn(result, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(result, 14, 14));
    EXPECT_FALSE(PtInRegion(result, 14, 0));
    EXPECT_EQ(CombineRgn(result, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(result, 7, 7));
    EXPECT_TRUE(PtInRegion(result, 2, 2));
    EXPECT_EQ(CombineRgn(result, a, b, RGN_DIFF), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(result, 12, 12));
    EXPECT_EQ(CombineRgn(result, a, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(result, a));
    EXPECT_EQ(CombineRgn(result, a, a, RGN_DIFF), NULLREGION);
    EXPECT_EQ(GetRgnBox(result, &box), NULLREGION);
    EXPECT_EQ(CombineRgn(result, a, b, 9), ERROR);

    // A destination may also be a source.
    EXPECT_EQ(CombineRgn(a, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_EQ(OffsetRgn(a, 100, 0), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(a, 114, 14));
    RECT rect{100, 0, 101, 1};
    EXPECT_TRUE(RectInRegion(a, &rect));
    rect = RECT{90, 0, 100, 20};
    EXPECT_FALSE(RectInRegion(a, &rect));
    // Inverted rectangles are normalised.
    EXPECT_TRUE(SetRectRgn(b, 10, 10, 0, 0));
    GetRgnBox(b, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.bottom, 10);
    DeleteObject(a);
    DeleteObject(b);
    DeleteObject(result);
}

TEST(Regions, RegionDataRoundTripsAndDamagedDataIsRefused) {
    HRGN a = CreateRectRgn(0, 0, 10, 2);
    HRGN b = CreateRectRgn(3, 2, 6, 4);
    CombineRgn(a, a, b, RGN_OR);
    const DWORD size = GetRegionData(a, 0, nullptr);
    ASSERT_EQ(size, sizeof(RGNDATAHEADER) + 2 * sizeof(RECT));
    std::vector<char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    EXPECT_EQ(GetRegionData(a, size - 1, data), 0u);
    ASSERT_EQ(GetRegionData(a, size, data), size);
    EXPECT_EQ(data->rdh.nCount, 2u);
    EXPECT_EQ(data->rdh.rcBound.right, 10);

    HRGN copy = ExtCreateRegion(nullptr, size, data);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(EqualRgn(copy, a));
    // More rectangles announced than the buffer holds, a wrong type or a short header: refused.
    data->rdh.nCount = 3;
    EXPECT_EQ(ExtCreateRegion(nullptr, size, data), nullptr);
    data->rdh.nCount = 2;
    data->rdh.iType = 2;
    EXPECT_EQ(ExtCreateRegion(nullptr, size, data), nullptr);
    data->rdh.iType = RDH_RECTANGLES;
    EXPECT_EQ(ExtCreateRegion(nullptr, 8, data), nullptr);
    // Overlapping and unordered rectangles still make a proper region.
    RECT* rects = reinterpret_cast<RECT*>(data->Buffer);
    rects[0] = RECT{5, 5, 8, 8};
    rects[1] = RECT{0, 0, 6, 6};
    HRGN messy = ExtCreateRegion(nullptr, size, data);
    ASSERT_NE(messy, nullptr);
    EXPECT_TRUE(PtInRegion(messy, 7, 7));
    EXPECT_TRUE(PtInRegion(messy, 1, 1));
    EXPECT_FALSE(PtInRegion(messy, 7, 1));
    for (HRGN region : {a, b, copy, messy})
        DeleteObject(region);
}

TEST(Regions, RoundedAndEllipticShapesAreSymmetric) {
    HRGN round = CreateRoundRectRgn(0, 0, 20, 10, 8, 8);
    EXPECT_FALSE(PtInRegion(round, 0, 0));
    EXPECT_FALSE(PtInRegion(round, 19, 9));
    EXPECT_TRUE(PtInRegion(round, 10, 0));
    EXPECT_TRUE(PtInRegion(round, 0, 5));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(PtInRegion(round, x, y), PtInRegion(round, 19 - x, 9 - y)) << x << "," << y;
    HRGN ellipse = CreateEllipticRgn(0, 0, 9, 9);
    EXPECT_TRUE(PtInRegion(ellipse, 4, 4));
    EXPECT_TRUE(PtInRegion(ellipse, 4, 0));
    EXPECT_FALSE(PtInRegion(ellipse, 0, 0));
    RECT box;
    GetRgnBox(ellipse, &box);
    EXPECT_EQ(box.right, 9);
    EXPECT_EQ(box.bottom, 9);
    const POINT triangle[] = {{0, 0}, {10, 0}, {0, 10}};
    HRGN polygon = CreatePolygonRgn(triangle, 3, ALTERNATE);
    EXPECT_TRUE(PtInRegion(polygon, 1, 1));
    EXPECT_FALSE(PtInRegion(polygon, 8, 8));
    for (HRGN region : {round, ellipse, polygon})
        DeleteObject(region);
}

} // namespace
