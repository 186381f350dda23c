// Scrolling a window's client area: the pixels move inside the backing store, the uncovered
// part is invalidated (or reported), pending invalid parts move along, and child windows may
// move with the contents.

#include "platform/gdi/RegionObject.h"
#include "platform/gdi/WinGdi.h"
#include "platform/user/Painting.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowManager.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform {

namespace {

RECT ClientSize(const Window& window) {
    return {0, 0, window.clientRect.right - window.clientRect.left,
            window.clientRect.bottom - window.clientRect.top};
}

RECT Intersection(const RECT& a, const RECT& b) {
    RECT r = {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
    if (r.right < r.left)
        r.right = r.left;
    if (r.bottom < r.top)
        r.bottom = r.top;
    return r;
}

// Moves one rectangle's pixels in place: rows are taken in the order that reads each row
// before it is overwritten, and memmove keeps a row intact when it shifts sideways.
void MoveRectangle(PixelSurface& store, const RECT& r, int dx, int dy) {
    const int first = std::max({r.left, -dx, 0});
    const int last = std::min({r.right, store.Width(), store.Width() - dx});
    if (first >= last)
        return;
    const std::size_t bytes = static_cast<std::size_t>(last - first) * sizeof(Pixel);
    auto moveRow = [&](int y) {
        const int targetY = y + dy;
        if (y >= 0 && y < store.Height() && targetY >= 0 && targetY < store.Height())
            std::memmove(store.Row(targetY) + first + dx, store.Row(y) + first, bytes);
    };
    if (dy > 0) {
        for (int y = r.bottom - 1; y >= r.top; --y)
            moveRow(y);
    } else {
        for (int y = r.top; y < r.bottom; ++y)
            moveRow(y);
    }
}

// Copies the pixels of `source` (backing-store coordinates) by (dx, dy). A single rectangle,
// the usual case, moves in place; the rectangles of a complex region go through a copy, since
// moving one could overwrite what another has still to read.
void MovePixels(PixelSurface& store, const Region& source, int dx, int dy) {
    if (source.IsEmpty())
        return;
    const std::vector<RECT> rects = source.Rects();
    if (rects.size() == 1) {
        MoveRectangle(store, rects.front(), dx, dy);
        return;
    }
    RECT bounds = source.Bounds();
    int width = bounds.right - bounds.left;
    std::vector<Pixel> saved(static_cast<std::size_t>(width) *
                             static_cast<std::size_t>(bounds.bottom - bounds.top));
    for (int y = bounds.top; y < bounds.bottom; ++y)
        std::copy_n(store.Row(y) + bounds.left, width, saved.begin() + (y - bounds.top) * width);
    for (const RECT& r : rects) {
        for (int y = r.top; y < r.bottom; ++y) {
            int targetY = y + dy;
            if (targetY < 0 || targetY >= store.Height())
                continue;
            // The run of the row whose target lies inside the store, copied whole.
            const int first = std::max(r.left, -dx);
            const int last = std::min(r.right, store.Width() - dx);
            if (first < last)
                std::copy_n(saved.begin() + (y - bounds.top) * width + (first - bounds.left), last - first,
                            store.Row(targetY) + first + dx);
        }
    }
}

} // namespace

} // namespace platform

using platform::FindLiveWindow;
using platform::Region;
using platform::Window;
using platform::WindowFromHandle;

int ScrollWindowEx(HWND handle, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update,
                   LPRECT updateRect, UINT flags) {
    platform::MessageCallScope scope;
    Window* window = WindowFromHandle(handle);
    if (!window)
        return ERROR;
    RECT client = platform::ClientSize(*window);
    RECT area = scroll ? platform::Intersection(*scroll, client) : client;
    RECT limit = clip ? platform::Intersection(*clip, client) : client;
    RECT affected = platform::Intersection(area, limit);

    // Only pixels the window may draw are moved, and only into the clipped area.
    Region uncovered(affected);
    Window* top = platform::TopLevelOf(*window);
    if (top && platform::IsReallyVisible(*window)) {
        platform::EnsureBackingStore(*top);
        POINT origin = platform::OffsetInTopLevel(*window, true);
        // Children that move with the contents take their pixels along.
        unsigned clipFlags = platform::StyleClipFlags(*window);
        if (flags & SW_SCROLLCHILDREN)
            clipFlags &= ~platform::ClipChildren;
        Region visible = platform::VisibleRegion(*window, false, clipFlags);
        visible.Offset(-origin.x, -origin.y);
        Region source(area);
        source.IntersectWith(visible);
        Region target = source;
        target.Offset(dx, dy);
        target.IntersectWith(limit);
        target.IntersectWith(visible);
        Region moved = target;
        moved.Offset(-dx, -dy);
        moved.Offset(origin.x, origin.y);
        platform::MovePixels(*top->backingStore, moved, dx, dy);
        uncovered.Subtract(target);
    }

    // Parts waiting to be painted move with the contents and stay invalid.
    RECT clientInWindow = {window->clientRect.left - window->windowRect.left,
                           window->clientRect.top - window->windowRect.top, 0, 0};
    Region pending = window->updateRegion;
    pending.Offset(-clientInWindow.left, -clientInWindow.top);
    pending.IntersectWith(affected);
    if (!pending.IsEmpty()) {
        Region stale = pending;
        stale.Offset(clientInWindow.left, clientInWindow.top);
        window->updateRegion.Subtract(stale);
        pending.Offset(dx, dy);
        pending.IntersectWith(affected);
        pending.Offset(clientInWindow.left, clientInWindow.top);
        window->updateRegion.UnionWith(pending);
    }

    if (flags & SW_SCROLLCHILDREN) {
        std::vector<HWND> children;
        for (Window* child : window->children)
            children.push_back(child->handle);
        for (HWND child : children) {
            Window* c = FindLiveWindow(child);
            if (!c)
                continue;
            RECT r = c->windowRect;
            RECT overlap = platform::Intersection(r, area);
            if (scroll && (overlap.right <= overlap.left || overlap.bottom <= overlap.top))
                continue;
            platform::PlaceWindow(*c, nullptr, r.left + dx, r.top + dy, 0, 0,
                                  SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        }
        if (!(window = FindLiveWindow(handle)))
            return ERROR;
    }

    if (update) {
        if (platform::RegionObject* object = platform::FindRegion(update))
            object->Value() = uncovered;
    }
    if (updateRect)
        *updateRect = uncovered.IsEmpty() ? RECT{0, 0, 0, 0} : uncovered.Bounds();
    if (flags & SW_INVALIDATE) {
        Region invalid = uncovered;
        invalid.Offset(clientInWindow.left, clientInWindow.top);
        platform::Redraw(*window, invalid,
                         RDW_INVALIDATE | ((flags & SW_ERASE) ? RDW_ERASE : 0) |
                             ((flags & SW_SCROLLCHILDREN) ? RDW_ALLCHILDREN : 0));
    }
    platform::PresentWindow(*window);
    return uncovered.Complexity();
}

BOOL ScrollWindow(HWND handle, int dx, int dy, const RECT* scroll, const RECT* clip) {
    // Without a scroll rectangle the children move with the contents.
    UINT flags = SW_INVALIDATE | SW_ERASE | (scroll ? 0 : SW_SCROLLCHILDREN);
    return ScrollWindowEx(handle, dx, dy, scroll, clip, nullptr, nullptr, flags) != ERROR ? TRUE : FALSE;
}
