// Scroll bars of windows: range, page and position kept consistent, bars that come and go with
// their need, the geometry and state reported to accessibility tools and skins, and the
// tracking loop that a press on a bar (also one sent by another window) starts.

#include "WindowTestSupport.h"

#include "platform/process/ModuleTable.h"

#include <utility>

using namespace testing_support;
using platform::headless::AdvanceClock;
using platform::headless::Now;
using platform::headless::ReleaseButton;

namespace {

class ScrollBarTest : public WindowTest {
protected:
    HWND CreateScrolled(DWORD extraStyle = WS_VSCROLL | WS_HSCROLL) {
        return Create(WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE | extraStyle, 100, 100, 300, 200);
    }

    static SCROLLINFO Info(UINT mask, int minimum = 0, int maximum = 0, UINT page = 0, int position = 0) {
        return SCROLLINFO{sizeof(SCROLLINFO), mask, minimum, maximum, page, position, 0};
    }

    static SCROLLBARINFO BarInfo(HWND window, LONG object) {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        EXPECT_TRUE(GetScrollBarInfo(window, object, &info));
        return info;
    }

    // The scroll codes a window received, in order.
    std::vector<WORD> ScrollCodes(HWND window, UINT message = WM_VSCROLL) const {
        std::vector<WORD> codes;
        for (const LoggedMessage& m : Logged(window, message))
            codes.push_back(LOWORD(m.wParam));
        return codes;
    }

    // Presses the bar at a screen point the way an overlay does: by sending the frame click.
    static void PressBar(HWND window, LRESULT code, POINT at) {
        SendMessageW(window, WM_NCLBUTTONDOWN, static_cast<WPARAM>(code),
                     MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)));
    }
};

TEST_F(ScrollBarTest, Info_ClampsPageToTheRangeAndPositionToWhatThePageLeaves) {
    HWND window = CreateScrolled();
    SCROLLINFO set = Info(SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 500);
    EXPECT_EQ(SetScrollInfo(window, SB_VERT, &set, TRUE), 90);

    SCROLLINFO got = Info(SIF_ALL);
    ASSERT_TRUE(GetScrollInfo(window, SB_VERT, &got));
    EXPECT_EQ(got.nMin, 0);
    EXPECT_EQ(got.nMax, 99);
    EXPECT_EQ(got.nPage, 10u);
    EXPECT_EQ(got.nPos, 90);
    EXPECT_EQ(got.nTrackPos, 90);

    EXPECT_EQ(SetScrollPos(window, SB_VERT, -5, TRUE), 90) << "the previous position is returned";
    EXPECT_EQ(GetScrollPos(window, SB_VERT), 0);

    set = Info(SIF_PAGE, 0, 0, 1000);
    SetScrollInfo(window, SB_VERT, &set, TRUE);
    got = Info(SIF_PAGE);
    GetScrollInfo(window, SB_VERT, &got);
    EXPECT_EQ(got.nPage, 100u) << "a page never exceeds the range";

    // Without a page every position of the range can be reached.
    set = Info(SIF_RANGE | SIF_PAGE | SIF_POS, -50, 50, 0, 50);
    EXPECT_EQ(SetScrollInfo(window, SB_HORZ, &set, FALSE), 50);
    int minimum = 1;
    int maximum = 1;
    EXPECT_TRUE(GetScrollRange(window, SB_HORZ, &minimum, &maximum));
    EXPECT_EQ(std::make_pair(minimum, maximum), std::make_pair(-50, 50));
}

TEST_F(ScrollBarTest, Info_RejectsBadSizesBarsAndHandles) {
    HWND window = CreateScrolled();
    SCROLLINFO set = Info(SIF_POS, 0, 0, 0, 5);
    set.cbSize = 12;
    SetLastError(0);
    EXPECT_EQ(SetScrollInfo(window, SB_VERT, &set, TRUE), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    set.cbSize = sizeof set;
    EXPECT_EQ(SetScrollInfo(window, 7, &set, TRUE), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(SetScrollInfo(reinterpret_cast<HWND>(0x7777), SB_VERT, &set, TRUE), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    // A window that never had a bar has nothing to report.
    HWND plain = Create(WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 100);
    SCROLLINFO got = Info(SIF_ALL);
    EXPECT_FALSE(GetScrollInfo(plain, SB_VERT, &got));
    EXPECT_EQ(GetLastError(), ERROR_NO_SCROLLBARS);
    EXPECT_TRUE(SetScrollRange(window, SB_VERT, 0, 10, TRUE));
    EXPECT_FALSE(SetScrollRange(window, SB_VERT, -2, 0x7FFFFFFF, TRUE));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_SCROLLBAR_RANGE);
}

TEST_F(ScrollBarTest, Bars_GoWhenNotNeededOrStayDisabledWhenAskedAndComeBack) {
    HWND window = CreateScrolled(WS_VSCROLL);
    RECT client{};
    GetClientRect(window, &client);
    int withBar = client.right;

    SCROLLINFO set = Info(SIF_RANGE | SIF_PAGE, 0, 9, 10);
    SetScrollInfo(window, SB_VERT, &set, TRUE);
    EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_VSCROLL);
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, withBar + GetSystemMetrics(SM_CXVSCROLL)) << "the client area takes the room";

    set = Info(SIF_RANGE | SIF_PAGE, 0, 99, 10);
    SetScrollInfo(window, SB_VERT, &set, TRUE);
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_VSCROLL);
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, withBar);

    set = Info(SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL, 0, 9, 10);
    SetScrollInfo(window, SB_VERT, &set, TRUE);
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_VSCROLL);
    SCROLLBARINFO info = BarInfo(window, OBJID_VSCROLL);
    EXPECT_EQ(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE, STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(info.rgstate[3] & STATE_SYSTEM_INVISIBLE, STATE_SYSTEM_INVISIBLE) << "no thumb";

    set = Info(SIF_RANGE | SIF_DISABLENOSCROLL, 0, 99);
    SetScrollInfo(window, SB_VERT, &set, TRUE);
    EXPECT_EQ(BarInfo(window, OBJID_VSCROLL).rgstate[0] & STATE_SYSTEM_UNAVAILABLE, 0u);

    // Equal ends of a range hide the bar.
    SetScrollRange(window, SB_VERT, 5, 5, TRUE);
    EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_VSCROLL);
    EXPECT_TRUE(ShowScrollBar(window, SB_BOTH, TRUE));
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL), WS_VSCROLL | WS_HSCROLL);
}

TEST_F(ScrollBarTest, BarInfo_GivesTheBarOnTheScreenItsArrowsAndThumb) {
    HWND window = CreateScrolled();
    SCROLLINFO set = Info(SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 25, 75);
    SetScrollInfo(window, SB_VERT, &set, TRUE);

    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    SCROLLBARINFO info = BarInfo(window, OBJID_VSCROLL);
    RECT expected = {origin.x + client.right, origin.y,
                     origin.x + client.right + GetSystemMetrics(SM_CXVSCROLL), origin.y + client.bottom};
    EXPECT_EQ(info.rcScrollBar, expected);
    EXPECT_EQ(info.dxyLineButton, GetSystemMetrics(SM_CYVSCROLL));
    int length = client.bottom;
    int track = length - 2 * info.dxyLineButton;
    int thumb = track * 25 / 100;
    // Position 75 is the last one: the thumb sits at the end of the track.
    EXPECT_EQ(info.xyThumbBottom, length - info.dxyLineButton);
    EXPECT_EQ(info.xyThumbBottom - info.xyThumbTop, thumb);
    EXPECT_EQ(info.rgstate[0], 0u);
    EXPECT_EQ(info.rgstate[3], 0u);

    SetScrollPos(window, SB_VERT, 0, TRUE);
    EXPECT_EQ(BarInfo(window, OBJID_VSCROLL).xyThumbTop, info.dxyLineButton);

    // The horizontal bar lies under the client area.
    SCROLLBARINFO horizontal = BarInfo(window, OBJID_HSCROLL);
    EXPECT_EQ(horizontal.rcScrollBar.top, origin.y + client.bottom);
    EXPECT_EQ(horizontal.rcScrollBar.right, origin.x + client.right);

    SCROLLBARINFO wrongSize{};
    wrongSize.cbSize = 56;
    EXPECT_FALSE(GetScrollBarInfo(window, OBJID_VSCROLL, &wrongSize));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(ScrollBarTest, BarInfo_MarksMissingDisabledAndCrampedBars) {
    HWND plain = CreateScrolled(0);
    EXPECT_EQ(BarInfo(plain, OBJID_VSCROLL).rgstate[0] & STATE_SYSTEM_INVISIBLE, STATE_SYSTEM_INVISIBLE);

    HWND window = CreateScrolled();
    EXPECT_TRUE(EnableScrollBar(window, SB_VERT, ESB_DISABLE_UP));
    EXPECT_FALSE(EnableScrollBar(window, SB_VERT, ESB_DISABLE_UP)) << "already in that state";
    SCROLLBARINFO info = BarInfo(window, OBJID_VSCROLL);
    EXPECT_EQ(info.rgstate[0], 0u);
    EXPECT_EQ(info.rgstate[1], STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(info.rgstate[5], 0u);
    EXPECT_TRUE(EnableScrollBar(window, SB_BOTH, ESB_DISABLE_BOTH));
    EXPECT_EQ(BarInfo(window, OBJID_HSCROLL).rgstate[0] & STATE_SYSTEM_UNAVAILABLE, STATE_SYSTEM_UNAVAILABLE);

    // Too narrow for the bar: the window has it, but it is not on the screen.
    HWND narrow = Create(WS_POPUP | WS_VISIBLE | WS_VSCROLL, 0, 0, 10, 100);
    EXPECT_EQ(BarInfo(narrow, OBJID_VSCROLL).rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN),
              STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN);
}

TEST_F(ScrollBarTest, Tracking_ArrowScrollsAtOnceRepeatsWhileHeldAndEnds) {
    HWND window = CreateScrolled();
    SCROLLBARINFO bar = BarInfo(window, OBJID_VSCROLL);
    POINT downArrow = {bar.rcScrollBar.left + 5, bar.rcScrollBar.bottom - 5};
    DWORD started = Now();
    int lines = 0;
    DWORD pressedState = 0;
    SetHandler([&](HWND, UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (message == WM_VSCROLL && LOWORD(wParam) == SB_LINEDOWN) {
            EXPECT_EQ(lParam, 0) << "a window's own bar names no control";
            pressedState = BarInfo(window, OBJID_VSCROLL).rgstate[5];
            if (++lines == 3)
                ReleaseButton(downArrow.x, downArrow.y);
        }
        return std::nullopt;
    });
    PressBar(window, HTVSCROLL, downArrow);
    EXPECT_EQ(ScrollCodes(window), (std::vector<WORD>{SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN, SB_ENDSCROLL}));
    EXPECT_EQ(Now() - started, 200u + 50u) << "first repeat after a pause, then at a steady rate";
    EXPECT_EQ(pressedState, STATE_SYSTEM_PRESSED);
    EXPECT_EQ(BarInfo(window, OBJID_VSCROLL).rgstate[5], 0u);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ScrollBarTest, Tracking_PagesRepeatUntilTheThumbReachesThePointer) {
    HWND window = CreateScrolled();
    SCROLLINFO set = Info(SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0);
    SetScrollInfo(window, SB_VERT, &set, TRUE);
    SCROLLBARINFO bar = BarInfo(window, OBJID_VSCROLL);
    // Two thirds down the track.
    POINT at = {bar.rcScrollBar.left + 5,
                bar.rcScrollBar.top + (bar.rcScrollBar.bottom - bar.rcScrollBar.top) * 2 / 3};
    SetHandler([&](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_VSCROLL && LOWORD(wParam) == SB_PAGEDOWN)
            SetScrollPos(window, SB_VERT, GetScrollPos(window, SB_VERT) + 10, TRUE);
        return std::nullopt;
    });
    // The user lets go once the loop has idled on its timer for a while.
    int timers = 0;
    static int* counter = nullptr;
    static POINT releaseAt{};
    counter = &timers;
    releaseAt = at;
    HHOOK hook = SetWindowsHookExW(
        WH_MSGFILTER,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            auto* message = reinterpret_cast<MSG*>(lParam);
            if (code == MSGF_SCROLLBAR && message->message == WM_TIMER && ++*counter == 30)
                ReleaseButton(releaseAt.x, releaseAt.y);
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    PressBar(window, HTVSCROLL, at);
    UnhookWindowsHookEx(hook);
    std::vector<WORD> codes = ScrollCodes(window);
    ASSERT_GE(codes.size(), 3u);
    EXPECT_EQ(codes.back(), SB_ENDSCROLL);
    codes.pop_back();
    for (WORD code : codes)
        EXPECT_EQ(code, SB_PAGEDOWN);
    // The thumb stopped where the pointer holds the track.
    SCROLLBARINFO after = BarInfo(window, OBJID_VSCROLL);
    int pointer = at.y - after.rcScrollBar.top;
    EXPECT_LE(after.xyThumbTop, pointer);
    EXPECT_GT(after.xyThumbBottom + (after.xyThumbBottom - after.xyThumbTop), pointer);
    EXPECT_LT(codes.size(), 10u);
}

TEST_F(ScrollBarTest, Tracking_ThumbDragReportsTrackPositionsThenTheFinalOne) {
    HWND window = CreateScrolled();
    SCROLLINFO set = Info(SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0);
    SetScrollInfo(window, SB_VERT, &set, TRUE);
    SCROLLBARINFO bar = BarInfo(window, OBJID_VSCROLL);
    int x = bar.rcScrollBar.left + 5;
    int grab = bar.rcScrollBar.top + bar.xyThumbTop + 2;
    int end = bar.rcScrollBar.bottom; // past the track: the last position
    std::vector<std::pair<WORD, int>> seen;
    SetHandler([&](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_VSCROLL) {
            seen.emplace_back(LOWORD(wParam), HIWORD(wParam));
            if (LOWORD(wParam) == SB_THUMBTRACK) {
                SCROLLINFO during = Info(SIF_POS | SIF_TRACKPOS);
                GetScrollInfo(window, SB_VERT, &during);
                EXPECT_EQ(during.nTrackPos, HIWORD(wParam));
                EXPECT_EQ(during.nPos, 0) << "the program moves the position itself";
                EXPECT_EQ(BarInfo(window, OBJID_VSCROLL).rgstate[3], STATE_SYSTEM_PRESSED);
            }
        }
        return std::nullopt;
    });
    // The moves and the release are waiting when the press arrives.
    platform::headless::MoveMouse(x, grab + 40);
    platform::headless::MoveMouse(x, end);
    ReleaseButton(x, end);
    PressBar(window, HTVSCROLL, {x, grab});
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].first, SB_THUMBTRACK);
    EXPECT_EQ(seen[1], std::make_pair(SB_THUMBPOSITION, 90));
    EXPECT_EQ(seen[2].first, SB_ENDSCROLL);
    EXPECT_EQ(GetScrollPos(window, SB_VERT), 0);
    SCROLLINFO after = Info(SIF_TRACKPOS);
    GetScrollInfo(window, SB_VERT, &after);
    EXPECT_EQ(after.nTrackPos, 0);
}

TEST_F(ScrollBarTest, Tracking_IgnoresDisabledParts) {
    HWND window = CreateScrolled();
    SCROLLBARINFO bar = BarInfo(window, OBJID_VSCROLL);
    EnableScrollBar(window, SB_VERT, ESB_DISABLE_DOWN);
    PressBar(window, HTVSCROLL, {bar.rcScrollBar.left + 5, bar.rcScrollBar.bottom - 5});
    EXPECT_TRUE(ScrollCodes(window).empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ScrollBarTest, BarInfo_IsFoundAtRunTimeAsAUser32Call) {
    FARPROC found = GetProcAddress(GetModuleHandleA("USER32"), "GetScrollBarInfo");
    ASSERT_NE(found, nullptr);
    using Call = BOOL (*)(HWND, LONG, PSCROLLBARINFO);
    HWND window = CreateScrolled();
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    EXPECT_TRUE(platform::ProcAs<Call>(found)(window, OBJID_VSCROLL, &info));
    EXPECT_NE(GetProcAddress(GetModuleHandleA("user32.dll"), "TrackMouseEvent"), nullptr);
}

TEST_F(ScrollBarTest, ControlBarsOfOtherClassesAreAskedByMessage) {
    HWND window = CreateScrolled(0);
    SetHandler([](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message == SBM_SETSCROLLINFO)
            return reinterpret_cast<const SCROLLINFO*>(lParam)->nPos + 1;
        return std::nullopt;
    });
    SCROLLINFO set = Info(SIF_POS, 0, 0, 0, 41);
    EXPECT_EQ(SetScrollInfo(window, SB_CTL, &set, TRUE), 42);
}

} // namespace

// The bar is drawn again when its picture changes, and only then: a long range moved by one
// line keeps the thumb on the same pixels.
TEST_F(ScrollBarTest, Info_RedrawsTheBarWhenTheThumbMovesOnTheScreen) {
    HWND window = CreateScrolled(WS_VSCROLL);
    SCROLLINFO set = Info(SIF_RANGE | SIF_PAGE | SIF_POS, 0, 9999, 20, 0);
    SetScrollInfo(window, SB_VERT, &set, TRUE);
    platform::headless::RunUntilIdle();
    SCROLLBARINFO bar = BarInfo(window, OBJID_VSCROLL);
    const int x = (bar.rcScrollBar.left + bar.rcScrollBar.right) / 2;
    const int thumbY = bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2;
    const int trackY = bar.rcScrollBar.top + bar.xyThumbBottom + 20;
    const COLORREF thumb = platform::headless::ReadScreenPixel(x, thumbY);
    const COLORREF track = platform::headless::ReadScreenPixel(x, trackY);
    ASSERT_NE(thumb, track);

    SetScrollPos(window, SB_VERT, 1, TRUE);
    EXPECT_EQ(BarInfo(window, OBJID_VSCROLL).xyThumbTop, bar.xyThumbTop)
        << "one line of 10,000 moves no pixel";
    EXPECT_EQ(platform::headless::ReadScreenPixel(x, thumbY), thumb);

    SetScrollPos(window, SB_VERT, 5000, TRUE);
    EXPECT_EQ(platform::headless::ReadScreenPixel(x, thumbY), track) << "the thumb left: the track shows";
    const int middle =
        bar.rcScrollBar.top +
        (BarInfo(window, OBJID_VSCROLL).xyThumbTop + BarInfo(window, OBJID_VSCROLL).xyThumbBottom) / 2;
    EXPECT_EQ(platform::headless::ReadScreenPixel(x, middle), thumb);

    // Disabling the arrows changes the picture with the thumb in place.
    EnableScrollBar(window, SB_VERT, ESB_DISABLE_BOTH);
    const int arrowY = bar.rcScrollBar.top + bar.dxyLineButton / 2;
    const COLORREF disabledArrow = platform::headless::ReadScreenPixel(x, arrowY);
    EnableScrollBar(window, SB_VERT, ESB_ENABLE_BOTH);
    EXPECT_NE(platform::headless::ReadScreenPixel(x, arrowY), disabledArrow);
}
