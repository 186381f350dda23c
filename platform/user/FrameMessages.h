#pragma once
// The default handling of the messages about a window's frame and appearance that the frame
// code owns: the mouse over the frame, activation of the caption, the system keys that open
// the window's menu, and the colours controls ask their parent for.

#include "platform/user/Window.h"

#include <optional>

namespace platform {

std::optional<LRESULT> DefaultFrameMessage(Window& window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace platform
