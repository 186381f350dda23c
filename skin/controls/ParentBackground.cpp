#include "skin/controls/ParentBackground.h"

#include "platform/gdi/WinGdi.h"
#include "platform/user/WinUser.h"

void PaintParentBackground(HWND control, HDC dc) {
    HWND parent = GetParent(control);
    if (!parent || !dc)
        return;
    RECT area{};
    GetClientRect(control, &area);
    MapWindowPoints(control, parent, reinterpret_cast<POINT*>(&area), 2);
    PaintWindowArea(parent, area, dc);
}

void PaintWindowArea(HWND window, const RECT& area, HDC dc) {
    if (!window || !dc)
        return;
    // The window's own painting validates what it paints; what it still had to paint must wait
    // for its turn, not be lost to this borrowed paint.
    HRGN pending = CreateRectRgn(0, 0, 0, 0);
    const int pendingKind = GetUpdateRgn(window, pending, FALSE);
    const int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, -area.left, -area.top, nullptr);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
    if (pendingKind != NULLREGION && pendingKind != ERROR && IsWindow(window))
        InvalidateRgn(window, pending, TRUE);
    DeleteObject(pending);
}
