// The status bar: parts and their rectangles, texts in both character sets with their drawing
// types, owner-drawn parts, simple mode, placement at the parent's bottom and the size grip.

#include "../CommonControlTestSupport.h"

#include "platform/base/CodePage.h"

using namespace testing_support;
using platform::headless::MoveMouse;
using platform::headless::PressButton;
using platform::headless::ReadPixel;
using platform::headless::ReleaseButton;
using platform::headless::RunUntilIdle;

namespace {

class StatusBarTest : public CommonControlTest {
protected:
    HWND CreateBar(HWND parent, DWORD style = 0, int id = 7) {
        return CreateWindowExW(0, STATUSCLASSNAMEW, u"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }

    static RECT PartRect(HWND bar, int index) {
        RECT rect{};
        EXPECT_TRUE(
            SendMessageW(bar, SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)));
        return rect;
    }

    static RECT ClientRect(HWND window) {
        RECT rect;
        GetClientRect(window, &rect);
        return rect;
    }
};

TEST_F(StatusBarTest, SitsAlongTheParentsBottomAndFollowsItsSize) {
    HWND parent = CreateParent(400, 300);
    HWND bar = CreateBar(parent);
    RECT rect;
    GetWindowRect(bar, &rect);
    POINT origin{0, 0};
    ClientToScreen(parent, &origin);
    int height = rect.bottom - rect.top;
    EXPECT_EQ(height, 21) << "a 15-pixel line, the parts' edges and two 2-pixel borders";
    EXPECT_EQ(rect.left, origin.x);
    EXPECT_EQ(rect.right - rect.left, 400);
    EXPECT_EQ(rect.bottom, origin.y + 300);

    SetWindowPos(parent, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    SendMessageW(bar, WM_SIZE, 0, 0);
    RECT parentClient = ClientRect(parent);
    GetWindowRect(bar, &rect);
    origin = POINT{0, 0};
    ClientToScreen(parent, &origin);
    EXPECT_EQ(rect.right - rect.left, parentClient.right);
    EXPECT_EQ(rect.bottom - origin.y, parentClient.bottom);

    SendMessageW(bar, SB_SETMINHEIGHT, 30, 0);
    SendMessageW(bar, WM_SIZE, 0, 0);
    GetWindowRect(bar, &rect);
    EXPECT_EQ(rect.bottom - rect.top, 34) << "the minimum drawing height and both vertical borders";

    int borders[3] = {-1, -1, -1};
    EXPECT_TRUE(SendMessageW(bar, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders)));
    EXPECT_EQ(borders[0], 0);
    EXPECT_EQ(borders[1], 2);
    EXPECT_EQ(borders[2], 2);

    HWND fixed = CreateBar(parent, CCS_NOPARENTALIGN, 8);
    SetWindowPos(fixed, nullptr, 10, 10, 100, 25, SWP_NOZORDER);
    SendMessageW(fixed, WM_SIZE, 0, 0);
    GetWindowRect(fixed, &rect);
    EXPECT_EQ(rect.right - rect.left, 100) << "CCS_NOPARENTALIGN keeps the bar where it was put";
}

TEST_F(StatusBarTest, Parts_ThreeOf150PixelsAndTheirRectangles) {
    HWND parent = CreateParent(500, 300);
    HWND bar = CreateBar(parent);
    EXPECT_EQ(SendMessageW(bar, SB_GETPARTS, 0, 0), 1) << "a new bar has one part";

    int edges[] = {150, 300, 450};
    EXPECT_TRUE(SendMessageW(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges)));
    int got[4] = {0, 0, 0, 0};
    EXPECT_EQ(SendMessageW(bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(got)), 3);
    EXPECT_EQ(got[0], 150);
    EXPECT_EQ(got[2], 450);
    EXPECT_EQ(got[3], 0) << "only as many edges as there are parts are written";
    EXPECT_EQ(SendMessageW(bar, SB_GETPARTS, 2, reinterpret_cast<LPARAM>(got)), 3);

    EXPECT_EQ(PartRect(bar, 0), (RECT{0, 2, 150, 19}));
    EXPECT_EQ(PartRect(bar, 1), (RECT{152, 2, 300, 19}));
    EXPECT_EQ(PartRect(bar, 2), (RECT{302, 2, 450, 19}));
    RECT rect{};
    EXPECT_FALSE(SendMessageW(bar, SB_GETRECT, 3, reinterpret_cast<LPARAM>(&rect)));

    int toTheEnd[] = {100, -1};
    SendMessageW(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(toTheEnd));
    EXPECT_EQ(PartRect(bar, 1), (RECT{102, 2, 500, 19})) << "-1 reaches the bar's right edge";

    EXPECT_FALSE(SendMessageW(bar, SB_SETPARTS, 0, reinterpret_cast<LPARAM>(edges)));
    EXPECT_FALSE(SendMessageW(bar, SB_SETPARTS, 257, reinterpret_cast<LPARAM>(edges)));
    EXPECT_FALSE(SendMessageW(bar, SB_SETPARTS, 2, 0));
    EXPECT_EQ(SendMessageW(bar, SB_GETPARTS, 0, 0), 2) << "a refused call changes nothing";
}

TEST_F(StatusBarTest, Texts_InBothCharacterSetsWithTheirDrawingTypes) {
    HWND parent = CreateParent();
    HWND bar = CreateBar(parent);
    int edges[] = {150, 300, -1};
    SendMessageW(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));

    EXPECT_TRUE(SendMessageA(bar, SB_SETTEXTA, 2 | SBT_POPOUT, reinterpret_cast<LPARAM>("共 12 项")));
    EXPECT_EQ(SendMessageA(bar, SB_GETTEXTLENGTHA, 2, 0), MAKELONG(8, SBT_POPOUT)) << "GBK bytes";
    EXPECT_EQ(SendMessageW(bar, SB_GETTEXTLENGTHW, 2, 0), MAKELONG(6, SBT_POPOUT)) << "UTF-16 units";
    WCHAR wide[32] = {};
    EXPECT_EQ(SendMessageW(bar, SB_GETTEXTW, 2, reinterpret_cast<LPARAM>(wide)), MAKELONG(6, SBT_POPOUT));
    EXPECT_EQ(std::u16string(wide), u"\u5171 12 \u9879");

    EXPECT_TRUE(SendMessageW(bar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(u"\u5C31\u7EEA")));
    char narrow[32] = {};
    EXPECT_EQ(SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(narrow)), MAKELONG(4, 0));
    EXPECT_EQ(std::string(narrow), "就绪");

    EXPECT_FALSE(SendMessageW(bar, SB_SETTEXTW, 3, reinterpret_cast<LPARAM>(u"x"))) << "no part 3";
    EXPECT_EQ(SendMessageW(bar, SB_GETTEXTLENGTHW, 3, 0), 0);

    // WM_SETTEXT writes part 0, and the window text with it.
    SetWindowTextA(bar, "进程");
    EXPECT_EQ(SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(narrow)), MAKELONG(4, 0));
    EXPECT_EQ(std::string(narrow), "进程");

    // Parts beyond a shrinking SB_SETPARTS are gone; those that stay keep their texts.
    int one[] = {-1};
    SendMessageW(bar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(one));
    EXPECT_EQ(SendMessageW(bar, SB_GETTEXTLENGTHW, 0, 0), MAKELONG(2, 0));
    EXPECT_EQ(SendMessageW(bar, SB_GETTEXTLENGTHW, 2, 0), 0);
}

TEST_F(StatusBarTest, OwnerDrawnPartsAskTheParentWithTheirData) {
    HWND parent = CreateParent();
    HWND bar = CreateBar(parent, 0, 42);
    int edges[] = {150, -1};
    SendMessageW(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    std::vector<DRAWITEMSTRUCT> drawn;
    AlsoHandle([&](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (window == parent && message == WM_DRAWITEM) {
            EXPECT_EQ(wParam, 42u);
            drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return std::nullopt;
    });
    EXPECT_TRUE(SendMessageW(bar, SB_SETTEXTW, 1 | SBT_OWNERDRAW, 0x1234));
    EXPECT_EQ(SendMessageW(bar, SB_GETTEXTW, 1, 0), 0x1234) << "the data, not a length";
    UpdateWindow(bar);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].CtlID, 42u);
    EXPECT_EQ(drawn[0].itemID, 1u);
    EXPECT_EQ(drawn[0].itemData, 0x1234u);
    EXPECT_EQ(drawn[0].hwndItem, bar);
    EXPECT_EQ(drawn[0].rcItem, (RECT{152, 2, 400, 19}));
}

TEST_F(StatusBarTest, SimpleModeShowsItsOwnTextAndTellsTheParent) {
    HWND parent = CreateParent();
    HWND bar = CreateBar(parent);
    int edges[] = {150, 300, -1};
    SendMessageW(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    SendMessageW(bar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(u"part"));
    EXPECT_TRUE(SendMessageW(bar, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(u"simple")));

    SendMessageW(bar, SB_SIMPLE, TRUE, 0);
    EXPECT_TRUE(SendMessageW(bar, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(NotifyCodes(), std::vector<UINT>{SBN_SIMPLEMODECHANGE});
    EXPECT_EQ(m_notifications[0].hwndFrom, bar);
    EXPECT_EQ(PartRect(bar, 0), (RECT{0, 2, 400, 19}));
    EXPECT_EQ(SendMessageW(bar, SB_GETTEXTLENGTHW, SB_SIMPLEID, 0), MAKELONG(6, 0));
    EXPECT_EQ(SendMessageW(bar, SB_GETTEXTLENGTHW, 1, 0), MAKELONG(4, 0)) << "the parts keep their texts";

    SendMessageW(bar, SB_SIMPLE, FALSE, 0);
    EXPECT_FALSE(SendMessageW(bar, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(PartRect(bar, 1), (RECT{152, 2, 300, 19}));
}

TEST_F(StatusBarTest, Painting_BordersAndTabAlignedText) {
    HWND parent = CreateParent(400, 100);
    HWND bar = CreateBar(parent);
    int edges[] = {150, 300, -1};
    SendMessageW(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    SendMessageW(bar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(u"\t\tRight"));
    SendMessageW(bar, SB_SETTEXTW, 1 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(u"\tMid"));
    SendMessageW(bar, SB_SETTEXTW, 2 | SBT_POPOUT, reinterpret_cast<LPARAM>(u""));
    UpdateWindow(bar);

    const COLORREF shadow = GetSysColor(COLOR_3DSHADOW);
    const COLORREF light = GetSysColor(COLOR_3DHIGHLIGHT);
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    // A sunken part: shadow on the top-left, highlight on the bottom-right.
    EXPECT_EQ(ReadPixel(bar, 10, 2), shadow);
    EXPECT_EQ(ReadPixel(bar, 149, 10), light);
    // Borderless: nothing at the part's edge.
    EXPECT_EQ(ReadPixel(bar, 160, 2), GetSysColor(COLOR_3DFACE));
    // Raised: highlight on the top-left.
    EXPECT_EQ(ReadPixel(bar, 310, 2), light);

    // "\t\tRight" ends at the right of part 0; "\tMid" sits in the middle of part 1.
    EXPECT_TRUE(AnyPixel(bar, RECT{110, 3, 147, 17}, text));
    EXPECT_FALSE(AnyPixel(bar, RECT{3, 3, 100, 17}, text));
    EXPECT_TRUE(AnyPixel(bar, RECT{210, 3, 245, 17}, text));
    EXPECT_FALSE(AnyPixel(bar, RECT{155, 3, 200, 17}, text));
    EXPECT_FALSE(AnyPixel(bar, RECT{255, 3, 300, 17}, text));
}

TEST_F(StatusBarTest, SizeGrip_DraggingItSizesTheTopLevelWindow) {
    HWND parent = CreateParent(400, 300);
    HWND bar = CreateBar(parent, SBARS_SIZEGRIP);
    RECT before;
    GetWindowRect(parent, &before);
    RECT client = ClientRect(bar);
    POINT grip = ScreenPoint(bar, client.right - 3, client.bottom - 3);
    EXPECT_EQ(SendMessageW(bar, WM_NCHITTEST, 0, MAKELPARAM(grip.x, grip.y)), HTBOTTOMRIGHT);
    POINT elsewhere = ScreenPoint(bar, 50, 10);
    EXPECT_EQ(SendMessageW(bar, WM_NCHITTEST, 0, MAKELPARAM(elsewhere.x, elsewhere.y)), HTCLIENT);
    UpdateWindow(bar);
    EXPECT_TRUE(AnyPixel(bar, RECT{client.right - 16, client.bottom - 16, client.right, client.bottom},
                         GetSysColor(COLOR_3DSHADOW)))
        << "the grip's ridges";

    PressButton(grip.x, grip.y);
    MoveMouse(grip.x + 40, grip.y + 30);
    ReleaseButton(grip.x + 40, grip.y + 30);
    RunUntilIdle();
    RECT after;
    GetWindowRect(parent, &after);
    EXPECT_EQ(after.right - before.right, 40);
    EXPECT_EQ(after.bottom - before.bottom, 30);
    EXPECT_EQ(after.left, before.left);

    ShowWindow(parent, SW_MAXIMIZE);
    EXPECT_EQ(SendMessageW(bar, WM_NCHITTEST, 0, MAKELPARAM(grip.x, grip.y)) == HTBOTTOMRIGHT, false)
        << "a maximised window has no grip";
}

TEST_F(StatusBarTest, CreateStatusWindowA_PutsItsTextInPartZero) {
    HWND parent = CreateParent();
    HWND bar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "就绪", parent, 9);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetDlgCtrlID(bar), 9);
    char narrow[16] = {};
    EXPECT_EQ(SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(narrow)), MAKELONG(4, 0));
    EXPECT_EQ(std::string(narrow), "就绪");
    char className[32] = {};
    GetClassNameA(bar, className, sizeof className);
    EXPECT_EQ(std::string(className), "msctls_statusbar32");
}

} // namespace
