// The X11 display's event loop: X events become input for the window manager, and the
// desktop's requests (close, move, activation, exposure, selection) reach our windows.

#include "platform/display/x11/X11Clipboard.h"
#include "platform/display/x11/X11Connection.h"
#include "platform/display/x11/X11Display.h"
#include "platform/display/x11/X11WindowBridge.h"

#include <poll.h>

#include <algorithm>

namespace platform {

using x11::Connection;
using x11::Surface;

namespace {

InputEvent MouseEvent(X11Display& display, InputKind kind, int rootX, int rootY) {
    InputEvent event;
    event.kind = kind;
    event.position = {rootX, rootY};
    event.time = display.Now();
    return event;
}

void OnButton(X11Display& display, const XButtonEvent& button) {
    bool down = button.type == ButtonPress;
    InputEvent event =
        MouseEvent(display, down ? InputKind::ButtonDown : InputKind::ButtonUp, button.x_root, button.y_root);
    switch (button.button) {
    case Button1:
        event.button = MouseButton::Left;
        break;
    case Button2:
        event.button = MouseButton::Middle;
        break;
    case Button3:
        event.button = MouseButton::Right;
        break;
    case Button4:
    case Button5:
        // The wheel clicks once per notch: a press, then its release, which says nothing more.
        if (!down)
            return;
        event.kind = InputKind::Wheel;
        event.wheelDelta = button.button == Button4 ? 120 : -120;
        break;
    default:
        return;
    }
    display.DeliverInput(event);
}

void OnKey(X11Display& display, Connection& c, XKeyEvent& key) {
    Surface* surface = c.FindByXid(key.window);
    x11::KeyTranslation translation = x11::TranslateKey(c, key, surface ? surface->inputContext : nullptr);
    InputEvent event;
    event.time = display.Now();
    event.position = {key.x_root, key.y_root};
    if (translation.virtualKey) {
        event.kind = key.type == KeyPress ? InputKind::KeyDown : InputKind::KeyUp;
        event.virtualKey = translation.virtualKey;
        event.scanCode = translation.scanCode;
        event.extendedKey = translation.extendedKey;
        display.DeliverInput(event);
    }
    if (!translation.text.empty()) {
        event.kind = InputKind::Text;
        event.text = translation.text;
        display.DeliverInput(event);
    }
}

void OnConfigure(Connection& c, const XConfigureEvent& configure) {
    Surface* surface = c.FindByXid(configure.window);
    if (!surface)
        return;
    // An event the server made before it carried out our last move or size tells of a place the
    // window has left already: followed, it would size the window back (and our answer to it
    // would undo the newer place again). The serial is that of the last request carried out.
    if (static_cast<long>(configure.serial - surface->placementRequest) < 0)
        return;
    RECT rect;
    if (configure.send_event) {
        // The window manager tells where the window lies on the screen.
        rect = {configure.x, configure.y, configure.x + configure.width, configure.y + configure.height};
    } else {
        int x = 0;
        int y = 0;
        ::Window child = 0;
        XTranslateCoordinates(c.display, surface->xid, c.root, 0, 0, &x, &y, &child);
        rect = {x, y, x + configure.width, y + configure.height};
    }
    if (rect.left == surface->rect.left && rect.top == surface->rect.top &&
        rect.right == surface->rect.right && rect.bottom == surface->rect.bottom)
        return;
    surface->rect = rect;
    x11::FollowDesktopPlacement(surface->handle, rect);
}

void OnExpose(Connection& c, const XExposeEvent& expose) {
    Surface* surface = c.FindByXid(expose.window);
    if (!surface || !surface->image)
        return;
    RECT area = {expose.x, expose.y, expose.x + expose.width, expose.y + expose.height};
    area.right = std::min<LONG>(area.right, surface->image->Width());
    area.bottom = std::min<LONG>(area.bottom, surface->image->Height());
    surface->image->Put(surface->xid, c.gc, area);
}

void OnClientMessage(Connection& c, const XClientMessageEvent& message) {
    Surface* surface = c.FindByXid(message.window);
    if (!surface || message.message_type != c.atoms.wmProtocols)
        return;
    if (static_cast<Atom>(message.data.l[0]) == c.atoms.wmDeleteWindow)
        x11::RequestClose(surface->handle);
}

// The desktop's window manager made the window an icon, or showed it again from its icon.
void OnWindowManagerState(Connection& c, ::Window xid) {
    Surface* surface = c.FindByXid(xid);
    if (!surface || surface->popup || !surface->wantVisible)
        return;
    bool iconic = c.IsIconicState(xid);
    if (iconic == surface->iconified)
        return;
    surface->iconified = iconic;
    if (iconic)
        x11::MinimizeFromDesktop(surface->handle);
    else
        x11::RestoreFromDesktop(surface->handle);
}

Time EventTime(const XEvent& event) {
    switch (event.type) {
    case KeyPress:
    case KeyRelease:
        return event.xkey.time;
    case ButtonPress:
    case ButtonRelease:
        return event.xbutton.time;
    case MotionNotify:
        return event.xmotion.time;
    case EnterNotify:
    case LeaveNotify:
        return event.xcrossing.time;
    case PropertyNotify:
        return event.xproperty.time;
    default:
        return CurrentTime;
    }
}

void HandleEvent(X11Display& display, Connection& c, XEvent& event) {
    // The input method sees every event first and may keep it (while composing).
    if (XFilterEvent(&event, None))
        return;
    if (Time time = EventTime(event); time != CurrentTime)
        c.lastEventTime = time;
    switch (event.type) {
    case MotionNotify:
        display.DeliverInput(
            MouseEvent(display, InputKind::MouseMove, event.xmotion.x_root, event.xmotion.y_root));
        break;
    case EnterNotify:
    case LeaveNotify:
        // A grab taken or let go (an open menu's) moves nothing: reported as a move, it would
        // undo what the keyboard chose in the menu, as the pointer may rest where none of our
        // windows saw it.
        if (event.xcrossing.mode != NotifyNormal)
            break;
        // The window manager finds the window under the point itself; leaving for another
        // program's window is a move to a point none of ours covers.
        display.DeliverInput(
            MouseEvent(display, InputKind::MouseMove, event.xcrossing.x_root, event.xcrossing.y_root));
        break;
    case ButtonPress:
    case ButtonRelease:
        OnButton(display, event.xbutton);
        break;
    case KeyPress:
    case KeyRelease:
        OnKey(display, c, event.xkey);
        break;
    case FocusIn:
        if (Surface* surface = c.FindByXid(event.xfocus.window)) {
            if (surface->inputContext)
                XSetICFocus(surface->inputContext);
            if (event.xfocus.mode == NotifyNormal && event.xfocus.detail != NotifyPointer)
                x11::ActivateFromDesktop(surface->handle);
        }
        break;
    case FocusOut:
        if (Surface* surface = c.FindByXid(event.xfocus.window); surface && surface->inputContext)
            XUnsetICFocus(surface->inputContext);
        break;
    case Expose:
        OnExpose(c, event.xexpose);
        break;
    case ConfigureNotify:
        OnConfigure(c, event.xconfigure);
        break;
    case MapNotify:
        if (Surface* surface = c.FindByXid(event.xmap.window))
            surface->mapped = true;
        break;
    case UnmapNotify:
        if (Surface* surface = c.FindByXid(event.xunmap.window))
            surface->mapped = false;
        break;
    case PropertyNotify:
        if (event.xproperty.atom == c.atoms.wmState)
            OnWindowManagerState(c, event.xproperty.window);
        break;
    case ClientMessage:
        OnClientMessage(c, event.xclient);
        break;
    case MappingNotify:
        // Keys were given other symbols: look them up afresh.
        XRefreshKeyboardMapping(&event.xmapping);
        break;
    case SelectionRequest:
        c.clipboard->OnSelectionRequest(event.xselectionrequest);
        break;
    case SelectionClear:
        if (event.xselectionclear.selection == c.atoms.clipboard)
            c.clipboard->OnSelectionClear();
        break;
    default:
        break;
    }
}

} // namespace

void X11Display::PollEvents() {
    Connection& c = *m_connection;
    while (XPending(c.display)) {
        XEvent event;
        XNextEvent(c.display, &event);
        HandleEvent(*this, c, event);
    }
}

bool X11Display::WaitForEvents(DWORD timeout) {
    Connection& c = *m_connection;
    XFlush(c.display);
    if (!XPending(c.display)) {
        pollfd connection{ConnectionNumber(c.display), POLLIN, 0};
        int wait = timeout == INFINITE ? -1 : static_cast<int>(std::min<DWORD>(timeout, 0x7FFFFFFF));
        poll(&connection, 1, wait);
    }
    PollEvents();
    return true;
}

} // namespace platform
