#include "IconShapes.h"

#include <algorithm>
#include <cmath>

namespace iconbuilder {

Shape RoundedRectangle(double left, double top, double right, double bottom, double radius) {
    return [=](double x, double y) {
        if (x < left || x > right || y < top || y > bottom)
            return false;
        // Outside the corner circles only in the corner squares.
        const double cx = std::clamp(x, left + radius, right - radius);
        const double cy = std::clamp(y, top + radius, bottom - radius);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
    };
}

Shape Ellipse(double centreX, double centreY, double radiusX, double radiusY) {
    return [=](double x, double y) {
        const double dx = (x - centreX) / radiusX;
        const double dy = (y - centreY) / radiusY;
        return dx * dx + dy * dy <= 1.0;
    };
}

Shape EllipseOutline(double centreX, double centreY, double radiusX, double radiusY, double width) {
    const double half = width / 2;
    return Without(Ellipse(centreX, centreY, radiusX + half, radiusY + half),
                   Ellipse(centreX, centreY, radiusX - half, radiusY - half));
}

Shape HorizontalBand(double y, double width) {
    return [=](double, double py) { return std::abs(py - y) <= width / 2; };
}

Shape VerticalBand(double x, double width) {
    return [=](double px, double) { return std::abs(px - x) <= width / 2; };
}

Shape Arc(double fromX, double fromY, double toX, double toY, double sagitta, double width) {
    // The chord's middle, its direction and the normal to its left (y grows downwards, so the
    // left of a way to the right is up).
    const double middleX = (fromX + toX) / 2;
    const double middleY = (fromY + toY) / 2;
    const double halfChord = std::hypot(toX - fromX, toY - fromY) / 2;
    const double alongX = (toX - fromX) / (2 * halfChord);
    const double alongY = (toY - fromY) / (2 * halfChord);
    const double normalX = alongY;
    const double normalY = -alongX;
    const double radius = (halfChord * halfChord + sagitta * sagitta) / (2 * sagitta);
    const double centreX = middleX - normalX * (radius - sagitta);
    const double centreY = middleY - normalY * (radius - sagitta);
    return [=](double x, double y) {
        const double along = (x - middleX) * alongX + (y - middleY) * alongY;
        const double across = (x - middleX) * normalX + (y - middleY) * normalY;
        if (std::abs(along) > halfChord || across < 0)
            return false;
        return std::abs(std::hypot(x - centreX, y - centreY) - radius) <= width / 2;
    };
}

Shape Both(Shape first, Shape second) {
    return [first = std::move(first), second = std::move(second)](double x, double y) {
        return first(x, y) && second(x, y);
    };
}

Shape Without(Shape shape, Shape cut) {
    return [shape = std::move(shape), cut = std::move(cut)](double x, double y) {
        return shape(x, y) && !cut(x, y);
    };
}

} // namespace iconbuilder
