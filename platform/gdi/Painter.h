#pragma once
// The common ground of every drawing call: what a brush paints at each pixel, and writing to a
// DC's target only inside its clipping, with a DIB section's bits brought up to date once the
// call is done.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/Rasterizer.h"
#include "platform/gdi/Region.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace platform {

class Brush;

class BrushSource {
public:
    // A null `brush` paints nothing, like the null brush.
    BrushSource(const Brush* brush, const DeviceContext& dc);
    // A solid colour, already in the target's pixel form.
    explicit BrushSource(Pixel solid);

    bool Paints() const { return m_paints; }
    bool IsSolid() const { return m_solid; }
    Pixel SolidValue() const { return m_value; }
    // True when some pixels are left alone (hatches on a transparent background).
    bool HasGaps() const { return m_gaps; }

    // The brush at target pixels [x, x + count) of row y; `covered` (when HasGaps) gets 1 where
    // the brush paints.
    void Row(int x, int y, int count, Pixel* values, std::uint8_t* covered) const;

private:
    bool m_paints = false;
    bool m_solid = true;
    bool m_gaps = false;
    Pixel m_value = 0;
    Pixel m_background = 0;
    int m_hatch = -1;
    const PixelSurface* m_pattern = nullptr;
    bool m_patternMonochrome = false;
    bool m_patternToMonochrome = false;
    Pixel m_zeroColor = 0;
    Pixel m_oneColor = 0;
    POINT m_origin{0, 0};
};

class Painter {
public:
    explicit Painter(DeviceContext& dc);
    ~Painter();
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    bool Ready() const { return m_target != nullptr; }
    PixelSurface& Target() { return *m_target; }
    DeviceContext& Dc() { return m_dc; }
    const Region& Clip() const { return m_clip; }

    // fn(y, left, right) for every run of `rect` (target coordinates) inside the clipping.
    template <typename Fn>
    void ForEachRun(const RECT& rect, Fn&& fn) const {
        int count = 0;
        const pixman_box32_t* boxes = m_clip.Boxes(count);
        for (int i = 0; i < count; ++i) {
            const int left = std::max<int>(boxes[i].x1, rect.left);
            const int right = std::min<int>(boxes[i].x2, rect.right);
            const int top = std::max<int>(boxes[i].y1, rect.top);
            const int bottom = std::min<int>(boxes[i].y2, rect.bottom);
            if (left >= right)
                continue;
            for (int y = top; y < bottom; ++y)
                fn(y, left, right);
        }
    }

    // Applies ternary operation `rop` with the brush as pattern over a rectangle, spans or a
    // region (target coordinates).
    void FillRect(const RECT& rect, const BrushSource& brush, std::uint8_t rop);
    void FillSpans(const std::vector<Span>& spans, const BrushSource& brush, std::uint8_t rop);
    void FillRegion(const Region& region, const BrushSource& brush, std::uint8_t rop);

    // One run: dst = rop(pattern, source, dst) where `covered` (optional) is non-zero.
    void ApplyRun(int y, int left, int right, const BrushSource& brush, std::uint8_t rop,
                  const Pixel* source = nullptr, const std::uint8_t* covered = nullptr);

private:
    DeviceContext& m_dc;
    PixelSurface* m_target;
    Region m_clip;
    std::vector<Pixel> m_patternRow;
    std::vector<Pixel> m_resultRow;
    std::vector<std::uint8_t> m_brushCovered;
};

} // namespace platform
