// The list view's contents: columns kept by its header child, items and sub-items in both
// character sets, texts the parent keeps, deleting with the parent told, finding, walking,
// sorted insertion and sorting by a callback.

#include "ListViewTestSupport.h"

#include <algorithm>
#include <cstring>

using namespace testing_support;

namespace {

TEST_F(ListViewTest, Columns_LiveInTheHeaderChild) {
    HWND parent = CreateParent();
    HWND list = CreateList(parent);
    HWND header = ListView_GetHeader(list);
    ASSERT_NE(header, nullptr);
    WCHAR className[32] = {};
    GetClassNameW(header, className, 32);
    EXPECT_EQ(std::u16string(className), u"SysHeader32");
    EXPECT_EQ(GetParent(header), list);

    EXPECT_EQ(AddColumn(list, 0, u"\u540D\u79F0", 100, LVCFMT_RIGHT), 0);
    EXPECT_EQ(AddColumn(list, 5, u"Size", 80, LVCFMT_RIGHT), 1) << "past the end appends";
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 2);
    RECT second{};
    SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    EXPECT_EQ(second.left, 100);
    EXPECT_EQ(second.right, 180);

    char title[32] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.pszText = title;
    column.cchTextMax = 32;
    EXPECT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ(title, "名称");
    EXPECT_EQ(column.cx, 100);
    EXPECT_EQ(column.fmt, LVCFMT_LEFT) << "the leftmost column is always left-aligned";
    column.mask = LVCF_FMT;
    SendMessageA(list, LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
    EXPECT_EQ(column.fmt, LVCFMT_RIGHT);

    EXPECT_TRUE(SendMessageW(list, LVM_SETCOLUMNWIDTH, 1, 140));
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0), 140);
    SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    EXPECT_EQ(second.right, 240) << "the header shows the new width";

    int order[2] = {1, 0};
    EXPECT_TRUE(SendMessageW(list, LVM_SETCOLUMNORDERARRAY, 2, reinterpret_cast<LPARAM>(order)));
    AddItem(list, 0, u"a");
    RECT cell{LVIR_BOUNDS, 1, 0, 0};
    SendMessageW(list, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
    EXPECT_EQ(cell.left, 0) << "the second column is shown first";

    EXPECT_TRUE(SendMessageW(list, LVM_DELETECOLUMN, 0, 0));
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_FALSE(SendMessageW(list, LVM_DELETECOLUMN, 3, 0));
}

TEST_F(ListViewTest, ItemsAndSubItems_InBothCharacterSets) {
    HWND parent = CreateParent();
    HWND list = CreateFilled(parent, 3);
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(Text(list, 1, 0), u"Item 1");
    EXPECT_EQ(Text(list, 1, 1), u"1 KB");
    EXPECT_EQ(Text(list, 1, 2), u"Type 1");

    LVITEMA narrow{};
    narrow.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
    narrow.iItem = 1;
    narrow.pszText = const_cast<LPSTR>("进程名");
    narrow.lParam = 42;
    narrow.state = narrow.stateMask = LVIS_SELECTED;
    EXPECT_EQ(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&narrow)), 1);
    EXPECT_EQ(Text(list, 1), u"\u8FDB\u7A0B\u540D");
    EXPECT_EQ(Text(list, 2), u"Item 1") << "the items after it moved down";
    EXPECT_EQ(Selected(list), std::vector<int>{1});

    // A buffer too small for the whole text gets no half of a Chinese character.
    char small[6] = {};
    LVITEMA read{};
    read.pszText = small;
    read.cchTextMax = 6;
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMTEXTA, 1, reinterpret_cast<LPARAM>(&read)), 4);
    EXPECT_STREQ(small, "进程");

    LVITEMW item{};
    item.mask = LVIF_PARAM | LVIF_STATE | LVIF_IMAGE;
    item.iItem = 1;
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    EXPECT_TRUE(SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.lParam, 42);
    EXPECT_EQ(item.state, LVIS_SELECTED);

    EXPECT_FALSE(SetText(list, 0, 3, u"no column")) << "a sub-item needs a column";
    item.mask = LVIF_PARAM;
    item.iSubItem = 2;
    EXPECT_FALSE(SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        << "sub-items have no lParam";
    item.iSubItem = 1;
    item.iItem = 9;
    EXPECT_EQ(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)), -1)
        << "only items are inserted";
    EXPECT_EQ(AddItem(list, 99, u"last"), 4) << "past the end appends";
    EXPECT_FALSE(SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(nullptr)));
    EXPECT_TRUE(SendMessageW(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(-1), 0))
        << "a count past any real list is only a hint";
}

TEST_F(ListViewTest, TextsTheParentKeeps_AreAskedForInItsCharacterSet) {
    HWND parent = CreateParent();
    HWND list = CreateList(parent);
    AddColumn(list, 0, u"A", 100);
    AddColumn(list, 1, u"B", 100);
    AnswerNotify([](const NMHDR& header) -> std::optional<LRESULT> {
        if (header.code != LVN_GETDISPINFOW)
            return std::nullopt;
        auto& info = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header));
        std::u16string text = u"r";
        text += Number(info.item.iItem);
        text += u"c";
        text += Number(info.item.iSubItem);
        std::copy(text.begin(), text.end(), info.item.pszText);
        info.item.pszText[text.size()] = 0;
        return 0;
    });
    AddItem(list, 0, LPSTR_TEXTCALLBACKW);
    AddItem(list, 1, LPSTR_TEXTCALLBACKW);
    EXPECT_EQ(Text(list, 1, 0), u"r1c0");
    EXPECT_EQ(Text(list, 1, 1), u"r1c1") << "a sub-item never set follows its item";
    SetText(list, 1, 1, u"own");
    EXPECT_EQ(Text(list, 1, 1), u"own");

    HWND ansiParent = CreateParent(300, 200, true);
    HWND narrowList = CreateList(ansiParent);
    AddColumn(narrowList, 0, u"A", 100);
    AnswerNotify([](const NMHDR& header) -> std::optional<LRESULT> {
        if (header.code != LVN_GETDISPINFOA)
            return std::nullopt;
        auto& info = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header));
        std::strcpy(info.item.pszText, "本机");
        return 0;
    });
    AddItem(narrowList, 0, LPSTR_TEXTCALLBACKW);
    EXPECT_EQ(Text(narrowList, 0), u"\u672C\u673A");
}

TEST_F(ListViewTest, Deleting_TellsTheParentItemByItemUnlessItAnswersForAll) {
    HWND parent = CreateParent();
    HWND list = CreateFilled(parent, 4);
    LVITEMW focus{};
    focus.state = focus.stateMask = LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&focus));
    std::vector<int> deleted;
    AnswerNotify([&](const NMHDR& header) -> std::optional<LRESULT> {
        if (header.code == LVN_DELETEITEM)
            deleted.push_back(static_cast<int>(reinterpret_cast<const NMLISTVIEW&>(header).lParam));
        return std::nullopt;
    });
    EXPECT_TRUE(SendMessageW(list, LVM_DELETEITEM, 1, 0));
    EXPECT_EQ(deleted, std::vector<int>{1});
    EXPECT_EQ(Text(list, 1), u"Item 2");
    EXPECT_EQ(Focused(list), 1) << "the focus stays with its item";
    EXPECT_FALSE(SendMessageW(list, LVM_DELETEITEM, 3, 0));

    m_notifications.clear();
    EXPECT_TRUE(SendMessageW(list, LVM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(NotifyCodes(),
              (std::vector<UINT>{LVN_DELETEALLITEMS, LVN_DELETEITEM, LVN_DELETEITEM, LVN_DELETEITEM}));
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(Focused(list), -1);

    HWND other = CreateFilled(parent, 3);
    AnswerNotify([](const NMHDR& header) -> std::optional<LRESULT> {
        return header.code == LVN_DELETEALLITEMS ? std::optional<LRESULT>(TRUE) : std::nullopt;
    });
    m_notifications.clear();
    DestroyWindow(other);
    EXPECT_EQ(NotifyCodes(), std::vector<UINT>{LVN_DELETEALLITEMS}) << "a window that goes deletes its items";
}

TEST_F(ListViewTest, FindingAndWalkingItems) {
    HWND parent = CreateParent();
    HWND list = CreateFilled(parent, 12);
    LVFINDINFOW find{LVFI_STRING, u"item 10", 0, {}, 0};
    EXPECT_EQ(SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)), 10)
        << "texts compare without regard to case";
    find = LVFINDINFOW{LVFI_PARTIAL, u"Item 1", 0, {}, 0};
    EXPECT_EQ(SendMessageW(list, LVM_FINDITEMW, 1, reinterpret_cast<LPARAM>(&find)), 10) << "after the start";
    EXPECT_EQ(SendMessageW(list, LVM_FINDITEMW, 11, reinterpret_cast<LPARAM>(&find)), -1);
    find.flags |= LVFI_WRAP;
    EXPECT_EQ(SendMessageW(list, LVM_FINDITEMW, 11, reinterpret_cast<LPARAM>(&find)), 1);
    LVFINDINFOA byParam{LVFI_PARAM, nullptr, 7, {}, 0};
    EXPECT_EQ(SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&byParam)),
              7);

    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    for (int item : {3, 8})
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(Selected(list), (std::vector<int>{3, 8}));
    EXPECT_EQ(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, 8, LVNI_SELECTED | LVNI_ABOVE), 3);
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, 4, LVNI_ALL | LVNI_BELOW), 5);
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, 4, LVNI_TORIGHT), -1);

    // Every item at once: one notice with item -1.
    state.state = 0;
    m_notifications.clear();
    EXPECT_TRUE(
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state)));
    EXPECT_TRUE(Selected(list).empty());
    EXPECT_EQ(NotifyCodes(), (std::vector<UINT>{LVN_ITEMCHANGING, LVN_ITEMCHANGED}));
}

TEST_F(ListViewTest, SortedStyles_PlaceNewItemsInOrder) {
    HWND parent = CreateParent();
    HWND list = CreateList(parent, LVS_SORTASCENDING);
    AddColumn(list, 0, u"Name", 100);
    for (const char16_t* text : {u"pear", u"Apple", u"fig", u"apple"})
        AddItem(list, 0, text);
    EXPECT_EQ(Text(list, 0), u"Apple");
    EXPECT_EQ(Text(list, 1), u"apple") << "level texts keep the order they came in";
    EXPECT_EQ(Text(list, 2), u"fig");
    EXPECT_EQ(Text(list, 3), u"pear");

    HWND down = CreateList(parent, LVS_SORTDESCENDING);
    AddColumn(down, 0, u"Name", 100);
    for (const char16_t* text : {u"b", u"c", u"a"})
        AddItem(down, 0, text);
    EXPECT_EQ(Text(down, 0), u"c");
    EXPECT_EQ(Text(down, 2), u"a");
}

int CALLBACK ByParamDescending(LPARAM first, LPARAM second, LPARAM) {
    return static_cast<int>(second / 10 - first / 10);
}

int CALLBACK ByTextOfIndex(LPARAM first, LPARAM second, LPARAM list) {
    WCHAR a[32] = {};
    WCHAR b[32] = {};
    LVITEMW item{};
    item.pszText = a;
    item.cchTextMax = 32;
    SendMessageW(reinterpret_cast<HWND>(list), LVM_GETITEMTEXTW, static_cast<WPARAM>(first),
                 reinterpret_cast<LPARAM>(&item));
    item.pszText = b;
    SendMessageW(reinterpret_cast<HWND>(list), LVM_GETITEMTEXTW, static_cast<WPARAM>(second),
                 reinterpret_cast<LPARAM>(&item));
    return std::u16string(a).compare(b);
}

int g_calls = 0;
int CALLBACK Contradicting(LPARAM, LPARAM, LPARAM) {
    return (++g_calls % 3) - 1;
}

TEST_F(ListViewTest, SortItems_ByCallbackIsStableAndSafe) {
    HWND parent = CreateParent();
    HWND list = CreateList(parent);
    AddColumn(list, 0, u"Name", 100);
    // Params 10, 21, 12, 33, 24: the tens are the key, equal keys keep their order.
    const int params[] = {10, 21, 12, 33, 24};
    for (int k = 0; k < 5; ++k)
        AddItem(list, k, Named(u"n", params[k]).c_str(), params[k]);
    LVITEMW focus{};
    focus.stateMask = focus.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&focus));

    EXPECT_TRUE(SendMessageW(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&ByParamDescending)));
    std::vector<std::u16string> order;
    for (int k = 0; k < 5; ++k)
        order.push_back(Text(list, k));
    EXPECT_EQ(order, (std::vector<std::u16string>{u"n33", u"n21", u"n24", u"n10", u"n12"}));
    EXPECT_EQ(Focused(list), 4) << "the focus and selection go with their item";
    EXPECT_EQ(Selected(list), std::vector<int>{4});

    EXPECT_TRUE(SendMessageW(list, LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(list),
                             reinterpret_cast<LPARAM>(&ByTextOfIndex)));
    EXPECT_EQ(Text(list, 0), u"n10");
    EXPECT_EQ(Text(list, 4), u"n33");

    for (int k = 5; k < 200; ++k)
        AddItem(list, k, u"x", k);
    EXPECT_TRUE(SendMessageW(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&Contradicting)));
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 200)
        << "no item lost to a comparison that contradicts itself";
    std::vector<std::u16string> all;
    for (int k = 0; k < 200; ++k)
        all.push_back(Text(list, k));
    EXPECT_EQ(std::count(all.begin(), all.end(), u"n21"), 1);
    EXPECT_FALSE(SendMessageW(list, LVM_SORTITEMS, 0, 0));
}

} // namespace
