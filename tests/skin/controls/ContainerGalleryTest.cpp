// Pictures for a person to look at: the edits, combo boxes, date pickers and up-downs, tool bars,
// tab sets, progress bars, track
// bars, status bars, headers, group boxes and panels, page controls with their tabs on each side, skinned on
// the right of each form and in their classic look on the left, in the default and the dark skin. Written to
// build/skin-controls2-*.png.

#include "ContainerGalleryFixture.h"

#include "framework/comctrls/DateTimePicker.h"
#include "framework/comctrls/HeaderControl.h"
#include "framework/comctrls/ListView.h"
#include "framework/comctrls/ListViewItems.h"
#include "framework/comctrls/PageControl.h"
#include "framework/comctrls/ProgressBar.h"
#include "framework/comctrls/StatusBar.h"
#include "framework/comctrls/TabControl.h"
#include "framework/comctrls/ToolBar.h"
#include "framework/comctrls/TrackBar.h"
#include "framework/comctrls/UpDown.h"
#include "framework/extctrls/TabSet.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/ComboBoxes.h"
#include "framework/stdctrls/Edits.h"
#include "framework/stdctrls/ListItems.h"
#include "framework/stdctrls/Panels.h"
#include "platform/controls/common/CommCtrl.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinContainers.h"
#include "skin/controls/SkinDateTime.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinProgressBars.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTabs.h"
#include "skin/controls/SkinToolBar.h"

namespace {

class ContainerGalleryTest : public ContainerGalleryFixture {};

TEST_P(ContainerGalleryTest, ProgressAndTrackBars) {
    TForm* form = GalleryForm(470, 400);
    for (bool skinned : {false, true}) {
        const int positions[] = {0, 35, 100};
        for (int i = 0; i < 3; ++i) {
            auto* bar = Pair<TProgressBar, TSkinProgress>(form, skinned, 15, 15 + i * 30, 200, 20);
            bar->SetPosition(positions[i]);
        }
        for (int i = 0; i < 2; ++i) {
            auto* bar = Add<TProgressBar>(form, 15 + (skinned ? ColumnOffset : 0) + i * 30, 110, 20, 100);
            bar->SetOrientation(pbVertical);
            bar->SetBounds(15 + (skinned ? ColumnOffset : 0) + i * 30, 110, 20, 100);
            bar->SetPosition(i == 0 ? 60 : 100);
            if (skinned)
                SkinOf<TSkinProgress>(bar);
        }
        auto* track = Pair<TTrackBar, TSkinTrackBar>(form, skinned, 80, 110, 135, 40);
        track->SetPosition(3);
        track->SetTickStyle(tsAuto);
        auto* both = Pair<TTrackBar, TSkinTrackBar>(form, skinned, 80, 160, 135, 45);
        both->SetTickMarks(tmBoth);
        both->SetPosition(8);
        auto* upright = Add<TTrackBar>(form, 15 + (skinned ? ColumnOffset : 0), 220, 200, 40);
        upright->SetOrientation(trVertical);
        upright->SetBounds(15 + (skinned ? ColumnOffset : 0), 220, 45, 140);
        upright->SetPosition(7);
        if (skinned)
            SkinOf<TSkinTrackBar>(upright);
        auto* disabled = Pair<TTrackBar, TSkinTrackBar>(form, skinned, 80, 230, 135, 40);
        disabled->SetEnabled(false);
    }
    Save(form, "bars");
}

TEST_P(ContainerGalleryTest, StatusBars) {
    TForm* form = GalleryForm(470, 250);
    for (bool skinned : {false, true}) {
        const int left = 10 + (skinned ? ColumnOffset : 0);
        auto status = [&](int top) {
            auto* bar = new TStatusBar(form);
            bar->SetParent(form);
            bar->SetAlign(alNone);
            bar->SetBounds(left, top, 215, 24);
            return bar;
        };
        TStatusBar* panels = status(30);
        panels->SetSizeGrip(false);
        const TStatusPanelBevel bevels[] = {pbLowered, pbRaised, pbNone};
        const char* texts[] = {"下沉 lowered", "凸起", "none"};
        for (int i = 0; i < 3; ++i) {
            TStatusPanel* panel = panels->Panels()->Add();
            panel->SetWidth(75);
            panel->SetBevel(bevels[i]);
            panel->SetText(texts[i]);
        }
        TStatusBar* aligned = status(70);
        aligned->SetSizeGrip(false);
        const TAlignment alignments[] = {taLeftJustify, taCenter, taRightJustify};
        for (int i = 0; i < 3; ++i) {
            TStatusPanel* panel = aligned->Panels()->Add();
            panel->SetWidth(72);
            panel->SetAlignment(alignments[i]);
            panel->SetText(i == 0 ? "左" : i == 1 ? "中" : "右");
        }
        TStatusBar* simple = status(110);
        simple->SetSimplePanel(true);
        simple->SetSimpleText("简单文字 simple text");
        TStatusBar* empty = status(150);
        empty->SetSimplePanel(true);
        TStatusBar* owner = status(190);
        owner->SetSizeGrip(false);
        owner->Panels()->Add()->SetText("文字");
        TStatusPanel* drawn = owner->Panels()->Add();
        drawn->SetWidth(100);
        drawn->SetStyle(psOwnerDraw);
        owner->OnDrawPanel = [](TCustomStatusBar* bar, TStatusPanel*, const TRect& rect) {
            bar->Canvas()->Brush()->SetColor(RGB(40, 140, 60));
            bar->Canvas()->FillRect(rect);
        };
        if (skinned)
            for (TStatusBar* bar : {panels, aligned, simple, empty, owner})
                SkinOf<TSkinStatusBar>(bar);
    }
    Save(form, "statusbars");
}

TEST_P(ContainerGalleryTest, Headers) {
    TForm* form = GalleryForm(470, 230);
    THeaderControl* hot = nullptr;
    for (bool skinned : {false, true}) {
        const int left = 10 + (skinned ? ColumnOffset : 0);
        auto* header = Add<THeaderControl>(form, left, 10, 215, 24);
        header->SetAlign(alNone);
        header->SetBounds(left, 10, 215, 24);
        const char* texts[] = {"左 left", "中", "右 right"};
        const TAlignment alignments[] = {taLeftJustify, taCenter, taRightJustify};
        for (int i = 0; i < 3; ++i) {
            THeaderSection* section = header->Sections()->Add();
            section->SetText(texts[i]);
            section->SetWidth(60);
            section->SetAlignment(alignments[i]);
        }
        auto* list = Add<TListView>(form, left, 50, 215, 160);
        for (const char* title : {"名称 name", "路径 path"}) {
            TListColumn* column = list->Columns()->Add();
            column->SetCaption(title);
            column->SetWidth(90);
        }
        if (skinned) {
            SkinOf<TSkinHeader>(header);
            auto* listSkin = new TSkinListView(list);
            listSkin->InitScrollSkin(list, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
            hot = header;
        }
    }
    Pump();
    // The skinned header's middle item hot, as the mouse over it shows it.
    POINT at{90, 12};
    ClientToScreen(hot->Handle(), &at);
    platform::headless::MoveMouse(at.x, at.y);
    Pump();
    RECT place{};
    GetWindowRect(hot->Handle(), &place);
    RECT formPlace{};
    GetWindowRect(form->Handle(), &formPlace);
    TBitmap hotHeader;
    hotHeader.SetPixelFormat(pf24bit);
    hotHeader.SetSize(place.right - place.left, place.bottom - place.top);
    HDC source = GetWindowDC(hot->Handle());
    BitBlt(hotHeader.Canvas()->Handle(), 0, 0, hotHeader.Width(), hotHeader.Height(), source, 0, 0, SRCCOPY);
    ReleaseDC(hot->Handle(), source);
    platform::headless::MoveMouse(5, 5);
    Pump();
    Save(form, "headers", [&](HDC page) {
        BitBlt(page, place.left - formPlace.left, place.top - formPlace.top, hotHeader.Width(),
               hotHeader.Height(), hotHeader.Canvas()->Handle(), 0, 0, SRCCOPY);
    });
}

TEST_P(ContainerGalleryTest, EditsAndUpDowns) {
    TForm* form = GalleryForm(470, 200);
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS};
    ASSERT_TRUE(InitCommonControlsEx(&classes));
    skinData->SetSkinControls(skinData->SkinControls() + TSkinControlTypes{xcSpin});
    TUpDown* hot = nullptr;
    for (bool skinned : {false, true}) {
        const int left = 15 + (skinned ? ColumnOffset : 0);
        auto* framed = Add<TEdit>(form, left, 15, 200, 24);
        framed->SetText("边框 framed");
        auto* bare = Add<TEdit>(form, left, 50, 200, 24);
        bare->SetBorderStyle(bsNone);
        bare->SetText("无边框 no border");
        auto* spinEdit = Add<TEdit>(form, left, 85, 120, 24);
        spinEdit->SetText("12");
        CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, 100, 0, 16, 20, spinEdit->Handle(),
                        nullptr, nullptr, nullptr);
        auto upDown = [&](int x, TUDOrientation orientation, bool enabled) {
            auto* control = Add<TUpDown>(form, left + x, 120, 17, 40);
            control->SetOrientation(orientation);
            control->SetBounds(left + x, 125, orientation == udVertical ? 17 : 40,
                               orientation == udVertical ? 40 : 17);
            control->SetEnabled(enabled);
            if (skinned)
                SkinOf<TSkinUpDown>(control);
            return control;
        };
        TUpDown* normal = upDown(0, udVertical, true);
        upDown(30, udVertical, false);
        upDown(60, udHorizontal, true);
        upDown(110, udHorizontal, false);
        if (skinned) {
            for (TEdit* edit : {framed, bare, spinEdit})
                SkinOf<TSkinEdit>(edit);
            hot = normal;
        }
    }
    Pump();
    // The skinned up-down's lower button hot, as the mouse over it shows it.
    POINT at{8, 30};
    ClientToScreen(hot->Handle(), &at);
    platform::headless::MoveMouse(at.x, at.y);
    Pump();
    RECT place{};
    GetWindowRect(hot->Handle(), &place);
    RECT formPlace{};
    GetWindowRect(form->Handle(), &formPlace);
    TBitmap hotButton;
    hotButton.SetPixelFormat(pf24bit);
    hotButton.SetSize(place.right - place.left, place.bottom - place.top);
    HDC source = GetWindowDC(hot->Handle());
    BitBlt(hotButton.Canvas()->Handle(), 0, 0, hotButton.Width(), hotButton.Height(), source, 0, 0, SRCCOPY);
    ReleaseDC(hot->Handle(), source);
    platform::headless::MoveMouse(5, 5);
    Pump();
    Save(form, "edits", [&](HDC page) {
        BitBlt(page, place.left - formPlace.left, place.top - formPlace.top, hotButton.Width(),
               hotButton.Height(), hotButton.Canvas()->Handle(), 0, 0, SRCCOPY);
    });
}

TEST_P(ContainerGalleryTest, GroupBoxesAndPanels) {
    TForm* form = GalleryForm(470, 200);
    for (bool skinned : {false, true}) {
        const int left = 15 + (skinned ? ColumnOffset : 0);
        auto* box = Add<TGroupBox>(form, left, 10, 200, 80);
        box->SetCaption("分组 group");
        auto* panel = Add<TPanel>(form, left, 100, 200, 60);
        panel->SetCaption("面板 panel");
        if (skinned) {
            SkinOf<TSkinGroupBox>(box);
            SkinOf<TSkinBox>(panel, true);
        }
    }
    Save(form, "containers");
}

TEST_P(ContainerGalleryTest, PageControlsOnEverySide) {
    TForm* form = GalleryForm(470, 640);
    const TTabPosition sides[] = {tpTop, tpBottom, tpLeft, tpRight};
    for (bool skinned : {false, true}) {
        for (int i = 0; i < 4; ++i) {
            auto* pages = Add<TPageControl>(form, 10 + (skinned ? ColumnOffset : 0), 10 + i * 150, 215, 140);
            pages->SetTabPosition(sides[i]);
            for (const char* title : {"连接", "数据库", "关于"}) {
                auto* sheet = new TTabSheet(form);
                sheet->SetPageControl(pages);
                sheet->SetCaption(title);
            }
            pages->SetActivePageIndex(1);
            if (skinned)
                SkinOf<TSkinTab>(pages);
        }
    }
    Save(form, "tabs");
}

TEST_P(ContainerGalleryTest, PageControlsWithCloseBoxesAndAScroller) {
    TForm* form = GalleryForm(470, 230);
    for (bool skinned : {false, true}) {
        const int left = 10 + (skinned ? ColumnOffset : 0);
        auto* closable = Add<TPageControl>(form, left, 10, 215, 100);
        closable->SetTag(CloseBoxTag);
        auto* crowded = Add<TPageControl>(form, left, 120, 215, 100);
        for (TPageControl* pages : {closable, crowded}) {
            const int count = pages == crowded ? 10 : 3;
            for (int i = 0; i < count; ++i) {
                auto* sheet = new TTabSheet(form);
                sheet->SetPageControl(pages);
                sheet->SetCaption("页面" + std::to_string(i + 1));
            }
            if (skinned)
                SkinOf<TSkinTab>(pages);
        }
    }
    Save(form, "tabs-extras");
}

TEST_P(ContainerGalleryTest, ComboBoxes) {
    TForm* form = GalleryForm(470, 260);
    TComboBox* hot = nullptr;
    TComboBox* pressed = nullptr;
    for (bool skinned : {false, true}) {
        const int left = 15 + (skinned ? ColumnOffset : 0);
        const TComboBoxStyle styles[] = {csDropDownList, csDropDown, csDropDownList, csDropDownList,
                                         csDropDownList};
        const char* texts[] = {"下拉列表 list", "可编辑 editable", "悬停 hot", "按下 pressed",
                               "禁用 disabled"};
        std::vector<TComboBox*> combos;
        for (int i = 0; i < 5; ++i) {
            auto* combo = Add<TComboBox>(form, left, 10 + i * 32, 200, 24);
            combo->SetStyle(styles[i]);
            combo->Items()->Add(texts[i]);
            combo->SetItemIndex(0);
            combos.push_back(combo);
        }
        combos[4]->SetEnabled(false);
        HWND rightToLeft =
            CreateWindowExA(WS_EX_LEFTSCROLLBAR, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST,
                            left, 170, 200, 200, form->Handle(), nullptr, nullptr, nullptr);
        SendMessageA(rightToLeft, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("左侧按钮 button left"));
        SendMessageA(rightToLeft, CB_SETCURSEL, 0, 0);
        auto* simple = Add<TComboBox>(form, left, 200, 200, 50);
        simple->SetStyle(csSimple);
        simple->Items()->Add("简单 simple");
        if (skinned) {
            for (TComboBox* combo : combos)
                SkinOf<TSkinComBox>(combo);
            SkinOf<TSkinComBox>(simple);
            auto* bare = new TSkinComBox(skinForm->BareWindowSkinOwner());
            bare->InitSkinByHandle(rightToLeft, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
            hot = combos[2];
            pressed = combos[3];
        }
    }
    Pump();
    RECT formPlace{};
    GetWindowRect(form->Handle(), &formPlace);
    auto take = [&](TComboBox* combo) {
        RECT place{};
        GetWindowRect(combo->Handle(), &place);
        auto shot = std::make_shared<TBitmap>();
        shot->SetPixelFormat(pf24bit);
        shot->SetSize(place.right - place.left, place.bottom - place.top);
        HDC source = GetWindowDC(combo->Handle());
        BitBlt(shot->Canvas()->Handle(), 0, 0, shot->Width(), shot->Height(), source, 0, 0, SRCCOPY);
        ReleaseDC(combo->Handle(), source);
        return std::make_pair(POINT{place.left - formPlace.left, place.top - formPlace.top}, shot);
    };
    // The hot button as the mouse over it shows it, and the pressed one while the mouse holds it.
    POINT over{190, 12};
    ClientToScreen(hot->Handle(), &over);
    platform::headless::MoveMouse(over.x, over.y);
    Pump();
    auto hotShot = take(hot);
    SendMessageW(pressed->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(190, 12));
    Pump();
    auto pressedShot = take(pressed);
    SendMessageW(pressed->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    platform::headless::MoveMouse(5, 5);
    Pump();
    Save(form, "combos", [&](HDC page) {
        for (auto& shot : {hotShot, pressedShot})
            BitBlt(page, shot.first.x, shot.first.y, shot.second->Width(), shot.second->Height(),
                   shot.second->Canvas()->Handle(), 0, 0, SRCCOPY);
    });
}

TEST_P(ContainerGalleryTest, ToolBarsAndButtonTabs) {
    TForm* form = GalleryForm(470, 150);
    skinData->SetOptions(skinData->Options() - TSkinOptions{xoToolbarBK});
    TSkinToolBarPainter painter(skinData.get());
    for (bool skinned : {false, true}) {
        const int left = 10 + (skinned ? ColumnOffset : 0);
        auto* bar = new TToolBar(form);
        bar->SetParent(form);
        bar->SetAlign(alNone);
        bar->SetBounds(left, 10, 215, 30);
        bar->SetFlat(true);
        bar->SetShowCaptions(true);
        bar->SetList(true);
        for (const char* caption : {"打开", "保存", "刷新"}) {
            auto* button = new TToolButton(form);
            button->SetCaption(caption);
            button->SetParent(bar);
        }
        auto* tabs = Add<TTabControl>(form, left, 60, 215, 70);
        tabs->SetStyle(tsButtons);
        for (const char* title : {"全部", "TCP", "UDP"})
            tabs->AddTab(title);
        tabs->SetTabIndex(1);
        if (skinned) {
            painter.Attach(bar);
            SkinOf<TSkinTabBtn>(tabs);
            bar->Invalidate();
        }
    }
    Save(form, "toolbars");
}

TEST_P(ContainerGalleryTest, DatePickersAndTabSets) {
    TForm* form = GalleryForm(470, 140);
    for (bool skinned : {false, true}) {
        const int left = 10 + (skinned ? ColumnOffset : 0);
        auto* picker = Add<TDateTimePicker>(form, left, 10, 200, 24);
        auto* tabSet = Add<TTabSet>(form, left, 50, 215, 22);
        for (const char* title : {"连接", "数据库", "关于"})
            tabSet->Tabs()->Add(title);
        tabSet->SetTabIndex(1);
        auto* crowded = Add<TTabSet>(form, left, 85, 215, 22);
        for (int i = 0; i < 12; ++i)
            crowded->Tabs()->Add("页面" + std::to_string(i + 1));
        crowded->SetTabIndex(0);
        if (skinned) {
            SkinOf<TSkinDateTime>(picker);
            SkinOf<TSkinTab31>(tabSet);
            SkinOf<TSkinTab31>(crowded);
            tabSet->Invalidate();
            crowded->Invalidate();
        }
    }
    Save(form, "pickers");
}

INSTANTIATE_TEST_SUITE_P(Skins, ContainerGalleryTest, ::testing::Values("default", "dark"));

} // namespace
