// The list view's mouse and keyboard: a click selects (Ctrl adds or takes away one item,
// Shift a range from the selection mark), the arrows, Home, End and the page keys move the
// focus and the selection with them, Space selects, typing finds an item by its first letters,
// and the parent hears of clicks, double clicks, Enter and every key.

#include "platform/controls/common/listview/ListView.h"

#include <algorithm>

namespace platform {

namespace {

// Typed characters belong to one search while they come within this many milliseconds.
constexpr LONG SearchPause = 1000;

bool KeyDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

} // namespace

UINT ListView::KeyFlags() const {
    return (KeyDown(VK_SHIFT) ? LVKF_SHIFT : 0) | (KeyDown(VK_CONTROL) ? LVKF_CONTROL : 0) |
           (KeyDown(VK_MENU) ? LVKF_ALT : 0);
}

void ListView::NotifyActivate(UINT code, POINT point) const {
    LVHITTESTINFO hit{point, 0, -1, 0};
    HitTest(hit, true);
    NMITEMACTIVATE notice{};
    notice.iItem = hit.iItem;
    notice.iSubItem = hit.iSubItem;
    notice.ptAction = point;
    notice.uKeyFlags = KeyFlags();
    if (Valid(hit.iItem)) {
        notice.uNewState = notice.uOldState = m_items[static_cast<std::size_t>(hit.iItem)].state;
        notice.lParam = m_items[static_cast<std::size_t>(hit.iItem)].param;
    }
    NotifyParent(m_window, code, notice.hdr);
}

void ListView::OnButtonDown(UINT message, WPARAM keys, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (GetFocus() != m_window)
        SetFocus(m_window);
    LVHITTESTINFO hit{point, 0, -1, 0};
    const int index = HitTest(hit, false);
    const bool control = (keys & MK_CONTROL) != 0;
    const bool shift = (keys & MK_SHIFT) != 0;
    const bool multiple = !(Style() & LVS_SINGLESEL);
    if (message == WM_RBUTTONDOWN) {
        // The right button keeps a selection it lands in, to act on all of it.
        if (Valid(index) && !(m_items[static_cast<std::size_t>(index)].state & LVIS_SELECTED))
            SelectOnly(index);
        else if (Valid(index))
            SetFocusItem(index);
    } else if (!Valid(index)) {
        if (!control)
            DeselectAllBut(-1);
    } else if (shift && multiple) {
        SelectRange(index);
    } else if (control && multiple) {
        const bool selected = (m_items[static_cast<std::size_t>(index)].state & LVIS_SELECTED) != 0;
        ChangeState(index, (selected ? 0 : LVIS_SELECTED) | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_mark = index;
    } else {
        SelectOnly(index);
    }
    if (Valid(index))
        EnsureVisible(index, false);
    m_pressButton = message;
    SetCapture(m_window);
}

void ListView::OnButtonUp(UINT message, LPARAM lParam) {
    const UINT pressed = message == WM_LBUTTONUP ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
    if (m_pressButton != pressed)
        return;
    m_pressButton = 0;
    if (GetCapture() == m_window)
        ReleaseCapture();
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    NotifyActivate(message == WM_LBUTTONUP ? NM_CLICK : NM_RCLICK, point);
}

void ListView::OnDoubleClick(UINT message, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    LVHITTESTINFO hit{point, 0, -1, 0};
    const int index = HitTest(hit, false);
    if (message == WM_RBUTTONDBLCLK) {
        NotifyActivate(NM_RDBLCLK, point);
        return;
    }
    if (Valid(index) && !(m_items[static_cast<std::size_t>(index)].state & LVIS_SELECTED))
        SelectOnly(index);
    NotifyActivate(NM_DBLCLK, point);
    if (Valid(index))
        NotifyActivate(LVN_ITEMACTIVATE, point);
}

void ListView::MoveFocusByKey(int target) {
    if (Count() == 0)
        return;
    target = std::clamp(target, 0, Count() - 1);
    const bool multiple = !(Style() & LVS_SINGLESEL);
    if (multiple && KeyDown(VK_SHIFT))
        SelectRange(target);
    else if (multiple && KeyDown(VK_CONTROL))
        SetFocusItem(target);
    else
        SelectOnly(target);
    EnsureVisible(target, false);
}

void ListView::OnKeyDown(WPARAM key) {
    NMLVKEYDOWN notice{};
    notice.wVKey = static_cast<WORD>(key);
    NotifyParent(m_window, LVN_KEYDOWN, notice.hdr);
    const int focus = Valid(m_focused) ? m_focused : -1;
    const int page = std::max(CountPerPage(), 1);
    switch (key) {
    case VK_UP:
        MoveFocusByKey(focus < 0 ? 0 : focus - 1);
        break;
    case VK_DOWN:
        MoveFocusByKey(focus + 1);
        break;
    case VK_HOME:
        MoveFocusByKey(0);
        break;
    case VK_END:
        MoveFocusByKey(Count() - 1);
        break;
    case VK_PRIOR: {
        // First to the top of the page, then a page further up.
        const int pageTop = m_top;
        MoveFocusByKey(focus > pageTop ? pageTop : focus - page + 1);
        break;
    }
    case VK_NEXT: {
        const int pageBottom = m_top + page - 1;
        MoveFocusByKey(focus >= 0 && focus < pageBottom ? pageBottom : focus + page - 1);
        break;
    }
    case VK_LEFT:
        OnHScroll(SB_LINELEFT);
        break;
    case VK_RIGHT:
        OnHScroll(SB_LINERIGHT);
        break;
    case VK_SPACE:
        if (Valid(focus)) {
            const bool toggle = KeyDown(VK_CONTROL) && !(Style() & LVS_SINGLESEL);
            const bool selected = (m_items[static_cast<std::size_t>(focus)].state & LVIS_SELECTED) != 0;
            ChangeState(focus, toggle && selected ? 0 : LVIS_SELECTED, LVIS_SELECTED);
            m_mark = focus;
        }
        break;
    case VK_RETURN: {
        NMHDR header{};
        NotifyParent(m_window, NM_RETURN, header);
        if (Valid(focus)) {
            NMITEMACTIVATE notice{};
            notice.iItem = focus;
            notice.uNewState = notice.uOldState = m_items[static_cast<std::size_t>(focus)].state;
            notice.lParam = m_items[static_cast<std::size_t>(focus)].param;
            notice.uKeyFlags = KeyFlags();
            NotifyParent(m_window, LVN_ITEMACTIVATE, notice.hdr);
        }
        break;
    }
    default:
        break;
    }
}

void ListView::OnChar(WCHAR character) {
    if (character < u' ' || Count() == 0)
        return;
    const LONG now = GetMessageTime();
    if (now - m_searchTime > SearchPause)
        m_search.clear();
    m_searchTime = now;
    m_search += character;
    // The same letter typed again steps through the items that start with it.
    const bool repeated = m_search.size() > 1 && std::all_of(m_search.begin(), m_search.end(),
                                                             [&](char16_t c) { return c == m_search[0]; });
    const std::u16string wanted = repeated ? m_search.substr(0, 1) : m_search;
    LVFINDINFOW find{LVFI_PARTIAL | LVFI_WRAP, wanted.c_str(), 0, {}, 0};
    const int start = Valid(m_focused) ? (m_search.size() == 1 || repeated ? m_focused : m_focused - 1) : -1;
    const LRESULT found = FindItem(start, &find);
    if (found >= 0) {
        SelectOnly(static_cast<int>(found));
        EnsureVisible(static_cast<int>(found), false);
    }
}

} // namespace platform
