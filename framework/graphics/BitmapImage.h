#pragma once
// The pictures behind TBitmap: bitmap handles of each pixel format, and the packed
// device-independent form (header, colour table or masks, bits) in which a picture is kept
// while it has no handle, copied between bitmaps and stored as a BMP file.

#include "platform/gdi/WinGdi.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class TStream;

namespace bitmap_image {

// How a picture is held: a device-independent section of `bitCount` bits per pixel (16 bits
// as 5-6-5 when `sixBitGreen`), or a device bitmap, monochrome or colour.
struct Kind {
    bool device = true;
    bool monochrome = false;
    int bitCount = 32;
    bool sixBitGreen = false;
};

// A packed DIB: BITMAPINFOHEADER followed by the colour table or masks, and bottom-up rows.
struct PackedDib {
    std::vector<std::uint8_t> header;
    std::vector<std::uint8_t> bits;

    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(header.data()); }
    int Width() const { return Info()->bmiHeader.biWidth; }
    int Height() const { return Info()->bmiHeader.biHeight; }
};

// A new white picture of the kind; for a section `bits` receives its memory. Null when the
// platform refuses the size.
HBITMAP CreateBlank(int width, int height, const Kind& kind, void** bits);
// The picture of a handle as a packed DIB of its own depth (32 bits for a colour device bitmap).
std::optional<PackedDib> ReadPixels(HBITMAP bitmap);
// A handle of the kind holding the packed picture; a section keeps the packed header as it is.
HBITMAP CreateFromPacked(const PackedDib& dib, const Kind& kind, void** bits);
// The kind of an existing handle, and for sections their memory and row order.
struct HandleFacts {
    Kind kind;
    int width = 0;
    int height = 0;
    void* bits = nullptr;
    bool topDown = false;
    DWORD greenMask = 0;
};
std::optional<HandleFacts> Inspect(HBITMAP bitmap);
// Copies the top-left part the two pictures share.
void CopyPicture(HBITMAP from, HBITMAP to, int width, int height);

// A BMP file (every offset checked) as a packed DIB; nothing when the bytes are no BMP file.
std::optional<PackedDib> ParseBmpFile(const std::uint8_t* data, std::size_t size);
void WriteBmpFile(const PackedDib& dib, TStream& stream);

} // namespace bitmap_image
