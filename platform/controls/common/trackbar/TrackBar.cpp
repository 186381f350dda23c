#include "platform/controls/common/trackbar/TrackBar.h"

#include "platform/controls/common/CommonControlClasses.h"

#include "platform/base/MulDiv.h"

#include <algorithm>

namespace platform {

namespace {

// The channel ends this far from the control's ends; it is four pixels thick, six when it shows
// a selection inside.
constexpr int ChannelMargin = 8;
constexpr int ChannelThickness = 4;
constexpr int SelectionChannelThickness = 6;
// Room for tics beside the thumb: three-pixel marks two pixels away.
constexpr int TicSpace = 5;
constexpr int EdgeMargin = 2;
constexpr UINT_PTR PageTimer = 1;
constexpr UINT FirstPageDelay = 500;
constexpr UINT PageDelay = 100;

} // namespace

int TrackBar::ThumbBreadth() const {
    return m_thumbLength / 2 + 1;
}

RECT TrackBar::ThumbRect() const {
    DWORD style = Style();
    int before = EdgeMargin + ((style & (TBS_TOP | TBS_BOTH)) && !(style & TBS_NOTICKS) ? TicSpace : 0);
    int breadth = ThumbBreadth();
    int centre = PixelOf(m_position);
    int start = centre - breadth / 2;
    if (Vertical())
        return RECT{before, start, before + m_thumbLength, start + breadth};
    return RECT{start, before, start + breadth, before + m_thumbLength};
}

RECT TrackBar::ChannelRect() const {
    RECT client;
    GetClientRect(m_window, &client);
    RECT thumb = ThumbRect();
    int thickness = (Style() & TBS_ENABLESELRANGE) ? SelectionChannelThickness : ChannelThickness;
    if (Vertical()) {
        int left = thumb.left + (m_thumbLength - thickness) / 2;
        return RECT{left, ChannelMargin, left + thickness, client.bottom - ChannelMargin};
    }
    int top = thumb.top + (m_thumbLength - thickness) / 2;
    return RECT{ChannelMargin, top, client.right - ChannelMargin, top + thickness};
}

int TrackBar::PixelOf(int position) const {
    RECT client;
    GetClientRect(m_window, &client);
    int length = (Vertical() ? client.bottom : client.right) - 2 * ChannelMargin;
    int breadth = ThumbBreadth();
    int travel = std::max(0, length - breadth);
    int span = m_max - m_min;
    int offset = span > 0 ? MulDiv(position - m_min, travel, span) : 0;
    return ChannelMargin + breadth / 2 + offset;
}

int TrackBar::PositionAt(int pixel) const {
    RECT client;
    GetClientRect(m_window, &client);
    int length = (Vertical() ? client.bottom : client.right) - 2 * ChannelMargin;
    int breadth = ThumbBreadth();
    int travel = std::max(1, length - breadth);
    return Clamp(m_min + MulDiv(pixel - ChannelMargin - breadth / 2, m_max - m_min, travel));
}

std::vector<int> TrackBar::Tics() const {
    if (Style() & TBS_NOTICKS)
        return {};
    std::vector<int> tics{m_min};
    if ((Style() & TBS_AUTOTICKS) && m_ticFrequency > 0) {
        for (long long p = static_cast<long long>(m_min) + m_ticFrequency; p < m_max; p += m_ticFrequency)
            tics.push_back(static_cast<int>(p));
    }
    for (int tic : m_tics) {
        if (tic > m_min && tic < m_max)
            tics.push_back(tic);
    }
    if (m_max != m_min)
        tics.push_back(m_max);
    std::sort(tics.begin(), tics.end());
    tics.erase(std::unique(tics.begin(), tics.end()), tics.end());
    return tics;
}

void TrackBar::Redraw(bool redraw) const {
    if (redraw)
        InvalidateRect(m_window, nullptr, TRUE);
}

void TrackBar::SetPosition(int position, bool redraw) {
    m_position = Clamp(position);
    Redraw(redraw);
}

void TrackBar::SetRange(int minimum, int maximum, bool redraw) {
    m_min = minimum;
    m_max = std::max(minimum, maximum);
    m_position = Clamp(m_position);
    Redraw(redraw);
}

void TrackBar::Notify(WORD code) const {
    HWND parent = GetParent(m_window);
    if (!parent)
        return;
    WORD position = (code == TB_THUMBTRACK || code == TB_THUMBPOSITION) ? static_cast<WORD>(m_position) : 0;
    SendMessageW(parent, Vertical() ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, position),
                 reinterpret_cast<LPARAM>(m_window));
}

void TrackBar::MoveBy(WORD code, int position) {
    int next = Clamp(position);
    if (next != m_position) {
        m_position = next;
        InvalidateRect(m_window, nullptr, TRUE);
    }
    Notify(code);
}

void TrackBar::OnButtonDown(LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    SetFocus(m_window);
    SetCapture(m_window);
    RECT thumb = ThumbRect();
    int along = Vertical() ? point.y : point.x;
    if (PtInRect(&thumb, point) && !(Style() & TBS_NOTHUMB)) {
        m_dragging = true;
        m_dragOffset = along - PixelOf(m_position);
        InvalidateRect(m_window, nullptr, FALSE);
        return;
    }
    m_paging = true;
    m_pressPixel = along;
    PageTowardPress();
    SetTimer(m_window, PageTimer, FirstPageDelay, nullptr);
}

// A press in the channel pages toward the pointer, and stops once the thumb is under it.
void TrackBar::PageTowardPress() {
    int centre = PixelOf(m_position);
    int half = ThumbBreadth() / 2;
    if (m_pressPixel < centre - half)
        MoveBy(TB_PAGEUP, std::max(m_position - m_pageSize, PositionAt(m_pressPixel)));
    else if (m_pressPixel > centre + half)
        MoveBy(TB_PAGEDOWN, std::min(m_position + m_pageSize, PositionAt(m_pressPixel)));
}

void TrackBar::OnMouseMove(LPARAM lParam) {
    if (!m_dragging)
        return;
    int along = Vertical() ? GET_Y_LPARAM(lParam) : GET_X_LPARAM(lParam);
    int next = PositionAt(along - m_dragOffset);
    if (next == m_position)
        return;
    m_position = next;
    InvalidateRect(m_window, nullptr, TRUE);
    UpdateWindow(m_window);
    Notify(TB_THUMBTRACK);
}

void TrackBar::OnButtonUp() {
    if (!m_dragging && !m_paging)
        return;
    bool dragged = m_dragging;
    m_dragging = false;
    m_paging = false;
    KillTimer(m_window, PageTimer);
    if (GetCapture() == m_window)
        ReleaseCapture();
    if (dragged)
        Notify(TB_THUMBPOSITION);
    Notify(TB_ENDTRACK);
    InvalidateRect(m_window, nullptr, FALSE);
}

bool TrackBar::OnKeyDown(WPARAM key) {
    switch (key) {
    case VK_LEFT:
    case VK_UP:
        MoveBy(TB_LINEUP, m_position - m_lineSize);
        return true;
    case VK_RIGHT:
    case VK_DOWN:
        MoveBy(TB_LINEDOWN, m_position + m_lineSize);
        return true;
    case VK_PRIOR:
        MoveBy(TB_PAGEUP, m_position - m_pageSize);
        return true;
    case VK_NEXT:
        MoveBy(TB_PAGEDOWN, m_position + m_pageSize);
        return true;
    case VK_HOME:
        MoveBy(TB_TOP, m_min);
        return true;
    case VK_END:
        MoveBy(TB_BOTTOM, m_max);
        return true;
    default:
        return false;
    }
}

LRESULT TrackBar::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    bool redraw = wParam != 0;
    switch (message) {
    case TBM_GETPOS:
        return m_position;
    case TBM_GETRANGEMIN:
        return m_min;
    case TBM_GETRANGEMAX:
        return m_max;
    case TBM_SETPOS:
        SetPosition(static_cast<int>(lParam), redraw);
        return 0;
    case TBM_SETRANGE:
        SetRange(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)), redraw);
        return 0;
    case TBM_SETRANGEMIN:
        SetRange(static_cast<int>(lParam), m_max, redraw);
        return 0;
    case TBM_SETRANGEMAX:
        SetRange(m_min, static_cast<int>(lParam), redraw);
        return 0;
    case TBM_SETTIC:
        if (static_cast<int>(lParam) < m_min || static_cast<int>(lParam) > m_max)
            return FALSE;
        m_tics.push_back(static_cast<int>(lParam));
        InvalidateRect(m_window, nullptr, TRUE);
        return TRUE;
    case TBM_CLEARTICS:
        m_tics.clear();
        Redraw(redraw);
        return 0;
    case TBM_SETTICFREQ:
        m_ticFrequency = static_cast<int>(wParam);
        InvalidateRect(m_window, nullptr, TRUE);
        return 0;
    case TBM_GETNUMTICS:
        return static_cast<LRESULT>(Tics().size());
    case TBM_GETTIC: {
        // Tics are counted without the range's ends, as TBM_GETPTICS lists them.
        std::vector<int> tics = Tics();
        std::size_t index = wParam + 1;
        return tics.size() >= 2 && index < tics.size() - 1 ? tics[index] : -1;
    }
    case TBM_GETPTICS: {
        std::vector<int> tics = Tics();
        m_ticPositions.clear();
        for (std::size_t i = 1; i + 1 < tics.size(); ++i)
            m_ticPositions.push_back(static_cast<DWORD>(tics[i]));
        return m_ticPositions.empty() ? 0 : reinterpret_cast<LRESULT>(m_ticPositions.data());
    }
    case TBM_GETTICPOS: {
        std::vector<int> tics = Tics();
        std::size_t index = wParam + 1;
        return tics.size() >= 2 && index < tics.size() - 1 ? PixelOf(tics[index]) : -1;
    }
    case TBM_SETSEL:
        m_selStart = static_cast<short>(LOWORD(lParam));
        m_selEnd = static_cast<short>(HIWORD(lParam));
        Redraw(redraw);
        return 0;
    case TBM_SETSELSTART:
        m_selStart = static_cast<int>(lParam);
        Redraw(redraw);
        return 0;
    case TBM_SETSELEND:
        m_selEnd = static_cast<int>(lParam);
        Redraw(redraw);
        return 0;
    case TBM_GETSELSTART:
        return m_selStart;
    case TBM_GETSELEND:
        return m_selEnd;
    case TBM_CLEARSEL:
        m_selStart = m_selEnd = 0;
        Redraw(redraw);
        return 0;
    case TBM_SETPAGESIZE: {
        int previous = m_pageSize;
        m_pageSize = static_cast<int>(lParam);
        return previous;
    }
    case TBM_GETPAGESIZE:
        return m_pageSize;
    case TBM_SETLINESIZE: {
        int previous = m_lineSize;
        m_lineSize = static_cast<int>(lParam);
        return previous;
    }
    case TBM_GETLINESIZE:
        return m_lineSize;
    case TBM_GETTHUMBRECT:
        if (auto* rect = reinterpret_cast<RECT*>(lParam))
            *rect = ThumbRect();
        return 0;
    case TBM_GETCHANNELRECT:
        // A vertical bar's channel is reported as if the bar lay horizontally.
        if (auto* rect = reinterpret_cast<RECT*>(lParam)) {
            RECT channel = ChannelRect();
            *rect = Vertical() ? RECT{channel.top, channel.left, channel.bottom, channel.right} : channel;
        }
        return 0;
    case TBM_SETTHUMBLENGTH:
        if (Style() & TBS_FIXEDLENGTH) {
            m_thumbLength = std::max(2, static_cast<int>(wParam));
            InvalidateRect(m_window, nullptr, TRUE);
        }
        return 0;
    case TBM_GETTHUMBLENGTH:
        return m_thumbLength;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown(lParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(lParam);
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp();
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_window)
            OnButtonUp();
        return 0;
    case WM_TIMER:
        if (wParam == PageTimer && m_paging) {
            SetTimer(m_window, PageTimer, PageDelay, nullptr);
            PageTowardPress();
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (OnKeyDown(wParam))
            return 0;
        break;
    case WM_KEYUP:
        if (wParam == VK_LEFT || wParam == VK_RIGHT || wParam == VK_UP || wParam == VK_DOWN ||
            wParam == VK_PRIOR || wParam == VK_NEXT || wParam == VK_HOME || wParam == VK_END) {
            Notify(TB_ENDTRACK);
            return 0;
        }
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        InvalidateRect(m_window, nullptr, TRUE);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void RegisterTrackBarClass() {
    RegisterCommonControlClass(TRACKBAR_CLASSW, CommonControlProc<TrackBar>,
                               CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
}

} // namespace platform
