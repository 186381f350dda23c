// The progress bar ("msctls_progress32"): a position within a range, shown as classic chunks
// or a smooth bar, growing to the right or, for PBS_VERTICAL, upwards.

#include "platform/controls/common/CommonControl.h"
#include "platform/controls/common/CommonControlClasses.h"

#include "platform/base/MulDiv.h"

#include <algorithm>

namespace platform {

namespace {

// Chunks are two thirds as long as the bar is thick, two pixels apart.
constexpr int ChunkGap = 2;

class Progress {
public:
    explicit Progress(HWND window) : m_window(window) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Draws the whole client area (WM_PAINT, WM_PRINTCLIENT).
    void Paint(HDC dc);

private:
    DWORD Style() const { return static_cast<DWORD>(GetWindowLongW(m_window, GWL_STYLE)); }
    int Clamp(int position) const {
        return std::clamp(position, std::min(m_low, m_high), std::max(m_low, m_high));
    }
    LRESULT SetRange(int low, int high);
    LRESULT MoveTo(int position);
    LRESULT Step();
    COLORREF Replace(COLORREF& slot, COLORREF colour);
    void PaintChunks(HDC dc, RECT inner, int filled, HBRUSH bar) const;

    HWND m_window;
    int m_low = 0;
    int m_high = 100;
    int m_position = 0;
    int m_step = 10;
    COLORREF m_barColour = CLR_DEFAULT;
    COLORREF m_backgroundColour = CLR_DEFAULT;
};

LRESULT Progress::SetRange(int low, int high) {
    LRESULT previous = MAKELONG(static_cast<WORD>(m_low), static_cast<WORD>(m_high));
    m_low = low;
    m_high = high;
    m_position = Clamp(m_position);
    InvalidateRect(m_window, nullptr, TRUE);
    return previous;
}

LRESULT Progress::MoveTo(int position) {
    int previous = m_position;
    m_position = Clamp(position);
    if (m_position != previous)
        InvalidateRect(m_window, nullptr, FALSE);
    return previous;
}

// A step past the end of the range starts again from its other end.
LRESULT Progress::Step() {
    int previous = m_position;
    long long next = static_cast<long long>(m_position) + m_step;
    if (next > std::max(m_low, m_high))
        next = std::min(m_low, m_high);
    else if (next < std::min(m_low, m_high))
        next = std::max(m_low, m_high);
    m_position = static_cast<int>(next);
    InvalidateRect(m_window, nullptr, FALSE);
    return previous;
}

COLORREF Progress::Replace(COLORREF& slot, COLORREF colour) {
    COLORREF previous = slot;
    slot = colour;
    InvalidateRect(m_window, nullptr, TRUE);
    return previous;
}

void Progress::PaintChunks(HDC dc, RECT inner, int filled, HBRUSH bar) const {
    bool vertical = Style() & PBS_VERTICAL;
    int thickness = vertical ? inner.right - inner.left : inner.bottom - inner.top;
    int chunk = std::max(1, thickness * 2 / 3);
    int length = vertical ? inner.bottom - inner.top : inner.right - inner.left;
    // Whole chunks while they start inside the filled part; the last may be cut by the edge.
    for (int start = 0; start < filled && start < length; start += chunk + ChunkGap) {
        int end = std::min(start + chunk, length);
        RECT piece = vertical ? RECT{inner.left, inner.bottom - end, inner.right, inner.bottom - start}
                              : RECT{inner.left + start, inner.top, inner.left + end, inner.bottom};
        FillRect(dc, &piece, bar);
    }
}

void Progress::Paint(HDC dc) {
    RECT rect;
    GetClientRect(m_window, &rect);
    DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    HBRUSH background =
        CreateSolidBrush(m_backgroundColour == CLR_DEFAULT ? GetSysColor(COLOR_3DFACE) : m_backgroundColour);
    FillRect(dc, &rect, background);
    DeleteObject(background);
    InflateRect(&rect, -1, -1);
    bool vertical = Style() & PBS_VERTICAL;
    int length = vertical ? rect.bottom - rect.top : rect.right - rect.left;
    int span = m_high - m_low;
    int filled = span == 0 ? 0 : MulDiv(m_position - m_low, length, span);
    if (filled <= 0 || length <= 0)
        return;
    HBRUSH bar = CreateSolidBrush(m_barColour == CLR_DEFAULT ? GetSysColor(COLOR_HIGHLIGHT) : m_barColour);
    if (Style() & PBS_SMOOTH) {
        RECT part = vertical ? RECT{rect.left, rect.bottom - filled, rect.right, rect.bottom}
                             : RECT{rect.left, rect.top, rect.left + filled, rect.bottom};
        FillRect(dc, &part, bar);
    } else {
        PaintChunks(dc, rect, filled, bar);
    }
    DeleteObject(bar);
}

LRESULT Progress::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case PBM_SETRANGE:
        return SetRange(LOWORD(lParam), HIWORD(lParam));
    case PBM_SETRANGE32:
        return SetRange(static_cast<int>(wParam), static_cast<int>(lParam));
    case PBM_GETRANGE:
        if (auto* range = reinterpret_cast<PBRANGE*>(lParam)) {
            range->iLow = m_low;
            range->iHigh = m_high;
        }
        return wParam ? m_low : m_high;
    case PBM_SETPOS:
        return MoveTo(static_cast<int>(wParam));
    case PBM_DELTAPOS:
        return MoveTo(m_position + static_cast<int>(wParam));
    case PBM_GETPOS:
        return m_position;
    case PBM_SETSTEP: {
        int previous = m_step;
        m_step = static_cast<int>(wParam);
        return previous;
    }
    case PBM_STEPIT:
        return Step();
    case PBM_SETBARCOLOR:
        return static_cast<LRESULT>(Replace(m_barColour, static_cast<COLORREF>(lParam)));
    case PBM_SETBKCOLOR:
        return static_cast<LRESULT>(Replace(m_backgroundColour, static_cast<COLORREF>(lParam)));
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

} // namespace

void RegisterProgressClass() {
    RegisterCommonControlClass(PROGRESS_CLASSW, CommonControlProc<Progress>, CS_HREDRAW | CS_VREDRAW);
}

} // namespace platform
