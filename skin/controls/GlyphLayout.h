#pragma once
// Where a glyph button puts its glyph and its caption: along the layout's axis a margin, the
// glyph, a spacing and the caption, each measure either fixed or shared out of what is left;
// across the axis both are centred.

#include "platform/base/WinTypes.h"

#include <string_view>

enum class TGlyphLayout { Left, Right, Top, Bottom };

// The layout named by a "Layout" identifier ("blglyphright"...); left for anything else.
TGlyphLayout GlyphLayoutFromIdentifier(std::string_view identifier);

struct TGlyphPlacement {
    RECT glyph{};    // empty without a glyph
    RECT caption{};  // the block the caption is drawn in
    UINT format = 0; // DT_RIGHT or DT_CENTER where the layout aligns the caption so
};

// button: the button's rectangle; glyph: the glyph's size (0 x 0 for none); caption: the
// measured caption block (0 x 0 for none); margin and spacing -1 mean "share out"; centred:
// the margin is shared out too (an Alignment of taCenter). Divisions truncate toward zero.
TGlyphPlacement PlaceGlyph(const RECT& button, SIZE glyph, SIZE caption, TGlyphLayout layout, int margin,
                           int spacing, bool centred);
