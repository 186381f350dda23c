#pragma once
// The place of a maximised MDI child: its client area fills the MDI client's, its frame lies
// outside where the MDI client clips it.

#include "platform/base/WinTypes.h"

namespace platform {

// In the MDI client's client coordinates.
RECT MaximizedChildRect(HWND child);

} // namespace platform
