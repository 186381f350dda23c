#pragma once
// The shapes the icon is made of, in icon units (0 to 1 across the icon).

#include "IconCanvas.h"

namespace iconbuilder {

// A rectangle with corners rounded to `radius`.
Shape RoundedRectangle(double left, double top, double right, double bottom, double radius);
// A filled ellipse.
Shape Ellipse(double centreX, double centreY, double radiusX, double radiusY);
// The outline of an ellipse, `width` thick, centred on the ellipse's edge.
Shape EllipseOutline(double centreX, double centreY, double radiusX, double radiusY, double width);
// The band of the rows within `width / 2` of y.
Shape HorizontalBand(double y, double width);
// The band of the columns within `width / 2` of x.
Shape VerticalBand(double x, double width);
// A circular arc from one point to another, bulging `sagitta` to the left of the way from the
// first to the second, `width` thick; its ends are cut square.
Shape Arc(double fromX, double fromY, double toX, double toY, double sagitta, double width);

// Where both shapes are.
Shape Both(Shape first, Shape second);
// Where the first shape is and the second is not.
Shape Without(Shape shape, Shape cut);

} // namespace iconbuilder
