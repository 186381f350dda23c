// TListView over the platform's list view: columns and items written into the window when it is
// made and kept when it is made again, texts answered as the window draws, selection and its
// events from the mouse and from code, column clicks, sorting, and its published properties.

#include "FrameworkTestSupport.h"

#include "framework/classes/TypInfo.h"
#include "framework/comctrls/ListView.h"
#include "platform/controls/common/CommCtrl.h"
#include "platform/gdi/WinUserDraw.h"

namespace {

std::string WindowText(TListView* view, int item, int subItem) {
    char text[64] = {};
    LVITEMA record{};
    record.iSubItem = subItem;
    record.pszText = text;
    record.cchTextMax = 64;
    SendMessageA(view->Handle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(item),
                 reinterpret_cast<LPARAM>(&record));
    return text;
}

TPoint ItemPoint(TListView* view, int item) {
    RECT label{LVIR_LABEL, 0, 0, 0};
    SendMessageA(view->Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(item),
                 reinterpret_cast<LPARAM>(&label));
    return view->ClientToScreen(Point(label.left + 8, (label.top + label.bottom) / 2));
}

class ListViews : public FrameworkTest {
protected:
    // Columns 协议, 本地地址 and 状态, and `count` rows "TCP k" / "127.0.0.1:k" / "LISTEN".
    TListView* MakeView(int count) {
        form = NewForm(400, 300);
        auto* view = new TListView(form);
        view->SetParent(form);
        view->SetAlign(alClient);
        const char* titles[] = {"协议", "本地地址", "状态"};
        for (const char* title : titles) {
            TListColumn* column = view->Columns()->Add();
            column->SetCaption(title);
            column->SetWidth(100);
        }
        for (int k = 0; k < count; ++k) {
            TListItem* item = view->Items()->Add();
            item->SetCaption("TCP " + std::to_string(k));
            item->SubItems()->Add("127.0.0.1:" + std::to_string(k));
            item->SubItems()->Add("LISTEN");
        }
        return view;
    }

    void ShowForm() {
        form->Show();
        Pump();
    }

    TForm* form = nullptr;
};

} // namespace

TEST_F(ListViews, ColumnsAndItemsReachTheWindowWhenItIsMade) {
    TListView* view = MakeView(5);
    ShowForm();
    HWND window = view->Handle();
    EXPECT_EQ(SendMessageA(window, LVM_GETITEMCOUNT, 0, 0), 5);
    EXPECT_EQ(WindowText(view, 3, 0), "TCP 3");
    EXPECT_EQ(WindowText(view, 3, 1), "127.0.0.1:3");
    EXPECT_EQ(WindowText(view, 3, 2), "LISTEN");
    EXPECT_EQ(WindowText(view, 3, 3), "") << "past the sub-items an empty text";
    HWND header = reinterpret_cast<HWND>(SendMessageA(window, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 3);

    // Changes while the window exists show at once.
    view->Items()->Item(3)->SubItems()->SetStrings(1, "CLOSE_WAIT");
    EXPECT_EQ(WindowText(view, 3, 2), "CLOSE_WAIT");
    view->Items()->Insert(0)->SetCaption("UDP");
    EXPECT_EQ(WindowText(view, 0, 0), "UDP");
    EXPECT_EQ(WindowText(view, 4, 0), "TCP 3");
    view->Items()->Delete(0);
    EXPECT_EQ(SendMessageA(window, LVM_GETITEMCOUNT, 0, 0), 5);
    view->Columns()->Items(1)->SetCaption("本地");
    char title[16] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = title;
    column.cchTextMax = 16;
    SendMessageA(window, LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
    EXPECT_STREQ(title, "本地");
    view->Items()->Clear();
    EXPECT_EQ(SendMessageA(window, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(ListViews, PublishedPropertiesReadAndWriteByName) {
    TListView* view = MakeView(2);
    ShowForm();
    EXPECT_TRUE(SetEnumProp(view, "GridLines", "True"));
    EXPECT_TRUE(SetEnumProp(view, "RowSelect", "True"));
    const auto extended = SendMessageA(view->Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    EXPECT_EQ(extended & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT), LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    EXPECT_EQ(GetEnumProp(view, "BorderStyle"), "bsSingle");
    EXPECT_EQ(SendMessageA(view->Handle(), LVM_GETBKCOLOR, 0, 0),
              static_cast<LRESULT>(GetSysColor(COLOR_WINDOW)))
        << "the window colour, not the form's";
    view->SetColor(clYellow);
    EXPECT_EQ(SendMessageA(view->Handle(), LVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(RGB(255, 255, 0)));
    EXPECT_TRUE(GetWindowLongA(view->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetObjectProp(view, "Columns"), view->Columns());
    EXPECT_EQ(GetObjectProp(view, "Items"), view->Items());
    EXPECT_TRUE(IsPublishedProp(view, "OnSelectItem"));
    EXPECT_TRUE(IsPublishedProp(view, "OnColumnClick"));
    EXPECT_FALSE(IsPublishedProp(view, "FixedColor"));
    EXPECT_EQ(GetStrProp(view->Columns()->Items(0), "Caption"), "协议");
    EXPECT_TRUE(view->InheritsFrom("TCustomListView"));
}

TEST_F(ListViews, SelectingByMouseAndByCodeRaisesOnSelectItem) {
    TListView* view = MakeView(6);
    ShowForm();
    std::vector<std::pair<int, bool>> events;
    view->OnSelectItem = [&](TObject*, TListItem* item, bool selected) {
        events.emplace_back(item ? item->Index() : -1, selected);
    };
    const TPoint second = ItemPoint(view, 2);
    platform::headless::Click(second.x, second.y);
    Pump();
    EXPECT_EQ(events, (std::vector<std::pair<int, bool>>{{2, true}}));
    EXPECT_EQ(view->ItemIndex(), 2);
    EXPECT_EQ(view->Selected(), view->Items()->Item(2));
    EXPECT_EQ(view->ItemFocused(), view->Items()->Item(2));

    events.clear();
    view->SetItemIndex(4);
    EXPECT_EQ(events, (std::vector<std::pair<int, bool>>{{2, false}, {4, true}}));
    EXPECT_TRUE(view->Items()->Item(4)->Selected());
    EXPECT_EQ(SendMessageA(view->Handle(), LVM_GETITEMSTATE, 4, LVIS_SELECTED), LVIS_SELECTED);
    EXPECT_EQ(view->GetItemAt(20, 5), nullptr) << "the header is no item";

    // With a multiple selection, Ctrl adds.
    view->SetMultiSelect(true);
    Pump();
    EXPECT_TRUE(view->Items()->Item(4)->Selected()) << "a new window keeps the selection";
    platform::headless::PressKey(VK_CONTROL);
    const TPoint first = ItemPoint(view, 0);
    platform::headless::Click(first.x, first.y);
    platform::headless::ReleaseKey(VK_CONTROL);
    Pump();
    EXPECT_EQ(view->SelCount(), 2);
    view->ClearSelection();
    EXPECT_EQ(view->SelCount(), 0);
    EXPECT_EQ(SendMessageA(view->Handle(), LVM_GETSELECTEDCOUNT, 0, 0), 0);
}

TEST_F(ListViews, ColumnClicksAndDoubleClicksReachTheirEvents) {
    TListView* view = MakeView(3);
    ShowForm();
    TListColumn* clicked = nullptr;
    view->OnColumnClick = [&](TObject*, TListColumn* column) { clicked = column; };
    int doubleClicks = 0;
    view->OnDblClick = [&](TObject*) { ++doubleClicks; };
    HWND header = reinterpret_cast<HWND>(SendMessageA(view->Handle(), LVM_GETHEADER, 0, 0));
    POINT title{150, 5};
    ClientToScreen(header, &title);
    platform::headless::Click(title.x, title.y);
    Pump();
    EXPECT_EQ(clicked, view->Columns()->Items(1));

    const TPoint item = ItemPoint(view, 1);
    platform::headless::AdvanceClock(1000);
    platform::headless::Click(item.x, item.y);
    platform::headless::Click(item.x, item.y);
    Pump();
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(ListViews, AWindowMadeAgainKeepsItemsSelectionAndColumnWidths) {
    TListView* view = MakeView(4);
    ShowForm();
    view->Items()->Item(1)->SetSelected(true);
    SendMessageA(view->Handle(), LVM_SETCOLUMNWIDTH, 0, 140);
    EXPECT_EQ(view->Columns()->Items(0)->Width(), 140) << "the width the user gave it";
    view->SetShowColumnHeaders(false);
    Pump();
    EXPECT_EQ(SendMessageA(view->Handle(), LVM_GETITEMCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageA(view->Handle(), LVM_GETITEMSTATE, 1, LVIS_SELECTED), LVIS_SELECTED);
    EXPECT_EQ(view->Columns()->Items(0)->Width(), 140);
    EXPECT_TRUE(GetWindowLongA(view->Handle(), GWL_STYLE) & LVS_NOCOLUMNHEADER);
}

TEST_F(ListViews, SortingByCaptionOrByAComparison) {
    TListView* view = MakeView(0);
    for (const char* caption : {"udp", "TCP", "icmp", "Arp"})
        view->Items()->Add()->SetCaption(caption);
    ShowForm();
    view->Items()->Item(1)->SetSelected(true);
    EXPECT_TRUE(view->AlphaSort());
    std::vector<std::string> order;
    for (int k = 0; k < view->Items()->Count(); ++k)
        order.push_back(view->Items()->Item(k)->Caption());
    EXPECT_EQ(order, (std::vector<std::string>{"Arp", "icmp", "TCP", "udp"})) << "without regard to case";
    EXPECT_EQ(WindowText(view, 0, 0), "Arp") << "the window's order is the items' order";
    EXPECT_EQ(view->Selected()->Caption(), "TCP");
    EXPECT_EQ(view->Selected()->Index(), 2);

    EXPECT_TRUE(view->CustomSort([](TListItem* a, TListItem* b) {
        return static_cast<int>(b->Caption().size()) - static_cast<int>(a->Caption().size());
    }));
    EXPECT_EQ(view->Items()->Item(0)->Caption(), "icmp");
    EXPECT_EQ(view->Items()->Item(1)->Caption(), "Arp") << "level items keep their order";
    view->OnCompare = [](TObject*, TListItem* a, TListItem* b, int, int& compare) {
        compare = b->Caption().compare(a->Caption());
    };
    EXPECT_TRUE(view->AlphaSort());
    EXPECT_EQ(view->Items()->Item(0)->Caption(), "udp");
    view->Items()->Clear();
    EXPECT_FALSE(view->AlphaSort()) << "nothing to sort";
}
