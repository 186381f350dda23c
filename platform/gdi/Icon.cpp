#include "platform/gdi/Icon.h"

namespace platform {

std::unique_ptr<PixelSurface> CopySurface(const PixelSurface& source, bool keepHighByte) {
    auto copy = std::make_unique<PixelSurface>(source.Width(), source.Height());
    const Pixel mask = keepHighByte ? 0xFFFFFFFF : PixelRgbMask;
    for (int y = 0; y < source.Height(); ++y) {
        const Pixel* from = source.Row(y);
        Pixel* to = copy->Row(y);
        for (int x = 0; x < source.Width(); ++x)
            to[x] = from[x] & mask;
    }
    return copy;
}

Icon::Icon(bool isIcon, POINT hotspot, std::unique_ptr<PixelSurface> mask,
           std::unique_ptr<PixelSurface> color)
    : m_isIcon(isIcon), m_hotspot(hotspot), m_mask(std::move(mask)), m_color(std::move(color)) {
    if (m_color) {
        for (int y = 0; y < m_color->Height() && !m_hasAlpha; ++y) {
            const Pixel* row = m_color->Row(y);
            for (int x = 0; x < m_color->Width(); ++x) {
                if (row[x] >> 24) {
                    m_hasAlpha = true;
                    break;
                }
            }
        }
    }
}

std::unique_ptr<Icon> Icon::Copy() const {
    return std::make_unique<Icon>(m_isIcon, m_hotspot, CopySurface(*m_mask, false),
                                  m_color ? CopySurface(*m_color, true) : nullptr);
}

} // namespace platform
