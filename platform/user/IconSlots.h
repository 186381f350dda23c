#pragma once
// Where minimised child windows lie: in a row of slots along the bottom of the parent's
// client area, from the left, further rows above when one fills up.

#include "platform/user/Window.h"

namespace platform {

// The top-left of slot `index` in a client area of that size.
POINT IconSlotPosition(SIZE client, int index);
// The first slot no other minimised sibling of the window occupies.
POINT FreeIconSlot(const Window& window);

} // namespace platform
