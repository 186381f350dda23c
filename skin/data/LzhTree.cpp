#include "skin/data/LzhTree.h"

#include <algorithm>

namespace {

// Number of upper-bit values coded with 3, 4, 5, 6, 7 and 8 bits; values are assigned
// canonical codes in increasing order.
constexpr std::array<int, 6> CodesPerLength = {1, 3, 8, 12, 24, 16};
constexpr int ShortestCode = 3;

constexpr std::array<TLzhPositionCode, 64> MakePositionCodes() {
    std::array<TLzhPositionCode, 64> codes{};
    int value = 0;
    int code = 0;
    for (std::size_t i = 0; i < CodesPerLength.size(); ++i) {
        int length = ShortestCode + static_cast<int>(i);
        for (int n = 0; n < CodesPerLength[i]; ++n, ++value, ++code)
            codes[value] = {static_cast<std::uint8_t>(code << (8 - length)),
                            static_cast<std::uint8_t>(length)};
        code <<= 1;
    }
    return codes;
}

constexpr std::array<TLzhPositionPrefix, 256>
MakePositionPrefixes(const std::array<TLzhPositionCode, 64>& codes) {
    std::array<TLzhPositionPrefix, 256> prefixes{};
    for (int value = 0; value < 64; ++value) {
        int span = 1 << (8 - codes[value].length);
        for (int i = 0; i < span; ++i)
            prefixes[codes[value].code + i] = {static_cast<std::uint8_t>(value), codes[value].length};
    }
    return prefixes;
}

} // namespace

constinit const std::array<TLzhPositionCode, 64> LzhPositionCodes = MakePositionCodes();
constinit const std::array<TLzhPositionPrefix, 256> LzhPositionPrefixes =
    MakePositionPrefixes(MakePositionCodes());

TLzhTree::TLzhTree() {
    for (int symbol = 0; symbol < LzhSymbolCount; ++symbol) {
        count[symbol] = 1;
        child[symbol] = static_cast<std::uint16_t>(LzhNodeCount + symbol);
        parent[LzhNodeCount + symbol] = static_cast<std::uint16_t>(symbol);
    }
    for (int first = 0, position = LzhSymbolCount; position < LzhNodeCount; first += 2, ++position) {
        count[position] = static_cast<std::uint16_t>(count[first] + count[first + 1]);
        child[position] = static_cast<std::uint16_t>(first);
        parent[first] = parent[first + 1] = static_cast<std::uint16_t>(position);
    }
    count[LzhNodeCount] = 0xFFFF;
    parent[LzhRootNode] = 0;
}

void TLzhTree::Adopt(int position, int content) {
    child[position] = static_cast<std::uint16_t>(content);
    parent[content] = static_cast<std::uint16_t>(position);
    if (content < LzhNodeCount)
        parent[content + 1] = static_cast<std::uint16_t>(position);
}

void TLzhTree::Update(int symbol) {
    if (count[LzhRootNode] == LzhRebuildFrequency)
        Rebuild();
    int position = parent[LzhNodeCount + symbol];
    do {
        unsigned raised = ++count[position];
        // When the raised count passes the next position's, swap with the last position of
        // a lower count so the counts stay in order.
        if (raised > count[position + 1]) {
            int swapWith = position + 1;
            while (raised > count[swapWith + 1])
                ++swapWith;
            count[position] = count[swapWith];
            count[swapWith] = static_cast<std::uint16_t>(raised);
            int moving = child[position];
            int displaced = child[swapWith];
            Adopt(swapWith, moving);
            Adopt(position, displaced);
            position = swapWith;
        }
        position = parent[position];
    } while (position != 0);
}

void TLzhTree::Rebuild() {
    // Gather the leaves at the bottom, in their order, with halved counts (rounded up).
    int leaves = 0;
    for (int position = 0; position < LzhNodeCount; ++position) {
        if (child[position] >= LzhNodeCount) {
            count[leaves] = static_cast<std::uint16_t>((count[position] + 1) / 2);
            child[leaves] = child[position];
            ++leaves;
        }
    }
    // Join the two lowest remaining nodes, inserting each new node after those of equal count.
    for (int first = 0, next = LzhSymbolCount; next < LzhNodeCount; first += 2, ++next) {
        std::uint16_t joined = static_cast<std::uint16_t>(count[first] + count[first + 1]);
        int insertAt = next;
        while (joined < count[insertAt - 1])
            --insertAt;
        std::copy_backward(count.begin() + insertAt, count.begin() + next, count.begin() + next + 1);
        std::copy_backward(child.begin() + insertAt, child.begin() + next, child.begin() + next + 1);
        count[insertAt] = joined;
        child[insertAt] = static_cast<std::uint16_t>(first);
    }
    for (int position = 0; position < LzhNodeCount; ++position)
        Adopt(position, child[position]);
}
