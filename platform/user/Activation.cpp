// Focus and activation: which top-level window is active and which window gets the keys.

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/display/Display.h"
#include "platform/user/Hooks.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowManager.h"
#include "platform/user/WindowProcedures.h"

#include <vector>

namespace platform {

namespace {

struct FocusState {
    HWND active = nullptr;
    HWND focus = nullptr;
    bool applicationActive = false;
};

FocusState& State() {
    static FocusState state;
    return state;
}

bool IsDisabledInChain(const Window& window) {
    for (const Window* w = &window; w && !w->IsDesktop(); w = w->parent) {
        if (w->style & WS_DISABLED)
            return true;
    }
    return false;
}

void TellApplicationActivation(bool active) {
    State().applicationActive = active;
    for (Window* w : std::vector<Window*>(DesktopWindow().children)) {
        HWND handle = w->handle;
        if (FindLiveWindow(handle))
            SendToWindow(*w, WM_ACTIVATEAPP, active ? TRUE : FALSE,
                         static_cast<LPARAM>(GetCurrentThreadId()));
    }
}

WPARAM ActivateParameter(WORD how, const Window& window) {
    return MAKEWPARAM(how, (window.style & WS_MINIMIZE) ? 1 : 0);
}

} // namespace

Window* ActiveWindowRecord() {
    return FindLiveWindow(State().active);
}

Window* FocusWindowRecord() {
    return FindLiveWindow(State().focus);
}

bool ActivateWindow(Window* target, WORD how, bool byMouse) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    FocusState& state = State();
    Window* old = ActiveWindowRecord();
    if (target == old)
        return true;
    if (target && (!target->IsTopLevel() || !target->IsAlive()))
        return false;
    HWND targetHandle = target ? target->handle : nullptr;
    HWND oldHandle = old ? old->handle : nullptr;
    if (targetHandle) {
        CBTACTIVATESTRUCT activation{byMouse ? TRUE : FALSE, oldHandle};
        if (CallHookChain(WH_CBT, HCBT_ACTIVATE, reinterpret_cast<WPARAM>(targetHandle),
                          reinterpret_cast<LPARAM>(&activation)))
            return false;
    }
    if (old && old->life == WindowLife::Alive) {
        // A window that answers FALSE to losing its active look keeps the activation.
        if (!SendToWindow(*old, WM_NCACTIVATE, FALSE, reinterpret_cast<LPARAM>(targetHandle)) && target)
            return false;
        if (FindLiveWindow(oldHandle))
            SendToWindow(*old, WM_ACTIVATE, ActivateParameter(WA_INACTIVE, *old),
                         reinterpret_cast<LPARAM>(targetHandle));
    }
    state.active = targetHandle;
    if (Window* focus = FocusWindowRecord(); focus && old && (focus == old || IsAncestorOf(*old, *focus))) {
        state.focus = nullptr;
        SendToWindow(*focus, WM_KILLFOCUS, 0, 0);
    }
    target = FindLiveWindow(targetHandle);
    if (!target) {
        if (state.applicationActive)
            TellApplicationActivation(false);
        state.active = nullptr;
        return targetHandle == nullptr;
    }
    if (!state.applicationActive)
        TellApplicationActivation(true);
    if (!FindLiveWindow(targetHandle))
        return false;
    if (state.active == targetHandle) {
        PlaceWindow(*target, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        Display().SurfaceActivated(targetHandle);
    }
    if (FindLiveWindow(targetHandle) && state.active == targetHandle)
        SendToWindow(*target, WM_NCACTIVATE, TRUE, reinterpret_cast<LPARAM>(oldHandle));
    if (FindLiveWindow(targetHandle) && state.active == targetHandle)
        SendToWindow(*target, WM_ACTIVATE, ActivateParameter(how, *target),
                     reinterpret_cast<LPARAM>(oldHandle));
    return true;
}

void ActivateOtherWindow(Window& leaving) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    if (ActiveWindowRecord() != &leaving)
        return;
    auto usable = [&](Window* w) {
        return w && w != &leaving && w->life == WindowLife::Alive && w->IsVisibleStyle() &&
               !(w->style & WS_DISABLED) && !(w->exStyle & WS_EX_NOACTIVATE) && !IsAncestorOf(leaving, *w);
    };
    Window* next = usable(leaving.owner) ? leaving.owner : nullptr;
    if (!next) {
        for (Window* w : DesktopWindow().children) {
            if (usable(w) && w->owner != &leaving) {
                next = w;
                break;
            }
        }
    }
    if (!ActivateWindow(next, WA_ACTIVE, false) && next)
        ActivateWindow(nullptr, WA_ACTIVE, false);
}

bool SetFocusTo(Window* target) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    FocusState& state = State();
    Window* old = FocusWindowRecord();
    HWND oldHandle = old ? old->handle : nullptr;
    if (!target) {
        if (!old)
            return true;
        if (CallHookChain(WH_CBT, HCBT_SETFOCUS, 0, reinterpret_cast<LPARAM>(oldHandle)))
            return false;
        state.focus = nullptr;
        SendToWindow(*old, WM_KILLFOCUS, 0, 0);
        return true;
    }
    if (target == old)
        return true;
    HWND targetHandle = target->handle;
    if (CallHookChain(WH_CBT, HCBT_SETFOCUS, reinterpret_cast<WPARAM>(targetHandle),
                      reinterpret_cast<LPARAM>(oldHandle)))
        return false;
    Window* top = TopLevelOf(*target);
    if (top && top != ActiveWindowRecord()) {
        if (!ActivateWindow(top, WA_ACTIVE, false))
            return false;
        target = FindLiveWindow(targetHandle);
        if (!target)
            return false;
        old = FocusWindowRecord();
        oldHandle = old ? old->handle : nullptr;
        if (target == old)
            return true;
    }
    if (old)
        SendToWindow(*old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(targetHandle), 0);
    target = FindLiveWindow(targetHandle);
    if (!target)
        return false;
    state.focus = targetHandle;
    SendToWindow(*target, WM_SETFOCUS, reinterpret_cast<WPARAM>(oldHandle), 0);
    return true;
}

} // namespace platform

using platform::FindLiveWindow;
using platform::WindowFromHandle;

HWND SetFocus(HWND window) {
    platform::Window* old = platform::FocusWindowRecord();
    HWND oldHandle = old ? old->handle : nullptr;
    platform::Window* target = nullptr;
    if (window) {
        target = WindowFromHandle(window);
        if (!target || target->IsDesktop())
            return nullptr;
        if (platform::IsDisabledInChain(*target) || (target->style & WS_MINIMIZE))
            return nullptr;
    }
    if (!platform::SetFocusTo(target))
        return nullptr;
    return oldHandle;
}

HWND GetFocus() {
    platform::Window* focus = platform::FocusWindowRecord();
    return focus ? focus->handle : nullptr;
}

HWND SetActiveWindow(HWND window) {
    platform::Window* old = platform::ActiveWindowRecord();
    HWND oldHandle = old ? old->handle : nullptr;
    platform::Window* target = nullptr;
    if (window) {
        target = WindowFromHandle(window);
        if (!target)
            return nullptr;
        if (!target->IsTopLevel()) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
    }
    if (!platform::ActivateWindow(target, WA_ACTIVE, false))
        return nullptr;
    return oldHandle;
}

HWND GetActiveWindow() {
    platform::Window* active = platform::ActiveWindowRecord();
    return active ? active->handle : nullptr;
}

BOOL SetForegroundWindow(HWND window) {
    platform::Window* target = WindowFromHandle(window);
    if (!target || target->IsDesktop())
        return FALSE;
    platform::Window* top = platform::TopLevelOf(*target);
    if (!top || !platform::ActivateWindow(top, WA_ACTIVE, false))
        return FALSE;
    return TRUE;
}

HWND GetForegroundWindow() {
    return GetActiveWindow();
}
