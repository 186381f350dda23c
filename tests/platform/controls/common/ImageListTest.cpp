// Image lists: strips cut into images, masks from a mask bitmap, a key colour or an icon, and
// every drawing style read back pixel by pixel; handles that were destroyed or never made fail.

#include "platform/gdi/GdiTestSupport.h"

#include "platform/controls/common/CommCtrl.h"
#include "platform/gdi/WinUserDraw.h"

#include <gtest/gtest.h>

namespace {

using gdi_test::Canvas;

constexpr COLORREF Magenta = RGB(255, 0, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Grey = RGB(128, 128, 128);

// A strip of three 4 x 4 images: red, green and blue, each with a magenta top-left pixel.
class Strip {
public:
    Strip() : m_canvas(12, 4, Red) {
        for (int y = 0; y < 4; ++y) {
            for (int x = 4; x < 8; ++x)
                m_canvas.Set(x, y, RGB(0, 255, 0));
            for (int x = 8; x < 12; ++x)
                m_canvas.Set(x, y, Blue);
        }
        for (int n = 0; n < 3; ++n)
            m_canvas.Set(n * 4, 0, Magenta);
    }
    HBITMAP Bitmap() const { return m_canvas.Bitmap(); }

private:
    Canvas m_canvas;
};

TEST(ImageLists, StripsAreCutIntoImagesAndRemovedOneByOneOrAll) {
    HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR24 | ILC_MASK, 4, 4);
    ASSERT_NE(list, nullptr);
    Strip strip;
    EXPECT_EQ(ImageList_Add(list, strip.Bitmap(), nullptr), 0);
    EXPECT_EQ(ImageList_Add(list, strip.Bitmap(), nullptr), 3) << "the index of the first new image";
    EXPECT_EQ(ImageList_GetImageCount(list), 6);
    int cx = 0;
    int cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(cx, 4);
    EXPECT_EQ(cy, 4);

    EXPECT_TRUE(ImageList_Remove(list, 0));
    EXPECT_EQ(ImageList_GetImageCount(list), 5);
    Canvas canvas(4, 4, Grey);
    EXPECT_TRUE(ImageList_Draw(list, 0, canvas.Dc(), 0, 0, ILD_NORMAL));
    EXPECT_EQ(canvas.At(2, 2), RGB(0, 255, 0)) << "the green image moved to the front";
    EXPECT_FALSE(ImageList_Remove(list, 5));
    EXPECT_FALSE(ImageList_Draw(list, 5, canvas.Dc(), 0, 0, ILD_NORMAL));
    EXPECT_TRUE(ImageList_RemoveAll(list));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    EXPECT_EQ(ImageList_Add(list, nullptr, nullptr), -1);
    EXPECT_TRUE(ImageList_Destroy(list));

    // A destroyed or made-up handle fails every call.
    EXPECT_FALSE(ImageList_Destroy(list));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    EXPECT_EQ(ImageList_Add(list, strip.Bitmap(), nullptr), -1);
    EXPECT_FALSE(ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(0x1234), &cx, &cy));
    EXPECT_EQ(ImageList_Create(0, 4, ILC_COLOR24, 1, 1), nullptr);
}

TEST(ImageLists, DrawingStyles) {
    HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR24 | ILC_MASK, 1, 1);
    Strip strip;
    EXPECT_EQ(ImageList_AddMasked(list, strip.Bitmap(), Magenta), 0);

    Canvas canvas(8, 4, Grey);
    EXPECT_EQ(ImageList_GetBkColor(list), CLR_NONE);
    ImageList_Draw(list, 0, canvas.Dc(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(canvas.At(0, 0), Grey) << "without a background colour the mask keeps the destination";
    EXPECT_EQ(canvas.At(1, 1), Red);

    EXPECT_EQ(ImageList_SetBkColor(list, Blue), CLR_NONE);
    ImageList_Draw(list, 0, canvas.Dc(), 0, 0, ILD_NORMAL);
    EXPECT_EQ(canvas.At(0, 0), Blue) << "ILD_NORMAL fills masked pixels with the background";
    canvas.Fill(Grey);
    ImageList_Draw(list, 0, canvas.Dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.At(0, 0), Grey);

    ImageList_Draw(list, 0, canvas.Dc(), 4, 0, ILD_MASK);
    EXPECT_EQ(canvas.At(4, 0), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(5, 1), RGB(0, 0, 0));

    ImageList_DrawEx(list, 0, canvas.Dc(), 0, 0, 0, 0, CLR_NONE, Blue, ILD_BLEND50);
    EXPECT_EQ(canvas.At(1, 1), RGB(127, 0, 127)) << "half red, half blue";
    ImageList_DrawEx(list, 0, canvas.Dc(), 0, 0, 0, 0, CLR_NONE, Blue, ILD_BLEND25);
    EXPECT_EQ(canvas.At(1, 1), RGB(191, 0, 63));

    // Part of an image: 2 x 2 pixels of it.
    canvas.Fill(Grey);
    ImageList_DrawEx(list, 0, canvas.Dc(), 0, 0, 2, 2, CLR_NONE, CLR_DEFAULT, ILD_NORMAL);
    EXPECT_EQ(canvas.At(1, 1), Red);
    EXPECT_EQ(canvas.At(2, 2), Grey);

    // The disabled look: grey levels of the image.
    IMAGELISTDRAWPARAMS params{};
    params.cbSize = sizeof params;
    params.himl = list;
    params.i = 0;
    params.hdcDst = canvas.Dc();
    params.rgbBk = CLR_NONE;
    params.rgbFg = CLR_DEFAULT;
    params.fState = ILS_SATURATE;
    EXPECT_TRUE(ImageList_DrawIndirect(&params));
    EXPECT_EQ(canvas.At(1, 1), RGB(76, 76, 76));
    ImageList_Destroy(list);
}

TEST(ImageLists, ListsWithoutMasksDrawEveryPixel) {
    HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR24, 1, 1);
    Strip strip;
    ImageList_AddMasked(list, strip.Bitmap(), Magenta);
    Canvas canvas(4, 4, Grey);
    ImageList_Draw(list, 0, canvas.Dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.At(0, 0), Magenta);
    ImageList_Destroy(list);
}

TEST(ImageLists, IconsBringTheirMasks) {
    HIMAGELIST list = ImageList_Create(2, 1, ILC_COLOR24 | ILC_MASK, 1, 1);
    HBITMAP mask = CreateBitmap(2, 1, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mask);
    SetPixel(dc, 0, 0, RGB(255, 255, 255));
    SelectObject(dc, old);
    DeleteDC(dc);
    Canvas colour(2, 1, RGB(0, 0, 0));
    colour.Set(1, 0, Red);
    ICONINFO info{TRUE, 0, 0, mask, colour.Bitmap()};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);

    EXPECT_EQ(ImageList_AddIcon(list, icon), 0);
    EXPECT_EQ(ImageList_AddIcon(list, icon), 1);
    EXPECT_EQ(ImageList_ReplaceIcon(list, 0, icon), 0);
    EXPECT_EQ(ImageList_ReplaceIcon(list, 2, icon), -1);
    Canvas canvas(2, 1, Blue);
    ImageList_Draw(list, 1, canvas.Dc(), 0, 0, ILD_TRANSPARENT);
    EXPECT_EQ(canvas.At(0, 0), Blue);
    EXPECT_EQ(canvas.At(1, 0), Red);
    DestroyIcon(icon);
    ImageList_Destroy(list);
}

} // namespace
