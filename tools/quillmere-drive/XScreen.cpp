#include "XScreen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <time.h>

struct XScreen::State {
    Display* display = nullptr;
};

namespace {

long Milliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000 + now.tv_nsec / 1000000;
}

void Pause(long milliseconds) {
    timespec pause{milliseconds / 1000, (milliseconds % 1000) * 1000 * 1000};
    nanosleep(&pause, nullptr);
}

// A window that goes while it is looked at is no reason to end the driver (Xlib's default
// handler would end the process).
int IgnoreErrors(Display*, XErrorEvent*) {
    return 0;
}

} // namespace

bool WaitFor(const std::function<bool()>& condition, int seconds) {
    long deadline = Milliseconds() + seconds * 1000L;
    while (Milliseconds() < deadline) {
        if (condition())
            return true;
        Pause(20);
    }
    return condition();
}

std::unique_ptr<XScreen> XScreen::Open(const std::string& displayName) {
    XSetErrorHandler(IgnoreErrors);
    auto state = std::make_unique<State>();
    state->display = XOpenDisplay(displayName.c_str());
    if (!state->display)
        return nullptr;
    return std::unique_ptr<XScreen>(new XScreen(std::move(state)));
}

XScreen::XScreen(std::unique_ptr<State> state) : m_state(std::move(state)) {}

XScreen::~XScreen() {
    XCloseDisplay(m_state->display);
}

std::vector<XWindow> XScreen::ShownWindows() {
    std::vector<XWindow> shown;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(m_state->display, DefaultRootWindow(m_state->display), &root, &parent, &children, &count))
        return shown;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        // The display's own 1 x 1 helper windows are not what a person sees.
        if (XGetWindowAttributes(m_state->display, children[i], &attributes) &&
            attributes.map_state == IsViewable && attributes.width > 1)
            shown.push_back(children[i]);
    }
    if (children)
        XFree(children);
    return shown;
}

ScreenRect XScreen::Geometry(XWindow window) {
    ScreenRect rect;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(m_state->display, window, &attributes))
        return rect;
    Window child = 0;
    XTranslateCoordinates(m_state->display, window, DefaultRootWindow(m_state->display), 0, 0, &rect.x,
                          &rect.y, &child);
    rect.width = attributes.width;
    rect.height = attributes.height;
    return rect;
}

std::vector<char> XScreen::Pixels(const ScreenRect& area) {
    if (area.width <= 0 || area.height <= 0)
        return {};
    XImage* image =
        XGetImage(m_state->display, DefaultRootWindow(m_state->display), area.x, area.y,
                  static_cast<unsigned>(area.width), static_cast<unsigned>(area.height), AllPlanes, ZPixmap);
    if (!image)
        return {};
    std::vector<char> bytes(image->data,
                            image->data + static_cast<std::size_t>(image->bytes_per_line) * image->height);
    XDestroyImage(image);
    return bytes;
}

bool XScreen::WaitUntilStill(const ScreenRect& area) {
    std::vector<char> before = Pixels(area);
    return WaitFor([&] {
        Pause(200);
        std::vector<char> now = Pixels(area);
        bool still = now == before;
        before = std::move(now);
        return still;
    });
}

XWindow XScreen::NewWindow(const std::set<XWindow>& known) {
    for (XWindow window : ShownWindows()) {
        if (!known.count(window))
            return window;
    }
    return 0;
}

bool XScreen::IsShown(XWindow window) {
    for (XWindow shown : ShownWindows()) {
        if (shown == window)
            return true;
    }
    return false;
}
