// The "MDICLIENT" class: the window inside a frame that holds the document windows. It makes
// and destroys them (WM_MDICREATE, WM_MDIDESTROY), keeps one of them active, maximises and
// arranges them on request, and lists them in the frame's window menu.

#include "platform/user/mdi/MdiClient.h"

#include "platform/gdi/WinUserDraw.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowClass.h"
#include "platform/user/mdi/MdiChild.h"

#include <algorithm>
#include <map>
#include <memory>

namespace platform {

namespace {

std::map<HWND, std::unique_ptr<MdiClientState>>& Clients() {
    static std::map<HWND, std::unique_ptr<MdiClientState>> clients;
    return clients;
}

DWORD StyleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
}

std::u16string TextOf(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::u16string text(static_cast<std::size_t>(std::max(length, 0)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

// Where a child placed by default goes: one caption lower and further right than the one
// before, starting again at the top-left when it would leave the client area.
RECT DefaultChildPlace(MdiClientState& state, const MDICREATESTRUCTW& create) {
    RECT client{};
    GetClientRect(state.client, &client);
    int width = create.cx == CW_USEDEFAULT ? client.right * 3 / 4 : create.cx;
    int height = create.cx == CW_USEDEFAULT ? client.bottom * 3 / 4 : create.cy;
    int x = create.x;
    int y = create.y;
    if (create.x == CW_USEDEFAULT) {
        int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYSIZEFRAME);
        int offset = step * state.cascadeIndex;
        if (offset + std::min(width, client.right) / 2 > client.right ||
            offset + std::min(height, client.bottom) / 2 > client.bottom) {
            state.cascadeIndex = 0;
            offset = 0;
        }
        ++state.cascadeIndex;
        x = y = offset;
    }
    return {x, y, x + std::max(width, 0), y + std::max(height, 0)};
}

HWND CreateChild(MdiClientState& state, const MDICREATESTRUCTW& create) {
    constexpr DWORD ChosenStyles = WS_MINIMIZE | WS_MAXIMIZE | WS_HSCROLL | WS_VSCROLL;
    DWORD style = create.style;
    bool show = true;
    if (StyleOf(state.client) & MDIS_ALLCHILDSTYLES)
        show = (style & WS_VISIBLE) != 0;
    else
        style = (style & ChosenStyles) | WS_OVERLAPPEDWINDOW;
    // A new child joins a maximised one maximised.
    bool maximize = (style & WS_MAXIMIZE) || MaximizedMdiChild(state);
    bool minimize = (style & WS_MINIMIZE) && !maximize;
    style =
        (style | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN) & ~(WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE);
    RECT place = DefaultChildPlace(state, create);
    UINT id = state.firstChildId + static_cast<UINT>(state.children.size());
    HWND child =
        CreateWindowExW(WS_EX_MDICHILD, create.szClass, create.szTitle, style, place.left, place.top,
                        place.right - place.left, place.bottom - place.top, state.client,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                        static_cast<HINSTANCE>(create.hOwner), const_cast<MDICREATESTRUCTW*>(&create));
    if (!child || !MdiClientOf(state.client))
        return nullptr;
    state.children.push_back(child);
    RefreshWindowMenu(state);
    if (!show)
        return child;
    ShowWindow(child, maximize ? SW_SHOWMAXIMIZED : minimize ? SW_SHOWMINIMIZED : SW_SHOW);
    if (IsWindow(child))
        ActivateMdiChild(state, child);
    return IsWindow(child) ? child : nullptr;
}

void DestroyChild(MdiClientState& state, HWND child) {
    HWND client = state.client;
    ForgetMdiChild(state, child);
    DestroyWindow(child);
    MdiClientState* alive = MdiClientOf(client);
    if (alive && alive->active && GetActiveWindow() == alive->frame && !IsChild(alive->active, GetFocus()))
        SetFocus(alive->active);
}

// WM_MDINEXT: the next child comes forward and the one that was active goes to the back, so
// that repeating the step visits every child; the previous one is the child at the back.
void ActivateNext(MdiClientState& state, HWND from, bool previous) {
    if (!from)
        from = state.active;
    HWND target = NextMdiChild(state, from, previous);
    if (!target)
        return;
    HWND client = state.client;
    ActivateMdiChild(state, target);
    if (!previous && MdiClientOf(client) && IsWindow(from))
        SetWindowPos(from, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// WM_MDISETMENU: the child list and a maximised child's buttons move to the new menus.
LRESULT SetMenus(MdiClientState& state, HMENU frameMenu, HMENU windowMenu) {
    HMENU previous = GetMenu(state.frame);
    if (windowMenu && windowMenu != state.windowMenu) {
        if (state.windowMenu)
            RemoveWindowList(state, state.windowMenu);
        state.windowMenu = windowMenu;
    }
    if (frameMenu && frameMenu != previous) {
        RemoveMaximizedButtons(state);
        SetMenu(state.frame, frameMenu);
    }
    RefreshWindowMenu(state);
    UpdateMaximizedDecorations(state);
    return reinterpret_cast<LRESULT>(previous);
}

void RestoreMaximized(MdiClientState& state) {
    if (HWND maximized = MaximizedMdiChild(state))
        ShowWindow(maximized, SW_SHOWNOACTIVATE);
}

void OnCreate(HWND client, const CREATESTRUCTW* create) {
    auto state = std::make_unique<MdiClientState>();
    state->client = client;
    state->frame = GetParent(client);
    if (create && create->lpCreateParams) {
        const auto* parameters = static_cast<const CLIENTCREATESTRUCT*>(create->lpCreateParams);
        state->windowMenu = static_cast<HMENU>(parameters->hWindowMenu);
        state->firstChildId = parameters->idFirstChild;
    }
    state->frameTitle = TextOf(state->frame);
    Clients()[client] = std::move(state);
}

void OnDestroy(MdiClientState& state) {
    RemoveMaximizedButtons(state);
    if (state.windowMenu)
        RemoveWindowList(state, state.windowMenu);
    state.active = nullptr;
    SetFrameTitle(state, state.frameTitle);
}

LRESULT CALLBACK ClientProcedure(HWND client, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE)
        OnCreate(client, reinterpret_cast<const CREATESTRUCTW*>(lParam));
    MdiClientState* state = MdiClientOf(client);
    if (!state)
        return DefWindowProcW(client, message, wParam, lParam);
    HWND child = reinterpret_cast<HWND>(wParam);
    bool ours = std::find(state->children.begin(), state->children.end(), child) != state->children.end();
    switch (message) {
    case WM_MDICREATE:
        return lParam ? reinterpret_cast<LRESULT>(
                            CreateChild(*state, *reinterpret_cast<MDICREATESTRUCTW*>(lParam)))
                      : 0;
    case WM_MDIDESTROY:
        if (ours)
            DestroyChild(*state, child);
        return 0;
    case WM_MDIACTIVATE:
        if (ours)
            ActivateMdiChild(*state, child);
        return 0;
    case WM_MDIGETACTIVE:
        if (lParam)
            *reinterpret_cast<BOOL*>(lParam) = MaximizedMdiChild(*state) ? TRUE : FALSE;
        return reinterpret_cast<LRESULT>(state->active);
    case WM_MDINEXT:
        ActivateNext(*state, ours ? child : nullptr, lParam != 0);
        return 0;
    case WM_MDIMAXIMIZE:
        if (ours)
            ShowWindow(child, SW_SHOWMAXIMIZED);
        return 0;
    case WM_MDIRESTORE:
        if (ours)
            ShowWindow(child, SW_RESTORE);
        return 0;
    case WM_MDICASCADE:
        RestoreMaximized(*state);
        return CascadeWindows(client, static_cast<UINT>(wParam), nullptr, 0, nullptr) != 0;
    case WM_MDITILE:
        RestoreMaximized(*state);
        return TileWindows(client, static_cast<UINT>(wParam), nullptr, 0, nullptr) != 0;
    case WM_MDIICONARRANGE:
        ArrangeIconicWindows(client);
        return 0;
    case WM_MDISETMENU:
        return SetMenus(*state, reinterpret_cast<HMENU>(wParam), reinterpret_cast<HMENU>(lParam));
    case WM_MDIREFRESHMENU:
        // The menus may have been made anew without the list and the buttons: both go in again.
        RemoveMaximizedButtons(*state);
        RefreshWindowMenu(*state);
        UpdateMaximizedDecorations(*state);
        return reinterpret_cast<LRESULT>(GetMenu(state->frame));
    case WM_SIZE:
        if (HWND maximized = MaximizedMdiChild(*state)) {
            RECT place = MaximizedChildRect(maximized);
            SetWindowPos(maximized, nullptr, place.left, place.top, place.right - place.left,
                         place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        break;
    case WM_SETFOCUS:
        if (state->active && IsWindow(state->active) && !(StyleOf(state->active) & WS_MINIMIZE))
            SetFocus(state->active);
        return 0;
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_DESTROY) {
            ForgetMdiChild(*state, reinterpret_cast<HWND>(lParam));
        } else if (LOWORD(wParam) == WM_LBUTTONDOWN || LOWORD(wParam) == WM_RBUTTONDOWN ||
                   LOWORD(wParam) == WM_MBUTTONDOWN) {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            HWND clicked = ChildWindowFromPointEx(client, at, CWP_SKIPINVISIBLE);
            if (clicked && clicked != client && MdiClientOfChild(clicked) == state)
                ActivateMdiChild(*state, clicked);
        }
        return 0;
    case WM_DESTROY:
        OnDestroy(*state);
        break;
    case WM_NCDESTROY:
        Clients().erase(client);
        break;
    default:
        break;
    }
    return DefWindowProcW(client, message, wParam, lParam);
}

} // namespace

void RegisterMdiClientClass() {
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.lpfnWndProc = ClientProcedure;
    description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    description.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_APPWORKSPACE + 1));
    description.lpszClassName = u"" MDICLIENT_CLASS_NAME;
    RegisterSystemClass(description);
}

MdiClientState* MdiClientOf(HWND client) {
    auto it = Clients().find(client);
    return it == Clients().end() ? nullptr : it->second.get();
}

MdiClientState* MdiClientOfChild(HWND child) {
    MdiClientState* state = MdiClientOf(GetParent(child));
    if (!state || std::find(state->children.begin(), state->children.end(), child) == state->children.end())
        return nullptr;
    return state;
}

HWND MaximizedMdiChild(const MdiClientState& state) {
    return state.active && IsWindow(state.active) && IsZoomed(state.active) ? state.active : nullptr;
}

void ActivateMdiChild(MdiClientState& state, HWND child) {
    if (child == state.active)
        return;
    HWND client = state.client;
    HWND previous = state.active && IsWindow(state.active) ? state.active : nullptr;
    bool handOverMaximized = previous && child && IsZoomed(previous) && !IsZoomed(child);
    state.active = child;
    if (previous) {
        SendMessageW(previous, WM_NCACTIVATE, FALSE, 0);
        SendMessageW(previous, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(previous),
                     reinterpret_cast<LPARAM>(child));
        if (!MdiClientOf(client))
            return;
    }
    if (child && IsWindow(child)) {
        if (handOverMaximized && IsWindow(previous)) {
            ShowWindow(previous, SW_SHOWNOACTIVATE);
            ShowWindow(child, SW_SHOWMAXIMIZED);
        }
        SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        bool frameActive = GetActiveWindow() == state.frame;
        SendMessageW(child, WM_NCACTIVATE, frameActive ? TRUE : FALSE, 0);
        SendMessageW(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(previous),
                     reinterpret_cast<LPARAM>(child));
        if (frameActive && IsWindow(child) && child != GetFocus() && !IsChild(child, GetFocus()))
            SetFocus(child);
    }
    if (MdiClientState* alive = MdiClientOf(client)) {
        RefreshWindowMenu(*alive);
        UpdateMaximizedDecorations(*alive);
    }
}

HWND NextMdiChild(const MdiClientState& state, HWND from, bool previous) {
    std::vector<HWND> order;
    for (HWND w = GetWindow(state.client, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        bool listed = std::find(state.children.begin(), state.children.end(), w) != state.children.end();
        if (w == from || (listed && IsWindowVisible(w) && IsWindowEnabled(w)))
            order.push_back(w);
    }
    if (order.empty() || (order.size() == 1 && order[0] == from))
        return nullptr;
    if (previous)
        return order.back() != from ? order.back() : order[order.size() - 2];
    auto at = std::find(order.begin(), order.end(), from);
    if (at == order.end() || ++at == order.end())
        at = order.begin();
    return *at != from ? *at : nullptr;
}

void ForgetMdiChild(MdiClientState& state, HWND child) {
    auto it = std::find(state.children.begin(), state.children.end(), child);
    if (it == state.children.end())
        return;
    bool wasActive = state.active == child;
    bool wasMaximized = wasActive && IsZoomed(child);
    HWND next = wasActive ? NextMdiChild(state, child, false) : nullptr;
    if (state.buttonsChild == child)
        RemoveMaximizedButtons(state);
    state.children.erase(it);
    for (std::size_t i = 0; i < state.children.size(); ++i)
        SetWindowLongPtrW(state.children[i], GWLP_ID, static_cast<LONG_PTR>(state.firstChildId + i));
    if (wasActive) {
        state.active = nullptr;
        HWND client = state.client;
        if (next) {
            if (wasMaximized)
                ShowWindow(next, SW_SHOWMAXIMIZED);
            if (MdiClientState* alive = MdiClientOf(client))
                ActivateMdiChild(*alive, next);
        }
        if (!MdiClientOf(client))
            return;
    }
    RefreshWindowMenu(state);
    UpdateMaximizedDecorations(state);
}

} // namespace platform
