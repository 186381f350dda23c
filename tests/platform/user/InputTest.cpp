// Routing the user's input: mouse messages by hit test, double clicks, capture, mouse
// tracking, keys and the focus, activation.

#include "WindowTestSupport.h"

using namespace testing_support;
namespace headless = platform::headless;

namespace {

using InputTest = WindowTest;

HWND CreateDoubleClickWindow(HWND parent, int x, int y, int width, int height) {
    return CreateWindowExA(0, WindowTest::DoubleClickClassName, "", WS_CHILD | WS_VISIBLE, x, y, width,
                           height, parent, nullptr, nullptr, nullptr);
}

} // namespace

TEST_F(InputTest, Mouse_GoesToTheWindowUnderThePointerAfterItsCursorQuery) {
    HWND top = CreateTopLevel(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND child = CreateChild(top, 10, 10, 50, 50);
    headless::RunUntilIdle();
    ClearLog();
    headless::PressButton(100 + 4 + 10 + 5, 100 + 23 + 10 + 6);
    headless::RunUntilIdle();
    EXPECT_EQ(Messages(child, {WM_SETCURSOR, WM_MOUSEMOVE, WM_LBUTTONDOWN}),
              (std::vector<UINT>{WM_SETCURSOR, WM_MOUSEMOVE, WM_SETCURSOR, WM_LBUTTONDOWN}));
    auto press = Logged(child, WM_LBUTTONDOWN);
    ASSERT_EQ(press.size(), 1u);
    EXPECT_EQ(press[0].lParam, MAKELPARAM(5, 6));
    EXPECT_EQ(press[0].wParam, MK_LBUTTON);
    EXPECT_EQ(GetKeyState(VK_LBUTTON) & 0x8000, 0x8000);

    ClearLog();
    headless::ReleaseButton(250, 110);
    headless::RunUntilIdle();
    auto frame = Logged(top, WM_NCLBUTTONUP);
    ASSERT_EQ(frame.size(), 1u);
    EXPECT_EQ(frame[0].wParam, static_cast<WPARAM>(HTCAPTION));
    EXPECT_EQ(frame[0].lParam, MAKELPARAM(250, 110)) << "frame messages carry screen positions";
    EXPECT_EQ(GetKeyState(VK_LBUTTON) & 0x8000, 0);
}

TEST_F(InputTest, DoubleClicks_ComeOnlyToClassesThatAskButAlwaysOnTheFrame) {
    HWND top = CreateTopLevel(0, 0, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND plain = CreateChild(top, 0, 0, 100, 100);
    HWND wanting = CreateDoubleClickWindow(top, 150, 0, 100, 100);
    headless::RunUntilIdle();
    ClearLog();
    auto clickTwice = [](int x, int y) {
        headless::Click(x, y);
        headless::AdvanceClock(100);
        headless::Click(x + 1, y);
        headless::RunUntilIdle();
    };
    clickTwice(4 + 20, 23 + 20);
    clickTwice(4 + 170, 23 + 20);
    clickTwice(100, 10);
    EXPECT_EQ(Messages(plain, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDOWN}));
    EXPECT_EQ(Messages(wanting, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}));
    EXPECT_EQ(Messages(top, {WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK}),
              (std::vector<UINT>{WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK}));

    ClearLog();
    headless::Click(4 + 170, 23 + 20);
    headless::AdvanceClock(GetDoubleClickTime() + 1);
    headless::Click(4 + 170, 23 + 20);
    headless::RunUntilIdle();
    EXPECT_EQ(Messages(wanting, {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDOWN}))
        << "too slow for a double click";
}

TEST_F(InputTest, Capture_TakesAllMouseInputInClientCoordinatesUntilReleased) {
    HWND top = CreateTopLevel(100, 100, 300, 200, WS_POPUP | WS_VISIBLE);
    HWND child = CreateChild(top, 10, 10, 50, 50);
    HWND other = CreateTopLevel(500, 100, 100, 100, WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(SetCapture(child), nullptr);
    EXPECT_EQ(GetCapture(), child);
    ClearLog();
    headless::MoveMouse(550, 150);
    headless::RunUntilIdle();
    auto moves = Logged(child, WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].lParam, MAKELPARAM(550 - 110, 150 - 110));
    EXPECT_TRUE(Logged(other, WM_MOUSEMOVE).empty());
    EXPECT_TRUE(Logged(child, WM_SETCURSOR).empty()) << "no cursor query while captured";

    EXPECT_EQ(SetCapture(top), child);
    ASSERT_EQ(Logged(child, WM_CAPTURECHANGED).size(), 1u);
    EXPECT_EQ(Logged(child, WM_CAPTURECHANGED)[0].lParam, reinterpret_cast<LPARAM>(top));
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Logged(top, WM_CAPTURECHANGED).size(), 1u);

    SetCapture(child);
    DestroyWindow(child);
    EXPECT_EQ(GetCapture(), nullptr) << "a destroyed window gives up the capture";
    headless::MoveMouse(560, 150);
    headless::RunUntilIdle();
    EXPECT_FALSE(Logged(other, WM_MOUSEMOVE).empty());
}

TEST_F(InputTest, TrackMouseEvent_ReportsLeavingOnceIncludingIntoAChild) {
    HWND top = CreateTopLevel(0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
    HWND child = CreateChild(top, 200, 0, 50, 50);
    headless::MoveMouse(50, 50);
    headless::RunUntilIdle();
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, top, 0};
    ASSERT_TRUE(TrackMouseEvent(&track));
    TRACKMOUSEEVENT query{sizeof query, TME_QUERY, nullptr, 0};
    TrackMouseEvent(&query);
    EXPECT_EQ(query.hwndTrack, top);
    EXPECT_EQ(query.dwFlags & TME_LEAVE, TME_LEAVE);
    ClearLog();
    headless::MoveMouse(60, 50);
    headless::RunUntilIdle();
    EXPECT_TRUE(Logged(top, WM_MOUSELEAVE).empty());
    headless::MoveMouse(210, 10);
    headless::RunUntilIdle();
    EXPECT_EQ(Logged(top, WM_MOUSELEAVE).size(), 1u) << "entering a child is leaving the parent";
    headless::MoveMouse(500, 500);
    headless::RunUntilIdle();
    EXPECT_EQ(Logged(top, WM_MOUSELEAVE).size(), 1u) << "reported once";
    EXPECT_TRUE(Logged(child, WM_MOUSELEAVE).empty());

    // Asked for while the pointer is elsewhere, the leave comes at once.
    ClearLog();
    TRACKMOUSEEVENT away{sizeof away, TME_LEAVE, child, 0};
    TrackMouseEvent(&away);
    headless::RunUntilIdle();
    EXPECT_EQ(Logged(child, WM_MOUSELEAVE).size(), 1u);
}

TEST_F(InputTest, TrackMouseEvent_NonClientAndHover) {
    HWND top = CreateTopLevel(0, 0, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    headless::MoveMouse(150, 10);
    headless::RunUntilIdle();
    TRACKMOUSEEVENT frame{sizeof frame, TME_LEAVE | TME_NONCLIENT, top, 0};
    ASSERT_TRUE(TrackMouseEvent(&frame));
    ClearLog();
    headless::MoveMouse(150, 100);
    headless::RunUntilIdle();
    EXPECT_EQ(Logged(top, WM_NCMOUSELEAVE).size(), 1u) << "moving into the client area leaves the frame";

    TRACKMOUSEEVENT hover{sizeof hover, TME_HOVER, top, 200};
    ASSERT_TRUE(TrackMouseEvent(&hover));
    headless::RunFor(150);
    EXPECT_TRUE(Logged(top, WM_MOUSEHOVER).empty());
    headless::RunFor(100);
    ASSERT_EQ(Logged(top, WM_MOUSEHOVER).size(), 1u);
    EXPECT_EQ(Logged(top, WM_MOUSEHOVER)[0].lParam, MAKELPARAM(150 - 4, 100 - 23));
}

TEST_F(InputTest, Keys_GoToTheFocusWindowAndKeyStateFollowsTakenMessages) {
    HWND top = CreateTopLevel(0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
    HWND edit = CreateChild(top, 0, 0, 100, 20);
    headless::RunUntilIdle();
    ClearLog();
    EXPECT_EQ(SetFocus(edit), top);
    EXPECT_EQ(GetFocus(), edit);
    ASSERT_EQ(Logged(top, WM_KILLFOCUS).size(), 1u);
    EXPECT_EQ(Logged(top, WM_KILLFOCUS)[0].wParam, reinterpret_cast<WPARAM>(edit));
    ASSERT_EQ(Logged(edit, WM_SETFOCUS).size(), 1u);
    EXPECT_EQ(Logged(edit, WM_SETFOCUS)[0].wParam, reinterpret_cast<WPARAM>(top));

    headless::PressKey(VK_SPACE);
    EXPECT_NE(GetAsyncKeyState(VK_SPACE) & 0x8000, 0) << "the hardware state changes at once";
    EXPECT_EQ(GetKeyState(VK_SPACE) & 0x8000, 0) << "the queue state waits for the message";
    headless::RunUntilIdle();
    EXPECT_NE(GetKeyState(VK_SPACE) & 0x8000, 0);
    headless::PressKey(VK_SPACE);
    headless::ReleaseKey(VK_SPACE);
    headless::RunUntilIdle();
    auto downs = Logged(edit, WM_KEYDOWN);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].lParam & (1 << 30), 0) << "first press";
    EXPECT_NE(downs[1].lParam & (1 << 30), 0) << "auto-repeat: the key was already down";
    auto ups = Logged(edit, WM_KEYUP);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_NE(static_cast<DWORD>(ups[0].lParam) & 0x80000000u, 0u);
    EXPECT_EQ(Logged(edit, WM_CHAR).size(), 2u);

    ClearLog();
    headless::PressKey(VK_MENU);
    headless::TypeKey('F');
    headless::ReleaseKey(VK_MENU);
    headless::RunUntilIdle();
    EXPECT_EQ(Messages(edit, {WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP, WM_KEYUP}),
              (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP, WM_SYSKEYUP}));

    ClearLog();
    SetFocus(nullptr);
    headless::TypeKey('Q');
    headless::RunUntilIdle();
    EXPECT_EQ(Messages(top, {WM_SYSKEYDOWN, WM_KEYDOWN}), (std::vector<UINT>{WM_SYSKEYDOWN}))
        << "without a focus the active window gets system keys";
}

TEST_F(InputTest, Focus_CannotGoToDisabledWindowsAndLeavesWindowsBeingDisabled) {
    HWND top = CreateTopLevel(0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
    HWND child = CreateChild(top, 0, 0, 100, 20);
    SetFocus(child);
    ClearLog();
    EnableWindow(child, FALSE);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(Messages(child, {WM_CANCELMODE, WM_KILLFOCUS, WM_ENABLE}),
              (std::vector<UINT>{WM_CANCELMODE, WM_KILLFOCUS, WM_ENABLE}));
    EXPECT_EQ(SetFocus(child), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_TRUE(EnableWindow(child, TRUE)) << "answers that it was disabled";
    EXPECT_FALSE(EnableWindow(child, TRUE));
}

TEST_F(InputTest, Activation_SendsItsMessagesInOrderAndClicksActivate) {
    HWND first = CreateTopLevel(0, 0, 200, 200, WS_OVERLAPPEDWINDOW);
    ClearLog();
    ShowWindow(first, SW_SHOW);
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(Messages(first, {WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS}),
              (std::vector<UINT>{WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS}));

    HWND second = CreateTopLevel(300, 0, 200, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_EQ(GetActiveWindow(), second);
    ClearLog();
    headless::Click(100, 100);
    headless::RunUntilIdle();
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(GetFocus(), first);
    EXPECT_EQ(Messages(second, {WM_NCACTIVATE, WM_ACTIVATE, WM_KILLFOCUS}),
              (std::vector<UINT>{WM_NCACTIVATE, WM_ACTIVATE, WM_KILLFOCUS}));
    EXPECT_EQ(Messages(first, {WM_MOUSEACTIVATE, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_LBUTTONDOWN}),
              (std::vector<UINT>{WM_MOUSEACTIVATE, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_LBUTTONDOWN}));
    auto activate = Logged(first, WM_ACTIVATE);
    EXPECT_EQ(LOWORD(activate[0].wParam), WA_CLICKACTIVE);
    EXPECT_EQ(activate[0].lParam, reinterpret_cast<LPARAM>(second));
    EXPECT_EQ(GetTopWindow(nullptr), first) << "the activated window comes to the top";

    // A window that answers FALSE to losing its active look keeps the activation.
    SetHandler([&](HWND w, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (w == first && message == WM_NCACTIVATE && !wParam)
            return FALSE;
        return std::nullopt;
    });
    SetActiveWindow(second);
    EXPECT_EQ(GetActiveWindow(), first);
    SetHandler(nullptr);

    // Destroying the active window activates the next one.
    DestroyWindow(first);
    EXPECT_EQ(GetActiveWindow(), second);
    DestroyWindow(second);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(InputTest, MouseActivate_AnswersCanRefuseActivationAndEatTheClick) {
    HWND first = CreateTopLevel(0, 0, 200, 200, WS_POPUP | WS_VISIBLE);
    HWND second = CreateTopLevel(300, 0, 200, 200, WS_POPUP | WS_VISIBLE);
    SetHandler([&](HWND w, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (w == first && message == WM_MOUSEACTIVATE)
            return MA_NOACTIVATEANDEAT;
        return std::nullopt;
    });
    ClearLog();
    headless::Click(50, 50);
    headless::RunUntilIdle();
    EXPECT_EQ(GetActiveWindow(), second);
    EXPECT_TRUE(Logged(first, WM_LBUTTONDOWN).empty());
    EXPECT_EQ(Logged(first, WM_LBUTTONUP).size(), 1u) << "only the press is eaten";
}

TEST_F(InputTest, DisabledWindows_PassClicksToTheParentOrRefuseThemWithABeep) {
    HWND top = CreateTopLevel(0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
    HWND button = CreateChild(top, 10, 10, 50, 50);
    EnableWindow(button, FALSE);
    ClearLog();
    headless::Click(20, 20);
    headless::RunUntilIdle();
    EXPECT_TRUE(Logged(button, WM_LBUTTONDOWN).empty());
    EXPECT_EQ(Logged(top, WM_LBUTTONDOWN).size(), 1u);

    int beeps = headless::Screen().BeepCount();
    EnableWindow(top, FALSE);
    ClearLog();
    headless::Click(20, 20);
    headless::RunUntilIdle();
    EXPECT_TRUE(Logged(top, WM_LBUTTONDOWN).empty());
    auto cursor = Logged(top, WM_SETCURSOR);
    ASSERT_FALSE(cursor.empty());
    EXPECT_EQ(static_cast<SHORT>(LOWORD(cursor.back().lParam)), HTERROR);
    EXPECT_EQ(headless::Screen().BeepCount(), beeps + 1);
}

TEST_F(InputTest, Wheel_GoesToTheFocusAndUpToTheParent) {
    HWND top = CreateTopLevel(0, 0, 300, 200, WS_POPUP | WS_VISIBLE);
    HWND list = CreateChild(top, 0, 0, 100, 100);
    SetFocus(list);
    ClearLog();
    headless::RollWheel(250, 150, -120);
    headless::RunUntilIdle();
    auto wheel = Logged(list, WM_MOUSEWHEEL);
    ASSERT_EQ(wheel.size(), 1u);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel[0].wParam), -120);
    EXPECT_EQ(wheel[0].lParam, MAKELPARAM(250, 150));
    EXPECT_EQ(Logged(top, WM_MOUSEWHEEL).size(), 1u) << "passed on by the default procedure";
}
