// Arranging child windows: cascaded one caption apart, tiled side by side or one above the
// other, and minimised ones lined up along the bottom. The MDI client uses these for
// WM_MDICASCADE, WM_MDITILE and WM_MDIICONARRANGE; they serve any parent.

#include "platform/user/IconSlots.h"
#include "platform/user/WinUser.h"
#include "platform/user/mdi/WinMdi.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

DWORD StyleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
}

HWND ParentOrDesktop(HWND parent) {
    return parent ? parent : GetDesktopWindow();
}

// The windows to arrange, frontmost first: visible, not minimised, enabled unless asked.
std::vector<HWND> Arrangeable(HWND parent, UINT how, UINT count, const HWND* kids) {
    std::vector<HWND> candidates;
    if (kids) {
        candidates.assign(kids, kids + count);
    } else {
        for (HWND w = GetWindow(ParentOrDesktop(parent), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            candidates.push_back(w);
    }
    std::vector<HWND> chosen;
    for (HWND w : candidates) {
        DWORD style = IsWindow(w) ? StyleOf(w) : 0;
        if (!(style & WS_VISIBLE) || (style & WS_MINIMIZE))
            continue;
        if ((how & MDITILE_SKIPDISABLED) && (style & WS_DISABLED))
            continue;
        chosen.push_back(w);
    }
    return chosen;
}

bool HasIconicChild(HWND parent) {
    for (HWND w = GetWindow(ParentOrDesktop(parent), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if ((StyleOf(w) & (WS_VISIBLE | WS_MINIMIZE)) == (WS_VISIBLE | WS_MINIMIZE))
            return true;
    }
    return false;
}

// The area to arrange in: as given, or the parent's client area less a row for its icons.
RECT AreaOf(HWND parent, const RECT* area) {
    if (area)
        return *area;
    RECT rect{};
    GetClientRect(ParentOrDesktop(parent), &rect);
    if (parent && HasIconicChild(parent))
        rect.bottom = std::max(rect.top, rect.bottom - static_cast<LONG>(GetSystemMetrics(SM_CYMINSPACING)));
    return rect;
}

void Place(HWND window, int x, int y, int width, int height) {
    if (StyleOf(window) & WS_MAXIMIZE)
        ShowWindow(window, SW_SHOWNOACTIVATE);
    SetWindowPos(window, nullptr, x, y, std::max(width, 0), std::max(height, 0),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

WORD CascadeWindows(HWND parent, UINT how, const RECT* area, UINT count, const HWND* kids) {
    std::vector<HWND> windows = Arrangeable(parent, how, count, kids);
    if (windows.empty())
        return 0;
    RECT place = AreaOf(parent, area);
    int width = place.right - place.left;
    int height = place.bottom - place.top;
    int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYSIZEFRAME);
    // As many steps as keep each window at least half the area; later windows start again.
    int perCycle =
        std::clamp(std::min(width, height) / 2 / std::max(step, 1) + 1, 1, static_cast<int>(windows.size()));
    int windowWidth = width - step * (perCycle - 1);
    int windowHeight = height - step * (perCycle - 1);
    // The frontmost window comes last, at the deepest step, and stays in front.
    int index = 0;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it, ++index) {
        int offset = step * (index % perCycle);
        Place(*it, place.left + offset, place.top + offset, windowWidth, windowHeight);
    }
    return static_cast<WORD>(windows.size());
}

WORD TileWindows(HWND parent, UINT how, const RECT* area, UINT count, const HWND* kids) {
    std::vector<HWND> windows = Arrangeable(parent, how, count, kids);
    if (windows.empty())
        return 0;
    RECT place = AreaOf(parent, area);
    int total = static_cast<int>(windows.size());
    // Side by side (vertical tiling) in columns, or one above the other (horizontal) in rows;
    // past three windows a grid, the later lines taking one more window each as needed.
    bool horizontal = (how & MDITILE_HORIZONTAL) != 0;
    int lines = total <= 3 ? total : static_cast<int>(std::ceil(std::sqrt(static_cast<double>(total))));
    int across = horizontal ? place.bottom - place.top : place.right - place.left;
    int along = horizontal ? place.right - place.left : place.bottom - place.top;
    int next = 0;
    for (int line = 0; line < lines; ++line) {
        int inLine = total / lines + (line >= lines - total % lines ? 1 : 0);
        int lineStart = across * line / lines;
        int lineEnd = across * (line + 1) / lines;
        for (int i = 0; i < inLine && next < total; ++i, ++next) {
            int start = along * i / inLine;
            int end = along * (i + 1) / inLine;
            if (horizontal)
                Place(windows[static_cast<std::size_t>(next)], place.left + start, place.top + lineStart,
                      end - start, lineEnd - lineStart);
            else
                Place(windows[static_cast<std::size_t>(next)], place.left + lineStart, place.top + start,
                      lineEnd - lineStart, end - start);
        }
    }
    return static_cast<WORD>(total);
}

UINT ArrangeIconicWindows(HWND parent) {
    if (!parent || !IsWindow(parent))
        return 0;
    RECT client{};
    GetClientRect(parent, &client);
    SIZE size{client.right, client.bottom};
    int index = 0;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if ((StyleOf(w) & (WS_VISIBLE | WS_MINIMIZE)) != (WS_VISIBLE | WS_MINIMIZE))
            continue;
        POINT slot = platform::IconSlotPosition(size, index++);
        SetWindowPos(w, nullptr, slot.x, slot.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return index ? static_cast<UINT>(GetSystemMetrics(SM_CYMINSPACING)) : 0;
}
