#pragma once
// Where a glyph button puts its glyph and its caption: side by side (the glyph left or right of
// the caption) or one above the other, both centred across that direction. Along it, Margin is
// the space between the button's edge and the glyph and Spacing the space between the glyph and
// the caption; -1 asks for automatic values (margin: the content centred; spacing: the space
// shared out evenly).

#include "framework/classes/PropInfo.h"
#include "framework/graphics/GraphTypes.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

const TEnumInfo& ButtonLayoutIdents();

struct TButtonPlacement {
    TPoint glyph;
    TRect text;
};

// The glyph's top-left corner and the caption's rectangle inside `client`, for a glyph and a
// caption of the given sizes (either may be 0 x 0). Divisions truncate toward zero.
TButtonPlacement PlaceButtonContent(const TRect& client, TSize glyph, TSize text, TButtonLayout layout,
                                    int margin, int spacing);
