#include "framework/stdctrls/ListBoxes.h"

#include "framework/classes/PropertyTable.h"
#include "platform/controls/listbox/ListBox.h"

#include <algorithm>

const TEnumInfo& ListBoxStyleIdents() {
    static const TEnumInfo idents{{"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"}};
    return idents;
}

const TClass& TCustomListBox::ClassInfo() {
    static const TClass info(
        "TCustomListBox", &TCustomListControl::ClassInfo(),
        {
            EnumProperty("BorderStyle", BorderStyleIdents(), &TCustomListBox::BorderStyle,
                         &TCustomListBox::SetBorderStyle),
            EnumProperty("ExtendedSelect", BooleanIdents(), &TCustomListBox::ExtendedSelect,
                         &TCustomListBox::SetExtendedSelect),
            OrdProperty("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight),
            OrdProperty("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex),
            EnumProperty("MultiSelect", BooleanIdents(), &TCustomListBox::MultiSelect,
                         &TCustomListBox::SetMultiSelect),
            EnumProperty("Sorted", BooleanIdents(), &TCustomListBox::Sorted, &TCustomListBox::SetSorted),
            EnumProperty("Style", ListBoxStyleIdents(), &TCustomListBox::Style, &TCustomListBox::SetStyle),
        });
    return info;
}

const TClass& TListBox::ClassInfo() {
    static const TClass info("TListBox", &TCustomListBox::ClassInfo());
    return info;
}

TCustomListBox::TCustomListBox(TComponent* owner) : TCustomListControl(owner, ListBoxMessages) {
    SetBounds(0, 0, 121, 97);
}

bool TCustomListBox::IsVariableHeight() const {
    return m_style == lbOwnerDrawVariable;
}

void TCustomListBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "LISTBOX");
    params.Style |= LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    if (Sorted())
        params.Style |= LBS_SORT;
    if (m_multiSelect)
        params.Style |= m_extendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (m_style == lbOwnerDrawFixed)
        params.Style |= LBS_OWNERDRAWFIXED;
    else if (m_style == lbOwnerDrawVariable)
        params.Style |= LBS_OWNERDRAWVARIABLE;
    if (m_borderStyle == bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
    if (UseRightToLeftReading())
        params.ExStyle |= WS_EX_RTLREADING;
}

void TCustomListBox::CreateHandle() {
    TWinControl::CreateHandle();
    if (!HandleAllocated())
        return;
    if (m_style == lbOwnerDrawFixed)
        SendMessageA(m_handle, LB_SETITEMHEIGHT, 0, m_itemHeight);
    m_items->GiveToWindow();
    if (m_multiSelect) {
        for (int index : m_selected)
            SendMessageA(m_handle, LB_SETSEL, TRUE, index);
        if (m_itemIndex >= 0)
            SendMessageA(m_handle, LB_SETCARETINDEX, static_cast<WPARAM>(m_itemIndex), FALSE);
    } else if (m_itemIndex >= 0) {
        SendMessageA(m_handle, LB_SETCURSEL, static_cast<WPARAM>(m_itemIndex), 0);
    }
    SendMessageA(m_handle, LB_SETTOPINDEX, static_cast<WPARAM>(m_topIndex), 0);
    m_selected.clear();
}

void TCustomListBox::DestroyWnd() {
    m_itemIndex = ItemIndex();
    m_topIndex = TopIndex();
    m_selected.clear();
    for (int i = 0; i < m_items->Count(); ++i) {
        if (Selected(i))
            m_selected.push_back(i);
    }
    m_items->TakeFromWindow();
    TWinControl::DestroyWnd();
}

bool TCustomListBox::IsMultiSelect() const {
    // A window keeps the mode it was made with until it is made again.
    if (m_handle)
        return (GetWindowLongA(m_handle, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
    return m_multiSelect;
}

int TCustomListBox::ItemIndex() const {
    if (!m_handle)
        return m_itemIndex;
    if (IsMultiSelect()) {
        const auto caret = static_cast<int>(SendMessageA(m_handle, LB_GETCARETINDEX, 0, 0));
        return caret < m_items->Count() ? caret : -1;
    }
    return static_cast<int>(SendMessageA(m_handle, LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int index) {
    if (index < -1 || index >= m_items->Count())
        index = -1;
    if (!m_handle) {
        m_itemIndex = index;
        m_selected.clear();
        if (m_multiSelect && index >= 0)
            m_selected.push_back(index);
        return;
    }
    if (!IsMultiSelect()) {
        SendMessageA(m_handle, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        return;
    }
    SendMessageA(m_handle, LB_SETSEL, FALSE, -1);
    if (index >= 0) {
        SendMessageA(m_handle, LB_SETSEL, TRUE, index);
        SendMessageA(m_handle, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
    }
}

bool TCustomListBox::Selected(int index) const {
    if (index < 0 || index >= m_items->Count())
        return false;
    if (!IsMultiSelect())
        return ItemIndex() == index;
    if (!m_handle)
        return std::find(m_selected.begin(), m_selected.end(), index) != m_selected.end();
    return SendMessageA(m_handle, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void TCustomListBox::SetSelected(int index, bool selected) {
    if (index < 0 || index >= m_items->Count())
        return;
    if (!IsMultiSelect()) {
        if (selected)
            SetItemIndex(index);
        else if (ItemIndex() == index)
            SetItemIndex(-1);
        return;
    }
    if (m_handle) {
        SendMessageA(m_handle, LB_SETSEL, selected ? TRUE : FALSE, index);
        return;
    }
    m_selected.erase(std::remove(m_selected.begin(), m_selected.end(), index), m_selected.end());
    if (selected)
        m_selected.push_back(index);
}

int TCustomListBox::SelCount() const {
    if (!IsMultiSelect())
        return ItemIndex() >= 0 ? 1 : 0;
    if (!m_handle)
        return static_cast<int>(m_selected.size());
    return std::max(static_cast<int>(SendMessageA(m_handle, LB_GETSELCOUNT, 0, 0)), 0);
}

void TCustomListBox::SetMultiSelect(bool multiSelect) {
    if (multiSelect == m_multiSelect)
        return;
    m_multiSelect = multiSelect;
    // What is chosen now stays chosen in the other mode.
    if (!m_handle && multiSelect && m_selected.empty() && m_itemIndex >= 0)
        m_selected.push_back(m_itemIndex);
    RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool extendedSelect) {
    if (extendedSelect == m_extendedSelect)
        return;
    m_extendedSelect = extendedSelect;
    if (m_multiSelect)
        RecreateWnd();
}

void TCustomListBox::SetSorted(bool sorted) {
    if (sorted == Sorted())
        return;
    m_items->SetSorted(sorted);
    RecreateWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle style) {
    if (style == m_style)
        return;
    m_style = style;
    RecreateWnd();
}

int TCustomListBox::ItemHeight() const {
    if (m_handle && m_style != lbOwnerDrawFixed) {
        const auto height = static_cast<int>(SendMessageA(m_handle, LB_GETITEMHEIGHT, 0, 0));
        if (height > 0)
            return height;
    }
    return m_itemHeight;
}

void TCustomListBox::SetItemHeight(int height) {
    height = std::max(height, 1);
    if (height == m_itemHeight)
        return;
    m_itemHeight = height;
    if (m_style == lbOwnerDrawFixed)
        RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TBorderStyle style) {
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    RecreateWnd();
}

int TCustomListBox::TopIndex() const {
    if (!m_handle)
        return m_topIndex;
    return std::max(static_cast<int>(SendMessageA(m_handle, LB_GETTOPINDEX, 0, 0)), 0);
}

void TCustomListBox::SetTopIndex(int index) {
    m_topIndex = std::max(index, 0);
    if (m_handle)
        SendMessageA(m_handle, LB_SETTOPINDEX, static_cast<WPARAM>(m_topIndex), 0);
}

int TCustomListBox::ItemAtPos(TPoint position) const {
    if (!m_handle)
        return -1;
    const auto answer = SendMessageA(m_handle, LB_ITEMFROMPOINT, 0, MAKELPARAM(position.x, position.y));
    if (HIWORD(answer) != 0)
        return -1;
    const int index = LOWORD(answer);
    return index < m_items->Count() ? index : -1;
}

void TCustomListBox::CNCommand(TMessage& message) {
    switch (HIWORD(message.WParam)) {
    case LBN_SELCHANGE:
        Click();
        break;
    case LBN_DBLCLK:
        DblClick();
        break;
    default:
        break;
    }
}

void TCustomListBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_COMMAND:
        CNCommand(message);
        break;
    default:
        TCustomListControl::Dispatch(message);
        break;
    }
}
