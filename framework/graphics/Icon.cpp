#include "framework/graphics/Icon.h"

#include "core/Stream.h"
#include "framework/graphics/BitmapImage.h"
#include "framework/graphics/Canvas.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/WinUserDraw.h"

#include <cstring>
#include <vector>

namespace {

#pragma pack(push, 2)
struct IconDir {
    WORD reserved;
    WORD type;
    WORD count;
};
struct IconDirEntry {
    BYTE width;
    BYTE height;
    BYTE colorCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    DWORD imageOffset;
};
#pragma pack(pop)

[[noreturn]] void InvalidIcon() {
    throw EInvalidGraphic("Icon image is not valid");
}

// A bottom-up section of the icon's size and depth, for reading its pictures back.
struct Section {
    HBITMAP bitmap = nullptr;
    std::uint8_t* bits = nullptr;
    Section(int width, int height, int bitCount) {
        std::vector<std::uint8_t> header(sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD));
        auto* info = reinterpret_cast<BITMAPINFO*>(header.data());
        info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info->bmiHeader.biWidth = width;
        info->bmiHeader.biHeight = height;
        info->bmiHeader.biPlanes = 1;
        info->bmiHeader.biBitCount = static_cast<WORD>(bitCount);
        info->bmiColors[1] = RGBQUAD{255, 255, 255, 0};
        void* memory = nullptr;
        bitmap = CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &memory, nullptr, 0);
        bits = static_cast<std::uint8_t*>(memory);
    }
    ~Section() {
        if (bitmap)
            DeleteObject(bitmap);
    }
    Section(const Section&) = delete;
    Section& operator=(const Section&) = delete;
};

} // namespace

const TClass& TIcon::ClassInfo() {
    static const TClass info("TIcon", &TGraphic::ClassInfo());
    return info;
}

TIcon::~TIcon() {
    if (m_handle)
        DestroyIcon(m_handle);
}

void TIcon::SetWidth(int width) {
    if (width != m_width)
        throw EInvalidGraphic("Cannot change the size of an icon");
}

void TIcon::SetHeight(int height) {
    if (height != m_height)
        throw EInvalidGraphic("Cannot change the size of an icon");
}

void TIcon::SetHandle(HICON icon) {
    if (icon && icon == m_handle)
        return;
    if (m_handle)
        DestroyIcon(m_handle);
    m_handle = icon;
    m_width = m_height = 0;
    ICONINFO info{};
    if (icon && GetIconInfo(icon, &info)) {
        BITMAP picture{};
        if (info.hbmColor && GetObjectA(info.hbmColor, sizeof(picture), &picture)) {
            m_width = picture.bmWidth;
            m_height = picture.bmHeight;
        } else if (info.hbmMask && GetObjectA(info.hbmMask, sizeof(picture), &picture)) {
            m_width = picture.bmWidth;
            m_height = picture.bmHeight / 2;
        }
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        if (info.hbmMask)
            DeleteObject(info.hbmMask);
    }
    Changed();
}

HICON TIcon::ReleaseHandle() {
    HICON icon = m_handle;
    m_handle = nullptr;
    m_width = m_height = 0;
    return icon;
}

void TIcon::Assign(const TPersistent* source) {
    if (source == this)
        return;
    if (!source) {
        SetHandle(nullptr);
        return;
    }
    if (const auto* icon = dynamic_cast<const TIcon*>(source)) {
        SetHandle(icon->m_handle ? CopyIcon(icon->m_handle) : nullptr);
        return;
    }
    TGraphic::Assign(source);
}

void TIcon::Draw(TCanvas& canvas, const TRect& rect) {
    DrawIconEx(canvas.Handle(), rect.left, rect.top, m_handle, RectWidth(rect), RectHeight(rect), 0, nullptr,
               DI_NORMAL);
}

void TIcon::LoadFromStream(TStream& stream) {
    const std::int64_t available = stream.Size() - stream.Position();
    if (available < static_cast<std::int64_t>(sizeof(IconDir) + sizeof(IconDirEntry)) ||
        available > (1 << 26))
        InvalidIcon();
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(available));
    stream.ReadBuffer(bytes.data(), available);
    IconDir dir{};
    IconDirEntry entry{};
    std::memcpy(&dir, bytes.data(), sizeof(dir));
    std::memcpy(&entry, bytes.data() + sizeof(dir), sizeof(entry));
    if (dir.reserved != 0 || dir.type != 1 || dir.count == 0)
        InvalidIcon();
    if (entry.imageOffset > bytes.size() || entry.bytesInRes > bytes.size() - entry.imageOffset)
        InvalidIcon();
    // The image is copied to memory aligned for its header structures.
    const std::vector<std::uint8_t> imageBytes(bytes.begin() + entry.imageOffset,
                                               bytes.begin() + entry.imageOffset + entry.bytesInRes);
    const std::uint8_t* image = imageBytes.data();
    const auto* info = reinterpret_cast<const BITMAPINFO*>(image);
    platform::DibReadOptions options;
    options.available = entry.bytesInRes;
    const std::optional<platform::DibLayout> layout = platform::ReadDibLayout(info, options);
    if (entry.bytesInRes < sizeof(BITMAPINFOHEADER) || !layout || layout->topDown ||
        layout->height % 2 != 0 || (layout->compression != BI_RGB && layout->compression != BI_BITFIELDS))
        InvalidIcon();
    const int width = layout->width;
    const int height = layout->height / 2;
    const std::size_t tableEnd = platform::DibHeaderAndTableSize(info);
    const std::size_t colorSize = platform::DibLayout::StrideFor(width, layout->bitsPerPixel) * height;
    const std::size_t maskSize = platform::DibLayout::StrideFor(width, 1) * height;
    if (tableEnd + colorSize + maskSize > entry.bytesInRes)
        InvalidIcon();

    bitmap_image::PackedDib color;
    color.header.assign(image, image + tableEnd);
    reinterpret_cast<BITMAPINFOHEADER*>(color.header.data())->biHeight = height;
    reinterpret_cast<BITMAPINFOHEADER*>(color.header.data())->biSizeImage = 0;
    color.bits.assign(image + tableEnd, image + tableEnd + colorSize);
    bitmap_image::PackedDib mask;
    mask.header.resize(sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD));
    auto* maskInfo = reinterpret_cast<BITMAPINFO*>(mask.header.data());
    maskInfo->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    maskInfo->bmiHeader.biWidth = width;
    maskInfo->bmiHeader.biHeight = height;
    maskInfo->bmiHeader.biPlanes = 1;
    maskInfo->bmiHeader.biBitCount = 1;
    maskInfo->bmiColors[1] = RGBQUAD{255, 255, 255, 0};
    mask.bits.assign(image + tableEnd + colorSize, image + tableEnd + colorSize + maskSize);

    bitmap_image::Kind colorKind;
    colorKind.device = false;
    colorKind.bitCount = layout->bitsPerPixel;
    bitmap_image::Kind maskKind;
    maskKind.device = true;
    maskKind.monochrome = true;
    ICONINFO iconInfo{};
    iconInfo.fIcon = TRUE;
    iconInfo.hbmColor = bitmap_image::CreateFromPacked(color, colorKind, nullptr);
    iconInfo.hbmMask = bitmap_image::CreateFromPacked(mask, maskKind, nullptr);
    HICON icon = iconInfo.hbmColor && iconInfo.hbmMask ? CreateIconIndirect(&iconInfo) : nullptr;
    if (iconInfo.hbmColor)
        DeleteObject(iconInfo.hbmColor);
    if (iconInfo.hbmMask)
        DeleteObject(iconInfo.hbmMask);
    if (!icon)
        InvalidIcon();
    SetHandle(icon);
}

void TIcon::SaveToStream(TStream& stream) {
    if (Empty())
        return;
    Section color(m_width, m_height, 32);
    Section mask(m_width, m_height, 1);
    if (!color.bitmap || !mask.bitmap)
        throw EInvalidGraphic("Out of system resources");
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, color.bitmap);
    DrawIconEx(dc, 0, 0, m_handle, m_width, m_height, 0, nullptr, DI_IMAGE);
    SelectObject(dc, mask.bitmap);
    // The mask is drawn by AND: it starts white.
    PatBlt(dc, 0, 0, m_width, m_height, WHITENESS);
    DrawIconEx(dc, 0, 0, m_handle, m_width, m_height, 0, nullptr, DI_MASK);
    SelectObject(dc, old);
    DeleteDC(dc);
    GdiFlush();

    const std::size_t colorSize = platform::DibLayout::StrideFor(m_width, 32) * m_height;
    const std::size_t maskSize = platform::DibLayout::StrideFor(m_width, 1) * m_height;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = m_width;
    header.biHeight = m_height * 2;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biSizeImage = static_cast<DWORD>(colorSize + maskSize);
    IconDir dir{0, 1, 1};
    IconDirEntry entry{};
    entry.width = static_cast<BYTE>(m_width >= 256 ? 0 : m_width);
    entry.height = static_cast<BYTE>(m_height >= 256 ? 0 : m_height);
    entry.planes = 1;
    entry.bitCount = 32;
    entry.bytesInRes = static_cast<DWORD>(sizeof(header) + colorSize + maskSize);
    entry.imageOffset = sizeof(dir) + sizeof(entry);
    stream.WriteBuffer(&dir, sizeof(dir));
    stream.WriteBuffer(&entry, sizeof(entry));
    stream.WriteBuffer(&header, sizeof(header));
    stream.WriteBuffer(color.bits, static_cast<std::int64_t>(colorSize));
    stream.WriteBuffer(mask.bits, static_cast<std::int64_t>(maskSize));
}
