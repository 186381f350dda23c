// TWinSkinForm: the control skins of a bare window's children, chosen by window class.

#include "skin/forms/BareWindowMapping.h"
#include "skin/forms/WinSkinForm.h"

#include "core/TextUtils.h"
#include "framework/controls/WinControl.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinCheckBoxes.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinContainers.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinProgressBars.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/controls/SkinTabs.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/WinSkinData.h"
#include "skin/forms/WinSkinDataHelpers.h"

namespace {

constexpr DWORD OwnerDrawnButton = 0xB;
// Tab controls that look like buttons (TCS_BUTTONS) or draw their own tabs
// (TCS_OWNERDRAWFIXED) are left to themselves.
constexpr DWORD TabsOfTheirOwn = 0x0100 | 0x2000;

// Group boxes and bitmap buttons get nothing; check boxes (2, 3, 5, 6), radio buttons (4, 9) and
// push buttons their skins.
TBareSkinKind ButtonKind(DWORD style, TSkinControlTypes kinds) {
    if ((style & 7) == 7 || (style & 0x80) != 0)
        return TBareSkinKind::None;
    if ((style & 3) == 3 || (style & 2) != 0 || (style & 5) == 5)
        return kinds.Contains(xcCheckBox) ? TBareSkinKind::CheckBox : TBareSkinKind::None;
    if ((style & 9) == 9 || (style & 4) != 0)
        return kinds.Contains(xcRadioButton) ? TBareSkinKind::RadioButton : TBareSkinKind::None;
    return kinds.Contains(xcButton) ? TBareSkinKind::Button : TBareSkinKind::None;
}

} // namespace

TBareSkinKind BareSkinKindOf(const std::string& className, DWORD style, TSkinControlTypes kinds) {
    const std::string name = LowerCase(className);
    if (name == "button" && (style & OwnerDrawnButton) != OwnerDrawnButton)
        return ButtonKind(style, kinds);
    if (name == "combobox")
        return kinds.Contains(xcCombo) && (style & 3) != 1 ? TBareSkinKind::ComboBox : TBareSkinKind::None;
    if (name == "comboboxex32")
        return kinds.Contains(xcCombo) ? TBareSkinKind::ComboBoxEx : TBareSkinKind::None;
    if (name == "scrollbar")
        return (style & WS_TABSTOP) == 0 ? TBareSkinKind::Sizer : TBareSkinKind::None;
    if (name == "systreeview32")
        return TBareSkinKind::None;
    if (name == "#32770")
        return (style & WS_TABSTOP) == 0 ? TBareSkinKind::Dialog : TBareSkinKind::None;
    if (name == "tpanel" || name == "ttntpanel.unicodeclass" || name == "ttntsilentpaintpanel.unicodeclass")
        return TBareSkinKind::Panel;
    if (name == "tcheckbox")
        return kinds.Contains(xcCheckBox) ? TBareSkinKind::CheckBox : TBareSkinKind::None;
    if (name == "tcombobox")
        return kinds.Contains(xcCombo) ? TBareSkinKind::ComboBox : TBareSkinKind::None;
    if (name == "tbutton")
        return kinds.Contains(xcButton) ? TBareSkinKind::Button : TBareSkinKind::None;
    if (name == "tprogressbar")
        return TBareSkinKind::Progress;
    if (name == "tsilentpaintpanel")
        return TBareSkinKind::SilentPanel;
    if (name == "systabcontrol32")
        return kinds.Contains(xcTab) && (style & TabsOfTheirOwn) == 0 ? TBareSkinKind::Tab
                                                                      : TBareSkinKind::None;
    if (name == "toolbarwindow32")
        return TBareSkinKind::ToolBar;
    if (name == "edit")
        return kinds.Contains(xcEdit) ? TBareSkinKind::Edit : TBareSkinKind::None;
    // The lists of system dialogs (the save dialog's folders) wear skinned bars too.
    if (name == "listbox")
        return kinds.Contains(xcScrollbar) ? TBareSkinKind::ListBox : TBareSkinKind::None;
    return TBareSkinKind::None;
}

void TWinSkinForm::MapChildWindows(HWND parent) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & WS_CHILD) != 0)
            MapChildWindow(child);
    }
}

template <typename Skin>
void TWinSkinForm::GiveBareSkin(HWND child) {
    auto* skin = new Skin(BareWindowSkinOwner());
    skin->InitSkinByHandle(child, m_skinData, this, ControlCanvas());
}

void TWinSkinForm::MapChildWindow(HWND child) {
    if (!m_skinData || FindSkinControlByWindow(child) || !m_mappedWindows.insert(child).second)
        return;
    const auto style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
    switch (BareSkinKindOf(::WindowClassName(child), style, m_skinData->SkinControls())) {
    case TBareSkinKind::ComboBox:
        GiveBareSkin<TSkinComBox>(child);
        break;
    case TBareSkinKind::ComboBoxEx:
        if (HWND inner = GetWindow(child, GW_CHILD); inner && !FindSkinControlByWindow(inner))
            GiveBareSkin<TSkinComBox>(inner);
        break;
    case TBareSkinKind::Sizer:
        GiveBareSkin<TSkinSizer>(child);
        break;
    case TBareSkinKind::Dialog:
        MapChildWindows(child);
        GiveBareSkin<TSkinBoxH>(child);
        break;
    case TBareSkinKind::Panel:
        MapChildWindows(child);
        SetFormColour(child);
        break;
    case TBareSkinKind::CheckBox:
        GiveBareSkin<TSkinCheckBox>(child);
        break;
    case TBareSkinKind::RadioButton:
        GiveBareSkin<TSkinRadioButton>(child);
        break;
    case TBareSkinKind::Button:
        GiveBareSkin<TSkinButton>(child);
        break;
    case TBareSkinKind::Progress:
        GiveBareSkin<TSkinProgress>(child);
        break;
    case TBareSkinKind::SilentPanel:
        SetFormColour(child);
        break;
    case TBareSkinKind::Tab:
        GiveBareSkin<TSkinTab>(child);
        break;
    case TBareSkinKind::ToolBar:
        GiveBareSkin<TSkinBoxH>(child);
        break;
    case TBareSkinKind::Edit:
        GiveBareSkin<TSkinEdit>(child);
        break;
    case TBareSkinKind::ListBox:
        GiveBareSkin<TSkinScrollbarH>(child);
        break;
    case TBareSkinKind::None:
        break;
    }
}

void TWinSkinForm::SetFormColour(HWND child) {
    if (TWinControl* control = SkinControlOfWindow(child))
        control->SetColor(m_skinData->Elements().Colours[3]);
}
