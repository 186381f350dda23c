#include "framework/graphics/Pen.h"

#include "framework/classes/PropertyTable.h"

const TEnumInfo& PenStyleIdents() {
    static const TEnumInfo idents{
        {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"}};
    return idents;
}

const TEnumInfo& PenModeIdents() {
    static const TEnumInfo idents{{"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy",
                                   "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen",
                                   "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor"}};
    return idents;
}

int PenModeToRop2(TPenMode mode) {
    static constexpr int rops[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                   R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                   R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                   R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    return rops[mode];
}

const TClass& TPen::ClassInfo() {
    static const TClass info("TPen", &TGraphicsObject::ClassInfo(),
                             {
                                 OrdProperty("Color", &TPen::Color, &TPen::SetColor),
                                 EnumProperty("Mode", PenModeIdents(), &TPen::Mode, &TPen::SetMode),
                                 EnumProperty("Style", PenStyleIdents(), &TPen::Style, &TPen::SetStyle),
                                 OrdProperty("Width", &TPen::Width, &TPen::SetWidth),
                             });
    return info;
}

void TPen::Assign(const TPersistent* source) {
    if (const auto* pen = dynamic_cast<const TPen*>(source)) {
        if (pen == this)
            return;
        m_color = pen->m_color;
        m_width = pen->m_width;
        m_style = pen->m_style;
        m_mode = pen->m_mode;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TPen::SetColor(TColor color) {
    if (color == m_color)
        return;
    m_color = color;
    Changed();
}

void TPen::SetWidth(int width) {
    if (width < 0 || width == m_width)
        return;
    m_width = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == m_style)
        return;
    m_style = style;
    Changed();
}

void TPen::SetMode(TPenMode mode) {
    if (mode == m_mode)
        return;
    m_mode = mode;
    // The mode is the canvas's mix, not part of the handle; the canvas reselects on change.
    if (OnChange)
        OnChange(this);
}

HPEN TPen::Handle() {
    if (!m_handle) {
        static constexpr int styles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                         PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        m_handle.Reset(CreatePen(styles[m_style], m_width, ColorToRGB(m_color)));
    }
    return m_handle.Get();
}

void TPen::SetHandle(HPEN handle) {
    if (handle && handle == m_handle.Get())
        return;
    LOGPEN pen{};
    if (handle && GetObjectA(handle, sizeof(pen), &pen) != 0) {
        m_color = static_cast<TColor>(pen.lopnColor & 0xFFFFFF);
        m_width = pen.lopnWidth.x;
        const UINT style = pen.lopnStyle & PS_STYLE_MASK;
        m_style = style <= PS_INSIDEFRAME ? static_cast<TPenStyle>(style) : psSolid;
    }
    m_handle.Reset(handle);
    if (OnChange)
        OnChange(this);
}
