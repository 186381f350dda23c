#pragma once
// The default handling of WM_SYSCOMMAND: closing, minimising, maximising and restoring,
// moving and sizing with the mouse or the keyboard, scroll bar tracking, the keyboard menu and
// context help.

#include "platform/user/Window.h"

namespace platform {

LRESULT DefaultSystemCommand(Window& window, WPARAM wParam, LPARAM lParam);

} // namespace platform
