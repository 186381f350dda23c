// The skinned page control: tab faces from the skin's tab image, the focused one selected, on
// top, flipped at the bottom and turned at the left and right; the pane around the pages; close
// boxes that ask the form and free the page only when it agrees; the scroller of overflowing
// tabs skinned and kept on top.

#include "ControlSkinFixture.h"

#include "framework/comctrls/PageControl.h"
#include "framework/comctrls/TabControl.h"
#include "framework/comctrls/UpDown.h"
#include "framework/extctrls/TabSet.h"
#include "platform/controls/common/CommCtrl.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinTabs.h"
#include "skin/data/ImgUtilBitmaps.h"
#include "skin/forms/SkinMessages.h"

namespace {

LRESULT g_closeAnswer = 0;
std::vector<LPARAM> g_closeQueries;
WNDPROC g_staticProcedure = nullptr;

// The form's window as the close boxes see it: it answers the close query with g_closeAnswer.
LRESULT CALLBACK AnswerCloseQuery(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == SM_TABCLOSEQUERY) {
        g_closeQueries.push_back(lParam);
        return g_closeAnswer;
    }
    return CallWindowProcW(g_staticProcedure, window, message, wParam, lParam);
}

class SkinTabsTest : public ControlSkinTest {
protected:
    void TearDown() override {
        g_closeQueries.clear();
        g_closeAnswer = 0;
        ControlSkinTest::TearDown();
    }
    TPageControl* NewPages(TForm* form, TTabPosition side, int pages = 3, int width = 260) {
        auto* control = Add<TPageControl>(form, 10, 10, width, 160);
        control->SetTabPosition(side);
        for (int i = 0; i < pages; ++i) {
            auto* sheet = new TTabSheet(form);
            sheet->SetPageControl(control);
            sheet->SetCaption("页" + std::to_string(i));
        }
        control->SetActivePageIndex(1);
        return control;
    }
    static RECT TabRect(TWinControl* tabs, int index) {
        RECT r{};
        SendMessageW(tabs->Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // The tab image's frame over a face of the size, from the image as given or flipped.
    std::unique_ptr<TBitmap> Face(int frame, int width, int height, bool flipped, TColor background) const {
        const TDataSkinBorder& tabs = *Skin().Tabs;
        TBitmap image;
        image.Assign(tabs.Image.get());
        image.SetPixelFormat(pf24bit);
        if (flipped)
            FlipBitmap(image);
        return Picture(width, height, [&](HDC dc) {
            FillColor(dc, RECT{0, 0, width, height}, background);
            TSkinFrameStyle style;
            style.margins = {tabs.LeftWidth, tabs.TopHeight, tabs.RightWidth, tabs.BottomHeight};
            style.tileCentre = tabs.Tile == 1;
            style.transparent = tabs.Trans != 0;
            DrawSkinFrame(dc, RECT{0, 0, width, height}, image, frame, tabs.FrameCount, false, style);
        });
    }
    // Pixels of the face (window coordinates) that differ from the picture.
    static int Differences(TPageControl* pages, const RECT& face, TBitmap& expected) {
        int differing = 0;
        for (int y = 0; y < expected.Height(); ++y)
            for (int x = 0; x < expected.Width(); ++x)
                differing += Pixel(pages, face.left + x, face.top + y) == PictureAt(expected, x, y) ? 0 : 1;
        return differing;
    }
};

TEST_F(SkinTabsTest, TopTabsWearTheTabFramesAndTheFocusedOneIsSelected) {
    TForm* form = NewForm(320, 220);
    TPageControl* pages = NewPages(form, tpTop);
    auto* skin = SkinOf<TSkinTab>(pages);
    EXPECT_EQ(skin->Side(), tsTop);
    ASSERT_TRUE(Skin().Tabs && !Skin().Tabs->Image->Empty());
    for (int i = 0; i < 3; ++i) {
        RECT face = TabRect(pages, i);
        OffsetRect(&face, 0, 1);
        // The faces' lower part, where no caption is written.
        auto expected =
            Face(i == 1 ? 2 : 1, face.right - face.left, face.bottom - face.top, false, form->Color());
        int differing = 0;
        for (int x = 0; x < expected->Width(); ++x)
            differing += Pixel(pages, face.left + x, face.top + 1) == PictureAt(*expected, x, 1) ? 0 : 1;
        EXPECT_EQ(differing, 0) << "tab " << i;
    }
    RECT first = TabRect(pages, 0);
    RECT second = TabRect(pages, 1);
    EXPECT_NE(Pixel(pages, (first.left + first.right) / 2, first.top + 1),
              Pixel(pages, (second.left + second.right) / 2, second.top + 1))
        << "the focused tab differs";
}

TEST_F(SkinTabsTest, BottomTabsAreTheFlippedFaces) {
    TForm* form = NewForm(320, 220);
    TPageControl* pages = NewPages(form, tpBottom);
    auto* skin = SkinOf<TSkinTab>(pages);
    EXPECT_EQ(skin->Side(), tsBottom);
    RECT face = TabRect(pages, 0);
    OffsetRect(&face, 0, -1);
    auto expected = Face(1, face.right - face.left, face.bottom - face.top, true, form->Color());
    int differing = 0;
    for (int x = 0; x < expected->Width(); ++x)
        differing +=
            Pixel(pages, face.left + x, face.bottom - 2) == PictureAt(*expected, x, expected->Height() - 2)
                ? 0
                : 1;
    EXPECT_EQ(differing, 0) << "the flipped face's outer edge is at the bottom";
}

TEST_F(SkinTabsTest, SideTabsAreTurnedWithTheSelectedEdgeOutward) {
    TForm* form = NewForm(320, 220);
    // The selected face's outer edge colour: its first row in the middle.
    TPageControl* probe = NewPages(form, tpTop);
    const RECT top = TabRect(probe, 1);
    auto selected = Face(2, top.right - top.left, top.bottom - top.top, false, form->Color());
    const COLORREF outer = PictureAt(*selected, selected->Width() / 2, 0);
    delete probe;

    for (TTabPosition side : {tpLeft, tpRight}) {
        TPageControl* pages = NewPages(form, side);
        auto* skin = SkinOf<TSkinTab>(pages);
        EXPECT_EQ(skin->Side(), side == tpLeft ? tsLeft : tsRight);
        const RECT tab = TabRect(pages, 1);
        const int y = (tab.top + tab.bottom) / 2;
        bool found = false;
        const int from = side == tpLeft ? tab.left - 1 : tab.right - 3;
        for (int x = from; x < from + 4 && !found; ++x)
            found = Pixel(pages, x, y) == outer;
        EXPECT_TRUE(found) << (side == tpLeft ? "left" : "right") << ": the selected edge on the outside";
        delete pages;
    }
}

TEST_F(SkinTabsTest, ThePaneFramesThePages) {
    TForm* form = NewForm(320, 220);
    TPageControl* pages = NewPages(form, tpTop);
    SkinOf<TSkinTab>(pages);
    const TDataSkinObject& pane = *Skin().TabPane;
    ASSERT_FALSE(pane.Image->Empty());
    RECT display{0, 0, pages->Width(), pages->Height()};
    SendMessageW(pages->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    InflateRect(&display, 4, 4);
    display.top += 1;
    auto expected =
        ElementFrame(pane, 1, 1, display.right - display.left, display.bottom - display.top, form->Color());
    EXPECT_EQ(Pixel(pages, display.left, display.bottom - 1),
              PictureAt(*expected, 0, expected->Height() - 1));
    EXPECT_EQ(Pixel(pages, display.right - 1, display.top + 20),
              PictureAt(*expected, expected->Width() - 1, 20));
}

TEST_F(SkinTabsTest, CloseBoxesAskTheFormAndThePageGoesOnlyWhenItAgrees) {
    TForm* form = NewForm(320, 220);
    HWND formWindow =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    g_staticProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(formWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AnswerCloseQuery)));
    skinForm->window = formWindow;
    TPageControl* pages = NewPages(form, tpTop);
    pages->SetTag(CloseBoxTag);
    auto* skin = SkinOf<TSkinTab>(pages);
    ASSERT_TRUE(skin->CloseBoxes());
    ASSERT_EQ(skin->CloseBoxRects().size(), 3u);

    auto clickBox = [&](int index) {
        const RECT box = skin->CloseBoxRects()[static_cast<std::size_t>(index)];
        POINT at{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
        ClientToScreen(pages->Handle(), &at);
        platform::headless::Click(at.x, at.y);
        Pump();
    };
    g_closeAnswer = 1;
    clickBox(2);
    ASSERT_EQ(g_closeQueries.size(), 1u);
    EXPECT_EQ(g_closeQueries[0], 2);
    EXPECT_EQ(pages->PageCount(), 3) << "the form said no";
    EXPECT_EQ(pages->ActivePageIndex(), 1) << "the press on the box does not select the tab";

    g_closeAnswer = 0;
    clickBox(0);
    EXPECT_EQ(pages->PageCount(), 2) << "the form agreed";
    EXPECT_EQ(pages->Pages(0)->Caption(), "页1");
    DestroyWindow(formWindow);
}

TEST_F(SkinTabsTest, OnlyATopPageControlTaggedForThemHasCloseBoxes) {
    TForm* form = NewForm(320, 220);
    TPageControl* untagged = NewPages(form, tpTop);
    EXPECT_FALSE(SkinOf<TSkinTab>(untagged)->CloseBoxes());
    TPageControl* bottom = NewPages(form, tpBottom);
    bottom->SetTag(CloseBoxTag);
    EXPECT_FALSE(SkinOf<TSkinTab>(bottom)->CloseBoxes());
}

TEST_F(SkinTabsTest, OverflowingTabsShowTheirScrollerSkinnedAndOnTop) {
    TForm* form = NewForm(320, 220);
    TPageControl* pages = NewPages(form, tpTop, 12, 200);
    auto* skin = SkinOf<TSkinTab>(pages);
    pages->Invalidate();
    Pump();
    HWND scroller = skin->ScrollerWindow();
    ASSERT_NE(scroller, nullptr);
    EXPECT_TRUE(IsWindowVisible(scroller));
    auto* scrollerSkin = dynamic_cast<TSkinUpDown*>(skinForm->FindSkinControlByWindow(scroller));
    ASSERT_NE(scrollerSkin, nullptr);
    const TDataSkinBorder& spin = *Skin().UpDownHorz;
    RECT place{};
    GetWindowRect(scroller, &place);
    const int half = (place.right - place.left) / 2;
    auto face = Picture(half, place.bottom - place.top, [&](HDC dc) {
        FillColor(dc, RECT{0, 0, half, place.bottom - place.top}, Skin().Colours[3]);
        TSkinFrameStyle style;
        style.margins = {spin.LeftWidth, spin.TopHeight, spin.RightWidth, spin.BottomHeight};
        style.transparent = true;
        DrawSkinFrame(dc, RECT{0, 0, half, place.bottom - place.top}, *spin.Image, 1, 8, false, style);
    });
    pages->Invalidate();
    Pump();
    EXPECT_EQ(Pixel(scroller, 0, 0), PictureAt(*face, 0, 0)) << "the skinned scroller, not the strip";
    EXPECT_EQ(Pixel(scroller, half / 2, 0), PictureAt(*face, half / 2, 0));
}

TEST_F(SkinTabsTest, ButtonStyleTabsWearTheSkinsButtonFaces) {
    TForm* form = NewForm(320, 220);
    auto* tabs = Add<TTabControl>(form, 10, 10, 260, 120);
    tabs->SetStyle(tsButtons);
    for (const char* title : {"一", "二", "三"})
        tabs->AddTab(title);
    tabs->SetTabIndex(1);
    SkinOf<TSkinTabBtn>(tabs);
    tabs->Invalidate();
    Pump();
    const TDataSkinButton& buttons = *Skin().Buttons;
    for (int i = 0; i < 3; ++i) {
        const RECT face = TabRect(tabs, i);
        const int w = face.right - face.left;
        const int h = face.bottom - face.top;
        auto expected = ElementFrame(buttons, i == 1 ? 2 : 1, 5, w, h, Skin().Colours[3]);
        EXPECT_EQ(Pixel(tabs, face.left, face.top), PictureAt(*expected, 0, 0)) << "tab " << i;
        EXPECT_EQ(Pixel(tabs, face.right - 1, face.bottom - 1), PictureAt(*expected, w - 1, h - 1))
            << "tab " << i;
    }
}

TEST_F(SkinTabsTest, ATabSheetIsPaintedInTheSkinsBackground) {
    TForm* form = NewForm(320, 220);
    TPageControl* pages = NewPages(form, tpTop);
    TTabSheet* sheet = pages->Pages(1);
    SkinOf<TSkinTabSheet>(sheet);
    sheet->Invalidate();
    Pump();
    EXPECT_EQ(Pixel(sheet, 20, 20), ColorToRGB(Skin().Colours[3]));
}

TEST_F(SkinTabsTest, ATabSetDrawsItsTabsUpsideDownUntilTheFirstThatDoesNotFit) {
    TForm* form = NewForm(320, 220);
    auto* tabSet = Add<TTabSet>(form, 10, 10, 200, 22);
    for (const char* title : {"连接", "数据库", "关于"})
        tabSet->Tabs()->Add(title);
    tabSet->SetTabIndex(0);
    auto* skin = SkinOf<TSkinTab31>(tabSet);
    tabSet->Invalidate();
    Pump();
    EXPECT_EQ(skin->DrawnTabs(), 3);
    // The selected tab's face, from the flipped image: its outer edge at the bottom.
    const TDataSkinBorder& tabs = *Skin().Tabs;
    TBitmap flipped;
    flipped.Assign(tabs.Image.get());
    flipped.SetPixelFormat(pf24bit);
    FlipBitmap(flipped);
    const RECT frame = SkinFrameRect(flipped.Width(), flipped.Height(), 2, tabs.FrameCount, false);
    const COLORREF outer = PictureAt(flipped, (frame.left + frame.right) / 2, flipped.Height() - 1);
    EXPECT_EQ(Pixel(tabSet, tabSet->StartMargin() + 10, 21), outer);

    for (int i = 0; i < 20; ++i)
        tabSet->Tabs()->Add("更多页面" + std::to_string(i));
    tabSet->Invalidate();
    Pump();
    EXPECT_GT(skin->DrawnTabs(), 3);
    EXPECT_LT(skin->DrawnTabs(), 23) << "drawing stops at the first tab that does not fit";
    ASSERT_NE(tabSet->Scroller(), nullptr);
    EXPECT_TRUE(tabSet->Scroller()->Visible());
    EXPECT_NE(skinForm->FindSkinControlByWindow(tabSet->Scroller()->Handle()), nullptr)
        << "the scroller skinned";
}

} // namespace
