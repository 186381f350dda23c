// Clipping: the program's clipping region of a DC (kept in device coordinates) and the
// questions about what a DC may draw.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/RegionObject.h"
#include "platform/gdi/WinGdi.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

#include <algorithm>

using namespace platform;

namespace {

// The complexity of what the DC may draw after a clipping change.
int ClipComplexity(DeviceContext& context) {
    context.InvalidateClip();
    return context.EffectiveClip().Complexity();
}

Region CurrentClipOrDeviceArea(const DeviceContext& context) {
    return context.State().clip ? *context.State().clip : Region(context.DeviceArea());
}

RECT LogicalRectToDevice(const DeviceContext& context, int left, int top, int right, int bottom) {
    POINT topLeft = context.LogicalToDevice(left, top);
    POINT bottomRight = context.LogicalToDevice(right, bottom);
    return RECT{std::min(topLeft.x, bottomRight.x), std::min(topLeft.y, bottomRight.y),
                std::max(topLeft.x, bottomRight.x), std::max(topLeft.y, bottomRight.y)};
}

} // namespace

int SelectClipRgn(HDC dc, HRGN region) {
    return ExtSelectClipRgn(dc, region, RGN_COPY);
}

int ExtSelectClipRgn(HDC dc, HRGN region, int mode) {
    DeviceContext* context = FindDC(dc);
    if (!context || mode < RGN_AND || mode > RGN_COPY)
        return ERROR;
    if (!region) {
        if (mode != RGN_COPY) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return ERROR;
        }
        context->State().clip.reset();
        return ClipComplexity(*context);
    }
    RegionObject* object = FindRegion(region);
    if (!object)
        return ERROR;
    Region result = mode == RGN_COPY ? object->Value() : CurrentClipOrDeviceArea(*context);
    switch (mode) {
    case RGN_AND:
        result.IntersectWith(object->Value());
        break;
    case RGN_OR:
        result.UnionWith(object->Value());
        break;
    case RGN_XOR:
        result.XorWith(object->Value());
        break;
    case RGN_DIFF:
        result.Subtract(object->Value());
        break;
    default:
        break;
    }
    context->State().clip = std::move(result);
    return ClipComplexity(*context);
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
    DeviceContext* context = FindDC(dc);
    if (!context)
        return ERROR;
    Region result = CurrentClipOrDeviceArea(*context);
    result.IntersectWith(LogicalRectToDevice(*context, left, top, right, bottom));
    context->State().clip = std::move(result);
    return ClipComplexity(*context);
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
    DeviceContext* context = FindDC(dc);
    if (!context)
        return ERROR;
    Region result = CurrentClipOrDeviceArea(*context);
    result.Subtract(LogicalRectToDevice(*context, left, top, right, bottom));
    context->State().clip = std::move(result);
    return ClipComplexity(*context);
}

int OffsetClipRgn(HDC dc, int dx, int dy) {
    DeviceContext* context = FindDC(dc);
    if (!context)
        return ERROR;
    if (context->State().clip)
        context->State().clip->Offset(dx, dy);
    return ClipComplexity(*context);
}

int GetClipBox(HDC dc, LPRECT rect) {
    DeviceContext* context = FindDC(dc);
    if (!context || !rect)
        return ERROR;
    const Region& clip = context->EffectiveClip();
    if (clip.IsEmpty()) {
        *rect = RECT{0, 0, 0, 0};
        return NULLREGION;
    }
    const RECT bounds = clip.Bounds();
    const POINT origin = context->Origin();
    const POINT topLeft = context->DeviceToLogical(bounds.left - origin.x, bounds.top - origin.y);
    const POINT bottomRight = context->DeviceToLogical(bounds.right - origin.x, bounds.bottom - origin.y);
    *rect = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    return clip.Complexity();
}

int GetClipRgn(HDC dc, HRGN region) {
    DeviceContext* context = FindDC(dc);
    RegionObject* object = FindRegion(region);
    if (!context || !object)
        return -1;
    if (!context->State().clip)
        return 0;
    object->Value() = *context->State().clip;
    return 1;
}

BOOL RectVisible(HDC dc, const RECT* rect) {
    DeviceContext* context = FindDC(dc);
    if (!context || !rect)
        return FALSE;
    RECT target = context->LogicalToTarget(*rect);
    target = RECT{std::min(target.left, target.right), std::min(target.top, target.bottom),
                  std::max(target.left, target.right), std::max(target.top, target.bottom)};
    return context->EffectiveClip().Overlaps(target) ? TRUE : FALSE;
}

BOOL PtVisible(HDC dc, int x, int y) {
    DeviceContext* context = FindDC(dc);
    if (!context)
        return FALSE;
    const POINT target = context->LogicalToTarget(x, y);
    return context->EffectiveClip().Contains(target.x, target.y) ? TRUE : FALSE;
}
