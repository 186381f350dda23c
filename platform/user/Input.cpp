// Routing the user's input: hardware events become mouse and keyboard messages for the window
// under the pointer, the capture window or the focus window.

#include "platform/user/Input.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/display/Display.h"
#include "platform/user/FrameLayout.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowClass.h"
#include "platform/user/WindowManager.h"
#include "platform/user/WindowProcedures.h"

#include <cstdlib>
#include <deque>

namespace platform {

namespace {

struct Click {
    MouseButton button = MouseButton::Left;
    HWND window = nullptr;
    bool client = false;
    DWORD time = 0;
    POINT position{};
    bool valid = false;
};

struct Tracking {
    HWND window = nullptr;
    DWORD flags = 0;
    DWORD hoverTime = 0;
    DWORD hoverStart = 0;
    POINT hoverOrigin{};
};

struct InputState : InputSink {
    std::deque<InputEvent> events;
    BYTE queueKeys[256] = {};    // as of the messages taken so far
    BYTE physicalKeys[256] = {}; // as the hardware reports them now
    BYTE pressedSinceAsked[256] = {};
    POINT cursor{};
    HWND capture = nullptr;
    Click lastClick;
    Tracking tracking;
    UINT doubleClickTime = 500;

    void OnInput(const InputEvent& event) override;
};

InputState& State() {
    static InputState state;
    return state;
}

UINT ButtonKey(MouseButton button) {
    switch (button) {
    case MouseButton::Left:
        return VK_LBUTTON;
    case MouseButton::Right:
        return VK_RBUTTON;
    default:
        return VK_MBUTTON;
    }
}

// Keys with a left and a right variant also set their common code.
UINT CommonKey(UINT key) {
    switch (key) {
    case VK_LSHIFT:
    case VK_RSHIFT:
        return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
        return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
        return VK_MENU;
    default:
        return key;
    }
}

void SetKey(BYTE* keys, UINT key, bool down) {
    key &= 0xFF;
    if (down) {
        if (!(keys[key] & 0x80))
            keys[key] ^= 0x01; // toggled on each press
        keys[key] |= 0x80;
    } else {
        keys[key] &= ~0x80;
    }
}

void InputState::OnInput(const InputEvent& event) {
    switch (event.kind) {
    case InputKind::MouseMove:
        cursor = event.position;
        // Only the latest position of a run of moves matters.
        if (!events.empty() && events.back().kind == InputKind::MouseMove) {
            events.back() = event;
            return;
        }
        break;
    case InputKind::ButtonDown:
    case InputKind::ButtonUp: {
        cursor = event.position;
        bool down = event.kind == InputKind::ButtonDown;
        SetKey(physicalKeys, ButtonKey(event.button), down);
        if (down)
            pressedSinceAsked[ButtonKey(event.button)] = 1;
        break;
    }
    case InputKind::Wheel:
        cursor = event.position;
        break;
    case InputKind::KeyDown:
    case InputKind::KeyUp: {
        bool down = event.kind == InputKind::KeyDown;
        SetKey(physicalKeys, event.virtualKey, down);
        if (CommonKey(event.virtualKey) != event.virtualKey)
            SetKey(physicalKeys, CommonKey(event.virtualKey), down);
        if (down)
            pressedSinceAsked[event.virtualKey & 0xFF] = 1;
        break;
    }
    case InputKind::Text:
        // One character message per UTF-16 unit.
        for (char16_t c : event.text) {
            InputEvent one = event;
            one.text = std::u16string(1, c);
            events.push_back(one);
        }
        return;
    }
    events.push_back(event);
}

bool KeyDown(const BYTE* keys, UINT key) {
    return (keys[key & 0xFF] & 0x80) != 0;
}

WPARAM MouseKeyFlags(const BYTE* keys) {
    WPARAM flags = 0;
    if (KeyDown(keys, VK_LBUTTON))
        flags |= MK_LBUTTON;
    if (KeyDown(keys, VK_RBUTTON))
        flags |= MK_RBUTTON;
    if (KeyDown(keys, VK_MBUTTON))
        flags |= MK_MBUTTON;
    if (KeyDown(keys, VK_SHIFT))
        flags |= MK_SHIFT;
    if (KeyDown(keys, VK_CONTROL))
        flags |= MK_CONTROL;
    return flags;
}

// Inside the window's rectangle and, when it has one, its shape.
bool ContainsScreenPoint(const Window& window, POINT screen) {
    RECT rect = WindowRectOnScreen(window);
    if (!PointInRect(rect, screen))
        return false;
    return !window.shape || window.shape->Contains(screen.x - rect.left, screen.y - rect.top);
}

// Searches the children of a window, topmost first; null when none takes the point.
HitResult HitTestChildren(Window& container, POINT screen, bool forMouse) {
    std::vector<HWND> order;
    for (Window* child : container.children)
        order.push_back(child->handle);
    for (HWND handle : order) {
        Window* child = FindLiveWindow(handle);
        if (!child || !child->IsVisibleStyle() || !ContainsScreenPoint(*child, screen))
            continue;
        if (child->style & WS_DISABLED) {
            if (child->IsTopLevel()) {
                if (forMouse)
                    return {child, HTERROR};
                continue;
            }
            return {};
        }
        if (PointInRect(ClientRectOnScreen(*child), screen)) {
            HitResult inner = HitTestChildren(*child, screen, forMouse);
            if (inner.window)
                return inner;
            child = FindLiveWindow(handle);
            if (!child)
                continue;
        }
        LRESULT code = SendToWindow(*child, WM_NCHITTEST, 0,
                                    MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)));
        if (code == HTTRANSPARENT)
            continue;
        if (!FindLiveWindow(handle))
            continue;
        return {child, code};
    }
    return {};
}

Window* CaptureRecord() {
    InputState& state = State();
    Window* capture = FindLiveWindow(state.capture);
    if (!capture)
        state.capture = nullptr;
    return capture;
}

UINT MouseMessage(const InputEvent& event, bool client, bool doubleClick) {
    if (event.kind == InputKind::MouseMove)
        return client ? WM_MOUSEMOVE : WM_NCMOUSEMOVE;
    UINT base = 0;
    switch (event.button) {
    case MouseButton::Left:
        base = client ? WM_LBUTTONDOWN : WM_NCLBUTTONDOWN;
        break;
    case MouseButton::Right:
        base = client ? WM_RBUTTONDOWN : WM_NCRBUTTONDOWN;
        break;
    case MouseButton::Middle:
        base = client ? WM_MBUTTONDOWN : WM_NCMBUTTONDOWN;
        break;
    }
    if (event.kind == InputKind::ButtonUp)
        return base + 1;
    return doubleClick ? base + 2 : base;
}

// Each ancestor hears of a press over its child's client area, up to the top-level window or
// the first window that asked not to tell its parent (WS_EX_NOPARENTNOTIFY).
bool NotifyParentsOfPress(Window& target, UINT downMessage, POINT screen) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    HWND targetHandle = target.handle;
    Window* current = &target;
    while (current->IsChild() && !(current->exStyle & WS_EX_NOPARENTNOTIFY) && current->parent &&
           !current->parent->IsDesktop()) {
        Window* parent = current->parent;
        HWND parentHandle = parent->handle;
        POINT origin = ClientOriginOnScreen(*parent);
        SendToWindow(
            *parent, WM_PARENTNOTIFY, downMessage,
            MAKELPARAM(static_cast<WORD>(screen.x - origin.x), static_cast<WORD>(screen.y - origin.y)));
        if (!(current = FindLiveWindow(parentHandle)))
            break;
    }
    return FindLiveWindow(targetHandle) != nullptr;
}

bool IsDoubleClick(const InputEvent& event, const Window& target, bool client) {
    const Click& last = State().lastClick;
    if (!last.valid || last.button != event.button || last.window != target.handle || last.client != client)
        return false;
    if (event.time - last.time > State().doubleClickTime)
        return false;
    int halfWidth = GetSystemMetrics(SM_CXDOUBLECLK) / 2;
    int halfHeight = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    if (std::abs(event.position.x - last.position.x) > halfWidth ||
        std::abs(event.position.y - last.position.y) > halfHeight)
        return false;
    // Client double clicks only for classes that ask for them; frame double clicks always.
    return !client || (target.windowClass && (target.windowClass->style & CS_DBLCLKS));
}

void CheckMouseLeave(POINT screen) {
    Tracking& tracking = State().tracking;
    if (!tracking.window || !(tracking.flags & (TME_LEAVE | TME_HOVER)))
        return;
    Window* tracked = FindLiveWindow(tracking.window);
    if (!tracked) {
        tracking = {};
        return;
    }
    HitResult under = HitTestScreen(screen, true);
    bool nonClient = (tracking.flags & TME_NONCLIENT) != 0;
    bool inside = under.window == tracked && (nonClient ? under.code != HTCLIENT : under.code == HTCLIENT);
    if (!inside) {
        if (tracking.flags & TME_LEAVE)
            PostMessageW(tracking.window, nonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
        tracking = {};
        return;
    }
    if (tracking.flags & TME_HOVER) {
        int width = 4;
        int height = 4;
        if (std::abs(screen.x - tracking.hoverOrigin.x) > width / 2 ||
            std::abs(screen.y - tracking.hoverOrigin.y) > height / 2) {
            tracking.hoverOrigin = screen;
            tracking.hoverStart = Display().Now();
        }
    }
}

std::optional<QueuedMessage> RouteMouse(const InputEvent& event, bool remove) {
    InputState& state = State();
    // The key state a mouse message reports includes its own button.
    BYTE keys[256];
    std::copy(std::begin(state.queueKeys), std::end(state.queueKeys), keys);
    bool down = event.kind == InputKind::ButtonDown;
    if (event.kind == InputKind::ButtonDown || event.kind == InputKind::ButtonUp) {
        SetKey(keys, ButtonKey(event.button), down);
        if (remove)
            SetKey(state.queueKeys, ButtonKey(event.button), down);
    }
    Window* capture = CaptureRecord();
    HitResult hit = capture ? HitResult{capture, HTCLIENT} : HitTestScreen(event.position, true);
    if (remove && event.kind != InputKind::Wheel)
        CheckMouseLeave(event.position);
    if (event.kind == InputKind::Wheel) {
        Window* target = FocusWindowRecord();
        if (!target)
            target = ActiveWindowRecord();
        if (!target)
            return std::nullopt;
        QueuedMessage message;
        message.msg = {target->handle,
                       WM_MOUSEWHEEL,
                       MAKEWPARAM(static_cast<WORD>(MouseKeyFlags(keys)),
                                  static_cast<WORD>(static_cast<SHORT>(event.wheelDelta))),
                       MAKELPARAM(static_cast<WORD>(event.position.x), static_cast<WORD>(event.position.y)),
                       event.time,
                       event.position};
        return message;
    }
    Window* target = hit.window;
    if (!target)
        return std::nullopt;
    HWND targetHandle = target->handle;
    bool client = hit.code == HTCLIENT;
    bool doubleClick = down && IsDoubleClick(event, *target, client);
    UINT messageId = MouseMessage(event, client, doubleClick);

    if (remove && !capture) {
        SendToWindow(*target, WM_SETCURSOR, reinterpret_cast<WPARAM>(targetHandle),
                     MAKELPARAM(static_cast<WORD>(hit.code), static_cast<WORD>(messageId)));
        if (!(target = FindLiveWindow(targetHandle)))
            return std::nullopt;
    }
    if (hit.code == HTERROR)
        return std::nullopt;

    if (remove) {
        if (down) {
            state.lastClick = doubleClick ? Click{} : Click{event.button, targetHandle,   client,
                                                            event.time,   event.position, true};
            Window* top = TopLevelOf(*target);
            if (!capture && top && top != ActiveWindowRecord() && !(top->exStyle & WS_EX_NOACTIVATE)) {
                LRESULT answer =
                    SendToWindow(*target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->handle),
                                 MAKELPARAM(static_cast<WORD>(hit.code), static_cast<WORD>(messageId)));
                if (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) {
                    if (FindLiveWindow(top->handle))
                        ActivateWindow(top, WA_CLICKACTIVE, true);
                }
                if (answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT)
                    return std::nullopt;
                if (!(target = FindLiveWindow(targetHandle)))
                    return std::nullopt;
            }
            if (client && !NotifyParentsOfPress(*target, MouseMessage(event, true, false), event.position))
                return std::nullopt;
        }
    }
    QueuedMessage message;
    message.msg.hwnd = targetHandle;
    message.msg.message = messageId;
    message.msg.time = event.time;
    message.msg.pt = event.position;
    if (client) {
        POINT origin = ClientOriginOnScreen(*target);
        message.msg.wParam = MouseKeyFlags(keys);
        message.msg.lParam = MAKELPARAM(static_cast<WORD>(event.position.x - origin.x),
                                        static_cast<WORD>(event.position.y - origin.y));
    } else {
        message.msg.wParam = static_cast<WPARAM>(hit.code);
        message.msg.lParam =
            MAKELPARAM(static_cast<WORD>(event.position.x), static_cast<WORD>(event.position.y));
    }
    return message;
}

std::optional<QueuedMessage> RouteKey(const InputEvent& event, bool remove) {
    InputState& state = State();
    Window* target = FocusWindowRecord();
    bool noFocus = target == nullptr;
    if (!target)
        target = ActiveWindowRecord();
    bool up = event.kind == InputKind::KeyUp;
    UINT key = CommonKey(event.virtualKey) & 0xFF;
    bool wasDown = KeyDown(state.queueKeys, key);
    if (remove && event.kind != InputKind::Text) {
        SetKey(state.queueKeys, key, !up);
        if (key != (event.virtualKey & 0xFF))
            SetKey(state.queueKeys, event.virtualKey, !up);
    }
    if (!target)
        return std::nullopt;
    QueuedMessage message;
    message.msg.hwnd = target->handle;
    message.msg.time = event.time;
    message.msg.pt = state.cursor;
    if (event.kind == InputKind::Text) {
        message.msg.message = WM_CHAR;
        message.msg.wParam = event.text.empty() ? 0 : event.text[0];
        message.msg.lParam = 1;
        return message;
    }
    BYTE keys[256];
    std::copy(std::begin(state.queueKeys), std::end(state.queueKeys), keys);
    if (!remove)
        SetKey(keys, key, !up);
    bool alt = KeyDown(keys, VK_MENU);
    bool control = KeyDown(keys, VK_CONTROL);
    bool system = noFocus || key == VK_F10 || (alt && !control) || (key == VK_MENU && !control);
    message.msg.message = up ? (system ? WM_SYSKEYUP : WM_KEYUP) : (system ? WM_SYSKEYDOWN : WM_KEYDOWN);
    message.msg.wParam = key;
    LPARAM lParam = 1 | (static_cast<LPARAM>(event.scanCode & 0xFF) << 16);
    if (event.extendedKey)
        lParam |= 1 << 24;
    if (alt)
        lParam |= 1 << 29;
    if (wasDown || up)
        lParam |= 1 << 30;
    if (up)
        lParam |= static_cast<LPARAM>(1u << 31);
    message.msg.lParam = static_cast<LPARAM>(static_cast<DWORD>(lParam));
    return message;
}

std::optional<QueuedMessage> Route(const InputEvent& event, bool remove) {
    switch (event.kind) {
    case InputKind::MouseMove:
    case InputKind::ButtonDown:
    case InputKind::ButtonUp:
    case InputKind::Wheel:
        return RouteMouse(event, remove);
    default:
        return RouteKey(event, remove);
    }
}

bool IsWithinFilterWindow(HWND candidate, HWND filter) {
    if (candidate == filter)
        return true;
    Window* f = FindLiveWindow(filter);
    Window* c = FindLiveWindow(candidate);
    return f && c && IsAncestorOf(*f, *c);
}

} // namespace

// Asked on every use: a display replaced after the first use gets the sink too.
void ConnectInput() {
    Display().SetInputSink(&State());
}

bool MatchesFilter(const MSG& message, HWND filter, UINT first, UINT last) {
    if (message.message == WM_QUIT)
        return true;
    if (filter == reinterpret_cast<HWND>(-1)) {
        if (message.hwnd)
            return false;
    } else if (filter && !IsWithinFilterWindow(message.hwnd, filter)) {
        return false;
    }
    if (first == 0 && last == 0)
        return true;
    return message.message >= first && message.message <= last;
}

std::optional<QueuedMessage> TakeInputMessage(HWND filter, UINT first, UINT last, bool remove) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    InputState& state = State();
    for (std::size_t i = 0; i < state.events.size(); ++i) {
        InputEvent event = state.events[i];
        // Routing with remove has effects (activation, cursor): only for a message that matches.
        std::optional<QueuedMessage> preview = Route(event, false);
        if (!preview) {
            if (remove) {
                state.events.erase(state.events.begin() + static_cast<std::ptrdiff_t>(i));
                Route(event, true);
                --i;
            }
            continue;
        }
        if (!MatchesFilter(preview->msg, filter, first, last))
            continue;
        if (!remove)
            return preview;
        state.events.erase(state.events.begin() + static_cast<std::ptrdiff_t>(i));
        std::optional<QueuedMessage> taken = Route(event, true);
        if (taken)
            return taken;
        --i;
    }
    return std::nullopt;
}

bool HasPendingInput() {
    return !State().events.empty();
}

HitResult HitTestScreen(POINT screen, bool forMouse) {
    return HitTestChildren(DesktopWindow(), screen, forMouse);
}

POINT CursorPosition() {
    return State().cursor;
}

DWORD MillisecondsToHover() {
    const Tracking& tracking = State().tracking;
    if (!tracking.window || !(tracking.flags & TME_HOVER))
        return INFINITE;
    DWORD elapsed = Display().Now() - tracking.hoverStart;
    return elapsed >= tracking.hoverTime ? 0 : tracking.hoverTime - elapsed;
}

void PostDueHover() {
    Tracking& tracking = State().tracking;
    if (MillisecondsToHover() != 0)
        return;
    Window* tracked = FindLiveWindow(tracking.window);
    if (!tracked) {
        tracking = {};
        return;
    }
    bool nonClient = (tracking.flags & TME_NONCLIENT) != 0;
    POINT at = State().cursor;
    if (nonClient) {
        HitResult hit = HitTestScreen(at, true);
        PostMessageW(tracking.window, 0x02A0 /* WM_NCMOUSEHOVER */, static_cast<WPARAM>(hit.code),
                     MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)));
    } else {
        POINT origin = ClientOriginOnScreen(*tracked);
        PostMessageW(tracking.window, WM_MOUSEHOVER, MouseKeyFlags(State().queueKeys),
                     MAKELPARAM(static_cast<WORD>(at.x - origin.x), static_cast<WORD>(at.y - origin.y)));
    }
    tracking.flags &= ~TME_HOVER;
    if (!(tracking.flags & TME_LEAVE))
        tracking = {};
}

void ReleaseInputOf(Window& window) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    InputState& state = State();
    auto inside = [&](HWND handle) {
        Window* w = FindLiveWindow(handle);
        return w && (w == &window || IsAncestorOf(window, *w));
    };
    if (state.capture && inside(state.capture)) {
        HWND old = state.capture;
        state.capture = nullptr;
        if (Window* w = FindLiveWindow(old); w && w->life == WindowLife::Alive)
            SendToWindow(*w, WM_CAPTURECHANGED, 0, 0);
    }
    if (state.tracking.window && inside(state.tracking.window))
        state.tracking = {};
    Window* focus = FocusWindowRecord();
    if (focus && (focus == &window || IsAncestorOf(window, *focus)))
        SetFocusTo(nullptr);
    if (state.lastClick.window && inside(state.lastClick.window))
        state.lastClick = {};
}

} // namespace platform

using platform::FindLiveWindow;
using platform::MessageCallScope;
using platform::Window;
using platform::WindowFromHandle;

HWND SetCapture(HWND window) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    Window* target = WindowFromHandle(window);
    if (!target)
        return nullptr;
    auto& state = platform::State();
    HWND old = platform::CaptureRecord() ? state.capture : nullptr;
    state.capture = window;
    if (old && old != window) {
        if (Window* previous = FindLiveWindow(old))
            platform::SendToWindow(*previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window));
    }
    return old;
}

BOOL ReleaseCapture() {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    auto& state = platform::State();
    Window* old = platform::CaptureRecord();
    state.capture = nullptr;
    if (old)
        platform::SendToWindow(*old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    Window* capture = platform::CaptureRecord();
    return capture ? capture->handle : nullptr;
}

BOOL GetCursorPos(LPPOINT point) {
    if (!point) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    platform::ConnectInput();
    *point = platform::State().cursor;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    platform::ConnectInput();
    platform::DisplayBackend& display = platform::Display();
    display.WarpPointer({x, y});
    platform::InputEvent move;
    move.kind = platform::InputKind::MouseMove;
    move.position = {x, y};
    move.time = display.Now();
    platform::State().OnInput(move);
    return TRUE;
}

SHORT GetKeyState(int virtualKey) {
    BYTE value = platform::State().queueKeys[virtualKey & 0xFF];
    return static_cast<SHORT>(((value & 0x80) ? 0x8000 : 0) | (value & 0x01));
}

SHORT GetAsyncKeyState(int virtualKey) {
    auto& state = platform::State();
    BYTE key = static_cast<BYTE>(virtualKey & 0xFF);
    SHORT result =
        static_cast<SHORT>(((state.physicalKeys[key] & 0x80) ? 0x8000 : 0) | state.pressedSinceAsked[key]);
    state.pressedSinceAsked[key] = 0;
    return result;
}

BOOL GetKeyboardState(BYTE* keys) {
    if (!keys) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::copy(std::begin(platform::State().queueKeys), std::end(platform::State().queueKeys), keys);
    return TRUE;
}

UINT GetDoubleClickTime() {
    return platform::State().doubleClickTime;
}

BOOL SetDoubleClickTime(UINT milliseconds) {
    platform::State().doubleClickTime = milliseconds == 0 ? 500 : std::min(milliseconds, 5000u);
    return TRUE;
}

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT track) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    if (!track || track->cbSize != sizeof(TRACKMOUSEEVENT)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto& tracking = platform::State().tracking;
    if (track->dwFlags & TME_QUERY) {
        track->dwFlags = tracking.window ? tracking.flags : 0;
        track->hwndTrack = tracking.window;
        track->dwHoverTime = tracking.hoverTime;
        return TRUE;
    }
    Window* window = WindowFromHandle(track->hwndTrack);
    if (!window)
        return FALSE;
    DWORD kinds = track->dwFlags & (TME_LEAVE | TME_HOVER);
    bool nonClient = (track->dwFlags & TME_NONCLIENT) != 0;
    if (track->dwFlags & TME_CANCEL) {
        if (tracking.window == track->hwndTrack && ((tracking.flags & TME_NONCLIENT) != 0) == nonClient) {
            tracking.flags &= ~kinds;
            if (!(tracking.flags & (TME_LEAVE | TME_HOVER)))
                tracking = {};
        }
        return TRUE;
    }
    platform::ConnectInput();
    POINT at = platform::State().cursor;
    platform::HitResult under = platform::HitTestScreen(at, true);
    bool inside = under.window == window && (nonClient ? under.code != HTCLIENT : under.code == HTCLIENT);
    if (!inside) {
        // The pointer is already elsewhere: leave is reported at once.
        if (kinds & TME_LEAVE)
            PostMessageW(track->hwndTrack, nonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
        return TRUE;
    }
    if (tracking.window != track->hwndTrack || ((tracking.flags & TME_NONCLIENT) != 0) != nonClient)
        tracking = {};
    tracking.window = track->hwndTrack;
    tracking.flags |= kinds | (track->dwFlags & TME_NONCLIENT);
    if (kinds & TME_HOVER) {
        UINT hover = track->dwHoverTime;
        if (hover == HOVER_DEFAULT)
            SystemParametersInfoA(SPI_GETMOUSEHOVERTIME, 0, &hover, 0);
        tracking.hoverTime = hover;
        tracking.hoverStart = platform::Display().Now();
        tracking.hoverOrigin = at;
    }
    return TRUE;
}

HWND WindowFromPoint(POINT point) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    platform::HitResult hit = platform::HitTestScreen(point, false);
    return hit.window ? hit.window->handle : nullptr;
}

HWND ChildWindowFromPointEx(HWND parent, POINT point, UINT flags) {
    Window* p = WindowFromHandle(parent);
    if (!p)
        return nullptr;
    RECT client = p->clientRect;
    SIZE size = {client.right - client.left, client.bottom - client.top};
    if (point.x < 0 || point.y < 0 || point.x >= size.cx || point.y >= size.cy)
        return nullptr;
    for (Window* child : p->children) {
        if ((flags & CWP_SKIPINVISIBLE) && !child->IsVisibleStyle())
            continue;
        if ((flags & CWP_SKIPDISABLED) && (child->style & WS_DISABLED))
            continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (child->exStyle & WS_EX_TRANSPARENT))
            continue;
        if (platform::PointInRect(child->windowRect, point))
            return child->handle;
    }
    return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
    return ChildWindowFromPointEx(parent, point, CWP_ALL);
}
