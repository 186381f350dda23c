#include "skin/data/ImgUtil.h"

#include "core/Exception.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

struct TGradientCache {
    std::array<std::vector<TColor>, GradientSlots> ramps;
    int next = 0;
};

TGradientCache& GradientCache() {
    static TGradientCache cache;
    return cache;
}

int Channel(TColor colour, int shift) {
    return (static_cast<std::uint32_t>(colour) >> shift) & 0xFF;
}

TColor FromChannels(int red, int green, int blue) {
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

// The RGB value of a colour, system colours looked up.
TColor Resolve(TColor colour) {
    return static_cast<TColor>(ColorToRGB(colour));
}

} // namespace

TColor MixColours(TColor c1, TColor c2, int weight) {
    c1 = Resolve(c1);
    c2 = Resolve(c2);
    const int scale = weight < 100 ? 100 : 1000;
    int mixed[3];
    for (int i = 0; i < 3; ++i)
        mixed[i] = (Channel(c1, 8 * i) * weight + Channel(c2, 8 * i) * (scale - weight) + scale / 2) / scale;
    return FromChannels(mixed[0], mixed[1], mixed[2]);
}

int FindGradient(int length, TColor c1, TColor c2) {
    const TGradientCache& cache = GradientCache();
    for (int slot = GradientSlots - 1; slot >= 0; --slot) {
        const std::vector<TColor>& ramp = cache.ramps[slot];
        if (static_cast<int>(ramp.size()) == length && length > 0 && ramp.front() == c1 && ramp.back() == c2)
            return slot;
    }
    return -1;
}

int MakeGradient(int length, TColor c1, TColor c2) {
    if (length < 1)
        throw Exception("MakeGradient: the ramp needs at least one colour");
    TGradientCache& cache = GradientCache();
    const int slot = cache.next;
    cache.next = (cache.next + 1) % GradientSlots;
    std::vector<TColor>& ramp = cache.ramps[slot];
    ramp.resize(static_cast<std::size_t>(length));
    int first[3];
    int delta[3];
    for (int i = 0; i < 3; ++i) {
        first[i] = Channel(c1, 8 * i);
        delta[i] = Channel(c2, 8 * i) - first[i];
    }
    if (length == 1) {
        ramp[0] = FromChannels(first[0] + delta[0] / 2, first[1] + delta[1] / 2, first[2] + delta[2] / 2);
        return slot;
    }
    // Steps are rounded half away from zero, so a falling channel ends on c2 as a rising one
    // does (rounding half up and then truncating would stop a falling ramp one short).
    const int steps = length - 1;
    for (int index = 0; index < length; ++index) {
        int value[3];
        for (int i = 0; i < 3; ++i) {
            const int half = delta[i] < 0 ? -(steps / 2) : steps / 2;
            value[i] = first[i] + (index * delta[i] + half) / steps;
        }
        ramp[index] = FromChannels(value[0], value[1], value[2]);
    }
    return slot;
}

int GetGradient(int length, TColor c1, TColor c2) {
    const int slot = FindGradient(length, c1, c2);
    return slot >= 0 ? slot : MakeGradient(length, c1, c2);
}

const std::vector<TColor>& GradientRamp(int slot) {
    return GradientCache().ramps.at(static_cast<std::size_t>(slot));
}

void GradientFill(HDC dc, const RECT& rect, TColor c1, bool vertical, TColor c2) {
    if (!RectVisible(dc, &rect))
        return;
    c1 = Resolve(c1);
    c2 = Resolve(c2);
    const int length = vertical ? rect.bottom - rect.top : rect.right - rect.left;
    if (length <= 0)
        return;
    RECT clip{};
    if (GetClipBox(dc, &clip) == ERROR)
        return;
    const int origin = vertical ? rect.top : rect.left;
    const int first = std::max(0, (vertical ? clip.top : clip.left) - origin);
    const int last = std::min(length - 1, (vertical ? clip.bottom : clip.right) - 1 - origin);
    if (first > last)
        return;
    // The ramp is copied: a fill never holds a reference into the cache across brush calls.
    const std::vector<TColor> ramp = GradientRamp(GetGradient(length, c1, c2));
    for (int line = first; line <= last; ++line) {
        RECT band = rect;
        if (vertical) {
            band.top = rect.top + line;
            band.bottom = band.top + 1;
        } else {
            band.left = rect.left + line;
            band.right = band.left + 1;
        }
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(ramp[line]));
        FillRect(dc, &band, brush);
        DeleteObject(brush);
    }
}

int ColourSaturation(TColor colour) {
    colour = Resolve(colour);
    const int red = Channel(colour, 0);
    const int green = Channel(colour, 8);
    const int blue = Channel(colour, 16);
    const int high = std::max({red, green, blue});
    const int low = std::min({red, green, blue});
    if (high < 160)
        return 200;
    const double saturation = static_cast<double>(high - low) / high;
    return static_cast<int>(std::lround(saturation * 255));
}
