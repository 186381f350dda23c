#include "platform/gdi/Rasterizer.h"

#include "platform/gdi/WinGdi.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace platform {

namespace {

// Half the width of the ellipse of radii (a, b) at vertical distance dy from its centre.
double HalfWidthAt(double a, double b, double dy) {
    if (b <= 0)
        return 0;
    const double ratio = dy / b;
    return ratio >= 1 ? 0 : a * std::sqrt(1 - ratio * ratio);
}

int ClampToInt(double value) {
    return static_cast<int>(std::clamp<double>(value, INT_MIN, INT_MAX));
}

} // namespace

std::vector<Span> EllipseSpans(const RECT& bounds, RowLimit rows) {
    return RoundRectSpans(bounds, INT_MAX, INT_MAX, rows);
}

std::vector<Span> RoundRectSpans(const RECT& bounds, int cornerWidth, int cornerHeight, RowLimit rows) {
    std::vector<Span> spans;
    const double width = double(bounds.right) - bounds.left;
    const double height = double(bounds.bottom) - bounds.top;
    if (width <= 0 || height <= 0)
        return spans;
    const double a = std::clamp<double>(cornerWidth, 0, width) / 2.0;
    const double b = std::clamp<double>(cornerHeight, 0, height) / 2.0;
    const int firstRow = std::max<int>(bounds.top, rows.top);
    const int lastRow = std::min<int>(bounds.bottom, rows.bottom);
    for (int y = firstRow; y < lastRow; ++y) {
        const double centreY = y + 0.5;
        double inset = 0;
        if (a > 0 && b > 0) {
            const double topCentre = bounds.top + b;
            const double bottomCentre = bounds.bottom - b;
            double dy = 0;
            if (centreY < topCentre)
                dy = topCentre - centreY;
            else if (centreY > bottomCentre)
                dy = centreY - bottomCentre;
            inset = a - HalfWidthAt(a, b, dy);
        }
        const int left = ClampToInt(bounds.left + std::floor(inset + 0.5));
        const int right = ClampToInt(bounds.right - std::floor(inset + 0.5));
        if (right > left)
            spans.push_back(Span{y, left, right});
    }
    return spans;
}

std::vector<Span> PolygonSpans(const POINT* points, int count, int fillMode, RowLimit rows) {
    std::vector<Span> spans;
    if (!points || count < 3)
        return spans;
    int top = points[0].y;
    int bottom = points[0].y;
    for (int i = 1; i < count; ++i) {
        top = std::min<int>(top, points[i].y);
        bottom = std::max<int>(bottom, points[i].y);
    }
    top = std::max(top, rows.top);
    bottom = std::min(bottom, rows.bottom);
    struct Crossing {
        double x;
        int direction;
    };
    std::vector<Crossing> crossings;
    for (int y = top; y < bottom; ++y) {
        const double centreY = y + 0.5;
        crossings.clear();
        for (int i = 0; i < count; ++i) {
            const POINT& p0 = points[i];
            const POINT& p1 = points[(i + 1) % count];
            if (p0.y == p1.y)
                continue;
            const bool upward = p0.y > p1.y;
            const double y0 = upward ? p1.y : p0.y;
            const double y1 = upward ? p0.y : p1.y;
            if (centreY < y0 || centreY >= y1)
                continue;
            const double t = (centreY - p0.y) / double(p1.y - p0.y);
            crossings.push_back(Crossing{p0.x + t * (p1.x - p0.x), upward ? -1 : 1});
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
        int winding = 0;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += crossings[i].direction;
            const bool inside = fillMode == WINDING ? winding != 0 : (i % 2) == 0;
            if (!inside)
                continue;
            const int left = ClampToInt(std::ceil(crossings[i].x - 0.5));
            const int right = ClampToInt(std::ceil(crossings[i + 1].x - 0.5));
            if (right > left)
                spans.push_back(Span{y, left, right});
        }
    }
    return spans;
}

Region RegionFromSpans(const std::vector<Span>& spans) {
    std::vector<RECT> rects;
    rects.reserve(spans.size());
    for (const Span& span : spans)
        rects.push_back(RECT{span.left, span.y, span.right, span.y + 1});
    return Region::FromRects(rects.data(), rects.size());
}

} // namespace platform
