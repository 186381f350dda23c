#include "platform/gdi/PngWriter.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

#include <png.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <vector>

namespace platform {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// libpng reports errors by jumping back here; nothing with a destructor lives across setjmp.
bool Encode(std::FILE* file, const std::vector<png_bytep>& rows, int width, int height) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, const_cast<png_bytepp>(rows.data()));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool WritePng(const PixelSurface& surface, const RECT* area, const std::string& path) {
    RECT bounds{0, 0, surface.Width(), surface.Height()};
    if (area)
        bounds = RECT{std::max<LONG>(area->left, 0), std::max<LONG>(area->top, 0),
                      std::min<LONG>(area->right, surface.Width()),
                      std::min<LONG>(area->bottom, surface.Height())};
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    std::vector<png_byte> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        png_bytep row = pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3;
        rows[static_cast<std::size_t>(y)] = row;
        for (int x = 0; x < width; ++x) {
            const Pixel pixel = surface.At(bounds.left + x, bounds.top + y);
            row[3 * x] = static_cast<png_byte>(pixel >> 16);
            row[3 * x + 1] = static_cast<png_byte>(pixel >> 8);
            row[3 * x + 2] = static_cast<png_byte>(pixel);
        }
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        SetLastErrorFromErrno();
        return false;
    }
    if (!Encode(file.get(), rows, width, height)) {
        SetLastError(ERROR_WRITE_FAULT);
        return false;
    }
    if (std::fclose(file.release()) != 0) {
        SetLastErrorFromErrno();
        return false;
    }
    return true;
}

bool WriteBitmapPng(HBITMAP bitmap, const std::string& path) {
    Bitmap* found = FindGdiObjectOf<Bitmap>(bitmap);
    return found && WritePng(found->Pixels(), nullptr, path);
}

bool WriteDcPng(HDC dc, const RECT* area, const std::string& path) {
    DeviceContext* context = FindDC(dc);
    if (!context || !context->Target())
        return false;
    if (!area) {
        const RECT device = context->DeviceArea();
        const RECT target{device.left + context->Origin().x, device.top + context->Origin().y,
                          device.right + context->Origin().x, device.bottom + context->Origin().y};
        return WritePng(*context->Target(), &target, path);
    }
    const RECT target = context->LogicalToTarget(*area);
    return WritePng(*context->Target(), &target, path);
}

} // namespace platform
