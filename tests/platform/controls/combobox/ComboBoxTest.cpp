// The "COMBOBOX" control: its CB_ messages and the texts they carry, its height and the
// rectangles GetComboBoxInfo reports, the drop-down list opened and closed by the mouse and by
// keys with the notifications in their order, and what it paints.

#include "../ListControlTestSupport.h"
#include "../Superclass.h"

#include "platform/controls/combobox/ComboBox.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/process/ModuleTable.h"

#include <algorithm>

using namespace testing_support;

namespace {

class ComboBoxTest : public ListControlTest {
protected:
    HWND CreateCombo(DWORD style, int y = 10, int height = 200, int id = 7) {
        HWND combo = CreateControl("COMBOBOX", style, 10, y, 150, height, id);
        AddStrings(combo, {"北京", "上海", "广州", "深圳", "杭州"}, CB_ADDSTRING);
        ClearLog();
        return combo;
    }

    static HWND ListOf(HWND combo) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(combo, &info);
        return info.hwndList;
    }

    static POINT ComboPoint(HWND combo, int x, int y) {
        POINT point{x, y};
        ClientToScreen(combo, &point);
        return point;
    }

    static std::string Text(HWND window) {
        char text[64] = {};
        GetWindowTextA(window, text, sizeof text);
        return text;
    }
};

TEST_F(ComboBoxTest, Messages_ForwardToTheListAndMoveTheFieldWithoutNotifying) {
    HWND combo = CreateCombo(CBS_DROPDOWNLIST | CBS_SORT);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(ItemText(combo, 0, CB_GETLBTEXT, CB_GETLBTEXTLEN), "北京") << "GBK order";
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(
        SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("上海")),
        3);
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 3, 0), 3);
    EXPECT_EQ(Text(combo), "上海") << "a drop-down list's text is its selected item";
    EXPECT_EQ(GetWindowTextLengthA(combo), 4);
    EXPECT_EQ(SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("深")),
              4);
    EXPECT_TRUE(SetWindowTextA(combo, "杭州"));
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageA(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("西安")), CB_ERR)
        << "only an item's text can be set";
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0), CB_ERR);
    EXPECT_EQ(Text(combo), "");
    EXPECT_EQ(SendMessageA(combo, CB_GETEDITSEL, 0, 0), CB_ERR) << "no edit in a drop-down list";

    char16_t wide[8] = {};
    EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXTLEN, 4, 0), 2);
    EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXT, 4, reinterpret_cast<LPARAM>(wide)), 2);
    EXPECT_EQ(std::u16string(wide), u"深圳");
    EXPECT_EQ(SendMessageW(combo, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"广")),
              1);
    EXPECT_EQ(SendMessageA(combo, CB_DELETESTRING, 0, 0), 4);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(Notifications(combo).empty());
}

TEST_F(ComboBoxTest, Geometry_TheWindowKeepsItsHeightAndTheRestIsTheListsHeight) {
    HWND combo = CreateCombo(CBS_DROPDOWNLIST | WS_VSCROLL, 10, 200);
    EXPECT_FALSE(GetWindowLongA(combo, GWL_STYLE) & WS_VSCROLL) << "the bar is the list's, not the field's";
    RECT window{};
    GetWindowRect(combo, &window);
    int height = window.bottom - window.top;
    EXPECT_EQ(height, SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0) + 6);
    RECT dropped{};
    ASSERT_TRUE(SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)));
    EXPECT_EQ(dropped.top, window.top);
    EXPECT_EQ(dropped.bottom, window.top + 200);

    MoveWindow(combo, 10, 10, 150, 120, TRUE);
    GetWindowRect(combo, &window);
    EXPECT_EQ(window.bottom - window.top, height) << "a taller size is the list's";
    SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_EQ(dropped.bottom, window.top + 120);

    auto getInfo = platform::ProcAs<BOOL (*)(HWND, PCOMBOBOXINFO)>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "GetComboBoxInfo"));
    ASSERT_NE(getInfo, nullptr);
    COMBOBOXINFO info{};
    EXPECT_FALSE(getInfo(combo, &info)) << "cbSize must be set";
    info.cbSize = sizeof info;
    ASSERT_TRUE(getInfo(combo, &info));
    EXPECT_EQ(info.hwndCombo, combo);
    EXPECT_EQ(info.hwndItem, combo) << "no edit: the combo box itself";
    char className[16] = {};
    GetClassNameA(info.hwndList, className, sizeof className);
    EXPECT_STREQ(className, "ComboLBox");
    EXPECT_EQ(GetWindowLongA(info.hwndList, GWL_STYLE) & WS_POPUP, static_cast<LONG>(WS_POPUP));
    EXPECT_EQ(info.rcButton.right, 150 - 2);
    EXPECT_EQ(info.rcButton.left, 150 - 2 - GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(info.rcButton.top, 2);
    EXPECT_EQ(info.rcButton.bottom, height - 2);
    EXPECT_LE(info.rcItem.right, info.rcButton.left);
    EXPECT_EQ(info.stateButton, 0u);
    EXPECT_FALSE(getInfo(parent, &info)) << "not a combo box";
}

HHOOK cbtHook = nullptr;
std::vector<std::string> created;

LRESULT CALLBACK RecordCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        char className[32] = {};
        GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof className);
        created.push_back(className);
    }
    return CallNextHookEx(cbtHook, code, wParam, lParam);
}

TEST_F(ComboBoxTest, DropDown_OpensOnAPressAndClosesOnAChoiceSeenByACbtHook) {
    created.clear();
    cbtHook = SetWindowsHookExA(WH_CBT, RecordCreation, nullptr, GetCurrentThreadId());
    HWND combo = CreateCombo(CBS_DROPDOWNLIST);
    UnhookWindowsHookEx(cbtHook);
    EXPECT_EQ(created, (std::vector<std::string>{"ComboBox", "ComboLBox"}));
    HWND list = ListOf(combo);
    EXPECT_FALSE(IsWindowVisible(list));

    ClickAt(ComboPoint(combo, 20, 5));
    EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_EQ(GetFocus(), combo);
    RECT comboRect{};
    RECT listRect{};
    GetWindowRect(combo, &comboRect);
    GetWindowRect(list, &listRect);
    EXPECT_EQ(listRect.top, comboRect.bottom) << "below the combo box";
    EXPECT_EQ(listRect.left, comboRect.left);
    EXPECT_EQ(Notifications(combo), (std::vector<WORD>{CBN_SETFOCUS, CBN_DROPDOWN}));

    // The pointer over the list moves its highlight; nobody is told until the choice.
    ClearLog();
    POINT item = ItemCentre(list, 3);
    platform::headless::MoveMouse(item.x, item.y);
    platform::headless::RunUntilIdle();
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 3);
    EXPECT_TRUE(Notifications(combo).empty());
    ClickAt(item);
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(Notifications(combo), (std::vector<WORD>{CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ComboBoxTest, DropDown_AClickOutsideCancelsAndKeepsTheSelection) {
    HWND combo = CreateCombo(CBS_DROPDOWNLIST);
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    HWND list = ListOf(combo);
    ClickAt(ComboPoint(combo, 140, 8));
    ASSERT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    POINT item = ItemCentre(list, 4);
    platform::headless::MoveMouse(item.x, item.y);
    ClearLog();
    ClickAt(POINT{300, 300});
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Notifications(combo), (std::vector<WORD>{CBN_SELENDCANCEL, CBN_CLOSEUP}));
    EXPECT_TRUE(Logged(parent, WM_LBUTTONDOWN).empty()) << "the click that closes the list goes nowhere else";

    // A press on the button opens the list; the release there leaves it open; a second click
    // on the button closes it.
    ClickAt(ComboPoint(combo, 140, 8));
    EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    platform::headless::AdvanceClock(GetDoubleClickTime() + 1);
    ClickAt(ComboPoint(combo, 140, 8));
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
}

TEST_F(ComboBoxTest, Keys_OpenMoveChooseAndCancel) {
    HWND combo = CreateCombo(CBS_DROPDOWNLIST);
    SetFocus(combo);
    ClearLog();
    Type(VK_DOWN);
    Type(VK_DOWN);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1) << "closed, the arrows move the selection";
    EXPECT_EQ(Notifications(combo), (std::vector<WORD>{CBN_SELCHANGE, CBN_SELCHANGE}));

    ClearLog();
    Type(VK_F4);
    EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    Type(VK_DOWN);
    Type(VK_ESCAPE);
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1) << "Escape goes back to the selection before";
    EXPECT_EQ(Notifications(combo),
              (std::vector<WORD>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_SELCHANGE}));

    ClearLog();
    platform::headless::PressKey(VK_MENU);
    Type(VK_DOWN);
    platform::headless::ReleaseKey(VK_MENU);
    EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) << "Alt+Down opens too";
    EXPECT_EQ(SendMessageA(combo, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS)
        << "a dialog leaves Enter and Escape to an open list";
    Type(VK_END);
    Type(VK_RETURN);
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 4);
    EXPECT_EQ(Notifications(combo),
              (std::vector<WORD>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));

    POINT centre = ComboPoint(combo, 20, 5);
    platform::headless::RollWheel(centre.x, centre.y, WHEEL_DELTA);
    platform::headless::RunUntilIdle();
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 3) << "a notch up, an item up";

    platform::headless::TypeText(u"广");
    platform::headless::RunUntilIdle();
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2) << "typing finds an item";

    ClearLog();
    SetFocus(parent);
    EXPECT_EQ(Notifications(combo), (std::vector<WORD>{CBN_KILLFOCUS}));
}

TEST_F(ComboBoxTest, LeftScrollBar_PutsTheButtonAtTheLeftWhereAPressDropsTheList) {
    HWND combo = CreateControl("COMBOBOX", CBS_DROPDOWN, 10, 10, 150, 200, 7, WS_EX_LEFTSCROLLBAR);
    AddStrings(combo, {"北京", "上海"}, CB_ADDSTRING);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo, &info));
    EXPECT_EQ(info.rcButton.left, 2);
    EXPECT_EQ(info.rcButton.right, 2 + GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_GE(info.rcItem.left, info.rcButton.right) << "the field follows the button";
    EXPECT_EQ(info.rcItem.right, 150 - 3);
    RECT edit{};
    GetWindowRect(info.hwndItem, &edit);
    MapWindowPoints(nullptr, combo, reinterpret_cast<POINT*>(&edit), 2);
    EXPECT_EQ(edit.left, info.rcItem.left) << "the inner edit lies over the field";

    ClickAt(ComboPoint(combo, 140, 5));
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) << "the right end is the field";
    ClickAt(ComboPoint(combo, info.rcButton.left + 3, 5));
    EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(ComboBoxTest, DropDown_OpensAboveWhenTheScreenHasNoRoomBelow) {
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(parent, nullptr, 50, screenHeight - 120, 400, 110, SWP_NOZORDER);
    HWND combo = CreateCombo(CBS_DROPDOWNLIST, 40, 200);
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    RECT comboRect{};
    RECT listRect{};
    GetWindowRect(combo, &comboRect);
    GetWindowRect(ListOf(combo), &listRect);
    EXPECT_EQ(listRect.bottom, comboRect.top);
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(ComboBoxTest, Simple_ShowsItsListBelowTheFieldAlways) {
    HWND combo = CreateCombo(CBS_SIMPLE, 10, 120);
    RECT window{};
    GetWindowRect(combo, &window);
    EXPECT_EQ(window.bottom - window.top, 120) << "the list is part of the window";
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo, &info));
    EXPECT_EQ(info.stateButton, static_cast<DWORD>(STATE_SYSTEM_INVISIBLE));
    EXPECT_EQ(GetParent(info.hwndList), combo);
    EXPECT_TRUE(IsWindowVisible(info.hwndList));
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) << "nothing drops down";

    ClickAt(ItemCentre(info.hwndList, 2));
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    ClickAt(ItemCentre(info.hwndList, 2));
    std::vector<WORD> codes = Notifications(combo);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), CBN_SELCHANGE), 1);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), CBN_DBLCLK), 1);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), CBN_DROPDOWN), 0);
}

TEST_F(ComboBoxTest, Painting_TheFocusedFieldIsHighlightedAndTheButtonRaised) {
    HWND combo = CreateCombo(CBS_DROPDOWNLIST);
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    platform::headless::RunUntilIdle();
    int x = info.rcItem.right - 3;
    int y = (info.rcItem.top + info.rcItem.bottom) / 2;
    EXPECT_EQ(ClientPixel(combo, x, y), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ClientPixel(combo, info.rcButton.left + 2, info.rcButton.top + 2), GetSysColor(COLOR_3DFACE));
    SetFocus(combo);
    platform::headless::RunUntilIdle();
    EXPECT_EQ(ClientPixel(combo, x, y), GetSysColor(COLOR_HIGHLIGHT));
    EnableWindow(combo, FALSE);
    platform::headless::RunUntilIdle();
    EXPECT_EQ(ClientPixel(combo, x, y), GetSysColor(COLOR_3DFACE)) << "disabled";
}

} // namespace

TEST_F(ComboBoxTest, Focus_GivenToTheComboBoxFromItsOwnFieldStaysInTheField) {
    HWND combo = CreateCombo(CBS_DROPDOWN);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    SetFocus(combo);
    ASSERT_EQ(GetFocus(), info.hwndItem);
    SetFocus(combo);
    EXPECT_EQ(GetFocus(), info.hwndItem) << "typing still reaches the field";
}

TEST_F(ComboBoxTest, Superclass_ItsListChoosesByTheMouseAndItsTextsAreConverted) {
    HWND combo =
        CreateControl(RegisterSuperclass("COMBOBOX", "TestComboBox"), CBS_DROPDOWNLIST, 10, 10, 150, 200);
    AddStrings(combo, {"北京", "上海", "广州"}, CB_ADDSTRING);
    char16_t wide[8] = {};
    EXPECT_EQ(SendMessageW(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(wide)), 2);
    EXPECT_EQ(std::u16string(wide), u"上海");

    ClickAt(ComboPoint(combo, 20, 5));
    ASSERT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    ClearLog();
    POINT item = ItemCentre(ListOf(combo), 2);
    platform::headless::MoveMouse(item.x, item.y);
    ClickAt(item);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(Notifications(combo), (std::vector<WORD>{CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
}
