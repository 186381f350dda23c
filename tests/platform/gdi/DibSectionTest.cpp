#include "GdiTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using gdi_test::FillSolid;

// BITMAPINFO with room for a 256-entry colour table.
struct InfoWithTable {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

InfoWithTable MakeInfo(int width, int height, int bitCount) {
    InfoWithTable info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bitCount);
    info.header.biCompression = BI_RGB;
    if (bitCount <= 8) {
        // A table whose entry i is a distinct grey-blue, entry 1 pure red.
        for (int i = 0; i < (1 << bitCount); ++i)
            info.colors[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), 0, 0};
        info.colors[1] = RGBQUAD{0, 0, 255, 0};
    }
    return info;
}

struct DepthCase {
    int bitCount;
    bool topDown;
};

class DibSections : public ::testing::TestWithParam<DepthCase> {};

// The program writes bits directly and the drawing calls see them; the drawing calls draw and
// the program sees the bits change, in every depth and both row orders.
TEST_P(DibSections, BitsAndDrawingCallsShareOnePicture) {
    const DepthCase depth = GetParam();
    const int width = 9;
    const int height = 4;
    InfoWithTable info = MakeInfo(width, depth.topDown ? -height : height, depth.bitCount);
    void* bits = nullptr;
    HBITMAP bitmap =
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_NE(bits, nullptr);
    const std::size_t stride = ((width * depth.bitCount + 31) / 32) * 4;
    auto* bytes = static_cast<std::uint8_t*>(bits);
    // Memory row of picture row y.
    const auto rowOf = [&](int y) { return bytes + (depth.topDown ? y : height - 1 - y) * stride; };

    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    FillSolid(dc, 0, 0, width, 1, RGB(255, 0, 0));
    const COLORREF red = GetPixel(dc, 3, 0);
    EXPECT_EQ(red, RGB(255, 0, 0));
    // The top picture row holds red in the bits, in that depth's encoding.
    switch (depth.bitCount) {
    case 1:
        EXPECT_EQ(rowOf(0)[0], 0xFF);
        break;
    case 4:
        EXPECT_EQ(rowOf(0)[0], 0x11);
        break;
    case 8:
        EXPECT_EQ(rowOf(0)[0], 1);
        break;
    case 16:
        EXPECT_EQ(rowOf(0)[1], 0x7C);
        break;
    case 24:
        EXPECT_EQ(rowOf(0)[2], 0xFF);
        EXPECT_EQ(rowOf(0)[0], 0);
        break;
    case 32:
        EXPECT_EQ(rowOf(0)[2], 0xFF);
        break;
    }
    EXPECT_EQ(GetPixel(dc, 3, 1), RGB(0, 0, 0));

    // Writing the bottom row's first pixel by hand shows through GetPixel.
    std::uint8_t* bottom = rowOf(height - 1);
    COLORREF expected = 0;
    switch (depth.bitCount) {
    case 1:
        bottom[0] = 0x80;
        expected = RGB(255, 0, 0);
        break;
    case 4:
        bottom[0] = 0x10;
        expected = RGB(255, 0, 0);
        break;
    case 8:
        bottom[0] = 2;
        expected = RGB(0, 2, 2);
        break;
    case 16:
        bottom[0] = 0x1F; // blue 5 bits
        bottom[1] = 0;
        expected = RGB(0, 0, 255);
        break;
    default:
        bottom[0] = 0x40;
        bottom[1] = 0x80;
        bottom[2] = 0xC0;
        expected = RGB(0xC0, 0x80, 0x40);
        break;
    }
    EXPECT_EQ(GetPixel(dc, 0, height - 1), expected);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
}

INSTANTIATE_TEST_SUITE_P(EveryDepth, DibSections,
                         ::testing::Values(DepthCase{1, false}, DepthCase{1, true}, DepthCase{4, false},
                                           DepthCase{4, true}, DepthCase{8, false}, DepthCase{8, true},
                                           DepthCase{16, false}, DepthCase{16, true}, DepthCase{24, false},
                                           DepthCase{24, true}, DepthCase{32, false}, DepthCase{32, true}));

// Drawing writes back only the rows it drew on: an index the program chose stays, though
// another index names the same colour, and bits the program wrote between two drawing calls
// survive the second, on the rows it draws too.
TEST(DibBits, DrawingKeepsTheBitsItDoesNotDraw) {
    const int width = 8;
    const int height = 4;
    InfoWithTable info = MakeInfo(width, -height, 8);
    info.colors[3] = info.colors[2];
    void* bits = nullptr;
    HBITMAP bitmap =
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    auto* bytes = static_cast<std::uint8_t*>(bits);
    const auto row = [&](int y) { return bytes + y * width; };
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);

    std::memset(row(3), 3, width);
    FillSolid(dc, 0, 0, width, 1, RGB(255, 0, 0));
    EXPECT_EQ(row(3)[0], 3);
    EXPECT_EQ(row(0)[0], 1);

    row(1)[6] = 1;
    row(2)[0] = 1;
    FillSolid(dc, 0, 1, 2, 2, RGB(255, 0, 0));
    EXPECT_EQ(row(1)[6], 1);
    EXPECT_EQ(row(2)[0], 1);
    EXPECT_EQ(GetPixel(dc, 6, 1), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 0, 2), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 5, 1), RGB(0, 0, 0));

    // A picture copied out after a change by hand shows the change.
    row(0)[4] = 2;
    HDC screen = CreateCompatibleDC(nullptr);
    HBITMAP copy = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ oldCopy = SelectObject(screen, copy);
    BitBlt(screen, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(screen, 4, 0), RGB(0, 2, 2));
    EXPECT_EQ(GetPixel(screen, 3, 0), RGB(255, 0, 0));
    SelectObject(screen, oldCopy);
    DeleteObject(copy);
    DeleteDC(screen);

    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
}

TEST(DibBits, MalformedHeadersAreRefused) {
    InfoWithTable info = MakeInfo(4, 4, 32);
    void* bits = reinterpret_cast<void*>(1);
    info.header.biBitCount = 7;
    EXPECT_EQ(
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0),
        nullptr);
    EXPECT_EQ(bits, nullptr);
    info = MakeInfo(0, 4, 32);
    EXPECT_EQ(
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0),
        nullptr);
    info = MakeInfo(1 << 20, 1 << 20, 32);
    EXPECT_EQ(
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0),
        nullptr);
    info = MakeInfo(4, 4, 24);
    info.header.biCompression = BI_RLE8;
    EXPECT_EQ(
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0),
        nullptr);
    info = MakeInfo(4, 4, 16);
    info.header.biCompression = BI_BITFIELDS;
    auto* masks = reinterpret_cast<DWORD*>(info.colors);
    masks[0] = 0xF00F; // not one run of bits
    masks[1] = 0x0F00;
    masks[2] = 0x00F0;
    EXPECT_EQ(
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0),
        nullptr);
}

TEST(DibBits, GetAndSetDIBitsRoundTripThroughEveryDepth) {
    gdi_test::Canvas canvas(6, 3);
    const COLORREF colours[] = {RGB(255, 255, 255), RGB(0, 0, 0),   RGB(255, 0, 0),
                                RGB(0, 255, 0),     RGB(0, 0, 255), RGB(255, 0, 255)};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            canvas.Set(x, y, colours[(x + y) % 6]);
    for (int bitCount : {4, 8, 16, 24, 32}) {
        InfoWithTable info{};
        info.header.biSize = sizeof(BITMAPINFOHEADER);
        ASSERT_NE(GetDIBits(canvas.Dc(), canvas.Bitmap(), 0, 0, nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                            DIB_RGB_COLORS),
                  0);
        EXPECT_EQ(info.header.biWidth, 6);
        EXPECT_EQ(info.header.biHeight, 3);
        EXPECT_EQ(info.header.biBitCount, 32);
        info.header.biBitCount = static_cast<WORD>(bitCount);
        info.header.biHeight = bitCount == 24 ? -3 : 3;
        std::vector<std::uint8_t> bits(((6 * bitCount + 31) / 32) * 4 * 3);
        ASSERT_EQ(GetDIBits(canvas.Dc(), canvas.Bitmap(), 0, 3, bits.data(),
                            reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS),
                  3)
            << bitCount;
        gdi_test::Canvas copy(6, 3, RGB(1, 1, 1));
        ASSERT_EQ(SetDIBits(copy.Dc(), copy.Bitmap(), 0, 3, bits.data(), reinterpret_cast<BITMAPINFO*>(&info),
                            DIB_RGB_COLORS),
                  3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 6; ++x)
                ASSERT_EQ(copy.At(x, y), canvas.At(x, y)) << bitCount << " bits at " << x << "," << y;
    }
}

TEST(DibBits, StretchDIBitsCountsSourceRowsFromTheBottom) {
    // A bottom-up 2 x 2 image: the bottom row is red, the top row blue.
    InfoWithTable info = MakeInfo(2, 2, 32);
    const std::uint32_t pixels[] = {0x00FF0000, 0x00FF0000, 0x000000FF, 0x000000FF};
    gdi_test::Canvas canvas(2, 2);
    ASSERT_EQ(StretchDIBits(canvas.Dc(), 0, 0, 2, 1, 0, 0, 2, 1, pixels, reinterpret_cast<BITMAPINFO*>(&info),
                            DIB_RGB_COLORS, SRCCOPY),
              1);
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(0, 1), RGB(255, 255, 255));
}

} // namespace
