// Per-window data: the Get/SetWindowLong values, text, properties, the enabled state and the
// character set of the window procedure.

#include "platform/base/CodePage.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/user/AtomTable.h"
#include "platform/user/ExtraBytes.h"
#include "platform/user/TextBuffers.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowManager.h"
#include "platform/user/WindowProcedures.h"

#include <algorithm>

namespace platform {

namespace {

LONG_PTR GetValue(HWND handle, int index, bool unicode, bool pointerSized) {
    Window* window = WindowFromHandle(handle);
    if (!window)
        return 0;
    if (index >= 0)
        return ReadExtraValue(window->extraBytes, index, pointerSized);
    switch (index) {
    case GWLP_WNDPROC:
        return pointerSized ? ProcedureValue(window->procedure, unicode) : ProcedureCookie(window->procedure);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(window->instance);
    case GWLP_HWNDPARENT:
        if (window->IsChild())
            return window->parent ? reinterpret_cast<LONG_PTR>(window->parent->handle) : 0;
        return window->owner ? reinterpret_cast<LONG_PTR>(window->owner->handle) : 0;
    case GWLP_ID:
        return window->id;
    case GWL_STYLE:
        return static_cast<LONG>(window->style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(window->exStyle);
    case GWLP_USERDATA:
        return window->userData;
    default:
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
}

// Style changes are announced before and after, and the window may adjust the new value.
LONG_PTR ChangeStyle(Window& window, int index, DWORD requested) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    HWND handle = window.handle;
    DWORD& field = index == GWL_STYLE ? window.style : window.exStyle;
    DWORD old = field;
    STYLESTRUCT change{old, requested};
    SendToWindow(window, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    if (!FindLiveWindow(handle))
        return 0;
    DWORD updated = change.styleNew;
    // Topmost is set through SetWindowPos only.
    if (index == GWL_EXSTYLE)
        updated = (updated & ~WS_EX_TOPMOST) | (old & WS_EX_TOPMOST);
    field = updated;
    change.styleOld = old;
    change.styleNew = updated;
    SendToWindow(window, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    return static_cast<LONG>(old);
}

LONG_PTR SetValue(HWND handle, int index, LONG_PTR value, bool unicode, bool pointerSized) {
    Window* window = WindowFromHandle(handle);
    if (!window)
        return 0;
    if (window->IsDesktop()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    if (index >= 0) {
        LONG_PTR previous = ReadExtraValue(window->extraBytes, index, pointerSized);
        if (!WriteExtraValue(window->extraBytes, index, value, pointerSized))
            return 0;
        SetLastError(ERROR_SUCCESS);
        return previous;
    }
    LONG_PTR previous = GetValue(handle, index, unicode, pointerSized);
    switch (index) {
    case GWLP_WNDPROC: {
        // The new procedure's character set is the one of the call, unless a cookie names it.
        auto procedure = ProcedureFromValue(value, unicode);
        // Through the 32-bit calls only cookies can name a procedure.
        if (!procedure || (!pointerSized && !IsProcedureCookie(value))) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        window->procedure = *procedure;
        window->pendingLeadByte = 0;
        return previous;
    }
    case GWLP_HINSTANCE:
        window->instance = reinterpret_cast<HINSTANCE>(value);
        return previous;
    case GWLP_HWNDPARENT:
        if (!window->IsChild()) {
            Window* owner = value ? WindowFromHandle(reinterpret_cast<HWND>(value)) : nullptr;
            if (value && !owner)
                return 0;
            window->owner = owner && !owner->IsDesktop() ? TopLevelOf(*owner) : nullptr;
        }
        return previous;
    case GWLP_ID:
        window->id = value;
        return previous;
    case GWL_STYLE:
    case GWL_EXSTYLE:
        return ChangeStyle(*window, index, static_cast<DWORD>(value));
    case GWLP_USERDATA:
        window->userData = value;
        SetLastError(ERROR_SUCCESS);
        return previous;
    default:
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
}

Window::Property* FindProperty(Window& window, ATOM atom) {
    auto it = std::find_if(window.properties.begin(), window.properties.end(),
                           [&](const Window::Property& p) { return p.atom == atom; });
    return it == window.properties.end() ? nullptr : &*it;
}

BOOL SetProperty(HWND handle, const AtomName& name, HANDLE data) {
    Window* window = WindowFromHandle(handle);
    if (!window)
        return FALSE;
    ATOM atom = name.atom ? name.atom : GlobalAtoms().Find(name.text);
    if (atom) {
        if (Window::Property* existing = FindProperty(*window, atom)) {
            existing->data = data;
            return TRUE;
        }
    }
    bool owns = false;
    if (!name.atom) {
        atom = GlobalAtoms().Add(name.text);
        if (!atom)
            return FALSE;
        owns = true;
    }
    window->properties.push_back({atom, owns, data});
    return TRUE;
}

HANDLE GetProperty(HWND handle, const AtomName& name) {
    Window* window = WindowFromHandle(handle);
    if (!window)
        return nullptr;
    ATOM atom = name.atom ? name.atom : GlobalAtoms().Find(name.text);
    Window::Property* property = atom ? FindProperty(*window, atom) : nullptr;
    return property ? property->data : nullptr;
}

HANDLE RemoveProperty(HWND handle, const AtomName& name) {
    Window* window = WindowFromHandle(handle);
    if (!window)
        return nullptr;
    ATOM atom = name.atom ? name.atom : GlobalAtoms().Find(name.text);
    auto it = std::find_if(window->properties.begin(), window->properties.end(),
                           [&](const Window::Property& p) { return p.atom == atom; });
    if (!atom || it == window->properties.end())
        return nullptr;
    HANDLE data = it->data;
    if (it->ownsAtom)
        GlobalAtoms().Delete(atom);
    window->properties.erase(it);
    return data;
}

} // namespace

} // namespace platform

using platform::FindLiveWindow;
using platform::MessageCallScope;
using platform::Window;
using platform::WindowFromHandle;

LONG GetWindowLongA(HWND window, int index) {
    return static_cast<LONG>(platform::GetValue(window, index, false, false));
}

LONG GetWindowLongW(HWND window, int index) {
    return static_cast<LONG>(platform::GetValue(window, index, true, false));
}

LONG_PTR GetWindowLongPtrA(HWND window, int index) {
    return platform::GetValue(window, index, false, true);
}

LONG_PTR GetWindowLongPtrW(HWND window, int index) {
    return platform::GetValue(window, index, true, true);
}

LONG SetWindowLongA(HWND window, int index, LONG value) {
    return static_cast<LONG>(platform::SetValue(window, index, value, false, false));
}

LONG SetWindowLongW(HWND window, int index, LONG value) {
    return static_cast<LONG>(platform::SetValue(window, index, value, true, false));
}

LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value) {
    return platform::SetValue(window, index, value, false, true);
}

LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
    return platform::SetValue(window, index, value, true, true);
}

BOOL IsWindowUnicode(HWND handle) {
    Window* window = WindowFromHandle(handle);
    return window && window->procedure.unicode ? TRUE : FALSE;
}

int GetWindowTextA(HWND window, LPSTR buffer, int size) {
    if (!WindowFromHandle(window))
        return 0;
    if (!buffer || size <= 0)
        return 0;
    buffer[0] = '\0';
    return static_cast<int>(
        SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextW(HWND window, LPWSTR buffer, int size) {
    if (!WindowFromHandle(window))
        return 0;
    if (!buffer || size <= 0)
        return 0;
    buffer[0] = u'\0';
    return static_cast<int>(
        SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthA(HWND window) {
    if (!WindowFromHandle(window))
        return 0;
    return static_cast<int>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
}

int GetWindowTextLengthW(HWND window) {
    if (!WindowFromHandle(window))
        return 0;
    return static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
}

BOOL SetWindowTextA(HWND window, LPCSTR text) {
    if (!WindowFromHandle(window))
        return FALSE;
    return SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

BOOL SetWindowTextW(HWND window, LPCWSTR text) {
    if (!WindowFromHandle(window))
        return FALSE;
    return SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

BOOL SetPropA(HWND window, LPCSTR name, HANDLE data) {
    return platform::SetProperty(window, platform::AtomName::From(name), data);
}

BOOL SetPropW(HWND window, LPCWSTR name, HANDLE data) {
    return platform::SetProperty(window, platform::AtomName::From(name), data);
}

HANDLE GetPropA(HWND window, LPCSTR name) {
    return platform::GetProperty(window, platform::AtomName::From(name));
}

HANDLE GetPropW(HWND window, LPCWSTR name) {
    return platform::GetProperty(window, platform::AtomName::From(name));
}

HANDLE RemovePropA(HWND window, LPCSTR name) {
    return platform::RemoveProperty(window, platform::AtomName::From(name));
}

HANDLE RemovePropW(HWND window, LPCWSTR name) {
    return platform::RemoveProperty(window, platform::AtomName::From(name));
}

int EnumPropsA(HWND handle, PROPENUMPROCA callback) {
    Window* window = WindowFromHandle(handle);
    if (!window || !callback)
        return -1;
    // A snapshot: the callback may remove properties as it goes.
    std::vector<Window::Property> properties = window->properties;
    int last = -1;
    for (const Window::Property& property : properties) {
        std::string name;
        LPCSTR key = MAKEINTATOM(property.atom);
        if (property.atom >= platform::AtomTable::FirstStringAtom) {
            name = platform::Utf16ToGbk(platform::GlobalAtoms().Name(property.atom).value_or(u""));
            key = name.c_str();
        }
        last = callback(handle, key, property.data);
        if (!last || !FindLiveWindow(handle))
            break;
    }
    return last;
}

BOOL IsWindowEnabled(HWND handle) {
    Window* window = WindowFromHandle(handle);
    return window && !(window->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND handle, BOOL enable) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    Window* window = WindowFromHandle(handle);
    if (!window)
        return FALSE;
    bool wasDisabled = (window->style & WS_DISABLED) != 0;
    if (enable && wasDisabled) {
        window->style &= ~WS_DISABLED;
        platform::SendToWindow(*window, WM_ENABLE, TRUE, 0);
    } else if (!enable && !wasDisabled) {
        platform::SendToWindow(*window, WM_CANCELMODE, 0, 0);
        if (!FindLiveWindow(handle))
            return FALSE;
        window->style |= WS_DISABLED;
        Window* focus = platform::FocusWindowRecord();
        if (focus && (focus == window || platform::IsAncestorOf(*window, *focus)))
            platform::SetFocusTo(nullptr);
        if (FindLiveWindow(handle))
            platform::SendToWindow(*window, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled ? TRUE : FALSE;
}
