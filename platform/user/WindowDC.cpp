// Device contexts of windows: GetDC and its relatives, BeginPaint and EndPaint. Every DC
// draws into its top-level window's backing store through the gdi surface DC, clipped to the
// window's visible region; releasing it shows the drawn part on the display.

#include "platform/display/Display.h"
#include "platform/gdi/RegionObject.h"
#include "platform/gdi/SurfaceDC.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/ClassicFrame.h"
#include "platform/user/Painting.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowClass.h"
#include "platform/user/WindowManager.h"
#include "platform/user/WindowProcedures.h"

#include <algorithm>
#include <vector>

namespace platform {

namespace {

struct IssuedDC {
    HDC dc;
    HWND window;
    bool own;
};

std::vector<IssuedDC>& Issued() {
    static std::vector<IssuedDC> issued;
    return issued;
}

bool UsesOwnDC(const Window& window) {
    return window.windowClass && (window.windowClass->style & (CS_OWNDC | CS_CLASSDC));
}

// GetDC(NULL) and DCs of windows that cannot draw: a one-pixel surface nothing shows.
std::shared_ptr<PixelSurface> ScratchSurface() {
    static std::shared_ptr<PixelSurface> scratch = std::make_shared<PixelSurface>(1, 1);
    return scratch;
}

void PresentRegion(Window& top, const Region& drawn) {
    if (drawn.IsEmpty() || !top.backingStore)
        return;
    PixelSurface& store = *top.backingStore;
    PixelBuffer pixels;
    pixels.pixels = store.Row(0);
    pixels.width = store.Width();
    pixels.height = store.Height();
    pixels.stride = store.Height() > 1 ? static_cast<int>(store.Row(1) - store.Row(0)) : store.Width();
    Display().Present(top.handle, pixels, drawn.Bounds());
}

Region ScreenRegionToTopLevel(const Region& screen, const Window& top) {
    Region converted = screen;
    converted.Offset(-top.windowRect.left, -top.windowRect.top);
    return converted;
}

} // namespace

HDC WindowDC(Window& window, bool wholeWindow, unsigned clipFlags, const Region* intersect,
             const Region* exclude) {
    Window* top = TopLevelOf(window);
    if (!top) {
        HDC dc = CreateSurfaceDC(ScratchSurface(), {0, 0}, Region());
        Issued().push_back({dc, window.handle, false});
        return dc;
    }
    EnsureBackingStore(*top);
    Region visible = VisibleRegion(window, wholeWindow, clipFlags);
    if (intersect)
        visible.IntersectWith(*intersect);
    if (exclude)
        visible.Subtract(*exclude);
    POINT origin = OffsetInTopLevel(window, !wholeWindow);
    if (UsesOwnDC(window)) {
        if (!window.ownDC || !UpdateSurfaceDC(window.ownDC, top->backingStore, origin, visible)) {
            window.ownDC = CreateSurfaceDC(top->backingStore, origin, visible);
            Issued().push_back({window.ownDC, window.handle, true});
        }
        return window.ownDC;
    }
    HDC dc = CreateSurfaceDC(top->backingStore, origin, visible);
    if (dc)
        Issued().push_back({dc, window.handle, false});
    return dc;
}

void ForgetDCsOf(Window& window) {
    auto& issued = Issued();
    for (auto it = issued.begin(); it != issued.end();) {
        if (it->window == window.handle && it->own) {
            DeleteDC(it->dc);
            it = issued.erase(it);
        } else {
            ++it;
        }
    }
    window.ownDC = nullptr;
}

void PresentWindow(Window& window) {
    if (Window* top = TopLevelOf(window))
        PresentRegion(*top, VisibleRegion(window, true, 0));
}

// Shows what a DC drew and, unless it is the window's own DC, deletes it.
int Release(HWND handle, HDC dc) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    auto& issued = Issued();
    auto it = std::find_if(issued.begin(), issued.end(), [&](const IssuedDC& d) { return d.dc == dc; });
    if (it == issued.end() || (handle && it->window != handle))
        return 0;
    if (Window* window = FindLiveWindow(it->window))
        PresentWindow(*window);
    if (it->own)
        return 1;
    issued.erase(it);
    DeleteDC(dc);
    return 1;
}

LRESULT EraseWithClassBrush(Window& window, HDC dc) {
    HBRUSH brush = window.windowClass ? window.windowClass->background : nullptr;
    if (!brush)
        return 0;
    RECT client = {0, 0, window.clientRect.right - window.clientRect.left,
                   window.clientRect.bottom - window.clientRect.top};
    FillRect(dc, &client, brush);
    return 1;
}

LRESULT PrintWindowInto(Window& window, HDC dc, LPARAM options) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    HWND handle = window.handle;
    if ((options & PRF_CHECKVISIBLE) && !IsReallyVisible(window))
        return 0;
    POINT client = OffsetInTopLevel(window, true);
    POINT corner = OffsetInTopLevel(window, false);
    int dx = client.x - corner.x;
    int dy = client.y - corner.y;
    int width = window.clientRect.right - window.clientRect.left;
    int height = window.clientRect.bottom - window.clientRect.top;
    auto inClientArea = [&](auto&& draw) {
        int saved = SaveDC(dc);
        OffsetViewportOrgEx(dc, dx, dy, nullptr);
        IntersectClipRect(dc, 0, 0, width, height);
        draw();
        RestoreDC(dc, saved);
    };
    // The default frame goes into the given DC; WM_NCPAINT would draw it on the window instead.
    if (options & PRF_NONCLIENT)
        DrawClassicFrame(dc, window);
    if ((options & PRF_ERASEBKGND) && FindLiveWindow(handle))
        inClientArea([&] { SendToWindow(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0); });
    if ((options & PRF_CLIENT) && FindLiveWindow(handle))
        inClientArea([&] { SendToWindow(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), options); });
    if ((options & PRF_CHILDREN) && FindLiveWindow(handle)) {
        std::vector<HWND> children;
        for (auto it = window.children.rbegin(); it != window.children.rend(); ++it)
            children.push_back((*it)->handle);
        for (HWND child : children) {
            Window* c = FindLiveWindow(child);
            if (!c || !c->IsVisibleStyle())
                continue;
            int saved = SaveDC(dc);
            OffsetViewportOrgEx(dc, dx + c->windowRect.left, dy + c->windowRect.top, nullptr);
            SendToWindow(*c, WM_PRINT, reinterpret_cast<WPARAM>(dc), options & ~PRF_CHECKVISIBLE);
            RestoreDC(dc, saved);
        }
    }
    return 0;
}

} // namespace platform

using platform::FindLiveWindow;
using platform::MessageCallScope;
using platform::Window;
using platform::WindowFromHandle;

HDC GetDC(HWND handle) {
    if (!handle)
        return GetDCEx(nullptr, nullptr, DCX_CACHE);
    Window* window = WindowFromHandle(handle);
    if (!window)
        return nullptr;
    return platform::WindowDC(*window, false, platform::StyleClipFlags(*window), nullptr, nullptr);
}

HDC GetWindowDC(HWND handle) {
    Window* window = handle ? WindowFromHandle(handle) : &platform::DesktopWindow();
    if (!window)
        return nullptr;
    return platform::WindowDC(*window, true, platform::StyleClipFlags(*window) & ~platform::ClipChildren,
                              nullptr, nullptr);
}

HDC GetDCEx(HWND handle, HRGN clip, DWORD flags) {
    Window* window = handle ? WindowFromHandle(handle) : &platform::DesktopWindow();
    if (!window)
        return nullptr;
    unsigned clipFlags = 0;
    if (flags & DCX_USESTYLE)
        clipFlags = platform::StyleClipFlags(*window);
    if (flags & DCX_WINDOW)
        clipFlags &= ~platform::ClipChildren;
    if (flags & DCX_CLIPCHILDREN)
        clipFlags |= platform::ClipChildren;
    if (flags & DCX_CLIPSIBLINGS)
        clipFlags |= platform::ClipSiblings;
    if (flags & DCX_PARENTCLIP)
        clipFlags |= platform::ClipToParent;
    // The clipping region is in screen coordinates; the system owns it from here on.
    std::optional<platform::Region> given;
    if (clip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
        if (platform::RegionObject* region = platform::FindRegion(clip)) {
            given = region->Value();
            DeleteObject(clip);
        }
    }
    Window* top = platform::TopLevelOf(*window);
    std::optional<platform::Region> intersect;
    std::optional<platform::Region> exclude;
    if (given && top) {
        platform::Region converted = platform::ScreenRegionToTopLevel(*given, *top);
        if (flags & DCX_INTERSECTRGN)
            intersect = converted;
        else
            exclude = converted;
    }
    if (top && (flags & (DCX_INTERSECTUPDATE | DCX_EXCLUDEUPDATE))) {
        platform::Region update = window->updateRegion;
        POINT corner = platform::OffsetInTopLevel(*window, false);
        update.Offset(corner.x, corner.y);
        if (flags & DCX_INTERSECTUPDATE) {
            if (intersect)
                intersect->IntersectWith(update);
            else
                intersect = update;
            if (flags & DCX_VALIDATE)
                platform::Redraw(*window, std::nullopt, RDW_VALIDATE | RDW_NOCHILDREN);
        } else {
            if (exclude)
                exclude->UnionWith(update);
            else
                exclude = update;
        }
    }
    return platform::WindowDC(*window, (flags & DCX_WINDOW) != 0, clipFlags,
                              intersect ? &*intersect : nullptr, exclude ? &*exclude : nullptr);
}

int ReleaseDC(HWND handle, HDC dc) {
    return platform::Release(handle, dc);
}

HWND WindowFromDC(HDC dc) {
    for (const platform::IssuedDC& issued : platform::Issued()) {
        if (issued.dc == dc)
            return FindLiveWindow(issued.window) ? issued.window : nullptr;
    }
    return nullptr;
}

HDC BeginPaint(HWND handle, LPPAINTSTRUCT paint) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    Window* window = WindowFromHandle(handle);
    if (!window)
        return nullptr;
    if (!paint) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    platform::HideCaretForPaint(handle);
    // The frame and the background come first, as RDW_ERASENOW does.
    platform::Redraw(*window, std::nullopt, RDW_ERASENOW | RDW_NOCHILDREN);
    if (!(window = FindLiveWindow(handle)))
        return nullptr;
    RECT clientInWindow = {window->clientRect.left - window->windowRect.left,
                           window->clientRect.top - window->windowRect.top,
                           window->clientRect.right - window->windowRect.left,
                           window->clientRect.bottom - window->windowRect.top};
    platform::Region update = window->updateRegion;
    update.IntersectWith(clientInWindow);
    bool mustErase = window->paintNeedsErase;
    window->paintNeedsErase = false;
    window->updateRegion.Clear();
    window->frameNeedsPaint = false;
    window->internalPaint = false;
    window->painting = true;

    POINT corner = platform::OffsetInTopLevel(*window, false);
    platform::Region clip = update;
    clip.Offset(corner.x, corner.y);
    HDC dc = platform::WindowDC(*window, false, platform::StyleClipFlags(*window), &clip, nullptr);
    update.Offset(-clientInWindow.left, -clientInWindow.top);
    *paint = {};
    paint->hdc = dc;
    paint->fErase = mustErase ? TRUE : FALSE;
    paint->rcPaint = update.IsEmpty() ? RECT{0, 0, 0, 0} : update.Bounds();
    return dc;
}

BOOL EndPaint(HWND handle, const PAINTSTRUCT* paint) {
    if (!paint)
        return FALSE;
    if (Window* window = FindLiveWindow(handle))
        window->painting = false;
    platform::Release(nullptr, paint->hdc);
    platform::ShowCaretAfterPaint(handle);
    return TRUE;
}
