#include "IconDesign.h"

#include "IconShapes.h"

#include <algorithm>

namespace iconbuilder {

namespace {

// The colours of the default skin's caption, so the icon matches the window it starts.
constexpr unsigned TileTop = 0x4A84C4;
constexpr unsigned TileBottom = 0x2A5A90;
constexpr unsigned TileEdge = 0x1E3A5C;
constexpr unsigned GlobeLine = 0xFFFFFF;
constexpr unsigned Connection = 0xF5A524;
constexpr unsigned ConnectionEdge = 0x1F4F86;

// Where the tile, the globe and the connection's endpoints lie, in icon units.
constexpr double TileLeft = 0.06;
constexpr double TileRight = 0.94;
constexpr double TileRadius = 0.19;
constexpr double GlobeX = 0.5;
constexpr double GlobeY = 0.5;
constexpr double GlobeRadius = 0.27;
constexpr double FromX = 0.23;
constexpr double FromY = 0.75;
constexpr double ToX = 0.77;
constexpr double ToY = 0.27;

// A line at least `pixels` wide, so that small icons keep their lines.
double LineWidth(double units, double pixels, int size) {
    return std::max(units, pixels / size);
}

void DrawTile(IconCanvas& canvas, int size) {
    const Paint ramp = [](double, double y) {
        const double t = std::clamp((y - TileLeft) / (TileRight - TileLeft), 0.0, 1.0);
        const Rgba top = Colour(TileTop);
        const Rgba bottom = Colour(TileBottom);
        return Rgba{top.red + (bottom.red - top.red) * t, top.green + (bottom.green - top.green) * t,
                    top.blue + (bottom.blue - top.blue) * t, 1.0};
    };
    const Shape tile = RoundedRectangle(TileLeft, TileLeft, TileRight, TileRight, TileRadius);
    canvas.Fill(tile, ramp);
    const double edge = LineWidth(0.012, 1.0, size);
    canvas.Fill(Without(tile, RoundedRectangle(TileLeft + edge, TileLeft + edge, TileRight - edge,
                                               TileRight - edge, TileRadius - edge)),
                Colour(TileEdge, 0.8));
}

void DrawGlobe(IconCanvas& canvas, int size) {
    const double line = LineWidth(0.04, 1.2, size);
    const Rgba white = Colour(GlobeLine, 0.95);
    const Shape inside = Ellipse(GlobeX, GlobeY, GlobeRadius, GlobeRadius);
    canvas.Fill(EllipseOutline(GlobeX, GlobeY, GlobeRadius, GlobeRadius, line), white);
    canvas.Fill(Both(HorizontalBand(GlobeY, line), inside), white);
    // A meridian: a straight line where an ellipse would blur into the outline.
    const Shape meridian = size < 24 ? VerticalBand(GlobeX, line)
                                     : EllipseOutline(GlobeX, GlobeY, GlobeRadius * 0.45, GlobeRadius, line);
    canvas.Fill(Both(meridian, inside), white);
    if (size < 32)
        return;
    const double fine = line * 0.7;
    for (double offset : {-0.55, 0.55})
        canvas.Fill(Both(HorizontalBand(GlobeY + GlobeRadius * offset, fine), inside), white);
}

void DrawConnection(IconCanvas& canvas, int size) {
    const double width = LineWidth(0.05, 1.6, size);
    const double gap = LineWidth(0.025, 1.0, size);
    const double sagitta = 0.13;
    canvas.Fill(Arc(FromX, FromY, ToX, ToY, sagitta, width + 2 * gap), Colour(ConnectionEdge));
    canvas.Fill(Arc(FromX, FromY, ToX, ToY, sagitta, width), Colour(Connection));
    const double radius = LineWidth(0.085, 1.8, size);
    for (auto [x, y] : {std::pair{FromX, FromY}, std::pair{ToX, ToY}}) {
        canvas.Fill(Ellipse(x, y, radius + gap, radius + gap), Colour(ConnectionEdge));
        canvas.Fill(Ellipse(x, y, radius, radius), Colour(Connection));
        if (size >= 48)
            canvas.Fill(Ellipse(x, y, radius * 0.4, radius * 0.4), Colour(GlobeLine));
    }
}

} // namespace

IconCanvas DrawQuillmereIcon(int size) {
    IconCanvas canvas(size, size);
    DrawTile(canvas, size);
    DrawGlobe(canvas, size);
    DrawConnection(canvas, size);
    return canvas;
}

} // namespace iconbuilder
