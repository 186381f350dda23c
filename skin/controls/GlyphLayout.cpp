#include "skin/controls/GlyphLayout.h"

#include "platform/gdi/WinUserDraw.h"

TGlyphLayout GlyphLayoutFromIdentifier(std::string_view identifier) {
    if (identifier == "blglyphright")
        return TGlyphLayout::Right;
    if (identifier == "blglyphtop")
        return TGlyphLayout::Top;
    if (identifier == "blglyphbottom")
        return TGlyphLayout::Bottom;
    return TGlyphLayout::Left;
}

TGlyphPlacement PlaceGlyph(const RECT& button, SIZE glyph, SIZE caption, TGlyphLayout layout, int margin,
                           int spacing, bool centred) {
    const bool horizontal = layout == TGlyphLayout::Left || layout == TGlyphLayout::Right;
    const int extent = horizontal ? button.right - button.left : button.bottom - button.top;
    const int across = horizontal ? button.bottom - button.top : button.right - button.left;
    const int g = horizontal ? glyph.cx : glyph.cy;
    const int t = horizontal ? caption.cx : caption.cy;
    const bool hasGlyph = glyph.cx > 0 && glyph.cy > 0;
    const bool hasCaption = caption.cx > 0 && caption.cy > 0;
    if (!hasGlyph || !hasCaption)
        spacing = 0;
    if (margin == -1 || centred) {
        if (spacing == -1)
            margin = spacing = (extent - g - t) / 3;
        else
            margin = (extent - g - spacing - t) / 2;
    } else if (spacing == -1) {
        spacing = (extent - margin - g - t) / 2;
    }
    // Along the axis, from the button's start.
    int glyphStart = 0, captionStart = 0;
    TGlyphPlacement placed;
    switch (layout) {
    case TGlyphLayout::Left:
    case TGlyphLayout::Top:
        glyphStart = margin;
        captionStart = margin + g + spacing;
        break;
    case TGlyphLayout::Right:
    case TGlyphLayout::Bottom:
        glyphStart = extent - margin - g;
        captionStart = glyphStart - spacing - t;
        break;
    }
    placed.format = layout == TGlyphLayout::Right ? DT_RIGHT : horizontal ? 0 : DT_CENTER;
    auto place = [&](int start, int length, int width, int height) {
        const int thickness = horizontal ? height : width;
        const int side = (across - thickness) / 2;
        RECT r = horizontal ? RECT{start, side, start + length, side + thickness}
                            : RECT{side, start, side + thickness, start + length};
        OffsetRect(&r, button.left, button.top);
        return r;
    };
    if (hasGlyph)
        placed.glyph = place(glyphStart, g, glyph.cx, glyph.cy);
    placed.caption = place(captionStart, t, caption.cx, caption.cy);
    return placed;
}
