// DrawEdge and DrawFocusRect: the 3-D edges and the dotted focus frame of the classic look.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/EdgeDrawing.h"
#include "platform/gdi/Painter.h"
#include "platform/gdi/RasterOp.h"
#include "platform/gdi/WinUserDraw.h"

#include <algorithm>

using namespace platform;

namespace {

struct RingColours {
    int topLeft;
    int bottomRight;
};

// The system colours of the outer and inner ring of an edge.
RingColours OuterColours(UINT edge, UINT flags) {
    if (flags & BF_MONO)
        return {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
    if (flags & BF_FLAT)
        return {COLOR_BTNSHADOW, COLOR_BTNSHADOW};
    const bool soft = flags & BF_SOFT;
    if (edge & BDR_RAISEDOUTER)
        return {soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
    return {soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
}

RingColours InnerColours(UINT edge, UINT flags) {
    if (flags & BF_MONO)
        return {COLOR_WINDOW, COLOR_WINDOW};
    if (flags & BF_FLAT)
        return {COLOR_BTNFACE, COLOR_BTNFACE};
    const bool soft = flags & BF_SOFT;
    if (edge & BDR_RAISEDINNER)
        return {soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    return {soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

// One ring: top and left lines in one colour, then bottom and right lines (which own the two
// far corners) in the other.
void DrawRing(EdgePainter& painter, RECT& rect, RingColours colours, UINT flags) {
    const RECT r = rect;
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    if (flags & BF_TOP)
        painter.Fill(RECT{r.left, r.top, r.right, r.top + 1}, GetSysColor(colours.topLeft));
    if (flags & BF_LEFT)
        painter.Fill(RECT{r.left, r.top, r.left + 1, r.bottom}, GetSysColor(colours.topLeft));
    if (flags & BF_BOTTOM)
        painter.Fill(RECT{r.left, r.bottom - 1, r.right, r.bottom}, GetSysColor(colours.bottomRight));
    if (flags & BF_RIGHT)
        painter.Fill(RECT{r.right - 1, r.top, r.right, r.bottom}, GetSysColor(colours.bottomRight));
    if (flags & BF_TOP)
        ++rect.top;
    if (flags & BF_LEFT)
        ++rect.left;
    if (flags & BF_BOTTOM)
        --rect.bottom;
    if (flags & BF_RIGHT)
        --rect.right;
}

// A diagonal edge: one line per ring across the rectangle, ending at the corner the flags name.
void DrawDiagonal(EdgePainter& painter, const RECT& rect, UINT edge, UINT flags) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int length = std::min(width, height);
    const bool endTop = flags & BF_TOP;
    const bool endRight = flags & BF_RIGHT;
    const RingColours rings[2] = {OuterColours(edge, flags), InnerColours(edge, flags)};
    const bool present[2] = {(edge & BDR_OUTER) != 0, (edge & BDR_INNER) != 0};
    for (int ring = 0; ring < 2; ++ring) {
        if (!present[ring])
            continue;
        const COLORREF colour =
            GetSysColor(endTop == endRight ? rings[ring].topLeft : rings[ring].bottomRight);
        for (int i = 0; i < length - ring; ++i) {
            const int x = endRight ? rect.left + i : rect.right - 1 - i;
            const int y = endTop ? rect.bottom - 1 - i - ring : rect.top + i + ring;
            painter.Fill(RECT{x, y, x + 1, y + 1}, colour);
        }
    }
    if (flags & BF_MIDDLE)
        painter.Fill(RECT{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1},
                     GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
}

} // namespace

namespace platform {

EdgePainter::EdgePainter(DeviceContext& dc) : m_dc(dc), m_painter(dc) {}

void EdgePainter::Fill(const RECT& logical, COLORREF colour) {
    if (!m_painter.Ready())
        return;
    m_painter.FillRect(m_dc.LogicalToTarget(logical), BrushSource(m_dc.Realize(colour)), RopIndex(PATCOPY));
}

void EdgePainter::Checker(const RECT& logical, COLORREF even, COLORREF odd) {
    if (!m_painter.Ready())
        return;
    const RECT target = m_dc.LogicalToTarget(logical);
    const Pixel evenPixel = m_dc.Realize(even);
    const Pixel oddPixel = m_dc.Realize(odd);
    m_painter.ForEachRun(target, [&](int y, int left, int right) {
        Pixel* row = m_painter.Target().Row(y);
        for (int x = left; x < right; ++x)
            row[x] = ((x + y) & 1) ? oddPixel : evenPixel;
    });
}

void EdgePainter::Mask(const char* const* rows, int width, int height, int x, int y, COLORREF colour,
                       const RECT& bounds) {
    if (!m_painter.Ready())
        return;
    const Pixel pixel = m_dc.Realize(colour);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            if (rows[row][column] != '#')
                continue;
            const int lx = x + column;
            const int ly = y + row;
            if (lx < bounds.left || lx >= bounds.right || ly < bounds.top || ly >= bounds.bottom)
                continue;
            const POINT target = m_dc.LogicalToTarget(lx, ly);
            if (m_painter.Clip().Contains(target.x, target.y))
                m_painter.Target().Set(target.x, target.y, pixel);
        }
    }
}

void EdgePainter::Spans(const std::vector<Span>& logicalSpans, COLORREF colour) {
    if (!m_painter.Ready())
        return;
    const POINT offset = m_dc.LogicalToTarget(0, 0);
    std::vector<Span> target = logicalSpans;
    for (Span& span : target) {
        span.y += offset.y;
        span.left += offset.x;
        span.right += offset.x;
    }
    m_painter.FillSpans(target, BrushSource(m_dc.Realize(colour)), RopIndex(PATCOPY));
}

BOOL DrawEdgeWith(EdgePainter& painter, LPRECT rect, UINT edge, UINT flags) {
    if (flags & BF_DIAGONAL) {
        DrawDiagonal(painter, *rect, edge, flags);
        return TRUE;
    }
    RECT inner = *rect;
    if (edge & BDR_OUTER)
        DrawRing(painter, inner, OuterColours(edge, flags), flags);
    if (edge & BDR_INNER)
        DrawRing(painter, inner, InnerColours(edge, flags), flags);
    if ((flags & BF_MIDDLE) && inner.right > inner.left && inner.bottom > inner.top)
        painter.Fill(inner, GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
    if (flags & BF_ADJUST)
        *rect = inner;
    return TRUE;
}

} // namespace platform

BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags) {
    DeviceContext* context = FindDC(dc);
    if (!context || !rect)
        return FALSE;
    EdgePainter painter(*context);
    return DrawEdgeWith(painter, rect, edge, flags);
}

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
    DeviceContext* context = FindDC(dc);
    if (!context || !rect)
        return FALSE;
    if (rect->right <= rect->left || rect->bottom <= rect->top)
        return TRUE;
    // Every other pixel of a one-pixel frame is inverted, so drawing it twice removes it.
    Painter painter(*context);
    if (!painter.Ready())
        return FALSE;
    const RECT r = context->LogicalToTarget(*rect);
    const auto invert = [&](int x, int y) {
        if (((x + y) & 1) == 0 && painter.Clip().Contains(x, y)) {
            Pixel* pixel = painter.Target().Row(y) + x;
            *pixel = (*pixel ^ PixelWhite) & PixelRgbMask;
        }
    };
    for (int x = r.left; x < r.right; ++x) {
        invert(x, r.top);
        if (r.bottom - 1 > r.top)
            invert(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        invert(r.left, y);
        if (r.right - 1 > r.left)
            invert(r.right - 1, y);
    }
    return TRUE;
}
