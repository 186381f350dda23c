#include "platform/gdi/PixelSurface.h"

#include <algorithm>

namespace platform {

PixelSurface::PixelSurface(int width, int height)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_owned(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), PixelBlack),
      m_top(reinterpret_cast<std::uint8_t*>(m_owned.data())),
      m_stride(static_cast<std::ptrdiff_t>(m_width) * static_cast<std::ptrdiff_t>(sizeof(Pixel))) {}

PixelSurface::PixelSurface(int width, int height, void* topRow, std::ptrdiff_t strideBytes)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)), m_top(static_cast<std::uint8_t*>(topRow)),
      m_stride(strideBytes) {}

void PixelSurface::Fill(Pixel value) {
    for (int y = 0; y < m_height; ++y)
        std::fill_n(Row(y), m_width, value);
}

} // namespace platform
