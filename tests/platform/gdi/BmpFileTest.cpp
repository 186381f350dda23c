#include "GdiTestSupport.h"

#include "platform/gdi/BmpFile.h"
#include "platform/gdi/WinUserDraw.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

namespace {

using platform::PixelSurface;

// A 7 x 3 picture of six colours, so every depth down to 4 bits holds it exactly.
std::unique_ptr<PixelSurface> SamplePicture() {
    auto pixels = std::make_unique<PixelSurface>(7, 3);
    const platform::Pixel colours[] = {0xFFFFFF, 0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFF00FF};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            pixels->Set(x, y, colours[(x + 2 * y) % 6]);
    return pixels;
}

TEST(BmpFiles, EveryDepthRoundTrips) {
    const auto sample = SamplePicture();
    const PixelSurface& picture = *sample;
    for (int bits : {4, 8, 16, 24, 32}) {
        const std::vector<std::uint8_t> file = platform::EncodeBmp(picture, bits);
        std::optional<platform::BmpImage> image = platform::ReadBmp(file.data(), file.size());
        ASSERT_TRUE(image) << bits;
        EXPECT_EQ(image->layout.bitsPerPixel, bits);
        const auto pixels = image->ToPixels();
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 7; ++x)
                ASSERT_EQ(pixels->At(x, y), picture.At(x, y)) << bits << " bits at " << x << "," << y;
    }
    // Two colours fit one bit.
    PixelSurface twoColours(9, 2);
    twoColours.Set(3, 1, 0xFF00FF);
    const std::vector<std::uint8_t> file = platform::EncodeBmp(twoColours, 1);
    std::optional<platform::BmpImage> image = platform::ReadBmp(file.data(), file.size());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->ToPixels()->At(3, 1), 0xFF00FFu);
    EXPECT_EQ(image->ToPixels()->At(4, 1), 0u);
}

// A file built by hand: header, table and pixel bytes as given.
std::vector<std::uint8_t> MakeFile(int width, int height, int bits, DWORD compression,
                                   const std::vector<RGBQUAD>& table, const std::vector<std::uint8_t>& pixels,
                                   const DWORD* masks = nullptr) {
    const std::size_t tableBytes = table.size() * 4 + (masks ? 12 : 0);
    const std::size_t offset = 14 + 40 + tableBytes;
    std::vector<std::uint8_t> file(offset + pixels.size());
    file[0] = 'B';
    file[1] = 'M';
    const DWORD size = static_cast<DWORD>(file.size());
    const DWORD off = static_cast<DWORD>(offset);
    std::memcpy(&file[2], &size, 4);
    std::memcpy(&file[10], &off, 4);
    BITMAPINFOHEADER header{};
    header.biSize = 40;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bits);
    header.biCompression = compression;
    header.biSizeImage = static_cast<DWORD>(pixels.size());
    header.biClrUsed = static_cast<DWORD>(table.size());
    std::memcpy(&file[14], &header, 40);
    if (masks)
        std::memcpy(&file[54], masks, 12);
    if (!table.empty())
        std::memcpy(&file[54 + (masks ? 12 : 0)], table.data(), table.size() * 4);
    std::memcpy(&file[offset], pixels.data(), pixels.size());
    return file;
}

TEST(BmpFiles, RunLengthAndBitFieldFilesDecode) {
    const std::vector<RGBQUAD> table = {{0, 0, 0, 0}, {0, 0, 255, 0}, {255, 0, 0, 0}};
    // RLE8, 4 x 2, bottom row first: three of index 1 then a literal run of one pixel (padded),
    // end of line; the top row: a move of two, one pixel of index 2, end of bitmap.
    const std::vector<std::uint8_t> rle8 = {3, 1, 0, 3, 2, 2, 1, 0, 0, 0, 0, 2, 2, 0, 1, 2, 0, 1};
    std::optional<platform::BmpImage> image = platform::ReadBmp(
        MakeFile(4, 2, 8, BI_RLE8, table, rle8).data(), MakeFile(4, 2, 8, BI_RLE8, table, rle8).size());
    ASSERT_TRUE(image);
    auto pixels = image->ToPixels();
    EXPECT_EQ(pixels->At(0, 1), 0xFF0000u);
    EXPECT_EQ(pixels->At(2, 1), 0xFF0000u);
    EXPECT_EQ(pixels->At(3, 1), 0x0000FFu);
    EXPECT_EQ(pixels->At(1, 0), 0u);
    EXPECT_EQ(pixels->At(2, 0), 0x0000FFu);

    // RLE4: four pixels alternating indices 1 and 2 from one byte, end of bitmap.
    const std::vector<std::uint8_t> rle4 = {4, 0x12, 0, 1};
    const auto file4 = MakeFile(4, 1, 4, BI_RLE4, table, rle4);
    image = platform::ReadBmp(file4.data(), file4.size());
    ASSERT_TRUE(image);
    pixels = image->ToPixels();
    EXPECT_EQ(pixels->At(0, 0), 0xFF0000u);
    EXPECT_EQ(pixels->At(1, 0), 0x0000FFu);
    EXPECT_EQ(pixels->At(2, 0), 0xFF0000u);

    // 16 bits with 5-6-5 masks, top-down by a negative height.
    const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
    auto file16 = MakeFile(2, 1, 16, BI_BITFIELDS, {}, {0x00, 0xF8, 0xE0, 0x07}, masks);
    image = platform::ReadBmp(file16.data(), file16.size());
    ASSERT_TRUE(image);
    pixels = image->ToPixels();
    EXPECT_EQ(pixels->At(0, 0), 0xFF0000u);
    EXPECT_EQ(pixels->At(1, 0), 0x00FF00u);
}

TEST(BmpFiles, DamagedFilesAreRefused) {
    const std::vector<std::uint8_t> good = platform::EncodeBmp(*SamplePicture(), 24);
    ASSERT_TRUE(platform::ReadBmp(good.data(), good.size()));
    // Every truncation is refused, never read past.
    for (std::size_t length = 0; length < good.size(); length += 7)
        EXPECT_FALSE(platform::ReadBmp(good.data(), length)) << length;

    auto damaged = good;
    damaged[0] = 'X';
    EXPECT_FALSE(platform::ReadBmp(damaged.data(), damaged.size()));
    damaged = good;
    const DWORD farAway = 0x7FFFFFF0;
    std::memcpy(&damaged[10], &farAway, 4); // pixel data beyond the file
    EXPECT_FALSE(platform::ReadBmp(damaged.data(), damaged.size()));
    damaged = good;
    const LONG huge = 1 << 30;
    std::memcpy(&damaged[18], &huge, 4); // width
    EXPECT_FALSE(platform::ReadBmp(damaged.data(), damaged.size()));
    damaged = good;
    damaged[28] = 7; // bit count
    EXPECT_FALSE(platform::ReadBmp(damaged.data(), damaged.size()));
    damaged = good;
    const DWORD hugeHeader = 0x10000;
    std::memcpy(&damaged[14], &hugeHeader, 4);
    EXPECT_FALSE(platform::ReadBmp(damaged.data(), damaged.size()));
    // A colour table that would run past the end of the file.
    auto file = MakeFile(2, 1, 8, BI_RGB, {{0, 0, 0, 0}}, {0, 0, 0, 0});
    const DWORD manyColours = 200;
    std::memcpy(&file[46], &manyColours, 4);
    EXPECT_FALSE(platform::ReadBmp(file.data(), file.size()));
    // Run-length data cut in the middle of a literal run.
    const std::vector<RGBQUAD> table = {{0, 0, 0, 0}, {0, 0, 255, 0}};
    const auto cut = MakeFile(4, 1, 8, BI_RLE8, table, {0, 4, 1, 1});
    EXPECT_FALSE(platform::ReadBmp(cut.data(), cut.size()));
    // Run-length compression is only allowed bottom-up.
    auto topDown = MakeFile(4, 1, 8, BI_RLE8, table, {4, 1, 0, 1});
    const LONG negative = -1;
    std::memcpy(&topDown[22], &negative, 4);
    EXPECT_FALSE(platform::ReadBmp(topDown.data(), topDown.size()));
}

TEST(BmpFiles, LoadImageReadsFilesAsDeviceBitmapsOrDibSections) {
    const std::string path = std::string(QUILLMERE_BIN_DIR) + "/gdi-load-image.bmp";
    ASSERT_TRUE(platform::WriteBmpFile(*SamplePicture(), 8, path));
    auto* loaded =
        static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(loaded, nullptr);
    BITMAP info{};
    GetObjectA(loaded, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 7);
    EXPECT_EQ(info.bmBitsPixel, 32);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, loaded);
    EXPECT_EQ(GetPixel(dc, 2, 0), RGB(255, 0, 0));
    SelectObject(dc, old);
    DeleteObject(loaded);

    auto* section = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 14, 6, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(section, nullptr);
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectA(section, sizeof dib, &dib), int(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, 14);
    EXPECT_EQ(dib.dsBmih.biBitCount, 8);
    old = SelectObject(dc, section);
    EXPECT_EQ(GetPixel(dc, 5, 1), RGB(255, 0, 0));
    SelectObject(dc, old);
    DeleteObject(section);
    DeleteDC(dc);

    std::ofstream(path, std::ios::binary) << "BM not really";
    EXPECT_EQ(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    EXPECT_EQ(LoadImageA(nullptr, "/nonexistent/x.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    std::remove(path.c_str());
}

TEST(BuiltinBitmaps, SystemAndProgramBitmapsLoadByName) {
    HBITMAP check = LoadBitmapA(nullptr, MAKEINTRESOURCEA(OBM_CHECK));
    ASSERT_NE(check, nullptr);
    BITMAP info{};
    GetObjectA(check, sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(info.bmWidth, 13);
    DeleteObject(check);

    // The program's own resources need its instance; any non-null instance names the program.
    const auto program = reinterpret_cast<HINSTANCE>(0x400000);
    const struct {
        const char* name;
        int width, height, bits;
    } expected[] = {
        {"TRACK", 16, 4, 32}, {"TRACKVERT", 4, 16, 32}, {"TRELLISMENU", 64, 16, 1}, {"track", 16, 4, 32}};
    for (const auto& e : expected) {
        HBITMAP bitmap = LoadBitmapA(program, e.name);
        ASSERT_NE(bitmap, nullptr) << e.name;
        GetObjectA(bitmap, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, e.width) << e.name;
        EXPECT_EQ(info.bmHeight, e.height) << e.name;
        EXPECT_EQ(info.bmBitsPixel, e.bits) << e.name;
        DeleteObject(bitmap);
    }
    EXPECT_EQ(LoadBitmapA(program, "NOSUCH"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
    EXPECT_EQ(LoadBitmapA(nullptr, "TRACK"), nullptr);
    EXPECT_EQ(LoadBitmapA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
}

TEST(CopyImage, ScalesConvertsAndKeepsTheOriginalUnlessAsked) {
    gdi_test::Canvas source(4, 2, RGB(255, 0, 255));
    source.Set(0, 0, RGB(0, 0, 0));
    auto* scaled = static_cast<HBITMAP>(CopyImage(source.Bitmap(), IMAGE_BITMAP, 8, 4, 0));
    ASSERT_NE(scaled, nullptr);
    BITMAP info{};
    GetObjectA(scaled, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 8);
    EXPECT_EQ(info.bmBitsPixel, 32);
    auto* mono =
        static_cast<HBITMAP>(CopyImage(scaled, IMAGE_BITMAP, 0, 0, LR_MONOCHROME | LR_COPYDELETEORG));
    ASSERT_NE(mono, nullptr);
    EXPECT_EQ(GetObjectType(scaled), 0u);
    GetObjectA(mono, sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(CopyImage(mono, IMAGE_BITMAP, 0, 0, LR_COPYRETURNORG), mono);
    DeleteObject(mono);
}

} // namespace
