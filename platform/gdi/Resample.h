#pragma once
// Scaling of pixel rectangles for the stretching blits: nearest pixel (the colour-on-colour,
// black-on-white and white-on-black modes) and smooth (halftone: a triangle filter that
// interpolates when enlarging and averages when shrinking). Either may mirror.

#include "platform/gdi/PixelSurface.h"

#include <memory>
#include <vector>

namespace platform {

// Nearest-pixel scaling of `source` to width x height, read a run at a time, so that a stretch
// onto a clipped target reads only what it draws and needs no scaled copy.
class NearestSampler {
public:
    NearestSampler(const PixelSurface& source, int width, int height, bool mirrorX, bool mirrorY);
    // Pixels [x, x + count) of scaled row y, inside the scaled size.
    void Row(int y, int x, int count, Pixel* out) const;

private:
    const PixelSurface& m_source;
    std::vector<int> m_columns;
    std::vector<int> m_rows;
};

std::unique_ptr<PixelSurface> ResampleNearest(const PixelSurface& source, int width, int height, bool mirrorX,
                                              bool mirrorY);
std::unique_ptr<PixelSurface> ResampleSmooth(const PixelSurface& source, int width, int height, bool mirrorX,
                                             bool mirrorY);

} // namespace platform
