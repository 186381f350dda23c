#include "XTestClient.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <png.h>
#include <poll.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdio>
#include <thread>
#include <vector>

namespace testing_support {

struct XTestClient::State {
    Display* display = nullptr;
    Window root = 0;
    Window helper = 0;
    Atom clipboard = 0;
    Atom utf8 = 0;
    Atom property = 0;
    KeyCode lentKey = 0;
    std::thread owner;
    std::atomic<bool> stopOwner{false};
};

namespace {

void Flush(Display* display) {
    XSync(display, False);
}

// A keycode that has no symbols: free to lend.
KeyCode SpareKeyCode(Display* display) {
    int first = 0;
    int last = 0;
    XDisplayKeycodes(display, &first, &last);
    int perCode = 0;
    KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(first), last - first + 1, &perCode);
    KeyCode spare = 0;
    for (int code = last; code >= first && !spare; --code) {
        bool empty = true;
        for (int i = 0; i < perCode; ++i)
            empty = empty && map[(code - first) * perCode + i] == NoSymbol;
        if (empty)
            spare = static_cast<KeyCode>(code);
    }
    XFree(map);
    return spare;
}

void ServeClipboard(const std::string& displayName, const std::string& utf8, std::atomic<bool>& stop,
                    std::atomic<bool>& ready) {
    Display* display = XOpenDisplay(displayName.c_str());
    if (!display) {
        ready = true;
        return;
    }
    Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
    Atom utf8Type = XInternAtom(display, "UTF8_STRING", False);
    XSetSelectionOwner(display, clipboard, window, CurrentTime);
    Flush(display);
    ready = true;
    while (!stop) {
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, 20);
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != SelectionRequest)
                continue;
            const XSelectionRequestEvent& request = event.xselectionrequest;
            XEvent answer{};
            answer.xselection.type = SelectionNotify;
            answer.xselection.requestor = request.requestor;
            answer.xselection.selection = request.selection;
            answer.xselection.target = request.target;
            answer.xselection.time = request.time;
            answer.xselection.property = None;
            if (request.target == utf8Type) {
                XChangeProperty(display, request.requestor, request.property, utf8Type, 8, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(utf8.data()),
                                static_cast<int>(utf8.size()));
                answer.xselection.property = request.property;
            }
            XSendEvent(display, request.requestor, False, NoEventMask, &answer);
            Flush(display);
        }
    }
    XDestroyWindow(display, window);
    XCloseDisplay(display);
}

} // namespace

std::unique_ptr<XTestClient> XTestClient::Connect(const std::string& displayName) {
    auto state = std::make_unique<State>();
    state->display = XOpenDisplay(displayName.c_str());
    if (!state->display)
        return nullptr;
    state->root = DefaultRootWindow(state->display);
    state->helper = XCreateSimpleWindow(state->display, state->root, 0, 0, 1, 1, 0, 0, 0);
    state->clipboard = XInternAtom(state->display, "CLIPBOARD", False);
    state->utf8 = XInternAtom(state->display, "UTF8_STRING", False);
    state->property = XInternAtom(state->display, "TEST_TRANSFER", False);
    return std::unique_ptr<XTestClient>(new XTestClient(std::move(state)));
}

XTestClient::XTestClient(std::unique_ptr<State> state) : m_state(std::move(state)) {}

XTestClient::~XTestClient() {
    if (m_state->owner.joinable()) {
        m_state->stopOwner = true;
        m_state->owner.join();
    }
    XDestroyWindow(m_state->display, m_state->helper);
    XCloseDisplay(m_state->display);
}

std::uint32_t XTestClient::ScreenPixel(int x, int y) {
    XImage* image = XGetImage(m_state->display, m_state->root, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return 0xFFFFFFFF;
    std::uint32_t pixel = static_cast<std::uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel;
}

ScreenArea XTestClient::ReadScreen(int left, int top, int width, int height) {
    XImage* image = XGetImage(m_state->display, m_state->root, left, top, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image)
        return ScreenArea(left, top, 0, 0, {});
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                   static_cast<std::size_t>(x)] =
                static_cast<std::uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF;
    }
    XDestroyImage(image);
    return ScreenArea(left, top, width, height, std::move(pixels));
}

std::uint32_t ScreenArea::Pixel(int x, int y) const {
    if (x < m_left || y < m_top || x >= m_left + m_width || y >= m_top + m_height)
        return 0xFFFFFFFF;
    return m_pixels[static_cast<std::size_t>(y - m_top) * static_cast<std::size_t>(m_width) +
                    static_cast<std::size_t>(x - m_left)];
}

bool XTestClient::SaveScreenPng(const std::string& path) {
    Display* display = m_state->display;
    return SaveScreenPng(path, 0, 0, DisplayWidth(display, DefaultScreen(display)),
                         DisplayHeight(display, DefaultScreen(display)));
}

bool XTestClient::SaveScreenPng(const std::string& path, int left, int top, int width, int height) {
    Display* display = m_state->display;
    left = std::max(left, 0);
    top = std::max(top, 0);
    width = std::min(width, DisplayWidth(display, DefaultScreen(display)) - left);
    height = std::min(height, DisplayHeight(display, DefaultScreen(display)) - top);
    if (width <= 0 || height <= 0)
        return false;
    XImage* image = XGetImage(display, m_state->root, left, top, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image)
        return false;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        XDestroyImage(image);
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    bool ok = false;
    if (png && info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, file);
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                     PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        std::vector<png_byte> row(static_cast<size_t>(width) * 3);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                unsigned long pixel = XGetPixel(image, x, y);
                row[x * 3] = static_cast<png_byte>((pixel >> 16) & 0xFF);
                row[x * 3 + 1] = static_cast<png_byte>((pixel >> 8) & 0xFF);
                row[x * 3 + 2] = static_cast<png_byte>(pixel & 0xFF);
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    XDestroyImage(image);
    return ok;
}

void XTestClient::PaintDesktop(std::uint32_t colour) {
    XSetWindowBackground(m_state->display, m_state->root, colour);
    XClearWindow(m_state->display, m_state->root);
    Flush(m_state->display);
}

bool XTestClient::IsShown(unsigned long xid) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(m_state->display, xid, &attributes))
        return false;
    return attributes.map_state == IsViewable;
}

bool XTestClient::Geometry(unsigned long xid, int& x, int& y, int& width, int& height) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(m_state->display, xid, &attributes))
        return false;
    Window child = 0;
    XTranslateCoordinates(m_state->display, xid, m_state->root, 0, 0, &x, &y, &child);
    width = attributes.width;
    height = attributes.height;
    return true;
}

std::string XTestClient::WindowName(unsigned long xid) {
    Display* display = m_state->display;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(display, xid, XInternAtom(display, "_NET_WM_NAME", False), 0, 1024, False,
                           m_state->utf8, &type, &format, &count, &remaining, &data) == Success &&
        data) {
        name.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
    }
    return name;
}

void XTestClient::Focus(unsigned long xid) {
    XSetInputFocus(m_state->display, xid, RevertToParent, CurrentTime);
    Flush(m_state->display);
}

bool XTestClient::PointerHeldByAnother() {
    Display* display = m_state->display;
    const int status = XGrabPointer(display, m_state->root, False, ButtonPressMask, GrabModeAsync,
                                    GrabModeAsync, None, None, CurrentTime);
    if (status == GrabSuccess)
        XUngrabPointer(display, CurrentTime);
    Flush(display);
    return status == AlreadyGrabbed;
}

void XTestClient::MovePointer(int x, int y) {
    XTestFakeMotionEvent(m_state->display, -1, x, y, CurrentTime);
    Flush(m_state->display);
}

void XTestClient::Button(int button, bool down) {
    XTestFakeButtonEvent(m_state->display, static_cast<unsigned>(button), down ? True : False, CurrentTime);
    Flush(m_state->display);
}

void XTestClient::Key(unsigned long keysym, bool down) {
    Display* display = m_state->display;
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), down ? True : False, CurrentTime);
    Flush(display);
}

void XTestClient::PressLentKey(char32_t c) {
    Display* display = m_state->display;
    if (!m_state->lentKey)
        m_state->lentKey = SpareKeyCode(display);
    KeyCode spare = m_state->lentKey;
    if (!spare)
        return;
    KeySym symbol = c == 0      ? NoSymbol
                    : c < 0x100 ? static_cast<KeySym>(c)
                                : static_cast<KeySym>(0x01000000 + c);
    XChangeKeyboardMapping(display, spare, 1, &symbol, 1);
    Flush(display);
    if (c == 0)
        return;
    XTestFakeKeyEvent(display, spare, True, CurrentTime);
    XTestFakeKeyEvent(display, spare, False, CurrentTime);
    Flush(display);
}

void XTestClient::SendDeleteWindow(unsigned long xid) {
    Display* display = m_state->display;
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = xid;
    message.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    message.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, xid, False, NoEventMask, &message);
    Flush(display);
}

void XTestClient::BeginClipboardRequest() {
    XDeleteProperty(m_state->display, m_state->helper, m_state->property);
    XConvertSelection(m_state->display, m_state->clipboard, m_state->utf8, m_state->property, m_state->helper,
                      CurrentTime);
    Flush(m_state->display);
}

bool XTestClient::PollClipboardAnswer(std::string& text) {
    Display* display = m_state->display;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, 10);
    XEvent event;
    if (!XCheckTypedWindowEvent(display, m_state->helper, SelectionNotify, &event))
        return false;
    if (event.xselection.property == None)
        return true;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, m_state->helper, m_state->property, 0, LONG_MAX / 4, True,
                           AnyPropertyType, &type, &format, &count, &remaining, &data) == Success &&
        data) {
        text.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
    }
    return true;
}

void XTestClient::OwnClipboard(const std::string& utf8) {
    std::atomic<bool> ready{false};
    const char* name = DisplayString(m_state->display);
    m_state->owner =
        std::thread(ServeClipboard, std::string(name), utf8, std::ref(m_state->stopOwner), std::ref(ready));
    while (!ready)
        std::this_thread::yield();
}

} // namespace testing_support
