#include "skin/controls/ParentBackground.h"

#include "platform/gdi/WinGdi.h"
#include "platform/user/WinUser.h"

void PaintParentBackground(HWND control, HDC dc) {
    HWND parent = GetParent(control);
    if (!parent || !dc)
        return;
    RECT client{};
    GetClientRect(control, &client);
    POINT origin{0, 0};
    MapWindowPoints(control, parent, &origin, 1);
    // The parent's own painting validates what it paints; what it still had to paint must wait
    // for its turn, not be lost to this borrowed paint.
    HRGN pending = CreateRectRgn(0, 0, 0, 0);
    const int pendingKind = GetUpdateRgn(parent, pending, FALSE);
    const int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
    IntersectClipRect(dc, origin.x, origin.y, origin.x + client.right, origin.y + client.bottom);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(parent, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
    if (pendingKind != NULLREGION && pendingKind != ERROR && IsWindow(parent))
        InvalidateRgn(parent, pending, TRUE);
    DeleteObject(pending);
}
