#include "framework/buttons/ButtonLayout.h"

const TEnumInfo& ButtonLayoutIdents() {
    static const TEnumInfo idents{{"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};
    return idents;
}

TButtonPlacement PlaceButtonContent(const TRect& client, TSize glyph, TSize text, TButtonLayout layout,
                                    int margin, int spacing) {
    const bool across = layout == blGlyphLeft || layout == blGlyphRight;
    // Extents along the layout's direction and across it.
    const int extent = across ? RectWidth(client) : RectHeight(client);
    const int glyphAlong = across ? glyph.cx : glyph.cy;
    const int textAlong = across ? text.cx : text.cy;
    if (glyph.cx == 0 || text.cx == 0)
        spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (extent - glyphAlong - textAlong) / 3;
            spacing = margin;
        } else {
            margin = (extent - glyphAlong - spacing - textAlong) / 2;
        }
    } else if (spacing == -1) {
        spacing = (extent - margin - glyphAlong - textAlong) / 2;
    }

    int glyphAt = 0;
    int textAt = 0;
    if (layout == blGlyphLeft || layout == blGlyphTop) {
        glyphAt = margin;
        textAt = glyphAt + glyphAlong + spacing;
    } else {
        glyphAt = extent - margin - glyphAlong;
        textAt = glyphAt - spacing - textAlong;
    }

    TButtonPlacement placed;
    if (across) {
        placed.glyph = Point(client.left + glyphAt, client.top + (RectHeight(client) - glyph.cy) / 2);
        const int textTop = client.top + (RectHeight(client) - text.cy) / 2;
        placed.text = Bounds(client.left + textAt, textTop, text.cx, text.cy);
    } else {
        placed.glyph = Point(client.left + (RectWidth(client) - glyph.cx) / 2, client.top + glyphAt);
        const int textLeft = client.left + (RectWidth(client) - text.cx) / 2;
        placed.text = Bounds(textLeft, client.top + textAt, text.cx, text.cy);
    }
    return placed;
}
