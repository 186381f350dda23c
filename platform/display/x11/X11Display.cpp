#include "platform/display/x11/X11Display.h"

#include "platform/base/CodePage.h"
#include "platform/display/x11/X11Clipboard.h"
#include "platform/display/x11/X11Connection.h"
#include "platform/display/x11/X11WindowBridge.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/cursorfont.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/shape.h>

#include <poll.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string_view>

namespace platform {

namespace x11 {

namespace {

int& Errors() {
    static int count = 0;
    return count;
}

int CountError(::Display*, XErrorEvent*) {
    ++Errors();
    return 0;
}

int ConnectionLost(::Display*) {
    std::fprintf(stderr, "quillmere: the connection to the X display was lost\n");
    // The program stopped in the middle of its work: its windows, device contexts and GDI
    // objects are half torn down and must not be destroyed again by the static destructors.
    // Written files are flushed; nothing else is undone.
    std::fflush(nullptr);
    std::_Exit(1);
}

} // namespace

constexpr long SurfaceEvents = ExposureMask | StructureNotifyMask | ButtonPressMask | ButtonReleaseMask |
                               PointerMotionMask | EnterWindowMask | LeaveWindowMask | KeyPressMask |
                               KeyReleaseMask | FocusChangeMask | PropertyChangeMask;

namespace {

// Directions of the desktop window manager's interactive move and size.
constexpr long MoveResizeSizeTopLeft = 0;
constexpr long MoveResizeMove = 8;

long MoveResizeDirection(int hitCode) {
    switch (hitCode) {
    case 13: // HTTOPLEFT
        return MoveResizeSizeTopLeft;
    case 12: // HTTOP
        return 1;
    case 14: // HTTOPRIGHT
        return 2;
    case 11: // HTRIGHT
        return 3;
    case 17: // HTBOTTOMRIGHT
    case 4:  // HTGROWBOX
        return 4;
    case 15: // HTBOTTOM
        return 5;
    case 16: // HTBOTTOMLEFT
        return 6;
    case 10: // HTLEFT
        return 7;
    default:
        return MoveResizeMove;
    }
}

unsigned FontCursorFor(WORD id) {
    switch (id) {
    case 32513:
        return XC_xterm;
    case 32514:
    case 32650:
        return XC_watch;
    case 32515:
        return XC_crosshair;
    case 32516:
        return XC_sb_up_arrow;
    case 32640:
    case 32646:
        return XC_fleur;
    case 32642:
        return XC_bottom_right_corner;
    case 32643:
        return XC_bottom_left_corner;
    case 32644:
        return XC_sb_h_double_arrow;
    case 32645:
        return XC_sb_v_double_arrow;
    case 32648:
        return XC_X_cursor;
    case 32649:
        return XC_hand2;
    case 32651:
        return XC_question_arrow;
    default:
        return XC_left_ptr;
    }
}

// A visual whose pixels are our 0x00RRGGBB words.
bool FindDirectVisual(::Display* display, int screen, Visual*& visual, int& depth) {
    Visual* standard = DefaultVisual(display, screen);
    auto fits = [](const Visual* v) {
        return v->red_mask == 0xFF0000 && v->green_mask == 0xFF00 && v->blue_mask == 0xFF;
    };
    if (fits(standard) && (DefaultDepth(display, screen) == 24 || DefaultDepth(display, screen) == 32)) {
        visual = standard;
        depth = DefaultDepth(display, screen);
        return true;
    }
    XVisualInfo info;
    if (XMatchVisualInfo(display, screen, 24, TrueColor, &info) && fits(info.visual)) {
        visual = info.visual;
        depth = 24;
        return true;
    }
    return false;
}

// Makes the C library read texts as UTF-8, which input methods need to hand over Chinese text.
void ChooseTextLocale() {
    const char* current = std::setlocale(LC_CTYPE, "");
    auto isUtf8 = [](const char* name) {
        return name && (std::strstr(name, "UTF-8") || std::strstr(name, "utf8") || std::strstr(name, "UTF8"));
    };
    if (!isUtf8(current) || !XSupportsLocale())
        std::setlocale(LC_CTYPE, "C.UTF-8");
    if (!XSupportsLocale())
        std::setlocale(LC_CTYPE, "C");
}

} // namespace

void InstallErrorHandlers() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    XSetErrorHandler(CountError);
    XSetIOErrorHandler(ConnectionLost);
}

int ErrorCount() {
    return Errors();
}

ErrorTrap::ErrorTrap(::Display* display) : m_display(display), m_previousCount(Errors()) {}

ErrorTrap::~ErrorTrap() = default;

bool ErrorTrap::Failed() {
    XSync(m_display, False);
    return Errors() != m_previousCount;
}

void Atoms::Load(::Display* display) {
    struct Name {
        Atom* atom;
        const char* text;
    };
    const Name names[] = {
        {&wmProtocols, "WM_PROTOCOLS"},
        {&wmDeleteWindow, "WM_DELETE_WINDOW"},
        {&wmState, "WM_STATE"},
        {&motifWmHints, "_MOTIF_WM_HINTS"},
        {&netWmMoveResize, "_NET_WM_MOVERESIZE"},
        {&netSupported, "_NET_SUPPORTED"},
        {&netSupportingWmCheck, "_NET_SUPPORTING_WM_CHECK"},
        {&netActiveWindow, "_NET_ACTIVE_WINDOW"},
        {&netWorkArea, "_NET_WORKAREA"},
        {&netWmWindowType, "_NET_WM_WINDOW_TYPE"},
        {&netWmWindowTypeNormal, "_NET_WM_WINDOW_TYPE_NORMAL"},
        {&netWmWindowTypePopupMenu, "_NET_WM_WINDOW_TYPE_POPUP_MENU"},
        {&netWmName, "_NET_WM_NAME"},
        {&clipboard, "CLIPBOARD"},
        {&targets, "TARGETS"},
        {&utf8String, "UTF8_STRING"},
        {&text, "TEXT"},
        {&incr, "INCR"},
        {&transferProperty, "QUILLMERE_SELECTION"},
    };
    for (const Name& name : names)
        *name.atom = XInternAtom(display, name.text, False);
}

Connection::~Connection() {
    if (!display)
        return;
    for (auto& [handle, surface] : surfaces) {
        surface.image.reset();
        if (surface.inputContext)
            XDestroyIC(surface.inputContext);
        XDestroyWindow(display, surface.xid);
    }
    surfaces.clear();
    clipboard.reset();
    if (inputMethod)
        XCloseIM(inputMethod);
    if (cursor)
        XFreeCursor(display, cursor);
    if (blankCursor)
        XFreeCursor(display, blankCursor);
    if (utilityWindow)
        XDestroyWindow(display, utilityWindow);
    if (gc)
        XFreeGC(display, gc);
    if (colormap && colormap != DefaultColormap(display, screen))
        XFreeColormap(display, colormap);
    XCloseDisplay(display);
}

bool Connection::IsIconicState(::Window xid) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    ErrorTrap trap(display);
    bool iconic = XGetWindowProperty(display, xid, atoms.wmState, 0, 2, False, atoms.wmState, &type, &format,
                                     &count, &remaining, &data) == Success &&
                  data && count >= 1 && format == 32 && *reinterpret_cast<const long*>(data) == IconicState;
    if (data)
        XFree(data);
    return iconic && !trap.Failed();
}

Surface* Connection::Find(HWND handle) {
    auto it = surfaces.find(handle);
    return it == surfaces.end() ? nullptr : &it->second;
}

Surface* Connection::FindByXid(::Window xid) {
    auto it = byXid.find(xid);
    return it == byXid.end() ? nullptr : Find(it->second);
}

bool Connection::HasWindowManager() {
    auto readWindow = [&](::Window of, ::Window& value) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long remaining = 0;
        unsigned char* data = nullptr;
        ErrorTrap trap(display);
        bool ok = XGetWindowProperty(display, of, atoms.netSupportingWmCheck, 0, 1, False, XA_WINDOW, &type,
                                     &format, &count, &remaining, &data) == Success &&
                  data && count == 1 && format == 32;
        if (ok)
            value = static_cast<::Window>(*reinterpret_cast<unsigned long*>(data));
        if (data)
            XFree(data);
        return ok && !trap.Failed();
    };
    ::Window check = 0;
    ::Window confirmed = 0;
    // A window manager that died leaves its property behind: its own window must say the same.
    return readWindow(root, check) && readWindow(check, confirmed) && check == confirmed;
}

bool Connection::WindowManagerSupports(Atom hint) {
    if (!HasWindowManager())
        return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, root, atoms.netSupported, 0, 4096, False, XA_ATOM, &type, &format, &count,
                           &remaining, &data) != Success ||
        !data)
        return false;
    const auto* list = reinterpret_cast<const unsigned long*>(data);
    bool found = std::find(list, list + count, hint) != list + count;
    XFree(data);
    return found;
}

} // namespace x11

using x11::Connection;
using x11::Surface;

namespace {

DWORD MonotonicMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<DWORD>(static_cast<unsigned long long>(now.tv_sec) * 1000ull +
                              static_cast<unsigned long long>(now.tv_nsec) / 1000000ull);
}

// Asks the desktop's window manager to activate the window; false when none supports it.
bool SendActivationRequest(Connection& c, const Surface& surface) {
    if (!c.WindowManagerSupports(c.atoms.netActiveWindow))
        return false;
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = surface.xid;
    request.xclient.message_type = c.atoms.netActiveWindow;
    request.xclient.format = 32;
    request.xclient.data.l[0] = 1; // from an application
    request.xclient.data.l[1] = static_cast<long>(c.lastEventTime);
    XSendEvent(c.display, c.root, False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
    return true;
}

void SetNoDecorations(Connection& c, ::Window xid) {
    // flags: decorations given; decorations: none.
    unsigned long hints[5] = {2, 0, 0, 0, 0};
    XChangeProperty(c.display, xid, c.atoms.motifWmHints, c.atoms.motifWmHints, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(hints), 5);
}

void SetPlacementHints(Connection& c, ::Window xid, const RECT& rect) {
    XSizeHints hints{};
    // The position is the program's: the window manager places it there.
    hints.flags = USPosition | USSize;
    hints.x = rect.left;
    hints.y = rect.top;
    hints.width = std::max<int>(1, rect.right - rect.left);
    hints.height = std::max<int>(1, rect.bottom - rect.top);
    XSetWMNormalHints(c.display, xid, &hints);
}

} // namespace

std::unique_ptr<X11Display> X11Display::Open(const char* displayName, std::string& error) {
    const char* name = displayName ? displayName : std::getenv("DISPLAY");
    if (!name || !*name) {
        error = "cannot open the X display: DISPLAY is not set";
        return nullptr;
    }
    x11::ChooseTextLocale();
    x11::InstallErrorHandlers();
    auto c = std::make_unique<Connection>();
    c->display = XOpenDisplay(name);
    if (!c->display) {
        error = std::string("cannot open the X display \"") + name + "\"";
        return nullptr;
    }
    c->screen = DefaultScreen(c->display);
    c->root = RootWindow(c->display, c->screen);
    if (!x11::FindDirectVisual(c->display, c->screen, c->visual, c->depth)) {
        error = std::string("the X display \"") + name + "\" offers no 24-bit true-colour visual";
        return nullptr;
    }
    c->colormap = c->visual == DefaultVisual(c->display, c->screen)
                      ? DefaultColormap(c->display, c->screen)
                      : XCreateColormap(c->display, c->root, c->visual, AllocNone);
    c->atoms.Load(c->display);
    int eventBase = 0;
    int errorBase = 0;
    c->shape = XShapeQueryExtension(c->display, &eventBase, &errorBase);
    c->sharedMemory = XShmQueryExtension(c->display) && !std::getenv("QUILLMERE_NO_SHM");
    XkbSetDetectableAutoRepeat(c->display, True, nullptr);

    XSetWindowAttributes attributes{};
    attributes.colormap = c->colormap;
    attributes.event_mask = PropertyChangeMask;
    c->utilityWindow = XCreateWindow(c->display, c->root, -10, -10, 1, 1, 0, c->depth, InputOutput, c->visual,
                                     CWColormap | CWEventMask, &attributes);
    c->gc = XCreateGC(c->display, c->utilityWindow, 0, nullptr);
    char nothing = 0;
    Pixmap empty = XCreateBitmapFromData(c->display, c->root, &nothing, 1, 1);
    XColor black{};
    c->blankCursor = XCreatePixmapCursor(c->display, empty, empty, &black, &black, 0, 0);
    XFreePixmap(c->display, empty);
    c->cursor = XCreateFontCursor(c->display, XC_left_ptr);
    x11::OpenInputMethod(*c);
    c->clipboard = std::make_unique<x11::Clipboard>(*c);
    return std::unique_ptr<X11Display>(new X11Display(std::move(c)));
}

X11Display::X11Display(std::unique_ptr<Connection> connection) : m_connection(std::move(connection)) {}

X11Display::~X11Display() = default;

SIZE X11Display::ScreenSize() const {
    Connection& c = *m_connection;
    return {DisplayWidth(c.display, c.screen), DisplayHeight(c.display, c.screen)};
}

RECT X11Display::WorkArea() const {
    Connection& c = *m_connection;
    SIZE screen = ScreenSize();
    RECT area = {0, 0, screen.cx, screen.cy};
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(c.display, c.root, c.atoms.netWorkArea, 0, 4, False, XA_CARDINAL, &type, &format,
                           &count, &remaining, &data) == Success &&
        data && count == 4 && format == 32) {
        const auto* values = reinterpret_cast<const long*>(data);
        RECT reported = {static_cast<LONG>(values[0]), static_cast<LONG>(values[1]),
                         static_cast<LONG>(values[0] + values[2]), static_cast<LONG>(values[1] + values[3])};
        if (reported.right > reported.left && reported.bottom > reported.top)
            area = reported;
    }
    if (data)
        XFree(data);
    return area;
}

DWORD X11Display::Now() const {
    return MonotonicMilliseconds();
}

bool X11Display::UsesSharedMemory() const {
    return m_connection->sharedMemory;
}

bool X11Display::HasShapeExtension() const {
    return m_connection->shape;
}

bool X11Display::HasInputMethod() const {
    return m_connection->inputMethod != nullptr;
}

unsigned long X11Display::NativeWindow(HWND window) const {
    Surface* surface = m_connection->Find(window);
    return surface ? surface->xid : 0;
}

void X11Display::SurfaceCreated(HWND window, const RECT& screenRect, bool popup) {
    Connection& c = *m_connection;
    if (c.Find(window))
        return;
    XSetWindowAttributes attributes{};
    attributes.colormap = c.colormap;
    attributes.event_mask = x11::SurfaceEvents;
    attributes.override_redirect = popup ? True : False;
    // No background: the window's own pixels are presented, nothing flashes before them.
    attributes.background_pixmap = None;
    attributes.border_pixel = 0;
    attributes.cursor = c.cursorShown ? c.cursor : c.blankCursor;
    int width = std::max<int>(1, screenRect.right - screenRect.left);
    int height = std::max<int>(1, screenRect.bottom - screenRect.top);
    ::Window xid = XCreateWindow(
        c.display, c.root, screenRect.left, screenRect.top, static_cast<unsigned>(width),
        static_cast<unsigned>(height), 0, c.depth, InputOutput, c.visual,
        CWColormap | CWEventMask | CWOverrideRedirect | CWBackPixmap | CWBorderPixel | CWCursor, &attributes);
    SetNoDecorations(c, xid);
    SetPlacementHints(c, xid, screenRect);
    XSetWMProtocols(c.display, xid, &c.atoms.wmDeleteWindow, 1);
    Atom type = popup ? c.atoms.netWmWindowTypePopupMenu : c.atoms.netWmWindowTypeNormal;
    XChangeProperty(c.display, xid, c.atoms.netWmWindowType, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&type), 1);
    XClassHint classHint{const_cast<char*>("quillmere"), const_cast<char*>("Quillmere")};
    XSetClassHint(c.display, xid, &classHint);
    XWMHints wmHints{};
    wmHints.flags = InputHint;
    wmHints.input = popup ? False : True;
    XSetWMHints(c.display, xid, &wmHints);

    Surface surface;
    surface.handle = window;
    surface.xid = xid;
    surface.rect = screenRect;
    surface.popup = popup;
    surface.inputContext = popup ? nullptr : x11::CreateInputContext(c, xid);
    if (surface.inputContext) {
        long filterEvents = 0;
        XGetICValues(surface.inputContext, XNFilterEvents, &filterEvents, nullptr);
        XSelectInput(c.display, xid, x11::SurfaceEvents | filterEvents);
    }
    c.byXid[xid] = window;
    c.surfaces.emplace(window, std::move(surface));
    SurfaceTitled(window, x11::WindowTitle(window));
}

void X11Display::SurfaceDestroyed(HWND window) {
    Connection& c = *m_connection;
    Surface* surface = c.Find(window);
    if (!surface)
        return;
    surface->image.reset();
    if (surface->inputContext)
        XDestroyIC(surface->inputContext);
    XDestroyWindow(c.display, surface->xid);
    c.byXid.erase(surface->xid);
    c.surfaces.erase(window);
    XFlush(c.display);
}

void X11Display::SurfaceMoved(HWND window, const RECT& screenRect) {
    Connection& c = *m_connection;
    Surface* surface = c.Find(window);
    if (!surface)
        return;
    surface->rect = screenRect;
    // An icon stays where the desktop keeps it; the window comes back to its rectangle.
    if (surface->iconified)
        return;
    int width = std::max<int>(1, screenRect.right - screenRect.left);
    int height = std::max<int>(1, screenRect.bottom - screenRect.top);
    SetPlacementHints(c, surface->xid, screenRect);
    surface->placementRequest = NextRequest(c.display);
    XMoveResizeWindow(c.display, surface->xid, screenRect.left, screenRect.top, static_cast<unsigned>(width),
                      static_cast<unsigned>(height));
    XFlush(c.display);
}

void X11Display::SurfaceShown(HWND window, bool visible) {
    Connection& c = *m_connection;
    Surface* surface = c.Find(window);
    if (!surface)
        return;
    surface->wantVisible = visible;
    if (visible && surface->iconified) {
        // Shown minimised: it starts as an icon.
        XWMHints hints{};
        hints.flags = InputHint | StateHint;
        hints.input = True;
        hints.initial_state = IconicState;
        XSetWMHints(c.display, surface->xid, &hints);
        XMapWindow(c.display, surface->xid);
    } else if (visible)
        XMapRaised(c.display, surface->xid);
    else
        XUnmapWindow(c.display, surface->xid);
    XFlush(c.display);
}

void X11Display::SurfacesRestacked(const std::vector<HWND>& topToBottom) {
    Connection& c = *m_connection;
    std::vector<::Window> order;
    for (HWND handle : topToBottom) {
        if (Surface* surface = c.Find(handle); surface && surface->wantVisible)
            order.push_back(surface->xid);
    }
    if (order.empty())
        return;
    // The topmost is raised, the others slide under it in turn.
    XRaiseWindow(c.display, order.front());
    XRestackWindows(c.display, order.data(), static_cast<int>(order.size()));
    XFlush(c.display);
}

void X11Display::SurfaceActivated(HWND window) {
    Connection& c = *m_connection;
    Surface* surface = c.Find(window);
    if (!surface || surface->popup || !surface->wantVisible)
        return;
    if (!SendActivationRequest(c, *surface) && surface->mapped) {
        x11::ErrorTrap trap(c.display);
        XSetInputFocus(c.display, surface->xid, RevertToParent, CurrentTime);
        trap.Failed();
    }
    XFlush(c.display);
}

void X11Display::SurfaceMinimized(HWND window, bool minimized) {
    Connection& c = *m_connection;
    Surface* surface = c.Find(window);
    if (!surface || surface->popup || surface->iconified == minimized)
        return;
    if (minimized) {
        // Without a desktop window manager nobody keeps icons: the window is parked off screen.
        if (!c.HasWindowManager())
            return;
        surface->iconified = true;
        XIconifyWindow(c.display, surface->xid, c.screen);
    } else {
        surface->iconified = false;
        const RECT& r = surface->rect;
        XMoveResizeWindow(c.display, surface->xid, r.left, r.top,
                          static_cast<unsigned>(std::max<LONG>(1, r.right - r.left)),
                          static_cast<unsigned>(std::max<LONG>(1, r.bottom - r.top)));
        if (surface->wantVisible) {
            // A manager that only hid the window's frame brings it back when asked to
            // activate it; one that unmapped the window maps it again.
            SendActivationRequest(c, *surface);
            XMapRaised(c.display, surface->xid);
        }
    }
    XFlush(c.display);
}

void X11Display::SurfaceTitled(HWND window, std::u16string_view title) {
    Connection& c = *m_connection;
    Surface* surface = c.Find(window);
    if (!surface)
        return;
    std::string utf8 = Utf16ToUtf8(title);
    XChangeProperty(c.display, surface->xid, c.atoms.netWmName, c.atoms.utf8String, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(utf8.data()), static_cast<int>(utf8.size()));
    // Older desktops read the plain name: Latin-1, anything else as '?'.
    std::string latin1;
    for (char16_t ch : title)
        latin1.push_back(ch < 0x100 ? static_cast<char>(ch) : '?');
    XStoreName(c.display, surface->xid, latin1.c_str());
    XFlush(c.display);
}

void X11Display::SurfaceShaped(HWND window, const std::optional<std::vector<RECT>>& shape) {
    Connection& c = *m_connection;
    Surface* surface = c.Find(window);
    if (!surface || !c.shape)
        return;
    if (!shape) {
        XShapeCombineMask(c.display, surface->xid, ShapeBounding, 0, 0, None, ShapeSet);
    } else {
        // No rectangles at all shape the window to nothing.
        std::vector<XRectangle> rects;
        rects.reserve(shape->size());
        for (const RECT& r : *shape) {
            if (r.right <= r.left || r.bottom <= r.top)
                continue;
            rects.push_back({static_cast<short>(r.left), static_cast<short>(r.top),
                             static_cast<unsigned short>(r.right - r.left),
                             static_cast<unsigned short>(r.bottom - r.top)});
        }
        XShapeCombineRectangles(c.display, surface->xid, ShapeBounding, 0, 0, rects.data(),
                                static_cast<int>(rects.size()), ShapeSet, Unsorted);
    }
    XFlush(c.display);
}

void X11Display::Present(HWND window, const PixelBuffer& pixels, const RECT& damage) {
    Connection& c = *m_connection;
    Surface* surface = c.Find(window);
    if (!surface || !pixels.pixels || pixels.width <= 0 || pixels.height <= 0)
        return;
    if (!surface->image || surface->image->Width() != pixels.width ||
        surface->image->Height() != pixels.height) {
        surface->image =
            x11::X11Image::Create(c.display, c.visual, c.depth, pixels.width, pixels.height, c.sharedMemory);
        if (!surface->image)
            return;
    }
    RECT area = {std::max<LONG>(damage.left, 0), std::max<LONG>(damage.top, 0),
                 std::min<LONG>(damage.right, pixels.width), std::min<LONG>(damage.bottom, pixels.height)};
    if (area.right <= area.left || area.bottom <= area.top)
        return;
    size_t rowBytes = static_cast<size_t>(area.right - area.left) * 4;
    for (int y = area.top; y < area.bottom; ++y) {
        const std::uint32_t* from =
            pixels.pixels + static_cast<std::ptrdiff_t>(y) * pixels.stride + area.left;
        std::memcpy(surface->image->Row(y) + area.left, from, rowBytes);
    }
    surface->image->Put(surface->xid, c.gc, area);
}

void X11Display::WarpPointer(POINT screenPosition) {
    Connection& c = *m_connection;
    XWarpPointer(c.display, None, c.root, 0, 0, 0, 0, screenPosition.x, screenPosition.y);
    XFlush(c.display);
}

void X11Display::CursorChanged(WORD standardCursorId) {
    Connection& c = *m_connection;
    if (standardCursorId == c.cursorId)
        return;
    c.cursorId = standardCursorId;
    if (c.cursor)
        XFreeCursor(c.display, c.cursor);
    c.cursor = standardCursorId ? XCreateFontCursor(c.display, x11::FontCursorFor(standardCursorId)) : 0;
    CursorShown(c.cursorShown);
}

void X11Display::CursorShown(bool shown) {
    Connection& c = *m_connection;
    c.cursorShown = shown;
    Cursor showing = shown && c.cursor ? c.cursor : c.blankCursor;
    for (auto& [handle, surface] : c.surfaces)
        XDefineCursor(c.display, surface.xid, showing);
    XFlush(c.display);
}

void X11Display::Beep() {
    XBell(m_connection->display, 0);
    XFlush(m_connection->display);
}

void X11Display::GrabPointer(bool grabbed) {
    Connection& c = *m_connection;
    if (!grabbed) {
        XUngrabPointer(c.display, CurrentTime);
        XFlush(c.display);
        return;
    }
    // The root window is always viewable. With owner events, the pointer's events over our own
    // windows still go to those windows; the others come to us as the root's, with their screen
    // position, which is all the input path reads.
    constexpr unsigned int events = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
    XGrabPointer(c.display, c.root, True, events, GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    XFlush(c.display);
}

bool X11Display::BeginMoveSize(HWND window, int hitCode, POINT screenPosition) {
    Connection& c = *m_connection;
    Surface* surface = c.Find(window);
    if (!surface || surface->popup || !c.WindowManagerSupports(c.atoms.netWmMoveResize))
        return false;
    // The window manager takes the pointer from here on.
    XUngrabPointer(c.display, CurrentTime);
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = surface->xid;
    request.xclient.message_type = c.atoms.netWmMoveResize;
    request.xclient.format = 32;
    request.xclient.data.l[0] = screenPosition.x;
    request.xclient.data.l[1] = screenPosition.y;
    request.xclient.data.l[2] = x11::MoveResizeDirection(hitCode);
    request.xclient.data.l[3] = Button1;
    request.xclient.data.l[4] = 1; // from an application
    XSendEvent(c.display, c.root, False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
    XFlush(c.display);
    return true;
}

void X11Display::SetClipboardText(std::u16string text) {
    m_connection->clipboard->SetText(std::move(text));
}

std::optional<std::u16string> X11Display::ClipboardText() {
    return m_connection->clipboard->Text();
}

void X11Display::ClearClipboardText() {
    m_connection->clipboard->Clear();
}

} // namespace platform
