#include "framework/stdctrls/ComboBoxes.h"

#include "framework/classes/PropertyTable.h"
#include "platform/controls/combobox/ComboBox.h"

#include <algorithm>

const TEnumInfo& ComboBoxStyleIdents() {
    static const TEnumInfo idents{
        {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"}};
    return idents;
}

const TClass& TCustomComboBox::ClassInfo() {
    static const TClass info(
        "TCustomComboBox", &TCustomListControl::ClassInfo(),
        {
            OrdProperty("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount),
            OrdProperty("ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight),
            OrdProperty("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex),
            EnumProperty("Sorted", BooleanIdents(), &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted),
            EnumProperty("Style", ComboBoxStyleIdents(), &TCustomComboBox::Style, &TCustomComboBox::SetStyle),
            StrProperty("Text", &TControl::Text, &TControl::SetText),
            MethodProperty("OnChange", &TCustomComboBox::OnChange),
            MethodProperty("OnCloseUp", &TCustomComboBox::OnCloseUp),
            MethodProperty("OnDropDown", &TCustomComboBox::OnDropDown),
        });
    return info;
}

const TClass& TComboBox::ClassInfo() {
    static const TClass info("TComboBox", &TCustomComboBox::ClassInfo());
    return info;
}

TCustomComboBox::TCustomComboBox(TComponent* owner) : TCustomListControl(owner, ComboBoxMessages) {
    SetBounds(0, 0, 145, 21);
}

bool TCustomComboBox::IsVariableHeight() const {
    return m_style == csOwnerDrawVariable;
}

void TCustomComboBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "COMBOBOX");
    params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
    switch (m_style) {
    case csDropDown:
        params.Style |= CBS_DROPDOWN;
        break;
    case csSimple:
        params.Style |= CBS_SIMPLE;
        break;
    case csDropDownList:
        params.Style |= CBS_DROPDOWNLIST;
        break;
    case csOwnerDrawFixed:
        params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
        break;
    case csOwnerDrawVariable:
        params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS;
        break;
    }
    if (Sorted())
        params.Style |= CBS_SORT;
    if (UseRightToLeftReading())
        params.ExStyle |= WS_EX_RTLREADING;
}

void TCustomComboBox::CreateHandle() {
    TWinControl::CreateHandle();
    if (!HandleAllocated())
        return;
    if (m_style == csOwnerDrawFixed) {
        SendMessageA(m_handle, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), m_itemHeight);
        SendMessageA(m_handle, CB_SETITEMHEIGHT, 0, m_itemHeight);
    }
    // Giving the window what the control kept is no change of the user's.
    m_restoring = true;
    m_items->GiveToWindow();
    if (m_itemIndex >= 0)
        SendMessageA(m_handle, CB_SETCURSEL, static_cast<WPARAM>(m_itemIndex), 0);
    else if (m_style == csDropDown || m_style == csSimple)
        SetWindowTextA(m_handle, m_text.c_str());
    m_restoring = false;
    UpdateDropDownHeight();
}

void TCustomComboBox::DestroyWnd() {
    m_itemIndex = ItemIndex();
    m_items->TakeFromWindow();
    TWinControl::DestroyWnd();
}

void TCustomComboBox::StoreText(const std::string& text) {
    m_text = text;
    if (!m_handle)
        return;
    if (m_style == csDropDown || m_style == csSimple) {
        SetWindowTextA(m_handle, text.c_str());
        return;
    }
    // A list without a field of its own shows the text by choosing the item that has it.
    const auto index = SendMessageA(m_handle, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(m_handle, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TCustomComboBox::ItemIndex() const {
    if (!m_handle)
        return m_itemIndex;
    return static_cast<int>(SendMessageA(m_handle, CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= m_items->Count())
        index = -1;
    if (!m_handle) {
        m_itemIndex = index;
        m_text = index >= 0 ? m_items->Strings(index) : std::string();
        return;
    }
    SendMessageA(m_handle, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TCustomComboBox::SetStyle(TComboBoxStyle style) {
    if (style == m_style)
        return;
    m_style = style;
    RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int count) {
    m_dropDownCount = std::max(count, 1);
    UpdateDropDownHeight();
}

void TCustomComboBox::SetSorted(bool sorted) {
    if (sorted == Sorted())
        return;
    m_items->SetSorted(sorted);
    RecreateWnd();
}

void TCustomComboBox::SetItemHeight(int height) {
    height = std::max(height, 1);
    if (height == m_itemHeight)
        return;
    m_itemHeight = height;
    if (m_style == csOwnerDrawFixed)
        RecreateWnd();
}

bool TCustomComboBox::DroppedDown() const {
    return m_handle && SendMessageA(m_handle, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool dropped) {
    if (HandleAllocated())
        SendMessageA(m_handle, CB_SHOWDROPDOWN, dropped ? TRUE : FALSE, 0);
}

void TCustomComboBox::UpdateDropDownHeight() {
    if (!m_handle || IsSimple())
        return;
    auto itemHeight = static_cast<int>(SendMessageA(m_handle, CB_GETITEMHEIGHT, 0, 0));
    if (itemHeight <= 0)
        itemHeight = m_itemHeight;
    RECT field{};
    GetWindowRect(m_handle, &field);
    SetWindowPos(m_handle, nullptr, 0, 0, RectWidth(field),
                 RectHeight(field) + m_dropDownCount * itemHeight + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomComboBox::Change() {
    if (OnChange)
        OnChange(this);
}

void TCustomComboBox::CNCommand(TMessage& message) {
    switch (HIWORD(message.WParam)) {
    case CBN_SELCHANGE: {
        // The field shows the chosen item only after this notification; the handlers read it now.
        const int index = ItemIndex();
        if (index >= 0 && (m_style == csDropDown || m_style == csSimple))
            SetWindowTextA(m_handle, m_items->Strings(index).c_str());
        Click();
        Change();
        break;
    }
    case CBN_EDITCHANGE:
        if (!m_restoring)
            Change();
        break;
    case CBN_DBLCLK:
        DblClick();
        break;
    case CBN_DROPDOWN:
        if (OnDropDown)
            OnDropDown(this);
        break;
    case CBN_CLOSEUP:
        if (OnCloseUp)
            OnCloseUp(this);
        break;
    default:
        break;
    }
}

void TCustomComboBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_COMMAND:
        CNCommand(message);
        break;
    default:
        TCustomListControl::Dispatch(message);
        break;
    }
}
