#include "platform/gdi/Painter.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/RasterOp.h"

#include <algorithm>

namespace platform {

namespace {

int PositiveModulo(int value, int modulus) {
    const int remainder = value % modulus;
    return remainder < 0 ? remainder + modulus : remainder;
}

} // namespace

BrushSource::BrushSource(Pixel solid) : m_paints(true), m_value(solid) {}

BrushSource::BrushSource(const Brush* brush, const DeviceContext& dc) {
    if (!brush || brush->IsNull())
        return;
    const DcState& state = dc.State();
    m_paints = true;
    m_origin = state.brushOrigin;
    // Brush coordinates are device coordinates: the target less the DC's origin.
    m_origin.x += dc.Origin().x;
    m_origin.y += dc.Origin().y;
    if (brush->IsDcBrush()) {
        m_value = dc.Realize(state.dcBrushColor);
        return;
    }
    switch (brush->Style()) {
    case BS_HATCHED:
        m_solid = false;
        m_hatch = brush->Hatch();
        m_value = dc.Realize(brush->Color());
        m_background = dc.Realize(state.bkColor);
        m_gaps = state.bkMode == TRANSPARENT;
        break;
    case BS_PATTERN:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT:
        m_solid = false;
        m_pattern = brush->PatternPixels();
        m_patternMonochrome = brush->PatternIsMonochrome();
        // A monochrome pattern is drawn in the DC's text colour (0 bits) and background (1 bits).
        m_zeroColor = dc.Realize(state.textColor);
        m_oneColor = dc.Realize(state.bkColor);
        m_patternToMonochrome = !m_patternMonochrome && dc.IsMonochrome();
        break;
    default:
        m_value = dc.Realize(brush->Color());
        break;
    }
}

void BrushSource::Row(int x, int y, int count, Pixel* values, std::uint8_t* covered) const {
    if (m_solid) {
        std::fill_n(values, count, m_value);
        if (covered)
            std::fill_n(covered, count, 1);
        return;
    }
    if (m_hatch >= 0) {
        const int cellY = PositiveModulo(y - m_origin.y, 8);
        for (int i = 0; i < count; ++i) {
            const bool line = HatchCovers(m_hatch, PositiveModulo(x + i - m_origin.x, 8), cellY);
            values[i] = line ? m_value : m_background;
            if (covered)
                covered[i] = line || !m_gaps;
        }
        return;
    }
    const int width = m_pattern->Width();
    const int height = m_pattern->Height();
    if (width == 0 || height == 0) {
        std::fill_n(values, count, PixelBlack);
        if (covered)
            std::fill_n(covered, count, 1);
        return;
    }
    const Pixel* row = m_pattern->Row(PositiveModulo(y - m_origin.y, height));
    int patternX = PositiveModulo(x - m_origin.x, width);
    for (int i = 0; i < count; ++i) {
        const Pixel value = row[patternX] & PixelRgbMask;
        if (m_patternMonochrome) {
            values[i] = value ? m_oneColor : m_zeroColor;
        } else if (m_patternToMonochrome) {
            values[i] = NearestMonochrome(value);
        } else {
            values[i] = value;
        }
        if (++patternX == width)
            patternX = 0;
    }
    if (covered)
        std::fill_n(covered, count, 1);
}

Painter::Painter(DeviceContext& dc) : m_dc(dc), m_target(dc.Target()) {
    if (m_target)
        m_clip = dc.EffectiveClip();
}

Painter::~Painter() {
    if (m_target)
        m_dc.EndWrite();
}

void Painter::ApplyRun(int y, int left, int right, const BrushSource& brush, std::uint8_t rop,
                       const Pixel* source, const std::uint8_t* covered) {
    const int count = right - left;
    if (count <= 0)
        return;
    Pixel* destination = m_target->Row(y) + left;
    const Pixel* pattern = nullptr;
    const std::uint8_t* brushCovered = nullptr;
    if (!brush.IsSolid() && AnalyzeRop(rop).pattern) {
        m_patternRow.resize(static_cast<std::size_t>(count));
        if (brush.HasGaps()) {
            m_brushCovered.resize(static_cast<std::size_t>(count));
            brushCovered = m_brushCovered.data();
        }
        brush.Row(left, y, count, m_patternRow.data(), brush.HasGaps() ? m_brushCovered.data() : nullptr);
        pattern = m_patternRow.data();
    }
    if (!covered && !brushCovered) {
        ApplyRopRow(rop, destination, source, pattern, brush.SolidValue(), count);
        return;
    }
    m_resultRow.assign(destination, destination + count);
    ApplyRopRow(rop, m_resultRow.data(), source, pattern, brush.SolidValue(), count);
    for (int i = 0; i < count; ++i) {
        if ((!covered || covered[i]) && (!brushCovered || brushCovered[i]))
            destination[i] = m_resultRow[static_cast<std::size_t>(i)];
    }
}

void Painter::FillRect(const RECT& rect, const BrushSource& brush, std::uint8_t rop) {
    if (!Ready() || !brush.Paints())
        return;
    ForEachRun(rect, [&](int y, int left, int right) { ApplyRun(y, left, right, brush, rop); });
}

void Painter::FillSpans(const std::vector<Span>& spans, const BrushSource& brush, std::uint8_t rop) {
    if (!Ready() || !brush.Paints())
        return;
    FillRegion(RegionFromSpans(spans), brush, rop);
}

void Painter::FillRegion(const Region& region, const BrushSource& brush, std::uint8_t rop) {
    if (!Ready() || !brush.Paints())
        return;
    Region visible = region;
    visible.IntersectWith(m_clip);
    int count = 0;
    const pixman_box32_t* boxes = visible.Boxes(count);
    for (int i = 0; i < count; ++i) {
        for (int y = boxes[i].y1; y < boxes[i].y2; ++y)
            ApplyRun(y, boxes[i].x1, boxes[i].x2, brush, rop);
    }
}

} // namespace platform
