#pragma once
// Where the tabs of a tab control lie: rows (columns for vertical tabs) filled in order, the
// row of the selected tab next to the display area, rows of several tabs stretched to the
// full length unless ragged, and single-line tabs that overflow scrolled by a first visible
// tab. Tabs are laid out along a line as if on top and then placed on their side.

#include "platform/base/WinTypes.h"

#include <vector>

namespace platform {

enum class TabSide { Top, Bottom, Left, Right };

struct TabLayoutInput {
    SIZE client{};
    TabSide side = TabSide::Top;
    bool buttons = false;
    bool multiline = false;
    bool raggedRight = false;
    std::vector<int> lengths; // each tab's extent along the line
    int thickness = 0;        // each tab's extent across the line
    int selected = -1;
    int firstVisible = 0;
    int scrollerLength = 0; // room the scroller takes at the end of an overflowing line
};

struct TabLayout {
    std::vector<RECT> rects;
    int rows = 0;
    bool overflows = false;
    int lastFirstVisible = 0; // the largest first visible tab that still fills the line
};

// The gap left at the start of the line and above the tabs for the selected tab to grow into.
constexpr int TabMargin = 2;
// The space between buttons of a button-style tab control.
constexpr int TabButtonGap = 3;

TabLayout LayOutTabs(const TabLayoutInput& input);

// The display area of a tab control from its window rectangle (or the window rectangle from a
// display area when larger is set), for the rows a layout has.
RECT AdjustTabRect(RECT rect, bool larger, TabSide side, bool buttons, int rows, int thickness);

} // namespace platform
