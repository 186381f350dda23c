// Lines and filled shapes drawn with the DC's pen and brush through its binary raster
// operation (SetROP2), and the region fills.
//
// Shapes exclude their right and bottom edges: Rectangle(0, 0, 10, 10) covers pixels 0 to 9.
// The pen is drawn inside the shape's bounds; with the null pen the interior shrinks by one
// pixel on the right and bottom, as the platform documents. Lines exclude their end point.

#include "platform/gdi/Brush.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Painter.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/RasterOp.h"
#include "platform/gdi/Rasterizer.h"
#include "platform/gdi/RegionObject.h"
#include "platform/gdi/WinGdi.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace platform;

namespace {

// On and off runs of the styled cosmetic pens, in pixels.
std::vector<int> DashPattern(int style) {
    switch (style) {
    case PS_DASH:
        return {18, 6};
    case PS_DOT:
        return {3, 3};
    case PS_DASHDOT:
        return {9, 6, 3, 6};
    case PS_DASHDOTDOT:
        return {9, 3, 3, 3, 3, 3};
    case PS_ALTERNATE:
        return {1, 1};
    default:
        return {};
    }
}

// Draws with the DC's pen: thin styled lines pixel by pixel, wide lines as one region.
class PenDrawing {
public:
    explicit PenDrawing(DeviceContext& dc)
        : m_dc(dc), m_painter(dc), m_pen(dc.State().pen), m_rop(RopIndexFromRop2(dc.State().rop2)) {
        if (m_pen && !m_pen->IsNull()) {
            m_color = dc.Realize(m_pen->IsDcPen() ? dc.State().dcPenColor : m_pen->Color());
            m_background = dc.Realize(dc.State().bkColor);
            m_width = std::max(1, m_pen->Width());
            m_dashes = m_width == 1 ? DashPattern(m_pen->LineStyle()) : std::vector<int>{};
        }
    }

    bool Draws() const { return m_pen && !m_pen->IsNull() && m_painter.Ready(); }
    int Width() const { return m_width; }
    Painter& PainterRef() { return m_painter; }
    Pixel Color() const { return m_color; }
    std::uint8_t Rop() const { return m_rop; }

    // A line in logical coordinates, its end point left out.
    void Line(POINT from, POINT to) {
        if (!Draws())
            return;
        const POINT a = m_dc.LogicalToTarget(from.x, from.y);
        const POINT b = m_dc.LogicalToTarget(to.x, to.y);
        if (m_width > 1) {
            Region covered;
            ForEachLinePixel(a, b, [&](int x, int y) {
                const int half = (m_width - 1) / 2;
                covered.UnionWith(RECT{x - half, y - half, x - half + m_width, y - half + m_width});
            });
            m_painter.FillRegion(covered, BrushSource(m_color), m_rop);
            return;
        }
        ForEachLinePixel(a, b, [&](int x, int y) { Plot(x, y); });
    }

private:
    template <typename Fn>
    static void ForEachLinePixel(POINT a, POINT b, Fn&& fn) {
        // Bresenham's walk from a towards b, stopping before b.
        const long dx = std::labs(long(b.x) - a.x);
        const long dy = -std::labs(long(b.y) - a.y);
        const int stepX = a.x < b.x ? 1 : -1;
        const int stepY = a.y < b.y ? 1 : -1;
        long error = dx + dy;
        int x = a.x;
        int y = a.y;
        // Lines far outside any surface are not walked pixel by pixel.
        if (dx - dy > 1L << 20)
            return;
        while (x != b.x || y != b.y) {
            fn(x, y);
            const long twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                x += stepX;
            }
            if (twice <= dx) {
                error += dx;
                y += stepY;
            }
        }
    }

    void Plot(int x, int y) {
        bool on = true;
        if (!m_dashes.empty()) {
            on = (m_dashIndex % 2) == 0;
            if (++m_dashStep >= m_dashes[m_dashIndex]) {
                m_dashStep = 0;
                m_dashIndex = (m_dashIndex + 1) % m_dashes.size();
            }
        }
        if (!on && m_dc.State().bkMode == TRANSPARENT)
            return;
        if (!m_painter.Clip().Contains(x, y))
            return;
        Pixel* pixel = m_painter.Target().Row(y) + x;
        ApplyRopRow(m_rop, pixel, nullptr, nullptr, on ? m_color : m_background, 1);
    }

    DeviceContext& m_dc;
    Painter m_painter;
    const Pen* m_pen;
    std::uint8_t m_rop;
    Pixel m_color = 0;
    Pixel m_background = 0;
    int m_width = 1;
    std::vector<int> m_dashes;
    std::size_t m_dashIndex = 0;
    int m_dashStep = 0;
};

RECT Normalized(int left, int top, int right, int bottom) {
    return RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

RowLimit RowsOf(const Painter& painter) {
    const RECT bounds = painter.Clip().Bounds();
    return RowLimit{bounds.top, bounds.bottom};
}

// Fills `outer` spans: the part inside `inner` with the brush, the rest with the pen.
BOOL DrawFilledShape(DeviceContext& context, const RECT& logical, int cornerWidth, int cornerHeight,
                     bool elliptic) {
    PenDrawing pen(context);
    Painter& painter = pen.PainterRef();
    if (!painter.Ready())
        return FALSE;
    const BrushSource brush(context.State().brush, context);
    const std::uint8_t rop = RopIndexFromRop2(context.State().rop2);
    RECT bounds = context.LogicalToTarget(logical);
    const RowLimit rows = RowsOf(painter);
    const auto spans = [&](const RECT& rect, int inset) {
        if (elliptic)
            return EllipseSpans(rect, rows);
        return RoundRectSpans(rect, cornerWidth - 2 * inset, cornerHeight - 2 * inset, rows);
    };
    if (!pen.Draws()) {
        bounds.right -= 1;
        bounds.bottom -= 1;
        painter.FillSpans(spans(bounds, 0), brush, rop);
        return TRUE;
    }
    const int width = pen.Width();
    const RECT inner{bounds.left + width, bounds.top + width, bounds.right - width, bounds.bottom - width};
    Region outline = RegionFromSpans(spans(bounds, 0));
    const Region interior = RegionFromSpans(spans(inner, width));
    outline.Subtract(interior);
    painter.FillRegion(interior, brush, rop);
    painter.FillRegion(outline, BrushSource(pen.Color()), pen.Rop());
    return TRUE;
}

void ClosedOutline(PenDrawing& pen, const POINT* points, int count) {
    for (int i = 0; i < count; ++i)
        pen.Line(points[i], points[(i + 1) % count]);
}

} // namespace

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous) {
    DeviceContext* context = FindDC(dc);
    if (!context)
        return FALSE;
    if (previous)
        *previous = context->State().position;
    context->State().position = POINT{x, y};
    return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
    DeviceContext* context = FindDC(dc);
    if (!context)
        return FALSE;
    {
        PenDrawing pen(*context);
        pen.Line(context->State().position, POINT{x, y});
    }
    context->State().position = POINT{x, y};
    return TRUE;
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
    DeviceContext* context = FindDC(dc);
    if (!context || !points || count < 2) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    PenDrawing pen(*context);
    for (int i = 0; i + 1 < count; ++i)
        pen.Line(points[i], points[i + 1]);
    return TRUE;
}

BOOL PolylineTo(HDC dc, const POINT* points, DWORD count) {
    DeviceContext* context = FindDC(dc);
    if (!context || (!points && count > 0))
        return FALSE;
    {
        PenDrawing pen(*context);
        POINT from = context->State().position;
        for (DWORD i = 0; i < count; ++i) {
            pen.Line(from, points[i]);
            from = points[i];
        }
    }
    if (count > 0)
        context->State().position = points[count - 1];
    return TRUE;
}

BOOL Polygon(HDC dc, const POINT* points, int count) {
    DeviceContext* context = FindDC(dc);
    if (!context || !points || count < 2) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::vector<POINT> target(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        target[static_cast<std::size_t>(i)] = context->LogicalToTarget(points[i].x, points[i].y);
    PenDrawing pen(*context);
    Painter& painter = pen.PainterRef();
    if (!painter.Ready())
        return FALSE;
    painter.FillSpans(PolygonSpans(target.data(), count, context->State().polyFillMode, RowsOf(painter)),
                      BrushSource(context->State().brush, *context), RopIndexFromRop2(context->State().rop2));
    ClosedOutline(pen, points, count);
    return TRUE;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
    DeviceContext* context = FindDC(dc);
    if (!context)
        return FALSE;
    const RECT rect = Normalized(left, top, right, bottom);
    const Pen* pen = context->State().pen;
    if (pen && !pen->IsNull() && pen->Width() <= 1 && pen->LineStyle() != PS_SOLID &&
        pen->LineStyle() != PS_INSIDEFRAME) {
        // Styled outlines run around the rectangle as one dashed line.
        PenDrawing outline(*context);
        Painter& painter = outline.PainterRef();
        const RECT inner =
            context->LogicalToTarget(RECT{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1});
        painter.FillRect(inner, BrushSource(context->State().brush, *context),
                         RopIndexFromRop2(context->State().rop2));
        const POINT corners[] = {{rect.left, rect.top},
                                 {rect.right - 1, rect.top},
                                 {rect.right - 1, rect.bottom - 1},
                                 {rect.left, rect.bottom - 1}};
        ClosedOutline(outline, corners, 4);
        return TRUE;
    }
    return DrawFilledShape(*context, rect, 0, 0, false);
}

BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height) {
    DeviceContext* context = FindDC(dc);
    if (!context)
        return FALSE;
    return DrawFilledShape(*context, Normalized(left, top, right, bottom), std::abs(width), std::abs(height),
                           false);
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
    DeviceContext* context = FindDC(dc);
    if (!context)
        return FALSE;
    return DrawFilledShape(*context, Normalized(left, top, right, bottom), 0, 0, true);
}

namespace {

// A region handle's region in the DC's target coordinates (regions are in logical units).
bool TargetRegion(DeviceContext& context, HRGN region, Region& out) {
    RegionObject* object = FindRegion(region);
    if (!object)
        return false;
    out = object->Value();
    const POINT origin = context.LogicalToTarget(0, 0);
    out.Offset(origin.x, origin.y);
    return true;
}

BOOL FillRegionWith(HDC dc, HRGN region, const Brush* brush, std::uint8_t rop) {
    DeviceContext* context = FindDC(dc);
    Region target;
    if (!context || !TargetRegion(*context, region, target))
        return FALSE;
    Painter painter(*context);
    painter.FillRegion(target, BrushSource(brush, *context), rop);
    return TRUE;
}

} // namespace

BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush) {
    Brush* fill = FindGdiObjectOf<Brush>(brush);
    if (!fill)
        return FALSE;
    return FillRegionWith(dc, region, fill, RopIndex(PATCOPY));
}

BOOL PaintRgn(HDC dc, HRGN region) {
    DeviceContext* context = FindDC(dc);
    if (!context)
        return FALSE;
    return FillRegionWith(dc, region, context->State().brush, RopIndexFromRop2(context->State().rop2));
}

BOOL InvertRgn(HDC dc, HRGN region) {
    DeviceContext* context = FindDC(dc);
    Region target;
    if (!context || !TargetRegion(*context, region, target))
        return FALSE;
    Painter painter(*context);
    painter.FillRegion(target, BrushSource(PixelBlack), RopIndex(DSTINVERT));
    return TRUE;
}

BOOL FrameRgn(HDC dc, HRGN region, HBRUSH brush, int width, int height) {
    DeviceContext* context = FindDC(dc);
    Brush* fill = FindGdiObjectOf<Brush>(brush);
    Region target;
    if (!context || !fill || !TargetRegion(*context, region, target) || width < 0 || height < 0)
        return FALSE;
    // The frame is what is left of the region when it is shrunk by `width` and `height`.
    Region inner = target;
    for (const POINT shift : {POINT{width, 0}, POINT{-width, 0}, POINT{0, height}, POINT{0, -height}}) {
        Region moved = target;
        moved.Offset(shift.x, shift.y);
        inner.IntersectWith(moved);
    }
    target.Subtract(inner);
    Painter painter(*context);
    painter.FillRegion(target, BrushSource(fill, *context), RopIndex(PATCOPY));
    return TRUE;
}
