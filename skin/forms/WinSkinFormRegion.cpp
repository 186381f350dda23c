// The skinned window's shape: its client part joined with its border sides, each side traced
// from its drawn image when the skin marks it shaped; and the drawing of a border side.

#include "skin/forms/SkinFrameDrawing.h"
#include "skin/forms/WinSkinForm.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/data/SkinDrawing.h"
#include "skin/forms/WinSkinData.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// The rectangles are gathered in steps of this many, and joined into the region every
// RectsPerRegion of them.
constexpr std::size_t RectsGrowth = 500;
constexpr std::size_t RectsPerRegion = 2000;

// Red and blue of the key colour, and the green values that still count as the key.
constexpr std::uint32_t KeyRed = 0xFF;
constexpr std::uint32_t KeyBlue = 0xFF;
constexpr std::uint32_t KeyGreenHighest = 0x01;

bool IsKey(std::uint32_t pixel) {
    const std::uint32_t red = (pixel >> 16) & 0xFF;
    const std::uint32_t green = (pixel >> 8) & 0xFF;
    const std::uint32_t blue = pixel & 0xFF;
    return red == KeyRed && blue == KeyBlue && green <= KeyGreenHighest;
}

// Rectangles on their way into a region: a region-data block that grows by RectsGrowth, turned
// into a region and joined to the result every RectsPerRegion rectangles.
class TRegionBuilder {
public:
    TRegionBuilder() { m_rects.reserve(RectsGrowth); }
    ~TRegionBuilder() {
        if (m_result)
            DeleteObject(m_result);
    }
    TRegionBuilder(const TRegionBuilder&) = delete;
    TRegionBuilder& operator=(const TRegionBuilder&) = delete;

    void Add(const RECT& rect) {
        if (m_rects.size() == m_rects.capacity())
            m_rects.reserve(m_rects.capacity() + RectsGrowth);
        m_rects.push_back(rect);
        if (m_rects.size() == RectsPerRegion)
            Flush();
    }
    // The region gathered so far, given to the caller; null when nothing was added.
    HRGN Take() {
        Flush();
        HRGN result = m_result;
        m_result = nullptr;
        return result;
    }

private:
    void Flush() {
        if (m_rects.empty())
            return;
        const std::size_t bytes = sizeof(RGNDATAHEADER) + m_rects.size() * sizeof(RECT);
        std::vector<std::uint8_t> block(bytes);
        RGNDATAHEADER header{};
        header.dwSize = sizeof header;
        header.iType = RDH_RECTANGLES;
        header.nCount = static_cast<DWORD>(m_rects.size());
        header.nRgnSize = static_cast<DWORD>(m_rects.size() * sizeof(RECT));
        header.rcBound = m_rects.front();
        for (const RECT& rect : m_rects) {
            header.rcBound.left = std::min(header.rcBound.left, rect.left);
            header.rcBound.top = std::min(header.rcBound.top, rect.top);
            header.rcBound.right = std::max(header.rcBound.right, rect.right);
            header.rcBound.bottom = std::max(header.rcBound.bottom, rect.bottom);
        }
        std::memcpy(block.data(), &header, sizeof header);
        std::memcpy(block.data() + sizeof header, m_rects.data(), m_rects.size() * sizeof(RECT));
        HRGN chunk = ExtCreateRegion(nullptr, static_cast<DWORD>(bytes),
                                     reinterpret_cast<const RGNDATA*>(block.data()));
        m_rects.clear();
        if (!chunk)
            return;
        if (!m_result) {
            m_result = chunk;
            return;
        }
        CombineRgn(m_result, m_result, chunk, RGN_OR);
        DeleteObject(chunk);
    }

    std::vector<RECT> m_rects;
    HRGN m_result = nullptr;
};

// Joins a part to the region being built (which may still be null); the part is used up.
void Join(HRGN& region, HRGN part) {
    if (!part)
        return;
    if (!region) {
        region = part;
        return;
    }
    CombineRgn(region, region, part, RGN_OR);
    DeleteObject(part);
}

} // namespace

TBitmap& SkinScratchBitmap() {
    static TBitmap scratch;
    return scratch;
}

void DrawBorderSide(HDC dc, const RECT& rect, TDataSkinObject& border, bool stacked, bool active) {
    const int frames = std::max(border.FrameCount, 1);
    const int frame = active || frames == 1 ? 1 : 2;
    TSkinFrameStyle style;
    style.margins = {border.LeftWidth, border.TopHeight, border.RightWidth, border.BottomHeight};
    style.tileCentre = border.Tile != 1;
    DrawSkinFrame(dc, rect, *border.Image, frame, frames, stacked, style);
}

HRGN TraceBitmapRegion(TBitmap& bitmap, int offsetX, int offsetY) {
    TBitmap pixels;
    pixels.Assign(&bitmap);
    pixels.SetPixelFormat(pf32bit);
    TRegionBuilder builder;
    for (int y = 0; y < pixels.Height(); ++y) {
        const auto* row = static_cast<const std::uint32_t*>(pixels.ScanLine(y));
        int x = 0;
        while (x < pixels.Width()) {
            while (x < pixels.Width() && IsKey(row[x]))
                ++x;
            const int start = x;
            while (x < pixels.Width() && !IsKey(row[x]))
                ++x;
            if (x > start)
                builder.Add(RECT{start + offsetX, y + offsetY, x + offsetX, y + 1 + offsetY});
        }
    }
    return builder.Take();
}

// ---- the window's region ---------------------------------------------------------------------

namespace {

// The side drawn (active frame) into the scratch bitmap and traced at its place.
HRGN TracedSide(TDataSkinObject& border, bool stacked, const RECT& place) {
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    TBitmap& scratch = SkinScratchBitmap();
    scratch.SetPixelFormat(pf32bit);
    scratch.SetSize(width, height);
    DrawBorderSide(scratch.Canvas()->Handle(), RECT{0, 0, width, height}, border, stacked, true);
    return TraceBitmapRegion(scratch, place.left, place.top);
}

bool Shaped(const TDataSkinObject& border) {
    return border.Trans != 0;
}

} // namespace

void TWinSkinForm::BuildRegion() {
    if (!m_frameSkinning || m_skinState == TSkinFormState::Dead || !m_skinData || !IsWindow(m_window))
        return;
    if (m_windowKind == TSkinWindowKind::MdiChild && m_windowState == TSkinWindowState::Maximised)
        return;
    RECT windowRect{};
    GetWindowRect(m_window, &windowRect);
    const int width = windowRect.right - windowRect.left;
    const int height = windowRect.bottom - windowRect.top;
    if (width <= 0 || height <= 0)
        return;
    const bool sameSize = m_regionSet && width == m_regionSize.cx && height == m_regionSize.cy;
    if (sameSize && m_windowKind != TSkinWindowKind::MdiChild && m_skinState != TSkinFormState::Applying)
        return;

    TSkinElements& skin = m_skinData->Elements();
    HRGN region = nullptr;
    if (!Shaped(*skin.BorderLeft) && !Shaped(*skin.BorderRight) && !Shaped(*skin.BorderTop) &&
        !Shaped(*skin.BorderBottom)) {
        region = CreateRectRgn(0, 0, width, height);
    } else {
        Join(region,
             CreateRectRgn(m_leftWidth, m_captionHeight, width - m_rightWidth, height - m_bottomHeight));
        if (m_borderKind != TBorderKind::NoCaption) {
            auto side = [&](TDataSkinObject& border, bool stacked, const RECT& place, bool traced) {
                if (place.right <= place.left || place.bottom <= place.top)
                    return;
                Join(region, traced ? TracedSide(border, stacked, place)
                                    : CreateRectRgn(place.left, place.top, place.right, place.bottom));
            };
            side(*skin.BorderLeft, false, RECT{0, 0, m_leftWidth, height},
                 Shaped(*skin.BorderLeft) && height > 1);
            side(*skin.BorderRight, false, RECT{width - m_rightWidth, 0, width, height},
                 Shaped(*skin.BorderRight) && height > 1);
            side(*skin.BorderBottom, true,
                 RECT{m_leftWidth, height - m_bottomHeight, width - m_rightWidth, height},
                 Shaped(*skin.BorderBottom) && m_bottomHeight >= 2);
            side(*skin.BorderTop, true, RECT{m_leftWidth, 0, width - m_rightWidth, m_captionHeight},
                 Shaped(*skin.BorderTop) && m_captionHeight > 1 && !skin.BorderTop->Image->Empty());
        }
    }
    if (!region)
        region = CreateRectRgn(0, 0, 0, 0);
    // The region belongs to the system from here on.
    SetWindowRgn(m_window, region, TRUE);
    m_regionSize = {width, height};
    m_regionSet = true;
}
