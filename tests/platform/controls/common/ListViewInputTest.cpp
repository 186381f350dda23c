// The list view used by mouse and keyboard: selecting with clicks and keys (Ctrl, Shift, one
// or many), the parent's say before a change, clicks, double clicks and column clicks told to
// the parent, hit tests, scrolling by bars, wheel and keys, and the header following the
// columns across.

#include "ListViewTestSupport.h"

#include <algorithm>

using namespace testing_support;
using platform::headless::Click;
using platform::headless::PressKey;
using platform::headless::ReleaseKey;
using platform::headless::RollWheel;
using platform::headless::RunUntilIdle;
using platform::headless::TypeKey;
using platform::headless::TypeText;

namespace {

void ClickAt(POINT point) {
    Click(point.x, point.y);
    RunUntilIdle();
}

void WithKey(UINT modifier, POINT point) {
    PressKey(modifier);
    ClickAt(point);
    ReleaseKey(modifier);
}

TEST_F(ListViewTest, Clicks_SelectOneAddWithCtrlAndRangeWithShift) {
    HWND parent = CreateParent();
    HWND list = CreateFilled(parent, 9);
    RunUntilIdle();
    m_notifications.clear();
    ClickAt(CellPoint(list, 2, 0));
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(Selected(list), std::vector<int>{2});
    EXPECT_EQ(Focused(list), 2);
    std::vector<UINT> codes = NotifyCodes();
    codes.erase(std::remove(codes.begin(), codes.end(), NM_CUSTOMDRAW), codes.end());
    EXPECT_EQ(codes, (std::vector<UINT>{NM_SETFOCUS, LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_CLICK}))
        << "the click is told after the selection";

    WithKey(VK_CONTROL, CellPoint(list, 4, 0));
    EXPECT_EQ(Selected(list), (std::vector<int>{2, 4}));
    WithKey(VK_SHIFT, CellPoint(list, 6, 0));
    EXPECT_EQ(Selected(list), (std::vector<int>{4, 5, 6})) << "from the selection mark";
    WithKey(VK_CONTROL, CellPoint(list, 5, 0));
    EXPECT_EQ(Selected(list), (std::vector<int>{4, 6}));

    // Without full-row selection the other columns do not take the click.
    ClickAt(CellPoint(list, 8, 2));
    EXPECT_TRUE(Selected(list).empty());
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    ClickAt(CellPoint(list, 8, 2));
    EXPECT_EQ(Selected(list), std::vector<int>{8});

    // Below the last item a click selects nothing.
    RECT last = ItemRect(list, 8);
    ClickAt(ScreenPoint(list, 20, last.bottom + 5));
    EXPECT_TRUE(Selected(list).empty());
    EXPECT_EQ(Focused(list), 8) << "the focus stays";

    HWND single = CreateFilled(parent, 5, LVS_SINGLESEL);
    SetWindowPos(single, nullptr, 0, 200, 320, 100, SWP_NOZORDER);
    RunUntilIdle();
    ClickAt(CellPoint(single, 1, 0));
    WithKey(VK_CONTROL, CellPoint(single, 3, 0));
    EXPECT_EQ(Selected(single), std::vector<int>{3}) << "one selected at most";
}

TEST_F(ListViewTest, ParentHearsEveryChangeAndMayRefuseIt) {
    HWND parent = CreateParent();
    HWND list = CreateFilled(parent, 5);
    RunUntilIdle();
    struct Change {
        int item;
        UINT oldState;
        UINT newState;
        LPARAM param;
    };
    std::vector<Change> changes;
    bool refuse = false;
    AnswerNotify([&](const NMHDR& header) -> std::optional<LRESULT> {
        const auto& notice = reinterpret_cast<const NMLISTVIEW&>(header);
        if (header.code == LVN_ITEMCHANGING && refuse)
            return TRUE;
        if (header.code == LVN_ITEMCHANGED)
            changes.push_back({notice.iItem, notice.uOldState, notice.uNewState, notice.lParam});
        return std::nullopt;
    });
    ClickAt(CellPoint(list, 1, 0));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].item, 1);
    EXPECT_EQ(changes[0].oldState, 0u);
    EXPECT_EQ(changes[0].newState, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(changes[0].param, 1);

    changes.clear();
    ClickAt(CellPoint(list, 3, 0));
    ASSERT_EQ(changes.size(), 3u) << "old selection, old focus, new item";
    EXPECT_EQ(changes[0].item, 1);
    EXPECT_EQ(changes[0].newState, LVIS_FOCUSED);
    EXPECT_EQ(changes[1].item, 1);
    EXPECT_EQ(changes[1].newState, 0u);
    EXPECT_EQ(changes[2].item, 3);

    refuse = true;
    changes.clear();
    ClickAt(CellPoint(list, 4, 0));
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(Selected(list), std::vector<int>{3}) << "a refused change does not happen";
}

TEST_F(ListViewTest, DoubleClicksRightClicksAndColumnClicks) {
    HWND parent = CreateParent();
    HWND list = CreateFilled(parent, 5);
    RunUntilIdle();
    struct Seen {
        UINT code;
        int item;
        int subItem;
    };
    std::vector<Seen> seen;
    AnswerNotify([&](const NMHDR& header) -> std::optional<LRESULT> {
        const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
        if (header.code == NM_DBLCLK || header.code == LVN_ITEMACTIVATE || header.code == NM_RCLICK ||
            header.code == LVN_COLUMNCLICK)
            seen.push_back({header.code, activate.iItem, activate.iSubItem});
        return std::nullopt;
    });
    const POINT cell = CellPoint(list, 2, 0);
    Click(cell.x, cell.y);
    Click(cell.x, cell.y);
    RunUntilIdle();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].code, NM_DBLCLK);
    EXPECT_EQ(seen[0].item, 2);
    EXPECT_EQ(seen[1].code, LVN_ITEMACTIVATE);

    seen.clear();
    platform::headless::AdvanceClock(GetDoubleClickTime() + 1);
    const POINT other = CellPoint(list, 4, 1);
    Click(other.x, other.y, platform::MouseButton::Right);
    RunUntilIdle();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].code, NM_RCLICK);
    EXPECT_EQ(seen[0].subItem, 1);

    seen.clear();
    RECT title{};
    SendMessageW(ListView_GetHeader(list), HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&title));
    ClickAt(ScreenPoint(ListView_GetHeader(list), (title.left + title.right) / 2, 5));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].code, LVN_COLUMNCLICK);
    EXPECT_EQ(seen[0].item, -1);
    EXPECT_EQ(seen[0].subItem, 1);
}

TEST_F(ListViewTest, HitTests_NameTheItemAndItsPart) {
    HWND parent = CreateParent();
    HWND list = CreateFilled(parent, 3);
    const RECT label = ItemRect(list, 1, LVIR_LABEL);
    LVHITTESTINFO hit{{label.left + 5, label.top + 2}, 0, -1, 0};
    EXPECT_EQ(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
    EXPECT_EQ(hit.flags, LVHT_ONITEMLABEL);
    hit.pt = POINT{150, label.top + 2};
    EXPECT_EQ(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
    EXPECT_EQ(SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
    EXPECT_EQ(hit.iSubItem, 1);
    hit.pt = POINT{50, ItemRect(list, 2).bottom + 3};
    EXPECT_EQ(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
    EXPECT_EQ(hit.flags, LVHT_NOWHERE);
    hit.pt = POINT{50, -4};
    SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    EXPECT_EQ(hit.flags, LVHT_ABOVE);

    EXPECT_EQ(ItemRect(list, 0).top, ItemRect(list, 0, LVIR_LABEL).top);
    EXPECT_EQ(ItemRect(list, 0).right, 300) << "the row spans every column";
    EXPECT_GT(ItemRect(list, 0).top, 0) << "below the header";
}

TEST_F(ListViewTest, Keys_MoveTheFocusAndTheSelection) {
    HWND parent = CreateParent();
    HWND list = CreateFilled(parent, 40);
    RunUntilIdle();
    SetFocus(list);
    TypeKey(VK_DOWN);
    RunUntilIdle();
    EXPECT_EQ(Selected(list), std::vector<int>{0}) << "the first key press starts at the top";
    TypeKey(VK_DOWN);
    TypeKey(VK_DOWN);
    RunUntilIdle();
    EXPECT_EQ(Selected(list), std::vector<int>{2});
    PressKey(VK_SHIFT);
    TypeKey(VK_DOWN);
    TypeKey(VK_DOWN);
    ReleaseKey(VK_SHIFT);
    RunUntilIdle();
    EXPECT_EQ(Selected(list), (std::vector<int>{2, 3, 4}));
    PressKey(VK_CONTROL);
    TypeKey(VK_DOWN);
    TypeKey(VK_SPACE);
    ReleaseKey(VK_CONTROL);
    RunUntilIdle();
    EXPECT_EQ(Selected(list), (std::vector<int>{2, 3, 4, 5})) << "Ctrl moves the focus, Ctrl+Space selects";

    const int page = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
    TypeKey(VK_NEXT);
    RunUntilIdle();
    EXPECT_EQ(Focused(list), page - 1) << "first to the bottom of the page";
    TypeKey(VK_NEXT);
    RunUntilIdle();
    EXPECT_EQ(Focused(list), 2 * page - 2);
    EXPECT_EQ(Top(list), page - 1) << "the focused item is scrolled into view";
    TypeKey(VK_END);
    RunUntilIdle();
    EXPECT_EQ(Selected(list), std::vector<int>{39});
    TypeKey(VK_HOME);
    RunUntilIdle();
    EXPECT_EQ(Top(list), 0);

    TypeText(u"item 2");
    RunUntilIdle();
    EXPECT_EQ(Selected(list), std::vector<int>{2}) << "typing finds the item by its first letters";
    platform::headless::AdvanceClock(2000);
    TypeText(u"item 3");
    RunUntilIdle();
    EXPECT_EQ(Selected(list), std::vector<int>{3});

    m_notifications.clear();
    TypeKey(VK_RETURN);
    RunUntilIdle();
    const std::vector<UINT> codes = NotifyCodes();
    EXPECT_EQ(codes, (std::vector<UINT>{LVN_KEYDOWN, NM_RETURN, LVN_ITEMACTIVATE}));
}

TEST_F(ListViewTest, Scrolling_ByBarsWheelAndCalls) {
    HWND parent = CreateParent();
    HWND list = CreateFilled(parent, 100, 0, 250, 200);
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 2, 200);
    RunUntilIdle();
    const int page = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &info));
    EXPECT_EQ(info.nMax, 99);
    EXPECT_EQ(static_cast<int>(info.nPage), page);

    SendMessageW(list, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(Top(list), 1);
    SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(Top(list), 1 + page);
    SendMessageW(list, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(Top(list), 100 - page) << "the last item stays at the bottom";
    GetScrollInfo(list, SB_VERT, &info);
    EXPECT_EQ(info.nPos, 100 - page);

    EXPECT_TRUE(SendMessageW(list, LVM_ENSUREVISIBLE, 10, FALSE));
    EXPECT_EQ(Top(list), 10);
    EXPECT_TRUE(SendMessageW(list, LVM_ENSUREVISIBLE, 40, FALSE));
    EXPECT_EQ(Top(list), 40 - page + 1);
    EXPECT_TRUE(SendMessageW(list, LVM_SCROLL, 0, 1));
    EXPECT_EQ(Top(list), 40 - page + 2) << "a pixel down is a row down";
    // The wheel turns the list with the focus.
    SetFocus(list);
    const POINT inside = ScreenPoint(list, 50, 60);
    RollWheel(inside.x, inside.y, -WHEEL_DELTA);
    RunUntilIdle();
    EXPECT_EQ(Top(list), 40 - page + 5) << "three rows a notch";

    // Across: the rows and the header move together.
    HWND header = ListView_GetHeader(list);
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(list, SB_HORZ, &info));
    EXPECT_EQ(info.nMax, 379);
    SendMessageW(list, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
    EXPECT_TRUE(SendMessageW(list, LVM_SCROLL, 60, 0));
    EXPECT_EQ(ItemRect(list, 0).left, -60);
    RECT place{};
    GetWindowRect(header, &place);
    POINT origin{0, 0};
    ClientToScreen(list, &origin);
    EXPECT_EQ(place.left - origin.x, -60);
    RECT title{};
    SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&title));
    RECT cell{LVIR_BOUNDS, 1, 0, 0};
    SendMessageW(list, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
    EXPECT_EQ(title.left + place.left - origin.x, cell.left)
        << "the second title sits over the second column";
}

TEST_F(ListViewTest, DraggingAHeaderDividerWidensTheColumn) {
    HWND parent = CreateParent();
    HWND list = CreateFilled(parent, 3);
    RunUntilIdle();
    HWND header = ListView_GetHeader(list);
    std::vector<UINT> headerCodes;
    AnswerNotify([&](const NMHDR& notice) -> std::optional<LRESULT> {
        if (notice.hwndFrom == header)
            headerCodes.push_back(notice.code);
        return std::nullopt;
    });
    const POINT divider = ScreenPoint(header, 100, 5);
    platform::headless::PressButton(divider.x, divider.y);
    platform::headless::MoveMouse(divider.x + 30, divider.y);
    platform::headless::ReleaseButton(divider.x + 30, divider.y);
    RunUntilIdle();
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), 130);
    RECT cell{LVIR_BOUNDS, 1, 0, 0};
    SendMessageW(list, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
    EXPECT_EQ(cell.left, 130);
    EXPECT_FALSE(headerCodes.empty()) << "the header's notices reach the list's parent";
    EXPECT_EQ(headerCodes.front(), HDN_BEGINTRACKW);
}

} // namespace
