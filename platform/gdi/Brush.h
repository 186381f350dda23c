#pragma once
// Brush objects: solid, hatched, pattern (from a bitmap, copied when the brush is made) and
// null. The stock DC brush takes its colour from the device context it is used with.

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/WinGdi.h"

#include <memory>

namespace platform {

class Brush : public GdiObject {
public:
    static std::unique_ptr<Brush> Solid(COLORREF color);
    static std::unique_ptr<Brush> Null();
    static std::unique_ptr<Brush> Hatched(int hatch, COLORREF color);
    // `monochrome` patterns take the DC's text colour for 0 bits and background colour for 1.
    static std::unique_ptr<Brush> Pattern(const PixelSurface& pixels, bool monochrome, HBITMAP source,
                                          UINT style = BS_PATTERN);
    static std::unique_ptr<Brush> DcBrush();

    DWORD ObjectType() const override;

    UINT Style() const { return m_style; }
    COLORREF Color() const { return m_color; }
    int Hatch() const { return m_hatch; }
    bool IsDcBrush() const { return m_dcBrush; }
    bool IsNull() const { return m_style == BS_NULL; }
    const PixelSurface* PatternPixels() const { return m_pattern.get(); }
    bool PatternIsMonochrome() const { return m_patternMonochrome; }

    LOGBRUSH Describe() const;

private:
    Brush() = default;

    UINT m_style = BS_SOLID;
    COLORREF m_color = 0;
    int m_hatch = 0;
    bool m_dcBrush = false;
    std::unique_ptr<PixelSurface> m_pattern;
    bool m_patternMonochrome = false;
    HBITMAP m_source = nullptr;
};

// Whether hatch `hatch` paints pixel (x, y) of its 8 x 8 cell.
bool HatchCovers(int hatch, int x, int y);

} // namespace platform
