// Brush and pen creation.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/WinGdi.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

using namespace platform;

namespace {

template <typename Handle, typename Object>
Handle Insert(std::unique_ptr<Object> object) {
    return static_cast<Handle>(InsertGdiObject(std::move(object)));
}

bool IsKnownPenStyle(int style) {
    const int line = style & PS_STYLE_MASK;
    return line <= PS_INSIDEFRAME || line == PS_ALTERNATE;
}

} // namespace

HBRUSH CreateSolidBrush(COLORREF color) {
    return Insert<HBRUSH>(Brush::Solid(color));
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return Insert<HBRUSH>(Brush::Hatched(hatch, color));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
    Bitmap* pattern = FindGdiObjectOf<Bitmap>(bitmap);
    if (!pattern)
        return nullptr;
    // The brush keeps a copy; the bitmap may be deleted afterwards.
    return Insert<HBRUSH>(Brush::Pattern(pattern->Pixels(), pattern->IsMonochrome(), bitmap));
}

HBRUSH CreateDIBPatternBrushPt(const void* packedDib, UINT usage) {
    const auto* info = static_cast<const BITMAPINFO*>(packedDib);
    std::optional<DibLayout> layout = ReadDibLayout(info, DibReadOptions{SIZE_MAX, false, usage});
    if (!layout || usage != DIB_RGB_COLORS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const auto* bits = reinterpret_cast<const std::uint8_t*>(packedDib) + DibHeaderAndTableSize(info);
    PixelSurface pixels(layout->width, layout->height);
    for (int y = 0; y < layout->height; ++y)
        DecodeDibRow(*layout, bits + layout->RowOffset(y), pixels.Row(y));
    return Insert<HBRUSH>(Brush::Pattern(pixels, false, nullptr, BS_DIBPATTERNPT));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
    if (!brush) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    switch (brush->lbStyle) {
    case BS_SOLID:
        return CreateSolidBrush(brush->lbColor);
    case BS_NULL:
        return Insert<HBRUSH>(Brush::Null());
    case BS_HATCHED:
        return CreateHatchBrush(static_cast<int>(brush->lbHatch), brush->lbColor);
    case BS_PATTERN:
        return CreatePatternBrush(reinterpret_cast<HBITMAP>(brush->lbHatch));
    case BS_DIBPATTERNPT:
        return CreateDIBPatternBrushPt(reinterpret_cast<const void*>(brush->lbHatch),
                                       brush->lbColor & 0xFFFF);
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HPEN CreatePen(int style, int width, COLORREF color) {
    if (!IsKnownPenStyle(style) || (style & ~PS_STYLE_MASK)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // Dashed and dotted styles exist only for thin pens; wider ones draw solid.
    if (width > 1 && style != PS_NULL && style != PS_INSIDEFRAME)
        style = PS_SOLID;
    return Insert<HPEN>(std::make_unique<Pen>(style, width < 0 ? 0 : width, color));
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
    if (!pen) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor);
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles) {
    const int fullStyle = static_cast<int>(style);
    // User-defined dash patterns are not offered; solid-coloured brushes only.
    if (!brush || !IsKnownPenStyle(fullStyle) || styleCount != 0 || styles ||
        (brush->lbStyle != BS_SOLID && brush->lbStyle != BS_NULL) ||
        ((fullStyle & PS_TYPE_MASK) == PS_COSMETIC && width != 1)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    int line = fullStyle;
    if (brush->lbStyle == BS_NULL)
        line = (fullStyle & ~PS_STYLE_MASK) | PS_NULL;
    return Insert<HPEN>(std::make_unique<Pen>(line, static_cast<int>(width), brush->lbColor, true));
}
