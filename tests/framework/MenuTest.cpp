// Menus built from items: shortcut texts, the native menus kept in step with the items, the
// form's menu bar through window re-creation, commands and shortcuts reaching OnClick, popup
// menus by call and by context-menu request, owner drawing, and the properties by name.

#include "FrameworkTestSupport.h"

#include "framework/classes/TypInfo.h"
#include "framework/forms/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/menus/Menus.h"
#include "platform/gdi/WinUserDraw.h"

#include <functional>

namespace headless = platform::headless;

namespace {

std::string NativeText(HMENU menu, UINT position) {
    char text[80]{};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

MENUITEMINFOA NativeInfo(HMENU menu, UINT position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    GetMenuItemInfoA(menu, position, TRUE, &info);
    return info;
}

TMenuItem* NewItem(TComponent* owner, const std::string& caption, TShortCut shortCut = scNone) {
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    return item;
}

// A form with the menu bar "&File" (Open Ctrl+O, a line, Exit) and "&Edit" (Copy).
class MenuForm : public FrameworkTest {
protected:
    void Build() {
        form = NewForm(400, 300);
        menu = new TMainMenu(form);
        file = NewItem(form, "&File");
        open = NewItem(form, "&Open", ShortCut('O', {ssCtrl}));
        line = NewItem(form, "-");
        exit = NewItem(form, "E&xit");
        edit = NewItem(form, "&Edit");
        copy = NewItem(form, "&Copy", ShortCut('C', {ssCtrl}));
        file->Add(open);
        file->Add(line);
        file->Add(exit);
        edit->Add(copy);
        menu->Items()->Add(file);
        menu->Items()->Add(edit);
        form->SetMenu(menu);
        for (TMenuItem* item : {open, exit, copy})
            item->OnClick = [this](TObject* sender) { clicked.push_back(static_cast<TMenuItem*>(sender)); };
        form->Show();
        Pump();
    }

    // Opens File from the keyboard (its first item selected) and, once its window shows, lets
    // `look` read the items by their screen rectangles before the menu is closed again.
    using ItemPixel = std::function<COLORREF(int item, int x, int y)>;
    void LookAtFileMenu(const std::function<void(const ItemPixel& pixel)>& look) {
        bool looked = false;
        headless::SetIdleHandler([&] {
            HWND menuWindow = FindWindowA(POPUPMENU_CLASS_NAME, nullptr);
            if (!menuWindow || !IsWindowVisible(menuWindow) || looked)
                return false;
            looked = true;
            RECT window{};
            GetWindowRect(menuWindow, &window);
            look([&](int item, int x, int y) {
                RECT rect{};
                GetMenuItemRect(form->Handle(), file->Handle(), static_cast<UINT>(item), &rect);
                return headless::ReadPixel(menuWindow, rect.left - window.left + x,
                                           rect.top - window.top + y);
            });
            headless::TypeKey(VK_ESCAPE);
            headless::TypeKey(VK_ESCAPE);
            return true;
        });
        headless::PressKey(VK_MENU);
        headless::TypeKey('F');
        headless::ReleaseKey(VK_MENU);
        Pump();
        headless::SetIdleHandler(nullptr);
        EXPECT_TRUE(looked) << "the File menu did not open";
    }

    TForm* form = nullptr;
    TMainMenu* menu = nullptr;
    TMenuItem* file = nullptr;
    TMenuItem* open = nullptr;
    TMenuItem* line = nullptr;
    TMenuItem* exit = nullptr;
    TMenuItem* edit = nullptr;
    TMenuItem* copy = nullptr;
    std::vector<TMenuItem*> clicked;
};

} // namespace

TEST(ShortCuts, TextAndValueRoundTrip) {
    EXPECT_EQ(ShortCutToText(ShortCut('S', {ssCtrl})), "Ctrl+S");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F1, {ssShift, ssCtrl})), "Shift+Ctrl+F1");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, {ssAlt})), "Alt+Del");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F12, {})), "F12");
    EXPECT_EQ(ShortCutToText(scNone), "");
    for (const char* text : {"Ctrl+S", "Shift+Ctrl+F1", "Alt+Del", "F12", "Ctrl+PgDn", "Shift+Alt+9"})
        EXPECT_EQ(ShortCutToText(TextToShortCut(text)), text);
    EXPECT_EQ(TextToShortCut("alt+ctrl+x"), ShortCut('X', {ssCtrl, ssAlt})) << "any order, any case";
    for (const char* nothing : {"", "Ctrl+", "Ctrl++", "Ctrl+Foo", "Hyper+S", "SS"})
        EXPECT_EQ(TextToShortCut(nothing), scNone) << nothing;
    WORD key = 0;
    TShiftState shift;
    ShortCutToKey(ShortCut(VK_F5, {ssShift}), key, shift);
    EXPECT_EQ(key, VK_F5);
    EXPECT_EQ(shift, TShiftState{ssShift});
}

TEST_F(MenuForm, TheWindowShowsTheItemsAsNativeMenus) {
    Build();
    HMENU bar = GetMenu(form->Handle());
    ASSERT_EQ(bar, menu->Handle());
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(NativeText(bar, 0), "&File");
    EXPECT_EQ(NativeText(bar, 1), "&Edit");
    HMENU popup = GetSubMenu(bar, 0);
    ASSERT_EQ(popup, file->Handle());
    ASSERT_EQ(GetMenuItemCount(popup), 3);
    EXPECT_EQ(NativeText(popup, 0), "&Open\tCtrl+O");
    EXPECT_EQ(NativeInfo(popup, 0).wID, open->Command());
    EXPECT_TRUE(NativeInfo(popup, 1).fType & MFT_SEPARATOR);
    EXPECT_EQ(NativeInfo(popup, 2).hSubMenu, nullptr);
    EXPECT_LT(form->ClientHeight(), 300 - GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYMENU) + 1)
        << "the bar takes room from the client area";
}

TEST_F(MenuForm, ChangesToItemsKeepTheNativeMenusInStepAndTellTheForm) {
    Build();
    MessageSpy spy(form);
    HMENU popup = file->Handle();

    open->SetCaption("&Open...");
    EXPECT_EQ(NativeText(popup, 0), "&Open...\tCtrl+O");
    open->SetEnabled(false);
    EXPECT_EQ(NativeInfo(popup, 0).fState & MFS_GRAYED, MFS_GRAYED);
    open->SetChecked(true);
    open->SetDefault(true);
    EXPECT_TRUE(NativeInfo(popup, 0).fState & MFS_CHECKED);
    EXPECT_TRUE(NativeInfo(popup, 0).fState & MFS_DEFAULT);
    const int looks = spy.Count(CM_MENUCHANGED);
    EXPECT_EQ(looks, 4) << "one notification per change";

    // Structure: hidden items leave the native menu, inserted and deleted ones come and go.
    line->SetVisible(false);
    ASSERT_EQ(GetMenuItemCount(popup), 2);
    EXPECT_EQ(NativeText(popup, 1), "E&xit");
    file->Insert(0, NewItem(form, "&New"));
    ASSERT_EQ(GetMenuItemCount(popup), 3);
    EXPECT_EQ(NativeText(popup, 0), "&New");
    line->SetVisible(true);
    EXPECT_EQ(GetMenuItemCount(popup), 4);
    file->Delete(0);
    EXPECT_EQ(GetMenuItemCount(popup), 3);
    EXPECT_EQ(NativeText(popup, 0), "&Open...\tCtrl+O");

    // A leaf that gains a child opens a submenu; losing it again closes it.
    TMenuItem* recent = NewItem(form, "a.txt");
    exit->Add(recent);
    HMENU submenu = NativeInfo(popup, 2).hSubMenu;
    ASSERT_NE(submenu, nullptr);
    EXPECT_EQ(NativeText(submenu, 0), "a.txt");
    exit->Remove(recent);
    EXPECT_EQ(NativeInfo(popup, 2).hSubMenu, nullptr);
    delete recent;

    // The bar's own items.
    edit->SetCaption("&Edit2");
    EXPECT_EQ(NativeText(menu->Handle(), 1), "&Edit2");
    menu->Items()->Remove(edit);
    EXPECT_EQ(GetMenuItemCount(menu->Handle()), 1);
    menu->Items()->Add(edit);
    EXPECT_GT(spy.Count(CM_MENUCHANGED), looks + 8);
}

TEST_F(MenuForm, TheMenuBarOutlivesWindowRecreationAndGoesWithItsMenu) {
    Build();
    HWND old = form->Handle();
    HMENU bar = menu->Handle();
    form->SetBorderStyle(bsSingle); // made afresh
    ASSERT_NE(form->Handle(), old);
    EXPECT_TRUE(IsMenu(bar)) << "the old window did not take the menu with it";
    EXPECT_EQ(GetMenu(form->Handle()), bar);
    EXPECT_EQ(GetPropValue(form, "Menu").size(), 0u); // object properties have no text form
    EXPECT_EQ(GetObjectPropAs<TMainMenu>(form, "Menu"), menu);

    MessageSpy spy(form);
    form->SetMenu(nullptr);
    EXPECT_EQ(GetMenu(form->Handle()), nullptr);
    EXPECT_TRUE(IsMenu(bar));
    form->SetMenu(menu);
    EXPECT_EQ(GetMenu(form->Handle()), bar);
    EXPECT_EQ(spy.Count(CM_MENUCHANGED), 2) << "taking the menu away and giving it back are menu changes";

    delete menu;
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(GetMenu(form->Handle()), nullptr);
    EXPECT_FALSE(IsMenu(bar));
}

TEST_F(MenuForm, RadioItemsOfOneGroupCheckOneAtATime) {
    Build();
    TMenuItem* items[4];
    for (int i = 0; i < 4; ++i) {
        items[i] = NewItem(form, "v" + std::to_string(i));
        items[i]->SetRadioItem(true);
        items[i]->SetGroupIndex(i < 3 ? 1 : 2);
        edit->Add(items[i]);
    }
    items[0]->SetChecked(true);
    items[3]->SetChecked(true);
    items[1]->SetChecked(true);
    EXPECT_FALSE(items[0]->Checked());
    EXPECT_TRUE(items[1]->Checked());
    EXPECT_TRUE(items[3]->Checked()) << "another group is left alone";
    EXPECT_TRUE(NativeInfo(edit->Handle(), 2).fType & MFT_RADIOCHECK);
    EXPECT_TRUE(NativeInfo(edit->Handle(), 2).fState & MFS_CHECKED);
    EXPECT_FALSE(NativeInfo(edit->Handle(), 1).fState & MFS_CHECKED);
}

TEST_F(MenuForm, CommandsFromTheMenuBarAndShortCutsClickTheItem) {
    Build();
    // Alt+F opens File with its first item selected, Enter chooses it.
    headless::PressKey(VK_MENU);
    headless::TypeKey('F');
    headless::ReleaseKey(VK_MENU);
    headless::TypeKey(VK_RETURN);
    Pump();
    ASSERT_EQ(clicked, std::vector<TMenuItem*>{open});

    headless::PressKey(VK_CONTROL);
    headless::TypeKey('C');
    headless::ReleaseKey(VK_CONTROL);
    Pump();
    EXPECT_EQ(clicked.back(), copy) << "Ctrl+C is Copy's shortcut";

    copy->SetEnabled(false);
    headless::PressKey(VK_CONTROL);
    headless::TypeKey('C');
    headless::ReleaseKey(VK_CONTROL);
    Pump();
    EXPECT_EQ(clicked.size(), 2u) << "a disabled item's shortcut does nothing";

    PostMessageA(form->Handle(), WM_COMMAND, exit->Command(), 0);
    Pump();
    EXPECT_EQ(clicked.back(), exit);
}

TEST_F(MenuForm, TheSelectedItemsHintIsTheApplicationsWhileTheMenuIsOpen) {
    Build();
    open->SetHint("打开|打开一个文件");
    std::string whileOpen;
    LookAtFileMenu([&](const ItemPixel&) { whileOpen = Application()->Hint(); });
    EXPECT_EQ(whileOpen, "打开一个文件");
    EXPECT_EQ(Application()->Hint(), "") << "gone with the menu";
}

TEST_F(MenuForm, AnItemMayFreeItselfInItsOwnOnClick) {
    Build();
    exit->OnClick = [this](TObject* sender) {
        delete sender;
        clicked.push_back(nullptr);
    };
    PostMessageA(form->Handle(), WM_COMMAND, exit->Command(), 0);
    Pump();
    EXPECT_EQ(clicked, std::vector<TMenuItem*>{nullptr});
    EXPECT_EQ(file->Count(), 2);
    EXPECT_EQ(GetMenuItemCount(file->Handle()), 2);
}

TEST_F(MenuForm, ErrorsInOnClickReachTheApplication) {
    Build();
    open->OnClick = [](TObject*) { throw Exception("打不开"); };
    headless::PressKey(VK_CONTROL);
    headless::TypeKey('O');
    headless::ReleaseKey(VK_CONTROL);
    Pump();
    EXPECT_EQ(errors, std::vector<std::string>{"打不开"});
}

TEST_F(MenuForm, PopupMenusOpenByCallAndForTheControlWhoseMenuTheyAre) {
    Build();
    auto* popup = new TPopupMenu(form);
    TMenuItem* first = NewItem(form, "&First");
    TMenuItem* second = NewItem(form, "&Second");
    popup->Items()->Add(first);
    popup->Items()->Add(second);
    std::vector<std::string> events;
    popup->OnPopup = [&](TObject*) { events.push_back("popup"); };
    second->OnClick = [&](TObject*) { events.push_back("second"); };

    headless::SetIdleHandler([] {
        HWND menuWindow = FindWindowA(POPUPMENU_CLASS_NAME, nullptr);
        if (!menuWindow || !IsWindowVisible(menuWindow))
            return false;
        headless::TypeKey('S');
        return true;
    });
    const TPoint at = OnScreen(form, 20, 20);
    popup->Popup(at.x, at.y);
    Pump();
    EXPECT_EQ(events, (std::vector<std::string>{"popup", "second"}));

    auto* control = new TCustomControl(form);
    control->SetParent(form);
    control->SetBounds(10, 10, 100, 60);
    control->SetPopupMenu(popup);
    Pump();
    events.clear();
    const TPoint inside = OnScreen(control, 30, 30);
    headless::Click(inside.x, inside.y, platform::MouseButton::Right);
    Pump();
    EXPECT_EQ(events, (std::vector<std::string>{"popup", "second"}));
    EXPECT_EQ(popup->PopupComponent(), control);

    // Shift+F10 asks from the keyboard: the menu opens at the control's client origin.
    events.clear();
    RECT shown{};
    headless::SetIdleHandler([&] {
        HWND menuWindow = FindWindowA(POPUPMENU_CLASS_NAME, nullptr);
        if (!menuWindow || !IsWindowVisible(menuWindow))
            return false;
        GetWindowRect(menuWindow, &shown);
        headless::TypeKey('S');
        return true;
    });
    control->SetTabStop(true);
    control->SetFocus();
    headless::PressKey(VK_SHIFT);
    headless::TypeKey(VK_F10);
    headless::ReleaseKey(VK_SHIFT);
    Pump();
    EXPECT_EQ(events, (std::vector<std::string>{"popup", "second"}));
    const TPoint origin = OnScreen(control, 0, 0);
    EXPECT_EQ(shown.left, origin.x);
    EXPECT_EQ(shown.top, origin.y);

    popup->SetAutoPopup(false);
    events.clear();
    headless::Click(inside.x, inside.y, platform::MouseButton::Right);
    Pump();
    EXPECT_TRUE(events.empty());
    headless::SetIdleHandler(nullptr);

    delete popup;
    EXPECT_EQ(control->PopupMenu(), nullptr);
}

TEST_F(MenuForm, OwnerDrawnItemsAreMeasuredAndDrawnByTheirHandlers) {
    Build();
    menu->SetOwnerDraw(true);
    EXPECT_TRUE(NativeInfo(file->Handle(), 0).fType & MFT_OWNERDRAW);
    int measured = 0;
    std::vector<TOwnerDrawState> drawn;
    open->OnMeasureItem = [&](TObject*, TCanvas*, int& width, int& height) {
        ++measured;
        width = 150;
        height = 30;
    };
    open->OnAdvancedDrawItem = [&](TObject*, TCanvas* canvas, const TRect& rect, TOwnerDrawState state) {
        drawn.push_back(state);
        canvas->Brush()->SetColor(static_cast<TColor>(0x00FF00));
        canvas->FillRect(rect);
    };
    COLORREF seen = CLR_INVALID;
    COLORREF plain = CLR_INVALID;
    RECT item{};
    LookAtFileMenu([&](const ItemPixel& pixel) {
        GetMenuItemRect(form->Handle(), file->Handle(), 0, &item);
        seen = pixel(0, 5, 5);
        plain = pixel(2, 2, 2);
    });
    EXPECT_GE(measured, 1);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(seen, RGB(0, 255, 0));
    EXPECT_EQ(RectWidth(item), 150);
    EXPECT_EQ(RectHeight(item), 30);
    EXPECT_TRUE(drawn.back().Contains(odSelected)) << "the keyboard opened the menu on its first item";
    EXPECT_EQ(plain, GetSysColor(COLOR_MENU)) << "an item without handlers has the framework's look";
}

TEST_F(MenuForm, AMenuWithImagesDrawsTheItemsPictures) {
    Build();
    auto* images = new TImageList(form);
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(16, 16);
    picture.Canvas()->Brush()->SetColor(clRed);
    picture.Canvas()->FillRect(Bounds(0, 0, 16, 16));
    images->Add(&picture, nullptr);
    open->SetImageIndex(0);
    menu->SetImages(images);
    EXPECT_TRUE(NativeInfo(file->Handle(), 0).fType & MFT_OWNERDRAW) << "a menu with images draws itself";
    EXPECT_EQ(GetObjectPropAs<TCustomImageList>(menu, "Images"), images);

    COLORREF glyph = CLR_INVALID;
    LookAtFileMenu([&](const ItemPixel& pixel) {
        RECT item{};
        GetMenuItemRect(form->Handle(), file->Handle(), 0, &item);
        glyph = pixel(0, 1 + 8, RectHeight(item) / 2);
    });
    EXPECT_EQ(glyph, RGB(255, 0, 0));

    delete images;
    EXPECT_EQ(menu->Images(), nullptr);
    EXPECT_FALSE(NativeInfo(file->Handle(), 0).fType & MFT_OWNERDRAW) << "the platform draws again";
}

TEST_F(MenuForm, ItemsAndMenusPublishTheirPropertiesByName) {
    Build();
    EXPECT_EQ(GetStrProp(open, "Caption"), "&Open");
    EXPECT_EQ(GetOrdProp(open, "ShortCut"), ShortCut('O', {ssCtrl}));
    EXPECT_TRUE(SetPropValue(open, "Checked", "True"));
    EXPECT_TRUE(open->Checked());
    EXPECT_TRUE(SetPropValue(open, "Enabled", "false"));
    EXPECT_FALSE(open->Enabled());
    EXPECT_TRUE(SetPropValue(open, "Caption", "打开"));
    EXPECT_EQ(NativeText(file->Handle(), 0), "打开\tCtrl+O");
    EXPECT_TRUE(SetPropValue(open, "ImageIndex", "3"));
    EXPECT_EQ(open->ImageIndex(), 3);
    EXPECT_TRUE(SetPropValue(open, "Tag", "99"));
    EXPECT_EQ(open->Tag(), 99);
    for (const char* name : {"Default", "RadioItem", "Visible"})
        EXPECT_EQ(GetEnumProp(open, name), std::string(name) == "Visible" ? "True" : "False") << name;
    EXPECT_TRUE(SetPropValue(menu, "OwnerDraw", "True"));
    EXPECT_TRUE(menu->OwnerDraw());
    EXPECT_EQ(GetObjectPropAs<TMenuItem>(menu, "Items"), menu->Items());
    EXPECT_EQ(GetOrdProp(open, "Flat"), -1);
    EXPECT_EQ(FindClass("TPopupMenu"), &TPopupMenu::ClassInfo());
    EXPECT_EQ(file->Find("file"), nullptr);
    EXPECT_EQ(menu->Items()->Find("file"), file) << "found without the mnemonic mark, case ignored";
    EXPECT_EQ(file->IndexOf(exit), 2);
    EXPECT_EQ(exit->MenuIndex(), 2);
    EXPECT_EQ(exit->GetParentMenu(), menu);
}

TEST(MenuItems, InsertingRefusesASecondParentAndCycles) {
    TMenuItem parent(nullptr);
    auto* child = new TMenuItem(nullptr);
    parent.Add(child);
    TMenuItem other(nullptr);
    EXPECT_THROW(other.Add(child), EMenuError);
    auto* grandChild = new TMenuItem(nullptr);
    child->Add(grandChild);
    parent.Remove(child);
    EXPECT_THROW(grandChild->Add(child), EMenuError);
    EXPECT_THROW(parent.Insert(5, child), EMenuError);
    EXPECT_THROW(parent.Delete(0), EMenuError);
    delete child; // takes its child along
}
