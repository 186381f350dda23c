#pragma once
// The X11 backend's connection to the server and its record of each surface. Only the
// backend's own sources include this header: it brings in Xlib.

#include "platform/display/DisplayBackend.h"
#include "platform/display/x11/X11Image.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <map>
#include <memory>
#include <string>

namespace platform::x11 {

struct Atoms {
    Atom wmProtocols;
    Atom wmDeleteWindow;
    Atom wmState;
    Atom motifWmHints;
    Atom netWmMoveResize;
    Atom netSupported;
    Atom netSupportingWmCheck;
    Atom netActiveWindow;
    Atom netWorkArea;
    Atom netWmWindowType;
    Atom netWmWindowTypeNormal;
    Atom netWmWindowTypePopupMenu;
    Atom netWmName;
    Atom clipboard;
    Atom targets;
    Atom utf8String;
    Atom text;
    Atom incr;
    Atom transferProperty;

    void Load(::Display* display);
};

// One top-level window's X window.
struct Surface {
    HWND handle = nullptr;
    ::Window xid = 0;
    RECT rect{}; // on the screen, as last set or reported
    // The request that last moved or sized the X window: configure events the server made before
    // it tell of an older place.
    unsigned long placementRequest = 0;
    bool popup = false;
    bool mapped = false; // as the server reports it
    bool wantVisible = false;
    bool iconified = false; // kept as an icon by the desktop's window manager
    XIC inputContext = nullptr;
    std::unique_ptr<X11Image> image; // what was presented last
};

// Collects the X errors of the requests made while it lives; Xlib's default handler would end
// the program on a request that failed because a window had just gone.
class ErrorTrap {
public:
    explicit ErrorTrap(::Display* display);
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;
    // Waits for the server to answer what was sent and tells whether any request failed.
    bool Failed();

private:
    ::Display* m_display;
    int m_previousCount;
};
// Installs the process-wide handlers once: errors are counted, a lost connection ends the
// program with a message.
void InstallErrorHandlers();
int ErrorCount();

class Clipboard;

class Connection {
public:
    ::Display* display = nullptr;
    int screen = 0;
    ::Window root = 0;
    Visual* visual = nullptr;
    int depth = 0;
    Colormap colormap = 0;
    GC gc = nullptr;
    Atoms atoms{};
    bool shape = false;
    bool sharedMemory = false;
    XIM inputMethod = nullptr;
    XIMStyle inputStyle = 0;
    ::Window utilityWindow = 0; // owns the selection, never mapped
    Time lastEventTime = CurrentTime;
    std::map<HWND, Surface> surfaces;
    std::map<::Window, HWND> byXid;
    Cursor cursor = 0;
    Cursor blankCursor = 0;
    WORD cursorId = 32512;
    bool cursorShown = true;
    std::unique_ptr<Clipboard> clipboard;

    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    Surface* Find(HWND handle);
    Surface* FindByXid(::Window xid);
    // True when a window manager runs and supports the named hint.
    bool WindowManagerSupports(Atom hint);
    // True when a window manager runs.
    bool HasWindowManager();
    // Whether the window manager keeps the window as an icon now (its WM_STATE).
    bool IsIconicState(::Window xid);
};

// Keyboard: the virtual key of a key event and the text it commits.
struct KeyTranslation {
    UINT virtualKey = 0;
    UINT scanCode = 0;
    bool extendedKey = false;
    std::u16string text;
};
KeyTranslation TranslateKey(Connection& connection, XKeyEvent& event, XIC inputContext);
XIC CreateInputContext(Connection& connection, ::Window xid);
void OpenInputMethod(Connection& connection);

} // namespace platform::x11
