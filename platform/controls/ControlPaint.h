#pragma once
// Painting steps the controls share: the paint cycle (WM_PAINT with or without a DC in wParam,
// WM_PRINTCLIENT), the control's font, and text drawn enabled or greyed in the classic
// embossed way.

#include "platform/base/WinTypes.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/WinUser.h"

#include <string>
#include <string_view>

namespace platform {

// Runs paint(dc) for WM_PAINT (into the DC of wParam when given, else between BeginPaint and
// EndPaint) and for WM_PRINTCLIENT.
template <typename Paint>
void PaintControl(HWND control, WPARAM dcParam, Paint&& paint) {
    if (HDC given = reinterpret_cast<HDC>(dcParam)) {
        paint(given);
        return;
    }
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(control, &ps);
    if (dc)
        paint(dc);
    EndPaint(control, &ps);
}

// The font a control draws with: the one set by WM_SETFONT, else the system font.
HFONT ControlFont(HFONT font);

std::u16string ControlText(HWND control);

// Text in the DC's text colour, or when disabled embossed: highlight one pixel down and right,
// shadow over it. The background is left as it is.
void DrawControlText(HDC dc, std::u16string_view text, RECT rect, UINT format, bool enabled);

// The rectangle DrawText would fill with the text inside bounds (DT_CALCRECT), placed as the
// format's alignment places it.
RECT MeasureControlText(HDC dc, std::u16string_view text, const RECT& bounds, UINT format);

} // namespace platform
