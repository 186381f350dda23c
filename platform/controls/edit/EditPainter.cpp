// Painting an edit control: the background from the parent's WM_CTLCOLOR* answer, then only
// the lines that meet the area to paint, with the selection in the highlight colours.

#include "platform/controls/ControlSupport.h"
#include "platform/controls/edit/Edit.h"
#include "platform/controls/edit/EditControl.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/WinUser.h"

#include <algorithm>
#include <string>

namespace platform {

namespace {

struct LineColours {
    COLORREF text;
    COLORREF highlightText;
    COLORREF highlight;
};

// The part of a line to draw: its text between two positions, placed at originX and y (client
// coordinates), and only what falls between left and right (client x).
struct Run {
    int line;
    int from;
    int to;
    int originX;
    int y;
    int left;
    int right;
};

// Runs between tabs are drawn where the layout puts them; a password edit shows its mask once
// per character; characters outside the area are not drawn at all.
void DrawRun(HDC dc, const EditText& text, const EditLayout& layout, const CharWidths& widths,
             const Run& run) {
    std::string bytes;
    int x = layout.XOfPosition(run.line, run.from);
    int runX = x;
    auto flush = [&] {
        if (!bytes.empty())
            TextOutA(dc, run.originX + runX, run.y, bytes.data(), static_cast<int>(bytes.size()));
        bytes.clear();
    };
    for (int p = run.from; p < run.to && run.originX + x < run.right;) {
        const int size = text.CharLength(p);
        const int width = widths.Of(text, p, x);
        if (run.originX + x + width <= run.left || text.At(p) == '\t') {
            flush();
            runX = x + width;
        } else if (widths.Mask()) {
            bytes.push_back(widths.Mask());
        } else {
            text.AppendTo(p, p + size, bytes);
        }
        x += width;
        p += size;
    }
    flush();
}

} // namespace

void EditControl::Paint(HDC dc, const RECT& area) const {
    const bool disabled = !IsEnabled();
    // A read-only or disabled edit asks for the colours of a static control.
    HBRUSH background =
        AskParentForColours(m_window, dc, disabled || IsReadOnly() ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
    FillRect(dc, &area, background);

    HGDIOBJ oldFont = SelectObject(dc, Font() ? static_cast<HGDIOBJ>(Font()) : GetStockObject(SYSTEM_FONT));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    LineColours colours{disabled ? GetSysColor(COLOR_GRAYTEXT) : GetTextColor(dc),
                        GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_HIGHLIGHT)};
    const COLORREF oldText = SetTextColor(dc, colours.text);

    RECT format = FormatRect();
    SaveDC(dc);
    IntersectClipRect(dc, format.left, format.top, format.right, format.bottom);

    const bool showSelection = (m_focused || (Style() & ES_NOHIDESEL)) && SelectionStart() != SelectionEnd();
    const int height = LineHeight();
    const int firstRow = std::max(0, static_cast<int>(area.top - format.top) / height);
    const int first = m_firstLine + firstRow;
    const int last = std::min(m_layout.LineCount() - 1,
                              m_firstLine + static_cast<int>(area.bottom - format.top + height - 1) / height);
    for (int line = first; line <= last; ++line) {
        const int y = format.top + (line - m_firstLine) * height;
        const int originX = format.left + LineOriginX(line) - m_xOffset;
        const int start = m_layout.LineStart(line);
        const int end = m_layout.LineEnd(line);
        const int selectedFrom = showSelection ? std::clamp(SelectionStart(), start, end) : end;
        const int selectedTo = showSelection ? std::clamp(SelectionEnd(), start, end) : end;
        const int left = static_cast<int>(area.left);
        const int right = static_cast<int>(area.right);
        DrawRun(dc, m_text, m_layout, m_widths, {line, start, selectedFrom, originX, y, left, right});
        if (selectedFrom < selectedTo) {
            RECT band{originX + m_layout.XOfPosition(line, selectedFrom), y,
                      originX + m_layout.XOfPosition(line, selectedTo), y + height};
            HBRUSH highlight = CreateSolidBrush(colours.highlight);
            FillRect(dc, &band, highlight);
            DeleteObject(highlight);
            SetTextColor(dc, colours.highlightText);
            DrawRun(dc, m_text, m_layout, m_widths,
                    {line, selectedFrom, selectedTo, originX, y, left, right});
            SetTextColor(dc, colours.text);
        }
        DrawRun(dc, m_text, m_layout, m_widths, {line, selectedTo, end, originX, y, left, right});
    }
    RestoreDC(dc, -1);
    SetTextColor(dc, oldText);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

} // namespace platform
