#pragma once
// The skinned picture of a scroll bar: track, two arrows, thumb and grip from the skin's
// scroll-bar objects, composed in one memory bitmap and copied once, so the bar never shows a
// half-drawn state. The overlays and the combo box list's bar draw with it.

#include "platform/base/WinTypes.h"

class TSkinElements;

// The parts of a bar; the values are the scroll codes the system reports for them. A hot part
// may hold any other scroll code too (SB_ENDSCROLL when the system's loop ends), which matches
// no part: hence the fixed underlying type.
enum TScrollPart : int {
    spNone = -1,
    spFirstArrow = 0,
    spSecondArrow = 1,
    spTrackBefore = 2,
    spTrackAfter = 3,
    spThumb = 5
};

// The part at a distance along the bar: arrows of `arrow` pixels at the ends of `length`, the
// thumb between thumbStart and thumbEnd.
TScrollPart ScrollPartAt(int along, int length, int arrow, int thumbStart, int thumbEnd);

struct TScrollBarPicture {
    RECT bar{}; // where the bar lies in the target
    bool vertical = true;
    bool enabled = true;
    int arrow = 0;      // the system's arrow size
    int thumbStart = 0; // along the bar, from its start
    int thumbEnd = 0;
    TScrollPart hot = spNone; // the part under the mouse or being operated
    bool pressed = false;
    // The bitmap takes the skin's thickness across the bar instead of the bar's own extent.
    bool skinThickness = false;
};

// Whether two pictures paint the same pixels.
bool SamePicture(const TScrollBarPicture& a, const TScrollBarPicture& b);

// Whether the skin has the scroll-bar arrow strip the picture needs.
bool CanPaintScrollBar(const TSkinElements& skin);

// Paints the bar into dc; `limit` is the size of the target the bar must lie inside (a bar
// reaching past it is not drawn). False when nothing was drawn.
bool PaintScrollBar(HDC dc, const TSkinElements& skin, const TScrollBarPicture& picture, SIZE limit);
