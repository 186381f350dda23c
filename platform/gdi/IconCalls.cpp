// Icons: creation from bitmaps, copies, the bitmaps back, and drawing.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/Painter.h"
#include "platform/gdi/WinUserDraw.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

#include <algorithm>

using namespace platform;

namespace {

// The icon size of the classic metrics (SM_CXICON, SM_CYICON).
constexpr int DefaultIconSize = 32;
constexpr int LargestIconDrawn = 4096;

HICON Insert(std::unique_ptr<Icon> icon) {
    return static_cast<HICON>(InsertGdiObject(std::move(icon)));
}

// Nearest-pixel scaling of rows [top, top + height) that keeps every bit of the pixels.
std::unique_ptr<PixelSurface> ScaleRaw(const PixelSurface& source, int top, int sourceHeight, int width,
                                       int height) {
    auto scaled = std::make_unique<PixelSurface>(width, height);
    for (int y = 0; y < height; ++y) {
        const int fromY =
            top + static_cast<int>((std::int64_t{2 * y + 1} * sourceHeight) / (2 * std::int64_t{height}));
        const Pixel* from = source.Row(std::clamp(fromY, 0, source.Height() - 1));
        Pixel* to = scaled->Row(y);
        for (int x = 0; x < width; ++x) {
            const int fromX =
                static_cast<int>((std::int64_t{2 * x + 1} * source.Width()) / (2 * std::int64_t{width}));
            to[x] = from[std::clamp(fromX, 0, source.Width() - 1)];
        }
    }
    return scaled;
}

Pixel Blend(Pixel source, Pixel destination) {
    const Pixel alpha = source >> 24;
    const auto channel = [&](int shift) {
        const Pixel s = (source >> shift) & 0xFF;
        const Pixel d = (destination >> shift) & 0xFF;
        return ((s * alpha + d * (255 - alpha) + 127) / 255) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

} // namespace

HICON CreateIconIndirect(PICONINFO info) {
    if (!info) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Bitmap* mask = FindGdiObjectOf<Bitmap>(info->hbmMask);
    Bitmap* color = info->hbmColor ? FindGdiObjectOf<Bitmap>(info->hbmColor) : nullptr;
    if (!mask || (info->hbmColor && !color)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // Without a colour bitmap the mask holds the AND half above the XOR half.
    if (!color && mask->Height() < 2) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::unique_ptr<PixelSurface> maskCopy = CopySurface(mask->Pixels(), false);
    for (int y = 0; y < maskCopy->Height(); ++y)
        for (int x = 0; x < maskCopy->Width(); ++x)
            maskCopy->Set(x, y, NearestMonochrome(maskCopy->At(x, y)));
    const POINT hotspot = info->fIcon
                              ? POINT{static_cast<LONG>(mask->Width() / 2),
                                      static_cast<LONG>((color ? mask->Height() : mask->Height() / 2) / 2)}
                              : POINT{static_cast<LONG>(info->xHotspot), static_cast<LONG>(info->yHotspot)};
    return Insert(std::make_unique<Icon>(info->fIcon != FALSE, hotspot, std::move(maskCopy),
                                         color ? CopySurface(color->Pixels(), true) : nullptr));
}

HICON CopyIcon(HICON icon) {
    Icon* found = FindGdiObjectOf<Icon>(icon);
    return found ? Insert(found->Copy()) : nullptr;
}

BOOL DestroyIcon(HICON icon) {
    Icon* found = FindGdiObjectOf<Icon>(icon);
    if (!found) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return DeleteGdiObject(found) ? TRUE : FALSE;
}

BOOL GetIconInfo(HICON icon, PICONINFO info) {
    Icon* found = FindGdiObjectOf<Icon>(icon);
    if (!found || !info)
        return FALSE;
    const PixelSurface& mask = found->Mask();
    HBITMAP maskBitmap = CreateBitmap(mask.Width(), mask.Height(), 1, 1, nullptr);
    platform::Bitmap* maskObject = FindGdiObjectOf<platform::Bitmap>(maskBitmap);
    for (int y = 0; y < mask.Height(); ++y)
        std::copy(mask.Row(y), mask.Row(y) + mask.Width(), maskObject->Pixels().Row(y));
    HBITMAP colorBitmap = nullptr;
    if (const PixelSurface* color = found->Color()) {
        // A 32-bit DIB section keeps the alpha channel.
        BITMAPINFO header{};
        header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        header.bmiHeader.biWidth = color->Width();
        header.bmiHeader.biHeight = -color->Height();
        header.bmiHeader.biPlanes = 1;
        header.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        colorBitmap = CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
        auto* pixels = static_cast<Pixel*>(bits);
        for (int y = 0; y < color->Height(); ++y)
            std::copy(color->Row(y), color->Row(y) + color->Width(),
                      pixels + static_cast<std::size_t>(y) * color->Width());
    }
    info->fIcon = found->IsIcon() ? TRUE : FALSE;
    info->xHotspot = static_cast<DWORD>(found->Hotspot().x);
    info->yHotspot = static_cast<DWORD>(found->Hotspot().y);
    info->hbmMask = maskBitmap;
    info->hbmColor = colorBitmap;
    return TRUE;
}

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step, HBRUSH flickerFreeBrush,
                UINT flags) {
    (void)step; // animated cursors only
    DeviceContext* context = FindDC(dc);
    Icon* found = FindGdiObjectOf<Icon>(icon);
    if (!context || !found)
        return FALSE;
    if (!(flags & DI_NORMAL) || width < 0 || height < 0 || width > LargestIconDrawn ||
        height > LargestIconDrawn) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (width == 0)
        width = (flags & DI_DEFAULTSIZE) ? DefaultIconSize : found->Width();
    if (height == 0)
        height = (flags & DI_DEFAULTSIZE) ? DefaultIconSize : found->Height();
    if (flickerFreeBrush) {
        const RECT area{x, y, x + width, y + height};
        if (!FillRect(dc, &area, flickerFreeBrush))
            return FALSE;
    }
    const int iconHeight = found->Height();
    const std::unique_ptr<PixelSurface> mask = ScaleRaw(found->Mask(), 0, iconHeight, width, height);
    const std::unique_ptr<PixelSurface> image =
        found->Color() ? ScaleRaw(*found->Color(), 0, iconHeight, width, height)
                       : ScaleRaw(found->Mask(), iconHeight, iconHeight, width, height);
    const bool alpha = found->HasAlpha() && (flags & DI_IMAGE);
    const bool monochromeTarget = context->IsMonochrome();

    Painter painter(*context);
    if (!painter.Ready())
        return FALSE;
    const RECT target = context->LogicalToTarget(RECT{x, y, x + width, y + height});
    painter.ForEachRun(target, [&](int row, int left, int right) {
        Pixel* destination = painter.Target().Row(row);
        const Pixel* maskRow = mask->Row(row - target.top);
        const Pixel* imageRow = image->Row(row - target.top);
        for (int px = left; px < right; ++px) {
            const int i = px - target.left;
            Pixel value = destination[px] & PixelRgbMask;
            Pixel colour = imageRow[i];
            if (monochromeTarget)
                colour = NearestMonochrome(colour & PixelRgbMask) | (colour & 0xFF000000);
            if (alpha) {
                value = Blend(colour, value);
            } else {
                if (flags & DI_MASK)
                    value &= maskRow[i] & PixelRgbMask;
                if (flags & DI_IMAGE)
                    value = (flags & DI_MASK) ? value ^ (colour & PixelRgbMask) : colour & PixelRgbMask;
            }
            destination[px] = value;
        }
    });
    return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
    return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_COMPAT | DI_DEFAULTSIZE);
}
