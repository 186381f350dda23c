#pragma once
// The memory layout of device-independent bitmaps (1, 4, 8, 16, 24 and 32 bits per pixel,
// with colour tables and bit-field masks) and conversion of their rows to and from the 32-bit
// pixel format. Everything read from a BITMAPINFO is validated before use.

#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/WinGdi.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace platform {

// Largest bitmap accepted anywhere (pixels), so a damaged header cannot ask for gigabytes.
constexpr std::int64_t MaxBitmapPixels = std::int64_t{1} << 28;

struct DibLayout {
    int width = 0;
    int height = 0; // always positive; `topDown` says how rows lie in memory
    bool topDown = false;
    int bitsPerPixel = 0;
    DWORD compression = BI_RGB;
    DWORD masks[3] = {0, 0, 0}; // red, green, blue, for 16 and 32 bits
    std::vector<Pixel> palette; // for 1, 4 and 8 bits

    std::size_t Stride() const { return StrideFor(width, bitsPerPixel); }
    std::size_t ImageSize() const { return Stride() * static_cast<std::size_t>(height); }
    // Offset in memory of picture row y (0 is the top row).
    std::size_t RowOffset(int y) const {
        return static_cast<std::size_t>(topDown ? y : height - 1 - y) * Stride();
    }
    bool IsIndexed() const { return bitsPerPixel <= 8; }

    static std::size_t StrideFor(int width, int bitsPerPixel) {
        return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32) * 4;
    }
};

struct DibReadOptions {
    // Bytes readable from the start of the BITMAPINFO; unlimited when the caller vouches for it.
    std::size_t available = SIZE_MAX;
    bool allowRle = false;
    // Compressed and bit-count-0 headers are allowed only where the caller handles them.
    UINT usage = DIB_RGB_COLORS;
};

// The masks of 16- and 32-bit images that bring none: 5-5-5 and 8-8-8 bits of red, green
// and blue. Other depths keep theirs.
void DefaultMasks(DibLayout& layout);

// The layout described by a BITMAPINFO (info header, version 4 and 5 headers and the old core
// header), or nothing when the header is malformed, unsupported or the table runs past
// `available` bytes.
std::optional<DibLayout> ReadDibLayout(const BITMAPINFO* info, const DibReadOptions& options = {});

// Bytes from the start of the BITMAPINFO to the end of its colour table or masks.
std::size_t DibHeaderAndTableSize(const BITMAPINFO* info);

// The palette GetDIBits and the BMP writer use for a bit count when the image does not bring
// its own: black and white, the 16 VGA colours, or 256 colours (a 6x6x6 cube and greys).
std::vector<Pixel> StandardPalette(int bitsPerPixel);

// Converts one memory row of `layout.width` pixels (uncompressed formats only).
void DecodeDibRow(const DibLayout& layout, const std::uint8_t* row, Pixel* out);

// Encodes pixels into one memory row; indexed formats take the nearest palette colour.
class DibRowEncoder {
public:
    explicit DibRowEncoder(const DibLayout& layout);
    void Encode(const Pixel* in, std::uint8_t* row);

private:
    int NearestIndex(Pixel pixel);

    const DibLayout& m_layout;
    std::unordered_map<Pixel, int> m_cache;
};

// Decodes RLE8/RLE4 data into a bottom-up 8-bit index image of the layout's size (one byte per
// pixel, top row first). Skipped pixels keep index 0. False when the data is damaged.
bool DecodeRle(const DibLayout& layout, const std::uint8_t* data, std::size_t size,
               std::vector<std::uint8_t>& indices);

} // namespace platform
