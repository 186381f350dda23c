// The bar of a combo box's drop-down list: painted with the skin straight over the system's bar,
// its thumb dragged by the skin's own loop, which waits for the user's moves (the headless
// display's clock only moves while a loop waits), and arrows left to the system.

#include "ControlSkinFixture.h"

#include "framework/stdctrls/ComboBoxes.h"
#include "platform/base/MulDiv.h"
#include "platform/controls/combobox/ComboBox.h"
#include "platform/controls/listbox/ListBox.h"
#include "platform/user/ScrollBar.h"
#include "skin/controls/ComboxScrollBar.h"
#include "skin/controls/ScrollBarPicture.h"

#include <deque>
#include <functional>

namespace {

class ComboxScrollBarTest : public ControlSkinTest {
protected:
    void SetUp() override {
        ControlSkinTest::SetUp();
        form = NewForm();
        combo = Add<TComboBox>(form, 10, 10, 150, 24);
        combo->SetStyle(csDropDownList);
        combo->SetDropDownCount(8);
        for (int i = 0; i < 60; ++i)
            combo->Items()->Add("item " + std::to_string(i));
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
        list = info.hwndList;
        skin = new TComboxScrollBar(skinForm->BareWindowSkinOwner());
        skin->InitSkinByHandle(list, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
        combo->SetDroppedDown(true);
        Pump();
    }
    void TearDown() override {
        platform::headless::SetIdleHandler(nullptr);
        ControlSkinTest::TearDown();
    }
    SCROLLBARINFO Bar() const {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        EXPECT_TRUE(GetScrollBarInfo(list, OBJID_VSCROLL, &info));
        return info;
    }
    int TopIndex() const { return static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0)); }
    static void Script(std::vector<std::function<void()>> steps) {
        auto queue = std::make_shared<std::deque<std::function<void()>>>(steps.begin(), steps.end());
        platform::headless::SetIdleHandler([queue] {
            if (queue->empty())
                return false;
            auto step = std::move(queue->front());
            queue->pop_front();
            step();
            return true;
        });
    }

    TForm* form = nullptr;
    TComboBox* combo = nullptr;
    HWND list = nullptr;
    TComboxScrollBar* skin = nullptr;
};

TEST_F(ComboxScrollBarTest, ListsBarIsPaintedWithTheSkinInItsNormalFrames) {
    ASSERT_TRUE(IsWindowVisible(list));
    const SCROLLBARINFO info = Bar();
    RECT window{};
    GetWindowRect(list, &window);
    TScrollBarPicture picture;
    picture.bar = info.rcScrollBar;
    OffsetRect(&picture.bar, -window.left, -window.top);
    picture.arrow = GetSystemMetrics(SM_CXHSCROLL);
    picture.thumbStart = info.xyThumbTop;
    picture.thumbEnd = info.xyThumbBottom;
    picture.skinThickness = true;
    const SIZE size{window.right - window.left, window.bottom - window.top};
    auto expected = Picture(size.cx, size.cy, [&](HDC dc) { PaintScrollBar(dc, Skin(), picture, size); });
    const int x = picture.bar.left + 8;
    for (int y : {picture.bar.top + 3, picture.bar.top + info.xyThumbTop + 2, picture.bar.bottom - 3})
        EXPECT_EQ(Pixel(list, x, y), PictureAt(*expected, x, y)) << "row " << y;
}

TEST_F(ComboxScrollBarTest, ThumbDragFollowsThePointerInTheSkinsOwnWaitingLoop) {
    const SCROLLBARINFO info = Bar();
    const POINT grab{info.rcScrollBar.left + 8, info.rcScrollBar.top + info.xyThumbTop + 2};
    int topWhileDragging = -1;
    Script({[&] { platform::headless::MoveMouse(grab.x, grab.y + 30); },
            [&] {
                topWhileDragging = TopIndex();
                platform::headless::MoveMouse(grab.x, grab.y + 60);
            },
            [&] { platform::headless::ReleaseButton(grab.x, grab.y + 60); }});
    platform::headless::PressButton(grab.x, grab.y);
    Pump();
    // 60 items, a page of 8: the formula of the drag with the thumb taken 60 pixels down.
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    const int track = (info.rcScrollBar.bottom - info.rcScrollBar.top) - 2 * arrow;
    const int thumb = info.xyThumbBottom - info.xyThumbTop;
    SCROLLINFO range{sizeof range, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(list, SB_VERT, &range);
    const int n = std::min(info.xyThumbTop - arrow + 60, track - thumb + 1);
    const int expected =
        std::min(MulDiv(n, range.nMax - range.nMin - static_cast<int>(range.nPage), track - thumb),
                 range.nMax - static_cast<int>(range.nPage) + 1);
    EXPECT_GT(topWhileDragging, 0) << "the list moved during the drag";
    EXPECT_EQ(TopIndex(), std::min(expected, range.nMax - static_cast<int>(range.nPage) + 1));
    EXPECT_TRUE(combo->DroppedDown()) << "the list stays open after the drag";
}

TEST_F(ComboxScrollBarTest, ArrowsAreLeftToTheSystem) {
    const SCROLLBARINFO info = Bar();
    const POINT arrow{info.rcScrollBar.left + 8, info.rcScrollBar.bottom - 4};
    controlskins::TReleaseInTrackingLoop release(arrow);
    platform::headless::PressButton(arrow.x, arrow.y);
    Pump();
    EXPECT_TRUE(release.Released()) << "the system's loop tracked the arrow";
    EXPECT_GE(TopIndex(), 1);
    EXPECT_LE(TopIndex(), 2);
}

} // namespace
