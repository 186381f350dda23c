// Creating and destroying windows, with the messages and hooks in the platform's order.

#include "platform/base/CodePage.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/display/Display.h"
#include "platform/user/AtomTable.h"
#include "platform/user/Hooks.h"
#include "platform/user/Painting.h"
#include "platform/user/TextBuffers.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowClass.h"
#include "platform/user/WindowManager.h"
#include "platform/user/WindowProcedures.h"
#include "platform/user/menus/MenuCommands.h"

#include <algorithm>
#include <string>
#include <type_traits>

namespace platform {

namespace {

// What the caller asked for, in both character sets.
struct CreationRequest {
    DWORD exStyle;
    AtomName className;
    std::u16string name;
    LPCSTR nameResource; // an integer resource value in place of the name, or null
    DWORD style;
    int x, y, width, height;
    HWND parent;
    HMENU menu;
    HINSTANCE instance;
    LPVOID parameter;
    bool unicode;
};

// Both forms of the creation record, the texts they point to kept alive alongside.
struct CreationRecords {
    std::string nameA;
    std::u16string nameW;
    std::string classA;
    std::u16string classW;
    CREATESTRUCTA a{};
    CREATESTRUCTW w{};
};

void FillRecords(CreationRecords& records, const CreationRequest& request, const Window& window) {
    auto fill = [&](auto& cs) {
        cs.lpCreateParams = request.parameter;
        cs.hInstance = request.instance;
        cs.hMenu = request.menu;
        cs.hwndParent = request.parent;
        cs.x = window.windowRect.left;
        cs.y = window.windowRect.top;
        cs.cx = window.windowRect.right - window.windowRect.left;
        cs.cy = window.windowRect.bottom - window.windowRect.top;
        cs.style = static_cast<LONG>(request.style);
        cs.dwExStyle = window.exStyle;
    };
    fill(records.a);
    fill(records.w);
    if (request.nameResource) {
        records.a.lpszName = request.nameResource;
        records.w.lpszName = reinterpret_cast<LPCWSTR>(request.nameResource);
    } else {
        records.nameW = request.name;
        records.nameA = Utf16ToGbk(request.name);
        records.a.lpszName = records.nameA.c_str();
        records.w.lpszName = records.nameW.c_str();
    }
    if (request.className.atom) {
        records.a.lpszClass = MAKEINTATOM(request.className.atom);
        records.w.lpszClass = reinterpret_cast<LPCWSTR>(MAKEINTATOM(request.className.atom));
    } else {
        records.classW = request.className.text;
        records.classA = Utf16ToGbk(records.classW);
        records.a.lpszClass = records.classA.c_str();
        records.w.lpszClass = records.classW.c_str();
    }
}

// Hooks may move and size the new window through either form of the record.
void TakeHookChanges(CreationRecords& records, const CREATESTRUCTA& before, Window& window) {
    const auto changed = [&](const auto& cs) {
        return cs.x != before.x || cs.y != before.y || cs.cx != before.cx || cs.cy != before.cy;
    };
    auto apply = [&](const auto& cs) {
        window.windowRect = {cs.x, cs.y, cs.x + std::max(cs.cx, 0), cs.y + std::max(cs.cy, 0)};
        records.a.x = records.w.x = cs.x;
        records.a.y = records.w.y = cs.y;
        records.a.cx = records.w.cx = cs.cx;
        records.a.cy = records.w.cy = cs.cy;
    };
    if (changed(records.w))
        apply(records.w);
    else if (changed(records.a))
        apply(records.a);
}

// Default place and size of overlapped windows: cascaded from the top-left of the work area.
void ApplyDefaultPlacement(CreationRequest& request) {
    bool overlapped = !(request.style & (WS_CHILD | WS_POPUP));
    if (!overlapped) {
        if (request.x == CW_USEDEFAULT)
            request.x = request.y = 0;
        if (request.width == CW_USEDEFAULT)
            request.width = request.height = 0;
        return;
    }
    static int cascade = 0;
    RECT work = Display().WorkArea();
    if (request.x == CW_USEDEFAULT) {
        int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
        request.x = work.left + step * (cascade % 8);
        request.y = work.top + step * (cascade % 8);
        ++cascade;
    }
    if (request.width == CW_USEDEFAULT) {
        request.width = (work.right - work.left) * 3 / 4;
        request.height = (work.bottom - work.top) * 3 / 4;
    }
}

// Frees a window that never finished creation or whose destruction is complete.
void FreeWindowRecord(Window& window) {
    ReleaseInputOf(window);
    ForgetMenusOf(window);
    ForgetDCsOf(window);
    DestroyCaretOf(window.handle);
    KillTimersOf(window.handle);
    PurgeMessagesOf(window.handle);
    for (const Window::Property& property : window.properties) {
        if (property.ownsAtom)
            GlobalAtoms().Delete(property.atom);
    }
    window.properties.clear();
    bool topLevel = window.IsTopLevel();
    UnlinkFromParent(window);
    for (Window* top : DesktopWindow().children) {
        if (top->owner == &window)
            top->owner = nullptr;
    }
    if (window.windowClass)
        --window.windowClass->windowCount;
    if (topLevel) {
        Display().SurfaceDestroyed(window.handle);
        PublishStacking();
    }
    RetireWindow(window);
}

void SendDestroyMessages(Window& window) {
    HWND handle = window.handle;
    window.life = WindowLife::Destroying;
    SendToWindow(window, WM_DESTROY, 0, 0);
    if (!FindLiveWindow(handle))
        return;
    std::vector<HWND> children;
    for (Window* child : window.children)
        children.push_back(child->handle);
    for (HWND child : children) {
        Window* c = FindLiveWindow(child);
        if (c && c->life == WindowLife::Alive)
            SendDestroyMessages(*c);
    }
}

void SendFinalMessages(Window& window) {
    HWND handle = window.handle;
    std::vector<HWND> children;
    for (Window* child : window.children)
        children.push_back(child->handle);
    for (HWND child : children) {
        if (Window* c = FindLiveWindow(child))
            SendFinalMessages(*c);
    }
    Window* self = FindLiveWindow(handle);
    if (!self)
        return;
    SendToWindow(*self, WM_NCDESTROY, 0, 0);
    if ((self = FindLiveWindow(handle)))
        FreeWindowRecord(*self);
}

HWND Create(CreationRequest request) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    WindowClass* windowClass = FindWindowClass(request.className, request.instance);
    if (!windowClass)
        return nullptr;
    Window* parent = &DesktopWindow();
    Window* owner = nullptr;
    if (request.parent && request.parent != HWND_MESSAGE) {
        Window* given = WindowFromHandle(request.parent);
        if (!given)
            return nullptr;
        if (request.style & WS_CHILD)
            parent = given;
        else if (!given->IsDesktop())
            owner = TopLevelOf(*given);
    } else if (request.style & WS_CHILD) {
        SetLastError(ERROR_TLW_WITH_WSCHILD);
        return nullptr;
    }

    DWORD style = request.style;
    DWORD exStyle = request.exStyle;
    if (!(style & WS_CHILD)) {
        style |= WS_CLIPSIBLINGS;
        if (!(style & WS_POPUP))
            style |= WS_CAPTION;
    }
    if ((exStyle & WS_EX_DLGMODALFRAME) || (style & (WS_DLGFRAME | WS_THICKFRAME)))
        exStyle |= WS_EX_WINDOWEDGE;
    ApplyDefaultPlacement(request);

    auto record = std::make_unique<Window>();
    Window& window = *record;
    window.windowClass = windowClass;
    window.style = style & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
    window.exStyle = exStyle;
    window.parent = parent;
    window.owner = owner;
    window.windowRect = {request.x, request.y, request.x + std::max(request.width, 0),
                         request.y + std::max(request.height, 0)};
    window.clientRect = window.windowRect;
    window.procedure = windowClass->procedure;
    if (!request.unicode && windowClass->ansiProcedure)
        window.procedure = {windowClass->ansiProcedure, false};
    window.instance = request.instance;
    window.id = reinterpret_cast<LONG_PTR>(request.menu);
    window.extraBytes.assign(static_cast<std::size_t>(windowClass->windowExtraBytes), 0);
    window.placement.normalRect = window.windowRect;
    HWND handle = InsertWindow(std::move(record));
    ++windowClass->windowCount;
    // A child joins its siblings at the bottom, so that z-order from the top is creation order
    // (the order dialogs tab in); a top-level window comes on top of the others.
    const HWND place = window.IsChild() ? HWND_BOTTOM : HWND_TOP;
    LinkIntoZOrder(window, place);

    CreationRecords records;
    FillRecords(records, request, window);
    CREATESTRUCTA before = records.a;
    CBT_CREATEWNDA hookA{&records.a, place};
    CBT_CREATEWNDW hookW{&records.w, place};
    if (CallHookChain(WH_CBT, HCBT_CREATEWND, reinterpret_cast<WPARAM>(handle),
                      reinterpret_cast<LPARAM>(&hookA), reinterpret_cast<LPARAM>(&hookW))) {
        if (FindLiveWindow(handle))
            FreeWindowRecord(window);
        return nullptr;
    }
    if (!FindLiveWindow(handle))
        return nullptr;
    TakeHookChanges(records, before, window);
    HWND insertAfter = hookW.hwndInsertAfter != place ? hookW.hwndInsertAfter : hookA.hwndInsertAfter;
    if (insertAfter != place)
        LinkIntoZOrder(window, insertAfter);

    if ((window.style & WS_THICKFRAME) || !(window.style & (WS_POPUP | WS_CHILD))) {
        MINMAXINFO limits = AskMinMaxInfo(window);
        if (!FindLiveWindow(handle))
            return nullptr;
        RECT& r = window.windowRect;
        int width = std::clamp<int>(r.right - r.left, limits.ptMinTrackSize.x,
                                    std::max(limits.ptMinTrackSize.x, limits.ptMaxTrackSize.x));
        int height = std::clamp<int>(r.bottom - r.top, limits.ptMinTrackSize.y,
                                     std::max(limits.ptMinTrackSize.y, limits.ptMaxTrackSize.y));
        r.right = r.left + width;
        r.bottom = r.top + height;
        records.a.cx = records.w.cx = width;
        records.a.cy = records.w.cy = height;
    }
    window.placement.normalRect = window.windowRect;

    LPARAM createRecord =
        request.unicode ? reinterpret_cast<LPARAM>(&records.w) : reinterpret_cast<LPARAM>(&records.a);
    if (!SendToWindow(window, WM_NCCREATE, 0, createRecord, request.unicode)) {
        if (FindLiveWindow(handle)) {
            window.life = WindowLife::Destroying;
            SendToWindow(window, WM_NCDESTROY, 0, 0);
            if (FindLiveWindow(handle))
                FreeWindowRecord(window);
        }
        return nullptr;
    }
    if (!FindLiveWindow(handle))
        return nullptr;

    RECT client = window.windowRect;
    SendToWindow(window, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
    if (!FindLiveWindow(handle))
        return nullptr;
    window.clientRect = client;
    if (window.IsTopLevel()) {
        EnsureBackingStore(window);
        Display().SurfaceCreated(handle, WindowRectOnScreen(window), (window.style & WS_POPUP) != 0);
        PublishStacking();
    }

    if (SendToWindow(window, WM_CREATE, 0, createRecord, request.unicode) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    if (!FindLiveWindow(handle))
        return nullptr;

    SendToWindow(window, WM_SIZE, SIZE_RESTORED,
                 MAKELPARAM(static_cast<WORD>(window.clientRect.right - window.clientRect.left),
                            static_cast<WORD>(window.clientRect.bottom - window.clientRect.top)));
    if (!FindLiveWindow(handle))
        return nullptr;
    SendToWindow(
        window, WM_MOVE, 0,
        MAKELPARAM(static_cast<WORD>(window.clientRect.left), static_cast<WORD>(window.clientRect.top)));
    if (!FindLiveWindow(handle))
        return nullptr;

    NotifyParents(window, WM_CREATE);
    if (!FindLiveWindow(handle))
        return nullptr;

    if (request.style & WS_VISIBLE) {
        int command = (request.style & WS_MINIMIZE)   ? SW_SHOWMINIMIZED
                      : (request.style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                                                      : SW_SHOW;
        ShowWindow(handle, command);
    }
    return FindLiveWindow(handle) ? handle : nullptr;
}

// CreateWindowEx in either character set.
template <typename Char>
HWND CreateFromCaller(DWORD exStyle, const Char* className, const Char* windowName, DWORD style, int x, int y,
                      int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter) {
    constexpr bool unicode = std::is_same_v<Char, WCHAR>;
    CreationRequest request{};
    request.exStyle = exStyle;
    request.className = AtomName::From(className);
    if (windowName && IS_INTRESOURCE(windowName))
        request.nameResource = reinterpret_cast<LPCSTR>(windowName);
    else if constexpr (unicode)
        request.name = WideView(windowName);
    else
        request.name = WideFromAnsi(windowName);
    request.style = style;
    request.x = x;
    request.y = y;
    request.width = width;
    request.height = height;
    request.parent = parent;
    request.menu = menu;
    request.instance = instance;
    request.parameter = parameter;
    request.unicode = unicode;
    return Create(std::move(request));
}

} // namespace

} // namespace platform

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter) {
    return platform::CreateFromCaller(exStyle, className, windowName, style, x, y, width, height, parent,
                                      menu, instance, parameter);
}

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter) {
    return platform::CreateFromCaller(exStyle, className, windowName, style, x, y, width, height, parent,
                                      menu, instance, parameter);
}

BOOL DestroyWindow(HWND handle) {
    platform::MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    platform::Window* window = platform::WindowFromHandle(handle);
    if (!window)
        return FALSE;
    if (window->IsDesktop()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    // A second request while the first runs (from a message it sends) has nothing to add.
    if (window->life != platform::WindowLife::Alive || window->destroyRequested)
        return TRUE;
    if (platform::CallHookChain(WH_CBT, HCBT_DESTROYWND, reinterpret_cast<WPARAM>(handle), 0))
        return FALSE;
    if (!(window = platform::FindLiveWindow(handle)) || window->destroyRequested)
        return TRUE;
    window->destroyRequested = true;
    platform::NotifyParents(*window, WM_DESTROY);
    if (!(window = platform::FindLiveWindow(handle)) || window->life != platform::WindowLife::Alive)
        return TRUE;

    // Owned windows go first.
    std::vector<HWND> owned;
    for (platform::Window* top : platform::DesktopWindow().children) {
        if (top->owner == window)
            owned.push_back(top->handle);
    }
    for (HWND o : owned) {
        if (platform::FindLiveWindow(o))
            DestroyWindow(o);
    }
    if (!(window = platform::FindLiveWindow(handle)) || window->life != platform::WindowLife::Alive)
        return TRUE;

    if (window->IsVisibleStyle()) {
        platform::PlaceWindow(*window, nullptr, 0, 0, 0, 0,
                              SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (!(window = platform::FindLiveWindow(handle)) || window->life != platform::WindowLife::Alive)
            return TRUE;
    }
    window->life = platform::WindowLife::Destroying;
    platform::ActivateOtherWindow(*window);
    if ((window = platform::FindLiveWindow(handle)))
        platform::ReleaseInputOf(*window);
    if ((window = platform::FindLiveWindow(handle)))
        platform::SendDestroyMessages(*window);
    if ((window = platform::FindLiveWindow(handle)))
        platform::SendFinalMessages(*window);
    return TRUE;
}

BOOL IsWindow(HWND handle) {
    return platform::FindLiveWindow(handle) ? TRUE : FALSE;
}
