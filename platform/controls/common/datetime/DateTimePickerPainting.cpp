// The picker's classic look: the window colour behind the text, the check box of
// DTS_SHOWNONE, the text with the chosen field highlighted while the picker has the focus
// (greyed when disabled or showing no date) and the drop-down button, pushed while the
// calendar is open.

#include "platform/controls/common/CommonControl.h"
#include "platform/controls/common/datetime/DateTimePicker.h"

namespace platform {

void DateTimePicker::Paint(HDC dc) {
    RECT client{};
    GetClientRect(m_window, &client);
    bool enabled = IsWindowEnabled(m_window) != FALSE;
    FillRect(dc, &client, GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_3DFACE));
    FontSelection font(dc, m_font);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    if (HasCheckBox()) {
        RECT box = CheckBoxRect();
        DrawFrameControl(dc, &box, DFC_BUTTON,
                         DFCS_BUTTONCHECK | (m_none ? 0 : DFCS_CHECKED) | (enabled ? 0 : DFCS_INACTIVE));
        if (m_focused && m_field < 0) {
            RECT focus = box;
            InflateRect(&focus, 1, 1);
            DrawFocusRect(dc, &focus);
        }
    }
    RECT area = TextArea();
    int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    std::vector<RECT> rects = PartRects();
    COLORREF normal = GetSysColor(enabled && !m_none ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    for (std::size_t i = 0; i < rects.size(); ++i) {
        std::u16string text = PartDisplay(i);
        COLORREF colour = normal;
        if (m_focused && enabled && !m_none && static_cast<int>(i) == m_field) {
            FillRect(dc, &rects[i], GetSysColorBrush(COLOR_HIGHLIGHT));
            colour = GetSysColor(COLOR_HIGHLIGHTTEXT);
        }
        SetTextColor(dc, colour);
        DrawTextW(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &rects[i],
                  DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    }
    RestoreDC(dc, saved);
    if (!HasUpDown()) {
        RECT button = ButtonRect();
        DrawFrameControl(dc, &button, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | (m_calendar ? DFCS_PUSHED : 0) |
                             (enabled ? 0 : DFCS_INACTIVE));
    }
    SetBkMode(dc, oldMode);
}

} // namespace platform
