#pragma once
// Helpers shared by the skin data tests: sample bytes and a direct decoder call.

#include "core/Stream.h"
#include "skin/data/LzhDecoder.h"
#include "skin/data/LzhTree.h"
#include "skin/data/SkinWrite.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skintest {

using Bytes = std::vector<std::uint8_t>;

inline Bytes FromText(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

inline Bytes RandomBytes(std::size_t size, std::uint32_t seed) {
    std::mt19937 generator(seed);
    Bytes bytes(size);
    for (std::uint8_t& byte : bytes)
        byte = static_cast<std::uint8_t>(generator());
    return bytes;
}

// English-like text with repeated words, so it has both literals and matches.
inline Bytes SampleText(std::size_t size, std::uint32_t seed) {
    static constexpr const char* Words[] = {"skin ",  "button ",        "caption ",   "border ", "[Form]\r\n",
                                            "Color=", "0x00FF00FF\r\n", "title.bmp ", "the ",    "frame "};
    std::mt19937 generator(seed);
    Bytes bytes;
    while (bytes.size() < size) {
        std::string_view word = Words[generator() % std::size(Words)];
        bytes.insert(bytes.end(), word.begin(), word.end());
    }
    bytes.resize(size);
    return bytes;
}

// Decodes an LZHUF stream (without the size word) into `count` or a few more bytes.
inline Bytes Unpack(std::span<const std::uint8_t> stream, std::int32_t count) {
    Bytes output;
    std::size_t next = 0;
    TLZH().Unpack(
        count,
        [&output](const void* buffer, int n) {
            auto bytes = static_cast<const std::uint8_t*>(buffer);
            output.insert(output.end(), bytes, bytes + n);
            return n;
        },
        [&stream, &next](void* buffer, int n) {
            std::size_t moved = std::min<std::size_t>(static_cast<std::size_t>(n), stream.size() - next);
            if (moved > 0)
                std::memcpy(buffer, stream.data() + next, moved);
            next += moved;
            return static_cast<int>(moved);
        });
    return output;
}

inline TMemoryStream StreamOf(std::span<const std::uint8_t> bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    stream.SetPosition(0);
    return stream;
}

inline Bytes BytesOf(const TMemoryStream& stream) {
    return Bytes(stream.Memory(), stream.Memory() + stream.Size());
}

// A stored archive of the entries, written by our encoder.
inline TMemoryStream ArchiveOf(std::int32_t version, const std::vector<TSkinEntry>& entries) {
    return StreamOf(PackSkinImage(BuildSkinImage(version, entries)));
}

inline TSkinEntry Entry(std::string name, std::string_view data) {
    return {std::move(name), FromText(data)};
}

} // namespace skintest
