// Region handles: creation, combination, queries and the region data format.

#include "platform/gdi/Rasterizer.h"
#include "platform/gdi/RegionObject.h"
#include "platform/gdi/WinGdi.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace platform;

namespace {

RECT Normalized(int left, int top, int right, int bottom) {
    return RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

HRGN NewRegion(Region region) {
    return static_cast<HRGN>(InsertGdiObject(std::make_unique<RegionObject>(std::move(region))));
}

} // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return NewRegion(Region(Normalized(left, top, right, bottom)));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
    if (!rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int widthEllipse, int heightEllipse) {
    const RECT bounds = Normalized(left, top, right, bottom);
    return NewRegion(
        RegionFromSpans(RoundRectSpans(bounds, std::abs(widthEllipse), std::abs(heightEllipse))));
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
    return NewRegion(RegionFromSpans(EllipseSpans(Normalized(left, top, right, bottom))));
}

HRGN CreateEllipticRgnIndirect(const RECT* rect) {
    if (!rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateEllipticRgn(rect->left, rect->top, rect->right, rect->bottom);
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode) {
    if (!points || count < 0 || (fillMode != ALTERNATE && fillMode != WINDING)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return NewRegion(RegionFromSpans(PolygonSpans(points, count, fillMode)));
}

HRGN ExtCreateRegion(const XFORM* transform, DWORD count, const RGNDATA* data) {
    // The header must be complete and the rectangles it announces inside `count` bytes.
    if (!data || count < sizeof(RGNDATAHEADER) || data->rdh.dwSize < sizeof(RGNDATAHEADER) ||
        data->rdh.iType != RDH_RECTANGLES) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const std::uint64_t needed =
        std::uint64_t{data->rdh.dwSize} + std::uint64_t{data->rdh.nCount} * sizeof(RECT);
    if (needed > count) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data) + data->rdh.dwSize;
    std::vector<RECT> rects(data->rdh.nCount);
    if (!rects.empty())
        std::memcpy(rects.data(), bytes, rects.size() * sizeof(RECT));
    if (transform) {
        // Scaling and moving are supported; a rotation or shear does not keep rectangles.
        if (transform->eM12 != 0 || transform->eM21 != 0) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        for (RECT& rect : rects) {
            const auto map = [](double value, double scale, double offset) {
                return static_cast<LONG>(std::lround(std::clamp(value * scale + offset, -1e9, 1e9)));
            };
            rect = Normalized(map(rect.left, transform->eM11, transform->eDx),
                              map(rect.top, transform->eM22, transform->eDy),
                              map(rect.right, transform->eM11, transform->eDx),
                              map(rect.bottom, transform->eM22, transform->eDy));
        }
    }
    return NewRegion(Region::FromRects(rects.data(), rects.size()));
}

DWORD GetRegionData(HRGN region, DWORD count, LPRGNDATA data) {
    RegionObject* object = FindRegion(region);
    if (!object)
        return 0;
    const std::vector<RECT> rects = object->Value().Rects();
    const DWORD rectBytes = static_cast<DWORD>(rects.size() * sizeof(RECT));
    const DWORD needed = static_cast<DWORD>(sizeof(RGNDATAHEADER)) + rectBytes;
    if (!data)
        return needed;
    if (count < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(rects.size());
    data->rdh.nRgnSize = rectBytes;
    data->rdh.rcBound = object->Value().Bounds();
    if (!rects.empty())
        std::memcpy(reinterpret_cast<std::uint8_t*>(data) + sizeof(RGNDATAHEADER), rects.data(), rectBytes);
    return count;
}

int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode) {
    RegionObject* target = FindRegion(destination);
    RegionObject* first = FindRegion(source1);
    if (!target || !first || mode < RGN_AND || mode > RGN_COPY)
        return ERROR;
    if (mode == RGN_COPY) {
        target->Value() = first->Value();
        return target->Value().Complexity();
    }
    RegionObject* second = FindRegion(source2);
    if (!second)
        return ERROR;
    Region result = first->Value();
    switch (mode) {
    case RGN_AND:
        result.IntersectWith(second->Value());
        break;
    case RGN_OR:
        result.UnionWith(second->Value());
        break;
    case RGN_XOR:
        result.XorWith(second->Value());
        break;
    case RGN_DIFF:
        result.Subtract(second->Value());
        break;
    default:
        break;
    }
    target->Value() = std::move(result);
    return target->Value().Complexity();
}

int OffsetRgn(HRGN region, int dx, int dy) {
    RegionObject* object = FindRegion(region);
    if (!object)
        return ERROR;
    object->Value().Offset(dx, dy);
    return object->Value().Complexity();
}

BOOL PtInRegion(HRGN region, int x, int y) {
    RegionObject* object = FindRegion(region);
    return object && object->Value().Contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN region, const RECT* rect) {
    RegionObject* object = FindRegion(region);
    if (!object || !rect)
        return FALSE;
    const RECT normalized = Normalized(rect->left, rect->top, rect->right, rect->bottom);
    return object->Value().Overlaps(normalized) ? TRUE : FALSE;
}

int GetRgnBox(HRGN region, LPRECT rect) {
    RegionObject* object = FindRegion(region);
    if (!object || !rect)
        return ERROR;
    *rect = object->Value().Bounds();
    return object->Value().Complexity();
}

BOOL EqualRgn(HRGN region1, HRGN region2) {
    RegionObject* first = FindRegion(region1);
    RegionObject* second = FindRegion(region2);
    if (!first || !second)
        return ERROR;
    return first->Value() == second->Value() ? TRUE : FALSE;
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
    RegionObject* object = FindRegion(region);
    if (!object)
        return FALSE;
    object->Value() = Region(Normalized(left, top, right, bottom));
    return TRUE;
}
