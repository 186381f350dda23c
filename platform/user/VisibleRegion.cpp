// Where a window may draw: its rectangle in the top-level window's backing store, clipped by
// its ancestors' client areas, window shapes, and the siblings and children its styles or
// the caller ask to keep clear.

#include "platform/user/Painting.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowClass.h"

#include <algorithm>

namespace platform {

namespace {

RECT SizedAt(POINT origin, const RECT& sizeOf) {
    return {origin.x, origin.y, origin.x + (sizeOf.right - sizeOf.left),
            origin.y + (sizeOf.bottom - sizeOf.top)};
}

// A window's area (rectangle and shape) in its top-level window's coordinates.
Region AreaInTopLevel(const Window& window) {
    POINT origin = OffsetInTopLevel(window, false);
    Region area(SizedAt(origin, window.windowRect));
    if (window.shape) {
        Region shape = *window.shape;
        shape.Offset(origin.x, origin.y);
        area.IntersectWith(shape);
    }
    return area;
}

Region ClientInTopLevel(const Window& window) {
    return Region(SizedAt(OffsetInTopLevel(window, true), window.clientRect));
}

void SubtractSiblingsAbove(Region& visible, const Window& window) {
    for (const Window* sibling : window.parent->children) {
        if (sibling == &window)
            break;
        if (sibling->IsVisibleStyle())
            visible.Subtract(AreaInTopLevel(*sibling));
    }
}

} // namespace

POINT OffsetInTopLevel(const Window& window, bool client) {
    POINT offset = client ? POINT{window.clientRect.left - window.windowRect.left,
                                  window.clientRect.top - window.windowRect.top}
                          : POINT{0, 0};
    for (const Window* w = &window; w->parent && !w->parent->IsDesktop(); w = w->parent) {
        const Window& parent = *w->parent;
        // From the child's place in its parent's client area to the parent's window corner.
        offset.x += w->windowRect.left + (parent.clientRect.left - parent.windowRect.left);
        offset.y += w->windowRect.top + (parent.clientRect.top - parent.windowRect.top);
    }
    return offset;
}

unsigned StyleClipFlags(const Window& window) {
    unsigned flags = 0;
    if (window.style & WS_CLIPCHILDREN)
        flags |= ClipChildren;
    if (window.style & WS_CLIPSIBLINGS)
        flags |= ClipSiblings;
    if (window.windowClass && (window.windowClass->style & CS_PARENTDC) && window.IsChild())
        flags |= ClipToParent;
    return flags;
}

Region VisibleRegion(Window& window, bool wholeWindow, unsigned clipFlags) {
    Window* top = TopLevelOf(window);
    if (!top || !IsReallyVisible(window))
        return Region();
    Region visible;
    const Window* start = &window;
    if ((clipFlags & ClipToParent) && window.IsChild() && window.parent != top->parent) {
        visible = ClientInTopLevel(*window.parent);
        start = window.parent;
    } else {
        visible = wholeWindow ? Region(SizedAt(OffsetInTopLevel(window, false), window.windowRect))
                              : ClientInTopLevel(window);
    }
    for (const Window* c = start; c != top; c = c->parent) {
        visible.IntersectWith(ClientInTopLevel(*c->parent));
        if (c->shape)
            visible.IntersectWith(AreaInTopLevel(*c));
        bool clipSiblings =
            c == &window ? (clipFlags & ClipSiblings) != 0 : (c->style & WS_CLIPSIBLINGS) != 0;
        if (clipSiblings)
            SubtractSiblingsAbove(visible, *c);
    }
    if (top->shape)
        visible.IntersectWith(*top->shape);
    if (clipFlags & ClipChildren) {
        for (const Window* child : window.children) {
            if (child->IsVisibleStyle())
                visible.Subtract(AreaInTopLevel(*child));
        }
    }
    visible.IntersectWith(RECT{0, 0, top->windowRect.right - top->windowRect.left,
                               top->windowRect.bottom - top->windowRect.top});
    return visible;
}

void EnsureBackingStore(Window& topLevel) {
    int width = std::max<int>(1, topLevel.windowRect.right - topLevel.windowRect.left);
    int height = std::max<int>(1, topLevel.windowRect.bottom - topLevel.windowRect.top);
    auto& store = topLevel.backingStore;
    if (store && store->Width() == width && store->Height() == height)
        return;
    auto resized = std::make_shared<PixelSurface>(width, height);
    if (store) {
        int rows = std::min(height, store->Height());
        int columns = std::min(width, store->Width());
        for (int y = 0; y < rows; ++y)
            std::copy_n(store->Row(y), columns, resized->Row(y));
    }
    store = std::move(resized);
}

} // namespace platform
