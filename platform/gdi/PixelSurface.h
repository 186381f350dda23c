#pragma once
// A rectangle of 32-bit pixels, 0x00RRGGBB each (bytes blue, green, red, unused in memory):
// the one pixel format every drawing operation works on. It owns its pixels or borrows them
// (a 32-bit DIB section's bits, a window's backing store); rows may run bottom-up, which a
// negative stride expresses.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace platform {

using Pixel = std::uint32_t;

constexpr Pixel PixelRgbMask = 0x00FFFFFF;
constexpr Pixel PixelWhite = 0x00FFFFFF;
constexpr Pixel PixelBlack = 0x00000000;

// COLORREF (0x00BBGGRR) to and from the pixel format.
constexpr Pixel PixelFromColorRef(std::uint32_t color) {
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}
constexpr std::uint32_t ColorRefFromPixel(Pixel pixel) {
    return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}

// Black or white, whichever is nearer: how colours land on a monochrome bitmap.
constexpr Pixel NearestMonochrome(Pixel pixel) {
    const int sum = int((pixel >> 16) & 0xFF) + int((pixel >> 8) & 0xFF) + int(pixel & 0xFF);
    return sum >= 383 ? PixelWhite : PixelBlack;
}

class PixelSurface {
public:
    // Owned pixels, all black.
    PixelSurface(int width, int height);
    // Borrowed pixels: `topRow` is the first byte of the top row, `strideBytes` the distance from
    // one row to the next one down (negative for bottom-up memory).
    PixelSurface(int width, int height, void* topRow, std::ptrdiff_t strideBytes);

    PixelSurface(const PixelSurface&) = delete;
    PixelSurface& operator=(const PixelSurface&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    // A row handed out for writing counts as written (see WrittenRows).
    Pixel* Row(int y) {
        m_writtenTop = std::min(m_writtenTop, y);
        m_writtenBottom = std::max(m_writtenBottom, y + 1);
        return reinterpret_cast<Pixel*>(m_top + y * m_stride);
    }
    const Pixel* Row(int y) const { return reinterpret_cast<const Pixel*>(m_top + y * m_stride); }
    Pixel At(int x, int y) const { return Row(y)[x] & PixelRgbMask; }
    void Set(int x, int y, Pixel value) { Row(y)[x] = value; }

    void Fill(Pixel value);

    // The rows [top, bottom) that may have changed since ForgetWritten: every row a writer
    // asked for, so that a copy kept in another form need only convert those. Empty when
    // top >= bottom.
    int WrittenTop() const { return std::max(m_writtenTop, 0); }
    int WrittenBottom() const { return std::min(m_writtenBottom, m_height); }
    void ForgetWritten() {
        m_writtenTop = std::numeric_limits<int>::max();
        m_writtenBottom = 0;
    }

private:
    int m_width;
    int m_height;
    std::vector<Pixel> m_owned;
    std::uint8_t* m_top;
    std::ptrdiff_t m_stride;
    int m_writtenTop = std::numeric_limits<int>::max();
    int m_writtenBottom = 0;
};

} // namespace platform
