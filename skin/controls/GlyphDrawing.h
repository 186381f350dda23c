#pragma once
// Glyphs of glyph buttons: a strip of equal images side by side (normal, disabled, pressed,
// down) read from a control's picture property, drawn with the strip's own transparent colour
// (its bottom-left pixel), and placed with the caption on the button.

#include "skin/controls/GlyphLayout.h"

#include "framework/graphics/Colors.h"
#include "platform/base/WinTypes.h"

#include <string>
#include <string_view>

class TBitmap;
class TObject;

struct TGlyphStrip {
    TBitmap* image = nullptr; // null when the control shows no glyph
    int count = 1;            // images in the strip, at least 1
    SIZE cell{};              // the size of one image
};

// The strip in the control's bitmap property (with "NumGlyphs" images); empty when it has none
// or an empty one.
TGlyphStrip GlyphStripOf(const TObject* control, std::string_view property = "Glyph");

// Draws image `index` (from 1) of the strip at the rectangle's top-left; a strip with fewer
// images shows its first. Asked for the disabled image (2) of a one-image strip, it draws the
// image embossed as the system draws disabled pictures.
void DrawGlyph(HDC dc, const RECT& at, const TGlyphStrip& strip, int index);

// Measures the caption (word-wrapped in the button less 2 pixels all round and less the glyph
// and 2 more along the layout's axis) and places glyph and caption.
TGlyphPlacement PlaceButtonContent(HDC dc, const RECT& button, SIZE glyph, std::u16string_view caption,
                                   TGlyphLayout layout, int margin, int spacing, bool centred);

// A small filled triangle pointing down: apex 2 pixels below the reference point, base corners
// 3 pixels to either side and 1 pixel above it.
void DrawDropArrow(HDC dc, POINT reference, TColor colour);
