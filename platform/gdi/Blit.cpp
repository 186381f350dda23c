// Block transfers: BitBlt, StretchBlt, PatBlt, MaskBlt and TransparentBlt.
//
// Source pixels are converted for the destination first: a monochrome bitmap drawn on colour
// takes the destination's text colour for 0 bits and its background colour for 1 bits; colour
// drawn on a monochrome bitmap becomes 1 where it equals the source DC's background colour and 0
// elsewhere. Parts of a source rectangle that lie outside the source bitmap leave the
// destination as it was.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Painter.h"
#include "platform/gdi/RasterOp.h"
#include "platform/gdi/Resample.h"
#include "platform/gdi/WinGdi.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

#include <algorithm>
#include <memory>

using namespace platform;

namespace {

struct Conversion {
    enum class Kind { None, MonochromeToColor, ColorToMonochrome };
    Kind kind = Kind::None;
    Pixel zero = 0;
    Pixel one = 0;
    Pixel sourceBackground = 0;

    Pixel Apply(Pixel pixel) const {
        pixel &= PixelRgbMask;
        switch (kind) {
        case Kind::MonochromeToColor:
            return pixel ? one : zero;
        case Kind::ColorToMonochrome:
            return pixel == sourceBackground ? PixelWhite : PixelBlack;
        default:
            return pixel;
        }
    }
};

Conversion ConversionFor(const DeviceContext& source, const DeviceContext& destination) {
    Conversion conversion;
    const bool sourceMono = source.IsMonochrome();
    const bool destinationMono = destination.IsMonochrome();
    if (sourceMono && !destinationMono) {
        conversion.kind = Conversion::Kind::MonochromeToColor;
        conversion.zero = destination.Realize(destination.State().textColor);
        conversion.one = destination.Realize(destination.State().bkColor);
    } else if (!sourceMono && destinationMono) {
        conversion.kind = Conversion::Kind::ColorToMonochrome;
        conversion.sourceBackground = PixelFromColorRef(source.State().bkColor);
    }
    return conversion;
}

// A rectangle of `surface` copied through `conversion`.
std::unique_ptr<PixelSurface> ConvertedCopy(const PixelSurface& surface, const RECT& area,
                                            const Conversion& conversion) {
    auto copy = std::make_unique<PixelSurface>(area.right - area.left, area.bottom - area.top);
    for (int y = area.top; y < area.bottom; ++y) {
        const Pixel* from = surface.Row(y) + area.left;
        Pixel* to = copy->Row(y - area.top);
        for (int x = 0; x < area.right - area.left; ++x)
            to[x] = conversion.Apply(from[x]);
    }
    return copy;
}

// Where a blit reads: pixel (x, y) of the destination target reads pixels(x + dx, y + dy).
struct SourceView {
    const PixelSurface* pixels = nullptr;
    int dx = 0;
    int dy = 0;
    std::unique_ptr<PixelSurface> owned;

    const Pixel* At(int x, int y) const { return pixels->Row(y + dy) + x + dx; }
};

RECT Intersect(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const RECT& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

// A rectangle given by a corner and a size that may be negative, made proper.
RECT FromCornerAndSize(int x, int y, int width, int height) {
    return RECT{std::min(x, x + width), std::min(y, y + height), std::max(x, x + width),
                std::max(y, y + height)};
}

// The same for the stretching calls, where a negative size mirrors: the corner pixel is the
// first one drawn and the rectangle runs `-width` pixels leftwards from it (so x + w - 1 with
// width -w mirrors a w-pixel area in place).
RECT MirroredCornerAndSize(int x, int y, int width, int height) {
    const int left = width < 0 ? x + width + 1 : x;
    const int top = height < 0 ? y + height + 1 : y;
    return RECT{left, top, left + (width < 0 ? -width : width), top + (height < 0 ? -height : height)};
}

struct MaskView {
    const PixelSurface* pixels = nullptr;
    int dx = 0;
    int dy = 0;

    bool Bit(int x, int y) const {
        const int mx = x + dx;
        const int my = y + dy;
        return pixels->Contains(mx, my) && (pixels->At(mx, my) != 0);
    }
};

struct BlitRequest {
    RECT destination; // target coordinates of the destination DC, proper
    DeviceContext* source = nullptr;
    POINT sourceCorner{0, 0}; // target coordinates of the source pixel for the destination's corner
    std::uint8_t foreground = 0;
    std::uint8_t background = 0;
    Bitmap* mask = nullptr;
    POINT maskCorner{0, 0};
};

bool Transfer(DeviceContext& destination, BlitRequest request) {
    const RopUse foreUse = AnalyzeRop(request.foreground);
    const RopUse backUse = request.mask ? AnalyzeRop(request.background) : RopUse{false, false, false};
    const bool usesSource = foreUse.source || backUse.source;

    SourceView view;
    if (usesSource) {
        if (!request.source) {
            SetLastError(ERROR_INVALID_HANDLE);
            return false;
        }
        PixelSurface* sourcePixels = request.source->Target();
        if (!sourcePixels)
            return false;
        // Only the part of the source rectangle inside the source bitmap is transferred.
        const int dx = request.sourceCorner.x - request.destination.left;
        const int dy = request.sourceCorner.y - request.destination.top;
        RECT sourceArea{request.destination.left + dx, request.destination.top + dy,
                        request.destination.right + dx, request.destination.bottom + dy};
        sourceArea = Intersect(sourceArea, RECT{0, 0, sourcePixels->Width(), sourcePixels->Height()});
        if (IsEmpty(sourceArea))
            return true;
        request.destination =
            RECT{sourceArea.left - dx, sourceArea.top - dy, sourceArea.right - dx, sourceArea.bottom - dy};
        const Conversion conversion = ConversionFor(*request.source, destination);
        const bool sameSurface = sourcePixels == destination.Target();
        if (conversion.kind == Conversion::Kind::None && !sameSurface) {
            view.pixels = sourcePixels;
            view.dx = dx;
            view.dy = dy;
        } else {
            view.owned = ConvertedCopy(*sourcePixels, sourceArea, conversion);
            view.pixels = view.owned.get();
            view.dx = -request.destination.left;
            view.dy = -request.destination.top;
        }
    }

    MaskView maskView;
    if (request.mask) {
        maskView.pixels = &request.mask->Pixels();
        maskView.dx = request.maskCorner.x - request.destination.left;
        maskView.dy = request.maskCorner.y - request.destination.top;
    }

    Painter painter(destination);
    if (!painter.Ready())
        return false;
    const BrushSource pattern(destination.State().brush, destination);
    // An operation that uses the pattern draws nothing with the null brush.
    if ((foreUse.pattern || backUse.pattern) && !pattern.Paints())
        return true;
    std::vector<std::uint8_t> maskRow;
    std::vector<std::uint8_t> inverseRow;
    painter.ForEachRun(request.destination, [&](int y, int left, int right) {
        const Pixel* source = usesSource ? view.At(left, y) : nullptr;
        if (!request.mask) {
            painter.ApplyRun(y, left, right, pattern, request.foreground, source);
            return;
        }
        const auto count = static_cast<std::size_t>(right - left);
        maskRow.resize(count);
        inverseRow.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            maskRow[i] = maskView.Bit(left + static_cast<int>(i), y) ? 1 : 0;
            inverseRow[i] = maskRow[i] ^ 1;
        }
        painter.ApplyRun(y, left, right, pattern, request.foreground, source, maskRow.data());
        painter.ApplyRun(y, left, right, pattern, request.background, source, inverseRow.data());
    });
    return true;
}

// Looks up the DCs of a blit; the source may be null when the operation does not read it.
bool FindBlitDCs(HDC dest, HDC source, bool needsSource, DeviceContext*& destination, DeviceContext*& from) {
    destination = FindDC(dest);
    from = source ? FindDC(source) : nullptr;
    if (!destination || (needsSource && !from) || (source && !from)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    return true;
}

} // namespace

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSrc, int ySrc, DWORD rop) {
    const std::uint8_t index = RopIndex(rop);
    DeviceContext* destination = nullptr;
    DeviceContext* from = nullptr;
    if (!FindBlitDCs(dest, source, AnalyzeRop(index).source, destination, from))
        return FALSE;
    // A negative size counts from the corner leftwards or upwards, for both rectangles.
    if (width < 0) {
        x += width;
        xSrc += width;
        width = -width;
    }
    if (height < 0) {
        y += height;
        ySrc += height;
        height = -height;
    }
    BlitRequest request;
    request.destination = destination->LogicalToTarget(RECT{x, y, x + width, y + height});
    request.source = AnalyzeRop(index).source ? from : nullptr;
    if (request.source)
        request.sourceCorner = from->LogicalToTarget(xSrc, ySrc);
    request.foreground = index;
    return Transfer(*destination, std::move(request)) ? TRUE : FALSE;
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    const std::uint8_t index = RopIndex(rop);
    DeviceContext* context = FindDC(dc);
    if (!context)
        return FALSE;
    if (AnalyzeRop(index).source) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    BlitRequest request;
    request.destination = context->LogicalToTarget(FromCornerAndSize(x, y, width, height));
    request.foreground = index;
    return Transfer(*context, std::move(request)) ? TRUE : FALSE;
}

BOOL MaskBlt(HDC dest, int xDest, int yDest, int width, int height, HDC source, int xSrc, int ySrc,
             HBITMAP mask, int xMask, int yMask, DWORD rop4) {
    const std::uint8_t foreground = RopIndex(rop4);
    const std::uint8_t background = static_cast<std::uint8_t>((rop4 >> 24) & 0xFF);
    Bitmap* maskBitmap = nullptr;
    if (mask) {
        maskBitmap = FindGdiObjectOf<Bitmap>(mask);
        // The mask must be a monochrome bitmap (a two-colour DIB section serves too).
        if (!maskBitmap || (!maskBitmap->IsMonochrome() && maskBitmap->BitsPerPixel() != 1)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
    }
    const bool needsSource = AnalyzeRop(foreground).source || (maskBitmap && AnalyzeRop(background).source);
    DeviceContext* destination = nullptr;
    DeviceContext* from = nullptr;
    if (!FindBlitDCs(dest, source, needsSource, destination, from))
        return FALSE;
    if (width <= 0 || height <= 0)
        return TRUE;
    BlitRequest request;
    request.destination = destination->LogicalToTarget(RECT{xDest, yDest, xDest + width, yDest + height});
    request.source = needsSource ? from : nullptr;
    if (request.source)
        request.sourceCorner = from->LogicalToTarget(xSrc, ySrc);
    request.foreground = foreground;
    request.background = background;
    request.mask = maskBitmap;
    request.maskCorner = POINT{xMask, yMask};
    return Transfer(*destination, std::move(request)) ? TRUE : FALSE;
}

namespace {

// The source rectangle of a stretch, cut to the source bitmap, with the destination cut in
// proportion. False when nothing remains.
struct StretchGeometry {
    RECT destination; // target coordinates, proper
    RECT source;      // source target coordinates, proper, inside the bitmap
    bool mirrorX = false;
    bool mirrorY = false;
};

bool ComputeStretch(DeviceContext& destination, int xDest, int yDest, int destWidth, int destHeight,
                    DeviceContext& source, int xSrc, int ySrc, int srcWidth, int srcHeight,
                    StretchGeometry& geometry) {
    PixelSurface* sourcePixels = source.Target();
    if (!sourcePixels || destWidth == 0 || destHeight == 0 || srcWidth == 0 || srcHeight == 0)
        return false;
    geometry.mirrorX = (destWidth < 0) != (srcWidth < 0);
    geometry.mirrorY = (destHeight < 0) != (srcHeight < 0);
    RECT dest = destination.LogicalToTarget(MirroredCornerAndSize(xDest, yDest, destWidth, destHeight));
    RECT src = source.LogicalToTarget(MirroredCornerAndSize(xSrc, ySrc, srcWidth, srcHeight));
    const RECT clipped = Intersect(src, RECT{0, 0, sourcePixels->Width(), sourcePixels->Height()});
    if (IsEmpty(clipped))
        return false;
    const std::int64_t dw = dest.right - dest.left;
    const std::int64_t dh = dest.bottom - dest.top;
    const std::int64_t sw = src.right - src.left;
    const std::int64_t sh = src.bottom - src.top;
    // Each cut of the source moves the matching destination edge by the same share.
    const auto scaled = [](std::int64_t amount, std::int64_t to, std::int64_t from) {
        return static_cast<int>((amount * to + from / 2) / from);
    };
    const int cutLeft = scaled(clipped.left - src.left, dw, sw);
    const int cutRight = scaled(src.right - clipped.right, dw, sw);
    const int cutTop = scaled(clipped.top - src.top, dh, sh);
    const int cutBottom = scaled(src.bottom - clipped.bottom, dh, sh);
    if (geometry.mirrorX) {
        dest.left += cutRight;
        dest.right -= cutLeft;
    } else {
        dest.left += cutLeft;
        dest.right -= cutRight;
    }
    if (geometry.mirrorY) {
        dest.top += cutBottom;
        dest.bottom -= cutTop;
    } else {
        dest.top += cutTop;
        dest.bottom -= cutBottom;
    }
    if (IsEmpty(dest))
        return false;
    geometry.destination = dest;
    geometry.source = clipped;
    return true;
}

} // namespace

BOOL StretchBlt(HDC dest, int xDest, int yDest, int destWidth, int destHeight, HDC source, int xSrc, int ySrc,
                int srcWidth, int srcHeight, DWORD rop) {
    const std::uint8_t index = RopIndex(rop);
    const bool usesSource = AnalyzeRop(index).source;
    DeviceContext* destination = nullptr;
    DeviceContext* from = nullptr;
    if (!FindBlitDCs(dest, source, usesSource, destination, from))
        return FALSE;
    if (!usesSource)
        return PatBlt(dest, xDest, yDest, destWidth, destHeight, rop);
    if (destWidth == srcWidth && destHeight == srcHeight && destWidth > 0 && destHeight > 0)
        return BitBlt(dest, xDest, yDest, destWidth, destHeight, source, xSrc, ySrc, rop);

    StretchGeometry geometry;
    if (!ComputeStretch(*destination, xDest, yDest, destWidth, destHeight, *from, xSrc, ySrc, srcWidth,
                        srcHeight, geometry))
        return TRUE;
    const Conversion conversion = ConversionFor(*from, *destination);
    const std::unique_ptr<PixelSurface> converted =
        ConvertedCopy(*from->Target(), geometry.source, conversion);
    const int width = geometry.destination.right - geometry.destination.left;
    const int height = geometry.destination.bottom - geometry.destination.top;
    const bool smooth = destination->State().stretchMode == HALFTONE && !destination->IsMonochrome();
    // The smooth filter scales the whole picture at once; the nearest pixel is read per run.
    const std::unique_ptr<PixelSurface> smoothed =
        smooth ? ResampleSmooth(*converted, width, height, geometry.mirrorX, geometry.mirrorY) : nullptr;
    const NearestSampler nearest(*converted, width, height, geometry.mirrorX, geometry.mirrorY);

    Painter painter(*destination);
    if (!painter.Ready())
        return FALSE;
    const BrushSource pattern(destination->State().brush, *destination);
    if (AnalyzeRop(index).pattern && !pattern.Paints())
        return TRUE;
    const RECT& area = geometry.destination;
    std::vector<Pixel> row;
    painter.ForEachRun(area, [&](int y, int left, int right) {
        if (smoothed) {
            painter.ApplyRun(y, left, right, pattern, index,
                             smoothed->Row(y - area.top) + (left - area.left));
            return;
        }
        row.resize(static_cast<std::size_t>(right - left));
        nearest.Row(y - area.top, left - area.left, right - left, row.data());
        painter.ApplyRun(y, left, right, pattern, index, row.data());
    });
    return TRUE;
}

BOOL TransparentBlt(HDC dest, int xDest, int yDest, int destWidth, int destHeight, HDC source, int xSrc,
                    int ySrc, int srcWidth, int srcHeight, UINT transparentColor) {
    DeviceContext* destination = nullptr;
    DeviceContext* from = nullptr;
    if (!FindBlitDCs(dest, source, true, destination, from))
        return FALSE;
    if (destWidth < 0 || destHeight < 0 || srcWidth < 0 || srcHeight < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    StretchGeometry geometry;
    if (!ComputeStretch(*destination, xDest, yDest, destWidth, destHeight, *from, xSrc, ySrc, srcWidth,
                        srcHeight, geometry))
        return TRUE;
    // The key is compared with the source's own pixels, before any conversion.
    const std::unique_ptr<PixelSurface> raw = ConvertedCopy(*from->Target(), geometry.source, Conversion{});
    const int width = geometry.destination.right - geometry.destination.left;
    const int height = geometry.destination.bottom - geometry.destination.top;
    const std::unique_ptr<PixelSurface> scaled = ResampleNearest(*raw, width, height, false, false);
    const Pixel key = from->IsMonochrome() ? (transparentColor & 0x00FFFFFF ? PixelWhite : PixelBlack)
                                           : PixelFromColorRef(transparentColor & 0x00FFFFFF);
    const Conversion conversion = ConversionFor(*from, *destination);

    Painter painter(*destination);
    if (!painter.Ready())
        return FALSE;
    const BrushSource none(PixelBlack);
    std::vector<Pixel> row;
    std::vector<std::uint8_t> covered;
    const RECT& area = geometry.destination;
    painter.ForEachRun(area, [&](int y, int left, int right) {
        const auto count = static_cast<std::size_t>(right - left);
        row.resize(count);
        covered.resize(count);
        const Pixel* from = scaled->Row(y - area.top) + (left - area.left);
        for (std::size_t i = 0; i < count; ++i) {
            covered[i] = from[i] != key;
            row[i] = conversion.Apply(from[i]);
        }
        painter.ApplyRun(y, left, right, none, RopIndex(SRCCOPY), row.data(), covered.data());
    });
    return TRUE;
}
