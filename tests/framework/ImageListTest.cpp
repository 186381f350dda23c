// Image lists: images cut from a bitmap, masks by colour, drawing onto a canvas, change
// notification to the controls that show them.

#include "framework/comctrls/ImageList.h"
#include "framework/classes/TypInfo.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/display/Headless.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A strip of 16 x 16 images, each filled with its colour, with a magenta centre.
std::unique_ptr<TBitmap> Strip(std::initializer_list<TColor> colors) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(16 * static_cast<int>(colors.size()), 16);
    int left = 0;
    for (TColor color : colors) {
        bitmap->Canvas()->Brush()->SetColor(color);
        bitmap->Canvas()->FillRect(Bounds(left, 0, 16, 16));
        bitmap->Canvas()->Brush()->SetColor(clFuchsia);
        bitmap->Canvas()->FillRect(Bounds(left + 4, 4, 8, 8));
        left += 16;
    }
    return bitmap;
}

class ImageLists : public ::testing::Test {
protected:
    void SetUp() override { platform::headless::Use(); }
};

} // namespace

TEST_F(ImageLists, ABitmapIsCutIntoImagesOfTheListsWidth) {
    TImageList list(nullptr);
    EXPECT_EQ(list.Count(), 0);
    auto strip = Strip({clRed, clLime, clBlue});
    EXPECT_EQ(list.Add(strip.get(), nullptr), 0);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.AddMasked(strip.get(), clFuchsia), 3);
    EXPECT_EQ(list.Count(), 6);
    EXPECT_EQ(ImageList_GetImageCount(list.Handle()), 6);
    TBitmap empty;
    EXPECT_EQ(list.Add(&empty, nullptr), -1);
    EXPECT_EQ(list.Add(nullptr, nullptr), -1);

    list.Delete(0);
    EXPECT_EQ(list.Count(), 5);
    list.Delete(9);
    EXPECT_EQ(list.Count(), 5);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(ImageLists, DrawingLeavesTheMaskedColourTransparent) {
    TImageList list(nullptr);
    auto strip = Strip({clRed, clBlue});
    list.AddMasked(strip.get(), clFuchsia);
    TBitmap target;
    target.SetPixelFormat(pf24bit);
    target.SetSize(40, 20);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(Rect(0, 0, 40, 20));
    list.Draw(target.Canvas(), 0, 0, 0);
    list.Draw(target.Canvas(), 20, 0, 1);
    list.Draw(target.Canvas(), 20, 0, 7); // no such image: nothing
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(target.Canvas()->Pixels(8, 8), clWhite);
    EXPECT_EQ(target.Canvas()->Pixels(21, 1), clBlue);
    EXPECT_EQ(target.Canvas()->Pixels(28, 8), clWhite);
}

TEST_F(ImageLists, ChangesReachRegisteredLinksUntilEitherSideGoes) {
    auto list = std::make_unique<TImageList>(nullptr);
    int changes = 0;
    TChangeLink link;
    link.OnChange = [&](TObject*) { ++changes; };
    list->RegisterChanges(&link);
    EXPECT_EQ(link.Sender(), list.get());
    auto strip = Strip({clRed});
    list->AddMasked(strip.get(), clFuchsia);
    EXPECT_EQ(changes, 1);

    // A new size is a new, empty list.
    list->SetWidth(8);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(list->Count(), 0);
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(list->Handle(), &width, &height);
    EXPECT_EQ(width, 8);
    EXPECT_TRUE(SetPropValue(list.get(), "Height", "24"));
    EXPECT_EQ(GetOrdProp(list.get(), "Height"), 24);
    EXPECT_EQ(changes, 3);

    {
        TChangeLink shortLived;
        list->RegisterChanges(&shortLived);
    }
    list->AddMasked(strip.get(), clFuchsia); // the destroyed link is not called
    EXPECT_EQ(changes, 4);
    list.reset();
    EXPECT_EQ(link.Sender(), nullptr);
}
