#include "platform/gdi/Bitmap.h"

namespace platform {

namespace {

bool SharesDibBits(const DibLayout& layout) {
    return layout.bitsPerPixel == 32 && layout.masks[0] == 0x00FF0000 && layout.masks[1] == 0x0000FF00 &&
           layout.masks[2] == 0x000000FF;
}

} // namespace

Bitmap::Bitmap(int width, int height, bool monochrome)
    : m_width(width), m_height(height), m_monochrome(monochrome),
      m_pixels(std::make_unique<PixelSurface>(width, height)) {}

Bitmap::Bitmap(DibLayout layout)
    : m_width(layout.width), m_height(layout.height), m_monochrome(false),
      m_dib(std::make_unique<DibSection>()) {
    m_dib->bits.assign(layout.ImageSize(), 0);
    m_dib->layout = std::move(layout);
    const DibLayout& dib = m_dib->layout;
    if (SharesDibBits(dib)) {
        // 32-bit bits are drawn on in place; bottom-up rows run backwards in memory.
        std::uint8_t* top = m_dib->bits.data() + dib.RowOffset(0);
        const auto stride = static_cast<std::ptrdiff_t>(dib.Stride());
        m_pixels = std::make_unique<PixelSurface>(m_width, m_height, top, dib.topDown ? stride : -stride);
    } else {
        m_pixels = std::make_unique<PixelSurface>(m_width, m_height);
        RefreshFromDib();
    }
}

DWORD Bitmap::ObjectType() const {
    return OBJ_BITMAP;
}

int Bitmap::BitsPerPixel() const {
    if (m_dib)
        return m_dib->layout.bitsPerPixel;
    return m_monochrome ? 1 : 32;
}

void Bitmap::RefreshFromDib() const {
    if (!m_dib || SharesDibBits(m_dib->layout))
        return;
    const DibLayout& layout = m_dib->layout;
    for (int y = 0; y < m_height; ++y)
        DecodeDibRow(layout, m_dib->bits.data() + layout.RowOffset(y), m_pixels->Row(y));
}

PixelSurface& Bitmap::Pixels() {
    RefreshFromDib();
    return *m_pixels;
}

const PixelSurface& Bitmap::Pixels() const {
    RefreshFromDib();
    return *m_pixels;
}

void Bitmap::EndWrite() {
    if (!m_dib || SharesDibBits(m_dib->layout))
        return;
    DibLayout& layout = m_dib->layout;
    DibRowEncoder encoder(layout);
    for (int y = 0; y < m_height; ++y)
        encoder.Encode(m_pixels->Row(y), m_dib->bits.data() + layout.RowOffset(y));
}

void Bitmap::FillBitmapInfo(BITMAP& info) const {
    info.bmType = 0;
    info.bmWidth = m_width;
    info.bmHeight = m_height;
    info.bmPlanes = 1;
    info.bmBitsPixel = static_cast<WORD>(BitsPerPixel());
    if (m_dib) {
        info.bmWidthBytes = static_cast<LONG>(m_dib->layout.Stride());
        info.bmBits = m_dib->bits.data();
    } else {
        // Device bitmaps report rows padded to 16 bits.
        info.bmWidthBytes = ((m_width * info.bmBitsPixel + 15) / 16) * 2;
        info.bmBits = nullptr;
    }
}

} // namespace platform
