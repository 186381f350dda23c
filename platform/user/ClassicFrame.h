#pragma once
// The classic frame: raised borders (sizing borders in the border colour), the caption in the
// active or inactive colours with the window's small icon, its text and the caption buttons,
// the menu bar's band, the client edge, the scroll bars and the size box between them.

#include "platform/user/Window.h"

namespace platform {

// Paints the whole non-client area into a DC whose origin is the window's top-left corner.
// The client area is left alone.
void DrawClassicFrame(HDC dc, Window& window);
// The default WM_NCPAINT: the frame drawn into the window's DC, limited to the region (screen
// coordinates; 1 or null for the whole frame), which the call takes over.
void PaintClassicFrame(Window& window, HRGN region);
// The icon the caption shows: the window's small icon, else its class's, else the large ones.
HICON CaptionIcon(const Window& window);

} // namespace platform
