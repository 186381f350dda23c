#include "framework/menus/MenuItem.h"

#include "core/TextUtils.h"
#include "framework/classes/PropertyTable.h"
#include "framework/menus/Menus.h"

#include <algorithm>

namespace {

// Command numbers stay below the system commands (0xF000 and up); a freed number is given out
// again, lowest first.
constexpr WORD FirstCommand = 1;
constexpr WORD LastCommand = 0xEFFF;

std::vector<TMenuItem*>& CommandTable() {
    static std::vector<TMenuItem*> table(LastCommand + 1, nullptr);
    return table;
}

WORD AllocateCommand(TMenuItem* item) {
    auto& table = CommandTable();
    for (WORD command = FirstCommand; command <= LastCommand; ++command) {
        if (!table[command]) {
            table[command] = item;
            return command;
        }
    }
    throw EMenuError("Too many menu items");
}

} // namespace

std::string StripHotkey(std::string_view caption) {
    std::string result;
    result.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i; // "&x" is x, "&&" is "&"
        else if (caption[i] == '&')
            continue;
        result += caption[i];
    }
    return result;
}

char MnemonicOf(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&')
            return caption[i + 1];
        ++i;
    }
    return 0;
}

TMenuItem* FindMenuItemByCommand(WORD command) {
    return command <= LastCommand ? CommandTable()[command] : nullptr;
}

TMenuItem* FindMenuItemByHandle(HMENU menu) {
    if (!menu)
        return nullptr;
    for (TMenuItem* item : CommandTable()) {
        if (item && item->HandleAllocated() && item->Handle() == menu)
            return item;
    }
    return nullptr;
}

const TClass& TMenuItem::ClassInfo() {
    static const TClass info(
        "TMenuItem", &TComponent::ClassInfo(),
        {
            StrProperty("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption),
            EnumProperty("Checked", BooleanIdents(), &TMenuItem::Checked, &TMenuItem::SetChecked),
            EnumProperty("Default", BooleanIdents(), &TMenuItem::Default, &TMenuItem::SetDefault),
            EnumProperty("Enabled", BooleanIdents(), &TMenuItem::Enabled, &TMenuItem::SetEnabled),
            OrdProperty("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex),
            StrProperty("Hint", &TMenuItem::Hint, &TMenuItem::SetHint),
            OrdProperty("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex),
            EnumProperty("RadioItem", BooleanIdents(), &TMenuItem::RadioItem, &TMenuItem::SetRadioItem),
            OrdProperty("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut),
            EnumProperty("Visible", BooleanIdents(), &TMenuItem::Visible, &TMenuItem::SetVisible),
            MethodProperty("OnClick", &TMenuItem::OnClick),
            MethodProperty("OnDrawItem", &TMenuItem::OnDrawItem),
            MethodProperty("OnMeasureItem", &TMenuItem::OnMeasureItem),
            MethodProperty("OnAdvancedDrawItem", &TMenuItem::OnAdvancedDrawItem),
        });
    return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), m_command(AllocateCommand(this)) {}

TMenuItem::~TMenuItem() {
    Destroying();
    if (m_parent)
        m_parent->Remove(this);
    while (!m_items.empty())
        delete m_items.back(); // each child takes itself out of the list
    if (m_handle && IsMenu(m_handle))
        DestroyMenu(m_handle);
    CommandTable()[m_command] = nullptr;
}

// ---- properties -------------------------------------------------------------------------------

void TMenuItem::SetCaption(const std::string& caption) {
    if (caption == m_caption)
        return;
    const bool wasLine = IsLine();
    m_caption = caption;
    Changed(wasLine != IsLine());
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
    if (shortCut == m_shortCut)
        return;
    m_shortCut = shortCut;
    Changed(false);
}

void TMenuItem::SetChecked(bool checked) {
    if (checked == m_checked)
        return;
    m_checked = checked;
    if (checked && m_radioItem)
        UncheckGroupSiblings();
    Changed(false);
}

void TMenuItem::UncheckGroupSiblings() {
    if (!m_parent)
        return;
    for (TMenuItem* sibling : m_parent->m_items) {
        if (sibling != this && sibling->m_radioItem && sibling->m_groupIndex == m_groupIndex)
            sibling->SetChecked(false);
    }
}

void TMenuItem::SetRadioItem(bool radioItem) {
    if (radioItem == m_radioItem)
        return;
    m_radioItem = radioItem;
    if (m_checked && m_radioItem)
        UncheckGroupSiblings();
    Changed(false);
}

void TMenuItem::SetGroupIndex(BYTE groupIndex) {
    if (groupIndex == m_groupIndex)
        return;
    m_groupIndex = groupIndex;
    if (m_checked && m_radioItem)
        UncheckGroupSiblings();
}

void TMenuItem::SetDefault(bool isDefault) {
    if (isDefault == m_default)
        return;
    m_default = isDefault;
    Changed(false);
}

void TMenuItem::SetEnabled(bool enabled) {
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    Changed(false);
}

void TMenuItem::SetVisible(bool visible) {
    if (visible == m_visible)
        return;
    m_visible = visible;
    Changed(true);
}

void TMenuItem::SetImageIndex(int index) {
    if (index == m_imageIndex)
        return;
    m_imageIndex = index;
    Changed(false);
}

// ---- children ---------------------------------------------------------------------------------

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item)
        return;
    if (item->m_parent)
        throw EMenuError("Menu inserted twice");
    if (index < 0 || index > Count())
        throw EMenuError("Menu index out of range");
    for (const TMenuItem* ancestor = this; ancestor; ancestor = ancestor->m_parent) {
        if (ancestor == item)
            throw EMenuError("A menu item cannot hold itself");
    }
    m_items.insert(m_items.begin() + index, item);
    item->m_parent = this;
    item->Changed(true);
    if (m_items.size() == 1 && NativeWorkAllowed())
        UpdateNativeItem(); // this item opens a submenu from now on
}

void TMenuItem::Delete(int index) {
    if (index < 0 || index >= Count())
        throw EMenuError("Menu index out of range");
    delete m_items[static_cast<std::size_t>(index)];
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(m_items.begin(), m_items.end(), item);
    if (it == m_items.end())
        return;
    // The native entry goes first, while the item still counts for its position.
    m_items.erase(it);
    item->m_parent = nullptr;
    if (NativeWorkAllowed()) {
        RebuildHandle();
        if (m_parent && m_items.empty())
            UpdateNativeItem(); // no more submenu
        if (TMenu* menu = GetParentMenu())
            menu->MenuChanged(this, true);
    }
}

void TMenuItem::Clear() {
    while (!m_items.empty())
        delete m_items.back();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(m_items.begin(), m_items.end(), item);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

TMenuItem* TMenuItem::Find(std::string_view caption) const {
    const std::string wanted = StripHotkey(caption);
    for (TMenuItem* item : m_items) {
        if (AnsiSameText(StripHotkey(item->m_caption), wanted))
            return item;
    }
    return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->m_parent)
        root = root->m_parent;
    return root->m_menu;
}

// ---- the native menus -------------------------------------------------------------------------

HMENU TMenuItem::Handle() {
    if (m_handle && IsMenu(m_handle))
        return m_handle;
    // Made afresh (also when the old one went with a window that was destroyed).
    if (m_menu)
        m_handle = m_menu->CreateMenuHandle();
    else
        m_handle = CreatePopupMenu();
    RebuildHandle();
    return m_handle;
}

bool TMenuItem::HandleAllocated() const {
    return m_handle && IsMenu(m_handle);
}

bool TMenuItem::NativeWorkAllowed() const {
    if (ComponentState().Contains(csDestroying))
        return false;
    const TMenu* menu = GetParentMenu();
    return !menu || !menu->ComponentState().Contains(csDestroying);
}

UINT TMenuItem::NativePosition() const {
    // Entries of others may stand among the items (an MDI form's bar starts with a maximised
    // child's system menu): the entry with the item's command is the item's.
    const int count = GetMenuItemCount(m_parent->m_handle);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID;
        if (GetMenuItemInfoA(m_parent->m_handle, static_cast<UINT>(i), TRUE, &info) && info.wID == m_command)
            return static_cast<UINT>(i);
    }
    UINT position = 0;
    for (const TMenuItem* sibling : m_parent->m_items) {
        if (sibling == this)
            break;
        if (sibling->m_visible)
            ++position;
    }
    return position;
}

namespace {

// The entry of an item in its parent's native menu.
struct NativeEntry {
    MENUITEMINFOA info{};
    std::string text;
};

} // namespace

void TMenuItem::UpdateNativeItem() {
    if (!m_parent || !m_visible || !m_parent->HandleAllocated())
        return;
    NativeEntry entry;
    MENUITEMINFOA& info = entry.info;
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    const TMenu* menu = GetParentMenu();
    if (IsLine())
        info.fType |= MFT_SEPARATOR;
    if (m_radioItem)
        info.fType |= MFT_RADIOCHECK;
    if (menu && menu->IsOwnerDraw())
        info.fType |= MFT_OWNERDRAW;
    if (m_checked)
        info.fState |= MFS_CHECKED;
    if (!m_enabled)
        info.fState |= MFS_GRAYED;
    if (m_default)
        info.fState |= MFS_DEFAULT;
    info.wID = m_command;
    info.hSubMenu = m_items.empty() ? nullptr : Handle();
    entry.text = m_caption;
    if (m_shortCut != scNone && !IsLine())
        entry.text.append(1, '\t').append(ShortCutToText(m_shortCut));
    info.dwTypeData = entry.text.data();
    SetMenuItemInfoA(m_parent->m_handle, NativePosition(), TRUE, &info);
}

void TMenuItem::RebuildHandle() {
    if (!HandleAllocated())
        return;
    while (GetMenuItemCount(m_handle) > 0)
        RemoveMenu(m_handle, 0, MF_BYPOSITION); // submenus are detached, not destroyed
    for (TMenuItem* item : m_items) {
        if (!item->m_visible)
            continue;
        AppendMenuA(m_handle, MF_STRING, item->m_command, "");
        item->UpdateNativeItem();
    }
}

void TMenuItem::Changed(bool structure) {
    if (!NativeWorkAllowed())
        return;
    if (structure && m_parent)
        m_parent->RebuildHandle();
    else
        UpdateNativeItem();
    if (TMenu* menu = GetParentMenu())
        menu->MenuChanged(this, structure);
}

// ---- actions ----------------------------------------------------------------------------------

void TMenuItem::Click() {
    if (!m_enabled || !OnClick)
        return;
    // A copy runs, so that a handler may free its own item.
    const TNotifyEvent handler = OnClick;
    handler(this);
}
