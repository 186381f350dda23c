#pragma once
// Where the parts of a window's classic frame lie, from its size and styles alone: border,
// caption with its buttons, menu bar, client edge, scroll bars and client area, in window
// coordinates. The default WM_NCCALCSIZE, WM_NCHITTEST and the frame painter all read it.

#include "platform/base/WinTypes.h"

namespace platform {

struct FrameLayout {
    RECT window{};  // (0, 0, width, height)
    SIZE frame{};   // thickness of the outer border on each side
    RECT caption{}; // the caption bar, without the line under it; empty when none
    RECT systemMenuButton{};
    RECT minimizeButton{};
    RECT maximizeButton{};
    RECT closeButton{};
    RECT helpButton{};
    RECT menuBar{};        // empty when the window has no menu
    SIZE clientEdge{};     // thickness of the sunken (or static) edge around the client area
    RECT inside{};         // within the border, caption and menu: client edge, scroll bars, client
    RECT verticalScroll{}; // empty when the window has no vertical bar
    RECT horizontalScroll{};
    RECT sizeBox{}; // the square between two bars
    RECT client{};
};

FrameLayout LayoutFrame(SIZE windowSize, DWORD style, DWORD exStyle, int menuBarHeight);

// Thickness of the outer border a style gives.
SIZE FrameThickness(DWORD style, DWORD exStyle);
bool HasCaption(DWORD style);

// The hit-test code of a point (window coordinates) over such a frame.
LRESULT HitTestFrame(const FrameLayout& layout, POINT point, DWORD style, DWORD exStyle);

bool PointInRect(const RECT& rect, POINT point);
bool IsRectEmptyish(const RECT& rect);

} // namespace platform
