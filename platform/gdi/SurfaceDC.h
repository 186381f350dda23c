#pragma once
// What the window layer builds on: device contexts that draw into a surface it owns (a
// top-level window's backing store), and the screen facts GetDeviceCaps reports.
//
// A surface DC maps device point (0, 0) to `origin` on the surface (the window's or the client
// area's top-left in the backing store) and never draws outside `visible`, a region in
// surface coordinates (the part of the window or client area that may be painted). A clipping
// region the program selects is in device coordinates and is intersected with it. The DC keeps
// the surface alive; it is deleted with DeleteDC like any other.

#include "platform/base/WinTypes.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/Region.h"

#include <memory>

namespace platform {

HDC CreateSurfaceDC(std::shared_ptr<PixelSurface> surface, POINT origin, const Region& visible);

// Points an existing surface DC at a (possibly new) surface, origin and visible region, as a
// window moves, resizes or is repainted. Its drawing state is kept. FALSE for any other DC.
BOOL UpdateSurfaceDC(HDC dc, std::shared_ptr<PixelSurface> surface, POINT origin, const Region& visible);

// The surface a surface DC draws into, or null.
std::shared_ptr<PixelSurface> SurfaceOfDC(HDC dc);

// The screen size reported by GetDeviceCaps(HORZRES/VERTRES); the display backend sets it.
void SetScreenSize(int width, int height);
SIZE ScreenSize();

} // namespace platform
