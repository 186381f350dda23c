#include "platform/user/ScrollBarTracking.h"

#include "platform/user/ScrollBarGeometry.h"
#include "platform/user/ScrollBarPainter.h"
#include "platform/user/WinUser.h"

namespace platform {

namespace {

// The repeat timer of a held arrow or track: a first pause, then a steady rate.
constexpr UINT_PTR RepeatTimerId = 0xFFF0;
constexpr UINT FirstRepeatDelay = 200;
constexpr UINT RepeatInterval = 50;

class ScrollTracker {
public:
    ScrollTracker(Window& window, int bar, ScrollPart part, const ScrollBarGeometry& start)
        : m_handle(window.handle), m_bar(bar), m_part(part), m_start(start) {
        m_vertical = start.vertical;
        m_message = m_vertical ? WM_VSCROLL : WM_HSCROLL;
        if (bar == SB_CTL) {
            // A scroll bar control tells its parent, naming itself.
            m_target = window.parent && !window.parent->IsDesktop() ? window.parent->handle : nullptr;
            m_lParam = reinterpret_cast<LPARAM>(window.handle);
        } else {
            m_target = window.handle;
        }
    }

    void Run(POINT screen);

private:
    ScrollBarData* Data() {
        Window* window = FindLiveWindow(m_handle);
        return window ? BarData(*window, m_bar) : nullptr;
    }
    void Notify(WORD code, int position = 0) {
        if (m_target)
            SendMessageW(m_target, m_message, MAKEWPARAM(code, static_cast<WORD>(position)), m_lParam);
    }
    void Repaint() {
        if (Window* window = FindLiveWindow(m_handle))
            RepaintScrollBar(*window, m_bar);
    }
    int Along(POINT screen) const {
        return m_vertical ? screen.y - m_start.bar.top : screen.x - m_start.bar.left;
    }
    // Whether the held part is still under the pointer (the thumb may have moved past it).
    bool PartUnderPointer() {
        Window* window = FindLiveWindow(m_handle);
        return window && ScrollPartAt(MeasureScrollBar(*window, m_bar), m_pointer) == m_part;
    }
    void SetPressed(bool pressed) {
        ScrollBarData* data = Data();
        ScrollPart shown = pressed ? m_part : ScrollPart::None;
        if (data && data->pressed != shown) {
            data->pressed = shown;
            Repaint();
        }
    }
    void FollowThumb() {
        ScrollBarData* data = Data();
        if (!data)
            return;
        int position = PositionForThumb(m_start, *data, Along(m_pointer) - m_grab);
        if (position == data->trackPosition)
            return;
        data->trackPosition = position;
        Repaint();
        Notify(SB_THUMBTRACK, position);
    }

    HWND m_handle;
    int m_bar;
    ScrollPart m_part;
    ScrollBarGeometry m_start;
    bool m_vertical = false;
    UINT m_message = WM_VSCROLL;
    HWND m_target = nullptr;
    LPARAM m_lParam = 0;
    POINT m_pointer{};
    int m_grab = 0; // where on the thumb the pointer took it
};

void ScrollTracker::Run(POINT screen) {
    m_pointer = screen;
    ScrollBarData* data = Data();
    if (!data)
        return;
    data->tracking = true;
    data->pressed = m_part;
    data->trackPosition = data->position;
    SetCapture(m_handle);
    Repaint();
    bool thumb = m_part == ScrollPart::Thumb;
    WORD code = static_cast<WORD>(m_part);
    if (thumb) {
        m_grab = Along(screen) - m_start.thumbStart;
    } else {
        Notify(code);
        SetTimer(m_handle, RepeatTimerId, FirstRepeatDelay, nullptr);
    }
    MSG message;
    for (;;) {
        if (!FindLiveWindow(m_handle) || GetCapture() != m_handle)
            break;
        if (!GetMessageW(&message, nullptr, 0, 0)) {
            // The quit request is for the program's own loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (CallMsgFilterW(&message, MSGF_SCROLLBAR))
            continue;
        UINT id = message.message;
        if (id == WM_LBUTTONUP || id == WM_NCLBUTTONUP)
            break;
        if (id == WM_MOUSEMOVE || id == WM_NCMOUSEMOVE) {
            m_pointer = message.pt;
            if (thumb)
                FollowThumb();
            else
                SetPressed(PartUnderPointer());
            continue;
        }
        if (id == WM_TIMER && message.hwnd == m_handle && message.wParam == RepeatTimerId) {
            // Repeats only while the pointer holds the part; the track stops under the thumb.
            if (PartUnderPointer())
                Notify(code);
            SetTimer(m_handle, RepeatTimerId, RepeatInterval, nullptr);
            continue;
        }
        if ((id >= WM_MOUSEFIRST && id <= WM_MOUSELAST) || (id >= WM_NCMOUSEMOVE && id <= WM_NCMBUTTONDBLCLK))
            continue; // the bar has the mouse
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (FindLiveWindow(m_handle))
        KillTimer(m_handle, RepeatTimerId);
    if (GetCapture() == m_handle)
        ReleaseCapture();
    if (thumb) {
        if (ScrollBarData* last = Data())
            Notify(SB_THUMBPOSITION, last->trackPosition);
    }
    Notify(SB_ENDSCROLL);
    if (ScrollBarData* last = Data()) {
        last->tracking = false;
        last->pressed = ScrollPart::None;
        last->trackPosition = last->position;
    }
    Repaint();
}

} // namespace

void TrackScrollBar(Window& window, int bar, POINT screen) {
    ScrollBarGeometry geometry = MeasureScrollBar(window, bar);
    ScrollPart part = ScrollPartAt(geometry, screen);
    if (part == ScrollPart::None || !geometry.enabled)
        return;
    ScrollBarData* data = BarData(window, bar);
    if ((part == ScrollPart::FirstArrow && (data->disabledArrows & ESB_DISABLE_LTUP)) ||
        (part == ScrollPart::SecondArrow && (data->disabledArrows & ESB_DISABLE_RTDN)))
        return;
    ScrollTracker(window, bar, part, geometry).Run(screen);
}

} // namespace platform
