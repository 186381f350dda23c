#include "framework/graphics/BitmapImage.h"

#include "core/Stream.h"
#include "platform/gdi/BmpFile.h"
#include "platform/gdi/DibFormat.h"

#include <cstring>

namespace bitmap_image {

namespace {

constexpr std::size_t MaxHeaderSize = sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);

void Append(std::vector<std::uint8_t>& bytes, const void* data, std::size_t size) {
    const std::size_t at = bytes.size();
    bytes.resize(at + size);
    std::memcpy(bytes.data() + at, data, size);
}

void AppendPalette(std::vector<std::uint8_t>& header, const std::vector<platform::Pixel>& palette) {
    for (platform::Pixel pixel : palette) {
        const RGBQUAD quad{static_cast<BYTE>(pixel), static_cast<BYTE>(pixel >> 8),
                           static_cast<BYTE>(pixel >> 16), 0};
        Append(header, &quad, sizeof(quad));
    }
}

std::size_t Stride(int width, int bitCount) {
    return platform::DibLayout::StrideFor(width, bitCount);
}

// A bottom-up header for the kind, with the standard palette of indexed depths and the masks
// of 16 bits.
std::vector<std::uint8_t> HeaderFor(int width, int height, const Kind& kind) {
    const int bitCount = kind.device ? (kind.monochrome ? 1 : 32) : kind.bitCount;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(BITMAPINFOHEADER);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(bitCount);
    info.biCompression = bitCount == 16 && kind.sixBitGreen ? BI_BITFIELDS : BI_RGB;
    info.biSizeImage = static_cast<DWORD>(Stride(width, bitCount) * static_cast<std::size_t>(height));
    std::vector<platform::Pixel> palette;
    if (bitCount <= 8) {
        palette = platform::StandardPalette(bitCount);
        info.biClrUsed = static_cast<DWORD>(palette.size());
    }
    std::vector<std::uint8_t> header;
    Append(header, &info, sizeof(info));
    AppendPalette(header, palette);
    if (info.biCompression == BI_BITFIELDS) {
        const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
        Append(header, masks, sizeof(masks));
    }
    return header;
}

// A memory DC holding a bitmap for the length of one copy.
class SelectedBitmap {
public:
    explicit SelectedBitmap(HBITMAP bitmap)
        : m_dc(CreateCompatibleDC(nullptr)), m_old(SelectObject(m_dc, bitmap)) {}
    ~SelectedBitmap() {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
    }
    SelectedBitmap(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(const SelectedBitmap&) = delete;
    HDC Dc() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

} // namespace

HBITMAP CreateBlank(int width, int height, const Kind& kind, void** bits) {
    if (bits)
        *bits = nullptr;
    HBITMAP bitmap = nullptr;
    if (kind.device) {
        bitmap = CreateBitmap(width, height, 1, kind.monochrome ? 1 : 32, nullptr);
    } else {
        const std::vector<std::uint8_t> header = HeaderFor(width, height, kind);
        bitmap = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(header.data()), DIB_RGB_COLORS,
                                  bits, nullptr, 0);
    }
    if (bitmap) {
        SelectedBitmap selected(bitmap);
        PatBlt(selected.Dc(), 0, 0, width, height, WHITENESS);
    }
    return bitmap;
}

std::optional<HandleFacts> Inspect(HBITMAP bitmap) {
    DIBSECTION section{};
    const int size = GetObjectA(bitmap, sizeof(section), &section);
    if (size == 0)
        return std::nullopt;
    HandleFacts facts;
    facts.width = section.dsBm.bmWidth;
    facts.height = section.dsBm.bmHeight;
    if (size == static_cast<int>(sizeof(DIBSECTION))) {
        facts.kind.device = false;
        facts.kind.bitCount = section.dsBmih.biBitCount;
        facts.bits = section.dsBm.bmBits;
        facts.topDown = section.dsBmih.biHeight < 0;
        facts.greenMask = section.dsBmih.biCompression == BI_BITFIELDS ? section.dsBitfields[1] : 0;
        facts.kind.sixBitGreen = facts.kind.bitCount == 16 && facts.greenMask == 0x07E0;
    } else {
        facts.kind.device = true;
        facts.kind.monochrome = section.dsBm.bmBitsPixel == 1;
        facts.kind.bitCount = facts.kind.monochrome ? 1 : 32;
    }
    return facts;
}

std::optional<PackedDib> ReadPixels(HBITMAP bitmap) {
    const std::optional<HandleFacts> facts = Inspect(bitmap);
    if (!facts || facts->width <= 0 || facts->height <= 0)
        return std::nullopt;
    PackedDib dib;
    if (!facts->kind.device) {
        // A section keeps its own colour table and masks: ask for them with its depth.
        DIBSECTION section{};
        GetObjectA(bitmap, sizeof(section), &section);
        dib.header.resize(MaxHeaderSize);
        auto* info = reinterpret_cast<BITMAPINFOHEADER*>(dib.header.data());
        *info = section.dsBmih;
        info->biSize = sizeof(BITMAPINFOHEADER);
        info->biHeight = facts->height;
        if (info->biCompression == BI_BITFIELDS)
            std::memcpy(dib.header.data() + sizeof(BITMAPINFOHEADER), section.dsBitfields,
                        sizeof(section.dsBitfields));
    } else {
        dib.header = HeaderFor(facts->width, facts->height, facts->kind);
        dib.header.resize(MaxHeaderSize);
    }
    const int bitCount = reinterpret_cast<BITMAPINFOHEADER*>(dib.header.data())->biBitCount;
    dib.bits.resize(Stride(facts->width, bitCount) * static_cast<std::size_t>(facts->height));
    HDC dc = CreateCompatibleDC(nullptr);
    const int lines = GetDIBits(dc, bitmap, 0, static_cast<UINT>(facts->height), dib.bits.data(),
                                reinterpret_cast<BITMAPINFO*>(dib.header.data()), DIB_RGB_COLORS);
    DeleteDC(dc);
    if (lines != facts->height)
        return std::nullopt;
    dib.header.resize(platform::DibHeaderAndTableSize(dib.Info()));
    return dib;
}

HBITMAP CreateFromPacked(const PackedDib& dib, const Kind& kind, void** bits) {
    if (bits)
        *bits = nullptr;
    if (kind.device) {
        HBITMAP bitmap = CreateBitmap(dib.Width(), dib.Height(), 1, kind.monochrome ? 1 : 32, nullptr);
        if (bitmap) {
            HDC dc = CreateCompatibleDC(nullptr);
            SetDIBits(dc, bitmap, 0, static_cast<UINT>(dib.Height()), dib.bits.data(), dib.Info(),
                      DIB_RGB_COLORS);
            DeleteDC(dc);
        }
        return bitmap;
    }
    void* memory = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, dib.Info(), DIB_RGB_COLORS, &memory, nullptr, 0);
    if (bitmap && memory)
        std::memcpy(memory, dib.bits.data(), dib.bits.size());
    if (bits)
        *bits = memory;
    return bitmap;
}

void CopyPicture(HBITMAP from, HBITMAP to, int width, int height) {
    SelectedBitmap source(from);
    SelectedBitmap dest(to);
    BitBlt(dest.Dc(), 0, 0, width, height, source.Dc(), 0, 0, SRCCOPY);
}

std::optional<PackedDib> ParseBmpFile(const std::uint8_t* data, std::size_t size) {
    std::optional<platform::BmpImage> image = platform::ReadBmp(data, size);
    if (!image)
        return std::nullopt;
    const platform::DibLayout& layout = image->layout;
    Kind kind;
    kind.device = false;
    kind.bitCount = layout.bitsPerPixel;
    // The file's own colours and masks replace the standard ones.
    BITMAPINFOHEADER info{};
    std::memcpy(&info, HeaderFor(layout.width, layout.height, kind).data(), sizeof(info));
    info.biClrUsed = layout.IsIndexed() ? static_cast<DWORD>(layout.palette.size()) : 0;
    const bool masked = layout.bitsPerPixel == 16 || layout.bitsPerPixel == 32;
    info.biCompression = masked ? BI_BITFIELDS : BI_RGB;
    std::vector<std::uint8_t> header;
    Append(header, &info, sizeof(info));
    AppendPalette(header, layout.palette);
    if (masked)
        Append(header, layout.masks, sizeof(layout.masks));
    PackedDib dib;
    dib.header = std::move(header);
    const std::size_t stride = layout.Stride();
    dib.bits.resize(layout.ImageSize());
    for (int y = 0; y < layout.height; ++y) {
        std::memcpy(dib.bits.data() + static_cast<std::size_t>(layout.height - 1 - y) * stride,
                    image->bits.data() + layout.RowOffset(y), stride);
    }
    return dib;
}

void WriteBmpFile(const PackedDib& dib, TStream& stream) {
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + dib.header.size());
    file.bfSize = static_cast<DWORD>(file.bfOffBits + dib.bits.size());
    stream.WriteBuffer(&file, sizeof(file));
    stream.WriteBuffer(dib.header.data(), static_cast<std::int64_t>(dib.header.size()));
    stream.WriteBuffer(dib.bits.data(), static_cast<std::int64_t>(dib.bits.size()));
}

} // namespace bitmap_image
