#pragma once
// Scan conversion of the filled shapes: ellipses, rounded rectangles and polygons become
// horizontal runs of pixels whose centres lie inside the shape.

#include "platform/base/WinTypes.h"
#include "platform/gdi/Region.h"

#include <vector>

namespace platform {

struct Span {
    int y;
    int left;  // first pixel
    int right; // one past the last pixel
};

// Rows outside [top, bottom) of `rows` are not produced, so a huge shape costs only what is
// drawn of it; by default rows lie within +-65536.
struct RowLimit {
    int top = -65536;
    int bottom = 65536;
};

// The ellipse inscribed in [left, right) x [top, bottom).
std::vector<Span> EllipseSpans(const RECT& bounds, RowLimit rows = {});
// A rectangle whose corners are quarters of a `cornerWidth` x `cornerHeight` ellipse.
std::vector<Span> RoundRectSpans(const RECT& bounds, int cornerWidth, int cornerHeight, RowLimit rows = {});
// ALTERNATE (even-odd) or WINDING fill of a closed polygon.
std::vector<Span> PolygonSpans(const POINT* points, int count, int fillMode, RowLimit rows = {});

Region RegionFromSpans(const std::vector<Span>& spans);

} // namespace platform
