// The skinned scroll bars under a real mouse, on a private Xvfb server: a memo and a string grid
// scrolled by dragging the skinned thumb and by holding the skinned arrow end where the same
// controls without a skin end under the same hand.

#include "ControlSkinXvfbFixture.h"

#include "framework/grid/StringGrid.h"
#include "framework/stdctrls/Memo.h"
#include "platform/controls/edit/Edit.h"
#include "platform/display/Display.h"
#include "platform/user/ScrollBar.h"
#include "skin/controls/SkinScrollbars.h"

#include <functional>

namespace {

// Set while a hold is running: the tracking loop's message filter lets go of the button once
// the held arrow has scrolled far enough.
std::function<void()> g_whileHeld;

LRESULT CALLBACK WatchTracking(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_SCROLLBAR && g_whileHeld)
        g_whileHeld();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class SkinnedScrollingOnXvfb : public ControlSkinXvfbTest {
protected:
    void TearDown() override {
        g_whileHeld = nullptr;
        ControlSkinXvfbTest::TearDown();
    }
    static SCROLLBARINFO Bar(TWinControl* control) {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        EXPECT_TRUE(GetScrollBarInfo(control->Handle(), OBJID_VSCROLL, &info));
        return info;
    }
    // Takes the thumb and drags it `distance` pixels down, in steps, then lets go.
    void DragThumb(TWinControl* control, int distance) {
        const SCROLLBARINFO info = Bar(control);
        const int x = info.rcScrollBar.left + 8;
        const int y = info.rcScrollBar.top + info.xyThumbTop + 3;
        m_client->MovePointer(x, y);
        Settle();
        m_client->Button(1, true);
        for (int step = 1; step <= 4; ++step)
            m_client->MovePointer(x, y + distance * step / 4);
        m_client->Button(1, false);
        ASSERT_TRUE(RunUntil([&] { return GetCapture() == nullptr && !GetAsyncKeyState(VK_LBUTTON); }));
        Settle();
    }
    // Holds the down arrow until `reached` says the control has scrolled far enough.
    void HoldDownArrow(TWinControl* control, const std::function<bool()>& reached) {
        const SCROLLBARINFO info = Bar(control);
        m_client->MovePointer(info.rcScrollBar.left + 8, info.rcScrollBar.bottom - 5);
        Settle();
        bool released = false;
        g_whileHeld = [&] {
            if (!released && reached()) {
                released = true;
                m_client->Button(1, false);
            }
        };
        HHOOK hook = SetWindowsHookExW(WH_MSGFILTER, WatchTracking, nullptr, GetCurrentThreadId());
        m_client->Button(1, true);
        EXPECT_TRUE(RunUntil([&] { return released && GetCapture() == nullptr; }));
        UnhookWindowsHookEx(hook);
        g_whileHeld = nullptr;
        Settle();
    }

    TMemo* NewMemo(TForm* form) {
        auto* memo = Add<TMemo>(form, 10, 10, 220, 200);
        memo->SetScrollBars(ssVertical);
        std::string text;
        for (int i = 0; i < 200; ++i)
            text += "line " + std::to_string(i) + "\r\n";
        memo->SetText(text);
        return memo;
    }
    TStringGrid* NewGrid(TForm* form) {
        auto* grid = Add<TStringGrid>(form, 10, 10, 220, 200);
        grid->SetRowCount(300);
        return grid;
    }
    // Skins the control's bars; the mouse then meets the overlay, not the system's bar.
    void Skin(TWinControl* control) {
        auto* skin = new TSkinScrollbar(control);
        skin->InitScrollSkin(control, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
        Settle();
        const SCROLLBARINFO info = Bar(control);
        const POINT thumb{info.rcScrollBar.left + 8, info.rcScrollBar.top + info.xyThumbTop + 3};
        EXPECT_EQ(WindowFromPoint(thumb), skin->VerticalOverlay()->Handle());
    }
    static int FirstLine(TMemo* memo) {
        return static_cast<int>(SendMessageW(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
    }
};

TEST_F(SkinnedScrollingOnXvfb, MemoAndGridScrollUnderTheSkinnedBarsAsUnderTheirOwn) {
    TMemo* plainMemo = NewMemo(FormAt(20));
    TMemo* skinnedMemo = NewMemo(FormAt(320));
    Skin(skinnedMemo);
    DragThumb(plainMemo, 60);
    DragThumb(skinnedMemo, 60);
    EXPECT_GT(FirstLine(plainMemo), 0);
    EXPECT_EQ(FirstLine(skinnedMemo), FirstLine(plainMemo)) << "the thumb dragged on the skin";
    const int memoTarget = FirstLine(plainMemo) + 6;
    HoldDownArrow(plainMemo, [&] { return FirstLine(plainMemo) >= memoTarget; });
    HoldDownArrow(skinnedMemo, [&] { return FirstLine(skinnedMemo) >= memoTarget; });
    EXPECT_GE(FirstLine(plainMemo), memoTarget) << "the held arrow repeated";
    EXPECT_EQ(FirstLine(skinnedMemo), FirstLine(plainMemo)) << "the arrow held on the skin";
    forms.clear();

    TStringGrid* plainGrid = NewGrid(FormAt(20));
    TStringGrid* skinnedGrid = NewGrid(FormAt(320));
    Skin(skinnedGrid);
    DragThumb(plainGrid, 70);
    DragThumb(skinnedGrid, 70);
    EXPECT_GT(plainGrid->TopRow(), 1);
    EXPECT_EQ(skinnedGrid->TopRow(), plainGrid->TopRow());
    const int gridTarget = plainGrid->TopRow() + 5;
    HoldDownArrow(plainGrid, [&] { return plainGrid->TopRow() >= gridTarget; });
    HoldDownArrow(skinnedGrid, [&] { return skinnedGrid->TopRow() >= gridTarget; });
    EXPECT_GE(plainGrid->TopRow(), gridTarget);
    EXPECT_EQ(skinnedGrid->TopRow(), plainGrid->TopRow());
}

} // namespace
