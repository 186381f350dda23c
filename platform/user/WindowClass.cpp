#include "platform/user/WindowClass.h"

#include "platform/base/CodePage.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/user/AtomTable.h"
#include "platform/user/ExtraBytes.h"
#include "platform/user/SystemClasses.h"
#include "platform/user/TextBuffers.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowProcedures.h"

#include <algorithm>
#include <memory>
#include <type_traits>

namespace platform {

namespace {

constexpr int MaxExtraBytes = 4096;

std::vector<std::unique_ptr<WindowClass>>& Classes() {
    static std::vector<std::unique_ptr<WindowClass>> classes;
    return classes;
}

bool Matches(const WindowClass& windowClass, const AtomName& name) {
    if (name.atom)
        return windowClass.atom == name.atom;
    return EqualNamesIgnoringCase(windowClass.name, name.text);
}

// The program's classes of the module first, then global ones, then the platform's.
WindowClass* Lookup(const AtomName& name, HINSTANCE instance, bool exactModule) {
    auto& classes = Classes();
    for (auto& c : classes) {
        if (!c->system && !(c->style & CS_GLOBALCLASS) && c->instance == instance && Matches(*c, name))
            return c.get();
    }
    if (exactModule)
        return nullptr;
    for (auto& c : classes) {
        if (!c->system && (c->style & CS_GLOBALCLASS) && Matches(*c, name))
            return c.get();
    }
    for (auto& c : classes) {
        if (c->system && Matches(*c, name))
            return c.get();
    }
    return nullptr;
}

struct Registration {
    UINT style;
    Procedure procedure;
    int classExtra;
    int windowExtra;
    HINSTANCE instance;
    HICON icon;
    HICON smallIcon;
    HCURSOR cursor;
    HBRUSH background;
    LONG_PTR menuName;
    std::u16string menuNameText;
    AtomName name;
    bool system;
    WNDPROC ansiProcedure = nullptr;
};

ATOM Register(Registration registration) {
    if (!registration.procedure.function || registration.name.atom || registration.name.text.empty() ||
        registration.classExtra < 0 || registration.classExtra > MaxExtraBytes ||
        registration.windowExtra < 0 || registration.windowExtra > MaxExtraBytes) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    bool global = registration.system || (registration.style & CS_GLOBALCLASS);
    for (auto& c : Classes()) {
        bool sameScope =
            global ? (c->system || (c->style & CS_GLOBALCLASS))
                   : (!c->system && !(c->style & CS_GLOBALCLASS) && c->instance == registration.instance);
        if (sameScope && Matches(*c, registration.name)) {
            SetLastError(ERROR_CLASS_ALREADY_EXISTS);
            return 0;
        }
    }
    ATOM atom = UserAtoms().Add(registration.name.text);
    if (!atom)
        return 0;
    auto windowClass = std::make_unique<WindowClass>();
    windowClass->name = registration.name.text;
    windowClass->atom = atom;
    windowClass->style = registration.style;
    windowClass->procedure = registration.procedure;
    windowClass->classExtraBytes = registration.classExtra;
    windowClass->windowExtraBytes = registration.windowExtra;
    windowClass->instance = registration.instance;
    windowClass->icon = registration.icon;
    windowClass->smallIcon = registration.smallIcon;
    windowClass->cursor = registration.cursor;
    windowClass->background = registration.background;
    windowClass->menuName = registration.menuName;
    windowClass->menuNameText = std::move(registration.menuNameText);
    windowClass->classExtra.assign(static_cast<std::size_t>(registration.classExtra), 0);
    windowClass->system = registration.system;
    windowClass->ansiProcedure = registration.ansiProcedure;
    Classes().push_back(std::move(windowClass));
    return atom;
}

template <typename Description>
Registration FromDescription(const Description& description, bool system) {
    constexpr bool unicode = std::is_same_v<decltype(description.lpszClassName), LPCWSTR>;
    Registration r{};
    r.style = description.style;
    r.procedure = {description.lpfnWndProc, unicode};
    r.classExtra = description.cbClsExtra;
    r.windowExtra = description.cbWndExtra;
    r.instance = description.hInstance;
    r.icon = description.hIcon;
    if constexpr (requires { description.hIconSm; })
        r.smallIcon = description.hIconSm;
    r.cursor = description.hCursor;
    r.background = description.hbrBackground;
    if (IS_INTRESOURCE(description.lpszMenuName)) {
        r.menuName = reinterpret_cast<LONG_PTR>(description.lpszMenuName);
    } else if constexpr (unicode) {
        r.menuNameText = WideView(description.lpszMenuName);
    } else {
        r.menuNameText = WideFromAnsi(description.lpszMenuName);
    }
    r.name = AtomName::From(description.lpszClassName);
    r.system = system;
    return r;
}

bool Unregister(const AtomName& name, HINSTANCE instance) {
    auto& classes = Classes();
    auto it = std::find_if(classes.begin(), classes.end(), [&](const auto& c) {
        return !c->system && Matches(*c, name) && (c->instance == instance || (c->style & CS_GLOBALCLASS));
    });
    if (it == classes.end()) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return false;
    }
    if ((*it)->windowCount > 0) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return false;
    }
    UserAtoms().Delete((*it)->atom);
    classes.erase(it);
    return true;
}

} // namespace

WindowClass* FindWindowClass(const AtomName& name, HINSTANCE instance) {
    EnsureSystemClasses();
    if (!name.atom && name.text.empty()) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    WindowClass* found = Lookup(name, instance, false);
    if (!found)
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return found;
}

ATOM RegisterSystemClass(const WNDCLASSEXW& description, WNDPROC ansiProcedure) {
    Registration registration = FromDescription(description, true);
    registration.ansiProcedure = ansiProcedure;
    return Register(std::move(registration));
}

ATOM RegisterSystemClass(const WNDCLASSEXA& description) {
    return Register(FromDescription(description, true));
}

namespace {

// The class's description as GetClassInfo and GetClassInfoEx hand it back, named by the
// caller's own pointer; the result is the class atom.
template <typename Info, typename Char>
BOOL DescribeClass(HINSTANCE instance, const Char* className, Info* info) {
    constexpr bool unicode = std::is_same_v<Char, WCHAR>;
    WindowClass* c = FindWindowClass(AtomName::From(className), instance);
    if (!c || !info) {
        SetLastError(c ? ERROR_INVALID_PARAMETER : ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    info->style = c->style;
    Procedure procedure = c->procedure;
    if (!unicode && c->ansiProcedure)
        procedure = {c->ansiProcedure, false};
    info->lpfnWndProc = reinterpret_cast<WNDPROC>(ProcedureValue(procedure, unicode));
    info->cbClsExtra = c->classExtraBytes;
    info->cbWndExtra = c->windowExtraBytes;
    info->hInstance = c->system ? nullptr : c->instance;
    info->hIcon = c->icon;
    info->hCursor = c->cursor;
    info->hbrBackground = c->background;
    // Names are handed back as the caller's own pointer would be: only ids survive.
    info->lpszMenuName = nullptr;
    if (c->menuName)
        info->lpszMenuName = reinterpret_cast<decltype(info->lpszMenuName)>(c->menuName);
    info->lpszClassName = className;
    if constexpr (!std::is_same_v<Info, WNDCLASSA>)
        info->hIconSm = c->smallIcon;
    return c->atom;
}

// RegisterClass and RegisterClassEx; the extended descriptions must state their own size.
template <typename Description>
ATOM RegisterDescribedClass(const Description* description) {
    bool sizeStated = true;
    if constexpr (requires { description->cbSize; })
        sizeStated = description && description->cbSize == sizeof(Description);
    if (!description || !sizeStated) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return Register(FromDescription(*description, false));
}

} // namespace

} // namespace platform

using platform::AtomName;

ATOM RegisterClassExA(const WNDCLASSEXA* description) {
    return platform::RegisterDescribedClass(description);
}

ATOM RegisterClassExW(const WNDCLASSEXW* description) {
    return platform::RegisterDescribedClass(description);
}

ATOM RegisterClassA(const WNDCLASSA* description) {
    return platform::RegisterDescribedClass(description);
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance) {
    return platform::Unregister(AtomName::From(className), instance) ? TRUE : FALSE;
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance) {
    return platform::Unregister(AtomName::From(className), instance) ? TRUE : FALSE;
}

BOOL GetClassInfoExA(HINSTANCE instance, LPCSTR className, WNDCLASSEXA* info) {
    return platform::DescribeClass(instance, className, info);
}

BOOL GetClassInfoExW(HINSTANCE instance, LPCWSTR className, WNDCLASSEXW* info) {
    return platform::DescribeClass(instance, className, info);
}

BOOL GetClassInfoA(HINSTANCE instance, LPCSTR className, WNDCLASSA* info) {
    return platform::DescribeClass(instance, className, info);
}

int GetClassNameA(HWND window, LPSTR buffer, int size) {
    platform::Window* w = platform::WindowFromHandle(window);
    if (!w || !w->windowClass)
        return 0;
    return platform::CopyToBuffer(platform::Utf16ToGbk(w->windowClass->name), buffer, size);
}

int GetClassNameW(HWND window, LPWSTR buffer, int size) {
    platform::Window* w = platform::WindowFromHandle(window);
    if (!w || !w->windowClass)
        return 0;
    return platform::CopyToBuffer(w->windowClass->name, buffer, size);
}

namespace {

LONG_PTR ClassValue(HWND window, int index, bool unicode, bool pointerSized) {
    platform::Window* w = platform::WindowFromHandle(window);
    if (!w || !w->windowClass)
        return 0;
    const platform::WindowClass& c = *w->windowClass;
    if (index >= 0)
        return platform::ReadExtraValue(c.classExtra, index, pointerSized);
    switch (index) {
    case GCL_STYLE:
        return static_cast<LONG>(c.style);
    case GCLP_WNDPROC:
        return pointerSized ? platform::ProcedureValue(c.procedure, unicode)
                            : platform::ProcedureCookie(c.procedure);
    case GCL_CBWNDEXTRA:
        return c.windowExtraBytes;
    case GCL_CBCLSEXTRA:
        return c.classExtraBytes;
    case GCLP_HBRBACKGROUND:
        return reinterpret_cast<LONG_PTR>(c.background);
    case GCLP_HCURSOR:
        return reinterpret_cast<LONG_PTR>(c.cursor);
    case GCLP_HICON:
        return reinterpret_cast<LONG_PTR>(c.icon);
    case GCLP_HICONSM:
        return reinterpret_cast<LONG_PTR>(c.smallIcon);
    case GCLP_HMODULE:
        return reinterpret_cast<LONG_PTR>(c.instance);
    case GCLP_MENUNAME:
        return c.menuName;
    case GCW_ATOM:
        return c.atom;
    default:
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
}

LONG_PTR SetClassValue(HWND window, int index, LONG_PTR value, bool unicode, bool pointerSized) {
    platform::Window* w = platform::WindowFromHandle(window);
    if (!w || !w->windowClass)
        return 0;
    platform::WindowClass& c = *w->windowClass;
    LONG_PTR previous = ClassValue(window, index, unicode, pointerSized);
    if (index >= 0)
        return platform::WriteExtraValue(c.classExtra, index, value, pointerSized) ? previous : 0;
    switch (index) {
    case GCL_STYLE:
        c.style = static_cast<UINT>(value);
        break;
    case GCLP_WNDPROC: {
        auto procedure = platform::ProcedureFromValue(value, unicode);
        // Through the 32-bit calls only cookies can name a procedure.
        if (!procedure || (!pointerSized && !platform::IsProcedureCookie(value))) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        c.procedure = *procedure;
        break;
    }
    case GCLP_HBRBACKGROUND:
        c.background = reinterpret_cast<HBRUSH>(value);
        break;
    case GCLP_HCURSOR:
        c.cursor = reinterpret_cast<HCURSOR>(value);
        break;
    case GCLP_HICON:
        c.icon = reinterpret_cast<HICON>(value);
        break;
    case GCLP_HICONSM:
        c.smallIcon = reinterpret_cast<HICON>(value);
        break;
    default:
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return previous;
}

} // namespace

DWORD GetClassLongA(HWND window, int index) {
    return static_cast<DWORD>(ClassValue(window, index, false, false));
}

DWORD GetClassLongW(HWND window, int index) {
    return static_cast<DWORD>(ClassValue(window, index, true, false));
}

ULONG_PTR GetClassLongPtrA(HWND window, int index) {
    return static_cast<ULONG_PTR>(ClassValue(window, index, false, true));
}

ULONG_PTR GetClassLongPtrW(HWND window, int index) {
    return static_cast<ULONG_PTR>(ClassValue(window, index, true, true));
}

DWORD SetClassLongA(HWND window, int index, LONG value) {
    return static_cast<DWORD>(SetClassValue(window, index, value, false, false));
}

DWORD SetClassLongW(HWND window, int index, LONG value) {
    return static_cast<DWORD>(SetClassValue(window, index, value, true, false));
}

ULONG_PTR SetClassLongPtrA(HWND window, int index, LONG_PTR value) {
    return static_cast<ULONG_PTR>(SetClassValue(window, index, value, false, true));
}

ULONG_PTR SetClassLongPtrW(HWND window, int index, LONG_PTR value) {
    return static_cast<ULONG_PTR>(SetClassValue(window, index, value, true, true));
}
