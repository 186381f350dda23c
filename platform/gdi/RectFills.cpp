// FillRect, FrameRect and InvertRect: rectangles painted with a given brush (not the DC's).

#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Painter.h"
#include "platform/gdi/RasterOp.h"
#include "platform/gdi/StockObjects.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WinUserDraw.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

using namespace platform;

namespace {

// A brush handle, or a system colour index + 1 standing for that colour's brush.
Brush* ResolveBrush(HBRUSH brush) {
    const auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value >= 1 && value <= SysColorCount)
        return SysColorBrush(static_cast<int>(value) - 1);
    return FindGdiObjectOf<Brush>(brush);
}

void PaintRect(Painter& painter, const RECT& logical, const BrushSource& brush, std::uint8_t rop) {
    const RECT target = painter.Dc().LogicalToTarget(logical);
    painter.FillRect(target, brush, rop);
}

} // namespace

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    DeviceContext* context = FindDC(dc);
    Brush* fill = ResolveBrush(brush);
    if (!context || !fill || !rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    Painter painter(*context);
    PaintRect(painter, *rect, BrushSource(fill, *context), RopIndex(PATCOPY));
    return 1;
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
    DeviceContext* context = FindDC(dc);
    Brush* fill = ResolveBrush(brush);
    if (!context || !fill || !rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (rect->right <= rect->left || rect->bottom <= rect->top)
        return 1;
    Painter painter(*context);
    const BrushSource source(fill, *context);
    const std::uint8_t rop = RopIndex(PATCOPY);
    const RECT& r = *rect;
    PaintRect(painter, RECT{r.left, r.top, r.right, r.top + 1}, source, rop);
    PaintRect(painter, RECT{r.left, r.bottom - 1, r.right, r.bottom}, source, rop);
    PaintRect(painter, RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, source, rop);
    PaintRect(painter, RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}, source, rop);
    return 1;
}

BOOL InvertRect(HDC dc, const RECT* rect) {
    DeviceContext* context = FindDC(dc);
    if (!context || !rect)
        return FALSE;
    Painter painter(*context);
    PaintRect(painter, *rect, BrushSource(PixelBlack), RopIndex(DSTINVERT));
    return TRUE;
}
