#include "GdiTestSupport.h"

#include "platform/gdi/PngWriter.h"
#include "platform/gdi/WinUserDraw.h"

#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <vector>

namespace {

using gdi_test::Canvas;

constexpr COLORREF White = RGB(255, 255, 255);

TEST(Brushes, HatchBackgroundFollowsTheBackgroundMode) {
    Canvas canvas(8, 8, RGB(1, 2, 3));
    HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(canvas.Dc(), hatch);
    SetBkColor(canvas.Dc(), RGB(0, 0, 255));
    SetBkMode(canvas.Dc(), TRANSPARENT);
    PatBlt(canvas.Dc(), 0, 0, 8, 8, PATCOPY);
    EXPECT_EQ(canvas.Count(RGB(255, 0, 0)), 15); // one row and one column of the 8 x 8 cell
    EXPECT_EQ(canvas.Count(RGB(1, 2, 3)), 49);
    SetBkMode(canvas.Dc(), OPAQUE);
    PatBlt(canvas.Dc(), 0, 0, 8, 8, PATCOPY);
    EXPECT_EQ(canvas.Count(RGB(0, 0, 255)), 49);
    SelectObject(canvas.Dc(), old);
    DeleteObject(hatch);
    EXPECT_EQ(CreateHatchBrush(42, 0), nullptr);
}

TEST(Brushes, ThePatternIsCopiedWhenTheBrushIsMade) {
    Canvas cell(2, 2, RGB(9, 9, 9));
    HBRUSH brush = CreatePatternBrush(cell.Bitmap());
    cell.Fill(RGB(7, 7, 7)); // later changes to the bitmap do not reach the brush
    Canvas canvas(4, 4);
    HGDIOBJ old = SelectObject(canvas.Dc(), brush);
    PatBlt(canvas.Dc(), 0, 0, 4, 4, PATCOPY);
    EXPECT_EQ(canvas.Count(RGB(9, 9, 9)), 16);
    SelectObject(canvas.Dc(), old);
    DeleteObject(brush);
}

TEST(DeviceBitmaps, InitialBitsAndBitmapBitsRoundTrip) {
    // Rows of a monochrome bitmap are padded to 16 bits; 1 bits are white.
    const BYTE bits[] = {0xA0, 0x00, 0x50, 0x00};
    HBITMAP bitmap = CreateBitmap(4, 2, 1, 1, bits);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 0, 0), White);
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 1, 1), White);
    SelectObject(dc, old);
    BYTE read[4] = {};
    EXPECT_EQ(GetBitmapBits(bitmap, sizeof read, read), 4);
    EXPECT_EQ(read[0] & 0xF0, 0xA0);
    EXPECT_EQ(read[2] & 0xF0, 0x50);
    const BYTE inverted[] = {0x50, 0x00, 0xA0, 0x00};
    EXPECT_EQ(SetBitmapBits(bitmap, sizeof inverted, inverted), 4);
    old = SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 1, 0), White);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    EXPECT_EQ(CreateBitmap(-1, 2, 1, 1, nullptr), nullptr);
}

TEST(DeviceBitmaps, SetDIBitsToDeviceCopiesBottomUpRows) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    // Memory order is bottom row first.
    const std::uint32_t pixels[] = {0x00FF0000, 0x00FF0000, 0x000000FF, 0x000000FF};
    Canvas canvas(4, 4);
    EXPECT_EQ(SetDIBitsToDevice(canvas.Dc(), 1, 1, 2, 2, 0, 0, 0, 2, pixels, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(canvas.At(1, 1), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(0, 0), White);
}

TEST(DeviceBitmaps, TextDrawnIntoATwentyFourBitSectionReachesItsBits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = -16;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* bytes = static_cast<BYTE*>(bits);
    std::fill(bytes, bytes + 16 * 48, 0xFF);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, section);
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 0, 0, u"\u5B8B", 1);
    int dark = 0;
    for (int i = 0; i < 16 * 48; i += 3)
        dark += bytes[i] == 0 && bytes[i + 1] == 0 && bytes[i + 2] == 0;
    EXPECT_GT(dark, 15);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(section);
}

TEST(PngWriter, WritesThePixelsOfAnArea) {
    Canvas canvas(6, 4, RGB(10, 20, 30));
    canvas.Set(2, 1, RGB(200, 100, 50));
    const std::string path = std::string(QUILLMERE_BIN_DIR) + "/gdi-png-writer-test.png";
    const RECT area{2, 1, 5, 3};
    ASSERT_TRUE(platform::WriteDcPng(canvas.Dc(), &area, path));
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    EXPECT_EQ(image.width, 3u);
    EXPECT_EQ(image.height, 2u);
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
    EXPECT_EQ(pixels[0], 200);
    EXPECT_EQ(pixels[1], 100);
    EXPECT_EQ(pixels[2], 50);
    EXPECT_EQ(pixels[3], 10);
    std::remove(path.c_str());
    EXPECT_FALSE(platform::WriteDcPng(canvas.Dc(), &area, "/nonexistent-folder/x.png"));
}

} // namespace
