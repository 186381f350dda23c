#include "platform/gdi/TextRun.h"

#include "platform/gdi/RasterOp.h"

#include <algorithm>

namespace platform {

namespace {

Pixel BlendCoverage(Pixel colour, Pixel destination, unsigned coverage) {
    const auto channel = [&](int shift) {
        const unsigned s = (colour >> shift) & 0xFF;
        const unsigned d = (destination >> shift) & 0xFF;
        return static_cast<Pixel>((s * coverage + d * (255 - coverage) + 127) / 255) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

RECT Intersect(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

} // namespace

CodePoints ToCodePoints(std::u16string_view text) {
    CodePoints result;
    result.text.reserve(text.size());
    result.unitIndex.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        result.unitIndex.push_back(static_cast<int>(i));
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            result.text.push_back(0x10000 + ((char32_t(unit) - 0xD800) << 10) +
                                  (char32_t(text[i + 1]) - 0xDC00));
            ++i;
        } else {
            result.text.push_back(unit);
        }
    }
    return result;
}

int MeasureRun(const FontInstance& font, std::u32string_view text) {
    int width = 0;
    for (char32_t c : text)
        width += font.Advance(c);
    return width;
}

void DrawRun(Painter& painter, const FontInstance& font, int x, int baseline, std::u32string_view text,
             const int* advances, const RunStyle& style, const RECT* clip) {
    if (!painter.Ready())
        return;
    const bool monochrome = painter.Dc().IsMonochrome() || font.IsMonochrome();
    const Pixel colour = style.color;
    int penX = x;
    const auto limitOf = [&](const RECT& area) { return clip ? Intersect(area, *clip) : area; };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const GlyphImage& glyph = font.Glyph(text[i]);
        if (glyph.width > 0 && glyph.height > 0) {
            const RECT box{penX + glyph.left, baseline - glyph.top, penX + glyph.left + glyph.width,
                           baseline - glyph.top + glyph.height};
            painter.ForEachRun(limitOf(box), [&](int y, int left, int right) {
                Pixel* row = painter.Target().Row(y);
                const std::uint8_t* coverage =
                    glyph.coverage.data() + static_cast<std::size_t>(y - box.top) * glyph.width;
                for (int px = left; px < right; ++px) {
                    const unsigned c = coverage[px - box.left];
                    if (c == 0)
                        continue;
                    if (c == 255 || monochrome)
                        row[px] = c >= 128 ? colour : row[px];
                    else
                        row[px] = BlendCoverage(colour, row[px], c);
                }
            });
        }
        penX += advances ? advances[i] : glyph.advance;
    }
    const FontMetrics& metrics = font.Metrics();
    const auto line = [&](int top) {
        const RECT bar{x, top, penX, top + metrics.lineThickness};
        painter.FillRect(limitOf(bar), BrushSource(colour), RopIndex(PATCOPY));
    };
    if (style.underline)
        line(baseline + metrics.underlinePosition);
    if (style.strikeOut)
        line(baseline - metrics.strikeOutPosition);
}

} // namespace platform
