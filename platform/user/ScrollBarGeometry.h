#pragma once
// Where a scroll bar and its parts lie on the screen: the bar beside the client area (or a
// scroll bar control's own client area), its two arrows, and the thumb placed from the range,
// page and position. The calls, the tracking loop and the painter all read it.

#include "platform/user/ScrollBarState.h"
#include "platform/user/Window.h"

namespace platform {

struct ScrollBarGeometry {
    RECT bar{}; // screen coordinates
    bool vertical = false;
    bool visible = false; // the window has the bar and room for it
    bool enabled = false; // not disabled as a whole
    int length = 0;       // along the axis
    int arrow = 0;        // length of each arrow
    bool thumbShown = false;
    int thumbStart = 0; // along the axis, from the bar's start
    int thumbEnd = 0;

    int TrackLength() const { return length - 2 * arrow; }
};

// The record of the bar (SB_HORZ, SB_VERT or SB_CTL), or null for another code.
ScrollBarData* BarData(Window& window, int bar);
// A scroll bar control: a window whose bar is SB_CTL: of the "ScrollBar" class, or of a class
// whose procedure hands its messages to that class's (marked when it is created).
bool IsScrollBarControl(const Window& window);
void MarkScrollBarControl(HWND bar);

ScrollBarGeometry MeasureScrollBar(Window& window, int bar);
// The thumb of the geometry moved to a position other than the bar's own.
void PlaceThumb(ScrollBarGeometry& geometry, const ScrollBarData& data, int position);

ScrollPart ScrollPartAt(const ScrollBarGeometry& geometry, POINT screen);
// The part's rectangle on the screen; empty for a part that is not there.
RECT ScrollPartRect(const ScrollBarGeometry& geometry, ScrollPart part);
// The position a thumb starting at thumbStart (along the axis, from the bar's start) stands for.
int PositionForThumb(const ScrollBarGeometry& geometry, const ScrollBarData& data, int thumbStart);

} // namespace platform
