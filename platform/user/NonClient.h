#pragma once
// The default handling of the non-client messages: the frame's geometry (WM_NCCALCSIZE) and
// hit testing (WM_NCHITTEST) from the classic frame layout. The frame's painting, caption
// buttons, moving and sizing join here.

#include "platform/user/Window.h"

#include <optional>

namespace platform {

// The default answer to a non-client message, or nothing when the message is not one of them.
std::optional<LRESULT> DefaultNonClientMessage(Window& window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace platform
