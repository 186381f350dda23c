#pragma once
// The modal loop that follows a press on a scroll bar until the button goes up: arrows and
// track repeat their scroll code while held, the thumb follows the pointer.

#include "platform/user/Window.h"

namespace platform {

// A press at a screen point on the window's bar (SB_HORZ, SB_VERT, or SB_CTL for a scroll bar
// control, whose notifications go to its parent). Returns when the loop ends.
void TrackScrollBar(Window& window, int bar, POINT screen);

} // namespace platform
