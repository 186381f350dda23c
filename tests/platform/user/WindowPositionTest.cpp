// Placing windows: SetWindowPos and its messages, frames a window computes itself, z-order,
// showing, minimising and maximising, coordinates and hit testing.

#include "WindowTestSupport.h"

using namespace testing_support;

namespace {

using PositionTest = WindowTest;

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT ClientOnScreen(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// A frame of its own: 5 pixels on the sides, a 20-pixel top band, 7 pixels at the bottom, and
// hit codes of its own over it.
std::optional<LRESULT> OwnFrame(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCALCSIZE) {
        RECT* rect =
            wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
        rect->left += 5;
        rect->top += 20;
        rect->right -= 5;
        rect->bottom -= 7;
        return wParam ? WVR_REDRAW : 0;
    }
    if (message == WM_NCHITTEST) {
        RECT r;
        GetWindowRect(window, &r);
        int y = GET_Y_LPARAM(lParam) - r.top;
        if (y < 20)
            return HTCAPTION;
        return DefWindowProcW(window, message, wParam, lParam) == HTCLIENT ? HTCLIENT : HTBORDER;
    }
    return std::nullopt;
}

} // namespace

TEST_F(PositionTest, SetWindowPos_SendsChangingCalcSizeChangedSizeMoveInOrder) {
    HWND window = CreateTopLevel(10, 10, 200, 100, WS_POPUP | WS_VISIBLE);
    ClearLog();
    SetWindowPos(window, nullptr, 20, 30, 250, 120, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(WithoutNoise(Messages(window)),
              (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_ERASEBKGND, WM_WINDOWPOSCHANGED,
                                 WM_SIZE, WM_MOVE}));
    EXPECT_EQ(WindowRect(window), (RECT{20, 30, 270, 150}));

    ClearLog();
    SetWindowPos(window, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(WithoutNoise(Messages(window)),
              (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}))
        << "a move alone does not recompute the frame";

    ClearLog();
    SetWindowPos(window, nullptr, 0, 0, 10, 10, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOSENDCHANGING);
    EXPECT_EQ(WithoutNoise(Messages(window)), (std::vector<UINT>{WM_WINDOWPOSCHANGED}));
}

TEST_F(PositionTest, SetWindowPos_ChangingHandlerMayAdjustThePosition) {
    HWND window = CreateTopLevel(10, 10, 200, 100, WS_POPUP | WS_VISIBLE);
    SetHandler([](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message == WM_WINDOWPOSCHANGING) {
            auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
            position->cx = 123;
            position->y = 77;
        }
        return std::nullopt;
    });
    SetWindowPos(window, nullptr, 50, 50, 300, 300, SWP_NOZORDER);
    EXPECT_EQ(WindowRect(window), (RECT{50, 77, 173, 377}));
}

TEST_F(PositionTest, FrameChanged_ReasksTheFrameAndUsesTheNewAnswer) {
    HWND window = CreateTopLevel(100, 100, 300, 200, WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(ClientOnScreen(window), (RECT{100, 100, 400, 300}));
    SetHandler(OwnFrame);
    ClearLog();
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(Logged(window, WM_NCCALCSIZE).empty()) << "without SWP_FRAMECHANGED the frame is kept";
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ASSERT_EQ(Logged(window, WM_NCCALCSIZE).size(), 1u);
    EXPECT_EQ(Logged(window, WM_NCCALCSIZE)[0].wParam, static_cast<WPARAM>(TRUE));
    EXPECT_EQ(ClientOnScreen(window), (RECT{105, 120, 395, 293}));
    EXPECT_FALSE(Logged(window, WM_SIZE).empty()) << "the client area changed size";
}

TEST_F(PositionTest, OwnFrame_GetsExactlyItsClientAreaAndHitCodes) {
    SetHandler(OwnFrame);
    HWND window = CreateTopLevel(100, 100, 300, 200, WS_POPUP | WS_VISIBLE);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client, (RECT{0, 0, 290, 173}));
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    EXPECT_EQ(origin.x, 105);
    EXPECT_EQ(origin.y, 120);

    ClearLog();
    platform::headless::Click(200, 110);
    platform::headless::Click(200, 200);
    platform::headless::Click(102, 200);
    platform::headless::RunUntilIdle();
    auto presses = Messages(window, {WM_NCLBUTTONDOWN, WM_LBUTTONDOWN});
    ASSERT_EQ(presses.size(), 3u);
    EXPECT_EQ(presses[0], WM_NCLBUTTONDOWN);
    EXPECT_EQ(Logged(window, WM_NCLBUTTONDOWN)[0].wParam, static_cast<WPARAM>(HTCAPTION));
    EXPECT_EQ(presses[1], WM_LBUTTONDOWN);
    EXPECT_EQ(Logged(window, WM_LBUTTONDOWN)[0].lParam, MAKELPARAM(95, 80));
    EXPECT_EQ(Logged(window, WM_NCLBUTTONDOWN)[1].wParam, static_cast<WPARAM>(HTBORDER));
}

TEST_F(PositionTest, DefaultFrame_FollowsTheStyles) {
    HWND overlapped = CreateTopLevel(0, 0, 300, 200, WS_OVERLAPPEDWINDOW);
    RECT client = ClientOnScreen(overlapped);
    // A sizing border of 4 and a caption of 19 (18 and the line under it).
    EXPECT_EQ(client, (RECT{4, 23, 296, 196}));

    HWND dialog = CreateTopLevel(0, 0, 300, 200, WS_POPUP | WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(ClientOnScreen(dialog), (RECT{3, 22, 297, 197}));

    HWND parent = CreateTopLevel(0, 0, 400, 300, WS_POPUP | WS_VISIBLE);
    HWND edged = Create(WS_CHILD | WS_VSCROLL | WS_HSCROLL, 10, 10, 100, 80, parent, WS_EX_CLIENTEDGE);
    RECT inner;
    GetClientRect(edged, &inner);
    EXPECT_EQ(inner, (RECT{0, 0, 100 - 4 - 16, 80 - 4 - 16}));

    RECT adjusted = {0, 0, 292, 173};
    AdjustWindowRectEx(&adjusted, WS_OVERLAPPEDWINDOW, FALSE, 0);
    EXPECT_EQ(adjusted, (RECT{-4, -23, 296, 177}));
    RECT withMenu = {0, 0, 100, 100};
    AdjustWindowRect(&withMenu, WS_OVERLAPPEDWINDOW, TRUE);
    EXPECT_EQ(withMenu.top, -23 - 19);
}

TEST_F(PositionTest, DefaultHitTest_NamesEveryPartOfTheFrame) {
    HWND window = CreateTopLevel(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE);
    auto hit = [&](int x, int y) {
        return SendMessageW(window, WM_NCHITTEST, 0,
                            MAKELPARAM(static_cast<WORD>(100 + x), static_cast<WORD>(100 + y)));
    };
    EXPECT_EQ(hit(150, 100), HTCLIENT);
    EXPECT_EQ(hit(1, 100), HTLEFT);
    EXPECT_EQ(hit(298, 100), HTRIGHT);
    EXPECT_EQ(hit(150, 1), HTTOP);
    EXPECT_EQ(hit(150, 198), HTBOTTOM);
    EXPECT_EQ(hit(1, 1), HTTOPLEFT);
    EXPECT_EQ(hit(298, 198), HTBOTTOMRIGHT);
    EXPECT_EQ(hit(150, 10), HTCAPTION);
    EXPECT_EQ(hit(10, 10), HTSYSMENU);
    EXPECT_EQ(hit(285, 10), HTCLOSE);
    EXPECT_EQ(hit(262, 10), HTMAXBUTTON);
    EXPECT_EQ(hit(246, 10), HTMINBUTTON);
    EXPECT_EQ(hit(290, 100), HTVSCROLL);
    EXPECT_EQ(hit(-5, 10), HTNOWHERE);
}

TEST_F(PositionTest, ZOrder_ChildrenFromTheTopInCreationOrderTopLevelWindowsNewestOnTop) {
    HWND parent = CreateTopLevel();
    HWND a = CreateChild(parent, 0, 0, 10, 10, 1);
    HWND b = CreateChild(parent, 0, 0, 10, 10, 2);
    HWND c = CreateChild(parent, 0, 0, 10, 10, 3);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), a) << "the first child created is on top";
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), c);
    EXPECT_EQ(GetWindow(a, GW_HWNDLAST), c);
    EXPECT_EQ(GetTopWindow(parent), a);

    HWND second = CreateTopLevel();
    EXPECT_EQ(GetTopWindow(nullptr), second) << "a new top-level window comes on top";
    EXPECT_EQ(GetWindow(second, GW_HWNDNEXT), parent);
    HWND owned = Create(WS_POPUP, 0, 0, 10, 10, parent);
    EXPECT_EQ(GetTopWindow(nullptr), owned);
}

TEST_F(PositionTest, ZOrder_FollowsInsertAfterAndKeepsTopmostWindowsAbove) {
    HWND parent = CreateTopLevel();
    HWND a = CreateChild(parent, 0, 0, 10, 10, 1);
    HWND b = CreateChild(parent, 0, 0, 10, 10, 2);
    HWND c = CreateChild(parent, 0, 0, 10, 10, 3);
    SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), c);
    SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(a, b, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), c);
    EXPECT_EQ(GetWindow(c, GW_HWNDPREV), a);
    EXPECT_EQ(GetWindow(b, GW_HWNDLAST), c);

    HWND topmost = Create(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, WS_EX_TOPMOST);
    HWND plain = Create(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    EXPECT_EQ(GetTopWindow(nullptr), topmost) << "a later ordinary window stays under a topmost one";
    EXPECT_EQ(GetWindow(topmost, GW_HWNDNEXT), plain);
    SetWindowPos(topmost, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_FALSE(GetWindowLongW(topmost, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(SetWindowPos(a, plain, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE))
        << "only siblings order each other";
}

TEST_F(PositionTest, ShowWindow_AnnouncesAndReportsThePreviousVisibility) {
    HWND window = CreateTopLevel(10, 10, 100, 100, WS_POPUP);
    EXPECT_FALSE(ShowWindow(window, SW_SHOWNA));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(ShowWindow(window, SW_SHOWNA));
    ClearLog();
    EXPECT_TRUE(ShowWindow(window, SW_HIDE));
    EXPECT_EQ(WithoutNoise(Messages(window)),
              (std::vector<UINT>{WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}));
    EXPECT_EQ(Logged(window, WM_SHOWWINDOW)[0].wParam, static_cast<WPARAM>(FALSE));
    EXPECT_FALSE(IsWindowVisible(window));

    HWND parent = CreateTopLevel(10, 10, 100, 100, WS_POPUP);
    HWND child = CreateChild(parent, 0, 0, 10, 10);
    EXPECT_FALSE(IsWindowVisible(child)) << "a child of a hidden parent is not visible";
    EXPECT_TRUE(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(PositionTest, MaximiseAndMinimise_KeepTheNormalPlacement) {
    HWND window = CreateTopLevel(50, 60, 300, 200);
    ClearLog();
    ShowWindow(window, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(IsZoomed(window));
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(WindowRect(window), (RECT{work.left - 4, work.top - 4, work.right + 4, work.bottom + 4}));
    auto sizes = Logged(window, WM_SIZE);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back().wParam, SIZE_MAXIMIZED);
    EXPECT_FALSE(Logged(window, WM_GETMINMAXINFO).empty());

    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ASSERT_TRUE(GetWindowPlacement(window, &placement));
    EXPECT_EQ(placement.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
    EXPECT_EQ(placement.rcNormalPosition, (RECT{50, 60, 350, 260}));

    ShowWindow(window, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(window));
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_EQ(Logged(window, WM_SIZE).back().wParam, SIZE_MINIMIZED);
    ShowWindow(window, SW_RESTORE);
    EXPECT_TRUE(IsZoomed(window)) << "a window minimised from maximised restores to maximised";
    ShowWindow(window, SW_RESTORE);
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_EQ(WindowRect(window), (RECT{50, 60, 350, 260}));
}

TEST_F(PositionTest, MinMaxInfo_LimitsTheSize) {
    SetHandler([](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message == WM_GETMINMAXINFO) {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = {200, 150};
            info->ptMaxTrackSize = {400, 300};
            return 0;
        }
        return std::nullopt;
    });
    HWND window = CreateTopLevel(0, 0, 100, 100, WS_OVERLAPPEDWINDOW);
    EXPECT_EQ(WindowRect(window), (RECT{0, 0, 200, 150}));
    MoveWindow(window, 0, 0, 1000, 1000, TRUE);
    EXPECT_EQ(WindowRect(window), (RECT{0, 0, 400, 300}));
}

TEST_F(PositionTest, Coordinates_MapBetweenWindowsAndTheScreen) {
    HWND parent = CreateTopLevel(100, 50, 300, 200, WS_POPUP | WS_BORDER | WS_VISIBLE);
    HWND child = CreateChild(parent, 20, 30, 100, 100);
    POINT point{5, 6};
    ClientToScreen(child, &point);
    EXPECT_EQ(point.x, 100 + 1 + 20 + 5);
    EXPECT_EQ(point.y, 50 + 1 + 30 + 6);
    POINT back = point;
    ScreenToClient(parent, &back);
    EXPECT_EQ(back.x, 25);
    EXPECT_EQ(back.y, 36);
    POINT mapped[2] = {{0, 0}, {10, 10}};
    int offsets = MapWindowPoints(child, parent, mapped, 2);
    EXPECT_EQ(mapped[1].x, 30);
    EXPECT_EQ(LOWORD(offsets), 20);
    EXPECT_EQ(HIWORD(offsets), 30);
}

TEST_F(PositionTest, WindowFromPoint_FindsTheDeepestVisibleWindowAndHonoursTransparency) {
    HWND parent = CreateTopLevel(0, 0, 300, 300, WS_POPUP | WS_VISIBLE);
    HWND glass = CreateChild(parent, 150, 150, 100, 100, 4); // made first: above the panel
    HWND panel = CreateChild(parent, 10, 10, 200, 200, 1);
    HWND button = CreateChild(panel, 10, 10, 50, 50, 2);
    HWND hidden = CreateChild(panel, 100, 100, 50, 50, 3, WS_CHILD);
    EXPECT_EQ(WindowFromPoint({30, 30}), button);
    EXPECT_EQ(WindowFromPoint({130, 130}), panel) << "a hidden window is passed over";
    EXPECT_EQ(WindowFromPoint({200, 200}), glass);
    SetHandler([&](HWND w, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (w == glass && message == WM_NCHITTEST)
            return HTTRANSPARENT;
        return std::nullopt;
    });
    EXPECT_EQ(WindowFromPoint({180, 180}), panel)
        << "a transparent answer lets the window below take the point";
    EXPECT_EQ(WindowFromPoint({240, 240}), parent);
    EnableWindow(button, FALSE);
    EXPECT_EQ(WindowFromPoint({30, 30}), panel) << "a disabled child leaves the point to its parent";
    EXPECT_EQ(ChildWindowFromPointEx(panel, {110, 110}, CWP_ALL), hidden);
    EXPECT_EQ(ChildWindowFromPointEx(panel, {110, 110}, CWP_SKIPINVISIBLE), panel);
    EXPECT_EQ(ChildWindowFromPointEx(panel, {20, 20}, CWP_SKIPDISABLED), panel);
    EXPECT_EQ(ChildWindowFromPointEx(panel, {500, 20}, CWP_ALL), nullptr);
}

TEST_F(PositionTest, Tree_ParentOwnerAndAncestors) {
    HWND top = CreateTopLevel();
    HWND child = CreateChild(top, 0, 0, 10, 10, 5);
    HWND grandchild = CreateChild(child, 0, 0, 5, 5, 6);
    HWND popup = Create(WS_POPUP, 0, 0, 10, 10, child);
    EXPECT_EQ(GetParent(grandchild), child);
    EXPECT_EQ(GetParent(popup), top) << "a popup's parent is its owner, the top-level window";
    EXPECT_EQ(GetWindow(popup, GW_OWNER), top);
    EXPECT_EQ(GetAncestor(grandchild, GA_ROOT), top);
    EXPECT_EQ(GetAncestor(top, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(GetAncestor(popup, GA_ROOTOWNER), top);
    EXPECT_TRUE(IsChild(top, grandchild));
    EXPECT_FALSE(IsChild(top, popup));
    EXPECT_EQ(GetDlgItem(child, 6), grandchild);
    EXPECT_EQ(GetDlgCtrlID(child), 5);

    static std::vector<HWND> seen;
    seen.clear();
    EnumChildWindows(
        top,
        [](HWND w, LPARAM) -> BOOL {
            seen.push_back(w);
            return TRUE;
        },
        0);
    EXPECT_EQ(seen, (std::vector<HWND>{child, grandchild}));

    HWND other = CreateTopLevel();
    EXPECT_EQ(SetParent(grandchild, other), child);
    EXPECT_EQ(GetParent(grandchild), other);
    EXPECT_EQ(SetParent(other, grandchild), nullptr) << "a window cannot go inside its own child";
}
