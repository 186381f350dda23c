#include "platform/gdi/SysColors.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/StockObjects.h"
#include "platform/gdi/WinUserDraw.h"

namespace platform {

namespace {

// Index 25 has no colour.
constexpr COLORREF ClassicScheme[SysColorCount] = {
    RGB(212, 208, 200), // scroll bar
    RGB(58, 110, 165),  // desktop
    RGB(10, 36, 106),   // active caption
    RGB(128, 128, 128), // inactive caption
    RGB(212, 208, 200), // menu
    RGB(255, 255, 255), // window
    RGB(0, 0, 0),       // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(255, 255, 255), // caption text
    RGB(212, 208, 200), // active border
    RGB(212, 208, 200), // inactive border
    RGB(128, 128, 128), // application workspace
    RGB(10, 36, 106),   // highlight
    RGB(255, 255, 255), // highlight text
    RGB(212, 208, 200), // button face
    RGB(128, 128, 128), // button shadow
    RGB(128, 128, 128), // grey text
    RGB(0, 0, 0),       // button text
    RGB(212, 208, 200), // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(64, 64, 64),    // 3-D dark shadow
    RGB(212, 208, 200), // 3-D light
    RGB(0, 0, 0),       // tooltip text
    RGB(255, 255, 225), // tooltip background
    0,
    RGB(0, 0, 128),     // hot-tracked item
    RGB(166, 202, 240), // active caption gradient
    RGB(192, 192, 192), // inactive caption gradient
    RGB(10, 36, 106),   // menu highlight
    RGB(212, 208, 200), // menu bar
};

} // namespace

bool HasSysColor(int index) {
    return index >= 0 && index < SysColorCount && index != 25;
}

} // namespace platform

DWORD GetSysColor(int index) {
    return platform::HasSysColor(index) ? platform::ClassicScheme[index] : 0;
}

HBRUSH GetSysColorBrush(int index) {
    return platform::HandleOf<HBRUSH>(platform::SysColorBrush(index));
}
