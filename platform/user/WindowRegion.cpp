// Window shapes: SetWindowRgn and GetWindowRgn. A shape clips the window's painting and its
// hit tests; a top-level window's shape is also given to the display.

#include "platform/display/Display.h"
#include "platform/gdi/RegionObject.h"
#include "platform/gdi/WinGdi.h"
#include "platform/user/Painting.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowManager.h"

using platform::FindLiveWindow;
using platform::MessageCallScope;
using platform::Window;
using platform::WindowFromHandle;

int SetWindowRgn(HWND handle, HRGN region, BOOL redraw) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    Window* window = WindowFromHandle(handle);
    if (!window)
        return 0;
    std::optional<platform::Region> shape;
    if (region) {
        platform::RegionObject* object = platform::FindRegion(region);
        if (!object) {
            SetLastError(ERROR_INVALID_HANDLE);
            return 0;
        }
        shape = object->Value();
        // The region belongs to the system now.
        DeleteObject(region);
    }
    window->shape = std::move(shape);
    if (window->IsTopLevel()) {
        std::optional<std::vector<RECT>> rects;
        if (window->shape)
            rects = window->shape->Rects();
        platform::Display().SurfaceShaped(handle, rects);
    }
    // The frame and what the old shape covered are repainted; the window hears of the change.
    platform::PlaceWindow(*window, nullptr, 0, 0, 0, 0,
                          SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                              (redraw ? 0 : SWP_NOREDRAW));
    if (redraw && (window = FindLiveWindow(handle))) {
        platform::Redraw(*window, std::nullopt, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        if (window->IsChild() && window->parent) {
            RECT r = window->windowRect;
            RECT client = {window->parent->clientRect.left - window->parent->windowRect.left,
                           window->parent->clientRect.top - window->parent->windowRect.top, 0, 0};
            platform::Redraw(*window->parent,
                             platform::Region(RECT{r.left + client.left, r.top + client.top,
                                                   r.right + client.left, r.bottom + client.top}),
                             RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN);
        }
    }
    return 1;
}

int GetWindowRgn(HWND handle, HRGN region) {
    Window* window = WindowFromHandle(handle);
    platform::RegionObject* target = region ? platform::FindRegion(region) : nullptr;
    if (!window || !target || !window->shape)
        return ERROR;
    target->Value() = *window->shape;
    return target->Value().Complexity();
}

int GetWindowRgnBox(HWND handle, LPRECT rect) {
    Window* window = WindowFromHandle(handle);
    if (!window || !rect || !window->shape)
        return ERROR;
    *rect = window->shape->IsEmpty() ? RECT{0, 0, 0, 0} : window->shape->Bounds();
    return window->shape->Complexity();
}
