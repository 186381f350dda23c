#include "platform/user/ScrollBarPainter.h"

#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/WinUser.h"

namespace platform {

namespace {

RECT Local(RECT rect, POINT origin) {
    return {rect.left - origin.x, rect.top - origin.y, rect.right - origin.x, rect.bottom - origin.y};
}

// The track's dotted fill: every other pixel in the highlight colour over the face colour.
void FillTrack(HDC dc, const RECT& rect, POINT origin, bool pressed) {
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    static const WORD Checker[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, Checker);
    HBRUSH brush = pattern ? CreatePatternBrush(pattern) : nullptr;
    if (!brush) {
        FillRect(dc, &rect, GetSysColorBrush(COLOR_SCROLLBAR));
    } else {
        // A pressed stretch of track shows dark.
        COLORREF foreground = GetSysColor(pressed ? COLOR_3DDKSHADOW : COLOR_BTNHIGHLIGHT);
        COLORREF background = GetSysColor(pressed ? COLOR_BTNSHADOW : COLOR_BTNFACE);
        COLORREF oldText = SetTextColor(dc, background);
        COLORREF oldBack = SetBkColor(dc, foreground);
        POINT oldOrigin{};
        // The dots line up with the screen, not with the bar.
        SetBrushOrgEx(dc, -origin.x & 7, -origin.y & 7, &oldOrigin);
        FillRect(dc, &rect, brush);
        SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
        SetTextColor(dc, oldText);
        SetBkColor(dc, oldBack);
    }
    if (brush)
        DeleteObject(brush);
    if (pattern)
        DeleteObject(pattern);
}

void DrawArrow(HDC dc, RECT rect, UINT direction, bool pressed, bool disabled) {
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    UINT state = direction | (pressed ? DFCS_PUSHED | DFCS_FLAT : 0) | (disabled ? DFCS_INACTIVE : 0);
    DrawFrameControl(dc, &rect, DFC_SCROLL, state);
}

} // namespace

void DrawScrollBar(HDC dc, POINT origin, const ScrollBarGeometry& g, const ScrollBarData& data) {
    if (!g.visible)
        return;
    auto pressed = [&](ScrollPart part) { return data.tracking && data.pressed == part; };
    bool firstDisabled = !g.enabled || (data.disabledArrows & ESB_DISABLE_LTUP);
    bool secondDisabled = !g.enabled || (data.disabledArrows & ESB_DISABLE_RTDN);
    DrawArrow(dc, Local(ScrollPartRect(g, ScrollPart::FirstArrow), origin),
              g.vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT, pressed(ScrollPart::FirstArrow), firstDisabled);
    DrawArrow(dc, Local(ScrollPartRect(g, ScrollPart::SecondArrow), origin),
              g.vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT, pressed(ScrollPart::SecondArrow),
              secondDisabled);
    FillTrack(dc, Local(ScrollPartRect(g, ScrollPart::TrackBefore), origin), origin,
              pressed(ScrollPart::TrackBefore));
    FillTrack(dc, Local(ScrollPartRect(g, ScrollPart::TrackAfter), origin), origin,
              pressed(ScrollPart::TrackAfter));
    if (g.thumbShown) {
        RECT thumb = Local(ScrollPartRect(g, ScrollPart::Thumb), origin);
        FillRect(dc, &thumb, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
    }
}

void RepaintScrollBar(Window& window, int bar) {
    if (!IsReallyVisible(window))
        return;
    if (bar == SB_CTL) {
        // A scroll bar control draws itself when it paints.
        InvalidateRect(window.handle, nullptr, FALSE);
        return;
    }
    ScrollBarGeometry geometry = MeasureScrollBar(window, bar);
    ScrollBarData* data = BarData(window, bar);
    if (!geometry.visible || !data)
        return;
    HDC dc = GetWindowDC(window.handle);
    if (!dc)
        return;
    RECT onScreen = WindowRectOnScreen(window);
    DrawScrollBar(dc, {onScreen.left, onScreen.top}, geometry, *data);
    ReleaseDC(window.handle, dc);
}

} // namespace platform
