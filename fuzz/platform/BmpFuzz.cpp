// Reads arbitrary bytes as a BMP file and converts what is accepted to pixels. The first byte
// picks what the rest is: a whole file (even), or picture data behind a file and info header
// whose fields come from the next bytes (odd), which reaches the pixel decoders far more often
// than random headers do.

#include "platform/gdi/BmpFile.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

template <typename Value>
void Put(std::vector<std::uint8_t>& out, Value value) {
    std::uint8_t bytes[sizeof(Value)];
    std::memcpy(bytes, &value, sizeof(Value));
    out.insert(out.end(), bytes, bytes + sizeof(Value));
}

// A file header and a 40-byte info header with small dimensions, one of the valid depths and
// compressions, and a colour table or masks taken from the data, followed by the data.
std::vector<std::uint8_t> WrapInHeaders(const std::uint8_t* data, std::size_t size) {
    static constexpr std::uint16_t Depths[] = {1, 4, 8, 16, 24, 32};
    std::uint8_t shape[4] = {};
    std::memcpy(shape, data, size < 4 ? size : 4);
    std::size_t skip = size < 4 ? size : 4;
    data += skip;
    size -= skip;

    std::uint16_t depth = Depths[shape[0] % 6];
    std::int32_t width = 1 + shape[1] % 64;
    std::int32_t height = (1 + shape[2] % 64) * ((shape[3] & 1) ? -1 : 1);
    std::uint32_t compression = (shape[3] >> 1) % 4; // RGB, RLE8, RLE4, bit fields
    std::uint32_t tableBytes = depth <= 8 ? (4u << depth) : compression == 3 ? 12u : 0u;

    std::vector<std::uint8_t> file;
    file.push_back('B');
    file.push_back('M');
    Put<std::uint32_t>(file, static_cast<std::uint32_t>(14 + 40 + size));
    Put<std::uint32_t>(file, 0);
    Put<std::uint32_t>(file, 14 + 40 + tableBytes);
    Put<std::uint32_t>(file, 40);
    Put<std::int32_t>(file, width);
    Put<std::int32_t>(file, height);
    Put<std::uint16_t>(file, 1);
    Put<std::uint16_t>(file, depth);
    Put<std::uint32_t>(file, compression);
    Put<std::uint32_t>(file, static_cast<std::uint32_t>(size > tableBytes ? size - tableBytes : 0));
    Put<std::int32_t>(file, 2835);
    Put<std::int32_t>(file, 2835);
    Put<std::uint32_t>(file, 0);
    Put<std::uint32_t>(file, 0);
    file.insert(file.end(), data, data + size);
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    std::vector<std::uint8_t> file =
        (data[0] & 1) ? WrapInHeaders(data + 1, size - 1) : std::vector<std::uint8_t>(data + 1, data + size);
    if (auto image = platform::ReadBmp(file.data(), file.size()))
        image->ToPixels();
    return 0;
}
