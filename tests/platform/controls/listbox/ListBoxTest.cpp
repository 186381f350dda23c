// The "LISTBOX" control: its strings in both character sets, the three selection styles, the
// notifications the user's mouse and keys cause (and the programmatic changes that cause
// none), scrolling with its own bar, owner-drawn items, and what it paints.

#include "../ListControlTestSupport.h"
#include "../Superclass.h"

#include "platform/gdi/WinUserDraw.h"

using namespace testing_support;

namespace {

class ListBoxTest : public ListControlTest {};

TEST_F(ListBoxTest, Strings_AreKeptInOrderOrSortedWithoutRegardToCase) {
    HWND list = CreateList(LBS_SORT);
    AddStrings(list, {"delta", "Bravo", "北京", "alpha", "charlie", "Alpha"});
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 6);
    std::vector<std::string> texts;
    for (int i = 0; i < 6; ++i)
        texts.push_back(ItemText(list, i));
    // Equal texts keep the order they came in; double-byte texts sort after ASCII.
    EXPECT_EQ(texts, (std::vector<std::string>{"alpha", "Alpha", "Bravo", "charlie", "delta", "北京"}));

    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("zulu")), 1)
        << "inserting ignores the sort order";
    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("end")),
              7);
    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>("far")), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 1, 0), 7) << "the count left is returned";
    EXPECT_EQ(ItemText(list, 1), "Alpha");
    EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 7, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 5, 0), 4) << "lengths count bytes";
    EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 8, 0), LB_ERR);

    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
}

TEST_F(ListBoxTest, Strings_AreConvertedForWideCallersAndWindows) {
    HWND list = CreateWindowExW(0, u"LISTBOX", u"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, parent, nullptr,
                                nullptr, nullptr);
    EXPECT_TRUE(IsWindowUnicode(list));
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"上海 pudong"));
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("广州"));
    EXPECT_EQ(SendMessageW(list, LB_GETTEXTLEN, 0, 0), 9) << "UTF-16 units for a wide caller";
    EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 0, 0), 11) << "bytes for a narrow one";
    char16_t wide[16] = {};
    EXPECT_EQ(SendMessageW(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(wide)), 2);
    EXPECT_EQ(std::u16string(wide), u"广州");
    EXPECT_EQ(ItemText(list, 0), "上海 pudong");
    EXPECT_EQ(
        SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"广州")),
        1);

    HWND narrow = CreateList(0);
    EXPECT_FALSE(IsWindowUnicode(narrow)) << "made by CreateWindowExA";

    // A window of a superclass is converted alike.
    HWND derived = CreateControl(RegisterSuperclass("LISTBOX", "TestListBox"), 0);
    SendMessageA(derived, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("北京"));
    EXPECT_EQ(SendMessageW(derived, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(wide)), 2);
    EXPECT_EQ(std::u16string(wide), u"北京");
    EXPECT_EQ(ItemText(derived, 0), "北京");
}

TEST_F(ListBoxTest, Find_SearchesPrefixesAfterTheStartAndWrapsRound) {
    HWND list = CreateList(0);
    AddStrings(list, {"apple", "banana", "Apricot", "blueberry", "apple"});
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("AP")), 0);
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRING, 0, reinterpret_cast<LPARAM>("ap")), 2);
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRING, 4, reinterpret_cast<LPARAM>("ap")), 0)
        << "wraps past the end";
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRING, 0, reinterpret_cast<LPARAM>("cherry")), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRINGEXACT, 0, reinterpret_cast<LPARAM>("APPLE")), 4);
    EXPECT_EQ(
        SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("app")),
        LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_SELECTSTRING, 0, reinterpret_cast<LPARAM>("bl")), 3);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 3);

    EXPECT_TRUE(SendMessageA(list, LB_SETITEMDATA, 1, 0x1234));
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 1, 0), 0x1234);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 5, 0), LB_ERR);
}

TEST_F(ListBoxTest, SingleSelection_FollowsItsItemAndRefusesTheMultipleMessages) {
    HWND list = CreateList(LBS_NOTIFY);
    AddStrings(list, {"a", "b", "c", "d"});
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 2, 0), 2);
    EXPECT_EQ(SendMessageA(list, LB_GETSEL, 2, 0), 1);
    EXPECT_EQ(SendMessageA(list, LB_GETSEL, 1, 0), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETSEL, 9, 0), LB_ERR);

    AddStrings(list, {"first"}, LB_INSERTSTRING);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 3) << "the selection stays on its item";
    SendMessageA(list, LB_DELETESTRING, 3, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR) << "deleting the selected item clears it";

    SendMessageA(list, LB_SETCURSEL, 1, 0);
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0), LB_ERR)
        << "even though it worked";
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);

    EXPECT_EQ(SendMessageA(list, LB_SETSEL, TRUE, 1), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETSELITEMS, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(0, 1)), LB_ERR);
    EXPECT_TRUE(Notifications(list).empty()) << "programmatic changes notify nobody";
}

TEST_F(ListBoxTest, MultipleSelection_RangesAllAndReversedRanges) {
    HWND list = CreateList(LBS_EXTENDEDSEL);
    AddStrings(list, {"0", "1", "2", "3", "4", "5"});
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 1, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_SETSEL, TRUE, -1), LB_OKAY);
    EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 6);
    SendMessageA(list, LB_SELITEMRANGEEX, 4, 1);
    int items[8] = {};
    ASSERT_EQ(SendMessageA(list, LB_GETSELITEMS, 8, reinterpret_cast<LPARAM>(items)), 2)
        << "a range given backwards is deselected";
    EXPECT_EQ(items[0], 0);
    EXPECT_EQ(items[1], 5);
    SendMessageA(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(2, 3));
    EXPECT_EQ(SendMessageA(list, LB_GETSELITEMS, 3, reinterpret_cast<LPARAM>(items)), 3)
        << "up to the buffer size";
    EXPECT_EQ(SendMessageA(list, LB_SETSEL, FALSE, 9), LB_ERR);
}

TEST_F(ListBoxTest, Mouse_SelectsAndNotifiesOnlyWithLbsNotify) {
    HWND quiet = CreateList(0);
    AddStrings(quiet, {"a", "b", "c"});
    ClickAt(ItemCentre(quiet, 1));
    EXPECT_EQ(SendMessageA(quiet, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(GetFocus(), quiet);
    EXPECT_EQ(Notifications(quiet), (std::vector<WORD>{LBN_SETFOCUS})) << "focus is always told";
    DestroyWindow(quiet);

    HWND list = CreateList(LBS_NOTIFY);
    AddStrings(list, {"a", "b", "c"});
    ClearLog();
    ClickAt(ItemCentre(list, 2));
    ClickAt(ItemCentre(list, 2));
    EXPECT_EQ(Notifications(list), (std::vector<WORD>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_DBLCLK}))
        << "a second click on the same item changes nothing but is a double click";
    EXPECT_EQ(GetCapture(), nullptr);

    // Dragging with the button down moves the selection along.
    ClearLog();
    POINT from = ItemCentre(list, 0);
    POINT to = ItemCentre(list, 1);
    platform::headless::AdvanceClock(GetDoubleClickTime() + 1);
    platform::headless::PressButton(from.x, from.y);
    platform::headless::MoveMouse(to.x, to.y);
    platform::headless::ReleaseButton(to.x, to.y);
    platform::headless::RunUntilIdle();
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Notifications(list), (std::vector<WORD>{LBN_SELCHANGE, LBN_SELCHANGE}));
}

TEST_F(ListBoxTest, Mouse_ExtendedSelectionWithShiftAndControl) {
    HWND list = CreateList(LBS_EXTENDEDSEL | LBS_NOTIFY);
    AddStrings(list, {"0", "1", "2", "3", "4"});
    auto selected = [&] {
        std::vector<int> items(5);
        items.resize(static_cast<std::size_t>(
            SendMessageA(list, LB_GETSELITEMS, 5, reinterpret_cast<LPARAM>(items.data()))));
        return items;
    };
    ClickAt(ItemCentre(list, 1));
    platform::headless::PressKey(VK_SHIFT);
    ClickAt(ItemCentre(list, 3));
    platform::headless::ReleaseKey(VK_SHIFT);
    EXPECT_EQ(selected(), (std::vector<int>{1, 2, 3}));
    platform::headless::PressKey(VK_CONTROL);
    platform::headless::AdvanceClock(GetDoubleClickTime() + 1);
    ClickAt(ItemCentre(list, 2));
    platform::headless::ReleaseKey(VK_CONTROL);
    EXPECT_EQ(selected(), (std::vector<int>{1, 3}));
    EXPECT_EQ(SendMessageA(list, LB_GETANCHORINDEX, 0, 0), 2);
    EXPECT_EQ(SendMessageA(list, LB_GETCARETINDEX, 0, 0), 2);
    platform::headless::AdvanceClock(GetDoubleClickTime() + 1);
    ClickAt(ItemCentre(list, 4));
    EXPECT_EQ(selected(), (std::vector<int>{4})) << "a plain click starts afresh";

    HWND multiple = CreateControl("LISTBOX", LBS_MULTIPLESEL, 200, 10, 100, 100, 8);
    AddStrings(multiple, {"0", "1", "2"});
    ClickAt(ItemCentre(multiple, 0));
    platform::headless::AdvanceClock(GetDoubleClickTime() + 1);
    ClickAt(ItemCentre(multiple, 2));
    EXPECT_EQ(SendMessageA(multiple, LB_GETSELCOUNT, 0, 0), 2) << "each click toggles its item";
}

TEST_F(ListBoxTest, Keyboard_MovesTheSelectionAndFindsTypedPrefixes) {
    HWND list = CreateList(LBS_NOTIFY);
    AddStrings(list, {"apple", "banana", "berry", "cherry", "北京", "北海"});
    SetFocus(list);
    ClearLog();
    Type(VK_DOWN);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0) << "from no selection the first item";
    Type(VK_END);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 5);
    Type(VK_DOWN);
    Type(VK_HOME);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(Notifications(list), (std::vector<WORD>{LBN_SELCHANGE, LBN_SELCHANGE, LBN_SELCHANGE}))
        << "moving nowhere at the end notifies nothing";

    platform::headless::TypeText(u"b");
    platform::headless::RunUntilIdle();
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    platform::headless::TypeText(u"e");
    platform::headless::RunUntilIdle();
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2) << "the letters typed together form a prefix";
    platform::headless::AdvanceClock(2000);
    platform::headless::TypeText(u"b");
    platform::headless::RunUntilIdle();
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1)
        << "after a pause a first letter searches on, wrapping";
    platform::headless::AdvanceClock(2000);
    platform::headless::TypeText(u"北海");
    platform::headless::RunUntilIdle();
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 5);
}

TEST_F(ListBoxTest, Keyboard_MultipleSelectionMovesTheCaretAndSpaceToggles) {
    HWND list = CreateList(LBS_MULTIPLESEL);
    AddStrings(list, {"0", "1", "2"});
    SetFocus(list);
    Type(VK_DOWN);
    Type(VK_DOWN);
    EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCARETINDEX, 0, 0), 2);
    Type(VK_SPACE);
    EXPECT_EQ(SendMessageA(list, LB_GETSEL, 2, 0), 1);
    Type(VK_SPACE);
    EXPECT_EQ(SendMessageA(list, LB_GETSEL, 2, 0), 0);
}

TEST_F(ListBoxTest, Keyboard_ParentMayAnswerKeysWithLbsWantKeyboardInput) {
    HWND list = CreateList(LBS_WANTKEYBOARDINPUT);
    AddStrings(list, {"0", "1", "2", "3"});
    SetHandler([&](HWND window, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (window == parent && message == WM_VKEYTOITEM)
            return LOWORD(wParam) == VK_DOWN ? 3 : -2;
        return std::nullopt;
    });
    SetFocus(list);
    Type(VK_DOWN);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 3);
    Type(VK_HOME);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 3) << "-2: the parent did all";
    auto asked = Logged(parent, WM_VKEYTOITEM);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(HIWORD(asked[1].wParam), 3) << "with the caret item";
    EXPECT_EQ(reinterpret_cast<HWND>(asked[1].lParam), list);
}

TEST_F(ListBoxTest, View_ScrollsToTheCaretWithItsOwnBarAndAWholeNumberOfItems) {
    HWND list = CreateList(WS_VSCROLL, 100);
    int itemHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    ASSERT_GT(itemHeight, 0);
    RECT client{};
    GetClientRect(list, &client);
    EXPECT_EQ(client.bottom % itemHeight, 0) << "the list shrank to whole items";
    int page = client.bottom / itemHeight;

    EXPECT_FALSE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL) << "no bar while everything fits";
    for (int i = 0; i < 20; ++i)
        AddStrings(list, {"item " + std::to_string(i)});
    EXPECT_TRUE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL);
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(list, SB_VERT, &info);
    EXPECT_EQ(info.nMax, 19);
    EXPECT_EQ(static_cast<int>(info.nPage), page);

    SendMessageA(list, LB_SETCURSEL, 15, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 15 - page + 1)
        << "the selection is scrolled into view";
    SendMessageA(list, LB_SETTOPINDEX, 19, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 20 - page) << "the last page stays full";
    SendMessageA(list, WM_VSCROLL, SB_TOP, 0);
    SendMessageA(list, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 1);
    GetScrollInfo(list, SB_VERT, &info);
    EXPECT_EQ(info.nPos, 1);

    RECT rect{};
    SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(rect.top, -itemHeight) << "items above the top lie above the client area";
    LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, itemHeight + 1));
    EXPECT_EQ(LOWORD(hit), 2);
    EXPECT_EQ(HIWORD(hit), 0);
    hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, client.bottom + 3));
    EXPECT_EQ(HIWORD(hit), 1) << "outside the client area";

    SetFocus(list);
    POINT centre = ItemCentre(list, 3);
    platform::headless::RollWheel(centre.x, centre.y, -WHEEL_DELTA);
    platform::headless::RunUntilIdle();
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 4) << "three lines a notch";

    HWND free = CreateControl("LISTBOX", LBS_NOINTEGRALHEIGHT, 200, 10, 100, 100, 9);
    GetClientRect(free, &client);
    EXPECT_EQ(client.bottom, 100 - 0);
}

// Thumb messages: while the list's own bar drags its thumb the 32-bit track position counts;
// a program that drags a thumb of its own drawing tells the position in the message.
TEST_F(ListBoxTest, View_ThumbMessagesScrollToTheTrackedOrTheToldPosition) {
    HWND list = CreateList(WS_VSCROLL, 100);
    for (int i = 0; i < 40; ++i)
        AddStrings(list, {"item " + std::to_string(i)});
    SendMessageA(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 12), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 12);
    SendMessageA(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 7), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 7);

    // Dragged on the list's own bar: the loop's track position.
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetScrollBarInfo(list, OBJID_VSCROLL, &bar));
    const int x = bar.rcScrollBar.left + 4;
    const int grab = bar.rcScrollBar.top + bar.xyThumbTop + 2;
    platform::headless::MoveMouse(x, grab + 30);
    platform::headless::ReleaseButton(x, grab + 30);
    SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(x, grab));
    const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    EXPECT_GT(top, 7) << "the thumb moved down with the pointer";
    SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(list, SB_VERT, &info);
    EXPECT_EQ(info.nPos, top);
}

struct OwnerLog {
    std::vector<MEASUREITEMSTRUCT> measured;
    std::vector<DRAWITEMSTRUCT> drawn;
    std::vector<DELETEITEMSTRUCT> deleted;
};

TEST_F(ListBoxTest, OwnerDrawn_ItemsAreMeasuredDrawnComparedAndDeletedByTheParent) {
    OwnerLog log;
    SetHandler([&](HWND window, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (window != parent)
            return std::nullopt;
        switch (message) {
        case WM_MEASUREITEM: {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            log.measured.push_back(*measure);
            measure->itemHeight = 10 + static_cast<UINT>(measure->itemData);
            return TRUE;
        }
        case WM_DRAWITEM:
            log.drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_DELETEITEM:
            log.deleted.push_back(*reinterpret_cast<DELETEITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_COMPAREITEM: {
            auto* compare = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam);
            return compare->itemData1 < compare->itemData2
                       ? -1
                       : (compare->itemData1 > compare->itemData2 ? 1 : 0);
        }
        default:
            return std::nullopt;
        }
    });
    HWND list = CreateList(LBS_OWNERDRAWVARIABLE | LBS_SORT, 200);
    for (LPARAM data : {20, 5, 12})
        SendMessageA(list, LB_ADDSTRING, 0, data);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 0, 0), 5) << "sorted by WM_COMPAREITEM";
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 2, 0), 20);
    ASSERT_EQ(log.measured.size(), 3u);
    EXPECT_EQ(log.measured[0].CtlType, ODT_LISTBOX);
    EXPECT_EQ(log.measured[0].CtlID, 7u);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 2, 0), 30);
    RECT rect{};
    SendMessageA(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(rect.top, 15 + 22) << "variable heights add up";
    ULONG_PTR data = 0;
    EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(&data)),
              static_cast<LRESULT>(sizeof data));
    EXPECT_EQ(data, 12u) << "without strings the text is the item data";
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRING, static_cast<WPARAM>(-1), 20), 2);

    SendMessageA(list, LB_SETCURSEL, 1, 0);
    SetFocus(list);
    log.drawn.clear();
    UpdateWindow(list);
    ASSERT_EQ(log.drawn.size(), 3u);
    EXPECT_EQ(log.drawn[1].itemID, 1u);
    EXPECT_EQ(log.drawn[1].itemAction, ODA_DRAWENTIRE);
    EXPECT_EQ(log.drawn[1].itemState, ODS_SELECTED | ODS_FOCUS);
    EXPECT_EQ(log.drawn[1].rcItem.top, 15);
    EXPECT_EQ(log.drawn[1].rcItem.bottom, 37);
    EXPECT_EQ(log.drawn[1].hwndItem, list);
    EXPECT_EQ(log.drawn[0].itemState, 0u);

    SendMessageA(list, LB_DELETESTRING, 0, 0);
    ASSERT_EQ(log.deleted.size(), 1u);
    EXPECT_EQ(log.deleted[0].itemData, 5u);
    DestroyWindow(list);
    EXPECT_EQ(log.deleted.size(), 3u) << "the rest go with the window";
}

TEST_F(ListBoxTest, OwnerDrawnFixed_TakesTheMeasuredHeightOnce) {
    int measured = 0;
    SetHandler([&](HWND window, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (window == parent && message == WM_MEASUREITEM) {
            ++measured;
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 24;
            return TRUE;
        }
        return std::nullopt;
    });
    HWND list = CreateList(LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT);
    AddStrings(list, {"x", "y"});
    EXPECT_EQ(measured, 1);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 24);
    EXPECT_EQ(ItemText(list, 1), "y") << "LBS_HASSTRINGS keeps the texts";
    EXPECT_EQ(SendMessageA(list, LB_SETITEMHEIGHT, 0, 256), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_SETITEMHEIGHT, 0, 30), LB_OKAY);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 1, 0), 30);
}

TEST_F(ListBoxTest, Painting_UsesTheParentsColoursAndTheHighlightForTheSelection) {
    HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
    SetHandler([&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CTLCOLORLISTBOX)
            return reinterpret_cast<LRESULT>(yellow);
        return std::nullopt;
    });
    HWND list = CreateList(LBS_NOINTEGRALHEIGHT);
    AddStrings(list, {"one", "two", "three"});
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    platform::headless::RunUntilIdle();
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(ClientPixel(list, item.right - 3, item.top + 2), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ClientPixel(list, item.right - 3, item.bottom + 2), RGB(255, 255, 0));
    EXPECT_EQ(ClientPixel(list, 5, 90), RGB(255, 255, 0)) << "below the items too";

    // Focus draws the dotted rectangle round the caret item: its corner pixel changes.
    COLORREF before = ClientPixel(list, item.left, item.top);
    SetFocus(list);
    platform::headless::RunUntilIdle();
    EXPECT_NE(ClientPixel(list, item.left, item.top), before);

    // The skin engine has a list box paint into its own DC.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 150, 100);
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageA(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    EXPECT_EQ(GetPixel(memory, item.right - 3, item.top + 2), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(GetPixel(memory, 5, 90), RGB(255, 255, 0));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DestroyWindow(list);
    DeleteObject(yellow);
}

WNDPROC previousProcedure = nullptr;

// A subclass that lets the list box paint, then marks its top-left corner.
LRESULT CALLBACK MarkingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = CallWindowProcA(previousProcedure, window, message, wParam, lParam);
    if (message == WM_PAINT) {
        HDC dc = GetDC(window);
        RECT corner{0, 0, 4, 4};
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(dc, &corner, red);
        DeleteObject(red);
        ReleaseDC(window, dc);
    }
    return result;
}

TEST_F(ListBoxTest, Subclass_PaintsOverTheListAfterItPainted) {
    HWND list = CreateList(0);
    AddStrings(list, {"one"});
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    previousProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MarkingProcedure)));
    InvalidateRect(list, nullptr, TRUE);
    platform::headless::RunUntilIdle();
    EXPECT_EQ(ClientPixel(list, 1, 1), RGB(255, 0, 0));
    EXPECT_EQ(ClientPixel(list, 30, 5), GetSysColor(COLOR_HIGHLIGHT)) << "the list's own painting stays";
    WNDCLASSA info{};
    ASSERT_TRUE(GetClassInfoA(nullptr, "LISTBOX", &info));
    EXPECT_EQ(info.style & CS_DBLCLKS, CS_DBLCLKS);
}

} // namespace
