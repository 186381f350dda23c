// A window may destroy itself (or its parent) inside any message the window manager sends it;
// every call in progress must then end cleanly. Run under the address sanitizer, this catches
// any use of a freed window record.

#include "WindowTestSupport.h"

using namespace testing_support;
namespace headless = platform::headless;

namespace {

struct Case {
    UINT message;
    bool destroyParent;
};

class SelfDestructionTest : public WindowTest, public ::testing::WithParamInterface<Case> {};

// Drives a window through everything that sends messages: showing, activation, focus,
// placement, mouse input, capture, painting.
void Exercise(HWND other, HWND top, HWND child) {
    ShowWindow(top, SW_SHOW);
    SetActiveWindow(other);
    SetActiveWindow(top);
    SetFocus(child);
    SetFocus(other);
    SetWindowPos(top, nullptr, 20, 20, 260, 180, SWP_NOZORDER | SWP_FRAMECHANGED);
    MoveWindow(child, 5, 5, 80, 40, TRUE);
    SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    headless::MoveMouse(60, 70);
    headless::Click(60, 70);
    headless::Click(150, 25);
    headless::RunUntilIdle();
    SetCapture(child);
    SetCapture(top);
    ReleaseCapture();
    InvalidateRect(top, nullptr, TRUE);
    RedrawWindow(top, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ShowWindow(top, SW_SHOWMAXIMIZED);
    ShowWindow(top, SW_MINIMIZE);
    ShowWindow(top, SW_RESTORE);
    EnableWindow(child, FALSE);
    ShowWindow(child, SW_HIDE);
    headless::RunUntilIdle();
}

} // namespace

TEST_P(SelfDestructionTest, EveryCallInProgressEndsCleanly) {
    const Case& c = GetParam();
    HWND other = CreateTopLevel(400, 400, 100, 100, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND top = CreateTopLevel(10, 10, 300, 200, WS_OVERLAPPEDWINDOW | WS_VSCROLL);
    HWND child = CreateChild(top, 10, 10, 100, 60, 1, WS_CHILD | WS_VISIBLE | WS_BORDER);
    SetHandler([&](HWND window, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (window == child && message == c.message)
            DestroyWindow(c.destroyParent ? top : child);
        return std::nullopt;
    });
    Exercise(other, top, child);
    SetHandler(nullptr);
    EXPECT_FALSE(IsWindow(child));
    if (c.destroyParent) {
        EXPECT_FALSE(IsWindow(top));
    }
    EXPECT_TRUE(IsWindow(other));
}

INSTANTIATE_TEST_SUITE_P(
    Messages, SelfDestructionTest,
    ::testing::Values(Case{WM_NCHITTEST, false}, Case{WM_SETCURSOR, true}, Case{WM_MOUSEACTIVATE, true},
                      Case{WM_MOUSEMOVE, false}, Case{WM_LBUTTONDOWN, true}, Case{WM_SETFOCUS, false},
                      Case{WM_KILLFOCUS, true}, Case{WM_WINDOWPOSCHANGING, false}, Case{WM_NCCALCSIZE, true},
                      Case{WM_WINDOWPOSCHANGED, true}, Case{WM_SIZE, false}, Case{WM_ERASEBKGND, true},
                      Case{WM_PAINT, false}, Case{WM_NCPAINT, true}, Case{WM_CAPTURECHANGED, false},
                      Case{WM_SHOWWINDOW, true}, Case{WM_CANCELMODE, false}, Case{WM_ENABLE, true},
                      Case{WM_CHILDACTIVATE, false}),
    [](const ::testing::TestParamInfo<Case>& info) {
        return std::to_string(info.param.message) + (info.param.destroyParent ? "_Parent" : "_Self");
    });
