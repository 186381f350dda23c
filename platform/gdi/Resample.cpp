#include "platform/gdi/Resample.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace platform {

namespace {

// Source index for each destination index: the pixel under the destination pixel's centre.
std::vector<int> NearestMap(int sourceSize, int size, bool mirror) {
    std::vector<int> map(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i) {
        const int from = static_cast<int>((std::int64_t{2 * i + 1} * sourceSize) / (std::int64_t{2} * size));
        const int index = std::clamp(from, 0, sourceSize - 1);
        map[static_cast<std::size_t>(mirror ? size - 1 - i : i)] = index;
    }
    return map;
}

struct Tap {
    int index;
    float weight;
};

// Filter taps per destination index along one axis.
std::vector<std::vector<Tap>> SmoothTaps(int sourceSize, int size, bool mirror) {
    std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(size));
    const double scale = double(sourceSize) / size;
    const double support = std::max(1.0, scale);
    for (int i = 0; i < size; ++i) {
        const double centre = (i + 0.5) * scale - 0.5;
        const int first = static_cast<int>(std::floor(centre - support));
        const int last = static_cast<int>(std::ceil(centre + support));
        std::vector<Tap>& list = taps[static_cast<std::size_t>(mirror ? size - 1 - i : i)];
        double total = 0;
        for (int s = first; s <= last; ++s) {
            const double weight = 1.0 - std::abs(s - centre) / support;
            if (weight <= 0)
                continue;
            list.push_back(Tap{std::clamp(s, 0, sourceSize - 1), static_cast<float>(weight)});
            total += weight;
        }
        if (list.empty()) {
            list.push_back(Tap{std::clamp(static_cast<int>(std::lround(centre)), 0, sourceSize - 1), 1.0f});
            total = 1;
        }
        for (Tap& tap : list)
            tap.weight = static_cast<float>(tap.weight / total);
    }
    return taps;
}

} // namespace

NearestSampler::NearestSampler(const PixelSurface& source, int width, int height, bool mirrorX, bool mirrorY)
    : m_source(source) {
    if (source.Width() == 0 || source.Height() == 0)
        return;
    m_columns = NearestMap(source.Width(), width, mirrorX);
    m_rows = NearestMap(source.Height(), height, mirrorY);
}

void NearestSampler::Row(int y, int x, int count, Pixel* out) const {
    if (m_rows.empty()) {
        std::fill_n(out, count, PixelBlack);
        return;
    }
    const Pixel* from = m_source.Row(m_rows[static_cast<std::size_t>(y)]);
    const int* columns = m_columns.data() + x;
    for (int i = 0; i < count; ++i)
        out[i] = from[columns[i]] & PixelRgbMask;
}

std::unique_ptr<PixelSurface> ResampleNearest(const PixelSurface& source, int width, int height, bool mirrorX,
                                              bool mirrorY) {
    auto result = std::make_unique<PixelSurface>(width, height);
    const NearestSampler sampler(source, width, height, mirrorX, mirrorY);
    for (int y = 0; y < height; ++y)
        sampler.Row(y, 0, width, result->Row(y));
    return result;
}

std::unique_ptr<PixelSurface> ResampleSmooth(const PixelSurface& source, int width, int height, bool mirrorX,
                                             bool mirrorY) {
    auto result = std::make_unique<PixelSurface>(width, height);
    if (source.Width() == 0 || source.Height() == 0)
        return result;
    const auto columnTaps = SmoothTaps(source.Width(), width, mirrorX);
    const auto rowTaps = SmoothTaps(source.Height(), height, mirrorY);
    // Horizontal pass into floating-point channels, then the vertical pass.
    std::vector<float> horizontal(static_cast<std::size_t>(source.Height()) *
                                  static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < source.Height(); ++y) {
        const Pixel* from = source.Row(y);
        float* to = horizontal.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3;
        for (int x = 0; x < width; ++x) {
            float r = 0, g = 0, b = 0;
            for (const Tap& tap : columnTaps[static_cast<std::size_t>(x)]) {
                const Pixel p = from[tap.index];
                r += tap.weight * float((p >> 16) & 0xFF);
                g += tap.weight * float((p >> 8) & 0xFF);
                b += tap.weight * float(p & 0xFF);
            }
            to[3 * x] = r;
            to[3 * x + 1] = g;
            to[3 * x + 2] = b;
        }
    }
    const auto channel = [](float value) {
        return static_cast<Pixel>(std::clamp(static_cast<int>(std::lround(value)), 0, 255));
    };
    for (int y = 0; y < height; ++y) {
        Pixel* to = result->Row(y);
        for (int x = 0; x < width; ++x) {
            float r = 0, g = 0, b = 0;
            for (const Tap& tap : rowTaps[static_cast<std::size_t>(y)]) {
                const float* from =
                    horizontal.data() +
                    (static_cast<std::size_t>(tap.index) * static_cast<std::size_t>(width) + x) * 3;
                r += tap.weight * from[0];
                g += tap.weight * from[1];
                b += tap.weight * from[2];
            }
            to[x] = (channel(r) << 16) | (channel(g) << 8) | channel(b);
        }
    }
    return result;
}

} // namespace platform
