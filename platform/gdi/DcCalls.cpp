// Device contexts and their drawing state.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SurfaceDC.h"
#include "platform/gdi/WinGdi.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

using namespace platform;

namespace {

SIZE g_screenSize{1024, 768};

// Sets a field of the DC state and answers its old value, or `failure` for a bad handle.
template <typename Value, typename Field>
Value Exchange(HDC dc, Field field, Value value, Value failure) {
    DeviceContext* context = FindDC(dc);
    if (!context)
        return failure;
    Value previous = context->State().*field;
    context->State().*field = value;
    return previous;
}

template <typename Value, typename Field>
Value Read(HDC dc, Field field, Value failure) {
    DeviceContext* context = FindDC(dc);
    return context ? context->State().*field : failure;
}

BOOL SetPoint(HDC dc, POINT DcState::*field, int x, int y, LPPOINT previous, bool relative) {
    DeviceContext* context = FindDC(dc);
    if (!context)
        return FALSE;
    POINT& point = context->State().*field;
    if (previous)
        *previous = point;
    if (relative) {
        point.x += x;
        point.y += y;
    } else {
        point = POINT{x, y};
    }
    return TRUE;
}

BOOL GetPoint(HDC dc, POINT DcState::*field, LPPOINT out) {
    DeviceContext* context = FindDC(dc);
    if (!context || !out)
        return FALSE;
    *out = context->State().*field;
    return TRUE;
}

} // namespace

namespace platform {

HDC CreateSurfaceDC(std::shared_ptr<PixelSurface> surface, POINT origin, const Region& visible) {
    if (!surface)
        return nullptr;
    return static_cast<HDC>(
        InsertGdiObject(DeviceContext::CreateOnSurface(std::move(surface), origin, visible)));
}

BOOL UpdateSurfaceDC(HDC dc, std::shared_ptr<PixelSurface> surface, POINT origin, const Region& visible) {
    DeviceContext* context = FindDC(dc);
    if (!context || context->IsMemory() || !surface)
        return FALSE;
    context->SetSurface(std::move(surface), origin, visible);
    return TRUE;
}

std::shared_ptr<PixelSurface> SurfaceOfDC(HDC dc) {
    DeviceContext* context = FindDC(dc);
    if (!context || context->IsMemory())
        return nullptr;
    return context->SharedSurface();
}

void SetScreenSize(int width, int height) {
    g_screenSize = SIZE{width, height};
}

SIZE ScreenSize() {
    return g_screenSize;
}

} // namespace platform

HDC CreateCompatibleDC(HDC dc) {
    if (dc && !FindDC(dc))
        return nullptr;
    return static_cast<HDC>(InsertGdiObject(DeviceContext::CreateMemory()));
}

BOOL DeleteDC(HDC dc) {
    DeviceContext* context = FindDC(dc);
    if (!context)
        return FALSE;
    return DeleteGdiObject(context) ? TRUE : FALSE;
}

int SaveDC(HDC dc) {
    DeviceContext* context = FindDC(dc);
    return context ? context->Save() : 0;
}

BOOL RestoreDC(HDC dc, int savedDC) {
    DeviceContext* context = FindDC(dc);
    return context && context->Restore(savedDC) ? TRUE : FALSE;
}

int GetDeviceCaps(HDC dc, int index) {
    DeviceContext* context = FindDC(dc);
    if (!context)
        return 0;
    const bool monochrome = context->IsMonochrome();
    switch (index) {
    case DRIVERVERSION:
        return 0x4000;
    case TECHNOLOGY:
        return DT_RASDISPLAY;
    case HORZRES:
        return ScreenSize().cx;
    case VERTRES:
        return ScreenSize().cy;
    case HORZSIZE:
        return ScreenSize().cx * 254 / 960;
    case VERTSIZE:
        return ScreenSize().cy * 254 / 960;
    case BITSPIXEL:
        return monochrome ? 1 : 32;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return monochrome ? 2 : -1;
    case RASTERCAPS:
        return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    case SIZEPALETTE:
        return 0;
    case COLORRES:
        return 24;
    default:
        return 0;
    }
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
    return Exchange<COLORREF>(dc, &DcState::textColor, color & 0x00FFFFFF, CLR_INVALID);
}

COLORREF GetTextColor(HDC dc) {
    return Read<COLORREF>(dc, &DcState::textColor, CLR_INVALID);
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
    return Exchange<COLORREF>(dc, &DcState::bkColor, color & 0x00FFFFFF, CLR_INVALID);
}

COLORREF GetBkColor(HDC dc) {
    return Read<COLORREF>(dc, &DcState::bkColor, CLR_INVALID);
}

int SetBkMode(HDC dc, int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return Exchange<int>(dc, &DcState::bkMode, mode, 0);
}

int GetBkMode(HDC dc) {
    return Read<int>(dc, &DcState::bkMode, 0);
}

int SetROP2(HDC dc, int mode) {
    if (mode < R2_BLACK || mode > R2_WHITE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return Exchange<int>(dc, &DcState::rop2, mode, 0);
}

int GetROP2(HDC dc) {
    return Read<int>(dc, &DcState::rop2, 0);
}

int SetStretchBltMode(HDC dc, int mode) {
    if (mode < BLACKONWHITE || mode > HALFTONE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return Exchange<int>(dc, &DcState::stretchMode, mode, 0);
}

int GetStretchBltMode(HDC dc) {
    return Read<int>(dc, &DcState::stretchMode, 0);
}

int SetPolyFillMode(HDC dc, int mode) {
    if (mode != ALTERNATE && mode != WINDING) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return Exchange<int>(dc, &DcState::polyFillMode, mode, 0);
}

int GetPolyFillMode(HDC dc) {
    return Read<int>(dc, &DcState::polyFillMode, 0);
}

// Only the text mapping mode (one logical unit is one pixel) exists here.
int SetMapMode(HDC dc, int mode) {
    if (!FindDC(dc))
        return 0;
    if (mode != MM_TEXT) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return MM_TEXT;
}

int GetMapMode(HDC dc) {
    return FindDC(dc) ? MM_TEXT : 0;
}

UINT SetTextAlign(HDC dc, UINT align) {
    return Exchange<UINT>(dc, &DcState::textAlign, align, GDI_ERROR_TEXTALIGN);
}

UINT GetTextAlign(HDC dc) {
    return Read<UINT>(dc, &DcState::textAlign, GDI_ERROR_TEXTALIGN);
}

COLORREF SetDCBrushColor(HDC dc, COLORREF color) {
    return Exchange<COLORREF>(dc, &DcState::dcBrushColor, color & 0x00FFFFFF, CLR_INVALID);
}

COLORREF GetDCBrushColor(HDC dc) {
    return Read<COLORREF>(dc, &DcState::dcBrushColor, CLR_INVALID);
}

COLORREF SetDCPenColor(HDC dc, COLORREF color) {
    return Exchange<COLORREF>(dc, &DcState::dcPenColor, color & 0x00FFFFFF, CLR_INVALID);
}

COLORREF GetDCPenColor(HDC dc) {
    return Read<COLORREF>(dc, &DcState::dcPenColor, CLR_INVALID);
}

BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT previous) {
    return SetPoint(dc, &DcState::viewportOrigin, x, y, previous, false);
}

BOOL GetViewportOrgEx(HDC dc, LPPOINT origin) {
    return GetPoint(dc, &DcState::viewportOrigin, origin);
}

BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, LPPOINT previous) {
    return SetPoint(dc, &DcState::viewportOrigin, dx, dy, previous, true);
}

BOOL SetWindowOrgEx(HDC dc, int x, int y, LPPOINT previous) {
    return SetPoint(dc, &DcState::windowOrigin, x, y, previous, false);
}

BOOL GetWindowOrgEx(HDC dc, LPPOINT origin) {
    return GetPoint(dc, &DcState::windowOrigin, origin);
}

BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, LPPOINT previous) {
    return SetPoint(dc, &DcState::windowOrigin, dx, dy, previous, true);
}

BOOL SetBrushOrgEx(HDC dc, int x, int y, LPPOINT previous) {
    return SetPoint(dc, &DcState::brushOrigin, x, y, previous, false);
}

BOOL GetBrushOrgEx(HDC dc, LPPOINT origin) {
    return GetPoint(dc, &DcState::brushOrigin, origin);
}

BOOL GetCurrentPositionEx(HDC dc, LPPOINT position) {
    return GetPoint(dc, &DcState::position, position);
}

BOOL LPtoDP(HDC dc, LPPOINT points, int count) {
    DeviceContext* context = FindDC(dc);
    if (!context || (!points && count > 0))
        return FALSE;
    for (int i = 0; i < count; ++i)
        points[i] = context->LogicalToDevice(points[i].x, points[i].y);
    return TRUE;
}

BOOL DPtoLP(HDC dc, LPPOINT points, int count) {
    DeviceContext* context = FindDC(dc);
    if (!context || (!points && count > 0))
        return FALSE;
    for (int i = 0; i < count; ++i)
        points[i] = context->DeviceToLogical(points[i].x, points[i].y);
    return TRUE;
}
