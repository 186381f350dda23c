#pragma once
// Windows BMP files: reading (1, 4, 8, 16, 24 and 32 bits, bit-field masks, RLE4 and RLE8,
// bottom-up and top-down, the old core header too) and writing. Every offset and size in a
// file is checked against the file's length before it is used; a damaged file is refused.

#include "platform/gdi/DibFormat.h"
#include "platform/gdi/PixelSurface.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct BmpImage {
    // The layout of `bits`: always uncompressed (RLE images come out as 8 bits per pixel).
    DibLayout layout;
    std::vector<std::uint8_t> bits;

    // The picture as 32-bit pixels.
    std::unique_ptr<PixelSurface> ToPixels() const;
};

std::optional<BmpImage> ReadBmp(const std::uint8_t* data, std::size_t size);
// A file named by a UTF-8 path; nothing when it cannot be read or is damaged.
std::optional<BmpImage> ReadBmpFile(const std::string& path);

// A complete BMP file of the pixels at 1, 4, 8, 16 (5-5-5), 24 or 32 bits per pixel, bottom-up.
// Indexed depths use the picture's own colours when they fit, else the standard palette.
std::vector<std::uint8_t> EncodeBmp(const PixelSurface& pixels, int bitsPerPixel);
bool WriteBmpFile(const PixelSurface& pixels, int bitsPerPixel, const std::string& path);

} // namespace platform
