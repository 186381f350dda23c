#include "platform/gdi/WinRect.h"

#include <algorithm>

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
    if (!rect)
        return FALSE;
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT rect) {
    return SetRect(rect, 0, 0, 0, 0);
}

BOOL CopyRect(LPRECT destination, const RECT* source) {
    if (!destination || !source)
        return FALSE;
    *destination = *source;
    return TRUE;
}

BOOL InflateRect(LPRECT rect, int dx, int dy) {
    if (!rect)
        return FALSE;
    rect->left -= dx;
    rect->top -= dy;
    rect->right += dx;
    rect->bottom += dy;
    return TRUE;
}

BOOL OffsetRect(LPRECT rect, int dx, int dy) {
    if (!rect)
        return FALSE;
    rect->left += dx;
    rect->top += dy;
    rect->right += dx;
    rect->bottom += dy;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* rect) {
    return !rect || rect->right <= rect->left || rect->bottom <= rect->top;
}

BOOL EqualRect(const RECT* rect1, const RECT* rect2) {
    if (!rect1 || !rect2)
        return FALSE;
    return rect1->left == rect2->left && rect1->top == rect2->top && rect1->right == rect2->right &&
           rect1->bottom == rect2->bottom;
}

BOOL PtInRect(const RECT* rect, POINT point) {
    return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top &&
           point.y < rect->bottom;
}

BOOL IntersectRect(LPRECT destination, const RECT* source1, const RECT* source2) {
    if (!destination || !source1 || !source2)
        return FALSE;
    RECT result{std::max(source1->left, source2->left), std::max(source1->top, source2->top),
                std::min(source1->right, source2->right), std::min(source1->bottom, source2->bottom)};
    if (IsRectEmpty(&result)) {
        SetRectEmpty(destination);
        return FALSE;
    }
    *destination = result;
    return TRUE;
}

BOOL UnionRect(LPRECT destination, const RECT* source1, const RECT* source2) {
    if (!destination || !source1 || !source2)
        return FALSE;
    const bool empty1 = IsRectEmpty(source1);
    const bool empty2 = IsRectEmpty(source2);
    if (empty1 && empty2) {
        SetRectEmpty(destination);
        return FALSE;
    }
    if (empty1) {
        *destination = *source2;
        return TRUE;
    }
    if (empty2) {
        *destination = *source1;
        return TRUE;
    }
    *destination = RECT{std::min(source1->left, source2->left), std::min(source1->top, source2->top),
                        std::max(source1->right, source2->right), std::max(source1->bottom, source2->bottom)};
    return TRUE;
}

BOOL SubtractRect(LPRECT destination, const RECT* source1, const RECT* source2) {
    if (!destination || !source1 || !source2)
        return FALSE;
    RECT result = *source1;
    RECT overlap;
    if (IntersectRect(&overlap, source1, source2)) {
        const bool fullWidth = overlap.left == result.left && overlap.right == result.right;
        const bool fullHeight = overlap.top == result.top && overlap.bottom == result.bottom;
        if (fullWidth && fullHeight) {
            SetRectEmpty(destination);
            return FALSE;
        }
        if (fullWidth && overlap.top == result.top)
            result.top = overlap.bottom;
        else if (fullWidth && overlap.bottom == result.bottom)
            result.bottom = overlap.top;
        else if (fullHeight && overlap.left == result.left)
            result.left = overlap.right;
        else if (fullHeight && overlap.right == result.right)
            result.right = overlap.left;
    }
    *destination = result;
    return !IsRectEmpty(destination);
}
