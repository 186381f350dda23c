#pragma once
// What a window remembers of each of its scroll bars: range, page, position, disabled arrows,
// and the part being pressed while the tracking loop runs.

#include "platform/base/WinTypes.h"

namespace platform {

// A part of a scroll bar, numbered like the scroll code it sends.
enum class ScrollPart {
    None = -1,
    FirstArrow = 0,
    SecondArrow = 1,
    TrackBefore = 2,
    TrackAfter = 3,
    Thumb = 5
};

struct ScrollBarData {
    int minimum = 0;
    int maximum = 100; // window bars start with the range 0 to 100
    UINT page = 0;
    int position = 0;
    int trackPosition = 0;   // the thumb's position while it is dragged
    UINT disabledArrows = 0; // ESB_DISABLE_LTUP, ESB_DISABLE_RTDN
    bool set = false;        // given a range or position by a call
    bool tracking = false;
    ScrollPart pressed = ScrollPart::None;

    // The thumb is being dragged: it shows the track position, not the position.
    bool DraggingThumb() const { return tracking && pressed == ScrollPart::Thumb; }
    // The largest position the page leaves room for.
    int MaximumPosition() const {
        long long last = static_cast<long long>(maximum) - (page > 0 ? static_cast<long long>(page) - 1 : 0);
        return static_cast<int>(last < minimum ? minimum : last);
    }
};

struct ScrollBars {
    ScrollBarData horizontal;
    ScrollBarData vertical;
    ScrollBarData control{0, 0}; // a scroll bar control starts with an empty range
    // Made by the scroll bar control's procedure, under its own class or a superclass of it.
    bool isControl = false;
};

} // namespace platform
