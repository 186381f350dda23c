#include "framework/stdctrls/ListItems.h"

#include "platform/controls/combobox/ComboBox.h"
#include "platform/controls/listbox/ListBox.h"

#include <algorithm>
#include <strings.h>
#include <vector>

const TListMessages ListBoxMessages{LB_GETCOUNT,     LB_GETTEXT,      LB_GETTEXTLEN,   LB_ADDSTRING,
                                    LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_GETITEMDATA,
                                    LB_SETITEMDATA,  LB_GETCURSEL,    LB_SETCURSEL};
const TListMessages ComboBoxMessages{CB_GETCOUNT,     CB_GETLBTEXT,    CB_GETLBTEXTLEN, CB_ADDSTRING,
                                     CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_GETITEMDATA,
                                     CB_SETITEMDATA,  CB_GETCURSEL,    CB_SETCURSEL};

HWND TListItems::Window() const {
    return m_control.HandleAllocated() ? m_control.Handle() : nullptr;
}

LRESULT TListItems::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageA(Window(), message, wParam, lParam);
}

int TListItems::Count() const {
    if (!Window())
        return m_kept.Count();
    return std::max(static_cast<int>(Send(m_messages.GetCount)), 0);
}

std::string TListItems::Strings(int index) const {
    CheckIndex(index);
    if (!Window())
        return m_kept[index];
    const auto length = Send(m_messages.GetTextLen, static_cast<WPARAM>(index));
    if (length <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    const auto copied =
        Send(m_messages.GetText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
}

void TListItems::SetStrings(int index, const std::string& text) {
    CheckIndex(index);
    if (!Window()) {
        m_kept.SetStrings(index, text);
        return;
    }
    // The window has no replace: the item goes and comes back with its object and selection.
    const std::intptr_t object = Objects(index);
    const auto selected = Send(m_messages.GetCurSel);
    Delete(index);
    Insert(index, text);
    SetObjects(index, object);
    if (selected == index)
        Send(m_messages.SetCurSel, static_cast<WPARAM>(index));
}

void TListItems::Insert(int index, const std::string& text) {
    if (index < 0 || index > Count())
        IndexError(index);
    if (!Window()) {
        m_kept.Insert(index, text);
        return;
    }
    Send(m_messages.InsertString, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

int TListItems::Add(const std::string& text) {
    return AddObject(text, 0);
}

int TListItems::AddObject(const std::string& text, std::intptr_t object) {
    if (!Window()) {
        const int index = m_sorted ? SortedPlace(text) : m_kept.Count();
        m_kept.Insert(index, text);
        m_kept.SetObjects(index, object);
        return index;
    }
    const auto index =
        static_cast<int>(Send(m_messages.AddString, 0, reinterpret_cast<LPARAM>(text.c_str())));
    if (index >= 0 && object != 0)
        SetObjects(index, object);
    return index;
}

void TListItems::Delete(int index) {
    CheckIndex(index);
    if (!Window()) {
        m_kept.Delete(index);
        return;
    }
    Send(m_messages.DeleteString, static_cast<WPARAM>(index));
}

void TListItems::Clear() {
    m_kept.Clear();
    if (Window())
        Send(m_messages.ResetContent);
}

std::intptr_t TListItems::Objects(int index) const {
    CheckIndex(index);
    if (!Window())
        return m_kept.Objects(index);
    return static_cast<std::intptr_t>(Send(m_messages.GetItemData, static_cast<WPARAM>(index)));
}

void TListItems::SetObjects(int index, std::intptr_t object) {
    CheckIndex(index);
    if (!Window()) {
        m_kept.SetObjects(index, object);
        return;
    }
    Send(m_messages.SetItemData, static_cast<WPARAM>(index), static_cast<LPARAM>(object));
}

void TListItems::SetSorted(bool sorted) {
    if (sorted == m_sorted)
        return;
    m_sorted = sorted;
    if (!sorted || Window())
        return;
    TStringList items;
    std::swap(items, m_kept);
    for (int i = 0; i < items.Count(); ++i)
        AddObject(items[i], items.Objects(i));
}

int TListItems::SortedPlace(const std::string& text) const {
    // After the equal items, as the window's sorted insertion places them, without regard to
    // ASCII case.
    int index = 0;
    while (index < m_kept.Count() && strcasecmp(m_kept[index].c_str(), text.c_str()) <= 0)
        ++index;
    return index;
}

void TListItems::TakeFromWindow() {
    m_kept.Clear();
    const int count = Count();
    for (int i = 0; i < count; ++i)
        m_kept.AddObject(Strings(i), Objects(i));
}

void TListItems::GiveToWindow() {
    if (!Window())
        return;
    // A sorted window puts each where it belongs.
    for (int i = 0; i < m_kept.Count(); ++i) {
        const auto index = Send(m_messages.AddString, 0, reinterpret_cast<LPARAM>(m_kept[i].c_str()));
        if (index >= 0 && m_kept.Objects(i) != 0)
            Send(m_messages.SetItemData, static_cast<WPARAM>(index), static_cast<LPARAM>(m_kept.Objects(i)));
    }
    m_kept.Clear();
}
