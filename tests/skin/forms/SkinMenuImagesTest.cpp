// The menus' composed pictures: the item frames drawn with the skin's transparent pixels left
// out, for frames whose magenta pixels lie in several runs of a row and in rows of different
// shapes, and composed again when the record they were made from changes.

#include "tests/skin/forms/SkinEngineFixture.h"

#include "framework/graphics/Canvas.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/data/SkinElements.h"
#include "skin/forms/SkinMenuImages.h"

#include <memory>

namespace {

constexpr int FrameSize = 12;
constexpr COLORREF Key = RGB(255, 0, 255);
constexpr COLORREF Under = RGB(0, 128, 0);

// Every frame of the item image: a gradient whose magenta pixels are the top corners (the left
// one square, the right one rounded, so two rows start alike and end apart), two holes in the
// middle rows and the whole bottom row.
bool IsKeyPixel(int x, int y) {
    const bool corner = y < 2 && (x < 2 || x >= FrameSize - 2 + y);
    const bool holes = (y == 5 || y == 6) && (x == 3 || x == 8);
    return corner || holes || y == FrameSize - 1;
}

COLORREF FramePixel(int x, int y) {
    return IsKeyPixel(x, y) ? Key : RGB(10 * x, 200 - 10 * y, 77);
}

class SkinMenuImagesTest : public SkinEngineTest {
protected:
    void SetUp() override {
        SkinEngineTest::SetUp();
        data = NewSkinData();
        record = std::make_unique<TDataSkinObject>("MenuItem");
        record->Image->SetPixelFormat(pf24bit);
        record->Image->SetSize(5 * FrameSize, FrameSize);
        for (int frame = 0; frame < 5; ++frame)
            for (int y = 0; y < FrameSize; ++y)
                for (int x = 0; x < FrameSize; ++x)
                    record->Image->Canvas()->SetPixels(frame * FrameSize + x, y,
                                                       static_cast<TColor>(FramePixel(x, y)));
        record->Trans = 1;
        std::swap(data->Elements().MenuItem, record);
        target.SetPixelFormat(pfDevice);
        target.SetSize(FrameSize, FrameSize);
    }
    void TearDown() override {
        std::swap(data->Elements().MenuItem, record);
        SkinEngineTest::TearDown();
    }

    // Draws the normal frame over the colour underneath and counts the pixels that differ from
    // the frame with its magenta pixels showing what lay under them.
    int WrongPixels(bool keyShowsThrough) {
        HDC dc = target.Canvas()->Handle();
        const RECT all{0, 0, FrameSize, FrameSize};
        HBRUSH brush = CreateSolidBrush(Under);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        data->MenuImages().DrawItemPart(dc, all, TMenuItemPart::Normal);
        int wrong = 0;
        for (int y = 0; y < FrameSize; ++y)
            for (int x = 0; x < FrameSize; ++x) {
                const COLORREF expected = IsKeyPixel(x, y) && keyShowsThrough ? Under : FramePixel(x, y);
                wrong += GetPixel(dc, x, y) != expected;
            }
        return wrong;
    }

    TSkinData* data = nullptr;
    std::unique_ptr<TDataSkinObject> record;
    TBitmap target;
};

TEST_F(SkinMenuImagesTest, ATransparentFrameLeavesEveryMagentaPixelOutAndDrawsAllOthers) {
    EXPECT_EQ(WrongPixels(true), 0);
    EXPECT_FALSE(data->MenuImages().ItemPartIsOpaque(FrameSize, FrameSize, TMenuItemPart::Normal));
    EXPECT_EQ(WrongPixels(true), 0) << "drawn again from the kept composition";
}

TEST_F(SkinMenuImagesTest, AFrameIsComposedAgainWhenItsRecordChanges) {
    EXPECT_EQ(WrongPixels(true), 0);
    data->Elements().MenuItem->Trans = 0;
    EXPECT_EQ(WrongPixels(false), 0) << "an opaque frame shows its magenta pixels";
    EXPECT_TRUE(data->MenuImages().ItemPartIsOpaque(FrameSize, FrameSize, TMenuItemPart::Normal));
}

TEST_F(SkinMenuImagesTest, WithoutAnItemImageNothingIsDrawn) {
    data->Elements().MenuItem->Image->SetSize(0, 0);
    HDC dc = target.Canvas()->Handle();
    const RECT all{0, 0, FrameSize, FrameSize};
    EXPECT_FALSE(data->MenuImages().DrawItemPart(dc, all, TMenuItemPart::Normal));
    EXPECT_FALSE(data->MenuImages().ItemPartIsOpaque(FrameSize, FrameSize, TMenuItemPart::Normal));
}

} // namespace
