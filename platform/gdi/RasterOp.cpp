#include "platform/gdi/RasterOp.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace platform {

namespace {

constexpr Pixel AllOnes = 0xFFFFFFFF;

// Bit `bit` of the truth table spread over a whole pixel.
constexpr Pixel Spread(std::uint8_t index, int bit) {
    return ((index >> bit) & 1) ? AllOnes : 0;
}

// b when the selector bit is 0, a when it is 1, bit by bit.
inline Pixel Select(Pixel selector, Pixel a, Pixel b) {
    return b ^ ((a ^ b) & selector);
}

// The four-entry table of op(p, s, d) over (s, d) for one pattern value.
struct SourceDestTable {
    Pixel sd11, sd10, sd01, sd00;

    SourceDestTable(std::uint8_t index, Pixel pattern) {
        sd11 = Select(pattern, Spread(index, 7), Spread(index, 3));
        sd10 = Select(pattern, Spread(index, 6), Spread(index, 2));
        sd01 = Select(pattern, Spread(index, 5), Spread(index, 1));
        sd00 = Select(pattern, Spread(index, 4), Spread(index, 0));
    }
    Pixel Evaluate(Pixel source, Pixel destination) const {
        return Select(source, Select(destination, sd11, sd10), Select(destination, sd01, sd00));
    }
};

} // namespace

namespace {

// An operand matters when flipping it changes some entry of the table.
constexpr RopUse ComputeRopUse(std::uint8_t index) {
    const auto differsWhenFlipping = [index](int bit) {
        for (int i = 0; i < 8; ++i) {
            if (((index >> i) & 1) != ((index >> (i ^ bit)) & 1))
                return true;
        }
        return false;
    };
    return RopUse{differsWhenFlipping(4), differsWhenFlipping(2), differsWhenFlipping(1)};
}

// Asked once per drawn row: worked out for all 256 operations when the program is built.
constexpr std::array<RopUse, 256> RopUses = [] {
    std::array<RopUse, 256> uses{};
    for (int index = 0; index < 256; ++index)
        uses[static_cast<std::size_t>(index)] = ComputeRopUse(static_cast<std::uint8_t>(index));
    return uses;
}();

} // namespace

RopUse AnalyzeRop(std::uint8_t index) {
    return RopUses[index];
}

std::uint8_t RopIndexFromRop2(int rop2) {
    if (rop2 < R2_BLACK || rop2 > R2_WHITE)
        rop2 = R2_COPYPEN;
    // The binary table has bit (2p + d); the ternary one repeats it for both source values.
    const int table = rop2 - 1;
    std::uint8_t index = 0;
    for (int i = 0; i < 8; ++i) {
        const int p = (i >> 2) & 1;
        const int d = i & 1;
        if ((table >> (2 * p + d)) & 1)
            index |= static_cast<std::uint8_t>(1 << i);
    }
    return index;
}

Pixel EvaluateRop(std::uint8_t index, Pixel pattern, Pixel source, Pixel destination) {
    return SourceDestTable(index, pattern).Evaluate(source, destination) & PixelRgbMask;
}

void ApplyRopRow(std::uint8_t index, Pixel* destination, const Pixel* source, const Pixel* patternRow,
                 Pixel pattern, int count) {
    if (count <= 0)
        return;
    const RopUse use = AnalyzeRop(index);
    if (!use.pattern && !use.destination && use.source && index == 0xCC && source) {
        std::memcpy(destination, source, static_cast<std::size_t>(count) * sizeof(Pixel));
        return;
    }
    if (!use.source && !use.destination && !patternRow) {
        std::fill_n(destination, count, EvaluateRop(index, pattern, 0, 0));
        return;
    }
    if (index == 0xF0 && patternRow) { // PATCOPY of a pattern brush: the pattern as it stands
        for (int i = 0; i < count; ++i)
            destination[i] = patternRow[i] & PixelRgbMask;
        return;
    }
    if (!use.destination && !use.source && patternRow) {
        for (int i = 0; i < count; ++i)
            destination[i] = EvaluateRop(index, patternRow[i], 0, 0);
        return;
    }
    if (!patternRow) {
        const SourceDestTable table(index, pattern);
        if (source) {
            for (int i = 0; i < count; ++i)
                destination[i] = table.Evaluate(source[i], destination[i]) & PixelRgbMask;
        } else {
            for (int i = 0; i < count; ++i)
                destination[i] = table.Evaluate(0, destination[i]) & PixelRgbMask;
        }
        return;
    }
    for (int i = 0; i < count; ++i) {
        const SourceDestTable table(index, patternRow[i]);
        destination[i] = table.Evaluate(source ? source[i] : 0, destination[i]) & PixelRgbMask;
    }
}

} // namespace platform
