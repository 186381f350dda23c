#include "platform/gdi/BmpFile.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>

namespace platform {

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr WORD BmpSignature = 0x4D42; // "BM"

DWORD ReadDword(const std::uint8_t* bytes) {
    DWORD value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

void PutWord(std::vector<std::uint8_t>& out, std::size_t at, WORD value) {
    std::memcpy(out.data() + at, &value, sizeof value);
}

void PutDword(std::vector<std::uint8_t>& out, std::size_t at, DWORD value) {
    std::memcpy(out.data() + at, &value, sizeof value);
}

} // namespace

std::unique_ptr<PixelSurface> BmpImage::ToPixels() const {
    auto pixels = std::make_unique<PixelSurface>(layout.width, layout.height);
    for (int y = 0; y < layout.height; ++y)
        DecodeDibRow(layout, bits.data() + layout.RowOffset(y), pixels->Row(y));
    return pixels;
}

std::optional<BmpImage> ReadBmp(const std::uint8_t* data, std::size_t size) {
    if (!data || size < FileHeaderSize + 12)
        return std::nullopt;
    WORD signature;
    std::memcpy(&signature, data, sizeof signature);
    if (signature != BmpSignature)
        return std::nullopt;
    const DWORD pixelOffset = ReadDword(data + 10);
    // The header and colour table (at most 124 + 12 + 1024 bytes) are read from an aligned copy.
    const std::size_t headerBytes = std::min<std::size_t>(size - FileHeaderSize, 2048);
    std::vector<DWORD> header((headerBytes + 3) / 4, 0);
    std::memcpy(header.data(), data + FileHeaderSize, headerBytes);
    std::optional<DibLayout> layout =
        ReadDibLayout(reinterpret_cast<const BITMAPINFO*>(header.data()), DibReadOptions{headerBytes, true});
    if (!layout)
        return std::nullopt;
    const DWORD headerSize = ReadDword(data + FileHeaderSize);
    if (pixelOffset < FileHeaderSize + headerSize || pixelOffset >= size)
        return std::nullopt;

    BmpImage image;
    const std::uint8_t* pixelData = data + pixelOffset;
    const std::size_t available = size - pixelOffset;
    if (layout->compression == BI_RLE8 || layout->compression == BI_RLE4) {
        const DWORD declared = ReadDword(data + FileHeaderSize + 20);
        const std::size_t length = declared && declared < available ? declared : available;
        std::vector<std::uint8_t> indices;
        if (!DecodeRle(*layout, pixelData, length, indices))
            return std::nullopt;
        image.layout = *layout;
        image.layout.compression = BI_RGB;
        image.layout.bitsPerPixel = 8;
        image.layout.topDown = true;
        image.bits.resize(image.layout.ImageSize());
        for (int y = 0; y < layout->height; ++y)
            std::memcpy(image.bits.data() + image.layout.RowOffset(y),
                        indices.data() + static_cast<std::size_t>(y) * layout->width,
                        static_cast<std::size_t>(layout->width));
        return image;
    }
    if (layout->ImageSize() > available)
        return std::nullopt;
    image.layout = std::move(*layout);
    image.bits.assign(pixelData, pixelData + image.layout.ImageSize());
    return image;
}

std::optional<BmpImage> ReadBmpFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return std::nullopt;
    }
    const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(file)),
                                         std::istreambuf_iterator<char>());
    std::optional<BmpImage> image = ReadBmp(data.data(), data.size());
    if (!image)
        SetLastError(ERROR_INVALID_DATA);
    return image;
}

std::vector<std::uint8_t> EncodeBmp(const PixelSurface& pixels, int bitsPerPixel) {
    DibLayout layout;
    layout.width = pixels.Width();
    layout.height = pixels.Height();
    layout.bitsPerPixel = bitsPerPixel;
    DefaultMasks(layout);
    if (bitsPerPixel <= 8) {
        std::set<Pixel> colours;
        const std::size_t limit = std::size_t{1} << bitsPerPixel;
        for (int y = 0; y < pixels.Height() && colours.size() <= limit; ++y)
            for (int x = 0; x < pixels.Width() && colours.size() <= limit; ++x)
                colours.insert(pixels.At(x, y));
        if (colours.size() <= limit)
            layout.palette.assign(colours.begin(), colours.end());
        else
            layout.palette = StandardPalette(bitsPerPixel);
        layout.palette.resize(limit, PixelBlack);
    }
    const std::size_t tableSize = layout.palette.size() * 4;
    const std::size_t offset = FileHeaderSize + sizeof(BITMAPINFOHEADER) + tableSize;
    std::vector<std::uint8_t> out(offset + layout.ImageSize(), 0);
    PutWord(out, 0, BmpSignature);
    PutDword(out, 2, static_cast<DWORD>(out.size()));
    PutDword(out, 10, static_cast<DWORD>(offset));
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = layout.width;
    header.biHeight = layout.height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bitsPerPixel);
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(layout.ImageSize());
    header.biXPelsPerMeter = 3780; // 96 dots per inch
    header.biYPelsPerMeter = 3780;
    header.biClrUsed = static_cast<DWORD>(layout.palette.size());
    std::memcpy(out.data() + FileHeaderSize, &header, sizeof header);
    for (std::size_t i = 0; i < layout.palette.size(); ++i) {
        const Pixel entry = layout.palette[i];
        std::uint8_t* quad = out.data() + FileHeaderSize + sizeof header + 4 * i;
        quad[0] = static_cast<std::uint8_t>(entry);
        quad[1] = static_cast<std::uint8_t>(entry >> 8);
        quad[2] = static_cast<std::uint8_t>(entry >> 16);
    }
    DibRowEncoder encoder(layout);
    for (int y = 0; y < layout.height; ++y)
        encoder.Encode(pixels.Row(y), out.data() + offset + layout.RowOffset(y));
    return out;
}

bool WriteBmpFile(const PixelSurface& pixels, int bitsPerPixel, const std::string& path) {
    const std::vector<std::uint8_t> data = EncodeBmp(pixels, bitsPerPixel);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        SetLastErrorFromErrno();
        return false;
    }
    const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        SetLastError(ERROR_WRITE_FAULT);
        return false;
    }
    return true;
}

} // namespace platform
