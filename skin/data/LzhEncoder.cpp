#include "skin/data/LzhEncoder.h"

#include "skin/data/LzhTree.h"

#include <algorithm>
#include <array>

namespace {

// Collects bits most significant first; the last byte is padded with zero bits.
class TBitOutput {
public:
    void Put(std::uint32_t value, int length) {
        for (int i = length - 1; i >= 0; --i) {
            pending = static_cast<std::uint8_t>((pending << 1) | ((value >> i) & 1u));
            if (++pendingBits == 8) {
                bytes.push_back(pending);
                pending = 0;
                pendingBits = 0;
            }
        }
    }

    std::vector<std::uint8_t> Finish() {
        if (pendingBits > 0)
            bytes.push_back(static_cast<std::uint8_t>(pending << (8 - pendingBits)));
        return std::move(bytes);
    }

private:
    std::vector<std::uint8_t> bytes;
    std::uint8_t pending = 0;
    int pendingBits = 0;
};

// Finds the longest earlier occurrence of the bytes at a position, within the reach of the
// ring: at most 4096 bytes back. The text searched is the data preceded by the spaces the
// decoder's ring starts with, so runs of spaces at the start can match them.
class TMatchFinder {
public:
    explicit TMatchFinder(std::span<const std::uint8_t> data) : text(LzhFirstRingWrite + data.size(), ' ') {
        std::copy(data.begin(), data.end(), text.begin() + LzhFirstRingWrite);
        head.assign(HashSize, NoPosition);
        previous.assign(LzhRingSize, NoPosition);
        for (std::size_t position = 0; position + LzhMinMatch <= LzhFirstRingWrite; ++position)
            Insert(position);
    }

    std::size_t Start() const { return LzhFirstRingWrite; }
    std::size_t End() const { return text.size(); }
    std::uint8_t Byte(std::size_t position) const { return text[position]; }

    struct TMatch {
        int length = 0;
        int distance = 0;
    };

    TMatch Longest(std::size_t position) const {
        TMatch best;
        std::size_t limit = std::min<std::size_t>(LzhMaxMatch, End() - position);
        if (limit < LzhMinMatch)
            return best;
        std::int64_t candidate = head[Hash(position)];
        for (int chain = 0; chain < MaxChain && candidate != NoPosition; ++chain) {
            std::size_t from = static_cast<std::size_t>(candidate);
            if (position - from > LzhRingSize)
                break;
            int length = MatchLength(from, position, limit);
            if (length > best.length) {
                best = {length, static_cast<int>(position - from)};
                if (static_cast<std::size_t>(length) == limit)
                    break;
            }
            candidate = previous[from & LzhRingMask];
        }
        return best;
    }

    // Makes the position findable by later ones.
    void Insert(std::size_t position) {
        if (position + LzhMinMatch > End())
            return;
        std::size_t hash = Hash(position);
        previous[position & LzhRingMask] = head[hash];
        head[hash] = static_cast<std::int64_t>(position);
    }

private:
    static constexpr std::size_t HashBits = 15;
    static constexpr std::size_t HashSize = std::size_t{1} << HashBits;
    static constexpr std::int64_t NoPosition = -1;
    static constexpr int MaxChain = 256;

    std::size_t Hash(std::size_t position) const {
        std::uint32_t key = text[position] | (text[position + 1] << 8) | (text[position + 2] << 16);
        return (key * 2654435761u) >> (32 - HashBits);
    }

    int MatchLength(std::size_t from, std::size_t position, std::size_t limit) const {
        std::size_t length = 0;
        while (length < limit && text[from + length] == text[position + length])
            ++length;
        return static_cast<int>(length);
    }

    std::vector<std::uint8_t> text;
    std::vector<std::int64_t> head;
    // Chains are kept for the last 4096 positions only; older links are out of reach.
    std::vector<std::int64_t> previous;
};

class TSymbolCoder {
public:
    // The code of a symbol is the path from the root to its leaf: at each step, 0 for the
    // first child and 1 for the second.
    void Symbol(int symbol) {
        int steps = 0;
        for (int position = tree.LeafPosition(symbol); position != LzhRootNode;
             position = tree.Parent(position))
            path[steps++] = static_cast<std::uint8_t>(position & 1);
        while (steps > 0)
            output.Put(path[--steps], 1);
        tree.Update(symbol);
    }

    void Position(int distance) {
        int position = distance - 1;
        const TLzhPositionCode& prefix = LzhPositionCodes[position >> 6];
        output.Put(prefix.code >> (8 - prefix.length), prefix.length);
        output.Put(static_cast<std::uint32_t>(position & 63), 6);
    }

    std::vector<std::uint8_t> Finish() { return output.Finish(); }

private:
    TLzhTree tree;
    TBitOutput output;
    std::array<std::uint8_t, LzhNodeCount> path{};
};

} // namespace

std::vector<std::uint8_t> LzhPack(std::span<const std::uint8_t> data) {
    TMatchFinder finder(data);
    TSymbolCoder coder;
    std::size_t position = finder.Start();
    while (position < finder.End()) {
        TMatchFinder::TMatch match = finder.Longest(position);
        if (match.length >= LzhMinMatch) {
            coder.Symbol(LzhMatchSymbol(match.length));
            coder.Position(match.distance);
        } else {
            match.length = 1;
            coder.Symbol(finder.Byte(position));
        }
        for (int i = 0; i < match.length; ++i)
            finder.Insert(position + static_cast<std::size_t>(i));
        position += static_cast<std::size_t>(match.length);
    }
    return coder.Finish();
}
