#pragma once
// The default handling of the mouse over the frame: a press on the caption moves the window,
// on a border sizes it, on a caption button presses the button until the release, on a scroll
// bar starts its tracking; a double click on the caption maximises or restores.

#include "platform/user/Window.h"

#include <optional>

namespace platform {

std::optional<LRESULT> DefaultNonClientMouse(Window& window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace platform
