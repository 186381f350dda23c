// The default frame: where each hit-test code lies for each kind of frame, moving and sizing
// by dragging the frame, the caption buttons, the system commands, and the classic frame as it
// is drawn for an active and an inactive window.

#include "WindowTestSupport.h"

#include "platform/gdi/GdiTestSupport.h"
#include "platform/gdi/PngWriter.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/ClassicFrame.h"
#include "platform/user/FrameState.h"

using namespace testing_support;
using platform::headless::Click;
using platform::headless::MoveMouse;
using platform::headless::PressButton;
using platform::headless::ReleaseButton;
using platform::headless::RunUntilIdle;

namespace {

class NonClientTest : public WindowTest {
protected:
    static LRESULT HitTest(HWND window, int x, int y) {
        return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
    static RECT WindowRect(HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        return r;
    }
    // The centre of a caption button counted from the right (0 = close), on screen.
    static POINT CaptionButton(HWND window, int fromRight) {
        RECT r = WindowRect(window);
        int frame = GetSystemMetrics(SM_CXFRAME);
        int width = GetSystemMetrics(SM_CXSIZE) - 2;
        int x = r.right - frame - 2 - width / 2 - (fromRight == 0 ? 0 : 2 + fromRight * width);
        return {x, r.top + frame + GetSystemMetrics(SM_CYCAPTION) / 2};
    }
    static POINT CaptionMiddle(HWND window) {
        RECT r = WindowRect(window);
        return {(r.left + r.right) / 2 - 40,
                r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
    }
    std::vector<WPARAM> SystemCommands(HWND window) const {
        std::vector<WPARAM> commands;
        for (const LoggedMessage& m : Logged(window, WM_SYSCOMMAND))
            commands.push_back(m.wParam & 0xFFF0);
        return commands;
    }
};

TEST_F(NonClientTest, HitTest_SizingFrameWithCaptionButtonsAndBars) {
    HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 100, 100, 300, 200);
    int frame = GetSystemMetrics(SM_CXFRAME);
    int caption = GetSystemMetrics(SM_CYCAPTION);
    EXPECT_EQ(HitTest(window, 100, 100), HTTOPLEFT);
    EXPECT_EQ(HitTest(window, 250, 100), HTTOP);
    EXPECT_EQ(HitTest(window, 399, 299), HTBOTTOMRIGHT);
    EXPECT_EQ(HitTest(window, 100, 200), HTLEFT);
    EXPECT_EQ(HitTest(window, 399, 200), HTRIGHT);
    EXPECT_EQ(HitTest(window, 250, 299), HTBOTTOM);
    EXPECT_EQ(HitTest(window, 100 + frame + 5, 100 + frame + caption / 2), HTSYSMENU);
    POINT close = CaptionButton(window, 0);
    EXPECT_EQ(HitTest(window, close.x, close.y), HTCLOSE);
    POINT maximize = CaptionButton(window, 1);
    EXPECT_EQ(HitTest(window, maximize.x, maximize.y), HTMAXBUTTON);
    POINT minimize = CaptionButton(window, 2);
    EXPECT_EQ(HitTest(window, minimize.x, minimize.y), HTMINBUTTON);
    EXPECT_EQ(HitTest(window, 220, 100 + frame + caption / 2), HTCAPTION);
    EXPECT_EQ(HitTest(window, 200, 200), HTCLIENT);
    int bar = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(HitTest(window, 400 - frame - bar / 2, 200), HTVSCROLL);
    EXPECT_EQ(HitTest(window, 200, 300 - frame - bar / 2), HTHSCROLL);
    EXPECT_EQ(HitTest(window, 400 - frame - bar / 2, 300 - frame - bar / 2), HTGROWBOX);
    EXPECT_EQ(HitTest(window, 99, 200), HTNOWHERE);
}

TEST_F(NonClientTest, HitTest_DialogBorderAndToolFrames) {
    HWND dialog = Create(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 100, 100, 200, 150, nullptr,
                         WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP);
    EXPECT_EQ(HitTest(dialog, 100, 100), HTBORDER) << "a fixed frame does not size";
    EXPECT_EQ(HitTest(dialog, 200, 249), HTBORDER);
    POINT help = CaptionButton(dialog, 1);
    help.x += 1; // the dialog frame is a pixel thinner than a sizing frame
    EXPECT_EQ(HitTest(dialog, help.x, help.y + 1), HTHELP);

    HWND bordered = Create(WS_POPUP | WS_BORDER | WS_VISIBLE, 300, 300, 50, 50);
    EXPECT_EQ(HitTest(bordered, 300, 300), HTBORDER);
    EXPECT_EQ(HitTest(bordered, 320, 320), HTCLIENT);

    HWND tool = Create(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 400, 100, 150, 100, nullptr,
                       WS_EX_TOOLWINDOW);
    EXPECT_EQ(HitTest(tool, 405, 108), HTCAPTION) << "a tool window has no system menu icon";

    ShowWindow(dialog, SW_MINIMIZE);
    RECT r = WindowRect(dialog);
    EXPECT_EQ(HitTest(dialog, r.left + 5, r.top + 5), HTCAPTION);
}

TEST_F(NonClientTest, HitTest_AFrameOfTheWindowsOwnIsNowhereOutsideTheClassicParts) {
    // The window keeps 30 pixels of frame on each side and 50 on top for itself.
    SetHandler([](HWND, UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (message != WM_NCCALCSIZE)
            return std::nullopt;
        RECT* rect =
            wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
        rect->left += 30;
        rect->right -= 30;
        rect->top += 50;
        rect->bottom -= 30;
        return 0;
    });
    HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    const int frame = GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(HitTest(window, 100, 200), HTLEFT) << "the classic sizing edge stays";
    EXPECT_EQ(HitTest(window, 220, 100 + frame + 5), HTCAPTION) << "and so does the classic caption";
    EXPECT_EQ(HitTest(window, 100 + frame + 10, 200), HTNOWHERE) << "the window's own side";
    EXPECT_EQ(HitTest(window, 220, 100 + 45), HTNOWHERE) << "below the classic caption";
    EXPECT_EQ(HitTest(window, 250, 200), HTCLIENT);
}

TEST_F(NonClientTest, Dragging_TheCaptionMovesTheWindowStepByStep) {
    HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    POINT grab = CaptionMiddle(window);
    RunUntilIdle();
    ClearLog();
    PressButton(grab.x, grab.y);
    MoveMouse(grab.x + 30, grab.y + 10);
    MoveMouse(grab.x + 50, grab.y + 40);
    ReleaseButton(grab.x + 50, grab.y + 40);
    RunUntilIdle();
    EXPECT_EQ(WindowRect(window), (RECT{150, 140, 450, 340}));
    std::vector<UINT> order = Messages(window, {WM_ENTERSIZEMOVE, WM_MOVING, WM_EXITSIZEMOVE});
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(order.front(), WM_ENTERSIZEMOVE);
    EXPECT_EQ(order.back(), WM_EXITSIZEMOVE);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(NonClientTest, Dragging_ACornerSizesWithinTheLimitsAndTheWindowsOwnCorrections) {
    HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    std::vector<WPARAM> edges;
    SetHandler([&](HWND, UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (message == WM_GETMINMAXINFO) {
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {200, 150};
            return 0;
        }
        if (message == WM_SIZING) {
            if (edges.empty() || edges.back() != wParam)
                edges.push_back(wParam);
            auto* rect = reinterpret_cast<RECT*>(lParam);
            rect->right -= (rect->right - rect->left) % 10; // widths in steps of ten
            return TRUE;
        }
        return std::nullopt;
    });
    PressButton(399, 299);
    MoveMouse(456, 321);
    ReleaseButton(456, 321);
    RunUntilIdle();
    EXPECT_EQ(WindowRect(window), (RECT{100, 100, 450, 322}));

    PressButton(100, 200); // the left edge, far past the minimum width
    MoveMouse(390, 200);
    ReleaseButton(390, 200);
    RunUntilIdle();
    EXPECT_EQ(WindowRect(window), (RECT{250, 100, 450, 322}));
    EXPECT_EQ(edges, (std::vector<WPARAM>{WMSZ_BOTTOMRIGHT, WMSZ_LEFT}));
}

TEST_F(NonClientTest, Dragging_EscapePutsTheWindowBack) {
    HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    POINT grab = CaptionMiddle(window);
    PressButton(grab.x, grab.y);
    MoveMouse(grab.x + 80, grab.y + 80);
    platform::headless::TypeKey(VK_ESCAPE);
    RunUntilIdle();
    EXPECT_EQ(WindowRect(window), (RECT{100, 100, 400, 300}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(NonClientTest, CaptionButtons_ActOnReleaseOverTheButtonOnly) {
    HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    POINT maximize = CaptionButton(window, 1);
    // Pressed, then released elsewhere: nothing happens.
    PressButton(maximize.x, maximize.y);
    ReleaseButton(maximize.x - 100, maximize.y + 50);
    RunUntilIdle();
    EXPECT_FALSE(IsZoomed(window));

    Click(maximize.x, maximize.y);
    RunUntilIdle();
    EXPECT_TRUE(IsZoomed(window));
    EXPECT_EQ(SystemCommands(window), std::vector<WPARAM>{SC_MAXIMIZE});

    // The caption's double click restores it.
    ClearLog();
    SendMessageW(window, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_EQ(SystemCommands(window), std::vector<WPARAM>{SC_RESTORE});

    POINT minimize = CaptionButton(window, 2);
    Click(minimize.x, minimize.y);
    RunUntilIdle();
    EXPECT_TRUE(IsIconic(window));
    ShowWindow(window, SW_RESTORE);

    POINT close = CaptionButton(window, 0);
    Click(close.x, close.y);
    RunUntilIdle();
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(NonClientTest, CaptionButtons_ThatTheStyleLeavesOutDoNothing) {
    HWND window =
        Create(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX | WS_VISIBLE, 100, 100, 300, 200);
    POINT minimize = CaptionButton(window, 2);
    minimize.x += 1;
    Click(minimize.x, minimize.y + 1);
    RunUntilIdle();
    EXPECT_FALSE(IsIconic(window));
    EXPECT_TRUE(SystemCommands(window).empty());
}

TEST_F(NonClientTest, SystemCommands_ChangeStatesCloseAndGiveContextHelp) {
    HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    HWND child = CreateChild(window, 10, 10, 50, 20, 7);
    SendMessageW(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(IsZoomed(window));
    SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(window));
    SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(IsZoomed(window)) << "restoring a window minimised from maximised maximises it";
    SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_EQ(WindowRect(window), (RECT{100, 100, 400, 300}));

    // Context help: the next click asks the control under it.
    POINT onChild{15, 15};
    ClientToScreen(window, &onChild);
    Click(onChild.x, onChild.y);
    SendMessageW(window, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
    std::vector<LoggedMessage> help = Logged(child, WM_HELP);
    ASSERT_EQ(help.size(), 1u);
    auto* info = reinterpret_cast<const HELPINFO*>(help[0].lParam);
    (void)info; // the record lived only during the call; its arrival is what counts
    EXPECT_EQ(GetCapture(), nullptr);

    int beeps = platform::headless::Screen().BeepCount();
    SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, 'q');
    EXPECT_EQ(platform::headless::Screen().BeepCount(), beeps + 1) << "no menu takes Alt+Q";

    SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(NonClientTest, ControlColours_DefaultToWindowOrFaceColours) {
    HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    gdi_test::Canvas canvas(4, 4);
    auto brush = [&](UINT message) {
        return reinterpret_cast<HBRUSH>(SendMessageW(window, message, reinterpret_cast<WPARAM>(canvas.Dc()),
                                                     reinterpret_cast<LPARAM>(window)));
    };
    EXPECT_EQ(brush(WM_CTLCOLOREDIT), GetSysColorBrush(COLOR_WINDOW));
    EXPECT_EQ(GetBkColor(canvas.Dc()), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(brush(WM_CTLCOLORSTATIC), GetSysColorBrush(COLOR_3DFACE));
    EXPECT_EQ(GetBkColor(canvas.Dc()), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(GetTextColor(canvas.Dc()), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(brush(WM_CTLCOLORSCROLLBAR), GetSysColorBrush(COLOR_SCROLLBAR));
}

TEST_F(NonClientTest, ClassicFrame_DrawsActiveAndInactiveCaptionsBordersButtonsAndBars) {
    HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE, 0, 0, 240, 160);
    SetWindowTextW(window, u"窗口 Frame");
    platform::Window* record = platform::FindLiveWindow(window);
    ASSERT_NE(record, nullptr);
    int frame = GetSystemMetrics(SM_CXFRAME);
    int captionY = frame + GetSystemMetrics(SM_CYCAPTION) / 2;

    gdi_test::Canvas active(240, 160, RGB(1, 2, 3));
    platform::SetFrameActive(window, true);
    platform::DrawClassicFrame(active.Dc(), *record);
    gdi_test::Canvas inactive(240, 160, RGB(1, 2, 3));
    platform::SetFrameActive(window, false);
    platform::DrawClassicFrame(inactive.Dc(), *record);
    platform::WriteBitmapPng(active.Bitmap(), std::string(QUILLMERE_BIN_DIR) + "/classic-frame-active.png");
    platform::WriteBitmapPng(inactive.Bitmap(),
                             std::string(QUILLMERE_BIN_DIR) + "/classic-frame-inactive.png");

    // The caption starts in its colour at the left.
    EXPECT_EQ(active.At(frame + 1, frame + 1), GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(inactive.At(frame + 1, frame + 1), GetSysColor(COLOR_INACTIVECAPTION));
    EXPECT_EQ(active.At(240 - frame - 1, frame), GetSysColor(COLOR_GRADIENTACTIVECAPTION));
    // Text in the caption's text colour somewhere after the icon's place.
    int textPixels = 0;
    for (int x = frame + 20; x < 120; ++x)
        for (int y = frame; y < frame + 18; ++y)
            textPixels += active.At(x, y) == GetSysColor(COLOR_CAPTIONTEXT);
    EXPECT_GT(textPixels, 20);
    // The raised outer edge and the sizing border's colour.
    EXPECT_EQ(active.At(0, 80), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(active.At(2, 80), GetSysColor(COLOR_ACTIVEBORDER));
    EXPECT_EQ(inactive.At(2, 80), GetSysColor(COLOR_INACTIVEBORDER));
    // The close button's face, the scroll bar's arrow face, and the client area untouched.
    int closeX = 240 - frame - 2 - (GetSystemMetrics(SM_CXSIZE) - 2) / 2;
    EXPECT_EQ(active.At(closeX - 5, captionY - 4), GetSysColor(COLOR_BTNFACE));
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(active.At(client.right + frame + 2, frame + GetSystemMetrics(SM_CYCAPTION) + 2),
              GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(active.At(frame + 10, frame + GetSystemMetrics(SM_CYCAPTION) + 10), RGB(1, 2, 3));
}

TEST_F(NonClientTest, ClassicFrame_OnTheScreenFollowsActivationAndTheHeldButton) {
    HWND first = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 240, 160);
    SetWindowTextW(first, u"第一 First");
    HWND second = Create(WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE, 300, 20, 240, 160);
    SetWindowTextW(second, u"第二 Second");
    RunUntilIdle();
    int frame = GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(platform::headless::ReadPixel(second, frame + 1, frame + 1), GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(platform::headless::ReadPixel(first, frame + 1, frame + 1), GetSysColor(COLOR_INACTIVECAPTION));
    SetActiveWindow(first);
    RunUntilIdle();
    EXPECT_EQ(platform::headless::ReadPixel(first, frame + 1, frame + 1), GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(platform::headless::ReadPixel(second, frame + 1, frame + 1),
              GetSysColor(COLOR_INACTIVECAPTION));
    SetWindowTextW(first, u"改名 Renamed");
    platform::headless::SaveWindowPng(first, std::string(QUILLMERE_BIN_DIR) + "/classic-frame-window.png");

    // A held scroll arrow is drawn pushed in while the loop runs, raised again after.
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    GetScrollBarInfo(second, OBJID_VSCROLL, &bar);
    RECT r = WindowRect(second);
    POINT arrowCorner = {bar.rcScrollBar.left - r.left, bar.rcScrollBar.top - r.top};
    COLORREF before = platform::headless::ReadPixel(second, arrowCorner.x, arrowCorner.y);
    COLORREF during = 0;
    SetHandler([&](HWND window, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (window == second && message == WM_VSCROLL && LOWORD(wParam) == SB_LINEUP) {
            during = platform::headless::ReadPixel(second, arrowCorner.x, arrowCorner.y);
            ReleaseButton(bar.rcScrollBar.left + 3, bar.rcScrollBar.top + 3);
        }
        return std::nullopt;
    });
    SendMessageW(
        second, WM_NCLBUTTONDOWN, HTVSCROLL,
        MAKELPARAM(static_cast<WORD>(bar.rcScrollBar.left + 3), static_cast<WORD>(bar.rcScrollBar.top + 3)));
    EXPECT_EQ(during, GetSysColor(COLOR_BTNSHADOW));
    EXPECT_NE(before, during);
    EXPECT_EQ(platform::headless::ReadPixel(second, arrowCorner.x, arrowCorner.y), before);
}

} // namespace
