#pragma once
// The user's input as the window manager sees it: a queue of hardware events from the display
// that become window messages when a message loop takes them, the keyboard state of the
// messages taken so far, mouse capture and mouse tracking.

#include "platform/user/Window.h"

#include <optional>

namespace platform {

struct QueuedMessage {
    MSG msg{};
    bool unicode = true;
};

// Connects the window manager to the display's input, once.
void ConnectInput();

// The next input message for the filter, routed now (hit tests, capture, focus). With remove
// the event leaves the queue and its effects happen: key state, activation by click, cursor
// shape, double clicks, mouse-leave tracking.
std::optional<QueuedMessage> TakeInputMessage(HWND filter, UINT first, UINT last, bool remove);
bool HasPendingInput();

// Hover tracking: milliseconds until a WM_MOUSEHOVER may be due (INFINITE when none), and the
// check that posts it.
DWORD MillisecondsToHover();
void PostDueHover();

// The window under a screen point for mouse input and its hit-test code. A disabled top-level
// window answers HTERROR; disabled child windows leave the point to their parent.
struct HitResult {
    Window* window = nullptr;
    LRESULT code = 0; // HTNOWHERE
};
HitResult HitTestScreen(POINT screen, bool forMouse);

POINT CursorPosition();

// Whether a message matches a retrieval filter (window and message range).
bool MatchesFilter(const MSG& message, HWND filter, UINT first, UINT last);

} // namespace platform
