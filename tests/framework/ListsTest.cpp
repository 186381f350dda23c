// Combo boxes and list boxes: items kept in step with the window and across a remade one,
// the chosen item and the selection, OnChange / OnClick / OnDblClick from the user's acts,
// owner-drawn items, and their properties by name.

#include "FrameworkTestSupport.h"

#include "framework/classes/TypInfo.h"
#include "framework/stdctrls/ComboBoxes.h"
#include "framework/stdctrls/ListBoxes.h"
#include "platform/controls/combobox/ComboBox.h"
#include "platform/controls/listbox/ListBox.h"

using Lists = FrameworkTest;

namespace {

std::vector<std::string> TextsOf(const TStrings& items) {
    std::vector<std::string> texts;
    for (int i = 0; i < items.Count(); ++i)
        texts.push_back(items[i]);
    return texts;
}

// The screen centre of an item of a list window.
POINT ItemCentre(HWND list, int index) {
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(list, &centre);
    return centre;
}

HWND DroppedList(TCustomComboBox* combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo->Handle(), &info);
    return info.hwndList;
}

} // namespace

TEST_F(Lists, ComboItemsAndChoiceAreKeptBeforeTheWindowAndAcrossANewOne) {
    TForm* form = NewForm();
    auto* combo = new TComboBox(form);
    combo->Items()->Add("TCP");
    combo->Items()->Add("UDP");
    combo->Items()->Insert(0, "TCPUDP");
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->Text(), "TCP");
    combo->SetParent(form);
    form->Show();
    Pump();
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "TCP");

    combo->Items()->SetStrings(1, "只显示TCP");
    EXPECT_EQ(combo->ItemIndex(), 1) << "replacing the chosen item keeps it chosen";
    combo->SetStyle(csDropDownList);
    EXPECT_EQ(TextsOf(*combo->Items()), (std::vector<std::string>{"TCPUDP", "只显示TCP", "UDP"}));
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "只显示TCP");
    combo->SetText("UDP");
    EXPECT_EQ(combo->ItemIndex(), 2) << "a list without a field shows a text by choosing its item";

    combo->SetStyle(csDropDown);
    combo->SetItemIndex(-1);
    combo->SetText("typed");
    combo->SetSorted(true);
    EXPECT_EQ(TextsOf(*combo->Items()), (std::vector<std::string>{"TCPUDP", "UDP", "只显示TCP"}));
    EXPECT_EQ(combo->Text(), "typed");
}

TEST_F(Lists, ComboReportsChoicesAndTypingWithTheNewText) {
    TForm* form = NewForm(300, 300);
    auto* combo = new TComboBox(form);
    combo->SetParent(form);
    combo->SetStyle(csDropDownList);
    for (const char* text : {"北京", "上海", "广州", "深圳", "杭州"})
        combo->Items()->Add(text);
    std::vector<std::string> changes;
    int clicks = 0;
    combo->OnChange = [&](TObject*) { changes.push_back(combo->Text()); };
    combo->OnClick = [&](TObject*) { ++clicks; };
    int drops = 0;
    combo->OnDropDown = [&](TObject*) { ++drops; };
    form->Show();
    Pump();

    const TPoint button = OnScreen(combo, 20, combo->Height() / 2);
    platform::headless::Click(button.x, button.y);
    Pump();
    ASSERT_TRUE(combo->DroppedDown());
    EXPECT_EQ(drops, 1);
    const POINT item = ItemCentre(DroppedList(combo), 2);
    platform::headless::MoveMouse(item.x, item.y);
    platform::headless::Click(item.x, item.y);
    Pump();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(changes, std::vector<std::string>{"广州"}) << "the field already shows the choice";
    EXPECT_EQ(clicks, 1);

    // Closed, an arrow key chooses the next item.
    platform::headless::TypeKey(VK_DOWN);
    Pump();
    EXPECT_EQ(changes.back(), "深圳");
    EXPECT_EQ(clicks, 2);

    // Remade as an editable combo box while it has the focus: the field takes the typing.
    combo->SetStyle(csDropDown);
    EXPECT_EQ(combo->Text(), "深圳");
    EXPECT_EQ(changes.size(), 2u) << "remaking the window changes nothing";
    combo->SetFocus();
    Pump();
    platform::headless::TypeText(u"x");
    Pump();
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes.back(), combo->Text());
    EXPECT_NE(combo->Text().find('x'), std::string::npos);
    EXPECT_EQ(clicks, 2) << "typing is no click";

    // The dropped list shows DropDownCount items.
    combo->SetDropDownCount(3);
    const TPoint arrow = OnScreen(combo, combo->Width() - 6, combo->Height() / 2);
    platform::headless::Click(arrow.x, arrow.y);
    Pump();
    ASSERT_TRUE(combo->DroppedDown());
    RECT dropped{};
    GetWindowRect(DroppedList(combo), &dropped);
    const auto itemHeight = SendMessageA(combo->Handle(), CB_GETITEMHEIGHT, 0, 0);
    EXPECT_NEAR(dropped.bottom - dropped.top, 3 * itemHeight, 4);
    combo->SetDroppedDown(false);
}

TEST_F(Lists, OwnerDrawnComboItemsAreDrawnByOnDrawItem) {
    TForm* form = NewForm(300, 300);
    auto* combo = new TComboBox(form);
    combo->SetParent(form);
    combo->SetStyle(csOwnerDrawFixed);
    combo->SetItemHeight(20);
    combo->Items()->Add("red");
    combo->Items()->Add("blue");
    combo->SetItemIndex(1);
    std::vector<int> drawn;
    combo->OnDrawItem = [&](TWinControl* control, int index, const TRect& rect, TOwnerDrawState) {
        drawn.push_back(index);
        TCanvas* canvas = static_cast<TComboBox*>(control)->Canvas();
        canvas->Brush()->SetColor(index == 1 ? clBlue : clRed);
        canvas->FillRect(rect);
    };
    form->Show();
    Pump();
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), 1), drawn.end()) << "the field shows the chosen item";
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 20);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo->Handle(), &info);
    const int x = (info.rcItem.left + info.rcItem.right) / 2;
    const int y = (info.rcItem.top + info.rcItem.bottom) / 2;
    POINT origin{0, 0};
    ClientToScreen(combo->Handle(), &origin);
    RECT window{};
    GetWindowRect(combo->Handle(), &window);
    EXPECT_EQ(
        platform::headless::ReadPixel(combo->Handle(), x + origin.x - window.left, y + origin.y - window.top),
        ColorToRGB(clBlue));
}

TEST_F(Lists, ListBoxChoiceClicksAndDoubleClicks) {
    TForm* form = NewForm(300, 300);
    auto* list = new TListBox(form);
    list->SetParent(form);
    list->SetBounds(10, 10, 150, 150);
    for (const char* text : {"explorer.exe", "svchost.exe", "qq.exe"})
        list->Items()->Add(text);
    std::vector<int> clicked;
    int doubleClicks = 0;
    list->OnClick = [&](TObject*) { clicked.push_back(list->ItemIndex()); };
    list->OnDblClick = [&](TObject*) { ++doubleClicks; };
    form->Show();
    Pump();
    const POINT second = ItemCentre(list->Handle(), 1);
    platform::headless::Click(second.x, second.y);
    Pump();
    EXPECT_EQ(clicked, std::vector<int>{1});
    EXPECT_TRUE(list->Selected(1));
    EXPECT_EQ(list->ItemAtPos(list->ScreenToClient(ItemCentre(list->Handle(), 2))), 2);
    platform::headless::Click(second.x, second.y);
    Pump();
    EXPECT_EQ(doubleClicks, 1);

    list->SetItemIndex(2);
    EXPECT_EQ(clicked.size(), 1u) << "the program's choice is no click";
    EXPECT_EQ(list->ItemIndex(), 2);
    list->SetItemIndex(7);
    EXPECT_EQ(list->ItemIndex(), -1) << "an index outside the items chooses none";
}

TEST_F(Lists, ListBoxSelectionSurvivesANewWindowAndAChangeOfMode) {
    TForm* form = NewForm(300, 300);
    auto* list = new TListBox(form);
    list->SetParent(form);
    list->SetMultiSelect(true);
    for (const char* text : {"a", "b", "c", "d"})
        list->Items()->AddObject(text, 100 + list->Items()->Count());
    list->SetSelected(1, true);
    list->SetSelected(3, true);
    EXPECT_EQ(list->SelCount(), 2);
    form->Show();
    Pump();
    EXPECT_TRUE(list->Selected(1));
    EXPECT_FALSE(list->Selected(2));
    EXPECT_TRUE(list->Selected(3));
    EXPECT_EQ(list->SelCount(), 2);

    list->SetSelected(3, false);
    list->SetSelected(0, true);
    list->SetBorderStyle(bsNone);
    EXPECT_EQ(list->SelCount(), 2);
    EXPECT_TRUE(list->Selected(0));
    EXPECT_TRUE(list->Selected(1));
    EXPECT_EQ(list->Items()->Objects(3), 103) << "objects come along";
    EXPECT_FALSE(GetWindowLongA(list->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

    list->SetItemIndex(2);
    EXPECT_EQ(list->SelCount(), 1) << "with MultiSelect, setting ItemIndex leaves only that item selected";
    list->SetMultiSelect(false);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_FALSE(GetWindowLongA(list->Handle(), GWL_STYLE) & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL));
}

TEST_F(Lists, SortedListsKeepTheirOrderBeforeAndAfterTheWindow) {
    TForm* form = NewForm();
    auto* list = new TListBox(form);
    list->SetSorted(true);
    EXPECT_EQ(list->Items()->Add("udp"), 0);
    EXPECT_EQ(list->Items()->Add("TCP"), 0);
    EXPECT_EQ(list->Items()->Add("remote"), 0) << "without regard to case";
    list->SetParent(form);
    form->Show();
    Pump();
    EXPECT_EQ(list->Items()->Add("Local"), 0);
    EXPECT_EQ(TextsOf(*list->Items()), (std::vector<std::string>{"Local", "remote", "TCP", "udp"}));
    EXPECT_EQ(list->Items()->IndexOf("tcp"), 2);
    list->Items()->Delete(0);
    list->Clear();
    EXPECT_EQ(list->Items()->Count(), 0);
}

TEST_F(Lists, PropertiesByName) {
    TForm* form = NewForm();
    auto* combo = new TComboBox(form);
    EXPECT_TRUE(combo->InheritsFrom("TCustomComboBox"));
    EXPECT_EQ(GetEnumProp(combo, "Style"), "csDropDown");
    EXPECT_TRUE(SetEnumProp(combo, "Style", "csdropdownlist"));
    EXPECT_EQ(combo->Style(), csDropDownList);
    EXPECT_EQ(GetOrdProp(combo, "DropDownCount"), 8);
    EXPECT_EQ(GetOrdProp(combo, "ItemIndex"), -1);
    EXPECT_EQ(GetOrdProp(combo, "Color"), clWindow);
    EXPECT_TRUE(PropIsKind(combo, "OnDrawItem", TTypeKind::tkMethod));
    EXPECT_EQ(GetOrdProp(combo, "Checked"), -1);

    auto* list = new TListBox(form);
    EXPECT_TRUE(list->InheritsFrom("TCustomListBox"));
    EXPECT_EQ(GetEnumProp(list, "MultiSelect"), "False");
    EXPECT_TRUE(SetPropValue(list, "MultiSelect", "True"));
    EXPECT_TRUE(list->MultiSelect());
    EXPECT_EQ(GetEnumProp(list, "Style"), "lbStandard");
    EXPECT_EQ(GetEnumProp(list, "BorderStyle"), "bsSingle");
    EXPECT_EQ(GetEnumProp(list, "Sorted"), "False");
    EXPECT_EQ(GetStrProp(list, "Text"), "") << "a list box publishes no text";
    EXPECT_TRUE(PropIsKind(list, "OnDblClick", TTypeKind::tkMethod));
}

TEST_F(Lists, VariableListItemsTakeTheHeightsOnMeasureItemGives) {
    TForm* form = NewForm(300, 300);
    auto* list = new TListBox(form);
    list->SetParent(form);
    list->SetStyle(lbOwnerDrawVariable);
    list->OnMeasureItem = [](TWinControl*, int index, int& height) { height = 10 + 5 * index; };
    std::vector<int> drawn;
    list->OnDrawItem = [&](TWinControl*, int index, const TRect&, TOwnerDrawState) {
        drawn.push_back(index);
    };
    for (const char* text : {"a", "b", "c"})
        list->Items()->Add(text);
    form->Show();
    Pump();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(SendMessageA(list->Handle(), LB_GETITEMHEIGHT, static_cast<WPARAM>(i), 0), 10 + 5 * i);
    std::sort(drawn.begin(), drawn.end());
    drawn.erase(std::unique(drawn.begin(), drawn.end()), drawn.end());
    EXPECT_EQ(drawn, (std::vector<int>{0, 1, 2}));

    // Remade, the items are measured again.
    list->OnMeasureItem = [](TWinControl*, int, int& height) { height = 30; };
    list->SetBorderStyle(bsNone);
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETITEMHEIGHT, 2, 0), 30);
}
