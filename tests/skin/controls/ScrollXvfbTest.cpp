// The skinned scroll bars under a real mouse, on a private Xvfb server: a memo and a string grid
// scrolled by dragging the skinned thumb and by holding the skinned arrow end where the same
// controls without a skin end under the same hand.

#include "ControlSkinFixture.h"

#include "../../platform/display/XTestClient.h"
#include "../../platform/display/XvfbServer.h"

#include "framework/grid/StringGrid.h"
#include "framework/stdctrls/Memo.h"
#include "platform/controls/edit/Edit.h"
#include "platform/display/Display.h"
#include "platform/display/HeadlessDisplay.h"
#include "platform/display/x11/X11Display.h"
#include "platform/user/ScrollBar.h"
#include "skin/controls/SkinScrollbars.h"

#include <functional>

using testing_support::XTestClient;
using testing_support::XvfbServer;

namespace {

// Set while a hold is running: the tracking loop's message filter lets go of the button once
// the held arrow has scrolled far enough.
std::function<void()> g_whileHeld;

LRESULT CALLBACK WatchTracking(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_SCROLLBAR && g_whileHeld)
        g_whileHeld();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class SkinnedScrollingOnXvfb : public ControlSkinTest {
protected:
    void SetUp() override {
        std::string whyNot;
        m_server = XvfbServer::Start(whyNot);
        if (!m_server)
            GTEST_SKIP() << whyNot;
        ControlSkinTest::SetUp();
        std::string error;
        auto display = platform::X11Display::Open(m_server->Name().c_str(), error);
        ASSERT_TRUE(display) << error;
        m_display = display.get();
        platform::SetDisplay(std::move(display));
        m_client = XTestClient::Connect(m_server->Name());
        ASSERT_TRUE(m_client);
    }
    void TearDown() override {
        if (!m_server)
            return;
        g_whileHeld = nullptr;
        ControlSkinTest::TearDown();
        m_client.reset();
        platform::SetDisplay(std::make_unique<platform::HeadlessDisplay>());
        m_server.reset();
    }

    // Runs the loop until the condition holds, waiting on the X connection; false after 5 s.
    bool RunUntil(const std::function<bool()>& condition) {
        const DWORD start = platform::Display().Now();
        for (;;) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            if (condition())
                return true;
            if (platform::Display().Now() - start > 5000)
                return false;
            platform::Display().WaitForEvents(20);
        }
    }
    // A few rounds of the loop, for what the server and the windows still have to say.
    void Settle() {
        int rounds = 0;
        RunUntil([&] { return ++rounds > 3; });
    }

    // A shown form at (left, 40), once the X server shows its window.
    TForm* FormAt(int left) {
        auto* form = new TForm(nullptr);
        forms.emplace_back(form);
        form->SetBounds(left, 40, 260, 260);
        form->AfterConstruction();
        form->Show();
        EXPECT_TRUE(RunUntil([&] { return m_client->IsShown(m_display->NativeWindow(form->Handle())); }));
        Settle();
        return form;
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

    std::unique_ptr<XvfbServer> m_server;
    platform::X11Display* m_display = nullptr;
    std::unique_ptr<XTestClient> m_client;
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
