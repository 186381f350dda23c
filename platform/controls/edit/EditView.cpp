// Where an edit control shows its text: the formatting rectangle, the first visible line and
// the horizontal offset, the caret's place and the scroll bars that follow the text.

#include "platform/controls/edit/Edit.h"
#include "platform/controls/edit/EditControl.h"
#include "platform/user/WinUser.h"

#include <algorithm>
#include <climits>

namespace platform {

namespace {

constexpr int CaretWidth = 1;

bool SameScrollInfo(const SCROLLINFO& a, const SCROLLINFO& b) {
    return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos;
}

} // namespace

RECT EditControl::FormatRect() const {
    if (m_explicitRect)
        return m_formatRect;
    RECT client{};
    GetClientRect(m_window, &client);
    RECT format{client.left + m_leftMargin, client.top, client.right - m_rightMargin, client.bottom};
    if (!IsMultiLine()) {
        // A single line stands in the middle of the control's height.
        int spare = (client.bottom - client.top) - LineHeight();
        format.top = client.top + std::max(0, spare / 2);
        format.bottom = format.top + LineHeight();
    }
    format.right = std::max(format.left, format.right);
    return format;
}

void EditControl::SetFormatRect(const RECT* rect, bool redraw) {
    m_explicitRect = rect != nullptr && IsMultiLine();
    if (m_explicitRect)
        m_formatRect = *rect;
    Relayout();
    if (redraw)
        InvalidateRect(m_window, nullptr, TRUE);
}

int EditControl::VisibleLineCount() const {
    RECT format = FormatRect();
    return std::max(1, static_cast<int>(format.bottom - format.top) / LineHeight());
}

void EditControl::Relayout() {
    const DWORD style = Style();
    const bool multiLine = IsMultiLine();
    const bool wraps = multiLine && !(style & (ES_AUTOHSCROLL | WS_HSCROLL));
    RECT format = FormatRect();
    m_layout.Configure(multiLine, wraps ? std::max(1, static_cast<int>(format.right - format.left)) : 0);
    m_layout.Rebuild();
    m_anchor = std::min(m_anchor, m_text.Length());
    m_caret = std::min(m_caret, m_text.Length());
    SetView(m_firstLine, m_xOffset);
    UpdateScrollBars();
    InvalidateRect(m_window, nullptr, TRUE);
    UpdateCaret();
}

void EditControl::OnSize() {
    const DWORD style = Style();
    const bool wraps = IsMultiLine() && !(style & (ES_AUTOHSCROLL | WS_HSCROLL));
    RECT format = FormatRect();
    const int wrapWidth = wraps ? std::max(1, static_cast<int>(format.right - format.left)) : 0;
    if (wrapWidth != m_layout.WrapWidth() || IsMultiLine() != m_layout.IsMultiLine()) {
        Relayout();
        return;
    }
    SetView(m_firstLine, m_xOffset);
    UpdateScrollBars();
    InvalidateRect(m_window, nullptr, TRUE);
    UpdateCaret();
}

void EditControl::SetFont(HFONT font, bool redraw) {
    m_widths.SetFont(font);
    m_widths.SetMask((Style() & ES_PASSWORD) && !IsMultiLine() ? m_passwordChar : 0);
    if (m_focused) {
        CreateCaret(m_window, nullptr, CaretWidth, LineHeight());
        ShowCaret(m_window);
    }
    Relayout();
    if (redraw)
        UpdateWindow(m_window);
}

void EditControl::SetMargins(WPARAM which, int left, int right) {
    // The font's own margins: a third of its average character.
    const int fontMargin = std::max(1, m_widths.AverageWidth() / 3);
    if (which & EC_LEFTMARGIN)
        m_leftMargin = left == EC_USEFONTINFO ? fontMargin : left;
    if (which & EC_RIGHTMARGIN)
        m_rightMargin = right == EC_USEFONTINFO ? fontMargin : right;
    Relayout();
}

int EditControl::LineOriginX(int line) const {
    const DWORD style = Style();
    const DWORD align = style & (ES_CENTER | ES_RIGHT);
    if (align == ES_LEFT)
        return 0;
    RECT format = FormatRect();
    const int spare = static_cast<int>(format.right - format.left) - m_layout.LineWidth(line) - CaretWidth;
    if (spare <= 0)
        return 0;
    return align == ES_CENTER ? spare / 2 : spare;
}

POINT EditControl::PositionToPoint(int position) const {
    RECT format = FormatRect();
    const int line = LineFromPositionForCaret(position);
    const int x = LineOriginX(line) + m_layout.XOfPosition(line, position) - m_xOffset;
    return {format.left + x, format.top + (line - m_firstLine) * LineHeight()};
}

int EditControl::PointToPosition(POINT point) const {
    RECT format = FormatRect();
    int line = m_firstLine;
    if (IsMultiLine()) {
        int offset = static_cast<int>(point.y - format.top);
        int row = offset < 0 ? -1 - (-offset - 1) / LineHeight() : offset / LineHeight();
        line = std::clamp(m_firstLine + row, 0, m_layout.LineCount() - 1);
    }
    const int x = static_cast<int>(point.x - format.left) - LineOriginX(line) + m_xOffset;
    return m_layout.PositionAtX(line, x);
}

void EditControl::InvalidateLines(int first, int last) const {
    RECT client{};
    GetClientRect(m_window, &client);
    if (!IsMultiLine()) {
        InvalidateRect(m_window, &client, FALSE);
        return;
    }
    RECT format = FormatRect();
    const int visible = VisibleLineCount();
    first = std::max(first, m_firstLine);
    last = std::min(last, m_firstLine + visible);
    if (last < first)
        return;
    RECT band = client;
    band.top = first == m_firstLine ? client.top : format.top + (first - m_firstLine) * LineHeight();
    band.bottom =
        last >= m_firstLine + visible ? client.bottom : format.top + (last - m_firstLine + 1) * LineHeight();
    if (band.bottom > band.top)
        InvalidateRect(m_window, &band, FALSE);
}

void EditControl::SetView(int firstLine, int xOffset) {
    const int lastFirst = std::max(0, m_layout.LineCount() - VisibleLineCount());
    firstLine = IsMultiLine() ? std::clamp(firstLine, 0, lastFirst) : 0;
    xOffset = m_layout.WrapWidth() > 0 ? 0 : std::max(0, xOffset);
    if (firstLine == m_firstLine && xOffset == m_xOffset)
        return;
    m_firstLine = firstLine;
    m_xOffset = xOffset;
    InvalidateRect(m_window, nullptr, FALSE);
    UpdateScrollBars();
    UpdateCaret();
}

bool EditControl::ScrollBy(int lines, int pixels) {
    const int oldFirst = m_firstLine;
    const int oldOffset = m_xOffset;
    int offset = m_xOffset;
    if (pixels != 0) {
        // Scrolling goes no further than shows the end of the widest line.
        RECT format = FormatRect();
        const int width = static_cast<int>(format.right - format.left);
        const int furthest = std::max(m_xOffset, m_layout.WidestLine() + CaretWidth - width);
        offset = std::clamp(m_xOffset + pixels, 0, std::max(0, furthest));
    }
    SetView(m_firstLine + lines, offset);
    return oldFirst != m_firstLine || oldOffset != m_xOffset;
}

void EditControl::ScrollCaretIntoView() {
    const DWORD style = Style();
    const int line = CaretLine();
    int first = m_firstLine;
    if (IsMultiLine()) {
        const int visible = VisibleLineCount();
        if (line < first)
            first = line;
        else if (line >= first + visible)
            first = line - visible + 1;
    }
    int offset = m_xOffset;
    if (m_layout.WrapWidth() == 0 && (IsMultiLine() || (style & ES_AUTOHSCROLL))) {
        RECT format = FormatRect();
        const int width = static_cast<int>(format.right - format.left);
        const int x = LineOriginX(line) + m_layout.XOfPosition(line, m_caret);
        // The view jumps by a part of its width, so typing does not scroll at every character.
        if (x < offset)
            offset = std::max(0, x - width / 4);
        else if (x + CaretWidth > offset + width)
            offset = std::max(0, x + CaretWidth - width * 3 / 4);
    }
    SetView(first, offset);
}

void EditControl::UpdateScrollBars() {
    const DWORD style = Style();
    if (!IsMultiLine())
        return;
    if (style & WS_VSCROLL) {
        SCROLLINFO info{sizeof(SCROLLINFO),
                        SIF_ALL | SIF_DISABLENOSCROLL,
                        0,
                        m_layout.LineCount() - 1,
                        static_cast<UINT>(VisibleLineCount()),
                        m_firstLine,
                        0};
        if (m_vertical.cbSize == 0 || !SameScrollInfo(info, m_vertical)) {
            m_vertical = info;
            SetScrollInfo(m_window, SB_VERT, &info, TRUE);
        }
    }
    if (style & WS_HSCROLL) {
        RECT format = FormatRect();
        const int width = std::max(1, static_cast<int>(format.right - format.left));
        const int content = std::max(m_layout.WidestLine() + CaretWidth, m_xOffset + width);
        SCROLLINFO info{sizeof(SCROLLINFO),
                        SIF_ALL | SIF_DISABLENOSCROLL,
                        0,
                        content - 1,
                        static_cast<UINT>(width),
                        m_xOffset,
                        0};
        if (m_horizontal.cbSize == 0 || !SameScrollInfo(info, m_horizontal)) {
            m_horizontal = info;
            SetScrollInfo(m_window, SB_HORZ, &info, TRUE);
        }
    }
}

void EditControl::OnScrollBar(int bar, WORD request) {
    const bool vertical = bar == SB_VERT;
    Notify(vertical ? EN_VSCROLL : EN_HSCROLL);
    RECT format = FormatRect();
    const int line = vertical ? 1 : AverageCharWidth();
    const int page = vertical ? std::max(1, VisibleLineCount() - 1)
                              : std::max(1, static_cast<int>(format.right - format.left) * 3 / 4);
    int step = 0;
    switch (request) {
    case SB_LINEUP:
        step = -line;
        break;
    case SB_LINEDOWN:
        step = line;
        break;
    case SB_PAGEUP:
        step = -page;
        break;
    case SB_PAGEDOWN:
        step = page;
        break;
    case SB_TOP:
        step = INT_MIN / 2;
        break;
    case SB_BOTTOM:
        step = INT_MAX / 2;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The 32-bit tracking position: a long text has more lines than the message's 16 bits.
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(m_window, bar, &info);
        step = info.nTrackPos - (vertical ? m_firstLine : m_xOffset);
        break;
    }
    default:
        return;
    }
    if (vertical)
        ScrollBy(step, 0);
    else
        ScrollBy(0, step);
}

void EditControl::OnMouseWheel(int delta) {
    if (!IsMultiLine())
        return;
    UINT perNotch = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &perNotch, 0);
    Notify(EN_VSCROLL);
    ScrollBy(-delta * static_cast<int>(perNotch) / WHEEL_DELTA, 0);
}

void EditControl::UpdateCaret() const {
    if (!m_focused)
        return;
    POINT at = PositionToPoint(m_caret);
    SetCaretPos(at.x, at.y);
}

} // namespace platform
