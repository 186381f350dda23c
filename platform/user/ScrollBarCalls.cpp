// The scroll bar calls: range, page and position with their clamping, showing and hiding a
// window's bars, disabling arrows, and the bar's geometry and state for accessibility tools.

#include "platform/user/ScrollBarCalls.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/gdi/WinRect.h"
#include "platform/user/ScrollBarGeometry.h"
#include "platform/user/ScrollBarPainter.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowProcedures.h"

#include <algorithm>
#include <climits>

namespace platform {

namespace {

bool ValidSize(UINT size) {
    // The structure without its last field is what older callers pass.
    return size == sizeof(SCROLLINFO) || size == sizeof(SCROLLINFO) - sizeof(int);
}

DWORD StyleBit(int bar) {
    return bar == SB_VERT ? WS_VSCROLL : bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL | WS_HSCROLL;
}

bool HasBar(const Window& window, int bar) {
    return bar == SB_CTL || (window.style & StyleBit(bar)) != 0;
}

// Sets the window's style bits for the bars and lets the frame make room for them.
bool ShowWindowBars(Window& window, int bar, bool show) {
    DWORD bits = StyleBit(bar);
    DWORD style = show ? window.style | bits : window.style & ~bits;
    if (style == window.style)
        return false;
    window.style = style;
    SetWindowPos(window.handle, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

bool SetDisabledArrows(Window& window, int bar, UINT arrows) {
    ScrollBarData* data = BarData(window, bar);
    if (!data || data->disabledArrows == arrows)
        return false;
    data->disabledArrows = arrows;
    return true;
}

// A bar whose whole range fits in its page has nothing to scroll.
bool IsNeeded(const ScrollBarData& data) {
    if (data.maximum <= data.minimum)
        return false;
    long long span = static_cast<long long>(data.maximum) - data.minimum + 1;
    return data.page == 0 || static_cast<long long>(data.page) < span;
}

// Whether two measures of a bar draw the same picture: the same place, state and thumb.
bool SameLook(const ScrollBarGeometry& a, const ScrollBarGeometry& b) {
    return EqualRect(&a.bar, &b.bar) && a.visible == b.visible && a.enabled == b.enabled &&
           a.thumbShown == b.thumbShown && a.thumbStart == b.thumbStart && a.thumbEnd == b.thumbEnd;
}

int ApplyScrollInfo(Window& window, int bar, const SCROLLINFO& info, bool redraw) {
    // A window bar whose picture does not change is not drawn again: a long list scrolled by a
    // line seldom moves its thumb by a pixel.
    const ScrollBarGeometry before = MeasureScrollBar(window, bar);
    const UINT arrowsBefore = BarData(window, bar)->disabledArrows;
    ScrollBarData& data = *BarData(window, bar);
    bool rangeOrPage = (info.fMask & (SIF_RANGE | SIF_PAGE)) != 0;
    if (info.fMask & SIF_RANGE) {
        data.minimum = info.nMin;
        data.maximum = std::max(info.nMax, info.nMin);
    }
    if (info.fMask & SIF_PAGE)
        data.page = info.nPage;
    long long span = static_cast<long long>(data.maximum) - data.minimum + 1;
    if (static_cast<long long>(data.page) > span)
        data.page = static_cast<UINT>(span);
    if (info.fMask & SIF_POS)
        data.position = info.nPos;
    data.position = std::clamp(data.position, data.minimum, data.MaximumPosition());
    if (!data.DraggingThumb())
        data.trackPosition = data.position;
    data.set = true;
    HWND handle = window.handle;
    if (rangeOrPage) {
        bool needed = IsNeeded(data);
        bool disableInstead = (info.fMask & SIF_DISABLENOSCROLL) != 0;
        if (bar == SB_CTL || disableInstead) {
            if (!needed && disableInstead)
                SetDisabledArrows(window, bar, ESB_DISABLE_BOTH);
            else if (needed && data.disabledArrows == ESB_DISABLE_BOTH && disableInstead)
                SetDisabledArrows(window, bar, ESB_ENABLE_BOTH);
        }
        // An unneeded window bar goes away, unless the caller asked to keep it disabled.
        if (bar != SB_CTL && ShowWindowBars(window, bar, needed || disableInstead))
            redraw = false; // the frame was laid out and painted afresh
    }
    Window* alive = FindLiveWindow(handle);
    if (!alive)
        return 0;
    if (redraw && (bar == SB_CTL || !SameLook(before, MeasureScrollBar(*alive, bar)) ||
                   BarData(*alive, bar)->disabledArrows != arrowsBefore))
        RepaintScrollBar(*alive, bar);
    return BarData(*alive, bar)->position;
}

BOOL ReadScrollInfo(Window& window, int bar, SCROLLINFO& info) {
    const ScrollBarData& data = *BarData(window, bar);
    if (!HasBar(window, bar) && !data.set) {
        SetLastError(ERROR_NO_SCROLLBARS);
        return FALSE;
    }
    if (!(info.fMask & SIF_ALL))
        return FALSE;
    if (info.fMask & SIF_RANGE) {
        info.nMin = data.minimum;
        info.nMax = data.maximum;
    }
    if (info.fMask & SIF_PAGE)
        info.nPage = data.page;
    if (info.fMask & SIF_POS)
        info.nPos = data.position;
    if ((info.fMask & SIF_TRACKPOS) && info.cbSize == sizeof(SCROLLINFO))
        info.nTrackPos = data.DraggingThumb() ? data.trackPosition : data.position;
    return TRUE;
}

} // namespace

int SetControlScrollInfo(HWND bar, const SCROLLINFO* info, bool redraw) {
    Window* window = WindowFromHandle(bar);
    if (!window || !IsScrollBarControl(*window))
        return 0;
    if (!info || !ValidSize(info->cbSize)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return ApplyScrollInfo(*window, SB_CTL, *info, redraw);
}

BOOL GetControlScrollInfo(HWND bar, SCROLLINFO* info) {
    Window* window = WindowFromHandle(bar);
    if (!window || !IsScrollBarControl(*window))
        return FALSE;
    if (!info || !ValidSize(info->cbSize)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return ReadScrollInfo(*window, SB_CTL, *info);
}

} // namespace platform

using platform::BarData;
using platform::ScrollBarData;
using platform::Window;
using platform::WindowFromHandle;

int SetScrollInfo(HWND handle, int bar, LPCSCROLLINFO info, BOOL redraw) {
    Window* window = WindowFromHandle(handle);
    if (!window)
        return 0;
    if (!info || !platform::ValidSize(info->cbSize) || bar < SB_HORZ || bar > SB_CTL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // A control takes its state through its procedure, so a subclass sees every change.
    if (bar == SB_CTL)
        return static_cast<int>(
            SendMessageW(handle, SBM_SETSCROLLINFO, redraw, reinterpret_cast<LPARAM>(info)));
    return platform::ApplyScrollInfo(*window, bar, *info, redraw != FALSE);
}

BOOL GetScrollInfo(HWND handle, int bar, LPSCROLLINFO info) {
    Window* window = WindowFromHandle(handle);
    if (!window)
        return FALSE;
    if (!info || !platform::ValidSize(info->cbSize) || bar < SB_HORZ || bar > SB_CTL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (bar == SB_CTL)
        return SendMessageW(handle, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)) ? TRUE : FALSE;
    return platform::ReadScrollInfo(*window, bar, *info);
}

int SetScrollPos(HWND handle, int bar, int position, BOOL redraw) {
    Window* window = WindowFromHandle(handle);
    if (!window)
        return 0;
    ScrollBarData* data = bar == SB_BOTH ? nullptr : BarData(*window, bar);
    if (!data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int previous = bar == SB_CTL ? GetScrollPos(handle, SB_CTL) : data->position;
    SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, position, 0};
    SetScrollInfo(handle, bar, &info, redraw);
    return previous;
}

int GetScrollPos(HWND handle, int bar) {
    SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, 0, 0};
    return GetScrollInfo(handle, bar, &info) ? info.nPos : 0;
}

BOOL SetScrollRange(HWND handle, int bar, int minimum, int maximum, BOOL redraw) {
    if (static_cast<long long>(maximum) - minimum > INT_MAX) {
        SetLastError(ERROR_INVALID_SCROLLBAR_RANGE);
        return FALSE;
    }
    Window* window = WindowFromHandle(handle);
    if (!window)
        return FALSE;
    SCROLLINFO info{sizeof info, SIF_RANGE, minimum, maximum, 0, 0, 0};
    SetScrollInfo(handle, bar, &info, redraw);
    return WindowFromHandle(handle) ? TRUE : FALSE;
}

BOOL GetScrollRange(HWND handle, int bar, int* minimum, int* maximum) {
    if (!minimum || !maximum) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *minimum = 0;
    *maximum = 0;
    SCROLLINFO info{sizeof info, SIF_RANGE, 0, 0, 0, 0, 0};
    if (GetScrollInfo(handle, bar, &info)) {
        *minimum = info.nMin;
        *maximum = info.nMax;
    }
    return WindowFromHandle(handle) ? TRUE : FALSE;
}

BOOL ShowScrollBar(HWND handle, int bar, BOOL show) {
    Window* window = WindowFromHandle(handle);
    if (!window)
        return FALSE;
    if (bar == SB_CTL) {
        ShowWindow(handle, show ? SW_SHOW : SW_HIDE);
        return TRUE;
    }
    if (bar < SB_HORZ || bar > SB_BOTH) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    platform::ShowWindowBars(*window, bar, show != FALSE);
    return TRUE;
}

BOOL EnableScrollBar(HWND handle, UINT bar, UINT arrows) {
    Window* window = WindowFromHandle(handle);
    if (!window)
        return FALSE;
    if (bar > SB_BOTH || arrows > ESB_DISABLE_BOTH) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    bool changed = false;
    for (int one : {SB_HORZ, SB_VERT, SB_CTL}) {
        if (static_cast<int>(bar) == one || (bar == SB_BOTH && one != SB_CTL)) {
            if (platform::SetDisabledArrows(*window, one, arrows)) {
                changed = true;
                platform::RepaintScrollBar(*window, one);
            }
        }
    }
    // Nothing to change is reported as a failure.
    return changed ? TRUE : FALSE;
}

BOOL GetScrollBarInfo(HWND handle, LONG object, PSCROLLBARINFO info) {
    Window* window = WindowFromHandle(handle);
    if (!window)
        return FALSE;
    int bar = object == OBJID_HSCROLL                                           ? SB_HORZ
              : object == OBJID_VSCROLL                                         ? SB_VERT
              : object == OBJID_CLIENT && platform::IsScrollBarControl(*window) ? SB_CTL
                                                                                : -1;
    if (!info || info->cbSize != sizeof(SCROLLBARINFO) || bar < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    platform::ScrollBarGeometry g = platform::MeasureScrollBar(*window, bar);
    const ScrollBarData& data = *BarData(*window, bar);
    info->rcScrollBar = g.bar;
    info->dxyLineButton = g.arrow;
    info->xyThumbTop = g.thumbShown ? g.thumbStart : g.arrow;
    info->xyThumbBottom = g.thumbShown ? g.thumbEnd : g.arrow;
    info->reserved = 0;
    DWORD unavailable = g.enabled ? 0 : STATE_SYSTEM_UNAVAILABLE;
    DWORD barState = unavailable;
    if (!g.visible) {
        barState |= STATE_SYSTEM_INVISIBLE;
        // The bar is there but the window leaves it no room.
        if (platform::HasBar(*window, bar) && bar != SB_CTL)
            barState |= STATE_SYSTEM_OFFSCREEN;
    }
    auto pressed = [&](platform::ScrollPart part) {
        return data.tracking && data.pressed == part ? STATE_SYSTEM_PRESSED : 0;
    };
    info->rgstate[0] = barState;
    info->rgstate[1] = ((data.disabledArrows & ESB_DISABLE_LTUP) ? STATE_SYSTEM_UNAVAILABLE : unavailable) |
                       pressed(platform::ScrollPart::FirstArrow);
    info->rgstate[2] = unavailable | pressed(platform::ScrollPart::TrackBefore);
    info->rgstate[3] =
        unavailable | (g.thumbShown ? 0 : STATE_SYSTEM_INVISIBLE) | pressed(platform::ScrollPart::Thumb);
    info->rgstate[4] = unavailable | pressed(platform::ScrollPart::TrackAfter);
    info->rgstate[5] = ((data.disabledArrows & ESB_DISABLE_RTDN) ? STATE_SYSTEM_UNAVAILABLE : unavailable) |
                       pressed(platform::ScrollPart::SecondArrow);
    return TRUE;
}
