#pragma once
// Solid fills, checkerboards and small glyph masks in logical coordinates: what DrawEdge and
// DrawFrameControl are made of.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Painter.h"
#include "platform/gdi/Rasterizer.h"

#include <vector>

namespace platform {

class EdgePainter {
public:
    explicit EdgePainter(DeviceContext& dc);

    DeviceContext& Dc() { return m_dc; }
    void Fill(const RECT& logical, COLORREF colour);
    // Alternating pixels, `even` where x + y (target coordinates) is even.
    void Checker(const RECT& logical, COLORREF even, COLORREF odd);
    // Paints the '#' cells of a glyph with its top-left at (x, y), inside `bounds`.
    void Mask(const char* const* rows, int width, int height, int x, int y, COLORREF colour,
              const RECT& bounds);
    void Spans(const std::vector<Span>& logicalSpans, COLORREF colour);

private:
    DeviceContext& m_dc;
    Painter m_painter;
};

BOOL DrawEdgeWith(EdgePainter& painter, LPRECT rect, UINT edge, UINT flags);

} // namespace platform
