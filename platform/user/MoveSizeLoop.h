#pragma once
// Moving and sizing a window with the mouse or the keyboard (SC_MOVE, SC_SIZE): the desktop's
// window manager takes a top-level window's drag when it can; otherwise a modal loop follows
// the pointer, keeping the size within the window's limits and letting it adjust each step
// (WM_MOVING, WM_SIZING).

#include "platform/user/Window.h"

namespace platform {

// command is SC_MOVE or SC_SIZE with the dragged part in its low four bits (HTCAPTION for a
// move with the mouse, a WMSZ_ edge for sizing, 0 for the keyboard); start is the pointer's
// screen position.
void MoveOrSizeWindow(Window& window, WPARAM command, POINT start);

} // namespace platform
