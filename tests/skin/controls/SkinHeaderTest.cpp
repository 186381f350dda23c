// The skinned header: item faces from the skin's header image with the normal face after the
// last item, texts with their alignment, the item under the mouse hot until the mouse leaves,
// the header's own look kept by a skin without a header image, and a list view's header
// skinned with its list view.

#include "ControlSkinFixture.h"

#include "framework/comctrls/HeaderControl.h"
#include "framework/comctrls/ListView.h"
#include "framework/comctrls/ListViewItems.h"
#include "platform/controls/common/CommCtrl.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinScrollbars.h"

namespace {

class SkinHeaderTest : public ControlSkinTest {
protected:
    THeaderControl* NewHeader(TForm* form, int width = 300) {
        auto* header = Add<THeaderControl>(form, 10, 10, width, 24);
        const char* texts[] = {"左 left", "中 centre", "右 right"};
        const TAlignment alignments[] = {taLeftJustify, taCenter, taRightJustify};
        for (int i = 0; i < 3; ++i) {
            THeaderSection* section = header->Sections()->Add();
            section->SetText(texts[i]);
            section->SetWidth(80);
            section->SetAlignment(alignments[i]);
        }
        return header;
    }
    static RECT ItemRect(HWND header, int index) {
        RECT r{};
        SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    COLORREF FaceAt(int frame, int width, int height, int x, int y) const {
        const TDataSkinObject& bar = *Skin().Headerbar;
        return PictureAt(*ElementFrame(bar, frame, bar.FrameCount, width, height, Skin().Colours[3]), x, y);
    }
    // Whether the item shows the frame at its four corners.
    bool ShowsFrame(HWND header, const RECT& item, int frame) const {
        const int w = item.right - item.left;
        const int h = item.bottom - item.top;
        return Pixel(header, item.left, item.top) == FaceAt(frame, w, h, 0, 0) &&
               Pixel(header, item.right - 1, item.top) == FaceAt(frame, w, h, w - 1, 0) &&
               Pixel(header, item.left, item.bottom - 1) == FaceAt(frame, w, h, 0, h - 1) &&
               Pixel(header, item.right - 1, item.bottom - 1) == FaceAt(frame, w, h, w - 1, h - 1);
    }
    COLORREF TextColour() const {
        const TDataSkinObject& bar = *Skin().Headerbar;
        return ColorToRGB(bar.NormalColour != -1 ? static_cast<TColor>(bar.NormalColour)
                                                 : SkinnedSystemColour(Skin(), clBtnText));
    }
    int TextPixels(HWND header, int left, int right) const {
        int count = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = left; x < right; ++x)
                count += Pixel(header, x, y) == TextColour() ? 1 : 0;
        return count;
    }
};

TEST_F(SkinHeaderTest, ItemsAndTheRestOfTheBarWearTheNormalFaceWithAlignedTexts) {
    TForm* form = NewForm(360, 200);
    THeaderControl* control = NewHeader(form);
    SkinOf<TSkinHeader>(control);
    HWND header = control->Handle();
    ASSERT_TRUE(Skin().Headerbar && !Skin().Headerbar->Image->Empty());
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(ShowsFrame(header, ItemRect(header, i), 1)) << "item " << i;
    const RECT last = ItemRect(header, 2);
    const RECT rest{last.right, 0, 300, last.bottom};
    EXPECT_TRUE(ShowsFrame(header, rest, 1)) << "the filler after the last item";

    EXPECT_GT(TextPixels(header, 3, 40), 5) << "left text at the left";
    EXPECT_EQ(TextPixels(header, 45, 78), 0);
    EXPECT_GT(TextPixels(header, 100, 140), 5) << "centred text in the middle";
    EXPECT_EQ(TextPixels(header, 82, 92), 0);
    EXPECT_GT(TextPixels(header, 200, 238), 5) << "right text at the right";
    EXPECT_EQ(TextPixels(header, 162, 190), 0);
}

TEST_F(SkinHeaderTest, TheItemUnderTheMouseIsHotUntilTheMouseLeaves) {
    TForm* form = NewForm(360, 200);
    THeaderControl* control = NewHeader(form);
    auto* skin = SkinOf<TSkinHeader>(control);
    HWND header = control->Handle();
    POINT at{120, 12};
    ClientToScreen(header, &at);
    platform::headless::MoveMouse(at.x, at.y);
    Pump();
    EXPECT_EQ(skin->HotItem(), 1);
    EXPECT_TRUE(ShowsFrame(header, ItemRect(header, 1), 2)) << "hot";
    EXPECT_TRUE(ShowsFrame(header, ItemRect(header, 0), 1));

    POINT between{80, 12}; // on the divider: inside no item's narrowed rectangle
    ClientToScreen(header, &between);
    platform::headless::MoveMouse(between.x, between.y);
    Pump();
    EXPECT_EQ(skin->HotItem(), 1) << "the hot item stays while no other is entered";

    platform::headless::MoveMouse(5, 5);
    Pump();
    EXPECT_EQ(skin->HotItem(), -1);
    EXPECT_TRUE(ShowsFrame(header, ItemRect(header, 1), 1));
}

TEST_F(SkinHeaderTest, WithoutAHeaderImageTheHeaderDrawsItself) {
    skinData->Elements().Headerbar.reset();
    TForm* form = NewForm(360, 200);
    THeaderControl* control = NewHeader(form);
    SkinOf<TSkinHeader>(control);
    control->Invalidate();
    Pump();
    EXPECT_EQ(Pixel(control, 40, 12), GetSysColor(COLOR_3DFACE)) << "painted, not left blank";
    EXPECT_EQ(Pixel(control, 0, 0), GetSysColor(COLOR_3DHIGHLIGHT)) << "the raised edge";
}

TEST_F(SkinHeaderTest, AListViewsHeaderIsSkinnedWithItsListView) {
    TForm* form = NewForm(360, 200);
    auto* list = Add<TListView>(form, 10, 10, 300, 150);
    for (const char* title : {"名称", "路径"}) {
        TListColumn* column = list->Columns()->Add();
        column->SetCaption(title);
        column->SetWidth(100);
    }
    auto* skin = new TSkinListView(list);
    skin->InitScrollSkin(list, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
    Pump();
    HWND header = ListView_GetHeader(list->Handle());
    ASSERT_NE(header, nullptr);
    TSkinControl* headerSkin = skinForm->FindSkinControlByWindow(header);
    ASSERT_NE(headerSkin, nullptr);
    EXPECT_EQ(&headerSkin->ClassType(), &TSkinHeader::ClassInfo());
    InvalidateRect(header, nullptr, TRUE);
    Pump();
    EXPECT_TRUE(ShowsFrame(header, ItemRect(header, 0), 1));
    RECT bar{};
    GetClientRect(header, &bar);
    EXPECT_TRUE(ShowsFrame(header, RECT{ItemRect(header, 1).right, 0, bar.right, bar.bottom}, 1));
}

} // namespace
