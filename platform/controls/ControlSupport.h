#pragma once
// What every control of the platform shares: notifying its parent (GetParent: the owner of a
// pop-up control), asking the parent for its colours, and keeping its state object behind
// the window.

#include "platform/base/WinTypes.h"
#include "platform/user/WinUser.h"

#include <utility>

namespace platform {

// WM_COMMAND to the parent: the control's id in the low word of wParam, the notification code
// in the high word, the control in lParam. Returns the parent's answer (0 without a parent).
LRESULT NotifyParentCommand(HWND control, WORD code);

// WM_NOTIFY to the parent, with the header's sender, id and code filled in. Returns the
// parent's answer (0 without a parent).
LRESULT NotifyParent(HWND control, UINT code, NMHDR& header);

// The brush a control paints its background with: the parent's answer to the WM_CTLCOLOR*
// message (which may also set the DC's text and background colours), or DefWindowProc's when
// the parent answers no brush or there is no parent.
HBRUSH AskParentForColours(HWND control, HDC dc, UINT ctlColorMessage);

// A control keeps one state object in its first window extra bytes (its class asks for
// sizeof(void*) of them): made on WM_NCCREATE, deleted on WM_NCDESTROY.
template <typename State>
State* GetControlState(HWND control) {
    return reinterpret_cast<State*>(GetWindowLongPtrW(control, 0));
}

template <typename State>
void SetControlState(HWND control, State* state) {
    SetWindowLongPtrW(control, 0, reinterpret_cast<LONG_PTR>(state));
}

// The object a control class keeps behind each window, for a procedure to call at its start:
// made from `args` on WM_NCCREATE; on WM_NCDESTROY deleted and null returned, as before
// creation and after destruction, when the message goes to DefWindowProcW.
template <typename Object, typename... Args>
Object* ControlObject(HWND window, UINT message, Args&&... args) {
    if (message == WM_NCCREATE && !GetControlState<Object>(window))
        SetControlState(window, new Object(std::forward<Args>(args)...));
    Object* object = GetControlState<Object>(window);
    if (object && message == WM_NCDESTROY) {
        SetControlState<Object>(window, nullptr);
        delete object;
        return nullptr;
    }
    return object;
}

// The window procedure of a control class whose state lives behind the window; every message
// goes to Control(window, state).Handle.
template <typename State, typename Control>
LRESULT CALLBACK StatefulControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    State* state = ControlObject<State>(window, message);
    if (!state)
        return DefWindowProcW(window, message, wParam, lParam);
    Control control(window, *state);
    return control.Handle(message, wParam, lParam);
}

} // namespace platform
