// The view of a list box: where items lie in the client area, which item is at the top, and
// the scroll bars that follow the two.

#include "platform/controls/listbox/ListBoxState.h"

#include <algorithm>

namespace platform {

namespace {

RECT Client(const ListBoxState& list) {
    RECT client{};
    GetClientRect(list.window, &client);
    return client;
}

constexpr int HorizontalLine = 8;

// The position a thumb message stands for: the 32-bit track position while the bar's own
// thumb is dragged, else the message's 16-bit position (a program that drags a thumb of its own
// drawing reports where it is there).
int ThumbPosition(HWND window, int bar, WPARAM wParam) {
    SCROLLBARINFO state{};
    state.cbSize = sizeof state;
    const bool dragged = GetScrollBarInfo(window, bar == SB_VERT ? OBJID_VSCROLL : OBJID_HSCROLL, &state) &&
                         (state.rgstate[3] & STATE_SYSTEM_PRESSED);
    SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
    if (dragged && GetScrollInfo(window, bar, &info))
        return info.nTrackPos;
    return HIWORD(wParam);
}

} // namespace

int ItemHeightAt(const ListBoxState& list, int index) {
    if (list.IsVariable() && list.Valid(index))
        return list.items[static_cast<std::size_t>(index)].height;
    return list.itemHeight;
}

int ItemTop(const ListBoxState& list, int index) {
    if (!list.IsVariable())
        return (index - list.top) * list.itemHeight;
    int y = 0;
    for (int i = list.top; i < index; ++i)
        y += ItemHeightAt(list, i);
    for (int i = index; i < list.top; ++i)
        y -= ItemHeightAt(list, i);
    return y;
}

RECT ItemRect(const ListBoxState& list, int index) {
    RECT client = Client(list);
    int top = ItemTop(list, index);
    return RECT{0, top, client.right, top + ItemHeightAt(list, index)};
}

int ItemFromPoint(const ListBoxState& list, POINT point, bool* outside) {
    RECT client = Client(list);
    *outside = !PtInRect(&client, point);
    if (list.Count() == 0)
        return 0;
    int index = list.top;
    if (point.y < 0)
        return std::max(0, list.top - 1);
    int y = 0;
    while (index < list.Count() - 1 && y + ItemHeightAt(list, index) <= point.y) {
        y += ItemHeightAt(list, index);
        ++index;
    }
    return index;
}

int FullyVisibleCount(const ListBoxState& list) {
    int height = Client(list).bottom;
    if (!list.IsVariable())
        return std::max(1, height / std::max(1, list.itemHeight));
    int count = 0;
    int y = 0;
    for (int i = list.top; i < list.Count(); ++i) {
        y += ItemHeightAt(list, i);
        if (y > height)
            break;
        ++count;
    }
    return std::max(1, count);
}

int LastTop(const ListBoxState& list) {
    int height = Client(list).bottom;
    if (!list.IsVariable())
        return std::max(0, list.Count() - std::max(1, height / std::max(1, list.itemHeight)));
    int y = 0;
    int index = list.Count();
    while (index > 0 && y + ItemHeightAt(list, index - 1) <= height) {
        y += ItemHeightAt(list, index - 1);
        --index;
    }
    return std::min(index, std::max(0, list.Count() - 1));
}

void SetTop(ListBoxState& list, int index) {
    index = std::clamp(index, 0, LastTop(list));
    if (index == list.top)
        return;
    list.top = index;
    UpdateScrollBars(list);
    InvalidateAll(list);
}

void EnsureVisible(ListBoxState& list, int index) {
    if (!list.Valid(index))
        return;
    if (index < list.top) {
        SetTop(list, index);
        return;
    }
    int height = Client(list).bottom;
    int top = list.top;
    // Move the top down until the item's bottom is inside (or the item is at the top).
    auto bottomOf = [&](int first) {
        int y = 0;
        for (int i = first; i <= index; ++i)
            y += ItemHeightAt(list, i);
        return y;
    };
    if (!list.IsVariable()) {
        int visible = std::max(1, height / std::max(1, list.itemHeight));
        if (index >= top + visible)
            top = index - visible + 1;
    } else {
        while (top < index && bottomOf(top) > height)
            ++top;
    }
    SetTop(list, top);
}

void UpdateScrollBars(ListBoxState& list) {
    if (list.scrollStyles & WS_VSCROLL) {
        UINT noScroll = (list.style & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0;
        SCROLLINFO info{sizeof info,
                        SIF_RANGE | SIF_PAGE | SIF_POS | noScroll,
                        0,
                        std::max(0, list.Count() - 1),
                        static_cast<UINT>(FullyVisibleCount(list)),
                        list.top,
                        0};
        if (list.Count() == 0)
            info.nPage = 1;
        SetScrollInfo(list.window, SB_VERT, &info, list.redraw);
    }
    if (list.scrollStyles & WS_HSCROLL) {
        int width = Client(list).right;
        list.horizontalOffset =
            std::clamp(list.horizontalOffset, 0, std::max(0, list.horizontalExtent - width));
        UINT noScroll = (list.style & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0;
        SCROLLINFO info{sizeof info,
                        SIF_RANGE | SIF_PAGE | SIF_POS | noScroll,
                        0,
                        std::max(0, list.horizontalExtent - 1),
                        static_cast<UINT>(std::max(1, width)),
                        list.horizontalOffset,
                        0};
        SetScrollInfo(list.window, SB_HORZ, &info, list.redraw);
    }
}

void InvalidateItem(const ListBoxState& list, int index) {
    if (!list.redraw || !list.Valid(index))
        return;
    RECT rect = ItemRect(list, index);
    InvalidateRect(list.window, &rect, TRUE);
}

void InvalidateAll(const ListBoxState& list) {
    if (list.redraw)
        InvalidateRect(list.window, nullptr, TRUE);
}

void ScrollVertically(ListBoxState& list, WPARAM wParam) {
    const WORD code = LOWORD(wParam);
    int page = FullyVisibleCount(list);
    switch (code) {
    case SB_LINEUP:
        SetTop(list, list.top - 1);
        break;
    case SB_LINEDOWN:
        SetTop(list, list.top + 1);
        break;
    case SB_PAGEUP:
        SetTop(list, list.top - std::max(1, page - 1));
        break;
    case SB_PAGEDOWN:
        SetTop(list, list.top + std::max(1, page - 1));
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        SetTop(list, ThumbPosition(list.window, SB_VERT, wParam));
        break;
    case SB_TOP:
        SetTop(list, 0);
        break;
    case SB_BOTTOM:
        SetTop(list, LastTop(list));
        break;
    default:
        break;
    }
}

void ScrollHorizontally(ListBoxState& list, WPARAM wParam) {
    const WORD code = LOWORD(wParam);
    int width = Client(list).right;
    int offset = list.horizontalOffset;
    switch (code) {
    case SB_LINELEFT:
        offset -= HorizontalLine;
        break;
    case SB_LINERIGHT:
        offset += HorizontalLine;
        break;
    case SB_PAGELEFT:
        offset -= width;
        break;
    case SB_PAGERIGHT:
        offset += width;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        offset = ThumbPosition(list.window, SB_HORZ, wParam);
        break;
    case SB_LEFT:
        offset = 0;
        break;
    case SB_RIGHT:
        offset = list.horizontalExtent;
        break;
    default:
        return;
    }
    offset = std::clamp(offset, 0, std::max(0, list.horizontalExtent - width));
    if (offset == list.horizontalOffset)
        return;
    list.horizontalOffset = offset;
    UpdateScrollBars(list);
    InvalidateAll(list);
}

void FitIntegralHeight(ListBoxState& list) {
    if ((list.style & (LBS_NOINTEGRALHEIGHT | LBS_COMBOBOX)) || list.IsVariable() || list.itemHeight <= 0)
        return;
    RECT client = Client(list);
    int extra = client.bottom % list.itemHeight;
    if (extra == 0 || client.bottom <= list.itemHeight)
        return;
    RECT window{};
    GetWindowRect(list.window, &window);
    SetWindowPos(list.window, nullptr, 0, 0, window.right - window.left, window.bottom - window.top - extra,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace platform
