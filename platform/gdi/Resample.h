#pragma once
// Scaling of pixel rectangles for the stretching blits: nearest pixel (the colour-on-colour,
// black-on-white and white-on-black modes) and smooth (halftone: a triangle filter that
// interpolates when enlarging and averages when shrinking). Either may mirror.

#include "platform/gdi/PixelSurface.h"

#include <memory>

namespace platform {

std::unique_ptr<PixelSurface> ResampleNearest(const PixelSurface& source, int width, int height, bool mirrorX,
                                              bool mirrorY);
std::unique_ptr<PixelSurface> ResampleSmooth(const PixelSurface& source, int width, int height, bool mirrorX,
                                             bool mirrorY);

} // namespace platform
