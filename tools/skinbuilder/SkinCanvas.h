#pragma once
// The drawing the skin builder needs, on 32-bit pixels (0xRRGGBB): rectangles, rounded
// rectangles whose outside stays magenta, ramps, small glyphs from text pictures, and strips of
// equal frames.

#include "platform/gdi/PixelSurface.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace skinbuilder {

using platform::Pixel;

constexpr Pixel Magenta = 0xFF00FF;

// A small picture as text, one string per row.
using TPicture = std::span<const std::string_view>;

// Mixes a and b: `percent` of a, the rest of b.
Pixel Blend(Pixel a, Pixel b, int percent);

class TSkinCanvas {
public:
    // A canvas filled with magenta.
    TSkinCanvas(int width, int height);

    int Width() const { return pixels->Width(); }
    int Height() const { return pixels->Height(); }
    const platform::PixelSurface& Pixels() const { return *pixels; }
    Pixel At(int x, int y) const { return pixels->At(x, y); }

    // Every call clips to the canvas.
    void Set(int x, int y, Pixel colour);
    void Fill(int left, int top, int width, int height, Pixel colour);
    void Frame(int left, int top, int width, int height, Pixel colour);
    void HorizontalLine(int left, int y, int width, Pixel colour) { Fill(left, y, width, 1, colour); }
    void VerticalLine(int x, int top, int height, Pixel colour) { Fill(x, top, 1, height, colour); }
    // A vertical ramp from `top` to `bottom` colour over the rows of the area.
    void VerticalRamp(int left, int top, int width, int height, Pixel topColour, Pixel bottomColour);
    // Clears to magenta the corner pixels outside a circle of `radius` in each chosen corner of
    // the area, and draws the outline's corner pixels in `edge` (radius 0 does nothing).
    void RoundCorners(int left, int top, int width, int height, int radius, Pixel edge,
                      bool topCorners = true, bool bottomCorners = true);
    // A filled rectangle with a 1-pixel outline and rounded corners, magenta outside them.
    void Panel(int left, int top, int width, int height, int radius, Pixel fill, Pixel edge);
    // Pixels of a text picture: '#' in `colour`, '+' in the half-mix of `colour` and what is
    // under it, anything else left alone. Rows are the picture's lines.
    void Glyph(int left, int top, TPicture rows, Pixel colour);
    // Copies another canvas (magenta included) to (left, top).
    void Paste(const TSkinCanvas& source, int left, int top);

private:
    std::unique_ptr<platform::PixelSurface> pixels;
};

// Width and height of a text picture.
int GlyphWidth(TPicture rows);
int GlyphHeight(TPicture rows);

} // namespace skinbuilder
