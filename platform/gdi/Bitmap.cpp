#include "platform/gdi/Bitmap.h"

#include <cstring>

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
        // All-zero bits and black pixels need not match: the first refresh decodes them all.
        m_dib->matched.assign(m_dib->bits.size(), 0xFF);
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
    DibSection& dib = *m_dib;
    if (dib.bits == dib.matched)
        return;
    const DibLayout& layout = dib.layout;
    const std::size_t stride = layout.Stride();
    // Decoding writes the pixels without making those rows count as drawn on.
    const PixelSurface& pixels = *m_pixels;
    for (int y = 0; y < m_height; ++y) {
        const std::size_t offset = layout.RowOffset(y);
        const std::uint8_t* bits = dib.bits.data() + offset;
        std::uint8_t* matched = dib.matched.data() + offset;
        if (std::memcmp(bits, matched, stride) == 0)
            continue;
        DecodeDibRow(layout, bits, const_cast<Pixel*>(pixels.Row(y)));
        std::memcpy(matched, bits, stride);
    }
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
    DibSection& dib = *m_dib;
    const DibLayout& layout = dib.layout;
    const std::size_t stride = layout.Stride();
    const PixelSurface& pixels = *m_pixels;
    DibRowEncoder encoder(layout);
    for (int y = m_pixels->WrittenTop(); y < m_pixels->WrittenBottom(); ++y) {
        const std::size_t offset = layout.RowOffset(y);
        encoder.Encode(pixels.Row(y), dib.bits.data() + offset);
        std::memcpy(dib.matched.data() + offset, dib.bits.data() + offset, stride);
    }
    m_pixels->ForgetWritten();
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
