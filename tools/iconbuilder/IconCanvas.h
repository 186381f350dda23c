#pragma once
// A rectangle of RGBA pixels that shapes are painted into with smooth edges: each pixel is
// sampled on a grid, so a shape that covers part of a pixel blends in by the part it covers.
// Shapes are given in icon units, 0 to 1 across the canvas's width, so one design serves
// every size.

#include <functional>
#include <string>
#include <vector>

namespace iconbuilder {

// Straight (not premultiplied) colour, every channel 0 to 1.
struct Rgba {
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 0;
};

// 0xRRGGBB with an opacity.
Rgba Colour(unsigned rgb, double alpha = 1.0);

// Whether a point (icon units) lies inside the shape.
using Shape = std::function<bool(double x, double y)>;
// The colour a shape is painted with at a point (icon units).
using Paint = std::function<Rgba(double x, double y)>;

class IconCanvas {
public:
    // A transparent canvas.
    IconCanvas(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    Rgba At(int x, int y) const;

    // Paints the shape over what is there ("source over").
    void Fill(const Shape& shape, const Paint& paint);
    void Fill(const Shape& shape, Rgba colour);
    // Paints every pixel of another canvas over this one, its top-left corner at (left, top).
    void Draw(const IconCanvas& source, int left, int top);

    // Writes an 8-bit RGBA PNG; throws std::runtime_error when it cannot.
    void WritePng(const std::string& path) const;

private:
    void Blend(int x, int y, Rgba colour, double coverage);

    int m_width;
    int m_height;
    std::vector<Rgba> m_pixels;
};

} // namespace iconbuilder
