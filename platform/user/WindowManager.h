#pragma once
// Internal calls shared by the parts of the window manager (creation, placement, activation,
// input, the message queue). Each takes a live window record; none is part of the public API.

#include "platform/user/Window.h"

namespace platform {

// Z-order: links a window among its parent's children. insertAfter is HWND_TOP, HWND_BOTTOM,
// HWND_TOPMOST, HWND_NOTOPMOST or a sibling.
void LinkIntoZOrder(Window& window, HWND insertAfter);
void UnlinkFromParent(Window& window);
// Tells the display the new stacking of the top-level windows.
void PublishStacking();

// The work of SetWindowPos on a checked window.
bool PlaceWindow(Window& window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
// Height of the menu bar of a top-level window with a menu, at a window width (the bar's items
// wrap to more rows in a narrow window).
int MenuBarHeight(const Window& window, int windowWidth);
// The default size limits of a window, then the window's own answer to WM_GETMINMAXINFO.
MINMAXINFO AskMinMaxInfo(Window& window);

// Activation and focus.
bool ActivateWindow(Window* target, WORD how, bool byMouse);
// Moves activation away from a window that is being hidden, disabled or destroyed.
void ActivateOtherWindow(Window& leaving);
bool SetFocusTo(Window* target);
Window* ActiveWindowRecord();
Window* FocusWindowRecord();
// Drops focus, capture and mouse tracking held by the window or its descendants.
void ReleaseInputOf(Window& window);

// The message queue's view of windows going away.
void PurgeMessagesOf(HWND window);
void KillTimersOf(HWND window);

// Sends WM_PARENTNOTIFY for a child being created or destroyed up its ancestor chain.
void NotifyParents(Window& child, UINT event);

} // namespace platform
