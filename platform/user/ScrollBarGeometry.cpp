#include "platform/user/ScrollBarGeometry.h"

#include "platform/base/MulDiv.h"
#include "platform/user/FrameLayout.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowClass.h"

#include <algorithm>

namespace platform {

namespace {

// The smallest thumb that still shows its edges.
constexpr int MinimumThumb = 8;

RECT WindowBarRect(const Window& window, bool vertical) {
    RECT client = ClientRectOnScreen(window);
    if (vertical) {
        int width = GetSystemMetrics(SM_CXVSCROLL);
        if (window.exStyle & WS_EX_LEFTSCROLLBAR)
            return {client.left - width, client.top, client.left, client.bottom};
        return {client.right, client.top, client.right + width, client.bottom};
    }
    int height = GetSystemMetrics(SM_CYHSCROLL);
    return {client.left, client.bottom, client.right, client.bottom + height};
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

void PlaceThumbAt(ScrollBarGeometry& g, const ScrollBarData& data, int position) {
    g.thumbShown = false;
    g.thumbStart = g.thumbEnd = g.arrow;
    int track = g.TrackLength();
    if (!g.visible || !g.enabled || data.maximum <= data.minimum)
        return;
    long long span = static_cast<long long>(data.maximum) - data.minimum + 1;
    int thumb;
    if (data.page == 0) {
        thumb = GetSystemMetrics(g.vertical ? SM_CYVTHUMB : SM_CXHTHUMB);
    } else {
        if (static_cast<long long>(data.page) >= span)
            return; // everything fits: nothing to scroll
        thumb = static_cast<int>(static_cast<long long>(track) * data.page / span);
        thumb = std::max(thumb, MinimumThumb);
    }
    if (thumb > track)
        return;
    int movable = track - thumb;
    int positions = data.MaximumPosition() - data.minimum;
    int offset = 0;
    if (positions > 0) {
        int clamped = std::clamp(position, data.minimum, data.MaximumPosition());
        offset = MulDiv(movable, clamped - data.minimum, positions);
    }
    g.thumbShown = true;
    g.thumbStart = g.arrow + offset;
    g.thumbEnd = g.thumbStart + thumb;
}

} // namespace

bool IsScrollBarControl(const Window& window) {
    if (window.scrollBars.isControl)
        return true;
    if (!window.windowClass)
        return false;
    const std::u16string& name = window.windowClass->name;
    constexpr std::u16string_view Wanted = u"scrollbar";
    if (name.size() != Wanted.size())
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        char16_t c = name[i] >= u'A' && name[i] <= u'Z' ? static_cast<char16_t>(name[i] + 32) : name[i];
        if (c != Wanted[i])
            return false;
    }
    return true;
}

void MarkScrollBarControl(HWND bar) {
    if (Window* window = WindowFromHandle(bar))
        window->scrollBars.isControl = true;
}

ScrollBarData* BarData(Window& window, int bar) {
    switch (bar) {
    case SB_HORZ:
        return &window.scrollBars.horizontal;
    case SB_VERT:
        return &window.scrollBars.vertical;
    case SB_CTL:
        return &window.scrollBars.control;
    default:
        return nullptr;
    }
}

ScrollBarGeometry MeasureScrollBar(Window& window, int bar) {
    ScrollBarGeometry g;
    ScrollBarData* data = BarData(window, bar);
    if (!data)
        return g;
    bool windowEnabled = !(window.style & WS_DISABLED);
    if (bar == SB_CTL) {
        g.bar = ClientRectOnScreen(window);
        g.vertical = (window.style & SBS_VERT) != 0;
        g.visible = IsReallyVisible(window);
    } else {
        g.vertical = bar == SB_VERT;
        g.bar = WindowBarRect(window, g.vertical);
        DWORD styleBit = g.vertical ? WS_VSCROLL : WS_HSCROLL;
        g.visible = (window.style & styleBit) && !(window.style & WS_MINIMIZE) &&
                    Inside(g.bar, WindowRectOnScreen(window));
    }
    g.enabled = windowEnabled && data->disabledArrows != ESB_DISABLE_BOTH;
    g.length = g.vertical ? g.bar.bottom - g.bar.top : g.bar.right - g.bar.left;
    if (g.length <= 0) {
        g.length = 0;
        g.visible = false;
    }
    int metric = g.vertical ? GetSystemMetrics(SM_CYVSCROLL) : GetSystemMetrics(SM_CXHSCROLL);
    // A bar shorter than two arrows gives each arrow half of it.
    g.arrow = std::min(metric, g.length / 2);
    PlaceThumbAt(g, *data, data->DraggingThumb() ? data->trackPosition : data->position);
    return g;
}

void PlaceThumb(ScrollBarGeometry& geometry, const ScrollBarData& data, int position) {
    PlaceThumbAt(geometry, data, position);
}

ScrollPart ScrollPartAt(const ScrollBarGeometry& g, POINT screen) {
    if (!g.visible || !PointInRect(g.bar, screen))
        return ScrollPart::None;
    int along = g.vertical ? screen.y - g.bar.top : screen.x - g.bar.left;
    if (along < g.arrow)
        return ScrollPart::FirstArrow;
    if (along >= g.length - g.arrow)
        return ScrollPart::SecondArrow;
    if (!g.thumbShown) {
        // Without a thumb the track is split in the middle.
        return along < g.length / 2 ? ScrollPart::TrackBefore : ScrollPart::TrackAfter;
    }
    if (along < g.thumbStart)
        return ScrollPart::TrackBefore;
    if (along < g.thumbEnd)
        return ScrollPart::Thumb;
    return ScrollPart::TrackAfter;
}

RECT ScrollPartRect(const ScrollBarGeometry& g, ScrollPart part) {
    int from = 0;
    int to = 0;
    switch (part) {
    case ScrollPart::FirstArrow:
        to = g.arrow;
        break;
    case ScrollPart::SecondArrow:
        from = g.length - g.arrow;
        to = g.length;
        break;
    case ScrollPart::TrackBefore:
        from = g.arrow;
        to = g.thumbShown ? g.thumbStart : g.length / 2;
        break;
    case ScrollPart::TrackAfter:
        from = g.thumbShown ? g.thumbEnd : g.length / 2;
        to = g.length - g.arrow;
        break;
    case ScrollPart::Thumb:
        if (!g.thumbShown)
            return {};
        from = g.thumbStart;
        to = g.thumbEnd;
        break;
    case ScrollPart::None:
        return {};
    }
    if (to <= from)
        return {};
    if (g.vertical)
        return {g.bar.left, g.bar.top + from, g.bar.right, g.bar.top + to};
    return {g.bar.left + from, g.bar.top, g.bar.left + to, g.bar.bottom};
}

int PositionForThumb(const ScrollBarGeometry& g, const ScrollBarData& data, int thumbStart) {
    int thumb = g.thumbEnd - g.thumbStart;
    int movable = g.TrackLength() - thumb;
    int positions = data.MaximumPosition() - data.minimum;
    if (!g.thumbShown || movable <= 0 || positions <= 0)
        return data.minimum;
    int offset = std::clamp(thumbStart - g.arrow, 0, movable);
    // Round to the nearest position, so that the thumb lands where the pointer left it.
    long long scaled = (static_cast<long long>(offset) * positions * 2 + movable) / (2LL * movable);
    return data.minimum + static_cast<int>(scaled);
}

} // namespace platform
