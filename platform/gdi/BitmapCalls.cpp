// Bitmaps: device bitmaps, DIB sections, device-independent bits in and out, single pixels.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/Painter.h"
#include "platform/gdi/RasterOp.h"
#include "platform/gdi/WinGdi.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

#include <algorithm>
#include <cstring>
#include <functional>

using namespace platform;

namespace {

HBITMAP Insert(std::unique_ptr<Bitmap> bitmap) {
    return static_cast<HBITMAP>(InsertGdiObject(std::move(bitmap)));
}

bool SizeAllowed(int width, int height) {
    return width > 0 && height > 0 && std::int64_t{width} * height <= MaxBitmapPixels;
}

// The layout of a device bitmap's rows as GetBitmapBits and CreateBitmap see them: top-down,
// padded to 16 bits.
DibLayout DeviceBitsLayout(int width, int height, int bitsPerPixel) {
    DibLayout layout;
    layout.width = width;
    layout.height = height;
    layout.topDown = true;
    layout.bitsPerPixel = bitsPerPixel;
    if (bitsPerPixel <= 8)
        layout.palette = StandardPalette(bitsPerPixel);
    DefaultMasks(layout);
    return layout;
}

std::size_t DeviceStride(int width, int bitsPerPixel) {
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 15) / 16) * 2;
}

// Calls `row(pictureRow, pixels)` for every scan line of packed DIB bits given to SetDIBits and
// its kin: `lines` lines starting at scan line `start` (scan lines count from the bottom of a
// bottom-up image). Answers the number of lines delivered, or -1 for damaged data.
int ForEachScan(const DibLayout& layout, const void* bits, UINT start, UINT lines, std::size_t rleSize,
                const std::function<void(int, const Pixel*)>& row) {
    if (!bits)
        return -1;
    const auto* bytes = static_cast<const std::uint8_t*>(bits);
    std::vector<Pixel> pixels(static_cast<std::size_t>(layout.width));
    if (layout.compression == BI_RLE8 || layout.compression == BI_RLE4) {
        std::vector<std::uint8_t> indices;
        if (!DecodeRle(layout, bytes, rleSize, indices))
            return -1;
        for (int y = 0; y < layout.height; ++y) {
            const std::uint8_t* from = indices.data() + static_cast<std::size_t>(y) * layout.width;
            for (int x = 0; x < layout.width; ++x)
                pixels[static_cast<std::size_t>(x)] =
                    from[x] < layout.palette.size() ? layout.palette[from[x]] : PixelBlack;
            row(y, pixels.data());
        }
        return layout.height;
    }
    if (start >= static_cast<UINT>(layout.height))
        return 0;
    const int count = static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(layout.height) - start));
    for (int i = 0; i < count; ++i) {
        const int scan = static_cast<int>(start) + i;
        const int pictureRow = layout.topDown ? scan : layout.height - 1 - scan;
        DecodeDibRow(layout, bytes + static_cast<std::size_t>(i) * layout.Stride(), pixels.data());
        row(pictureRow, pixels.data());
    }
    return count;
}

std::optional<DibLayout> ReadInfo(const BITMAPINFO* info, UINT usage, bool allowRle) {
    if (usage != DIB_RGB_COLORS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    std::optional<DibLayout> layout = ReadDibLayout(info, DibReadOptions{SIZE_MAX, allowRle, usage});
    if (!layout)
        SetLastError(ERROR_INVALID_PARAMETER);
    return layout;
}

// A colour bitmap holding a whole packed DIB (for StretchDIBits and SetDIBitsToDevice); rows
// not delivered stay black.
std::unique_ptr<Bitmap> DecodeWhole(const DibLayout& layout, const void* bits, UINT start, UINT lines,
                                    std::size_t rleSize, int& delivered) {
    auto bitmap = std::make_unique<Bitmap>(layout.width, layout.height, false);
    PixelSurface& pixels = bitmap->Pixels();
    delivered = ForEachScan(layout, bits, start, lines, rleSize, [&](int y, const Pixel* row) {
        std::copy(row, row + layout.width, pixels.Row(y));
    });
    return bitmap;
}

} // namespace

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (width < 0 || height < 0 || planes * bitsPerPixel > 32 || planes == 0 || bitsPerPixel == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (width == 0 || height == 0)
        return Insert(std::make_unique<Bitmap>(1, 1, true));
    if (!SizeAllowed(width, height)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    int depth = static_cast<int>(planes * bitsPerPixel);
    const bool monochrome = depth == 1;
    auto bitmap = std::make_unique<Bitmap>(width, height, monochrome);
    if (bits) {
        // Initial bits are rows padded to 16 bits, in the depth asked for.
        if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24)
            depth = 32;
        const DibLayout layout = DeviceBitsLayout(width, height, depth);
        const auto* bytes = static_cast<const std::uint8_t*>(bits);
        const std::size_t stride = DeviceStride(width, depth);
        PixelSurface& pixels = bitmap->Pixels();
        for (int y = 0; y < height; ++y)
            DecodeDibRow(layout, bytes + static_cast<std::size_t>(y) * stride, pixels.Row(y));
    }
    return Insert(std::move(bitmap));
}

HBITMAP CreateBitmapIndirect(const BITMAP* bitmap) {
    if (!bitmap) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateBitmap(bitmap->bmWidth, bitmap->bmHeight, bitmap->bmPlanes, bitmap->bmBitsPixel,
                        bitmap->bmBits);
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    DeviceContext* context = FindDC(dc);
    if (!context)
        return nullptr;
    if (width < 0 || height < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (width == 0 || height == 0)
        return Insert(std::make_unique<Bitmap>(1, 1, true));
    if (!SizeAllowed(width, height)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    const Bitmap* selected = context->IsMemory() ? context->State().bitmap : nullptr;
    if (selected && selected->IsDibSection()) {
        // Compatible with a DIB section means another DIB section of its format.
        DibLayout layout = *selected->Layout();
        layout.width = width;
        layout.height = height;
        return Insert(std::make_unique<Bitmap>(std::move(layout)));
    }
    return Insert(std::make_unique<Bitmap>(width, height, context->IsMonochrome()));
}

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD offset) {
    (void)offset;
    if (bits)
        *bits = nullptr;
    if (dc && !FindDC(dc))
        return nullptr;
    // Bits in a file mapping are not offered; the section memory is always the bitmap's own.
    if (section) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::optional<DibLayout> layout = ReadInfo(info, usage, false);
    if (!layout)
        return nullptr;
    auto bitmap = std::make_unique<Bitmap>(std::move(*layout));
    if (bits)
        *bits = bitmap->DibBits();
    return Insert(std::move(bitmap));
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
    DeviceContext* context = dc ? FindDC(dc) : nullptr;
    if ((dc && !context) || !header) {
        SetLastError(header ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const int width = header->biWidth;
    const int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    if (!SizeAllowed(width, height)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // The bitmap has the format of the DC: monochrome for a memory DC holding its first bitmap.
    const bool monochrome = context && context->IsMonochrome();
    HBITMAP bitmap = Insert(std::make_unique<Bitmap>(width, height, monochrome));
    if ((init & CBM_INIT) && bits && info &&
        SetDIBits(dc, bitmap, 0, static_cast<UINT>(height), bits, info, usage) == 0) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
              UINT usage) {
    (void)dc;
    Bitmap* target = FindGdiObjectOf<Bitmap>(bitmap);
    if (!target)
        return 0;
    std::optional<DibLayout> layout = ReadInfo(info, usage, true);
    if (!layout)
        return 0;
    PixelSurface& pixels = target->Pixels();
    const bool monochrome = target->IsMonochrome();
    const int width = std::min(layout->width, target->Width());
    const int delivered =
        ForEachScan(*layout, bits, start, lines, info->bmiHeader.biSizeImage, [&](int y, const Pixel* row) {
            if (y >= target->Height())
                return;
            Pixel* to = pixels.Row(y);
            for (int x = 0; x < width; ++x)
                to[x] = monochrome ? NearestMonochrome(row[x]) : row[x];
        });
    target->EndWrite();
    return delivered < 0 ? 0 : delivered;
}

int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT usage) {
    if (!FindDC(dc))
        return 0;
    Bitmap* source = FindGdiObjectOf<Bitmap>(bitmap);
    if (!source || !info || usage != DIB_RGB_COLORS || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biBitCount == 0) {
        // Describe the bitmap itself.
        header.biWidth = source->Width();
        header.biHeight = source->Height();
        header.biPlanes = 1;
        header.biBitCount = static_cast<WORD>(source->BitsPerPixel());
        header.biCompression = source->Layout() ? source->Layout()->compression : BI_RGB;
        header.biSizeImage = static_cast<DWORD>(DibLayout::StrideFor(source->Width(), header.biBitCount) *
                                                static_cast<std::size_t>(source->Height()));
        header.biClrUsed = 0;
        header.biClrImportant = 0;
        return 1;
    }
    if (header.biCompression == BI_BITFIELDS && (header.biBitCount == 16 || header.biBitCount == 32)) {
        auto* masks =
            reinterpret_cast<DWORD*>(reinterpret_cast<std::uint8_t*>(info) + sizeof(BITMAPINFOHEADER));
        if (!masks[0] && !masks[1] && !masks[2]) {
            const bool sixteen = header.biBitCount == 16;
            masks[0] = sixteen ? 0xF800 : 0x00FF0000;
            masks[1] = sixteen ? 0x07E0 : 0x0000FF00;
            masks[2] = sixteen ? 0x001F : 0x000000FF;
        }
    } else if (header.biCompression != BI_RGB) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // The colour table the rows will index: the bitmap's own when it has one of that size.
    if (header.biBitCount <= 8 &&
        (header.biBitCount == 1 || header.biBitCount == 4 || header.biBitCount == 8)) {
        std::vector<Pixel> palette = StandardPalette(header.biBitCount);
        if (source->Layout() && source->Layout()->bitsPerPixel == header.biBitCount &&
            !source->Layout()->palette.empty())
            palette = source->Layout()->palette;
        palette.resize(std::size_t{1} << header.biBitCount, PixelBlack);
        for (std::size_t i = 0; i < palette.size(); ++i) {
            const Pixel entry = palette[i];
            RGBQUAD quad{static_cast<BYTE>(entry), static_cast<BYTE>(entry >> 8),
                         static_cast<BYTE>(entry >> 16), 0};
            std::memcpy(reinterpret_cast<std::uint8_t*>(info) + header.biSize + i * sizeof(RGBQUAD), &quad,
                        sizeof quad);
        }
        header.biClrUsed = 0;
    }
    std::optional<DibLayout> layout = ReadDibLayout(info);
    if (!layout) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    header.biSizeImage = static_cast<DWORD>(layout->ImageSize());
    if (!bits)
        return 1;

    const PixelSurface& pixels = source->Pixels();
    if (start >= static_cast<UINT>(layout->height))
        return 0;
    const int count = static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(layout->height) - start));
    DibRowEncoder encoder(*layout);
    std::vector<Pixel> row(static_cast<std::size_t>(layout->width), PixelBlack);
    auto* bytes = static_cast<std::uint8_t*>(bits);
    for (int i = 0; i < count; ++i) {
        const int scan = static_cast<int>(start) + i;
        const int y = layout->topDown ? scan : layout->height - 1 - scan;
        std::fill(row.begin(), row.end(), PixelBlack);
        if (y < pixels.Height()) {
            const int width = std::min(layout->width, pixels.Width());
            for (int x = 0; x < width; ++x)
                row[static_cast<std::size_t>(x)] = pixels.At(x, y);
        }
        encoder.Encode(row.data(), bytes + static_cast<std::size_t>(i) * layout->Stride());
    }
    return count;
}

int SetDIBitsToDevice(HDC dc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc,
                      UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage) {
    if (!FindDC(dc))
        return 0;
    std::optional<DibLayout> layout = ReadInfo(info, usage, true);
    if (!layout)
        return 0;
    int delivered = 0;
    std::unique_ptr<Bitmap> image =
        DecodeWhole(*layout, bits, startScan, lines, info->bmiHeader.biSizeImage, delivered);
    if (delivered < 0)
        return 0;
    HBITMAP handle = Insert(std::move(image));
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, handle);
    // Source coordinates of a bottom-up image count from its lower-left corner.
    const int top = layout->topDown ? ySrc : layout->height - ySrc - static_cast<int>(height);
    BitBlt(dc, xDest, yDest, static_cast<int>(width), static_cast<int>(height), memory, xSrc, top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(handle);
    return delivered;
}

int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop) {
    if (!FindDC(dc))
        return 0;
    std::optional<DibLayout> layout = ReadInfo(info, usage, true);
    if (!layout)
        return 0;
    int delivered = 0;
    std::unique_ptr<Bitmap> image = DecodeWhole(*layout, bits, 0, static_cast<UINT>(layout->height),
                                                info->bmiHeader.biSizeImage, delivered);
    if (delivered < 0)
        return 0;
    HBITMAP handle = Insert(std::move(image));
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, handle);
    const int top = layout->topDown ? ySrc : layout->height - ySrc - srcHeight;
    const BOOL drawn =
        StretchBlt(dc, xDest, yDest, destWidth, destHeight, memory, xSrc, top, srcWidth, srcHeight, rop);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(handle);
    return drawn ? std::abs(srcHeight) : 0;
}

LONG GetBitmapBits(HBITMAP bitmap, LONG count, LPVOID bits) {
    Bitmap* source = FindGdiObjectOf<Bitmap>(bitmap);
    if (!source)
        return 0;
    const int depth = source->BitsPerPixel();
    const std::size_t stride = DeviceStride(source->Width(), depth);
    const auto total = static_cast<LONG>(stride * static_cast<std::size_t>(source->Height()));
    if (!bits)
        return total;
    DibLayout layout = DeviceBitsLayout(source->Width(), source->Height(), depth);
    if (source->Layout())
        std::copy(source->Layout()->masks, source->Layout()->masks + 3, layout.masks);
    if (source->Layout() && !source->Layout()->palette.empty())
        layout.palette = source->Layout()->palette;
    const PixelSurface& pixels = source->Pixels();
    DibRowEncoder encoder(layout);
    std::vector<std::uint8_t> row(stride);
    auto* out = static_cast<std::uint8_t*>(bits);
    LONG copied = 0;
    for (int y = 0; y < source->Height() && copied < count; ++y) {
        encoder.Encode(pixels.Row(y), row.data());
        const LONG part = std::min<LONG>(count - copied, static_cast<LONG>(stride));
        std::memcpy(out + copied, row.data(), static_cast<std::size_t>(part));
        copied += part;
    }
    return copied;
}

LONG SetBitmapBits(HBITMAP bitmap, DWORD count, const void* bits) {
    Bitmap* target = FindGdiObjectOf<Bitmap>(bitmap);
    if (!target || !bits)
        return 0;
    const int depth = target->BitsPerPixel();
    const std::size_t stride = DeviceStride(target->Width(), depth);
    DibLayout layout = DeviceBitsLayout(target->Width(), target->Height(), depth);
    if (target->Layout())
        std::copy(target->Layout()->masks, target->Layout()->masks + 3, layout.masks);
    if (target->Layout() && !target->Layout()->palette.empty())
        layout.palette = target->Layout()->palette;
    PixelSurface& pixels = target->Pixels();
    const auto* in = static_cast<const std::uint8_t*>(bits);
    const int rows =
        static_cast<int>(std::min<std::size_t>(count / stride, static_cast<std::size_t>(target->Height())));
    for (int y = 0; y < rows; ++y)
        DecodeDibRow(layout, in + static_cast<std::size_t>(y) * stride, pixels.Row(y));
    target->EndWrite();
    return static_cast<LONG>(static_cast<std::size_t>(rows) * stride);
}

BOOL GetBitmapDimensionEx(HBITMAP bitmap, LPSIZE size) {
    if (!FindGdiObjectOf<Bitmap>(bitmap) || !size)
        return FALSE;
    *size = SIZE{0, 0};
    return TRUE;
}

BOOL GdiFlush() {
    return TRUE;
}

COLORREF GetPixel(HDC dc, int x, int y) {
    DeviceContext* context = FindDC(dc);
    if (!context)
        return CLR_INVALID;
    const PixelSurface* pixels = context->Target();
    const POINT target = context->LogicalToTarget(x, y);
    if (!pixels || !context->EffectiveClip().Contains(target.x, target.y))
        return CLR_INVALID;
    return ColorRefFromPixel(pixels->At(target.x, target.y));
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    DeviceContext* context = FindDC(dc);
    if (!context)
        return CLR_INVALID;
    const POINT target = context->LogicalToTarget(x, y);
    Painter painter(*context);
    if (!painter.Ready() || !painter.Clip().Contains(target.x, target.y))
        return CLR_INVALID;
    const Pixel value = context->Realize(color);
    painter.Target().Set(target.x, target.y, value);
    return ColorRefFromPixel(value);
}

BOOL SetPixelV(HDC dc, int x, int y, COLORREF color) {
    return SetPixel(dc, x, y, color) == CLR_INVALID ? FALSE : TRUE;
}
