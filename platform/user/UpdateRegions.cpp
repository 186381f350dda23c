// Update regions: what needs painting, and the WM_NCPAINT, WM_ERASEBKGND and WM_PAINT
// messages that paint it, in the platform's order (frame, background, client; parents
// before their children).

#include "platform/gdi/RegionObject.h"
#include "platform/gdi/WinGdi.h"
#include "platform/user/Painting.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowManager.h"
#include "platform/user/WindowProcedures.h"

#include <vector>

namespace platform {

namespace {

RECT WholeInWindow(const Window& window) {
    return {0, 0, window.windowRect.right - window.windowRect.left,
            window.windowRect.bottom - window.windowRect.top};
}

RECT ClientInWindow(const Window& window) {
    return {window.clientRect.left - window.windowRect.left, window.clientRect.top - window.windowRect.top,
            window.clientRect.right - window.windowRect.left,
            window.clientRect.bottom - window.windowRect.top};
}

bool ReachesFrame(const Window& window, const Region& area) {
    Region frame(WholeInWindow(window));
    frame.Subtract(ClientInWindow(window));
    frame.IntersectWith(area);
    return !frame.IsEmpty();
}

bool ClientNeedsPaint(const Window& window) {
    Region client = window.updateRegion;
    client.IntersectWith(ClientInWindow(window));
    return !client.IsEmpty();
}

bool NeedsPaint(const Window& window) {
    return window.internalPaint || window.frameNeedsPaint || ClientNeedsPaint(window);
}

bool IncludesChildren(const Window& window, UINT flags) {
    if (flags & RDW_ALLCHILDREN)
        return true;
    if (flags & RDW_NOCHILDREN)
        return false;
    return !(window.style & WS_CLIPCHILDREN);
}

HRGN MakeRegionHandle(const Region& value) {
    HRGN handle = CreateRectRgn(0, 0, 0, 0);
    if (RegionObject* object = FindRegion(handle))
        object->Value() = value;
    return handle;
}

// Sends WM_NCPAINT and WM_ERASEBKGND when they are due, as RDW_ERASENOW does.
void PaintFrameAndBackground(Window& window) {
    HWND handle = window.handle;
    if (!IsReallyVisible(window))
        return;
    if (window.frameNeedsPaint) {
        window.frameNeedsPaint = false;
        Region frame = window.updateRegion;
        frame.IntersectWith(WholeInWindow(window));
        if (frame == Region(WholeInWindow(window))) {
            // The whole window is told as 1, as the platform does, not as a region.
            SendToWindow(window, WM_NCPAINT, 1, 0);
        } else {
            RECT onScreen = WindowRectOnScreen(window);
            frame.Offset(onScreen.left, onScreen.top);
            HRGN region = MakeRegionHandle(frame);
            SendToWindow(window, WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
            // The window may have given the region to GetDCEx, which then deleted it.
            if (FindRegion(region))
                DeleteObject(region);
        }
        if (!FindLiveWindow(handle))
            return;
        window.updateRegion.IntersectWith(ClientInWindow(window));
    }
    if (window.needsErase) {
        window.needsErase = false;
        Region area = window.updateRegion;
        area.IntersectWith(ClientInWindow(window));
        if (area.IsEmpty())
            return;
        POINT corner = OffsetInTopLevel(window, false);
        area.Offset(corner.x, corner.y);
        HDC dc = WindowDC(window, false, StyleClipFlags(window), &area, nullptr);
        window.paintNeedsErase = SendToWindow(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
        ReleaseDC(handle, dc);
    }
}

void PaintNow(Window& window, UINT flags) {
    HWND handle = window.handle;
    if (flags & (RDW_ERASENOW | RDW_UPDATENOW))
        PaintFrameAndBackground(window);
    Window* w = FindLiveWindow(handle);
    if (!w)
        return;
    if ((flags & RDW_UPDATENOW) && IsReallyVisible(*w) && NeedsPaint(*w))
        SendToWindow(*w, WM_PAINT, 0, 0);
    if (!(w = FindLiveWindow(handle)) || !IncludesChildren(*w, flags))
        return;
    std::vector<HWND> children;
    for (Window* child : w->children)
        children.push_back(child->handle);
    for (HWND child : children) {
        if (Window* c = FindLiveWindow(child))
            PaintNow(*c, flags);
    }
}

void ChangeRegions(Window& window, const std::optional<Region>& area, UINT flags) {
    Region whole(WholeInWindow(window));
    Region target = area ? *area : whole;
    target.IntersectWith(whole);
    if (flags & RDW_INVALIDATE) {
        window.updateRegion.UnionWith(target);
        if ((flags & RDW_FRAME) && ReachesFrame(window, target))
            window.frameNeedsPaint = true;
        if (flags & RDW_ERASE)
            window.needsErase = true;
    }
    if (flags & RDW_INTERNALPAINT)
        window.internalPaint = true;
    if (flags & RDW_VALIDATE) {
        window.updateRegion.Subtract(target);
        if (!ReachesFrame(window, window.updateRegion) || (flags & RDW_NOFRAME))
            window.frameNeedsPaint = false;
        if (!ClientNeedsPaint(window))
            window.needsErase = false;
    }
    if (flags & RDW_NOERASE)
        window.needsErase = false;
    if (flags & RDW_NOINTERNALPAINT)
        window.internalPaint = false;
    if (!IncludesChildren(window, flags))
        return;
    // Children take the part of the area over them; a parent repainting over a child's frame
    // means the child's frame is repainted too.
    UINT childFlags = (flags & ~RDW_NOCHILDREN) | ((flags & RDW_INVALIDATE) ? RDW_FRAME : 0);
    RECT clientInWindow = ClientInWindow(window);
    for (Window* child : window.children) {
        if (!area) {
            ChangeRegions(*child, std::nullopt, childFlags);
            continue;
        }
        Region part = target;
        part.Offset(-(clientInWindow.left + child->windowRect.left),
                    -(clientInWindow.top + child->windowRect.top));
        part.IntersectWith(WholeInWindow(*child));
        if (!part.IsEmpty())
            ChangeRegions(*child, part, childFlags);
    }
}

// The first window needing paint under a window, parents before children.
Window* FindPaintable(Window& window, HWND filter) {
    if (!window.IsVisibleStyle())
        return nullptr;
    MSG probe{window.handle, WM_PAINT, 0, 0, 0, {}};
    if (!window.IsDesktop() && NeedsPaint(window) && MatchesFilter(probe, filter, 0, 0))
        return &window;
    for (Window* child : window.children) {
        if (Window* found = FindPaintable(*child, filter))
            return found;
    }
    return nullptr;
}

std::optional<Region> AreaFromClientRect(const Window& window, const RECT* rect) {
    if (!rect)
        return std::nullopt;
    RECT client = ClientInWindow(window);
    return Region(RECT{rect->left + client.left, rect->top + client.top, rect->right + client.left,
                       rect->bottom + client.top});
}

std::optional<Region> AreaFromClientRegion(const Window& window, HRGN region) {
    RegionObject* object = region ? FindRegion(region) : nullptr;
    if (!object)
        return std::nullopt;
    RECT client = ClientInWindow(window);
    Region area = object->Value();
    area.Offset(client.left, client.top);
    return area;
}

} // namespace

void Redraw(Window& window, const std::optional<Region>& area, UINT flags) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    HWND handle = window.handle;
    ChangeRegions(window, area, flags);
    if (flags & (RDW_ERASENOW | RDW_UPDATENOW)) {
        if (Window* w = FindLiveWindow(handle))
            PaintNow(*w, flags);
    }
}

void RepaintAfterPlacement(Window& window, const RECT& oldWindowRect, UINT flags, bool clientChanged) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    if (flags & SWP_NOREDRAW)
        return;
    HWND handle = window.handle;
    bool shown = (flags & SWP_SHOWWINDOW) != 0;
    bool hidden = (flags & SWP_HIDEWINDOW) != 0;
    bool sized =
        (oldWindowRect.right - oldWindowRect.left != window.windowRect.right - window.windowRect.left) ||
        (oldWindowRect.bottom - oldWindowRect.top != window.windowRect.bottom - window.windowRect.top);
    bool moved = oldWindowRect.left != window.windowRect.left || oldWindowRect.top != window.windowRect.top;
    bool restacked = !(flags & SWP_NOZORDER) && window.IsChild();
    Window* parent = window.IsChild() ? window.parent : nullptr;
    // What the window left uncovered in its parent.
    if (parent && (hidden || moved || sized)) {
        RECT clientInParent = ClientInWindow(*parent);
        Region exposed(RECT{oldWindowRect.left + clientInParent.left, oldWindowRect.top + clientInParent.top,
                            oldWindowRect.right + clientInParent.left,
                            oldWindowRect.bottom + clientInParent.top});
        if (!hidden) {
            exposed.Subtract(RECT{window.windowRect.left + clientInParent.left,
                                  window.windowRect.top + clientInParent.top,
                                  window.windowRect.right + clientInParent.left,
                                  window.windowRect.bottom + clientInParent.top});
        }
        ChangeRegions(*parent, exposed, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    if (!hidden && window.IsVisibleStyle()) {
        if (shown || sized || clientChanged || (moved && parent) || restacked)
            ChangeRegions(window, std::nullopt, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        else if (flags & SWP_FRAMECHANGED)
            ChangeRegions(window, std::nullopt, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
    }
    if (flags & SWP_DEFERERASE)
        return;
    Window* w = FindLiveWindow(handle);
    Window* top = w ? TopLevelOf(*w) : nullptr;
    if (top)
        PaintNow(*top, RDW_ERASENOW | RDW_ALLCHILDREN);
}

std::optional<QueuedMessage> TakePaintMessage(HWND filter, UINT first, UINT last) {
    if (first || last) {
        if (WM_PAINT < first || WM_PAINT > last)
            return std::nullopt;
    }
    for (Window* top : DesktopWindow().children) {
        if (Window* found = FindPaintable(*top, filter)) {
            QueuedMessage message;
            message.msg = {found->handle, WM_PAINT, 0, 0, 0, CursorPosition()};
            return message;
        }
    }
    return std::nullopt;
}

bool HasPendingPaint() {
    for (Window* top : DesktopWindow().children) {
        if (FindPaintable(*top, nullptr))
            return true;
    }
    return false;
}

} // namespace platform

using platform::FindLiveWindow;
using platform::MessageCallScope;
using platform::Window;
using platform::WindowFromHandle;

namespace {

BOOL RedrawAll(UINT flags) {
    std::vector<HWND> tops;
    for (Window* top : platform::DesktopWindow().children)
        tops.push_back(top->handle);
    for (HWND top : tops) {
        if (Window* w = FindLiveWindow(top))
            platform::Redraw(*w, std::nullopt, flags | RDW_ALLCHILDREN);
    }
    return TRUE;
}

} // namespace

BOOL RedrawWindow(HWND handle, const RECT* rect, HRGN region, UINT flags) {
    if (!handle)
        return RedrawAll(flags);
    Window* window = WindowFromHandle(handle);
    if (!window)
        return FALSE;
    if (window->IsDesktop())
        return RedrawAll(flags);
    std::optional<platform::Region> area = region ? platform::AreaFromClientRegion(*window, region)
                                                  : platform::AreaFromClientRect(*window, rect);
    if (region && !area) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    platform::Redraw(*window, area, flags);
    return TRUE;
}

BOOL InvalidateRect(HWND handle, const RECT* rect, BOOL erase) {
    if (!handle)
        return RedrawAll(RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ERASENOW);
    Window* window = WindowFromHandle(handle);
    if (!window)
        return FALSE;
    // Without a rectangle the client area is meant, not the whole window.
    RECT client = {0, 0, window->clientRect.right - window->clientRect.left,
                   window->clientRect.bottom - window->clientRect.top};
    platform::Redraw(*window, platform::AreaFromClientRect(*window, rect ? rect : &client),
                     RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
    return TRUE;
}

BOOL InvalidateRgn(HWND handle, HRGN region, BOOL erase) {
    Window* window = WindowFromHandle(handle);
    if (!window)
        return FALSE;
    if (!region)
        return InvalidateRect(handle, nullptr, erase);
    auto area = platform::AreaFromClientRegion(*window, region);
    if (!area) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    platform::Redraw(*window, area, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
    return TRUE;
}

BOOL ValidateRect(HWND handle, const RECT* rect) {
    Window* window = WindowFromHandle(handle);
    if (!window)
        return FALSE;
    RECT client = {0, 0, window->clientRect.right - window->clientRect.left,
                   window->clientRect.bottom - window->clientRect.top};
    platform::Redraw(*window, platform::AreaFromClientRect(*window, rect ? rect : &client),
                     RDW_VALIDATE | RDW_NOCHILDREN);
    return TRUE;
}

BOOL ValidateRgn(HWND handle, HRGN region) {
    Window* window = WindowFromHandle(handle);
    if (!window)
        return FALSE;
    if (!region)
        return ValidateRect(handle, nullptr);
    platform::Redraw(*window, platform::AreaFromClientRegion(*window, region), RDW_VALIDATE | RDW_NOCHILDREN);
    return TRUE;
}

BOOL UpdateWindow(HWND handle) {
    Window* window = WindowFromHandle(handle);
    if (!window)
        return FALSE;
    platform::Redraw(*window, platform::Region(), RDW_UPDATENOW | RDW_NOCHILDREN);
    return TRUE;
}

BOOL GetUpdateRect(HWND handle, LPRECT rect, BOOL erase) {
    Window* window = WindowFromHandle(handle);
    if (!window)
        return FALSE;
    platform::Region update = window->updateRegion;
    RECT client = platform::ClientInWindow(*window);
    update.IntersectWith(client);
    if (erase && !update.IsEmpty())
        platform::Redraw(*window, platform::Region(), RDW_ERASENOW | RDW_NOCHILDREN);
    if (rect) {
        update.Offset(-client.left, -client.top);
        *rect = update.IsEmpty() ? RECT{0, 0, 0, 0} : update.Bounds();
    }
    return update.IsEmpty() ? FALSE : TRUE;
}

int GetUpdateRgn(HWND handle, HRGN region, BOOL erase) {
    Window* window = WindowFromHandle(handle);
    platform::RegionObject* target = region ? platform::FindRegion(region) : nullptr;
    if (!window || !target)
        return ERROR;
    platform::Region update = window->updateRegion;
    RECT client = platform::ClientInWindow(*window);
    update.IntersectWith(client);
    if (erase && !update.IsEmpty())
        platform::Redraw(*window, platform::Region(), RDW_ERASENOW | RDW_NOCHILDREN);
    update.Offset(-client.left, -client.top);
    target->Value() = update;
    return update.Complexity();
}
