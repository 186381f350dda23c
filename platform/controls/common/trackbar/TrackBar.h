#pragma once
// The track bar ("msctls_trackbar32") behind its window: a thumb that moves along a channel
// between a range's ends, tic marks, a selection range, keyboard and mouse, WM_HSCROLL or
// WM_VSCROLL to the parent, and painting through the parent's custom drawing.

#include "platform/controls/common/CommonControl.h"

#include <vector>

namespace platform {

class TrackBar {
public:
    explicit TrackBar(HWND window) : m_window(window) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Draws the whole client area (WM_PAINT, WM_PRINTCLIENT).
    void Paint(HDC dc);

private:
    DWORD Style() const { return static_cast<DWORD>(GetWindowLongW(m_window, GWL_STYLE)); }
    bool Vertical() const { return (Style() & TBS_VERT) != 0; }
    int Clamp(int position) const { return std::max(m_min, std::min(m_max, position)); }

    // Geometry in client coordinates.
    int ThumbBreadth() const;
    RECT ChannelRect() const;
    RECT ThumbRect() const;
    // The client coordinate along the channel of a position's tic (the thumb's centre there).
    int PixelOf(int position) const;
    int PositionAt(int pixel) const;
    std::vector<int> Tics() const; // every tic's position, the range's ends included

    // Changes
    void SetPosition(int position, bool redraw);
    void SetRange(int minimum, int maximum, bool redraw);
    void Redraw(bool redraw) const;
    void Notify(WORD code) const;
    // Moves by a keyboard or paging step and tells the parent.
    void MoveBy(WORD code, int position);

    // Input
    void OnButtonDown(LPARAM lParam);
    void OnMouseMove(LPARAM lParam);
    void OnButtonUp();
    void PageTowardPress();
    bool OnKeyDown(WPARAM key);

    // Painting (TrackBarPainting.cpp)
    void PaintTics(HDC dc) const;
    void PaintChannel(HDC dc) const;
    void PaintThumb(HDC dc) const;

    HWND m_window;
    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    int m_lineSize = 1;
    int m_pageSize = 20;
    int m_ticFrequency = 1;
    std::vector<int> m_tics; // tics set with TBM_SETTIC
    // What TBM_GETPTICS hands out: valid until the tics change.
    std::vector<DWORD> m_ticPositions;
    int m_selStart = 0;
    int m_selEnd = 0;
    int m_thumbLength = 20;
    // Mouse tracking
    bool m_dragging = false;
    int m_dragOffset = 0;
    bool m_paging = false;
    int m_pressPixel = 0;
};

} // namespace platform
