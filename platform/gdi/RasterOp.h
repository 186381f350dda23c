#pragma once
// Raster operations evaluated from their truth tables. A ternary operation's index byte (bits
// 16 to 23 of its code) is the truth table over pattern P (0xF0), source S (0xCC) and
// destination D (0xAA): bit (4p + 2s + d) of the index is the result for those input bits.
// Binary operations (R2_*) are the same over pen and destination and are turned into
// ternary ones.

#include "platform/gdi/PixelSurface.h"
#include "platform/gdi/WinGdi.h"

#include <cstdint>

namespace platform {

constexpr std::uint8_t RopIndex(DWORD rop) {
    return static_cast<std::uint8_t>((rop >> 16) & 0xFF);
}

// Whether the result depends on each operand.
struct RopUse {
    bool pattern;
    bool source;
    bool destination;
};
RopUse AnalyzeRop(std::uint8_t index);

// The ternary index equivalent to a binary (R2_*) code, with the pen as pattern; the index of
// R2_COPYPEN for a code out of range.
std::uint8_t RopIndexFromRop2(int rop2);

Pixel EvaluateRop(std::uint8_t index, Pixel pattern, Pixel source, Pixel destination);

// dst[i] = op(pattern, src[i], dst[i]) for `count` pixels. `source` may be null when the
// operation ignores it; `patternRow` null means the constant `pattern`. Results keep only the
// colour bits.
void ApplyRopRow(std::uint8_t index, Pixel* destination, const Pixel* source, const Pixel* patternRow,
                 Pixel pattern, int count);

} // namespace platform
