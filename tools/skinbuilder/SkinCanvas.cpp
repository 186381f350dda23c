#include "SkinCanvas.h"

#include <algorithm>
#include <cmath>

namespace skinbuilder {

Pixel Blend(Pixel a, Pixel b, int percent) {
    Pixel result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int channel = (static_cast<int>((a >> shift) & 0xFF) * percent +
                             static_cast<int>((b >> shift) & 0xFF) * (100 - percent) + 50) /
                            100;
        result |= static_cast<Pixel>(channel) << shift;
    }
    return result;
}

TSkinCanvas::TSkinCanvas(int width, int height)
    : pixels(std::make_unique<platform::PixelSurface>(width, height)) {
    pixels->Fill(Magenta);
}

void TSkinCanvas::Set(int x, int y, Pixel colour) {
    if (pixels->Contains(x, y))
        pixels->Set(x, y, colour);
}

void TSkinCanvas::Fill(int left, int top, int width, int height, Pixel colour) {
    const int right = std::min(left + width, Width());
    const int bottom = std::min(top + height, Height());
    for (int y = std::max(top, 0); y < bottom; ++y)
        for (int x = std::max(left, 0); x < right; ++x)
            pixels->Set(x, y, colour);
}

void TSkinCanvas::Frame(int left, int top, int width, int height, Pixel colour) {
    HorizontalLine(left, top, width, colour);
    HorizontalLine(left, top + height - 1, width, colour);
    VerticalLine(left, top, height, colour);
    VerticalLine(left + width - 1, top, height, colour);
}

void TSkinCanvas::VerticalRamp(int left, int top, int width, int height, Pixel topColour,
                               Pixel bottomColour) {
    for (int row = 0; row < height; ++row) {
        const int percent = height > 1 ? 100 - (row * 100 + (height - 1) / 2) / (height - 1) : 100;
        HorizontalLine(left, top + row, width, Blend(topColour, bottomColour, percent));
    }
}

void TSkinCanvas::RoundCorners(int left, int top, int width, int height, int radius, Pixel edge,
                               bool topCorners, bool bottomCorners) {
    // Pixels of a corner square whose centres lie outside the circle become magenta; those
    // within one pixel of the circle take the edge colour, so the outline follows the curve.
    for (int row = 0; row < radius; ++row) {
        for (int column = 0; column < radius; ++column) {
            const double dx = radius - column - 0.5;
            const double dy = radius - row - 0.5;
            const double distance = std::sqrt(dx * dx + dy * dy);
            if (distance <= radius - 1.0)
                continue;
            const Pixel colour = distance > radius ? Magenta : edge;
            const int xs[2] = {left + column, left + width - 1 - column};
            for (int x : xs) {
                if (topCorners)
                    Set(x, top + row, colour);
                if (bottomCorners)
                    Set(x, top + height - 1 - row, colour);
            }
        }
    }
}

void TSkinCanvas::Panel(int left, int top, int width, int height, int radius, Pixel fill, Pixel edge) {
    Fill(left, top, width, height, fill);
    Frame(left, top, width, height, edge);
    RoundCorners(left, top, width, height, radius, edge);
}

void TSkinCanvas::Glyph(int left, int top, TPicture rows, Pixel colour) {
    int y = top;
    for (std::string_view row : rows) {
        for (int x = 0; x < static_cast<int>(row.size()); ++x) {
            if (!pixels->Contains(left + x, y))
                continue;
            if (row[x] == '#')
                Set(left + x, y, colour);
            else if (row[x] == '+' && At(left + x, y) != Magenta)
                Set(left + x, y, Blend(colour, At(left + x, y), 50));
        }
        ++y;
    }
}

void TSkinCanvas::Paste(const TSkinCanvas& source, int left, int top) {
    for (int y = 0; y < source.Height(); ++y)
        for (int x = 0; x < source.Width(); ++x)
            Set(left + x, top + y, source.At(x, y));
}

int GlyphWidth(TPicture rows) {
    std::size_t width = 0;
    for (std::string_view row : rows)
        width = std::max(width, row.size());
    return static_cast<int>(width);
}

int GlyphHeight(TPicture rows) {
    return static_cast<int>(rows.size());
}

} // namespace skinbuilder
