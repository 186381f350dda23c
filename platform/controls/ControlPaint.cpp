#include "platform/controls/ControlPaint.h"

namespace platform {

HFONT ControlFont(HFONT font) {
    return font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

std::u16string ControlText(HWND control) {
    int length = GetWindowTextLengthW(control);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    int copied = GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void DrawControlText(HDC dc, std::u16string_view text, RECT rect, UINT format, bool enabled) {
    int count = static_cast<int>(text.size());
    int mode = SetBkMode(dc, TRANSPARENT);
    if (enabled) {
        DrawTextW(dc, text.data(), count, &rect, format);
    } else {
        COLORREF colour = SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        RECT lower = rect;
        OffsetRect(&lower, 1, 1);
        DrawTextW(dc, text.data(), count, &lower, format);
        SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
        DrawTextW(dc, text.data(), count, &rect, format);
        SetTextColor(dc, colour);
    }
    SetBkMode(dc, mode);
}

RECT MeasureControlText(HDC dc, std::u16string_view text, const RECT& bounds, UINT format) {
    RECT measured = bounds;
    int height = DrawTextW(dc, text.data(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
    int width = measured.right - measured.left;
    RECT placed = bounds;
    if (format & DT_CENTER)
        placed.left = bounds.left + (bounds.right - bounds.left - width) / 2;
    else if (format & DT_RIGHT)
        placed.left = bounds.right - width;
    placed.right = placed.left + width;
    if (format & DT_VCENTER)
        placed.top = bounds.top + (bounds.bottom - bounds.top - height) / 2;
    else if (format & DT_BOTTOM)
        placed.top = bounds.bottom - height;
    placed.bottom = placed.top + height;
    return placed;
}

} // namespace platform
