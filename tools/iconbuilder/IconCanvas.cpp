#include "IconCanvas.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace iconbuilder {

namespace {

// Samples per pixel along each axis: 64 per pixel keep edges smooth at 16 pixels.
constexpr int SamplesPerAxis = 8;

std::uint8_t ToByte(double channel) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(channel, 0.0, 1.0) * 255.0));
}

} // namespace

Rgba Colour(unsigned rgb, double alpha) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

IconCanvas::IconCanvas(int width, int height)
    : m_width(width), m_height(height), m_pixels(static_cast<std::size_t>(width) * height) {
    if (width <= 0 || height <= 0)
        throw std::invalid_argument("an icon canvas needs a positive size");
}

Rgba IconCanvas::At(int x, int y) const {
    return m_pixels[static_cast<std::size_t>(y) * m_width + x];
}

void IconCanvas::Blend(int x, int y, Rgba colour, double coverage) {
    Rgba& under = m_pixels[static_cast<std::size_t>(y) * m_width + x];
    const double over = colour.alpha * coverage;
    const double alpha = over + under.alpha * (1.0 - over);
    if (alpha <= 0.0)
        return;
    auto mix = [&](double top, double bottom) {
        return (top * over + bottom * under.alpha * (1.0 - over)) / alpha;
    };
    under = {mix(colour.red, under.red), mix(colour.green, under.green), mix(colour.blue, under.blue), alpha};
}

void IconCanvas::Fill(const Shape& shape, const Paint& paint) {
    const double unit = 1.0 / m_width;
    const double step = unit / SamplesPerAxis;
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            int inside = 0;
            for (int sy = 0; sy < SamplesPerAxis; ++sy)
                for (int sx = 0; sx < SamplesPerAxis; ++sx)
                    inside += shape(x * unit + (sx + 0.5) * step, y * unit + (sy + 0.5) * step) ? 1 : 0;
            if (inside > 0)
                Blend(x, y, paint((x + 0.5) * unit, (y + 0.5) * unit),
                      static_cast<double>(inside) / (SamplesPerAxis * SamplesPerAxis));
        }
    }
}

void IconCanvas::Fill(const Shape& shape, Rgba colour) {
    Fill(shape, [colour](double, double) { return colour; });
}

void IconCanvas::Draw(const IconCanvas& source, int left, int top) {
    for (int y = 0; y < source.Height(); ++y)
        for (int x = 0; x < source.Width(); ++x) {
            const int tx = left + x;
            const int ty = top + y;
            if (tx >= 0 && ty >= 0 && tx < m_width && ty < m_height)
                Blend(tx, ty, source.At(x, y), 1.0);
        }
}

void IconCanvas::WritePng(const std::string& path) const {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(m_pixels.size() * 4);
    for (const Rgba& pixel : m_pixels) {
        // A transparent pixel is written as transparent black, whatever colour it kept.
        const bool clear = ToByte(pixel.alpha) == 0;
        bytes.push_back(clear ? 0 : ToByte(pixel.red));
        bytes.push_back(clear ? 0 : ToByte(pixel.green));
        bytes.push_back(clear ? 0 : ToByte(pixel.blue));
        bytes.push_back(ToByte(pixel.alpha));
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(m_width);
    image.height = static_cast<png_uint_32>(m_height);
    image.format = PNG_FORMAT_RGBA;
    if (!png_image_write_to_file(&image, path.c_str(), 0, bytes.data(), 0, nullptr)) {
        const std::string reason = image.message;
        png_image_free(&image);
        throw std::runtime_error("cannot write '" + path + "': " + reason);
    }
}

} // namespace iconbuilder
