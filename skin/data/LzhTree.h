#pragma once
// The parameters of the skin archive's LZHUF coding and its adaptive Huffman tree, shared by
// the decoder and our encoder: both must move the tree in exactly the same way.

#include <array>
#include <cstdint>

// LZSS part: a 4096-byte ring buffer, matches of 3 to 60 bytes.
constexpr int LzhRingSize = 4096;
constexpr int LzhRingMask = LzhRingSize - 1;
constexpr int LzhMaxMatch = 60;
constexpr int LzhThreshold = 2;
constexpr int LzhMinMatch = LzhThreshold + 1;
// Before the first byte the ring holds spaces up to here; the first byte goes to this position.
constexpr int LzhFirstRingWrite = LzhRingSize - LzhMaxMatch;

// Huffman part: symbols 0-255 are literal bytes, 256-313 match lengths 3-60.
constexpr int LzhSymbolCount = 256 - LzhThreshold + LzhMaxMatch;
constexpr int LzhNodeCount = 2 * LzhSymbolCount - 1;
constexpr int LzhRootNode = LzhNodeCount - 1;
// When the root's count reaches this, the tree is rebuilt with every count halved.
constexpr unsigned LzhRebuildFrequency = 0x8000;

constexpr int LzhMatchSymbol(int length) {
    return 256 - LzhMinMatch + length;
}
constexpr int LzhMatchLength(int symbol) {
    return symbol - 256 + LzhMinMatch;
}

// The adaptive Huffman tree. Nodes live at positions 0..LzhNodeCount-1 ordered by count;
// siblings always share the positions 2k and 2k+1, and every parent sits above its children.
class TLzhTree {
public:
    TLzhTree();

    // Counts one more occurrence of the symbol and restores the order of the counts.
    void Update(int symbol);

    // What a position holds: a leaf (LzhNodeCount + symbol) or the position of its first child.
    int Child(int position) const { return child[position]; }
    // The position of a leaf symbol, and the parent position of an inner position.
    int LeafPosition(int symbol) const { return parent[LzhNodeCount + symbol]; }
    int Parent(int position) const { return parent[position]; }

private:
    void Rebuild();
    void Adopt(int position, int content);

    // One extra count beyond the root stops the upward scans of Update.
    std::array<std::uint16_t, LzhNodeCount + 1> count;
    std::array<std::uint16_t, LzhNodeCount> child;
    std::array<std::uint16_t, LzhNodeCount + LzhSymbolCount> parent;
};

// The upper six bits of a match position have a fixed prefix code of 3 to 8 bits; the lower
// six bits follow as they are.
struct TLzhPositionCode {
    std::uint8_t code; // left-aligned in 8 bits
    std::uint8_t length;
};

// Code of each value of the upper six bits.
extern const std::array<TLzhPositionCode, 64> LzhPositionCodes;

// For the next 8 bits of input: the upper six bits they begin with, and that code's length.
struct TLzhPositionPrefix {
    std::uint8_t upperBits;
    std::uint8_t length;
};
extern const std::array<TLzhPositionPrefix, 256> LzhPositionPrefixes;
