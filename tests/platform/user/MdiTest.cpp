// The multiple-document interface: an MDI frame with its client and children made, activated
// by message, mouse and keyboard, maximised with their buttons in the frame's menu bar,
// restored, minimised, cascaded, tiled and closed, and the window menu's list of children.

#include "WindowTestSupport.h"

#include "platform/gdi/WinRect.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/mdi/WinMdi.h"

#include <algorithm>
#include <string>

using namespace testing_support;
namespace headless = platform::headless;

namespace {

constexpr UINT FirstChildId = 500;
constexpr UINT CommandFromMenu = 100;

struct Seen {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<Seen>& SeenLog() {
    static std::vector<Seen> seen;
    return seen;
}

HWND g_client = nullptr;
const MDICREATESTRUCTW* g_createRecord = nullptr;
// A subclass of the client records the WM_MDI messages the client receives, as a skin would.
WNDPROC g_clientProcedure = nullptr;

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND || message == WM_MDIACTIVATE || message == WM_SYSCOMMAND)
        SeenLog().push_back({frame, message, wParam, lParam});
    return DefFrameProcW(frame, g_client, message, wParam, lParam);
}

LRESULT CALLBACK ChildProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        g_createRecord = static_cast<const MDICREATESTRUCTW*>(create->lpCreateParams);
    }
    if (message == WM_MDIACTIVATE || message == WM_SYSCOMMAND || message == WM_CLOSE)
        SeenLog().push_back({child, message, wParam, lParam});
    return DefMDIChildProcW(child, message, wParam, lParam);
}

LRESULT CALLBACK ClientSubclass(HWND client, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_MDICREATE && message <= WM_MDIREFRESHMENU)
        SeenLog().push_back({client, message, wParam, lParam});
    return CallWindowProcW(g_clientProcedure, client, message, wParam, lParam);
}

class MdiTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        SeenLog().clear();
        RegisterClass(u"MdiTestFrame", FrameProc, COLOR_3DFACE);
        RegisterClass(u"MdiTestChild", ChildProc, COLOR_WINDOW);
        m_bar = CreateMenu();
        m_windowMenu = CreatePopupMenu();
        AppendMenuW(m_windowMenu, MF_STRING, CommandFromMenu, u"层叠(&C)");
        AppendMenuW(m_bar, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), u"文件(&F)");
        AppendMenuW(m_bar, MF_POPUP, reinterpret_cast<UINT_PTR>(m_windowMenu), u"窗口(&W)");
        m_frame = CreateWindowExW(0, u"MdiTestFrame", u"Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 600,
                                  450, nullptr, m_bar, nullptr, nullptr);
        CLIENTCREATESTRUCT create{m_windowMenu, FirstChildId};
        RECT area{};
        GetClientRect(m_frame, &area);
        g_client =
            CreateWindowExW(WS_EX_CLIENTEDGE, u"MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE,
                            0, 0, area.right, area.bottom, m_frame, nullptr, nullptr, &create);
        ASSERT_NE(g_client, nullptr);
        g_clientProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(g_client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ClientSubclass)));
        headless::RunUntilIdle();
    }
    void TearDown() override {
        if (IsWindow(m_frame))
            DestroyWindow(m_frame);
        g_client = nullptr;
        UnregisterClassW(u"MdiTestFrame", nullptr);
        UnregisterClassW(u"MdiTestChild", nullptr);
        WindowTest::TearDown();
    }

    static void RegisterClass(const char16_t* name, WNDPROC procedure, int colour) {
        WNDCLASSEXW description{};
        description.cbSize = sizeof description;
        description.lpfnWndProc = procedure;
        description.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(colour + 1));
        description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        description.lpszClassName = name;
        ASSERT_NE(RegisterClassExW(&description), 0);
    }

    HWND NewChild(const char16_t* title, DWORD style = 0, int x = CW_USEDEFAULT, int y = CW_USEDEFAULT,
                  int width = CW_USEDEFAULT, int height = CW_USEDEFAULT) {
        MDICREATESTRUCTW create{u"MdiTestChild", title, nullptr, x, y, width, height, style, 77};
        HWND child = reinterpret_cast<HWND>(
            SendMessageW(g_client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
        headless::RunUntilIdle();
        return child;
    }
    static HWND Active(BOOL* maximized = nullptr) {
        return reinterpret_cast<HWND>(
            SendMessageW(g_client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximized)));
    }
    static std::u16string Text(HWND window) {
        WCHAR text[128] = {};
        GetWindowTextW(window, text, 128);
        return text;
    }
    // The window menu's items after its own: the separator and the children's entries.
    std::vector<std::u16string> WindowList() const {
        std::vector<std::u16string> items;
        for (int i = 1; i < GetMenuItemCount(m_windowMenu); ++i) {
            WCHAR text[64] = {};
            GetMenuStringW(m_windowMenu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
            UINT state = GetMenuState(m_windowMenu, static_cast<UINT>(i), MF_BYPOSITION);
            items.push_back((state & MF_CHECKED ? u"* " : u"") + std::u16string(text));
        }
        return items;
    }
    static RECT ClientRectIn(HWND window, HWND parent) {
        RECT rect{};
        GetClientRect(window, &rect);
        MapWindowPoints(window, parent, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    static RECT PlaceIn(HWND window, HWND parent) {
        RECT rect{};
        GetWindowRect(window, &rect);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    static std::vector<UINT> SeenBy(HWND window, UINT message) {
        std::vector<UINT> found;
        for (const Seen& s : SeenLog()) {
            if (s.window == window && s.message == message)
                found.push_back(static_cast<UINT>(s.wParam));
        }
        return found;
    }
    void PressCtrlWith(UINT key, bool shift = false) {
        headless::PressKey(VK_CONTROL);
        if (shift)
            headless::PressKey(VK_SHIFT);
        headless::RunUntilIdle();
        MSG message{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_TRUE(TranslateMDISysAccel(g_client, &message));
        if (shift)
            headless::ReleaseKey(VK_SHIFT);
        headless::ReleaseKey(VK_CONTROL);
        headless::RunUntilIdle();
    }

    HWND m_frame = nullptr;
    HMENU m_bar = nullptr;
    HMENU m_windowMenu = nullptr;
};

} // namespace

TEST_F(MdiTest, Create_MakesActiveNumberedChildrenListedInTheWindowMenu) {
    HWND one = NewChild(u"one");
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(g_createRecord != nullptr ? g_createRecord->lParam : 0, 77)
        << "the child's record carries ours";
    HWND two = NewChild(u"two");
    EXPECT_EQ(GetParent(two), g_client);
    EXPECT_TRUE(GetWindowLongW(two, GWL_EXSTYLE) & WS_EX_MDICHILD);
    DWORD style = static_cast<DWORD>(GetWindowLongW(two, GWL_STYLE));
    EXPECT_EQ(style & (WS_CHILD | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_VISIBLE),
              WS_CHILD | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_VISIBLE);
    EXPECT_EQ(GetDlgCtrlID(one), static_cast<int>(FirstChildId));
    EXPECT_EQ(GetDlgCtrlID(two), static_cast<int>(FirstChildId + 1));
    EXPECT_EQ(Active(), two);
    EXPECT_EQ(GetWindow(g_client, GW_CHILD), two) << "the active child is in front";
    EXPECT_EQ(GetFocus(), two);
    EXPECT_EQ(WindowList(), (std::vector<std::u16string>{u"", u"&1 one", u"* &2 two"}));
    RECT first = PlaceIn(one, g_client);
    RECT second = PlaceIn(two, g_client);
    EXPECT_GT(second.left, first.left) << "default places cascade";
    EXPECT_GT(second.top, first.top);
    // The first child heard it was left for the second one.
    ASSERT_FALSE(SeenBy(one, WM_MDIACTIVATE).empty());
    EXPECT_EQ(SeenBy(one, WM_MDIACTIVATE).back(), reinterpret_cast<UINT_PTR>(one));

    HWND three = CreateMDIWindowW(u"MdiTestChild", u"three", 0, 0, 0, 100, 80, g_client, nullptr, 0);
    EXPECT_EQ(three, GetWindow(g_client, GW_CHILD));
    EXPECT_EQ(SeenBy(g_client, WM_MDICREATE).size(), 3u) << "a subclass of the client sees each creation";
}

TEST_F(MdiTest, Activation_FollowsMessagesClicksAndTheKeyboard) {
    HWND one = NewChild(u"one", 0, 0, 0, 200, 150);
    HWND two = NewChild(u"two", 0, 250, 0, 200, 150);
    HWND three = NewChild(u"three", 0, 100, 200, 200, 150);
    SendMessageW(g_client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(one), 0);
    EXPECT_EQ(Active(), one);
    EXPECT_EQ(WindowList(), (std::vector<std::u16string>{u"", u"* &1 one", u"&2 two", u"&3 three"}));

    // A click into a child's client area, and one on its caption, make it the active one.
    RECT client = ClientRectIn(two, nullptr);
    headless::Click(client.left + 20, client.top + 20);
    headless::RunUntilIdle();
    EXPECT_EQ(Active(), two);
    RECT frame{};
    GetWindowRect(three, &frame);
    headless::Click(frame.left + 60, frame.top + 10);
    headless::RunUntilIdle();
    EXPECT_EQ(Active(), three);

    // Ctrl+F6 visits every child in turn; Ctrl+Shift+F6 goes back.
    PressCtrlWith(VK_F6);
    HWND afterOne = Active();
    PressCtrlWith(VK_F6);
    HWND afterTwo = Active();
    PressCtrlWith(VK_F6);
    std::vector<HWND> visited{afterOne, afterTwo, Active()};
    std::sort(visited.begin(), visited.end());
    std::vector<HWND> all{one, two, three};
    std::sort(all.begin(), all.end());
    EXPECT_EQ(visited, all);
    HWND before = Active();
    PressCtrlWith(VK_F6);
    PressCtrlWith(VK_F6, true);
    EXPECT_EQ(Active(), before);

    // The window menu's entries activate their children through the frame.
    SendMessageW(m_frame, WM_COMMAND, FirstChildId, 0);
    EXPECT_EQ(Active(), one);
}

TEST_F(MdiTest, Maximise_PutsTheChildsButtonsIntoTheFrameMenuUntilRestored) {
    HWND one = NewChild(u"one");
    HWND two = NewChild(u"two");
    int barItems = GetMenuItemCount(m_bar);
    SendMessageW(g_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(two), 0);
    headless::RunUntilIdle();
    BOOL maximized = FALSE;
    EXPECT_EQ(Active(&maximized), two);
    EXPECT_TRUE(maximized);
    RECT mdiClient{};
    GetClientRect(g_client, &mdiClient);
    EXPECT_EQ(ClientRectIn(two, g_client), mdiClient) << "the child's client area fills the MDI client";
    EXPECT_EQ(Text(m_frame), u"Frame - [two]");

    ASSERT_EQ(GetMenuItemCount(m_bar), barItems + 4);
    EXPECT_EQ(GetSubMenu(m_bar, 0), GetSystemMenu(two, FALSE)) << "the child's system menu comes first";
    EXPECT_EQ(GetMenuItemID(m_bar, barItems + 1), SC_MINIMIZE);
    EXPECT_EQ(GetMenuItemID(m_bar, barItems + 2), SC_RESTORE);
    EXPECT_EQ(GetMenuItemID(m_bar, barItems + 3), SC_CLOSE);

    // Another child takes the maximised state over.
    SendMessageW(g_client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(one), 0);
    headless::RunUntilIdle();
    EXPECT_TRUE(IsZoomed(one));
    EXPECT_FALSE(IsZoomed(two));
    EXPECT_EQ(GetSubMenu(m_bar, 0), GetSystemMenu(one, FALSE));
    EXPECT_EQ(GetMenuItemCount(m_bar), barItems + 4);
    EXPECT_EQ(Text(m_frame), u"Frame - [one]");

    // The restore button in the bar, pressed with the mouse, restores the child.
    RECT restore{};
    ASSERT_TRUE(GetMenuItemRect(m_frame, m_bar, static_cast<UINT>(barItems + 2), &restore));
    headless::Click((restore.left + restore.right) / 2, (restore.top + restore.bottom) / 2);
    headless::RunUntilIdle();
    EXPECT_FALSE(IsZoomed(one));
    EXPECT_EQ(GetMenuItemCount(m_bar), barItems);
    EXPECT_EQ(Text(m_frame), u"Frame");
    EXPECT_TRUE(IsMenu(GetSystemMenu(one, FALSE))) << "the child keeps its system menu";
}

TEST_F(MdiTest, Minimise_LinesChildrenUpAlongTheBottom) {
    HWND one = NewChild(u"one");
    HWND two = NewChild(u"two");
    SendMessageW(one, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    SendMessageW(two, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    headless::RunUntilIdle();
    RECT mdiClient{};
    GetClientRect(g_client, &mdiClient);
    RECT first = PlaceIn(one, g_client);
    RECT second = PlaceIn(two, g_client);
    EXPECT_EQ(first.left, 0);
    EXPECT_EQ(first.bottom, mdiClient.bottom);
    EXPECT_EQ(second.left, GetSystemMetrics(SM_CXMINSPACING)) << "the next free slot";
    EXPECT_EQ(second.top, first.top);

    SetWindowPos(one, nullptr, 300, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageW(g_client, WM_MDIICONARRANGE, 0, 0);
    EXPECT_EQ(PlaceIn(one, g_client).bottom, mdiClient.bottom) << "arranging puts it back in a slot";
    SendMessageW(m_frame, WM_COMMAND, FirstChildId, 0);
    EXPECT_FALSE(IsIconic(one)) << "choosing a minimised child from the window menu restores it";
}

TEST_F(MdiTest, CascadeAndTile_ArrangeTheChildrenInsideTheClient) {
    std::vector<HWND> children;
    for (const char16_t* title : {u"a", u"b", u"c", u"d"})
        children.push_back(NewChild(title, 0, 10, 10, 100, 100));
    SendMessageW(g_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(children.back()), 0);
    RECT mdiClient{};
    GetClientRect(g_client, &mdiClient);

    EXPECT_TRUE(SendMessageW(g_client, WM_MDICASCADE, 0, 0));
    EXPECT_FALSE(IsZoomed(children.back())) << "cascading restores a maximised child";
    int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYSIZEFRAME);
    RECT front = PlaceIn(Active(), g_client);
    EXPECT_EQ(front.left, 3 * step) << "the front window comes last, one caption further each time";
    EXPECT_EQ(front.right, mdiClient.right);
    EXPECT_EQ(front.bottom, mdiClient.bottom);
    EXPECT_EQ(GetWindow(g_client, GW_CHILD), children.back()) << "the z-order stays";

    auto checkTiles = [&](UINT how) {
        EXPECT_TRUE(SendMessageW(g_client, WM_MDITILE, how, 0));
        long area = 0;
        for (HWND child : children) {
            RECT r = PlaceIn(child, g_client);
            area += (r.right - r.left) * (r.bottom - r.top);
            for (HWND other : children) {
                RECT o = PlaceIn(other, g_client);
                RECT overlap{};
                if (other != child) {
                    EXPECT_FALSE(IntersectRect(&overlap, &r, &o)) << "tiles do not overlap";
                }
            }
        }
        EXPECT_EQ(area, static_cast<long>(mdiClient.right) * mdiClient.bottom) << "tiles fill the client";
    };
    checkTiles(MDITILE_VERTICAL);
    RECT first = PlaceIn(GetWindow(g_client, GW_CHILD), g_client);
    EXPECT_EQ(first.bottom - first.top, mdiClient.bottom / 2) << "four windows tile as a grid";
    checkTiles(MDITILE_HORIZONTAL);
    EXPECT_EQ(SeenBy(g_client, WM_MDITILE).size(), 2u);
}

TEST_F(MdiTest, Close_DestroysTheChildAndActivatesTheNext) {
    HWND one = NewChild(u"one");
    HWND two = NewChild(u"two");
    HWND three = NewChild(u"three");
    SendMessageW(g_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(three), 0);
    int barItems = GetMenuItemCount(m_bar);

    // Ctrl+F4 closes the active child through its system command and the client.
    PressCtrlWith(VK_F4);
    EXPECT_FALSE(IsWindow(three));
    EXPECT_EQ(SeenBy(three, WM_SYSCOMMAND), std::vector<UINT>{SC_CLOSE});
    EXPECT_EQ(SeenBy(g_client, WM_MDIDESTROY).size(), 1u) << "the client's subclass sees the destruction";
    HWND next = Active();
    EXPECT_TRUE(next == one || next == two);
    EXPECT_TRUE(IsZoomed(next)) << "the next child takes the maximised state";
    EXPECT_EQ(GetMenuItemCount(m_bar), barItems);
    EXPECT_EQ(GetSubMenu(m_bar, 0), GetSystemMenu(next, FALSE));

    // Destroyed directly, a child is forgotten all the same; the ids close up.
    DestroyWindow(one);
    headless::RunUntilIdle();
    EXPECT_EQ(Active(), two);
    EXPECT_EQ(GetDlgCtrlID(two), static_cast<int>(FirstChildId));
    EXPECT_EQ(WindowList(), (std::vector<std::u16string>{u"", u"* &1 two"}));

    SendMessageW(g_client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(two), 0);
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(GetMenuItemCount(m_windowMenu), 1) << "an empty list takes its separator away";
    EXPECT_EQ(GetMenuItemCount(m_bar), 2);
    EXPECT_EQ(Text(m_frame), u"Frame");
}

TEST_F(MdiTest, CaptionButtons_ActOnAnInactiveChildAtTheFirstPress) {
    HWND one = NewChild(u"one", 0, 0, 0, 220, 150);
    HWND two = NewChild(u"two", 0, 260, 0, 220, 150);
    ASSERT_EQ(Active(), two);
    // A screen point of a child's frame that answers the hit-test code.
    auto pointOf = [](HWND child, LRESULT code) {
        RECT rect{};
        GetWindowRect(child, &rect);
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                if (SendMessageW(child, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == code)
                    return POINT{x + 3, y + 3};
        return POINT{-1, -1};
    };

    // The maximise button activates the child and maximises it in one click.
    POINT maximise = pointOf(one, HTMAXBUTTON);
    headless::Click(maximise.x, maximise.y);
    headless::RunUntilIdle();
    EXPECT_EQ(Active(), one);
    EXPECT_TRUE(IsZoomed(one));
    SendMessageW(g_client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(one), 0);
    SendMessageW(g_client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(two), 0);
    headless::RunUntilIdle();

    // The caption drags it at once, and the drag leaves the pointer free.
    RECT before = PlaceIn(one, g_client);
    POINT caption = pointOf(one, HTCAPTION);
    headless::PressButton(caption.x, caption.y);
    headless::MoveMouse(caption.x + 15, caption.y + 25);
    headless::ReleaseButton(caption.x + 15, caption.y + 25);
    headless::RunUntilIdle();
    RECT after = PlaceIn(one, g_client);
    EXPECT_EQ(after.left - before.left, 15);
    EXPECT_EQ(after.top - before.top, 25);
    EXPECT_EQ(Active(), one);
    EXPECT_EQ(GetCapture(), nullptr);

    // The other child's close button closes it with one click; the dragged one stays active.
    POINT close = pointOf(two, HTCLOSE);
    headless::Click(close.x, close.y);
    headless::RunUntilIdle();
    EXPECT_FALSE(IsWindow(two));
    EXPECT_EQ(Active(), one);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MdiTest, SetMenu_MovesTheListAndTheButtonsToTheNewMenus) {
    HWND one = NewChild(u"one");
    SendMessageW(g_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(one), 0);
    HMENU bar = CreateMenu();
    HMENU windows = CreatePopupMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(windows), u"窗口(&W)");
    LRESULT previous = SendMessageW(g_client, WM_MDISETMENU, reinterpret_cast<WPARAM>(bar),
                                    reinterpret_cast<LPARAM>(windows));
    EXPECT_EQ(reinterpret_cast<HMENU>(previous), m_bar);
    EXPECT_EQ(GetMenu(m_frame), bar);
    EXPECT_EQ(GetMenuItemCount(m_bar), 2) << "the old bar is left as it was";
    EXPECT_EQ(GetMenuItemCount(m_windowMenu), 1);
    EXPECT_EQ(GetMenuItemCount(bar), 5);
    EXPECT_EQ(GetMenuItemCount(windows), 2);
    DestroyMenu(m_bar);
    m_windowMenu = windows;
    m_bar = bar;
}

TEST_F(MdiTest, Picture_FrameWithAMaximisedChildAndTwoInIt) {
    NewChild(u"文档一", 0, 10, 10, 260, 180);
    HWND two = NewChild(u"文档二", 0, 150, 90, 260, 180);
    headless::RunUntilIdle();
    EXPECT_TRUE(headless::SaveWindowPng(m_frame, QUILLMERE_BIN_DIR "/../platform-mdi.png"));
    SendMessageW(g_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(two), 0);
    headless::RunUntilIdle();
    EXPECT_TRUE(headless::SaveWindowPng(m_frame, QUILLMERE_BIN_DIR "/../platform-mdi-maximized.png"));
}
