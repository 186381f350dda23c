// The tab control: items in both character sets, selection and focus with the parent's say,
// geometry of tabs and display area on every side and as buttons, rows, hit tests, the
// keyboard, owner drawing, the scroller of overflowing tabs and the classic look.

#include "../CommonControlTestSupport.h"

using namespace testing_support;
using platform::headless::Click;
using platform::headless::PressKey;
using platform::headless::ReadPixel;
using platform::headless::ReleaseKey;
using platform::headless::RunUntilIdle;
using platform::headless::TypeKey;

namespace {

class TabControlTest : public CommonControlTest {
protected:
    HWND CreateTabs(HWND parent, DWORD style = 0, int width = 300, int height = 200) {
        return CreateWindowExW(0, WC_TABCONTROLW, u"", WS_CHILD | WS_VISIBLE | style, 0, 0, width, height,
                               parent, reinterpret_cast<HMENU>(5), nullptr, nullptr);
    }

    static int Insert(HWND tabs, int index, const char16_t* text, LPARAM param = 0) {
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = const_cast<LPWSTR>(text);
        item.lParam = param;
        return static_cast<int>(
            SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
    }

    // Tabs of a fixed 60 x 20 pixels, so that every rectangle is known.
    HWND CreateFixedTabs(HWND parent, int count, DWORD style = 0, int width = 300) {
        HWND tabs = CreateTabs(parent, TCS_FIXEDWIDTH | style, width);
        SendMessageW(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(60, 20));
        for (int i = 0; i < count; ++i)
            Insert(tabs, i, u"Tab");
        return tabs;
    }

    static RECT ItemRect(HWND tabs, int index) {
        RECT rect{};
        EXPECT_TRUE(
            SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)));
        return rect;
    }

    static RECT Adjusted(HWND tabs, RECT rect, bool larger) {
        SendMessageW(tabs, TCM_ADJUSTRECT, larger, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }

    static int Selected(HWND tabs) { return static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0)); }
};

TEST_F(TabControlTest, Items_InBothCharacterSets) {
    HWND parent = CreateParent();
    HWND tabs = CreateTabs(parent);
    EXPECT_EQ(Selected(tabs), -1);

    TCITEMA narrow{};
    narrow.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
    narrow.pszText = const_cast<LPSTR>("连接列表");
    narrow.iImage = 3;
    narrow.lParam = 77;
    EXPECT_EQ(SendMessageA(tabs, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&narrow)), 0);
    EXPECT_EQ(Selected(tabs), 0) << "the first tab is selected";
    EXPECT_EQ(Insert(tabs, 9, u"IP\u6570\u636E\u5E93"), 1) << "an index past the end appends";
    EXPECT_EQ(Insert(tabs, -1, u"x"), -1);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);

    // The skin's question: text, image and state, 80 characters of room.
    WCHAR wide[80] = {};
    TCITEMW item{};
    item.mask = 0x13;
    item.pszText = wide;
    item.cchTextMax = 80;
    item.dwStateMask = 0xFFFFFFFF;
    EXPECT_TRUE(SendMessageW(tabs, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(std::u16string(wide), u"\u8FDE\u63A5\u5217\u8868");
    EXPECT_EQ(item.iImage, 3);
    EXPECT_EQ(item.dwState, 0u);

    char text[80] = {};
    TCITEMA back{};
    back.mask = TCIF_TEXT | TCIF_PARAM | TCIF_IMAGE;
    back.pszText = text;
    back.cchTextMax = 80;
    EXPECT_TRUE(SendMessageA(tabs, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&back)));
    EXPECT_EQ(std::string(text), "IP数据库");
    EXPECT_EQ(back.iImage, -1) << "no image was given";
    // Five bytes of room hold "IP" and one double-byte character, never half of one.
    back.cchTextMax = 6;
    SendMessageA(tabs, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&back));
    EXPECT_EQ(std::string(text), "IP数");
    back.cchTextMax = 80;
    SendMessageA(tabs, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&back));
    EXPECT_EQ(back.lParam, 77);

    TCITEMW change{};
    change.mask = TCIF_TEXT | TCIF_STATE;
    change.pszText = const_cast<LPWSTR>(u"Renamed");
    change.dwState = TCIS_HIGHLIGHTED;
    change.dwStateMask = TCIS_HIGHLIGHTED;
    EXPECT_TRUE(SendMessageW(tabs, TCM_SETITEMW, 1, reinterpret_cast<LPARAM>(&change)));
    EXPECT_FALSE(SendMessageW(tabs, TCM_SETITEMW, 2, reinterpret_cast<LPARAM>(&change)));
    SendMessageW(tabs, TCM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(std::u16string(wide), u"Renamed");
    EXPECT_EQ(item.dwState, TCIS_HIGHLIGHTED);
    EXPECT_FALSE(SendMessageW(tabs, TCM_GETITEMW, 5, reinterpret_cast<LPARAM>(&item)));
}

TEST_F(TabControlTest, Deleting_MovesTheSelectionWithItsTab) {
    HWND parent = CreateParent();
    HWND tabs = CreateFixedTabs(parent, 4);
    SendMessageW(tabs, TCM_SETCURSEL, 2, 0);
    EXPECT_TRUE(SendMessageW(tabs, TCM_DELETEITEM, 0, 0));
    EXPECT_EQ(Selected(tabs), 1) << "the selected tab moved up one place";
    EXPECT_EQ(Insert(tabs, 0, u"Again"), 0);
    EXPECT_EQ(Selected(tabs), 2);
    EXPECT_TRUE(SendMessageW(tabs, TCM_DELETEITEM, 2, 0));
    EXPECT_EQ(Selected(tabs), -1) << "deleting the selected tab leaves none selected";
    EXPECT_FALSE(SendMessageW(tabs, TCM_DELETEITEM, 3, 0));
    EXPECT_TRUE(SendMessageW(tabs, TCM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(TabControlTest, Geometry_TabsAndDisplayAreaOnEverySide) {
    HWND parent = CreateParent();
    const RECT window{0, 0, 300, 200};

    HWND top = CreateFixedTabs(parent, 2);
    EXPECT_EQ(ItemRect(top, 0), (RECT{2, 2, 62, 22}));
    EXPECT_EQ(ItemRect(top, 1), (RECT{62, 2, 122, 22}));
    EXPECT_EQ(Adjusted(top, window, false), (RECT{4, 26, 296, 196}));
    EXPECT_EQ(Adjusted(top, RECT{4, 26, 296, 196}, true), window);
    EXPECT_EQ(SendMessageW(top, TCM_SETITEMSIZE, 0, MAKELPARAM(50, 18)), MAKELONG(60, 20)) << "the old size";
    EXPECT_EQ(ItemRect(top, 1), (RECT{52, 2, 102, 20}));
    DestroyWindow(top);

    HWND bottom = CreateFixedTabs(parent, 2, TCS_BOTTOM);
    EXPECT_EQ(ItemRect(bottom, 1), (RECT{62, 178, 122, 198}));
    EXPECT_EQ(Adjusted(bottom, window, false), (RECT{4, 4, 296, 174}));
    DestroyWindow(bottom);

    HWND left = CreateFixedTabs(parent, 2, TCS_VERTICAL | TCS_MULTILINE);
    EXPECT_EQ(ItemRect(left, 1), (RECT{2, 62, 22, 122}));
    EXPECT_EQ(Adjusted(left, window, false), (RECT{26, 4, 296, 196}));
    DestroyWindow(left);

    HWND right = CreateFixedTabs(parent, 2, TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE);
    EXPECT_EQ(ItemRect(right, 1), (RECT{278, 62, 298, 122}));
    EXPECT_EQ(Adjusted(right, window, false), (RECT{4, 4, 274, 196}));
    DestroyWindow(right);

    HWND buttons = CreateFixedTabs(parent, 2, TCS_BUTTONS);
    EXPECT_EQ(ItemRect(buttons, 1), (RECT{63, 0, 123, 20})) << "buttons stand three pixels apart";
    EXPECT_EQ(Adjusted(buttons, window, false), (RECT{0, 23, 300, 200}));
}

TEST_F(TabControlTest, Rows_WrapStretchAndKeepTheSelectedRowNextToThePane) {
    HWND parent = CreateParent();
    HWND tabs = CreateFixedTabs(parent, 6, TCS_MULTILINE);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETROWCOUNT, 0, 0), 2);
    EXPECT_EQ(Adjusted(tabs, RECT{0, 0, 300, 200}, false).top, 46);
    // Each row is stretched to the full line.
    EXPECT_EQ(ItemRect(tabs, 0), (RECT{2, 22, 76, 42}));
    EXPECT_EQ(ItemRect(tabs, 3).right, 298);
    EXPECT_EQ(ItemRect(tabs, 5).right, 298);
    EXPECT_EQ(ItemRect(tabs, 4).top, 2);

    SendMessageW(tabs, TCM_SETCURSEL, 5, 0);
    EXPECT_EQ(ItemRect(tabs, 4).top, 22) << "the selected tab's row moved next to the pane";
    EXPECT_EQ(ItemRect(tabs, 0).top, 2);

    HWND ragged = CreateFixedTabs(parent, 6, TCS_MULTILINE | TCS_RAGGEDRIGHT);
    EXPECT_EQ(ItemRect(ragged, 3), (RECT{182, 22, 242, 42}));
}

TEST_F(TabControlTest, Selection_AsksTheParentAndHonoursItsAnswer) {
    HWND parent = CreateParent();
    HWND tabs = CreateFixedTabs(parent, 3);
    RunUntilIdle();
    POINT second = ScreenPoint(tabs, 90, 10);
    Click(second.x, second.y);
    RunUntilIdle();
    EXPECT_EQ(Selected(tabs), 1);
    EXPECT_EQ(NotifyCodes(), (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE}));
    EXPECT_EQ(m_notifications[0].idFrom, 5u);

    m_notifications.clear();
    AnswerNotify([](const NMHDR& header) -> std::optional<LRESULT> {
        if (header.code == TCN_SELCHANGING)
            return TRUE;
        return std::nullopt;
    });
    POINT third = ScreenPoint(tabs, 150, 10);
    Click(third.x, third.y);
    RunUntilIdle();
    EXPECT_EQ(Selected(tabs), 1) << "a non-zero answer keeps the old tab";
    EXPECT_EQ(NotifyCodes(), std::vector<UINT>{TCN_SELCHANGING});

    AnswerNotify(nullptr);
    m_notifications.clear();
    EXPECT_EQ(SendMessageW(tabs, TCM_SETCURSEL, 2, 0), 1) << "the previous selection";
    EXPECT_EQ(SendMessageW(tabs, TCM_SETCURSEL, 7, 0), -1);
    EXPECT_EQ(Selected(tabs), 2);
    EXPECT_TRUE(NotifyCodes().empty()) << "TCM_SETCURSEL tells nobody";
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURFOCUS, 0, 0), 2);

    SendMessageW(tabs, TCM_SETCURFOCUS, 0, 0);
    EXPECT_EQ(Selected(tabs), 0) << "without buttons the focus is the selection";
    EXPECT_EQ(NotifyCodes(), (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE}));

    HWND buttons = CreateFixedTabs(parent, 3, TCS_BUTTONS);
    SendMessageW(buttons, TCM_SETCURFOCUS, 2, 0);
    EXPECT_EQ(SendMessageW(buttons, TCM_GETCURFOCUS, 0, 0), 2);
    EXPECT_EQ(Selected(buttons), 0) << "buttons keep focus and selection apart";
}

TEST_F(TabControlTest, Keyboard_ArrowsAndControlTab) {
    HWND parent = CreateParent();
    HWND tabs = CreateFixedTabs(parent, 3);
    SetFocus(tabs);
    TypeKey(VK_RIGHT);
    RunUntilIdle();
    EXPECT_EQ(Selected(tabs), 1);
    TypeKey(VK_LEFT);
    TypeKey(VK_LEFT);
    RunUntilIdle();
    EXPECT_EQ(Selected(tabs), 0) << "the arrows stop at the first tab";
    PressKey(VK_CONTROL);
    TypeKey(VK_TAB);
    TypeKey(VK_TAB);
    TypeKey(VK_TAB);
    ReleaseKey(VK_CONTROL);
    RunUntilIdle();
    EXPECT_EQ(Selected(tabs), 0) << "Ctrl+Tab goes round";
    PressKey(VK_CONTROL);
    PressKey(VK_SHIFT);
    TypeKey(VK_TAB);
    ReleaseKey(VK_SHIFT);
    ReleaseKey(VK_CONTROL);
    RunUntilIdle();
    EXPECT_EQ(Selected(tabs), 2) << "Ctrl+Shift+Tab goes back";
    std::vector<UINT> codes = NotifyCodes();
    EXPECT_EQ(codes.front(), TCN_KEYDOWN) << "the parent hears of the key first";
}

TEST_F(TabControlTest, HitTest_NamesTheTabAndItsPart) {
    HWND parent = CreateParent();
    HWND tabs = CreateFixedTabs(parent, 2);
    TCHITTESTINFO info{{70, 10}, 0};
    EXPECT_EQ(SendMessageW(tabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), 1);
    EXPECT_EQ(info.flags, TCHT_ONITEMLABEL);
    info = TCHITTESTINFO{{200, 10}, 0};
    EXPECT_EQ(SendMessageW(tabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), -1);
    EXPECT_EQ(info.flags, TCHT_NOWHERE);

    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
    ImageList_SetImageCount(images, 1);
    EXPECT_EQ(SendMessageW(tabs, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images)), 0);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETIMAGELIST, 0, 0), reinterpret_cast<LRESULT>(images));
    TCITEMW item{};
    item.mask = TCIF_IMAGE;
    item.iImage = 0;
    SendMessageW(tabs, TCM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    info = TCHITTESTINFO{{2 + 6 + 3, 10}, 0};
    EXPECT_EQ(SendMessageW(tabs, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(info.flags, TCHT_ONITEMICON);
    DestroyWindow(tabs);
    ImageList_Destroy(images);
}

TEST_F(TabControlTest, OwnerDrawnTabsAskTheParent) {
    HWND parent = CreateParent();
    HWND tabs = CreateTabs(parent, TCS_OWNERDRAWFIXED);
    Insert(tabs, 0, u"A", 100);
    Insert(tabs, 1, u"B", 200);
    std::vector<DRAWITEMSTRUCT> drawn;
    AlsoHandle([&](HWND window, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (window == parent && message == WM_DRAWITEM) {
            drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return std::nullopt;
    });
    UpdateWindow(tabs);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].CtlType, ODT_TAB);
    EXPECT_EQ(drawn[0].CtlID, 5u);
    EXPECT_EQ(drawn[0].itemID, 1u) << "the selected tab is drawn last";
    EXPECT_EQ(drawn[0].itemData, 200u);
    EXPECT_EQ(drawn[1].itemID, 0u);
    EXPECT_EQ(drawn[1].itemState & ODS_SELECTED, ODS_SELECTED);
}

TEST_F(TabControlTest, OverflowingTabsGetAScrollerThatScrollsThem) {
    HWND parent = CreateParent();
    HWND tabs = CreateFixedTabs(parent, 3);
    EXPECT_EQ(FindWindowExA(tabs, nullptr, UPDOWN_CLASSA, nullptr), nullptr);
    for (int i = 3; i < 8; ++i)
        Insert(tabs, i, u"More");
    HWND scroller = FindWindowExA(tabs, nullptr, UPDOWN_CLASSA, nullptr);
    ASSERT_NE(scroller, nullptr);
    EXPECT_TRUE(IsWindowVisible(scroller));
    RECT place;
    GetWindowRect(scroller, &place);
    MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.right, 300) << "at the right end of the tabs";
    EXPECT_EQ(place.top, 2);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETROWCOUNT, 0, 0), 1);

    RunUntilIdle();
    POINT right = ScreenPoint(scroller, (place.right - place.left) - 4, 5);
    Click(right.x, right.y);
    RunUntilIdle();
    EXPECT_EQ(ItemRect(tabs, 1), (RECT{2, 2, 62, 22})) << "the tabs moved one to the left";
    EXPECT_EQ(ItemRect(tabs, 0).right, 2);

    SendMessageW(tabs, TCM_SETCURSEL, 0, 0);
    EXPECT_EQ(ItemRect(tabs, 0).left, 2) << "selecting a hidden tab scrolls it into view";
    SendMessageW(tabs, TCM_SETCURSEL, 7, 0);
    EXPECT_LE(ItemRect(tabs, 7).right, 300 - (place.right - place.left));

    SetWindowPos(tabs, nullptr, 0, 0, 600, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_FALSE(IsWindowVisible(scroller)) << "everything fits again";
    EXPECT_EQ(ItemRect(tabs, 0).left, 2);
}

TEST_F(TabControlTest, Painting_ClassicTabsAndPane) {
    HWND parent = CreateParent();
    HWND tabs = CreateFixedTabs(parent, 2);
    UpdateWindow(tabs);
    const COLORREF light = GetSysColor(COLOR_3DHIGHLIGHT);
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    auto pixel = [tabs](int x, int y) { return ReadPixel(tabs, x, y); };
    EXPECT_EQ(pixel(30, 0), light) << "the selected tab rises to the top";
    EXPECT_EQ(pixel(90, 0), face);
    EXPECT_EQ(pixel(90, 2), light) << "the other tab starts two pixels lower";
    EXPECT_EQ(pixel(150, 22), light) << "the pane's top edge";
    EXPECT_EQ(pixel(30, 22), face) << "the selected tab joins the pane";
    EXPECT_EQ(pixel(298, 100), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(pixel(299, 100), GetSysColor(COLOR_3DDKSHADOW));
}

} // namespace
