#pragma once
// Points and rectangles of the framework are the platform's, with the usual constructors.

#include "platform/base/WinTypes.h"

using TPoint = POINT;
using TRect = RECT;
using TSize = SIZE;

constexpr TPoint Point(int x, int y) {
    return TPoint{x, y};
}
constexpr TRect Rect(int left, int top, int right, int bottom) {
    return TRect{left, top, right, bottom};
}
constexpr TRect Bounds(int left, int top, int width, int height) {
    return TRect{left, top, left + width, top + height};
}
constexpr int RectWidth(const TRect& rect) {
    return rect.right - rect.left;
}
constexpr int RectHeight(const TRect& rect) {
    return rect.bottom - rect.top;
}
