#pragma once
// Measuring and drawing a run of characters on one baseline: what TextOut, ExtTextOut and
// DrawText share. Texts arrive as UTF-16 and are drawn by code point.

#include "platform/gdi/FontInstance.h"
#include "platform/gdi/Painter.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct CodePoints {
    std::u32string text;
    // For each code point, the index of its first UTF-16 unit.
    std::vector<int> unitIndex;
};

// Surrogate pairs become one code point; a lone surrogate stands for itself.
CodePoints ToCodePoints(std::u16string_view text);

int MeasureRun(const FontInstance& font, std::u32string_view text);

struct RunStyle {
    Pixel color = 0;
    bool underline = false;
    bool strikeOut = false;
};

// Draws the code points with the pen starting at (x, baseline) in target coordinates, each
// advancing by its own width or by `advances` when given, clipped to `clip` (target
// coordinates) when given as well as to the painter's clipping.
void DrawRun(Painter& painter, const FontInstance& font, int x, int baseline, std::u32string_view text,
             const int* advances, const RunStyle& style, const RECT* clip);

} // namespace platform
