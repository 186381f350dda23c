// The window tree: parents, owners, z-order and the calls that walk them.

#include "platform/base/CodePage.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/display/Display.h"
#include "platform/user/AtomTable.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowClass.h"
#include "platform/user/WindowManager.h"
#include "platform/user/WindowProcedures.h"

#include <algorithm>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

namespace {

bool IsTopmost(const Window& window) {
    return window.IsTopLevel() && (window.exStyle & WS_EX_TOPMOST);
}

// Index of the first non-topmost window among the parent's children.
std::size_t FirstNonTopmost(const Window& parent) {
    std::size_t index = 0;
    while (index < parent.children.size() && IsTopmost(*parent.children[index]))
        ++index;
    return index;
}

} // namespace

void UnlinkFromParent(Window& window) {
    if (window.parent)
        std::erase(window.parent->children, &window);
}

void LinkIntoZOrder(Window& window, HWND insertAfter) {
    Window& parent = *window.parent;
    UnlinkFromParent(window);
    auto& siblings = parent.children;
    std::size_t position = 0;
    if (insertAfter == HWND_TOPMOST) {
        if (window.IsTopLevel())
            window.exStyle |= WS_EX_TOPMOST;
        position = 0;
    } else if (insertAfter == HWND_NOTOPMOST) {
        window.exStyle &= ~WS_EX_TOPMOST;
        position = FirstNonTopmost(parent);
    } else if (insertAfter == HWND_BOTTOM) {
        window.exStyle &= window.IsTopLevel() ? ~WS_EX_TOPMOST : ~0u;
        position = siblings.size();
    } else if (insertAfter == HWND_TOP) {
        position = IsTopmost(window) ? 0 : FirstNonTopmost(parent);
    } else {
        auto it = std::find_if(siblings.begin(), siblings.end(),
                               [&](Window* w) { return w->handle == insertAfter; });
        position = it == siblings.end() ? 0 : static_cast<std::size_t>(it - siblings.begin()) + 1;
        // A window keeps to its band: topmost windows above the others.
        std::size_t boundary = FirstNonTopmost(parent);
        if (IsTopmost(window))
            position = std::min(position, boundary);
        else
            position = std::max(position, boundary);
    }
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(std::min(position, siblings.size())),
                    &window);
}

void PublishStacking() {
    std::vector<HWND> order;
    for (Window* w : DesktopWindow().children)
        order.push_back(w->handle);
    Display().SurfacesRestacked(order);
}

void NotifyParents(Window& child, UINT event) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    Window* current = &child;
    WPARAM wParam = MAKEWPARAM(static_cast<WORD>(event), static_cast<WORD>(child.id));
    while (current->IsChild() && !(current->exStyle & WS_EX_NOPARENTNOTIFY) && current->parent &&
           !current->parent->IsDesktop()) {
        Window* parent = current->parent;
        HWND parentHandle = parent->handle;
        SendToWindow(*parent, WM_PARENTNOTIFY, wParam, reinterpret_cast<LPARAM>(child.handle));
        if (!FindLiveWindow(parentHandle))
            break;
        current = parent;
    }
}

} // namespace platform

using platform::FindLiveWindow;
using platform::MessageCallScope;
using platform::Window;
using platform::WindowFromHandle;

HWND GetDesktopWindow() {
    return platform::DesktopWindow().handle;
}

DWORD GetCurrentThreadId() {
    return static_cast<DWORD>(syscall(SYS_gettid));
}

DWORD GetWindowThreadProcessId(HWND window, LPDWORD processId) {
    if (!WindowFromHandle(window))
        return 0;
    if (processId)
        *processId = static_cast<DWORD>(getpid());
    return GetCurrentThreadId();
}

BOOL IsChild(HWND parent, HWND window) {
    Window* p = FindLiveWindow(parent);
    Window* w = FindLiveWindow(window);
    if (!p || !w)
        return FALSE;
    // Only the chain of child windows counts, not ownership or the desktop.
    for (Window* c = w; c->IsChild() && c->parent; c = c->parent) {
        if (c->parent == p)
            return TRUE;
    }
    return FALSE;
}

HWND GetParent(HWND window) {
    Window* w = WindowFromHandle(window);
    if (!w)
        return nullptr;
    if (w->IsChild())
        return w->parent && !w->parent->IsDesktop() ? w->parent->handle : nullptr;
    if ((w->style & WS_POPUP) && w->owner)
        return w->owner->handle;
    return nullptr;
}

HWND GetAncestor(HWND window, UINT flags) {
    Window* w = WindowFromHandle(window);
    if (!w || w->IsDesktop())
        return nullptr;
    switch (flags) {
    case GA_PARENT:
        return w->parent ? w->parent->handle : nullptr;
    case GA_ROOT:
        return platform::TopLevelOf(*w)->handle;
    case GA_ROOTOWNER: {
        Window* root = platform::TopLevelOf(*w);
        while (root->owner)
            root = root->owner;
        return root->handle;
    }
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HWND SetParent(HWND window, HWND newParent) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    Window* w = WindowFromHandle(window);
    if (!w || w->IsDesktop())
        return nullptr;
    Window* parent = newParent ? WindowFromHandle(newParent) : &platform::DesktopWindow();
    if (!parent)
        return nullptr;
    if (parent == w || platform::IsAncestorOf(*w, *parent)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Window* old = w->parent;
    HWND oldHandle = old->handle;
    if (old == parent)
        return oldHandle;
    bool visible = w->IsVisibleStyle();
    if (visible)
        ShowWindow(window, SW_HIDE);
    // The window keeps its place on the screen-relative grid of its new parent's client area.
    RECT rect = w->windowRect;
    bool wasTopLevel = w->IsTopLevel();
    platform::UnlinkFromParent(*w);
    w->parent = parent;
    if (!parent->IsDesktop())
        w->owner = nullptr;
    platform::LinkIntoZOrder(*w, HWND_TOP);
    if (wasTopLevel != w->IsTopLevel()) {
        if (wasTopLevel)
            platform::Display().SurfaceDestroyed(window);
        else
            platform::Display().SurfaceCreated(window, platform::WindowRectOnScreen(*w),
                                               (w->style & WS_POPUP) != 0);
    }
    platform::PlaceWindow(*w, HWND_TOP, rect.left, rect.top, 0, 0,
                          SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (visible && FindLiveWindow(window))
        ShowWindow(window, SW_SHOWNA);
    return oldHandle == GetDesktopWindow() ? GetDesktopWindow() : oldHandle;
}

HWND GetWindow(HWND window, UINT command) {
    Window* w = WindowFromHandle(window);
    if (!w)
        return nullptr;
    auto siblings = [&]() -> const std::vector<Window*>* {
        return w->parent ? &w->parent->children : nullptr;
    };
    switch (command) {
    case GW_CHILD:
        return w->children.empty() ? nullptr : w->children.front()->handle;
    case GW_OWNER:
        return w->owner ? w->owner->handle : nullptr;
    case GW_HWNDFIRST:
        return siblings() && !siblings()->empty() ? siblings()->front()->handle : window;
    case GW_HWNDLAST:
        return siblings() && !siblings()->empty() ? siblings()->back()->handle : window;
    case GW_HWNDNEXT:
    case GW_HWNDPREV: {
        if (!siblings())
            return nullptr;
        const auto& list = *siblings();
        auto it = std::find(list.begin(), list.end(), w);
        if (command == GW_HWNDNEXT)
            return it != list.end() && it + 1 != list.end() ? (*(it + 1))->handle : nullptr;
        return it != list.end() && it != list.begin() ? (*(it - 1))->handle : nullptr;
    }
    case GW_ENABLEDPOPUP:
        for (Window* top : platform::DesktopWindow().children) {
            if (top->owner == w && top->IsVisibleStyle() && !(top->style & WS_DISABLED))
                return top->handle;
        }
        return nullptr;
    default:
        SetLastError(ERROR_INVALID_GW_COMMAND);
        return nullptr;
    }
}

HWND GetTopWindow(HWND window) {
    if (!window)
        window = GetDesktopWindow();
    return GetWindow(window, GW_CHILD);
}

namespace {

void CollectDescendants(const Window& parent, std::vector<HWND>& out) {
    for (Window* child : parent.children) {
        out.push_back(child->handle);
        CollectDescendants(*child, out);
    }
}

// Calls back over a snapshot of handles, skipping windows destroyed meanwhile.
BOOL EnumerateHandles(const std::vector<HWND>& handles, WNDENUMPROC callback, LPARAM lParam) {
    for (HWND handle : handles) {
        if (!FindLiveWindow(handle))
            continue;
        if (!callback(handle, lParam))
            return FALSE;
    }
    return TRUE;
}

} // namespace

BOOL EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM lParam) {
    Window* p = parent ? WindowFromHandle(parent) : &platform::DesktopWindow();
    if (!p || !callback)
        return FALSE;
    std::vector<HWND> handles;
    CollectDescendants(*p, handles);
    return EnumerateHandles(handles, callback, lParam);
}

BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam) {
    if (!callback)
        return FALSE;
    std::vector<HWND> handles;
    for (Window* w : platform::DesktopWindow().children)
        handles.push_back(w->handle);
    return EnumerateHandles(handles, callback, lParam);
}

BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC callback, LPARAM lParam) {
    if (threadId != GetCurrentThreadId()) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    return EnumWindows(callback, lParam);
}

HWND FindWindowExA(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName) {
    Window* p = parent ? WindowFromHandle(parent) : &platform::DesktopWindow();
    if (!p)
        return nullptr;
    platform::AtomName wantedClass;
    if (className)
        wantedClass = platform::AtomName::From(className);
    std::u16string wantedName = windowName ? platform::GbkToUtf16(windowName) : std::u16string();
    bool started = childAfter == nullptr;
    for (Window* w : p->children) {
        if (!started) {
            started = w->handle == childAfter;
            continue;
        }
        if (className && w->windowClass) {
            bool sameClass = wantedClass.atom
                                 ? w->windowClass->atom == wantedClass.atom
                                 : platform::EqualNamesIgnoringCase(w->windowClass->name, wantedClass.text);
            if (!sameClass)
                continue;
        }
        if (windowName && w->text != wantedName)
            continue;
        return w->handle;
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
}

HWND FindWindowA(LPCSTR className, LPCSTR windowName) {
    return FindWindowExA(nullptr, nullptr, className, windowName);
}

int GetDlgCtrlID(HWND window) {
    Window* w = WindowFromHandle(window);
    if (!w || !w->IsChild())
        return 0;
    return static_cast<int>(w->id);
}

HWND GetDlgItem(HWND dialog, int id) {
    Window* d = WindowFromHandle(dialog);
    if (!d)
        return nullptr;
    for (Window* child : d->children) {
        if (static_cast<int>(child->id) == id)
            return child->handle;
    }
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
}
