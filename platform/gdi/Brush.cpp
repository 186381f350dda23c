#include "platform/gdi/Brush.h"

namespace platform {

std::unique_ptr<Brush> Brush::Solid(COLORREF color) {
    std::unique_ptr<Brush> brush(new Brush);
    brush->m_style = BS_SOLID;
    brush->m_color = color & 0x00FFFFFF;
    return brush;
}

std::unique_ptr<Brush> Brush::Null() {
    std::unique_ptr<Brush> brush(new Brush);
    brush->m_style = BS_NULL;
    return brush;
}

std::unique_ptr<Brush> Brush::Hatched(int hatch, COLORREF color) {
    std::unique_ptr<Brush> brush(new Brush);
    brush->m_style = BS_HATCHED;
    brush->m_color = color & 0x00FFFFFF;
    brush->m_hatch = hatch;
    return brush;
}

std::unique_ptr<Brush> Brush::Pattern(const PixelSurface& pixels, bool monochrome, HBITMAP source,
                                      UINT style) {
    std::unique_ptr<Brush> brush(new Brush);
    brush->m_style = style;
    brush->m_pattern = std::make_unique<PixelSurface>(pixels.Width(), pixels.Height());
    for (int y = 0; y < pixels.Height(); ++y) {
        for (int x = 0; x < pixels.Width(); ++x)
            brush->m_pattern->Set(x, y, pixels.At(x, y));
    }
    brush->m_patternMonochrome = monochrome;
    brush->m_source = source;
    return brush;
}

std::unique_ptr<Brush> Brush::DcBrush() {
    std::unique_ptr<Brush> brush(new Brush);
    brush->m_style = BS_SOLID;
    brush->m_dcBrush = true;
    return brush;
}

DWORD Brush::ObjectType() const {
    return OBJ_BRUSH;
}

LOGBRUSH Brush::Describe() const {
    LOGBRUSH description{m_style, m_color, 0};
    if (m_style == BS_HATCHED)
        description.lbHatch = static_cast<ULONG_PTR>(m_hatch);
    else if (m_style == BS_PATTERN)
        description.lbHatch = reinterpret_cast<ULONG_PTR>(m_source);
    return description;
}

bool HatchCovers(int hatch, int x, int y) {
    x &= 7;
    y &= 7;
    switch (hatch) {
    case HS_HORIZONTAL:
        return y == 7;
    case HS_VERTICAL:
        return x == 7;
    case HS_FDIAGONAL:
        return x == y;
    case HS_BDIAGONAL:
        return x + y == 7;
    case HS_CROSS:
        return x == 7 || y == 7;
    case HS_DIAGCROSS:
        return x == y || x + y == 7;
    default:
        return false;
    }
}

} // namespace platform
