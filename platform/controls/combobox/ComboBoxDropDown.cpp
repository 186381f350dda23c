// The drop-down list of a combo box: opened below (or above) the combo box with the mouse
// captured, following the pointer, closed by a choice, a click outside, Enter or Escape, with
// CBN_DROPDOWN, CBN_SELENDOK or CBN_SELENDCANCEL, CBN_CLOSEUP and CBN_SELCHANGE to the parent.

#include "platform/base/CodePage.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/combobox/ComboBoxState.h"

namespace platform {

namespace {

// EM_SETSEL of the inner edit: a new text is shown all selected.
constexpr UINT EditSelectAll = 0x00B1;

int CurrentSelection(const ComboBoxState& combo) {
    return combo.list ? static_cast<int>(SendMessageW(combo.list, LB_GETCURSEL, 0, 0)) : -1;
}

std::string ItemText(const ComboBoxState& combo, int index) {
    LRESULT length = SendMessageA(combo.list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    LRESULT copied = SendMessageA(combo.list, LB_GETTEXT, static_cast<WPARAM>(index),
                                  reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
    return text;
}

// A press outside the list's client area: on its scroll bar the bar tracks it, anywhere else
// it closes the list without a choice.
void PressOutside(ListBoxState& list, ComboBoxState& combo, POINT client) {
    POINT screen = client;
    ClientToScreen(list.window, &screen);
    RECT frame{};
    GetWindowRect(list.window, &frame);
    if (!PtInRect(&frame, screen)) {
        CloseUp(combo, false);
        return;
    }
    LPARAM at = MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y));
    LRESULT hit = SendMessageW(list.window, WM_NCHITTEST, 0, at);
    SendMessageW(list.window, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), at);
    if (IsWindow(list.window) && combo.dropped)
        SetCapture(list.window);
}

void FollowPointer(ListBoxState& list, POINT point) {
    RECT client{};
    GetClientRect(list.window, &client);
    if (!PtInRect(&client, point)) {
        // Dragging past the ends scrolls the list, one item a move.
        if (list.tracking && point.y < 0)
            SetTop(list, list.top - 1);
        else if (list.tracking && point.y >= client.bottom)
            SetTop(list, list.top + 1);
        return;
    }
    bool outside = false;
    int index = ItemFromPoint(list, point, &outside);
    if (!list.Valid(index))
        return;
    SelectOnly(list, index);
    SetCaret(list, index);
}

} // namespace

void NotifyCombo(const ComboBoxState& combo, WORD code) {
    NotifyParentCommand(combo.window, code);
}

void SelectionChanged(ComboBoxState& combo, bool notify) {
    int selection = CurrentSelection(combo);
    if (combo.edit) {
        std::string text = selection >= 0 ? ItemText(combo, selection) : std::string();
        SetWindowTextA(combo.edit, text.c_str());
        SendMessageW(combo.edit, EditSelectAll, 0, -1);
    }
    RECT field = FieldRect(combo);
    InvalidateRect(combo.window, &field, FALSE);
    if (notify && selection != combo.notifiedSelection) {
        combo.notifiedSelection = selection;
        NotifyCombo(combo, CBN_SELCHANGE);
    }
}

void DropDown(ComboBoxState& combo, bool byPress) {
    if (combo.dropped || combo.IsSimple() || !combo.list)
        return;
    HWND window = combo.window;
    NotifyCombo(combo, CBN_DROPDOWN);
    if (!IsWindow(window))
        return;
    combo.selectionAtDrop = CurrentSelection(combo);
    combo.notifiedSelection = combo.selectionAtDrop;
    RECT rect = DropDownRect(combo);
    SetWindowPos(combo.list, HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    if (combo.selectionAtDrop >= 0)
        SendMessageW(combo.list, LB_SETCARETINDEX, static_cast<WPARAM>(combo.selectionAtDrop), 0);
    combo.dropped = true;
    combo.openedByPress = byPress;
    combo.buttonDown = byPress;
    SetCapture(combo.list);
    InvalidateRect(window, nullptr, FALSE);
}

void CloseUp(ComboBoxState& combo, bool chosen) {
    if (!combo.dropped)
        return;
    HWND window = combo.window;
    combo.dropped = false;
    combo.buttonDown = false;
    combo.openedByPress = false;
    if (GetCapture() == combo.list)
        ReleaseCapture();
    ShowWindow(combo.list, SW_HIDE);
    InvalidateRect(window, nullptr, FALSE);
    if (chosen) {
        NotifyCombo(combo, CBN_SELENDOK);
    } else {
        NotifyCombo(combo, CBN_SELENDCANCEL);
        if (IsWindow(window))
            SendMessageW(combo.list, LB_SETCURSEL, static_cast<WPARAM>(combo.selectionAtDrop), 0);
    }
    if (!IsWindow(window))
        return;
    SelectionChanged(combo, false);
    NotifyCombo(combo, CBN_CLOSEUP);
    if (IsWindow(window))
        SelectionChanged(combo, true);
}

bool IsComboListMouseMessage(UINT message) {
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

LRESULT ComboListMouse(ListBoxState& list, UINT message, WPARAM, LPARAM lParam) {
    ComboBoxState* combo = ComboBoxOf(list.combo);
    if (!combo || !combo->dropped)
        return 0;
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT client{};
    GetClientRect(list.window, &client);
    bool inside = PtInRect(&client, point);
    switch (message) {
    case WM_MOUSEMOVE:
        FollowPointer(list, point);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!inside) {
            PressOutside(list, *combo, point);
            return 0;
        }
        list.tracking = true;
        FollowPointer(list, point);
        return 0;
    case WM_LBUTTONUP:
        if (inside && (list.tracking || combo->openedByPress)) {
            list.tracking = false;
            CloseUp(*combo, true);
            return 0;
        }
        // The press that opened the list ended outside it: the list stays open.
        list.tracking = false;
        combo->openedByPress = false;
        combo->buttonDown = false;
        InvalidateRect(combo->window, nullptr, FALSE);
        return 0;
    default:
        if (!inside)
            CloseUp(*combo, false);
        return 0;
    }
}

} // namespace platform
