#pragma once
// The classic look of a scroll bar: raised arrow buttons, a dotted track and a raised thumb;
// pressed parts shown pushed in, a disabled bar greyed.

#include "platform/user/ScrollBarGeometry.h"

namespace platform {

// Draws the bar into a DC whose origin lies at dcOrigin on the screen.
void DrawScrollBar(HDC dc, POINT dcOrigin, const ScrollBarGeometry& geometry, const ScrollBarData& data);
// Draws one of the window's bars where it lies now.
void RepaintScrollBar(Window& window, int bar);

} // namespace platform
