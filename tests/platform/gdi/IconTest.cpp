#include "GdiTestSupport.h"

#include "platform/gdi/WinUserDraw.h"

#include <gtest/gtest.h>

namespace {

using gdi_test::Canvas;

// A 2 x 1 icon: the left pixel is transparent (mask 1, image black), the right one red.
HICON MakeIcon() {
    HBITMAP mask = CreateBitmap(2, 1, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mask);
    SetPixel(dc, 0, 0, RGB(255, 255, 255));
    SelectObject(dc, old);
    Canvas colour(2, 1, RGB(0, 0, 0));
    colour.Set(1, 0, RGB(255, 0, 0));
    ICONINFO info{TRUE, 0, 0, mask, colour.Bitmap()};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteDC(dc);
    return icon;
}

TEST(Icons, MaskKeepsTheBackgroundAndImageDrawsTheRest) {
    HICON icon = MakeIcon();
    ASSERT_NE(icon, nullptr);
    Canvas canvas(4, 2, RGB(0, 0, 200));
    ASSERT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(canvas.At(0, 0), RGB(0, 0, 200));
    EXPECT_EQ(canvas.At(1, 0), RGB(255, 0, 0));
    // Stretched to 4 x 2, with a brush behind it.
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    ASSERT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, icon, 4, 2, 0, green, DI_NORMAL));
    EXPECT_EQ(canvas.At(1, 1), RGB(0, 255, 0));
    EXPECT_EQ(canvas.At(3, 1), RGB(255, 0, 0));
    DeleteObject(green);

    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_TRUE(info.fIcon);
    BITMAP bitmap{};
    GetObjectA(info.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmBitsPixel, 1);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);

    HICON scaled = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, 16, 16, LR_COPYFROMRESOURCE));
    ASSERT_NE(scaled, nullptr);
    Canvas big(16, 16, RGB(0, 0, 200));
    DrawIconEx(big.Dc(), 0, 0, scaled, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(big.Count(RGB(255, 0, 0)), 128);
    EXPECT_TRUE(DestroyIcon(scaled));
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_FALSE(DrawIconEx(canvas.Dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
    // An icon handle is not an object DeleteObject deletes.
    HICON another = MakeIcon();
    EXPECT_FALSE(DeleteObject(another));
    DestroyIcon(another);
}

TEST(Icons, AlphaChannelBlendsOverTheBackground) {
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = 1;
    header.bmiHeader.biHeight = 1;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP colour = CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
    *static_cast<std::uint32_t*>(bits) = 0x80FF0000; // red at half opacity
    HBITMAP mask = CreateBitmap(1, 1, 1, 1, nullptr);
    ICONINFO info{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&info);
    Canvas canvas(1, 1, RGB(0, 0, 255));
    ASSERT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(canvas.At(0, 0), RGB(128, 0, 127));
    DestroyIcon(icon);
    DeleteObject(mask);
    DeleteObject(colour);
}

} // namespace
