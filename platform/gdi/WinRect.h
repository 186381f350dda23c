#pragma once
// Rectangle helpers of the platform's user interface part. A rectangle covers left <= x < right
// and top <= y < bottom; one whose right is not beyond its left (or bottom beyond top) is empty.

#include "platform/base/WinTypes.h"

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(LPRECT rect);
BOOL CopyRect(LPRECT destination, const RECT* source);
BOOL InflateRect(LPRECT rect, int dx, int dy);
BOOL OffsetRect(LPRECT rect, int dx, int dy);
BOOL IsRectEmpty(const RECT* rect);
BOOL EqualRect(const RECT* rect1, const RECT* rect2);
BOOL PtInRect(const RECT* rect, POINT point);
// Both set the destination to the empty rectangle (0, 0, 0, 0) and answer FALSE when the
// result is empty.
BOOL IntersectRect(LPRECT destination, const RECT* source1, const RECT* source2);
BOOL UnionRect(LPRECT destination, const RECT* source1, const RECT* source2);
// source1 less source2 when what remains is a rectangle; otherwise a copy of source1.
BOOL SubtractRect(LPRECT destination, const RECT* source1, const RECT* source2);
