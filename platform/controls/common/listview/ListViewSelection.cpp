// The list view's item states: selection and focus changed with LVN_ITEMCHANGING (which the
// parent may refuse) and LVN_ITEMCHANGED, one focused item at most, one selected item at
// most with LVS_SINGLESEL, and the ways a click or a key selects.

#include "platform/controls/common/listview/ListView.h"

#include <algorithm>

namespace platform {

namespace {

// The state change of one item (or of every item, -1) as both notifications describe it.
NMLISTVIEW StateChange(int index, UINT oldState, UINT newState, LPARAM param) {
    NMLISTVIEW change{};
    change.iItem = index;
    change.uChanged = LVIF_STATE;
    change.uOldState = oldState;
    change.uNewState = newState;
    change.lParam = param;
    return change;
}

} // namespace

bool ListView::SetItemState(int index, UINT state, UINT mask) {
    if (index == -1)
        return ChangeAllStates(state, mask);
    return Valid(index) && ChangeState(index, state, mask);
}

bool ListView::ChangeState(int index, UINT state, UINT mask) {
    const UINT oldState = m_items[static_cast<std::size_t>(index)].state;
    const UINT newState = (oldState & ~mask) | (state & mask);
    if (newState == oldState)
        return true;
    const LPARAM param = m_items[static_cast<std::size_t>(index)].param;
    NMLISTVIEW changing = StateChange(index, oldState, newState, param);
    if (NotifyParent(m_window, LVN_ITEMCHANGING, changing.hdr))
        return false;
    // The parent may have changed the list while it was asked.
    if (!Valid(index))
        return false;
    const bool gainsFocus = (newState & LVIS_FOCUSED) && !(oldState & LVIS_FOCUSED);
    const bool gainsSelection = (newState & LVIS_SELECTED) && !(oldState & LVIS_SELECTED);
    if (gainsFocus && Valid(m_focused) && m_focused != index)
        ChangeState(m_focused, 0, LVIS_FOCUSED);
    if (gainsSelection && (Style() & LVS_SINGLESEL))
        DeselectAllBut(index);
    if (!Valid(index))
        return false;
    m_items[static_cast<std::size_t>(index)].state = newState;
    if (gainsFocus)
        m_focused = index;
    else if (!(newState & LVIS_FOCUSED) && m_focused == index)
        m_focused = -1;
    InvalidateItem(index);
    NMLISTVIEW changed = StateChange(index, oldState, newState, param);
    NotifyParent(m_window, LVN_ITEMCHANGED, changed.hdr);
    return true;
}

bool ListView::ChangeAllStates(UINT state, UINT mask) {
    // No item takes the focus as one of all, and a single-selection list selects no more
    // than one.
    if (state & LVIS_FOCUSED)
        mask &= ~LVIS_FOCUSED;
    if ((state & LVIS_SELECTED) && (Style() & LVS_SINGLESEL))
        mask &= ~LVIS_SELECTED;
    const bool changes = std::any_of(m_items.begin(), m_items.end(), [&](const ListViewItem& item) {
        return (item.state & mask) != (state & mask);
    });
    if (!changes)
        return true;
    NMLISTVIEW changing = StateChange(-1, 0, state & mask, 0);
    if (NotifyParent(m_window, LVN_ITEMCHANGING, changing.hdr))
        return false;
    for (ListViewItem& item : m_items)
        item.state = (item.state & ~mask) | (state & mask);
    if (mask & LVIS_FOCUSED)
        m_focused = -1;
    InvalidateRect(m_window, nullptr, FALSE);
    NMLISTVIEW changed = StateChange(-1, 0, state & mask, 0);
    NotifyParent(m_window, LVN_ITEMCHANGED, changed.hdr);
    return true;
}

int ListView::SelectedCount() const {
    return static_cast<int>(std::count_if(m_items.begin(), m_items.end(), [](const ListViewItem& item) {
        return (item.state & LVIS_SELECTED) != 0;
    }));
}

void ListView::DeselectAllBut(int keep) {
    for (int index = 0; index < Count(); ++index) {
        if (index != keep && (m_items[static_cast<std::size_t>(index)].state & LVIS_SELECTED))
            ChangeState(index, 0, LVIS_SELECTED);
    }
}

void ListView::SetFocusItem(int index) {
    if (Valid(index))
        ChangeState(index, LVIS_FOCUSED, LVIS_FOCUSED);
}

void ListView::SelectOnly(int index) {
    if (!Valid(index))
        return;
    DeselectAllBut(index);
    if (Valid(index))
        ChangeState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_mark = index;
}

void ListView::SelectRange(int index) {
    if (!Valid(index))
        return;
    if (Style() & LVS_SINGLESEL) {
        SelectOnly(index);
        return;
    }
    const int anchor = Valid(m_mark) ? m_mark : (Valid(m_focused) ? m_focused : 0);
    const int first = std::min(anchor, index);
    const int last = std::max(anchor, index);
    for (int item = 0; item < Count(); ++item) {
        const bool inside = item >= first && item <= last;
        ChangeState(item, inside ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }
    SetFocusItem(index);
    m_mark = anchor;
}

} // namespace platform
