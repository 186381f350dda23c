#include "platform/display/x11/X11Clipboard.h"

#include "platform/base/CodePage.h"

#include <X11/Xatom.h>

#include <poll.h>
#include <time.h>

#include <climits>

namespace platform::x11 {

namespace {

// How long a paste waits for the owning program to answer, in milliseconds.
constexpr long AnswerTimeout = 1000;

long MonotonicMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000 + now.tv_nsec / 1000000;
}

std::string Utf8ToLatin1(const std::string& utf8) {
    std::u16string wide = Utf8ToUtf16(utf8);
    std::string latin1;
    for (char16_t c : wide)
        latin1.push_back(c < 0x100 ? static_cast<char>(c) : '?');
    return latin1;
}

std::string Latin1ToUtf8(const std::string& latin1) {
    std::u16string wide;
    for (char c : latin1)
        wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return Utf16ToUtf8(wide);
}

} // namespace

void Clipboard::SetText(std::u16string text) {
    m_owned = Utf16ToUtf8(text);
    XSetSelectionOwner(m_connection.display, m_connection.atoms.clipboard, m_connection.utilityWindow,
                       m_connection.lastEventTime);
    if (XGetSelectionOwner(m_connection.display, m_connection.atoms.clipboard) != m_connection.utilityWindow)
        m_owned.reset();
}

void Clipboard::Clear() {
    m_owned.reset();
    // At the server's present time: a text another program took ownership for after our last
    // event must go too.
    XSetSelectionOwner(m_connection.display, m_connection.atoms.clipboard, None, CurrentTime);
    XFlush(m_connection.display);
}

std::optional<std::u16string> Clipboard::Text() {
    ::Window owner = XGetSelectionOwner(m_connection.display, m_connection.atoms.clipboard);
    if (owner == None)
        return std::nullopt;
    if (owner == m_connection.utilityWindow && m_owned)
        return Utf8ToUtf16(*m_owned);
    if (auto utf8 = Fetch(m_connection.atoms.utf8String))
        return Utf8ToUtf16(*utf8);
    if (auto latin1 = Fetch(XA_STRING))
        return Utf8ToUtf16(Latin1ToUtf8(*latin1));
    return std::nullopt;
}

bool Clipboard::WaitForNotify(XEvent& notify) {
    ::Display* display = m_connection.display;
    long deadline = MonotonicMilliseconds() + AnswerTimeout;
    for (;;) {
        if (XCheckTypedWindowEvent(display, m_connection.utilityWindow, SelectionNotify, &notify))
            return true;
        long left = deadline - MonotonicMilliseconds();
        if (left <= 0)
            return false;
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left));
        XPending(display);
    }
}

std::optional<std::string> Clipboard::Fetch(Atom target) {
    ::Display* display = m_connection.display;
    Atom property = m_connection.atoms.transferProperty;
    XDeleteProperty(display, m_connection.utilityWindow, property);
    XConvertSelection(display, m_connection.atoms.clipboard, target, property, m_connection.utilityWindow,
                      m_connection.lastEventTime);
    XFlush(display);
    XEvent notify;
    if (!WaitForNotify(notify) || notify.xselection.property == None)
        return std::nullopt;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, m_connection.utilityWindow, property, 0, LONG_MAX / 4, True,
                           AnyPropertyType, &type, &format, &count, &remaining, &data) != Success)
        return std::nullopt;
    std::optional<std::string> text;
    // Incremental transfers (texts of hundreds of kilobytes) are not taken.
    if (data && type != m_connection.atoms.incr && format == 8)
        text = std::string(reinterpret_cast<const char*>(data), count);
    if (data)
        XFree(data);
    return text;
}

void Clipboard::OnSelectionRequest(const XSelectionRequestEvent& request) {
    ::Display* display = m_connection.display;
    const Atoms& atoms = m_connection.atoms;
    XEvent answer{};
    answer.xselection.type = SelectionNotify;
    answer.xselection.requestor = request.requestor;
    answer.xselection.selection = request.selection;
    answer.xselection.target = request.target;
    answer.xselection.time = request.time;
    // Old clients name no property: the target's name serves.
    Atom property = request.property != None ? request.property : request.target;
    answer.xselection.property = None;
    if (m_owned && request.selection == atoms.clipboard) {
        if (request.target == atoms.targets) {
            Atom offered[] = {atoms.targets, atoms.utf8String, atoms.text, XA_STRING};
            XChangeProperty(display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(offered), 4);
            answer.xselection.property = property;
        } else if (request.target == atoms.utf8String || request.target == atoms.text) {
            XChangeProperty(display, request.requestor, property, atoms.utf8String, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(m_owned->data()),
                            static_cast<int>(m_owned->size()));
            answer.xselection.property = property;
        } else if (request.target == XA_STRING) {
            std::string latin1 = Utf8ToLatin1(*m_owned);
            XChangeProperty(display, request.requestor, property, XA_STRING, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(latin1.data()),
                            static_cast<int>(latin1.size()));
            answer.xselection.property = property;
        }
    }
    XSendEvent(display, request.requestor, False, NoEventMask, &answer);
    XFlush(display);
}

} // namespace platform::x11
