// The "SCROLLBAR" control: its SBM_ messages agree with the scroll calls on SB_CTL, presses
// and keys report to the parent naming the control, the standard thickness by alignment, the
// classic picture, and the size grip sizing its window.

#include "../ControlTestSupport.h"
#include "../Superclass.h"

#include "platform/controls/scrollbar/ScrollBarControl.h"

using namespace testing_support;
namespace headless = platform::headless;

namespace {

class ScrollBarControlTest : public ControlTest {
protected:
    HWND CreateBar(DWORD style, int x = 10, int y = 10, int width = 17, int height = 150) {
        return CreateControl("SCROLLBAR", "", style, x, y, width, height, 50);
    }
    // The scroll codes the parent received from the bar, in order.
    std::vector<WORD> Codes(HWND bar, UINT message = WM_VSCROLL) const {
        std::vector<WORD> codes;
        for (const LoggedMessage& m : Logged(m_parent, message)) {
            EXPECT_EQ(reinterpret_cast<HWND>(m.lParam), bar) << "the control names itself";
            codes.push_back(LOWORD(m.wParam));
        }
        return codes;
    }
};

TEST_F(ScrollBarControlTest, Messages_AreTheScrollCallsOnTheControl) {
    HWND bar = CreateBar(SBS_VERT);
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 40, 0};
    EXPECT_EQ(SendMessageW(bar, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&info)), 40);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 40);
    EXPECT_EQ(SendMessageW(bar, SBM_SETPOS, 95, TRUE), 40) << "the previous position";
    EXPECT_EQ(SendMessageW(bar, SBM_GETPOS, 0, 0), 90) << "clamped to what the page leaves";
    EXPECT_EQ(SendMessageW(bar, SBM_SETRANGE, 10, 20), 90);
    int minimum = 0;
    int maximum = 0;
    SendMessageW(bar, SBM_GETRANGE, reinterpret_cast<WPARAM>(&minimum), reinterpret_cast<LPARAM>(&maximum));
    EXPECT_EQ(std::make_pair(minimum, maximum), std::make_pair(10, 20));
    SCROLLINFO got{sizeof got, SIF_ALL, 0, 0, 0, 0, 0};
    EXPECT_TRUE(SendMessageW(bar, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&got)));
    EXPECT_EQ(got.nPos, 11) << "the page of 10 leaves 11 as the last position";
    EXPECT_EQ(got.nPage, 10u);

    SCROLLBARINFO barInfo{};
    barInfo.cbSize = sizeof barInfo;
    EXPECT_TRUE(SendMessageW(bar, SBM_GETSCROLLBARINFO, 0, reinterpret_cast<LPARAM>(&barInfo)));
    RECT onScreen{};
    GetWindowRect(bar, &onScreen);
    EXPECT_EQ(barInfo.rcScrollBar, onScreen);
    EXPECT_EQ(barInfo.dxyLineButton, GetSystemMetrics(SM_CYVSCROLL));
    EXPECT_TRUE(SendMessageW(bar, SBM_ENABLE_ARROWS, ESB_DISABLE_BOTH, 0));
    SendMessageW(bar, SBM_GETSCROLLBARINFO, 0, reinterpret_cast<LPARAM>(&barInfo));
    EXPECT_TRUE(barInfo.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
}

TEST_F(ScrollBarControlTest, Press_TracksAndReportsToTheParent) {
    HWND bar = CreateBar(SBS_VERT);
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0, 0};
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
    // The press arrives as a skin's overlay sends it; the loop ends on the user's release,
    // queued here before it.
    POINT release = OnScreen(bar, 8, 145);
    headless::ReleaseButton(release.x, release.y);
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 145));
    EXPECT_EQ(Codes(bar), (std::vector<WORD>{SB_LINEDOWN, SB_ENDSCROLL}));
    EXPECT_EQ(GetCapture(), nullptr);

    ClearLog();
    POINT track = OnScreen(bar, 8, 120);
    headless::Click(track.x, track.y);
    headless::RunUntilIdle();
    EXPECT_EQ(Codes(bar), (std::vector<WORD>{SB_PAGEDOWN, SB_ENDSCROLL}));
}

TEST_F(ScrollBarControlTest, Keys_ScrollAndEndOnRelease) {
    HWND bar = CreateBar(SBS_HORZ | WS_TABSTOP, 10, 10, 150, 17);
    SetFocus(bar);
    for (UINT key : {VK_RIGHT, VK_LEFT, VK_NEXT, VK_HOME, VK_END})
        headless::TypeKey(key);
    headless::RunUntilIdle();
    EXPECT_EQ(Codes(bar, WM_HSCROLL),
              (std::vector<WORD>{SB_LINEDOWN, SB_ENDSCROLL, SB_LINEUP, SB_ENDSCROLL, SB_PAGEDOWN,
                                 SB_ENDSCROLL, SB_TOP, SB_ENDSCROLL, SB_BOTTOM, SB_ENDSCROLL}));
    EXPECT_EQ(SendMessageW(bar, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
}

TEST_F(ScrollBarControlTest, AlignmentStyles_GiveTheStandardThickness) {
    HWND bottom = CreateBar(SBS_HORZ | SBS_BOTTOMALIGN, 10, 10, 150, 60);
    HWND left = CreateBar(SBS_VERT | SBS_LEFTALIGN, 200, 10, 60, 100);
    RECT rect{};
    GetWindowRect(bottom, &rect);
    EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYHSCROLL));
    EXPECT_EQ(rect.bottom, ParentY + 70) << "kept at the bottom of the given rectangle";
    GetWindowRect(left, &rect);
    EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(rect.left, ParentX + 200);
}

TEST_F(ScrollBarControlTest, Look_ArrowsTrackAndThumbOfTheWindowBars) {
    HWND bar = CreateBar(SBS_VERT);
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 50, 0, 0};
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
    headless::RunUntilIdle();
    EXPECT_EQ(headless::ReadPixel(bar, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT)) << "the raised arrow";
    EXPECT_EQ(headless::ReadPixel(bar, 16, 16), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_GT(CountPixels(bar, {4, 4, 13, 13}, GetSysColor(COLOR_BTNTEXT)), 3) << "the up arrow glyph";
    EXPECT_EQ(headless::ReadPixel(bar, 1, 20), GetSysColor(COLOR_BTNHIGHLIGHT)) << "the thumb's raised edge";
    EXPECT_GT(CountPixels(bar, {0, 100, 17, 130}, GetSysColor(COLOR_BTNHIGHLIGHT)), 50) << "the dotted track";
}

TEST_F(ScrollBarControlTest, SizeGrip_SizesItsWindowFromTheCorner) {
    HWND grip = CreateBar(SBS_SIZEGRIP, 380, 280, 17, 17);
    std::vector<WPARAM> commands;
    SetHandler([&](HWND window, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (window == m_parent && message == WM_SYSCOMMAND) {
            commands.push_back(wParam);
            return 0;
        }
        return std::nullopt;
    });
    POINT at = OnScreen(grip, 8, 8);
    headless::Click(at.x, at.y);
    headless::RunUntilIdle();
    EXPECT_EQ(commands, std::vector<WPARAM>{SC_SIZE | WMSZ_BOTTOMRIGHT});
}

} // namespace

TEST_F(ScrollBarControlTest, Superclass_KeepsTheControlsStateUnderItsOwnClassName) {
    HWND bar = CreateControl(RegisterSuperclass("SCROLLBAR", "TestScrollBar"), "", SBS_HORZ, 10, 10, 150, 17);
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 50, 5, 20, 0};
    EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &info, TRUE), 20);
    EXPECT_EQ(SendMessageA(bar, SBM_SETPOS, 30, TRUE), 20);
    SCROLLINFO read{sizeof read, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(bar, SB_CTL, &read));
    EXPECT_EQ(read.nMax, 50);
    EXPECT_EQ(read.nPage, 5u);
    EXPECT_EQ(read.nPos, 30);
}

namespace {

WNDPROC g_barProcedure = nullptr;
std::vector<UINT> g_seenByTheSubclass;

LRESULT CALLBACK WatchingBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == SBM_SETSCROLLINFO || message == SBM_GETSCROLLINFO)
        g_seenByTheSubclass.push_back(message);
    return CallWindowProcW(g_barProcedure, bar, message, wParam, lParam);
}

} // namespace

// A program that subclasses a scroll bar control (a skin covering it) learns of every change
// of its range or position, made by the calls or by the control's own messages.
TEST_F(ScrollBarControlTest, Subclass_SeesTheScrollCallsAsMessages) {
    HWND bar = CreateBar(SBS_VERT);
    g_seenByTheSubclass.clear();
    g_barProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchingBarProc)));
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 40, 0};
    EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &info, TRUE), 40);
    EXPECT_EQ(SetScrollPos(bar, SB_CTL, 50, TRUE), 40);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 50);
    EXPECT_EQ(SendMessageW(bar, SBM_SETPOS, 60, TRUE), 50);
    EXPECT_EQ(g_seenByTheSubclass,
              (std::vector<UINT>{SBM_SETSCROLLINFO, SBM_GETSCROLLINFO, SBM_SETSCROLLINFO, SBM_GETSCROLLINFO,
                                 SBM_GETSCROLLINFO, SBM_SETSCROLLINFO}));
    SCROLLINFO bad{sizeof bad - 12, SIF_POS, 0, 0, 0, 7, 0};
    EXPECT_EQ(SendMessageW(bar, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&bad)), 0);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 60) << "a record of a wrong size changes nothing";
    SetWindowLongPtrW(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_barProcedure));
}
