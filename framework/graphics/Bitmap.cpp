#include "framework/graphics/Bitmap.h"

#include "core/Format.h"
#include "core/Stream.h"
#include "framework/classes/PropertyTable.h"
#include "framework/graphics/Canvas.h"
#include "platform/gdi/DibFormat.h"
#include "platform/gdi/WinUserDraw.h"

#include <algorithm>
#include <cstring>
#include <vector>

using bitmap_image::Kind;

// The canvas of a bitmap: a memory DC holding the bitmap's handle, made on first use and let
// go whenever the bitmap changes its handle.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& bitmap) : m_bitmap(bitmap) {}
    ~TBitmapCanvas() override { FreeContext(); }

    void FreeContext() {
        if (!m_dc)
            return;
        DeselectHandles();
        SelectObject(m_dc, m_oldBitmap);
        DeleteDC(m_dc);
        m_dc = nullptr;
        m_oldBitmap = nullptr;
    }

protected:
    void CreateHandle() override {
        HBITMAP bitmap = m_bitmap.Handle();
        m_dc = CreateCompatibleDC(nullptr);
        if (!m_dc)
            return;
        m_oldBitmap = bitmap ? SelectObject(m_dc, bitmap) : nullptr;
        SetHandle(m_dc);
    }

private:
    TBitmap& m_bitmap;
    HDC m_dc = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
};

namespace {

Kind KindOfFormat(TPixelFormat format) {
    Kind kind;
    kind.device = false;
    switch (format) {
    case pf1bit:
        kind.bitCount = 1;
        break;
    case pf4bit:
        kind.bitCount = 4;
        break;
    case pf8bit:
        kind.bitCount = 8;
        break;
    case pf15bit:
        kind.bitCount = 16;
        break;
    case pf16bit:
        kind.bitCount = 16;
        kind.sixBitGreen = true;
        break;
    case pf24bit:
        kind.bitCount = 24;
        break;
    default:
        kind.bitCount = 32;
        break;
    }
    return kind;
}

bool SameKind(const Kind& a, const Kind& b) {
    if (a.device != b.device)
        return false;
    if (a.device)
        return a.monochrome == b.monochrome;
    return a.bitCount == b.bitCount && a.sixBitGreen == b.sixBitGreen;
}

[[noreturn]] void OutOfResources() {
    throw EOutOfResources("Out of system resources");
}

} // namespace

const TEnumInfo& PixelFormatIdents() {
    static const TEnumInfo idents{
        {"pfDevice", "pf1bit", "pf4bit", "pf8bit", "pf15bit", "pf16bit", "pf24bit", "pf32bit", "pfCustom"}};
    return idents;
}

const TEnumInfo& TransparentModeIdents() {
    static const TEnumInfo idents{{"tmAuto", "tmFixed"}};
    return idents;
}

const TClass& TBitmap::ClassInfo() {
    static const TClass info(
        "TBitmap", &TGraphic::ClassInfo(),
        {
            OrdProperty("Height", &TBitmap::Height, &TBitmap::SetHeight),
            EnumProperty("Monochrome", BooleanIdents(), &TBitmap::Monochrome, &TBitmap::SetMonochrome),
            EnumProperty("PixelFormat", PixelFormatIdents(), &TBitmap::PixelFormat, &TBitmap::SetPixelFormat),
            EnumProperty("Transparent", BooleanIdents(), &TBitmap::Transparent, &TBitmap::SetTransparent),
            OrdProperty("TransparentColor", &TBitmap::TransparentColor, &TBitmap::SetTransparentColor),
            EnumProperty("TransparentMode", TransparentModeIdents(), &TBitmap::TransparentMode,
                         &TBitmap::SetTransparentMode),
            OrdProperty("Width", &TBitmap::Width, &TBitmap::SetWidth),
        });
    return info;
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    m_canvas.reset();
    DeleteHandle();
}

void TBitmap::FreeCanvasContext() {
    if (m_canvas)
        m_canvas->FreeContext();
}

void TBitmap::DeleteHandle() {
    if (m_handle)
        DeleteObject(m_handle);
    m_handle = nullptr;
    m_bits = nullptr;
}

void TBitmap::Adopt(HBITMAP bitmap, void* bits, int width, int height, const Kind& kind, bool topDown) {
    FreeCanvasContext();
    DeleteHandle();
    m_dormant.reset();
    m_handle = bitmap;
    m_bits = bits;
    m_width = width;
    m_height = height;
    m_kind = kind;
    m_topDown = topDown;
    m_greenMask = 0;
    if (bitmap) {
        if (const auto facts = bitmap_image::Inspect(bitmap))
            m_greenMask = facts->greenMask;
    }
}

void TBitmap::HandleNeeded() {
    if (m_handle || Empty())
        return;
    void* bits = nullptr;
    HBITMAP bitmap = m_dormant ? bitmap_image::CreateFromPacked(*m_dormant, m_kind, &bits)
                               : bitmap_image::CreateBlank(m_width, m_height, m_kind, &bits);
    if (!bitmap)
        OutOfResources();
    m_handle = bitmap;
    m_bits = bits;
    m_topDown = false;
    if (const auto facts = bitmap_image::Inspect(bitmap))
        m_greenMask = facts->greenMask;
    m_dormant.reset();
}

HBITMAP TBitmap::Handle() {
    HandleNeeded();
    return m_handle;
}

void TBitmap::SetHandle(HBITMAP bitmap) {
    if (bitmap && bitmap == m_handle)
        return;
    const auto facts = bitmap ? bitmap_image::Inspect(bitmap) : std::nullopt;
    if (!facts) {
        Adopt(nullptr, nullptr, 0, 0, m_kind, false);
    } else {
        Adopt(bitmap, facts->bits, facts->width, facts->height, facts->kind, facts->topDown);
    }
    Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
    HandleNeeded();
    if (!m_handle)
        return nullptr;
    FreeCanvasContext();
    m_dormant = bitmap_image::ReadPixels(m_handle);
    HBITMAP bitmap = m_handle;
    m_handle = nullptr;
    m_bits = nullptr;
    return bitmap;
}

void TBitmap::Dormant() {
    if (!m_handle)
        return;
    FreeCanvasContext();
    m_dormant = bitmap_image::ReadPixels(m_handle);
    DeleteHandle();
}

TCanvas* TBitmap::Canvas() {
    if (!m_canvas) {
        m_canvas = std::make_unique<TBitmapCanvas>(*this);
        m_canvas->OnChange = [this](TObject*) { Changed(); };
    }
    return m_canvas.get();
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_width && height == m_height)
        return;
    if (width == 0 || height == 0) {
        Adopt(nullptr, nullptr, width, height, m_kind, false);
        Changed();
        return;
    }
    void* bits = nullptr;
    HBITMAP bitmap = bitmap_image::CreateBlank(width, height, m_kind, &bits);
    if (!bitmap)
        OutOfResources();
    if (!Empty()) {
        HandleNeeded();
        FreeCanvasContext();
        bitmap_image::CopyPicture(m_handle, bitmap, std::min(width, m_width), std::min(height, m_height));
    }
    Adopt(bitmap, bits, width, height, m_kind, false);
    Changed();
}

void TBitmap::Convert(const Kind& kind) {
    if (SameKind(kind, m_kind))
        return;
    if (Empty()) {
        Adopt(nullptr, nullptr, m_width, m_height, kind, false);
        Changed();
        return;
    }
    HandleNeeded();
    FreeCanvasContext();
    // Formats meet through a blit, which maps colours to palettes and to monochrome.
    void* bits = nullptr;
    HBITMAP bitmap = bitmap_image::CreateBlank(m_width, m_height, kind, &bits);
    if (!bitmap)
        OutOfResources();
    bitmap_image::CopyPicture(m_handle, bitmap, m_width, m_height);
    Adopt(bitmap, bits, m_width, m_height, kind, false);
    Changed();
}

void TBitmap::SetHandleType(TBitmapHandleType type) {
    if (type == HandleType())
        return;
    if (type == bmDDB) {
        Kind kind;
        kind.device = true;
        kind.monochrome = Monochrome();
        Convert(kind);
    } else {
        Convert(KindOfFormat(m_kind.monochrome ? pf1bit : pf32bit));
    }
}

TPixelFormat TBitmap::PixelFormat() const {
    if (m_kind.device)
        return pfDevice;
    switch (m_kind.bitCount) {
    case 1:
        return pf1bit;
    case 4:
        return pf4bit;
    case 8:
        return pf8bit;
    case 16:
        if (m_greenMask == 0 || m_greenMask == 0x03E0)
            return pf15bit;
        return m_greenMask == 0x07E0 ? pf16bit : pfCustom;
    case 24:
        return pf24bit;
    case 32:
        return pf32bit;
    default:
        return pfCustom;
    }
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == pfCustom || format == PixelFormat())
        return;
    if (format == pfDevice) {
        SetHandleType(bmDDB);
        return;
    }
    Convert(KindOfFormat(format));
}

bool TBitmap::Monochrome() const {
    return m_kind.device ? m_kind.monochrome : m_kind.bitCount == 1;
}

void TBitmap::SetMonochrome(bool monochrome) {
    if (monochrome == Monochrome() && m_kind.device)
        return;
    Kind kind;
    kind.device = true;
    kind.monochrome = monochrome;
    Convert(kind);
}

void* TBitmap::ScanLine(int row) {
    if (row < 0 || row >= m_height)
        throw EInvalidGraphic("Scan line index out of range");
    if (m_kind.device)
        SetHandleType(bmDIB);
    HandleNeeded();
    GdiFlush();
    const std::size_t stride = platform::DibLayout::StrideFor(m_width, m_kind.bitCount);
    const int memoryRow = m_topDown ? row : m_height - 1 - row;
    return static_cast<std::uint8_t*>(m_bits) + stride * static_cast<std::size_t>(memoryRow);
}

TColor TBitmap::TransparentColor() {
    if (m_transparentMode == tmFixed)
        return m_transparentColor;
    if (Empty())
        return clDefault;
    if (Monochrome())
        return clWhite;
    return Canvas()->Pixels(0, m_height - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
    if (color == m_transparentColor && (color == clDefault) == (m_transparentMode == tmAuto))
        return;
    m_transparentColor = color;
    m_transparentMode = color == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    if (mode == m_transparentMode)
        return;
    if (mode == tmAuto) {
        m_transparentColor = clDefault;
    } else {
        m_transparentColor = TransparentColor();
    }
    m_transparentMode = mode;
    Changed();
}

void TBitmap::Assign(const TPersistent* source) {
    if (source == this)
        return;
    if (!source) {
        Adopt(nullptr, nullptr, 0, 0, m_kind, false);
        Changed();
        return;
    }
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        auto* from = const_cast<TBitmap*>(bitmap);
        std::optional<bitmap_image::PackedDib> picture;
        if (!from->Empty()) {
            picture = from->m_handle ? bitmap_image::ReadPixels(from->m_handle) : from->m_dormant;
            if (!picture)
                OutOfResources();
        }
        Adopt(nullptr, nullptr, from->m_width, from->m_height, from->m_kind, false);
        m_dormant = std::move(picture);
        m_transparentColor = from->m_transparentColor;
        m_transparentMode = from->m_transparentMode;
        TGraphic::SetTransparent(from->Transparent());
        Changed();
        return;
    }
    if (const auto* graphic = dynamic_cast<const TGraphic*>(source)) {
        auto* from = const_cast<TGraphic*>(graphic);
        Adopt(nullptr, nullptr, 0, 0, m_kind, false);
        SetSize(from->Width(), from->Height());
        if (!Empty()) {
            Canvas()->Brush()->SetColor(clWhite);
            Canvas()->FillRect(Rect(0, 0, m_width, m_height));
            Canvas()->Draw(0, 0, from);
        }
        return;
    }
    TGraphic::Assign(source);
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
    HDC source = Canvas()->Handle();
    HDC dest = canvas.Handle();
    if (Transparent()) {
        TransparentBlt(dest, rect.left, rect.top, RectWidth(rect), RectHeight(rect), source, 0, 0, m_width,
                       m_height, ColorToRGB(TransparentColor()));
        return;
    }
    // A monochrome picture is drawn black on white, whatever the destination's text colours.
    const COLORREF text = SetTextColor(dest, RGB(0, 0, 0));
    const COLORREF back = SetBkColor(dest, RGB(255, 255, 255));
    const int mode = SetStretchBltMode(dest, COLORONCOLOR);
    StretchBlt(dest, rect.left, rect.top, RectWidth(rect), RectHeight(rect), source, 0, 0, m_width, m_height,
               canvas.CopyMode());
    SetStretchBltMode(dest, mode);
    SetBkColor(dest, back);
    SetTextColor(dest, text);
}

void TBitmap::LoadFromStream(TStream& stream) {
    const std::int64_t available = stream.Size() - stream.Position();
    if (available <= 0) {
        Adopt(nullptr, nullptr, 0, 0, m_kind, false);
        Changed();
        return;
    }
    BITMAPFILEHEADER file{};
    if (available < static_cast<std::int64_t>(sizeof(file)))
        throw EInvalidGraphic("Bitmap image is not valid");
    stream.ReadBuffer(&file, sizeof(file));
    std::int64_t size = file.bfSize;
    // Some writers leave the size 0 or wrong: the rest of the stream is the file then.
    if (size < static_cast<std::int64_t>(sizeof(file)) || size > available)
        size = available;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    std::memcpy(bytes.data(), &file, sizeof(file));
    stream.ReadBuffer(bytes.data() + sizeof(file), size - static_cast<std::int64_t>(sizeof(file)));
    std::optional<bitmap_image::PackedDib> picture = bitmap_image::ParseBmpFile(bytes.data(), bytes.size());
    if (!picture || file.bfType != 0x4D42)
        throw EInvalidGraphic("Bitmap image is not valid");
    Kind kind;
    kind.device = false;
    kind.bitCount = picture->Info()->bmiHeader.biBitCount;
    void* bits = nullptr;
    HBITMAP bitmap = bitmap_image::CreateFromPacked(*picture, kind, &bits);
    if (!bitmap)
        OutOfResources();
    Adopt(bitmap, bits, picture->Width(), picture->Height(), kind, false);
    m_kind.sixBitGreen = m_greenMask == 0x07E0;
    Changed();
}

void TBitmap::SaveToStream(TStream& stream) {
    if (Empty())
        return;
    std::optional<bitmap_image::PackedDib> picture =
        m_handle ? bitmap_image::ReadPixels(m_handle) : m_dormant;
    if (!picture)
        OutOfResources();
    bitmap_image::WriteBmpFile(*picture, stream);
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    HANDLE image = LoadImageA(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!image)
        throw EResNotFound(Format("Resource %s not found", name.c_str()));
    SetHandle(static_cast<HBITMAP>(image));
}
