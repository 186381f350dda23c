#include "framework/graphics/Colors.h"

#include "platform/gdi/WinUserDraw.h"

COLORREF ColorToRGB(TColor color) {
    if (color < 0)
        return GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color) & 0xFFFFFF;
}
