// The user's hand on a list box: presses and drags select items (single, multiple or extended
// selection), keys move the caret and the selection, typed characters find items by their
// first letters. The parent hears LBN_SELCHANGE and LBN_DBLCLK when LBS_NOTIFY asks for them.

#include "platform/base/CodePage.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/listbox/ListBoxState.h"

#include <algorithm>
#include <optional>

namespace platform {

namespace {

// Typed characters that follow each other within this time search on as one prefix.
constexpr DWORD TypeAheadPause = 1000;

bool KeyHeld(int key) {
    return GetKeyState(key) < 0;
}

std::vector<bool> Selection(const ListBoxState& list) {
    std::vector<bool> selected;
    for (int i = 0; i < list.Count(); ++i)
        selected.push_back(IsSelected(list, i));
    return selected;
}

// Moves the caret to an item as the keyboard does, selecting as the style says.
void MoveByKeyboard(ListBoxState& list, int index, bool shift, bool control) {
    if (list.Count() == 0)
        return;
    index = std::clamp(index, 0, list.Count() - 1);
    std::vector<bool> before = Selection(list);
    if (!list.IsMultiple()) {
        SelectOnly(list, index);
        list.anchor = index;
    } else if (list.IsExtended()) {
        if (shift) {
            int anchor = list.anchor >= 0 ? list.anchor : list.caret;
            if (!control)
                SelectOnly(list, -1);
            SelectRange(list, anchor, index, true);
        } else if (!control) {
            SelectOnly(list, index);
            list.anchor = index;
        }
    }
    SetCaret(list, index);
    EnsureVisible(list, index);
    if (Selection(list) != before)
        NotifyListBox(list, LBN_SELCHANGE);
}

// The item a navigation key goes to (clamped later); nothing for other keys.
std::optional<int> KeyTarget(const ListBoxState& list, UINT key) {
    int page = std::max(1, FullyVisibleCount(list) - 1);
    switch (key) {
    case VK_UP:
    case VK_LEFT:
        return list.caret - 1;
    case VK_DOWN:
    case VK_RIGHT:
        return list.caret + 1;
    case VK_PRIOR:
        return list.caret - page;
    case VK_NEXT:
        return list.caret + page;
    case VK_HOME:
        return 0;
    case VK_END:
        return list.Count() - 1;
    default:
        return std::nullopt;
    }
}

void ToggleCaretItem(ListBoxState& list) {
    if (!list.Valid(list.caret))
        return;
    SetSelected(list, list.caret, !IsSelected(list, list.caret));
    list.anchor = list.caret;
    NotifyListBox(list, LBN_SELCHANGE);
}

// Asks the parent of an LBS_WANTKEYBOARDINPUT list what a key or character does: -2 done,
// -1 the default action, another value the item to go to.
LRESULT AskParent(const ListBoxState& list, UINT message, WORD what) {
    HWND parent = GetParent(list.window);
    if (!parent || !(list.style & LBS_WANTKEYBOARDINPUT))
        return -1;
    WPARAM wParam = MAKEWPARAM(what, static_cast<WORD>(list.caret));
    return static_cast<short>(SendMessageW(parent, message, wParam, reinterpret_cast<LPARAM>(list.window)));
}

} // namespace

void NotifyListBox(const ListBoxState& list, WORD code) {
    bool always = code == LBN_SETFOCUS || code == LBN_KILLFOCUS;
    if (list.combo) {
        WPARAM wParam = MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(list.window)), code);
        SendMessageW(list.combo, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(list.window));
    } else if (always || list.Notifies()) {
        NotifyParentCommand(list.window, code);
    }
}

void PressItem(ListBoxState& list, POINT point, WPARAM keys, bool doubleClick) {
    if (!list.combo && GetFocus() != list.window) {
        SetFocus(list.window);
        if (!IsWindow(list.window))
            return;
    }
    bool outside = false;
    int index = ItemFromPoint(list, point, &outside);
    if (list.Count() == 0 || !list.CanSelect())
        return;
    std::vector<bool> before = Selection(list);
    if (!list.IsMultiple()) {
        SelectOnly(list, index);
        list.anchor = index;
    } else if (!list.IsExtended()) {
        SetSelected(list, index, !IsSelected(list, index));
    } else if (keys & MK_SHIFT) {
        if (!(keys & MK_CONTROL))
            SelectOnly(list, -1);
        SelectRange(list, list.anchor >= 0 ? list.anchor : index, index, true);
    } else if (keys & MK_CONTROL) {
        SetSelected(list, index, !IsSelected(list, index));
        list.anchor = index;
    } else {
        SelectOnly(list, index);
        list.anchor = index;
    }
    SetCaret(list, index);
    EnsureVisible(list, index);
    SetCapture(list.window);
    list.tracking = true;
    if (Selection(list) != before)
        NotifyListBox(list, LBN_SELCHANGE);
    if (doubleClick && IsWindow(list.window))
        NotifyListBox(list, LBN_DBLCLK);
}

void DragOver(ListBoxState& list, POINT point) {
    if (!list.tracking || list.Count() == 0)
        return;
    RECT client{};
    GetClientRect(list.window, &client);
    // Outside the list the view scrolls one item per move towards the pointer.
    if (point.y < 0)
        SetTop(list, list.top - 1);
    else if (point.y >= client.bottom)
        SetTop(list, list.top + 1);
    bool outside = false;
    int index = ItemFromPoint(list, point, &outside);
    if (point.y >= client.bottom)
        index = std::min(list.Count() - 1, list.top + FullyVisibleCount(list) - 1);
    if (point.y < 0)
        index = list.top;
    if (index == list.caret || (list.IsMultiple() && !list.IsExtended()))
        return;
    std::vector<bool> before = Selection(list);
    if (!list.IsMultiple()) {
        SelectOnly(list, index);
    } else {
        SelectOnly(list, -1);
        SelectRange(list, list.anchor >= 0 ? list.anchor : index, index, true);
    }
    SetCaret(list, index);
    EnsureVisible(list, index);
    if (Selection(list) != before)
        NotifyListBox(list, LBN_SELCHANGE);
}

void ReleasePress(ListBoxState& list) {
    if (!list.tracking)
        return;
    list.tracking = false;
    if (GetCapture() == list.window)
        ReleaseCapture();
}

void KeyDown(ListBoxState& list, UINT key) {
    LRESULT answer = AskParent(list, WM_VKEYTOITEM, static_cast<WORD>(key));
    if (answer == -2 || !IsWindow(list.window))
        return;
    bool shift = KeyHeld(VK_SHIFT);
    bool control = KeyHeld(VK_CONTROL);
    if (answer >= 0) {
        MoveByKeyboard(list, static_cast<int>(answer), false, false);
        return;
    }
    if (!list.CanSelect())
        return;
    if (key == VK_SPACE) {
        if (list.IsMultiple() && (!list.IsExtended() || control))
            ToggleCaretItem(list);
        else if (list.IsExtended())
            MoveByKeyboard(list, list.caret, shift, false);
        return;
    }
    std::optional<int> target = KeyTarget(list, key);
    if (!target || list.Count() == 0)
        return;
    // With nothing selected yet, the first step selects the caret item itself.
    bool step = key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT;
    if (step && !list.IsMultiple() && list.current < 0)
        target = list.caret;
    // LBS_MULTIPLESEL moves only the caret; the space bar selects.
    if (list.IsMultiple() && !list.IsExtended()) {
        int index = std::clamp(*target, 0, list.Count() - 1);
        SetCaret(list, index);
        EnsureVisible(list, index);
        return;
    }
    MoveByKeyboard(list, *target, shift, control);
}

void CharTyped(ListBoxState& list, char16_t character) {
    if (!list.HasStrings()) {
        LRESULT answer = AskParent(list, WM_CHARTOITEM, character);
        if (answer >= 0 && IsWindow(list.window))
            MoveByKeyboard(list, static_cast<int>(answer), false, false);
        return;
    }
    if (character < 0x20 || !list.CanSelect())
        return;
    DWORD now = static_cast<DWORD>(GetMessageTime());
    if (now - list.typeAheadTime > TypeAheadPause)
        list.typeAhead.clear();
    list.typeAheadTime = now;
    // A first letter looks past the caret item; a longer prefix may stay on it.
    int start = list.typeAhead.empty() ? list.caret : list.caret - 1;
    list.typeAhead += Utf16ToGbk(std::u16string(1, character));
    LRESULT found = FindItem(list, start, list.typeAhead, 0, false);
    if (found == LB_ERR)
        return;
    MoveByKeyboard(list, static_cast<int>(found), false, false);
}

} // namespace platform
