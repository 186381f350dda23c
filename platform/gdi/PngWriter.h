#pragma once
// Writes pixels as a PNG file (8-bit RGB): a surface, a bitmap or an area of a DC. The tests
// and the headless display use it to let a person see what was drawn.

#include "platform/base/WinTypes.h"
#include "platform/gdi/PixelSurface.h"

#include <string>

namespace platform {

// `area` (null for the whole surface) is cut to the surface. False, with the last error set,
// when nothing could be written.
bool WritePng(const PixelSurface& surface, const RECT* area, const std::string& path);
bool WriteBitmapPng(HBITMAP bitmap, const std::string& path);
// `area` is in the DC's logical coordinates; null means everything the DC draws into.
bool WriteDcPng(HDC dc, const RECT* area, const std::string& path);

} // namespace platform
