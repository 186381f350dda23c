// What a menu window gives a procedure that subclasses it: WM_NCPAINT names the whole frame as 1
// and a part of it as a region, and an owner-drawn item with a submenu gets its arrow drawn
// over what its owner painted.

#include "MenuTestSupport.h"

#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"

using namespace testing_support;
using namespace menu_testing;
namespace headless = platform::headless;

namespace {

HHOOK g_cbt = nullptr;
WNDPROC g_previous = nullptr;
std::vector<WPARAM> g_ncPaints;

LRESULT CALLBACK RecordFramePaints(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCPAINT)
        g_ncPaints.push_back(wParam);
    return CallWindowProcW(g_previous, window, message, wParam, lParam);
}

LRESULT CALLBACK SubclassMenuWindows(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        auto window = reinterpret_cast<HWND>(wParam);
        char name[16] = "";
        GetClassNameA(window, name, sizeof name);
        if (std::string(name) == POPUPMENU_CLASS_NAME)
            g_previous = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordFramePaints)));
    }
    return CallNextHookEx(g_cbt, code, wParam, lParam);
}

class MenuWindowFrameTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        owner = CreateTopLevel(50, 50, 300, 200);
        menu = CreatePopupMenu();
        ClearLog();
    }
    void TearDown() override {
        DestroyMenu(menu);
        WindowTest::TearDown();
    }
    static HWND MenuWindow() { return FindWindowA(POPUPMENU_CLASS_NAME, nullptr); }

    HWND owner = nullptr;
    HMENU menu = nullptr;
};

TEST_F(MenuWindowFrameTest, FramePaint_NamesTheWholeFrameAsOneAndAPartAsARegion) {
    AppendMenuA(menu, MF_STRING, 1, "第一");
    g_ncPaints.clear();
    g_cbt = SetWindowsHookExW(WH_CBT, SubclassMenuWindows, nullptr, GetCurrentThreadId());
    std::vector<WPARAM> whenShown;
    Script({[&] {
        whenShown = g_ncPaints;
        g_ncPaints.clear();
        // The window's top-left corner, given in client coordinates, lies in its border.
        RECT frame{};
        GetWindowRect(MenuWindow(), &frame);
        POINT client{0, 0};
        ClientToScreen(MenuWindow(), &client);
        RECT corner{frame.left - client.x, frame.top - client.y, frame.left - client.x + 1,
                    frame.top - client.y + 1};
        RedrawWindow(MenuWindow(), &corner, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        RedrawWindow(MenuWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
        Key(VK_ESCAPE);
    }});
    TrackPopupMenu(menu, 0, 100, 100, 0, owner, nullptr);
    UnhookWindowsHookEx(g_cbt);
    EXPECT_EQ(whenShown, std::vector<WPARAM>{1}) << "a window shown the first time paints its whole frame";
    ASSERT_EQ(g_ncPaints.size(), 2u);
    EXPECT_NE(g_ncPaints[0], 1u) << "a corner of the frame comes as a region";
    EXPECT_EQ(g_ncPaints[1], 1u);
}

// The owner paints its items yellow; one of them may keep the arrow off by clipping it away.
class OwnerDrawnArrowTest : public MenuWindowFrameTest {
protected:
    static constexpr COLORREF Yellow = RGB(255, 255, 0);

    void SetUp() override {
        MenuWindowFrameTest::SetUp();
        sub = CreatePopupMenu();
        AppendMenuA(sub, MF_STRING, 5, "内层");
        AppendMenuA(menu, MF_OWNERDRAW | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), nullptr);
        AppendMenuA(menu, MF_OWNERDRAW, 7, nullptr);
        SetHandler([this](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
            if (message == WM_MEASUREITEM) {
                auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
                measure->itemWidth = 120;
                measure->itemHeight = 20;
                return TRUE;
            }
            if (message != WM_DRAWITEM)
                return std::nullopt;
            auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            textWhenDrawn = GetTextColor(draw->hDC);
            HBRUSH brush = CreateSolidBrush(Yellow);
            FillRect(draw->hDC, &draw->rcItem, brush);
            DeleteObject(brush);
            if (clipArrow)
                ExcludeClipRect(draw->hDC, draw->rcItem.right - 16, draw->rcItem.top, draw->rcItem.right,
                                draw->rcItem.bottom);
            return TRUE;
        });
    }

    // Pixels in the item's last 16 columns that are not the owner's yellow.
    int PaintedOverArrowColumn(int item) {
        RECT r = ItemRect(owner, menu, static_cast<UINT>(item));
        RECT frame{};
        GetWindowRect(MenuWindow(), &frame);
        OffsetRect(&r, -frame.left, -frame.top);
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.right - 16; x < r.right; ++x)
                count += headless::ReadPixel(MenuWindow(), x, y) != Yellow;
        }
        return count;
    }

    HMENU sub = nullptr;
    bool clipArrow = false;
    COLORREF textWhenDrawn = CLR_INVALID;
};

TEST_F(OwnerDrawnArrowTest, AnItemWithASubmenuGetsItsArrowAfterTheOwnerDrewIt) {
    int arrow = -1;
    int plain = -1;
    Script({[&] {
        arrow = PaintedOverArrowColumn(0);
        plain = PaintedOverArrowColumn(1);
        Key(VK_ESCAPE);
    }});
    TrackPopupMenu(menu, 0, 100, 100, 0, owner, nullptr);
    EXPECT_GT(arrow, 4) << "the arrow is drawn over the owner's yellow";
    EXPECT_EQ(plain, 0) << "an item without a submenu is all the owner's";
    EXPECT_EQ(textWhenDrawn, GetSysColor(COLOR_MENUTEXT)) << "the DC comes in the item's colours";
}

TEST_F(OwnerDrawnArrowTest, AnOwnerThatClipsTheArrowColumnAwayKeepsItsOwnPicture) {
    clipArrow = true;
    int arrow = -1;
    Script({[&] {
        arrow = PaintedOverArrowColumn(0);
        Key(VK_ESCAPE);
    }});
    TrackPopupMenu(menu, 0, 100, 100, 0, owner, nullptr);
    EXPECT_EQ(arrow, 0);
}

} // namespace
