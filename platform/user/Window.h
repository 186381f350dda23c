#pragma once
// The window manager's record of one window, and the registry that hands out window handles.
// Handles are checked on every use; a destroyed window's record stays readable until no
// message call is running any more, so a window destroyed inside its own message handling
// never leaves a dangling record behind the caller.

#include "platform/base/WinTypes.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/Region.h"
#include "platform/user/ScrollBarState.h"
#include "platform/user/WinUserTypes.h"
#include "platform/user/WindowStyles.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class WindowClass;

// A window procedure with the character set of the messages it expects.
struct Procedure {
    WNDPROC function = nullptr;
    bool unicode = false;
};

enum class WindowLife { Alive, Destroying, Destroyed };

// Restored (normal) placement kept while a window is minimised or maximised.
struct Placement {
    RECT normalRect{}; // in the parent's client coordinates
    POINT minPosition{-1, -1};
    POINT maxPosition{-1, -1};
    bool restoreToMaximized = false;
};

class Window {
public:
    HWND handle = nullptr;
    WindowClass* windowClass = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    Window* parent = nullptr; // the desktop for top-level windows; null for the desktop itself
    Window* owner = nullptr;
    std::vector<Window*> children; // z-order, topmost first
    RECT windowRect{};             // in the parent's client coordinates
    RECT clientRect{};             // in the parent's client coordinates
    Procedure procedure;
    std::u16string text;
    HINSTANCE instance = nullptr;
    LONG_PTR id = 0; // child id, or the menu handle of a top-level window
    LONG_PTR userData = 0;
    std::vector<BYTE> extraBytes;
    struct Property {
        ATOM atom;
        bool ownsAtom; // added from a name by SetProp, released by RemoveProp
        HANDLE data;
    };
    std::vector<Property> properties;
    Placement placement;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    ScrollBars scrollBars;
    WindowLife life = WindowLife::Alive;
    bool destroyRequested = false; // DestroyWindow is running for it

    // Painting. The update region is in window coordinates and may reach into the frame.
    Region updateRegion;
    bool frameNeedsPaint = false;
    bool needsErase = false;
    bool internalPaint = false;
    bool paintNeedsErase = false; // the window answered WM_ERASEBKGND with 0
    bool painting = false;        // between BeginPaint and EndPaint
    // The window's shape (window coordinates), when a region was set; owned by the system.
    std::optional<Region> shape;
    // A top-level window's pixels: its whole window rectangle.
    std::shared_ptr<PixelSurface> backingStore;
    HDC ownDC = nullptr;      // the DC of a CS_OWNDC or CS_CLASSDC window
    BYTE pendingLeadByte = 0; // first byte of a double-byte character sent to a wide procedure

    bool IsChild() const { return (style & WS_CHILD) != 0; }
    bool IsVisibleStyle() const { return (style & WS_VISIBLE) != 0; }
    bool IsDesktop() const { return parent == nullptr; }
    bool IsTopLevel() const { return parent && parent->IsDesktop(); }
    bool IsAlive() const { return life != WindowLife::Destroyed; }
};

// The live window behind a handle, or null with ERROR_INVALID_WINDOW_HANDLE set. A window
// that has received WM_NCDESTROY is no longer live.
Window* WindowFromHandle(HWND handle);
// The same without touching the last error.
Window* FindLiveWindow(HWND handle);

// The desktop window: root of every top-level window, covering the screen.
Window& DesktopWindow();

HWND InsertWindow(std::unique_ptr<Window> window);
// Takes the handle out of the registry; the record is freed once no message call runs.
void RetireWindow(Window& window);

// Every live window, in no particular order; for whole-registry walks.
std::vector<HWND> AllWindowHandles();

// Counts nested message calls; records of retired windows are freed when the outermost call
// returns.
class MessageCallScope {
public:
    MessageCallScope();
    ~MessageCallScope();
    MessageCallScope(const MessageCallScope&) = delete;
    MessageCallScope& operator=(const MessageCallScope&) = delete;
};

// Geometry helpers shared by the window manager.
POINT ClientOriginOnScreen(const Window& window);
RECT WindowRectOnScreen(const Window& window);
RECT ClientRectOnScreen(const Window& window);
// True when the window and all its ancestors are visible.
bool IsReallyVisible(const Window& window);
bool IsAncestorOf(const Window& ancestor, const Window& window);
Window* TopLevelOf(Window& window);

} // namespace platform
