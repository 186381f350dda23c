#pragma once
// Pen objects: cosmetic and geometric pens with a style (solid, dashes and dots, null, inside
// frame), a width and a colour. The stock DC pen takes its colour from the device context.

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/WinGdi.h"

#include <memory>

namespace platform {

class Pen : public GdiObject {
public:
    Pen(int style, int width, COLORREF color, bool extended = false);
    static std::unique_ptr<Pen> DcPen();

    DWORD ObjectType() const override;

    // PS_SOLID, PS_DASH... (the style's low bits)
    int LineStyle() const { return m_style & PS_STYLE_MASK; }
    int FullStyle() const { return m_style; }
    int Width() const { return m_width; }
    COLORREF Color() const { return m_color; }
    bool IsDcPen() const { return m_dcPen; }
    bool IsExtended() const { return m_extended; }
    bool IsNull() const { return LineStyle() == PS_NULL; }

private:
    int m_style;
    int m_width;
    COLORREF m_color;
    bool m_extended;
    bool m_dcPen = false;
};

} // namespace platform
