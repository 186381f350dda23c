#include "skin/data/LzhDecoder.h"

#include "skin/data/LzhTree.h"

#include <array>
#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr int InputChunk = 4096;

// Bits of the input, most significant bit first, held left-aligned in a 64-bit buffer.
// After the input has ended it supplies zero bits.
class TBitInput {
public:
    explicit TBitInput(const TLzhReadFunc& read) : read(read) {}

    int Bit() {
        if (held == 0)
            Refill();
        int bit = static_cast<int>(bits >> 63);
        bits <<= 1;
        --held;
        return bit;
    }

    // The next n bits (n <= 8) as a number.
    int Bits(int n) {
        if (held < n)
            Refill();
        int value = static_cast<int>(bits >> (64 - n));
        bits <<= n;
        held -= n;
        return value;
    }

    // The next 8 bits without taking them.
    int Peek8() {
        if (held < 8)
            Refill();
        return static_cast<int>(bits >> 56);
    }

    void Skip(int n) {
        bits <<= n;
        held -= n;
    }

private:
    void Refill() {
        while (held <= 56) {
            bits |= static_cast<std::uint64_t>(NextByte()) << (56 - held);
            held += 8;
        }
    }

    std::uint8_t NextByte() {
        if (next == end && !ended) {
            int got = read(chunk.data(), InputChunk);
            if (got <= 0) {
                ended = true;
            } else {
                next = chunk.data();
                end = next + std::min(got, InputChunk);
            }
        }
        return next != end ? *next++ : 0;
    }

    const TLzhReadFunc& read;
    std::array<std::uint8_t, InputChunk> chunk{};
    const std::uint8_t* next = nullptr;
    const std::uint8_t* end = nullptr;
    bool ended = false;
    std::uint64_t bits = 0;
    int held = 0;
};

// The ring buffer; output is handed on in the pieces between wraps of the write position.
class TRingOutput {
public:
    explicit TRingOutput(const TLzhWriteFunc& write) : write(write) {
        std::memset(ring.data(), ' ', LzhFirstRingWrite);
    }

    void Put(std::uint8_t byte) {
        ring[position] = byte;
        position = (position + 1) & LzhRingMask;
        if (position == 0)
            Flush(LzhRingSize);
    }

    void Copy(int from, int length) {
        for (int i = 0; i < length; ++i)
            Put(ring[(from + i) & LzhRingMask]);
    }

    int Position() const { return position; }

    void Finish() { Flush(position); }

private:
    void Flush(int upTo) {
        int length = upTo - flushed;
        if (length > 0 && write(ring.data() + flushed, length) != length)
            throw ElzhException("LZH : Cannot write the decoded data");
        flushed = upTo & LzhRingMask;
    }

    const TLzhWriteFunc& write;
    std::array<std::uint8_t, LzhRingSize> ring{};
    int position = LzhFirstRingWrite;
    int flushed = LzhFirstRingWrite;
};

struct TDecoderTables {
    explicit TDecoderTables(const TLzhWriteFunc& write, const TLzhReadFunc& read)
        : input(read), output(write) {}

    TLzhTree tree;
    TBitInput input;
    TRingOutput output;
};

int DecodeSymbol(TDecoderTables& t) {
    int position = t.tree.Child(LzhRootNode);
    while (position < LzhNodeCount)
        position = t.tree.Child(position + t.input.Bit());
    int symbol = position - LzhNodeCount;
    t.tree.Update(symbol);
    return symbol;
}

int DecodePosition(TBitInput& input) {
    const TLzhPositionPrefix& prefix = LzhPositionPrefixes[input.Peek8()];
    input.Skip(prefix.length);
    return (prefix.upperBits << 6) | input.Bits(6);
}

} // namespace

void TLZH::Unpack(std::int32_t count, const TLzhWriteFunc& write, const TLzhReadFunc& read) {
    std::unique_ptr<TDecoderTables> tables;
    try {
        tables = std::make_unique<TDecoderTables>(write, read);
    } catch (const std::bad_alloc&) {
        throw ElzhException("LZH : Cannot get memory for dictionary tables");
    }
    TDecoderTables& t = *tables;
    std::int64_t written = 0;
    while (written < count) {
        int symbol = DecodeSymbol(t);
        if (symbol < 256) {
            t.output.Put(static_cast<std::uint8_t>(symbol));
            ++written;
        } else {
            int length = LzhMatchLength(symbol);
            int distance = DecodePosition(t.input) + 1;
            t.output.Copy(t.output.Position() - distance, length);
            written += length;
        }
    }
    t.output.Finish();
}
