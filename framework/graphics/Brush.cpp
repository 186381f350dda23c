#include "framework/graphics/Brush.h"

#include "framework/classes/PropertyTable.h"
#include "framework/graphics/Bitmap.h"

const TEnumInfo& BrushStyleIdents() {
    static const TEnumInfo idents{{"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                                   "bsBDiagonal", "bsCross", "bsDiagCross"}};
    return idents;
}

const TClass& TBrush::ClassInfo() {
    static const TClass info("TBrush", &TGraphicsObject::ClassInfo(),
                             {
                                 OrdProperty("Color", &TBrush::Color, &TBrush::SetColor),
                                 EnumProperty("Style", BrushStyleIdents(), &TBrush::Style, &TBrush::SetStyle),
                             });
    return info;
}

void TBrush::Assign(const TPersistent* source) {
    if (const auto* brush = dynamic_cast<const TBrush*>(source)) {
        if (brush == this)
            return;
        m_color = brush->m_color;
        m_style = brush->m_style;
        m_bitmap = brush->m_bitmap;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TBrush::SetColor(TColor color) {
    if (color == m_color && m_style != bsClear)
        return;
    m_color = color;
    if (m_style == bsClear)
        m_style = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == m_style)
        return;
    m_style = style;
    Changed();
}

void TBrush::SetBitmap(TBitmap* bitmap) {
    if (bitmap == m_bitmap)
        return;
    m_bitmap = bitmap;
    Changed();
}

HBRUSH TBrush::Handle() {
    if (!m_handle) {
        LOGBRUSH brush{};
        brush.lbColor = ColorToRGB(m_color);
        if (m_bitmap && !m_bitmap->Empty()) {
            brush.lbStyle = BS_PATTERN;
            brush.lbHatch = reinterpret_cast<ULONG_PTR>(m_bitmap->Handle());
        } else if (m_style == bsSolid) {
            brush.lbStyle = BS_SOLID;
        } else if (m_style == bsClear) {
            brush.lbStyle = BS_NULL;
        } else {
            brush.lbStyle = BS_HATCHED;
            brush.lbHatch = static_cast<ULONG_PTR>(m_style - bsHorizontal);
        }
        m_handle.Reset(CreateBrushIndirect(&brush));
    }
    return m_handle.Get();
}

void TBrush::SetHandle(HBRUSH handle) {
    if (handle && handle == m_handle.Get())
        return;
    LOGBRUSH brush{};
    if (handle && GetObjectA(handle, sizeof(brush), &brush) != 0) {
        m_color = static_cast<TColor>(brush.lbColor & 0xFFFFFF);
        m_bitmap = nullptr;
        if (brush.lbStyle == BS_NULL)
            m_style = bsClear;
        else if (brush.lbStyle == BS_HATCHED && brush.lbHatch <= HS_DIAGCROSS)
            m_style = static_cast<TBrushStyle>(bsHorizontal + brush.lbHatch);
        else
            m_style = bsSolid;
    }
    m_handle.Reset(handle);
    if (OnChange)
        OnChange(this);
}
