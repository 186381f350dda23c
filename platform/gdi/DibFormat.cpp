#include "platform/gdi/DibFormat.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>

namespace platform {

namespace {

constexpr std::size_t CoreHeaderSize = 12;
constexpr std::size_t InfoHeaderSize = 40;
// Version 2 and later headers carry the bit-field masks inside the header.
constexpr std::size_t HeaderWithMasksSize = 52;
constexpr std::size_t LargestHeaderSize = 124;

DWORD ReadDword(const std::uint8_t* bytes) {
    DWORD value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

bool IsContiguous(DWORD mask) {
    if (mask == 0)
        return true;
    DWORD shifted = mask >> std::countr_zero(mask);
    return (shifted & (shifted + 1)) == 0;
}

// One channel of a bit-field pixel, scaled to 8 bits.
struct Channel {
    DWORD mask = 0;
    int shift = 0;
    DWORD maximum = 0;

    explicit Channel(DWORD channelMask = 0) : mask(channelMask) {
        if (mask) {
            shift = std::countr_zero(mask);
            maximum = mask >> shift;
        }
    }
    std::uint32_t Decode(DWORD value) const {
        if (!maximum)
            return 0;
        DWORD raw = (value & mask) >> shift;
        return static_cast<std::uint32_t>((std::uint64_t{raw} * 255 + maximum / 2) / maximum);
    }
    DWORD Encode(std::uint32_t value8) const {
        if (!maximum)
            return 0;
        DWORD raw = static_cast<DWORD>((std::uint64_t{value8} * maximum + 127) / 255);
        return (raw << shift) & mask;
    }
};

Pixel FromQuad(const std::uint8_t* quad) {
    return (Pixel{quad[2]} << 16) | (Pixel{quad[1]} << 8) | quad[0];
}

} // namespace

void DefaultMasks(DibLayout& layout) {
    if (layout.bitsPerPixel == 16) {
        layout.masks[0] = 0x7C00;
        layout.masks[1] = 0x03E0;
        layout.masks[2] = 0x001F;
    } else if (layout.bitsPerPixel == 32) {
        layout.masks[0] = 0x00FF0000;
        layout.masks[1] = 0x0000FF00;
        layout.masks[2] = 0x000000FF;
    }
}

std::optional<DibLayout> ReadDibLayout(const BITMAPINFO* info, const DibReadOptions& options) {
    if (!info || options.available < CoreHeaderSize)
        return std::nullopt;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(info);
    const DWORD headerSize = ReadDword(bytes);

    DibLayout layout;
    std::size_t tableOffset = headerSize;
    std::size_t entrySize = 4;
    DWORD colorsUsed = 0;
    if (headerSize == CoreHeaderSize) {
        BITMAPCOREHEADER core;
        std::memcpy(&core, bytes, sizeof core);
        layout.width = core.bcWidth;
        layout.height = core.bcHeight;
        layout.bitsPerPixel = core.bcBitCount;
        entrySize = 3;
    } else if (headerSize >= InfoHeaderSize && headerSize <= LargestHeaderSize) {
        if (options.available < headerSize)
            return std::nullopt;
        BITMAPINFOHEADER header;
        std::memcpy(&header, bytes, sizeof header);
        if (header.biHeight == INT32_MIN)
            return std::nullopt;
        layout.width = header.biWidth;
        layout.topDown = header.biHeight < 0;
        layout.height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
        layout.bitsPerPixel = header.biBitCount;
        layout.compression = header.biCompression;
        colorsUsed = header.biClrUsed;
        if (layout.compression == BI_BITFIELDS) {
            std::size_t maskOffset = InfoHeaderSize;
            if (headerSize < HeaderWithMasksSize) {
                tableOffset += 12;
                if (options.available < tableOffset)
                    return std::nullopt;
            }
            for (int i = 0; i < 3; ++i)
                layout.masks[i] = ReadDword(bytes + maskOffset + 4 * i);
        }
    } else {
        return std::nullopt;
    }

    if (layout.width <= 0 || layout.height <= 0 ||
        std::int64_t{layout.width} * layout.height > MaxBitmapPixels)
        return std::nullopt;

    switch (layout.bitsPerPixel) {
    case 1:
    case 24:
        if (layout.compression != BI_RGB)
            return std::nullopt;
        break;
    case 4:
    case 8:
        if (layout.compression == BI_RGB)
            break;
        if (!options.allowRle || layout.topDown ||
            layout.compression != (layout.bitsPerPixel == 8 ? BI_RLE8 : BI_RLE4))
            return std::nullopt;
        break;
    case 16:
    case 32:
        if (layout.compression == BI_RGB) {
            DefaultMasks(layout);
        } else if (layout.compression == BI_BITFIELDS) {
            for (DWORD mask : layout.masks) {
                if (!IsContiguous(mask) || (layout.bitsPerPixel == 16 && mask > 0xFFFF))
                    return std::nullopt;
            }
            if ((layout.masks[0] & layout.masks[1]) || (layout.masks[1] & layout.masks[2]) ||
                (layout.masks[0] & layout.masks[2]))
                return std::nullopt;
        } else {
            return std::nullopt;
        }
        break;
    default:
        return std::nullopt;
    }

    if (layout.IsIndexed()) {
        const std::size_t maxEntries = std::size_t{1} << layout.bitsPerPixel;
        std::size_t entries = colorsUsed ? std::min<std::size_t>(colorsUsed, maxEntries) : maxEntries;
        if (options.usage == DIB_PAL_COLORS)
            return std::nullopt;
        if (tableOffset + entries * entrySize > options.available)
            return std::nullopt;
        layout.palette.resize(entries);
        for (std::size_t i = 0; i < entries; ++i)
            layout.palette[i] = FromQuad(bytes + tableOffset + i * entrySize);
    }
    return layout;
}

std::size_t DibHeaderAndTableSize(const BITMAPINFO* info) {
    const DWORD headerSize = info->bmiHeader.biSize;
    if (headerSize == CoreHeaderSize) {
        const auto* core = reinterpret_cast<const BITMAPCOREHEADER*>(info);
        return core->bcBitCount <= 8 ? CoreHeaderSize + 3 * (std::size_t{1} << core->bcBitCount)
                                     : CoreHeaderSize;
    }
    std::size_t size = headerSize;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biCompression == BI_BITFIELDS && headerSize < HeaderWithMasksSize)
        size += 12;
    if (header.biBitCount <= 8) {
        const std::size_t maxEntries = std::size_t{1} << header.biBitCount;
        size += 4 * (header.biClrUsed ? std::min<std::size_t>(header.biClrUsed, maxEntries) : maxEntries);
    }
    return size;
}

std::vector<Pixel> StandardPalette(int bitsPerPixel) {
    if (bitsPerPixel == 1)
        return {PixelBlack, PixelWhite};
    if (bitsPerPixel == 4) {
        return {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    }
    std::vector<Pixel> palette;
    palette.reserve(256);
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b)
                palette.push_back((Pixel(r * 51) << 16) | (Pixel(g * 51) << 8) | Pixel(b * 51));
        }
    }
    // 40 greys between the cube's steps.
    for (int i = 1; palette.size() < 256; ++i) {
        Pixel v = static_cast<Pixel>(i * 255 / 41);
        palette.push_back((v << 16) | (v << 8) | v);
    }
    return palette;
}

void DecodeDibRow(const DibLayout& layout, const std::uint8_t* row, Pixel* out) {
    const int width = layout.width;
    const auto paletteEntry = [&](unsigned index) {
        return index < layout.palette.size() ? layout.palette[index] : PixelBlack;
    };
    switch (layout.bitsPerPixel) {
    case 1:
        for (int x = 0; x < width; ++x)
            out[x] = paletteEntry((row[x >> 3] >> (7 - (x & 7))) & 1);
        break;
    case 4:
        for (int x = 0; x < width; ++x)
            out[x] = paletteEntry((x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4));
        break;
    case 8:
        for (int x = 0; x < width; ++x)
            out[x] = paletteEntry(row[x]);
        break;
    case 16: {
        const Channel red(layout.masks[0]), green(layout.masks[1]), blue(layout.masks[2]);
        for (int x = 0; x < width; ++x) {
            DWORD value = DWORD{row[2 * x]} | (DWORD{row[2 * x + 1]} << 8);
            out[x] = (red.Decode(value) << 16) | (green.Decode(value) << 8) | blue.Decode(value);
        }
        break;
    }
    case 24:
        for (int x = 0; x < width; ++x)
            out[x] = FromQuad(row + 3 * x);
        break;
    case 32:
        if (layout.masks[0] == 0x00FF0000 && layout.masks[1] == 0x0000FF00 && layout.masks[2] == 0x000000FF) {
            for (int x = 0; x < width; ++x)
                out[x] = ReadDword(row + 4 * x) & PixelRgbMask;
        } else {
            const Channel red(layout.masks[0]), green(layout.masks[1]), blue(layout.masks[2]);
            for (int x = 0; x < width; ++x) {
                DWORD value = ReadDword(row + 4 * x);
                out[x] = (red.Decode(value) << 16) | (green.Decode(value) << 8) | blue.Decode(value);
            }
        }
        break;
    default:
        break;
    }
}

DibRowEncoder::DibRowEncoder(const DibLayout& layout) : m_layout(layout) {}

int DibRowEncoder::NearestIndex(Pixel pixel) {
    auto found = m_cache.find(pixel);
    if (found != m_cache.end())
        return found->second;
    int best = 0;
    long bestDistance = LONG_MAX;
    for (std::size_t i = 0; i < m_layout.palette.size(); ++i) {
        Pixel entry = m_layout.palette[i];
        long dr = long((pixel >> 16) & 0xFF) - long((entry >> 16) & 0xFF);
        long dg = long((pixel >> 8) & 0xFF) - long((entry >> 8) & 0xFF);
        long db = long(pixel & 0xFF) - long(entry & 0xFF);
        long distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
            if (distance == 0)
                break;
        }
    }
    m_cache.emplace(pixel, best);
    return best;
}

void DibRowEncoder::Encode(const Pixel* in, std::uint8_t* row) {
    const int width = m_layout.width;
    switch (m_layout.bitsPerPixel) {
    case 1:
        std::memset(row, 0, (static_cast<std::size_t>(width) + 7) / 8);
        for (int x = 0; x < width; ++x) {
            if (NearestIndex(in[x] & PixelRgbMask))
                row[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
        }
        break;
    case 4:
        std::memset(row, 0, (static_cast<std::size_t>(width) + 1) / 2);
        for (int x = 0; x < width; ++x) {
            auto index = static_cast<std::uint8_t>(NearestIndex(in[x] & PixelRgbMask));
            row[x >> 1] |= (x & 1) ? index : static_cast<std::uint8_t>(index << 4);
        }
        break;
    case 8:
        for (int x = 0; x < width; ++x)
            row[x] = static_cast<std::uint8_t>(NearestIndex(in[x] & PixelRgbMask));
        break;
    case 16: {
        const Channel red(m_layout.masks[0]), green(m_layout.masks[1]), blue(m_layout.masks[2]);
        for (int x = 0; x < width; ++x) {
            DWORD value = red.Encode((in[x] >> 16) & 0xFF) | green.Encode((in[x] >> 8) & 0xFF) |
                          blue.Encode(in[x] & 0xFF);
            row[2 * x] = static_cast<std::uint8_t>(value);
            row[2 * x + 1] = static_cast<std::uint8_t>(value >> 8);
        }
        break;
    }
    case 24:
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(in[x]);
            row[3 * x + 1] = static_cast<std::uint8_t>(in[x] >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(in[x] >> 16);
        }
        break;
    case 32: {
        const Channel red(m_layout.masks[0]), green(m_layout.masks[1]), blue(m_layout.masks[2]);
        for (int x = 0; x < width; ++x) {
            DWORD value = red.Encode((in[x] >> 16) & 0xFF) | green.Encode((in[x] >> 8) & 0xFF) |
                          blue.Encode(in[x] & 0xFF);
            std::memcpy(row + 4 * x, &value, sizeof value);
        }
        break;
    }
    default:
        break;
    }
}

bool DecodeRle(const DibLayout& layout, const std::uint8_t* data, std::size_t size,
               std::vector<std::uint8_t>& indices) {
    const int width = layout.width;
    const int height = layout.height;
    const bool four = layout.compression == BI_RLE4;
    indices.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    int x = 0;
    int yFromBottom = 0;
    std::size_t pos = 0;
    const auto put = [&](std::uint8_t index) {
        if (x < width && yFromBottom < height)
            indices[static_cast<std::size_t>(height - 1 - yFromBottom) * width + x] = index;
        ++x;
    };
    while (pos < size) {
        if (size - pos < 2)
            return false;
        const std::uint8_t count = data[pos];
        const std::uint8_t value = data[pos + 1];
        pos += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(four ? static_cast<std::uint8_t>((i & 1) ? (value & 0x0F) : (value >> 4)) : value);
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            ++yFromBottom;
        } else if (value == 1) { // end of bitmap
            return true;
        } else if (value == 2) { // move by (dx, dy)
            if (size - pos < 2)
                return false;
            x += data[pos];
            yFromBottom += data[pos + 1];
            pos += 2;
        } else { // `value` literal pixels, padded to a 16-bit boundary
            const std::size_t bytes = four ? (std::size_t{value} + 1) / 2 : value;
            const std::size_t padded = (bytes + 1) & ~std::size_t{1};
            if (size - pos < padded)
                return false;
            for (int i = 0; i < value; ++i) {
                std::uint8_t byte =
                    data[pos + (four ? static_cast<std::size_t>(i / 2) : static_cast<std::size_t>(i))];
                put(four ? static_cast<std::uint8_t>((i & 1) ? (byte & 0x0F) : (byte >> 4)) : byte);
            }
            pos += padded;
        }
        if (yFromBottom > height)
            return true;
    }
    return true;
}

} // namespace platform
