#include "skin/controls/GlyphDrawing.h"

#include "framework/classes/TypInfo.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/data/SkinDrawing.h"
#include "skin/forms/WinSkinDataHelpers.h"

#include <algorithm>

namespace {

// Paints the brush where the source is white and keeps the destination where it is black.
constexpr DWORD PaintWhereSourceIsWhite = 0x00E20746;

TColor StripTransparentColour(TBitmap& image) {
    return static_cast<TColor>(GetPixel(image.Canvas()->Handle(), 0, image.Height() - 1));
}

// The image embossed: its shape in the highlight colour one pixel down and right, then in the
// shadow colour, on the button face colour.
void DrawEmbossed(HDC dc, const RECT& at, TBitmap& image, int sourceX, SIZE cell) {
    TBitmap embossed;
    embossed.SetPixelFormat(pf24bit);
    embossed.SetSize(cell.cx, cell.cy);
    HDC target = embossed.Canvas()->Handle();
    const RECT whole{0, 0, cell.cx, cell.cy};
    HBRUSH face = CreateSolidBrush(ColorToRGB(clBtnFace));
    FillRect(target, &whole, face);
    DeleteObject(face);
    // The shape: pixels of the transparent colour become 1 in the mask, the others 0.
    HBITMAP mask = CreateBitmap(cell.cx, cell.cy, 1, 1, nullptr);
    HDC maskDC = CreateCompatibleDC(nullptr);
    HGDIOBJ oldMask = SelectObject(maskDC, mask);
    HDC source = image.Canvas()->Handle();
    const COLORREF oldBack = SetBkColor(source, ColorToRGB(StripTransparentColour(image)));
    BitBlt(maskDC, 0, 0, cell.cx, cell.cy, source, sourceX, 0, SRCCOPY);
    SetBkColor(source, oldBack);
    // From the mask, the shape reads white and the rest black.
    const COLORREF oldText = SetTextColor(target, RGB(255, 255, 255));
    const COLORREF oldTargetBack = SetBkColor(target, RGB(0, 0, 0));
    for (const auto& [offset, colour] : {std::pair{1, clBtnHighlight}, std::pair{0, clBtnShadow}}) {
        HBRUSH brush = CreateSolidBrush(ColorToRGB(colour));
        HGDIOBJ oldBrush = SelectObject(target, brush);
        BitBlt(target, offset, offset, cell.cx - offset, cell.cy - offset, maskDC, 0, 0,
               PaintWhereSourceIsWhite);
        SelectObject(target, oldBrush);
        DeleteObject(brush);
    }
    SetTextColor(target, oldText);
    SetBkColor(target, oldTargetBack);
    SelectObject(maskDC, oldMask);
    DeleteDC(maskDC);
    DeleteObject(mask);
    DrawKeyed(dc, at, embossed, static_cast<TColor>(ColorToRGB(clBtnFace)));
}

} // namespace

TGlyphStrip GlyphStripOf(const TObject* control, std::string_view property) {
    TGlyphStrip strip;
    auto* image = GetObjectPropAs<TBitmap>(control, property);
    if (!image || image->Empty())
        return strip;
    strip.image = image;
    strip.count = static_cast<int>(std::max<std::int64_t>(GetOrdProp(control, "NumGlyphs"), 1));
    strip.cell = {image->Width() / strip.count, image->Height()};
    if (strip.cell.cx <= 0)
        return TGlyphStrip{};
    return strip;
}

void DrawGlyph(HDC dc, const RECT& at, const TGlyphStrip& strip, int index) {
    if (!strip.image)
        return;
    const RECT cell{at.left, at.top, at.left + strip.cell.cx, at.top + strip.cell.cy};
    if (index == 2 && strip.count == 1) {
        DrawEmbossed(dc, cell, *strip.image, 0, strip.cell);
        return;
    }
    const int shown = index <= strip.count ? index : 1;
    DrawKeyed(dc, cell, *strip.image, StripTransparentColour(*strip.image), (shown - 1) * strip.cell.cx, 0);
}

TGlyphPlacement PlaceButtonContent(HDC dc, const RECT& button, SIZE glyph, std::u16string_view caption,
                                   TGlyphLayout layout, int margin, int spacing, bool centred) {
    SIZE measured{0, 0};
    if (!caption.empty()) {
        RECT bounds = button;
        InflateRect(&bounds, -2, -2);
        if (layout == TGlyphLayout::Left || layout == TGlyphLayout::Right)
            bounds.right -= glyph.cx + 2;
        else
            bounds.bottom -= glyph.cy + 2;
        RECT block{bounds.left, bounds.top, std::max(bounds.right, bounds.left),
                   std::max(bounds.bottom, bounds.top)};
        SkinDrawText(dc, caption, block, DT_CALCRECT | DT_WORDBREAK);
        measured = {block.right - block.left, block.bottom - block.top};
    }
    return PlaceGlyph(button, glyph, measured, layout, margin, spacing, centred);
}

void DrawDropArrow(HDC dc, POINT reference, TColor colour) {
    const POINT corners[3] = {{reference.x, reference.y + 2},
                              {reference.x - 3, reference.y - 1},
                              {reference.x + 3, reference.y - 1}};
    const COLORREF rgb = ColorToRGB(colour);
    HBRUSH brush = CreateSolidBrush(rgb);
    HPEN pen = CreatePen(PS_SOLID, 1, rgb);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Polygon(dc, corners, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}
