#include "skin/data/ImgUtilBitmaps.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr int PixelBytes = 3;

std::uint8_t* Row(TBitmap& bitmap, int y) {
    return static_cast<std::uint8_t*>(bitmap.ScanLine(y));
}

// Reverses the pixels of [first, first + count) in every row.
void MirrorColumns(TBitmap& bitmap, int first, int count) {
    bitmap.SetPixelFormat(pf24bit);
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* row = Row(bitmap, y) + first * PixelBytes;
        for (int left = 0, right = count - 1; left < right; ++left, --right)
            std::swap_ranges(row + left * PixelBytes, row + (left + 1) * PixelBytes,
                             row + right * PixelBytes);
    }
}

// The pixels as 0xRRGGBB values, row by row from the top.
std::vector<std::uint32_t> ReadPixels(TBitmap& bitmap) {
    bitmap.SetPixelFormat(pf24bit);
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(bitmap.Width()) * bitmap.Height());
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint8_t* row = Row(bitmap, y);
        for (int x = 0; x < bitmap.Width(); ++x, row += PixelBytes)
            pixels.push_back(row[0] | (row[1] << 8) | (row[2] << 16));
    }
    return pixels;
}

// Turns the bitmap a quarter: `place` maps an old (x, y) to its new position.
template <typename Place>
void Rotate(TBitmap& bitmap, Place place) {
    const int width = bitmap.Width(), height = bitmap.Height();
    const std::vector<std::uint32_t> pixels = ReadPixels(bitmap);
    bitmap.SetSize(height, width);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto [nx, ny] = place(x, y, width, height);
            std::uint8_t* target = Row(bitmap, ny) + nx * PixelBytes;
            const std::uint32_t pixel = pixels[static_cast<std::size_t>(y) * width + x];
            target[0] = pixel & 0xFF;
            target[1] = (pixel >> 8) & 0xFF;
            target[2] = (pixel >> 16) & 0xFF;
        }
}

} // namespace

void ReplaceMagenta(TBitmap& bitmap, TColor colour) {
    if (bitmap.Empty())
        return;
    const COLORREF rgb = ColorToRGB(colour);
    bitmap.SetPixelFormat(pf24bit);
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* pixel = Row(bitmap, y);
        for (int x = 0; x < bitmap.Width(); ++x, pixel += PixelBytes) {
            // Bytes are blue, green, red.
            if (pixel[0] == 0xFF && pixel[1] == 0 && pixel[2] == 0xFF) {
                pixel[0] = (rgb >> 16) & 0xFF;
                pixel[1] = (rgb >> 8) & 0xFF;
                pixel[2] = rgb & 0xFF;
            }
        }
    }
}

void MirrorBitmap(TBitmap& bitmap) {
    if (!bitmap.Empty())
        MirrorColumns(bitmap, 0, bitmap.Width());
}

void MirrorFrames(TBitmap& bitmap, int frames) {
    if (bitmap.Empty())
        return;
    frames = std::max(frames, 1);
    const int width = bitmap.Width() / frames;
    for (int frame = 0; frame < frames; ++frame)
        MirrorColumns(bitmap, frame * width, width);
}

void FlipBitmap(TBitmap& bitmap) {
    if (bitmap.Empty())
        return;
    bitmap.SetPixelFormat(pf24bit);
    const std::size_t bytes = static_cast<std::size_t>(bitmap.Width()) * PixelBytes;
    std::vector<std::uint8_t> swap(bytes);
    for (int top = 0, bottom = bitmap.Height() - 1; top < bottom; ++top, --bottom) {
        std::memcpy(swap.data(), Row(bitmap, top), bytes);
        std::memcpy(Row(bitmap, top), Row(bitmap, bottom), bytes);
        std::memcpy(Row(bitmap, bottom), swap.data(), bytes);
    }
}

void RotateLeft(TBitmap& bitmap) {
    if (bitmap.Empty())
        return;
    Rotate(bitmap, [](int x, int y, int width, int) { return std::pair{y, width - 1 - x}; });
}

void RotateRight(TBitmap& bitmap) {
    if (bitmap.Empty())
        return;
    Rotate(bitmap, [](int x, int y, int, int height) { return std::pair{height - 1 - y, x}; });
}
