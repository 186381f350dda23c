#include "platform/user/Window.h"

#include "platform/base/HandleTable.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/display/Display.h"
#include "platform/gdi/SurfaceDC.h"

namespace platform {

namespace {

struct Registry {
    // Window handles start high so they never look like another kind of handle.
    HandleTable<Window> windows{0x10020};
    std::vector<std::unique_ptr<Window>> retired;
    int callDepth = 0;
    Window* desktop = nullptr; // owned by the table like every window, never retired
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

HWND ToHandle(std::uintptr_t value) {
    return reinterpret_cast<HWND>(value);
}

std::uintptr_t FromHandle(HWND handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

void FreeRetired() {
    Registry& registry = TheRegistry();
    // Freeing may not call back into message code, but take the list first all the same.
    std::vector<std::unique_ptr<Window>> retired = std::move(registry.retired);
    retired.clear();
}

} // namespace

Window* FindLiveWindow(HWND handle) {
    if (!handle)
        return nullptr;
    DesktopWindow();
    Window* window = TheRegistry().windows.Find(FromHandle(handle));
    return window && window->IsAlive() ? window : nullptr;
}

Window* WindowFromHandle(HWND handle) {
    Window* window = FindLiveWindow(handle);
    if (!window)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return window;
}

Window& DesktopWindow() {
    Registry& registry = TheRegistry();
    if (!registry.desktop) {
        auto desktop = std::make_unique<Window>();
        desktop->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
        SIZE screen = Display().ScreenSize();
        // GetDeviceCaps reports the screen the desktop covers.
        SetScreenSize(screen.cx, screen.cy);
        desktop->windowRect = {0, 0, screen.cx, screen.cy};
        desktop->clientRect = desktop->windowRect;
        registry.desktop = desktop.get();
        InsertWindow(std::move(desktop));
    }
    return *registry.desktop;
}

HWND InsertWindow(std::unique_ptr<Window> window) {
    Window* raw = window.get();
    raw->handle = ToHandle(TheRegistry().windows.Insert(std::move(window)));
    return raw->handle;
}

void RetireWindow(Window& window) {
    Registry& registry = TheRegistry();
    window.life = WindowLife::Destroyed;
    std::unique_ptr<Window> record = registry.windows.Remove(FromHandle(window.handle));
    if (record)
        registry.retired.push_back(std::move(record));
    if (registry.callDepth == 0)
        FreeRetired();
}

std::vector<HWND> AllWindowHandles() {
    std::vector<HWND> handles;
    TheRegistry().windows.ForEach([&](std::uintptr_t value, const Window& window) {
        if (window.IsAlive())
            handles.push_back(ToHandle(value));
    });
    return handles;
}

MessageCallScope::MessageCallScope() {
    ++TheRegistry().callDepth;
}

MessageCallScope::~MessageCallScope() {
    Registry& registry = TheRegistry();
    if (--registry.callDepth == 0 && !registry.retired.empty())
        FreeRetired();
}

POINT ClientOriginOnScreen(const Window& window) {
    POINT origin{window.clientRect.left, window.clientRect.top};
    for (const Window* ancestor = window.parent; ancestor && !ancestor->IsDesktop();
         ancestor = ancestor->parent) {
        origin.x += ancestor->clientRect.left;
        origin.y += ancestor->clientRect.top;
    }
    return origin;
}

namespace {

POINT ParentClientOrigin(const Window& window) {
    if (!window.parent || window.parent->IsDesktop())
        return {0, 0};
    return ClientOriginOnScreen(*window.parent);
}

RECT Offset(RECT rect, POINT by) {
    return {rect.left + by.x, rect.top + by.y, rect.right + by.x, rect.bottom + by.y};
}

} // namespace

RECT WindowRectOnScreen(const Window& window) {
    return Offset(window.windowRect, ParentClientOrigin(window));
}

RECT ClientRectOnScreen(const Window& window) {
    return Offset(window.clientRect, ParentClientOrigin(window));
}

bool IsReallyVisible(const Window& window) {
    for (const Window* w = &window; w; w = w->parent) {
        if (!w->IsVisibleStyle())
            return false;
    }
    return true;
}

bool IsAncestorOf(const Window& ancestor, const Window& window) {
    for (const Window* w = window.parent; w; w = w->parent) {
        if (w == &ancestor)
            return true;
    }
    return false;
}

Window* TopLevelOf(Window& window) {
    Window* w = &window;
    while (w->parent && !w->parent->IsDesktop())
        w = w->parent;
    return w->IsDesktop() ? nullptr : w;
}

} // namespace platform
