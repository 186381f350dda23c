// System metrics and settings in the classic look at 96 dots per inch.

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/display/Display.h"
#include "platform/user/WinUser.h"

#include <cstring>

namespace {

// Sizes of the classic scheme that do not depend on the screen.
constexpr int CaptionHeight = 18; // caption buttons' square; the bar adds a line below
constexpr int MenuHeight = 18;    // menu bar items; the bar adds a line below
constexpr int SmallCaptionHeight = 15;
constexpr int ScrollBarSize = 16;
constexpr int BorderSize = 1;
constexpr int FixedFrameSize = 3;
constexpr int SizingFrameSize = 4;
constexpr int EdgeSize = 2;

// The user interface font of the classic Chinese desktop: Song, 9 points (12 pixels).
LOGFONTA InterfaceFont(LONG weight) {
    LOGFONTA font{};
    font.lfHeight = -12;
    font.lfWeight = weight;
    font.lfCharSet = GB2312_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    std::strcpy(font.lfFaceName, "宋体");
    return font;
}

} // namespace

int GetSystemMetrics(int index) {
    SIZE screen = platform::Display().ScreenSize();
    RECT work = platform::Display().WorkArea();
    switch (index) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN:
    case SM_CXFULLSCREEN:
        return screen.cx;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
        return screen.cy;
    case SM_CYFULLSCREEN:
        return (work.bottom - work.top) - (CaptionHeight + 1);
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN:
        return 0;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return ScrollBarSize;
    case SM_CYCAPTION:
        return CaptionHeight + 1;
    case SM_CXBORDER:
    case SM_CYBORDER:
    case SM_CXFOCUSBORDER:
    case SM_CYFOCUSBORDER:
        return BorderSize;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return FixedFrameSize;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return SizingFrameSize;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return EdgeSize;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CYMENU:
        return MenuHeight + 1;
    case SM_CXMENUSIZE:
    case SM_CYMENUSIZE:
        return MenuHeight;
    case SM_CXSIZE:
    case SM_CYSIZE:
        return CaptionHeight;
    case SM_CYSMCAPTION:
        return SmallCaptionHeight + 1;
    case SM_CXSMSIZE:
    case SM_CYSMSIZE:
        return SmallCaptionHeight;
    case SM_CXMIN:
    case SM_CXMINTRACK:
        return 112;
    case SM_CYMIN:
    case SM_CYMINTRACK:
        return 27;
    case SM_CXMINIMIZED:
    case SM_CXMINSPACING:
        return 160;
    case SM_CYMINIMIZED:
    case SM_CYMINSPACING:
        return 24;
    case SM_CXMAXTRACK:
        return screen.cx + 2 * (SizingFrameSize + 2);
    case SM_CYMAXTRACK:
        return screen.cy + 2 * (SizingFrameSize + 2);
    case SM_CXMAXIMIZED:
        return (work.right - work.left) + 2 * SizingFrameSize;
    case SM_CYMAXIMIZED:
        return (work.bottom - work.top) + 2 * SizingFrameSize;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
        return 4;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING:
        return 75;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
        return 13;
    case SM_ARRANGE:
        return 8;
    case SM_MOUSEPRESENT:
    case SM_MOUSEWHEELPRESENT:
    case SM_DBCSENABLED:
    case SM_IMMENABLED:
    case SM_CMONITORS:
    case SM_SAMEDISPLAYFORMAT:
        return 1;
    case SM_CMOUSEBUTTONS:
        return 3;
    case SM_NETWORK:
        return 1;
    default:
        return 0;
    }
}

namespace {

BOOL StoreUint(PVOID target, UINT value) {
    if (!target) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *static_cast<UINT*>(target) = value;
    return TRUE;
}

BOOL StoreBool(PVOID target, BOOL value) {
    if (!target) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *static_cast<BOOL*>(target) = value;
    return TRUE;
}

} // namespace

BOOL SystemParametersInfoA(UINT action, UINT, PVOID pvParam, UINT) {
    switch (action) {
    case SPI_GETWORKAREA: {
        if (!pvParam) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        *static_cast<RECT*>(pvParam) = platform::Display().WorkArea();
        return TRUE;
    }
    case SPI_GETNONCLIENTMETRICS: {
        auto* metrics = static_cast<NONCLIENTMETRICSA*>(pvParam);
        if (!metrics || metrics->cbSize != sizeof(NONCLIENTMETRICSA)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        metrics->iBorderWidth = BorderSize;
        metrics->iScrollWidth = ScrollBarSize;
        metrics->iScrollHeight = ScrollBarSize;
        metrics->iCaptionWidth = CaptionHeight;
        metrics->iCaptionHeight = CaptionHeight;
        metrics->lfCaptionFont = InterfaceFont(FW_BOLD);
        metrics->iSmCaptionWidth = SmallCaptionHeight;
        metrics->iSmCaptionHeight = SmallCaptionHeight;
        metrics->lfSmCaptionFont = InterfaceFont(FW_BOLD);
        metrics->iMenuWidth = MenuHeight;
        metrics->iMenuHeight = MenuHeight;
        metrics->lfMenuFont = InterfaceFont(FW_NORMAL);
        metrics->lfStatusFont = InterfaceFont(FW_NORMAL);
        metrics->lfMessageFont = InterfaceFont(FW_NORMAL);
        return TRUE;
    }
    case SPI_GETICONTITLELOGFONT: {
        if (!pvParam) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        *static_cast<LOGFONTA*>(pvParam) = InterfaceFont(FW_NORMAL);
        return TRUE;
    }
    case SPI_GETWHEELSCROLLLINES:
        return StoreUint(pvParam, 3);
    case SPI_GETKEYBOARDDELAY:
        return StoreUint(pvParam, 1);
    case SPI_GETKEYBOARDSPEED:
        return StoreUint(pvParam, 31);
    case SPI_GETMOUSEHOVERWIDTH:
    case SPI_GETMOUSEHOVERHEIGHT:
        return StoreUint(pvParam, 4);
    case SPI_GETMOUSEHOVERTIME:
        return StoreUint(pvParam, 400);
    case SPI_GETMENUSHOWDELAY:
        return StoreUint(pvParam, 400);
    case SPI_GETBORDER:
        return StoreUint(pvParam, 1);
    case SPI_GETFOCUSBORDERWIDTH:
    case SPI_GETFOCUSBORDERHEIGHT:
        return StoreUint(pvParam, 1);
    case SPI_ICONHORIZONTALSPACING:
    case SPI_ICONVERTICALSPACING:
        return StoreUint(pvParam, 75);
    case SPI_GETBEEP:
    case SPI_GETDRAGFULLWINDOWS:
    case SPI_GETICONTITLEWRAP:
    case SPI_GETFONTSMOOTHING:
    case SPI_GETSHOWIMEUI:
        return StoreBool(pvParam, TRUE);
    case SPI_GETMENUDROPALIGNMENT:
    case SPI_GETSHOWSOUNDS:
    case SPI_GETKEYBOARDPREF:
    case SPI_GETSCREENREADER:
    case SPI_GETSNAPTODEFBUTTON:
    case SPI_GETACTIVEWINDOWTRACKING:
    case SPI_GETMENUANIMATION:
    case SPI_GETCOMBOBOXANIMATION:
    case SPI_GETLISTBOXSMOOTHSCROLLING:
    case SPI_GETKEYBOARDCUES:
    case SPI_GETHOTTRACKING:
    case SPI_GETMENUFADE:
    case SPI_GETSELECTIONFADE:
    case SPI_GETTOOLTIPANIMATION:
    case SPI_GETTOOLTIPFADE:
    case SPI_GETCURSORSHADOW:
    case SPI_GETUIEFFECTS:
    case SPI_GETFLATMENU:
    case SPI_GETDROPSHADOW:
    case SPI_GETGRADIENTCAPTIONS:
        // The classic look: no animations, fades, shadows or gradients.
        return StoreBool(pvParam, FALSE);
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
}
