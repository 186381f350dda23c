#include "platform/gdi/Pen.h"

namespace platform {

Pen::Pen(int style, int width, COLORREF color, bool extended)
    : m_style(style), m_width(width), m_color(color & 0x00FFFFFF), m_extended(extended) {}

std::unique_ptr<Pen> Pen::DcPen() {
    auto pen = std::make_unique<Pen>(PS_SOLID, 0, 0);
    pen->m_dcPen = true;
    return pen;
}

DWORD Pen::ObjectType() const {
    return m_extended ? OBJ_EXTPEN : OBJ_PEN;
}

} // namespace platform
