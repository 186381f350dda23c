#pragma once
// Painting: update regions, the order of WM_NCPAINT, WM_ERASEBKGND and WM_PAINT, device
// contexts of windows, and the backing store every top-level window draws into.

#include "platform/user/Input.h"
#include "platform/user/Window.h"

#include <optional>

namespace platform {

// Which windows clip a device context's visible region.
enum ClipFlag : unsigned {
    ClipChildren = 1, // the window's visible children
    ClipSiblings = 2, // siblings above the window
    ClipToParent = 4, // draw anywhere in the parent's client area (CS_PARENTDC)
};

// Where a window (whole or client area) lies in its top-level window's backing store.
POINT OffsetInTopLevel(const Window& window, bool client);
// The part of the backing store a window's device context may draw on, in backing-store
// coordinates; empty for a window that is not shown.
Region VisibleRegion(Window& window, bool wholeWindow, unsigned clipFlags);
// The clip flags a window's styles ask for.
unsigned StyleClipFlags(const Window& window);

// A top-level window's backing store, sized to its window rectangle, old pixels kept.
void EnsureBackingStore(Window& topLevel);

// RedrawWindow's work: area is in window coordinates, or everything when absent.
void Redraw(Window& window, const std::optional<Region>& area, UINT flags);
// Repaints what a change of place, size, stacking or visibility exposed.
void RepaintAfterPlacement(Window& window, const RECT& oldWindowRect, UINT flags, bool clientChanged);

std::optional<QueuedMessage> TakePaintMessage(HWND filter, UINT first, UINT last);
bool HasPendingPaint();

// Device contexts handed to windows; ReleaseDC and window destruction end them.
HDC WindowDC(Window& window, bool wholeWindow, unsigned clipFlags, const Region* intersect,
             const Region* exclude);
void ForgetDCsOf(Window& window);
// Shows the window's part of its backing store on the display.
void PresentWindow(Window& window);

// The default WM_ERASEBKGND (the class brush) and WM_PRINT.
LRESULT EraseWithClassBrush(Window& window, HDC dc);
LRESULT PrintWindowInto(Window& window, HDC dc, LPARAM options);

// The caret hides while its window paints.
void HideCaretForPaint(HWND window);
void ShowCaretAfterPaint(HWND window);
void DestroyCaretOf(HWND window);
// The caret's blinking tick; false when the timer is not the caret's.
bool BlinkCaret(HWND window, UINT_PTR timerId);

} // namespace platform
