// LoadBitmapA, LoadImageA and CopyImage: built-in bitmaps, BMP files and copies of bitmaps and
// icons, scaled and converted as their flags ask.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/BmpFile.h"
#include "platform/gdi/BuiltinBitmaps.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/Resample.h"
#include "platform/gdi/WinUserDraw.h"

#include "platform/base/CodePage.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

#include <algorithm>

using namespace platform;

namespace {

constexpr int DefaultIconSize = 32;

// A picture on its way to becoming a bitmap handle.
struct Picture {
    std::unique_ptr<PixelSurface> pixels;
    int bitsPerPixel = 32;
    std::vector<Pixel> palette;
};

HBITMAP Insert(std::unique_ptr<Bitmap> bitmap) {
    return static_cast<HBITMAP>(InsertGdiObject(std::move(bitmap)));
}

HBITMAP DeviceBitmapOf(const PixelSurface& pixels, bool monochrome) {
    auto bitmap = std::make_unique<Bitmap>(pixels.Width(), pixels.Height(), monochrome);
    PixelSurface& target = bitmap->Pixels();
    for (int y = 0; y < pixels.Height(); ++y)
        for (int x = 0; x < pixels.Width(); ++x)
            target.Set(x, y, monochrome ? NearestMonochrome(pixels.At(x, y)) : pixels.At(x, y));
    return Insert(std::move(bitmap));
}

HBITMAP DibSectionOf(const PixelSurface& pixels, int bitsPerPixel, const std::vector<Pixel>& palette) {
    DibLayout layout;
    layout.width = pixels.Width();
    layout.height = pixels.Height();
    layout.bitsPerPixel = bitsPerPixel;
    if (bitsPerPixel <= 8)
        layout.palette = palette.empty() ? StandardPalette(bitsPerPixel) : palette;
    DefaultMasks(layout);
    auto bitmap = std::make_unique<Bitmap>(std::move(layout));
    PixelSurface& target = bitmap->Pixels();
    for (int y = 0; y < pixels.Height(); ++y)
        for (int x = 0; x < pixels.Width(); ++x)
            target.Set(x, y, pixels.At(x, y));
    bitmap->EndWrite();
    return Insert(std::move(bitmap));
}

// Colour-table adjustments of LoadImage, applied to pictures of 8 bits or less.
void MapColours(Picture& picture, UINT flags) {
    if (picture.bitsPerPixel > 8 || picture.pixels->Width() == 0)
        return;
    const Pixel transparent = picture.pixels->At(0, 0);
    const auto replace = [&](Pixel from, int sysColor) {
        const Pixel to = PixelFromColorRef(GetSysColor(sysColor));
        for (int y = 0; y < picture.pixels->Height(); ++y)
            for (int x = 0; x < picture.pixels->Width(); ++x)
                if (picture.pixels->At(x, y) == from)
                    picture.pixels->Set(x, y, to);
        std::replace(picture.palette.begin(), picture.palette.end(), from, to);
    };
    if (flags & LR_LOADMAP3DCOLORS) {
        replace(0x808080, COLOR_3DSHADOW);
        replace(0xC0C0C0, COLOR_3DFACE);
        replace(0xDFDFDF, COLOR_3DLIGHT);
    }
    if (flags & LR_LOADTRANSPARENT)
        replace(transparent, COLOR_WINDOW);
}

bool LoadPicture(HINSTANCE instance, LPCSTR name, UINT flags, Picture& picture) {
    if (flags & LR_LOADFROMFILE) {
        if (!name || IS_INTRESOURCE(name)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return false;
        }
        std::optional<BmpImage> image = ReadBmpFile(GbkToUtf8(name));
        if (!image)
            return false;
        picture.pixels = image->ToPixels();
        picture.bitsPerPixel = image->layout.bitsPerPixel;
        picture.palette = image->layout.palette;
        return true;
    }
    const BuiltinBitmap* builtin = nullptr;
    if (IS_INTRESOURCE(name)) {
        if (!instance)
            builtin = FindSystemBitmap(static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)));
    } else if (instance) {
        builtin = FindBuiltinBitmap(name);
    }
    if (!builtin) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return false;
    }
    picture.pixels = CopySurface(*builtin->pixels, false);
    picture.bitsPerPixel = builtin->bitsPerPixel;
    return true;
}

HBITMAP BitmapFromPicture(Picture& picture, int width, int height, UINT flags) {
    if ((width && width != picture.pixels->Width()) || (height && height != picture.pixels->Height())) {
        picture.pixels = ResampleNearest(*picture.pixels, width ? width : picture.pixels->Width(),
                                         height ? height : picture.pixels->Height(), false, false);
    }
    const bool monochrome = (flags & LR_MONOCHROME) || picture.bitsPerPixel == 1;
    if (flags & LR_CREATEDIBSECTION)
        return DibSectionOf(*picture.pixels, (flags & LR_MONOCHROME) ? 1 : picture.bitsPerPixel,
                            picture.palette);
    return DeviceBitmapOf(*picture.pixels, monochrome);
}

HANDLE CopyBitmap(HBITMAP handle, int width, int height, UINT flags) {
    Bitmap* source = FindGdiObjectOf<Bitmap>(handle);
    if (!source)
        return nullptr;
    const bool sameSize = (!width || width == source->Width()) && (!height || height == source->Height());
    if ((flags & LR_COPYRETURNORG) && sameSize && !(flags & (LR_MONOCHROME | LR_CREATEDIBSECTION)))
        return handle;
    Picture picture;
    picture.pixels = CopySurface(source->Pixels(), false);
    picture.bitsPerPixel =
        source->IsDibSection() ? source->BitsPerPixel() : (source->IsMonochrome() ? 1 : 32);
    if (source->Layout())
        picture.palette = source->Layout()->palette;
    HBITMAP copy = BitmapFromPicture(picture, width, height, flags);
    if (copy && (flags & LR_COPYDELETEORG))
        DeleteObject(handle);
    return copy;
}

HANDLE CopyIconImage(HICON handle, int width, int height, UINT flags) {
    Icon* source = FindGdiObjectOf<Icon>(handle);
    if (!source)
        return nullptr;
    if (width == 0)
        width = (flags & LR_DEFAULTSIZE) ? DefaultIconSize : source->Width();
    if (height == 0)
        height = (flags & LR_DEFAULTSIZE) ? DefaultIconSize : source->Height();
    std::unique_ptr<Icon> copy;
    if (width == source->Width() && height == source->Height()) {
        copy = source->Copy();
    } else {
        // The mask scales whole (both halves of a monochrome icon at once).
        const int maskHeight = source->Color() ? height : 2 * height;
        std::unique_ptr<PixelSurface> mask = ResampleNearest(source->Mask(), width, maskHeight, false, false);
        std::unique_ptr<PixelSurface> color;
        if (const PixelSurface* original = source->Color()) {
            // Alpha survives scaling: each channel, alpha included, is taken from the nearest pixel.
            color = std::make_unique<PixelSurface>(width, height);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    color->Set(x, y,
                               original->Row(static_cast<int>(
                                   (std::int64_t{2 * y + 1} * original->Height()) /
                                   (2 * std::int64_t{height})))[static_cast<int>((std::int64_t{2 * x + 1} *
                                                                                  original->Width()) /
                                                                                 (2 * std::int64_t{width}))]);
        }
        copy = std::make_unique<Icon>(source->IsIcon(), source->Hotspot(), std::move(mask), std::move(color));
    }
    HICON result = static_cast<HICON>(InsertGdiObject(std::move(copy)));
    if (flags & LR_COPYDELETEORG)
        DestroyIcon(handle);
    return result;
}

} // namespace

HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name) {
    Picture picture;
    if (!LoadPicture(instance, name, 0, picture))
        return nullptr;
    return BitmapFromPicture(picture, 0, 0, 0);
}

HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags) {
    if (type != IMAGE_BITMAP) {
        // Icons and cursors come only from the program's own calls, never from files here.
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return nullptr;
    }
    if (width < 0 || height < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Picture picture;
    if (!LoadPicture(instance, name, flags, picture))
        return nullptr;
    MapColours(picture, flags);
    return BitmapFromPicture(picture, width, height, flags);
}

HANDLE CopyImage(HANDLE image, UINT type, int width, int height, UINT flags) {
    if (width < 0 || height < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    switch (type) {
    case IMAGE_BITMAP:
        return CopyBitmap(static_cast<HBITMAP>(image), width, height, flags);
    case IMAGE_ICON:
    case IMAGE_CURSOR:
        return CopyIconImage(static_cast<HICON>(image), width, height, flags);
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}
