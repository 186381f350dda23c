#include "skin/data/SkinDrawing.h"

#include "framework/graphics/Canvas.h"
#include "platform/gdi/WinGdi.h"

#include <algorithm>

namespace {

// The raster operation that leaves the destination as it is.
constexpr DWORD KeepDestination = 0x00AA0029;

// A memory DC holding a bitmap for the length of one drawing call.
class TScratchDC {
public:
    explicit TScratchDC(HBITMAP bitmap) : dc(CreateCompatibleDC(nullptr)), old(SelectObject(dc, bitmap)) {}
    ~TScratchDC() {
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    TScratchDC(const TScratchDC&) = delete;
    TScratchDC& operator=(const TScratchDC&) = delete;
    HDC Handle() const { return dc; }

private:
    HDC dc;
    HGDIOBJ old;
};

void StretchPart(HDC dc, int x, int y, int width, int height, HDC source, int sx, int sy, int sw, int sh) {
    if (width <= 0 || height <= 0 || sw <= 0 || sh <= 0)
        return;
    if (width == sw && height == sh)
        BitBlt(dc, x, y, width, height, source, sx, sy, SRCCOPY);
    else
        StretchBlt(dc, x, y, width, height, source, sx, sy, sw, sh, SRCCOPY);
}

void TilePart(HDC dc, int x, int y, int width, int height, HDC source, int sx, int sy, int sw, int sh) {
    if (width <= 0 || height <= 0 || sw <= 0 || sh <= 0)
        return;
    for (int top = 0; top < height; top += sh)
        for (int left = 0; left < width; left += sw)
            BitBlt(dc, x + left, y + top, std::min(sw, width - left), std::min(sh, height - top), source, sx,
                   sy, SRCCOPY);
}

// Margins as they can be kept: a pair that the target or the frame cannot hold is dropped.
TSkinMargins FittedMargins(TSkinMargins margins, int width, int height, int frameWidth, int frameHeight) {
    margins.left = std::max(margins.left, 0);
    margins.right = std::max(margins.right, 0);
    margins.top = std::max(margins.top, 0);
    margins.bottom = std::max(margins.bottom, 0);
    if (width < margins.left + margins.right || frameWidth < margins.left + margins.right)
        margins.left = margins.right = 0;
    if (height < margins.top + margins.bottom || frameHeight < margins.top + margins.bottom)
        margins.top = margins.bottom = 0;
    return margins;
}

void DrawNineParts(HDC dc, const RECT& rect, HDC source, const RECT& frame, const TSkinMargins& style,
                   bool tileCentre) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const int fw = frame.right - frame.left, fh = frame.bottom - frame.top;
    const TSkinMargins m = FittedMargins(style, width, height, fw, fh);
    const int x = rect.left, y = rect.top, sx = frame.left, sy = frame.top;
    const int midW = width - m.left - m.right, midH = height - m.top - m.bottom;
    const int srcMidW = fw - m.left - m.right, srcMidH = fh - m.top - m.bottom;
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    // Corners.
    StretchPart(dc, x, y, m.left, m.top, source, sx, sy, m.left, m.top);
    StretchPart(dc, x + width - m.right, y, m.right, m.top, source, sx + fw - m.right, sy, m.right, m.top);
    StretchPart(dc, x, y + height - m.bottom, m.left, m.bottom, source, sx, sy + fh - m.bottom, m.left,
                m.bottom);
    StretchPart(dc, x + width - m.right, y + height - m.bottom, m.right, m.bottom, source, sx + fw - m.right,
                sy + fh - m.bottom, m.right, m.bottom);
    // Edges, stretched along their length.
    StretchPart(dc, x + m.left, y, midW, m.top, source, sx + m.left, sy, srcMidW, m.top);
    StretchPart(dc, x + m.left, y + height - m.bottom, midW, m.bottom, source, sx + m.left,
                sy + fh - m.bottom, srcMidW, m.bottom);
    StretchPart(dc, x, y + m.top, m.left, midH, source, sx, sy + m.top, m.left, srcMidH);
    StretchPart(dc, x + width - m.right, y + m.top, m.right, midH, source, sx + fw - m.right, sy + m.top,
                m.right, srcMidH);
    // Centre.
    if (tileCentre)
        TilePart(dc, x + m.left, y + m.top, midW, midH, source, sx + m.left, sy + m.top, srcMidW, srcMidH);
    else
        StretchPart(dc, x + m.left, y + m.top, midW, midH, source, sx + m.left, sy + m.top, srcMidW, srcMidH);
    SetStretchBltMode(dc, oldMode);
}

} // namespace

RECT SkinFrameRect(int imageWidth, int imageHeight, int frame, int frames, bool stacked) {
    frames = std::max(frames, 1);
    if (frame < 1 || frame > frames)
        return RECT{0, 0, 0, 0};
    if (stacked) {
        const int height = imageHeight / frames;
        return RECT{0, (frame - 1) * height, imageWidth, frame * height};
    }
    const int width = imageWidth / frames;
    return RECT{(frame - 1) * width, 0, frame * width, imageHeight};
}

void DrawSkinFrame(HDC dc, const RECT& rect, TBitmap& image, int frame, int frames, bool stacked,
                   const TSkinFrameStyle& style) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const RECT source = SkinFrameRect(image.Width(), image.Height(), frame, frames, stacked);
    if (width <= 0 || height <= 0 || source.right <= source.left || source.bottom <= source.top)
        return;
    HDC imageDC = image.Canvas()->Handle();
    if (!style.transparent) {
        DrawNineParts(dc, rect, imageDC, source, style.margins, style.tileCentre);
        return;
    }
    TBitmap scratch;
    scratch.SetPixelFormat(pf24bit);
    scratch.SetSize(width, height);
    DrawNineParts(scratch.Canvas()->Handle(), RECT{0, 0, width, height}, imageDC, source, style.margins,
                  style.tileCentre);
    DrawKeyed(dc, rect, scratch);
}

void DrawKeyed(HDC dc, const RECT& rect, TBitmap& image, TColor key, int sourceX, int sourceY,
               TKeyedCopy method) {
    if (rect.right < rect.left || rect.bottom < rect.top)
        return;
    const int width = std::min<int>(rect.right - rect.left, image.Width() - sourceX);
    const int height = std::min<int>(rect.bottom - rect.top, image.Height() - sourceY);
    if (width <= 0 || height <= 0 || sourceX < 0 || sourceY < 0)
        return;
    HDC source = image.Canvas()->Handle();
    // The mask: pixels of the key colour become white (1), all others black (0), which is how
    // a colour-to-monochrome copy treats the source's background colour.
    HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
    {
        TScratchDC maskDC(mask);
        const COLORREF oldBack = SetBkColor(source, ColorToRGB(key));
        BitBlt(maskDC.Handle(), 0, 0, width, height, source, sourceX, sourceY, SRCCOPY);
        SetBkColor(source, oldBack);
        if (method == TKeyedCopy::MaskBlt) {
            MaskBlt(dc, rect.left, rect.top, width, height, source, sourceX, sourceY, mask, 0, 0,
                    MAKEROP4(KeepDestination, SRCCOPY));
        } else {
            // image XOR dest, then AND the mask (white keeps, black clears), then XOR the image
            // again: key pixels give the destination back, the others the image.
            const COLORREF oldDestBack = SetBkColor(dc, 0xFFFFFF);
            const COLORREF oldDestText = SetTextColor(dc, 0x000000);
            BitBlt(dc, rect.left, rect.top, width, height, source, sourceX, sourceY, SRCINVERT);
            BitBlt(dc, rect.left, rect.top, width, height, maskDC.Handle(), 0, 0, SRCAND);
            BitBlt(dc, rect.left, rect.top, width, height, source, sourceX, sourceY, SRCINVERT);
            SetBkColor(dc, oldDestBack);
            SetTextColor(dc, oldDestText);
        }
    }
    DeleteObject(mask);
}
