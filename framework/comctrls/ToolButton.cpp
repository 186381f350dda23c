// TToolButton: a button of a tool bar. The tool bar's window draws it and takes its clicks;
// the control carries its settings, its hint and its events, and sits where the window drew
// it.

#include "framework/comctrls/ToolBar.h"

#include "framework/classes/PropertyTable.h"
#include "framework/comctrls/Settings.h"
#include "framework/controls/Messages.h"
#include "framework/menus/Menus.h"

const TEnumInfo& ToolButtonStyleIdents() {
    static const TEnumInfo idents{{"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider"}};
    return idents;
}

const TEnumInfo& CustomDrawStateIdents() {
    static const TEnumInfo idents{{"cdsSelected", "cdsGrayed", "cdsDisabled", "cdsChecked", "cdsFocused",
                                   "cdsDefault", "cdsHot", "cdsMarked", "cdsIndeterminate"}};
    return idents;
}

const TClass& TToolButton::ClassInfo() {
    static const TClass info(
        "TToolButton", &TGraphicControl::ClassInfo(),
        {
            ObjProperty("DropdownMenu", &TToolButton::DropdownMenu, &TToolButton::SetDropdownMenu),
            EnumProperty("Down", BooleanIdents(), &TToolButton::Down, &TToolButton::SetDown),
            EnumProperty("Grouped", BooleanIdents(), &TToolButton::Grouped, &TToolButton::SetGrouped),
            OrdProperty("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex),
            EnumProperty("Indeterminate", BooleanIdents(), &TToolButton::Indeterminate,
                         &TToolButton::SetIndeterminate),
            EnumProperty("Marked", BooleanIdents(), &TToolButton::Marked, &TToolButton::SetMarked),
            ObjProperty("MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem),
            EnumProperty("Style", ToolButtonStyleIdents(), &TToolButton::Style, &TToolButton::SetStyle),
            EnumProperty("Wrap", BooleanIdents(), &TToolButton::Wrap, &TToolButton::SetWrap),
            MethodProperty("OnClick", &TControl::OnClick),
        });
    return info;
}

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) {
    // The window draws the button and reports its clicks.
    m_controlStyle.Exclude(csClickEvents);
    m_controlStyle.Exclude(csCaptureMouse);
    TGraphicControl::SetBounds(0, 0, 23, 22);
}

TToolButton::~TToolButton() {
    if (TToolBar* bar = ToolBar())
        bar->ButtonRemoved(this);
}

TToolBar* TToolButton::ToolBar() const {
    return dynamic_cast<TToolBar*>(Parent());
}

int TToolButton::Index() const {
    const TToolBar* bar = ToolBar();
    if (!bar)
        return -1;
    for (int index = 0; index < bar->ButtonCount(); ++index) {
        if (bar->Buttons(index) == this)
            return index;
    }
    return -1;
}

void TToolButton::SetParent(TWinControl* parent) {
    if (parent == Parent())
        return;
    if (TToolBar* bar = ToolBar())
        bar->ButtonRemoved(this);
    TGraphicControl::SetParent(parent);
    if (TToolBar* bar = ToolBar())
        bar->ButtonAdded(this);
}

void TToolButton::SetBounds(int left, int top, int width, int height) {
    // Inside a tool bar the window decides where a button goes; a separator's width is its own.
    if (ToolBar() && !m_placing) {
        if ((m_style == tbsSeparator || m_style == tbsDivider) && width != Width()) {
            TGraphicControl::SetBounds(Left(), Top(), width, Height());
            Changed();
        }
        return;
    }
    TGraphicControl::SetBounds(left, top, width, height);
}

void TToolButton::Place(const TRect& rect) {
    m_placing = true;
    TGraphicControl::SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    m_placing = false;
}

void TToolButton::Changed() {
    if (TToolBar* bar = ToolBar())
        bar->UpdateButton(this);
}

void TToolButton::SetStyle(TToolButtonStyle style) {
    if (!ChangeSetting(m_style, style))
        return;
    if (style == tbsSeparator || style == tbsDivider)
        TGraphicControl::SetBounds(Left(), Top(), 8, Height());
    Changed();
}

void TToolButton::SetImageIndex(int index) {
    if (ChangeSetting(m_imageIndex, index))
        Changed();
}

void TToolButton::SetDown(bool down) {
    if (!ChangeSetting(m_down, down))
        return;
    // One button of a group is down at a time.
    TToolBar* bar = ToolBar();
    if (down && m_grouped && bar) {
        const int index = Index();
        for (int step : {-1, 1}) {
            for (int other = index + step; other >= 0 && other < bar->ButtonCount(); other += step) {
                TToolButton* neighbour = bar->Buttons(other);
                if (!neighbour->m_grouped || neighbour->m_style != tbsCheck)
                    break;
                neighbour->m_down = false;
                neighbour->Changed();
            }
        }
    }
    Changed();
}

void TToolButton::SetGrouped(bool grouped) {
    if (ChangeSetting(m_grouped, grouped))
        Changed();
}

void TToolButton::SetIndeterminate(bool indeterminate) {
    if (ChangeSetting(m_indeterminate, indeterminate))
        Changed();
}

void TToolButton::SetMarked(bool marked) {
    if (ChangeSetting(m_marked, marked))
        Changed();
}

void TToolButton::SetWrap(bool wrap) {
    if (ChangeSetting(m_wrap, wrap))
        Changed();
}

void TToolButton::SetDropdownMenu(TPopupMenu* menu) {
    if (menu == m_dropdownMenu)
        return;
    if (m_dropdownMenu)
        m_dropdownMenu->RemoveFreeNotification(this);
    m_dropdownMenu = menu;
    if (menu)
        menu->FreeNotification(this);
}

void TToolButton::SetMenuItem(TMenuItem* item) {
    if (item == m_menuItem)
        return;
    if (m_menuItem)
        m_menuItem->RemoveFreeNotification(this);
    m_menuItem = item;
    if (item) {
        item->FreeNotification(this);
        SetCaption(item->Caption());
        SetEnabled(item->Enabled());
    }
    Changed();
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == m_dropdownMenu)
        m_dropdownMenu = nullptr;
    if (component == m_menuItem)
        m_menuItem = nullptr;
}

void TToolButton::Click() {
    // A button standing for a menu item without items of its own runs the item.
    if (m_menuItem && m_menuItem->Count() == 0)
        m_menuItem->Click();
    TGraphicControl::Click();
}

void TToolButton::Dispatch(TMessage& message) {
    TGraphicControl::Dispatch(message);
    switch (message.Msg) {
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED:
    case CM_TEXTCHANGED:
        Changed();
        break;
    default:
        break;
    }
}
