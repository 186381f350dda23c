#include "skin/forms/SkinMenuImages.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/data/SkinDrawing.h"
#include "skin/forms/WinSkinData.h"

#include <algorithm>
#include <cstdint>

namespace {

// Enough for a menu and a few cascades open at once, or reopened in turn.
constexpr std::size_t KeptBackgrounds = 4;
// Two item heights (items and separators) and two states for a few menu widths.
constexpr std::size_t KeptParts = 24;
// The item image's frames: normal, separator, selected.
constexpr int NormalFrame = 1;
constexpr int SeparatorFrame = 2;
constexpr int SelectedFrame = 4;
constexpr int ItemFrames = 5;

std::unique_ptr<TBitmap> DeviceBitmap(int width, int height) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pfDevice);
    bitmap->SetSize(width, height);
    return bitmap;
}

// The rectangles of the picture without the key colour: each row's runs of other pixels,
// and runs that repeat those of the row above grown into one rectangle. Copying these rectangles
// is the keyed copy of the picture, much cheaper than a masked one for frames whose key pixels
// are only their rounded corners.
std::vector<RECT> OpaqueRectangles(TBitmap& picture, COLORREF key) {
    TBitmap pixels;
    pixels.SetPixelFormat(pf32bit);
    pixels.SetSize(picture.Width(), picture.Height());
    BitBlt(pixels.Canvas()->Handle(), 0, 0, picture.Width(), picture.Height(), picture.Canvas()->Handle(), 0,
           0, SRCCOPY);
    // A 32-bit row holds blue, green, red and an unused byte.
    const std::uint32_t keyPixel = GetBValue(key) | (GetGValue(key) << 8) | (GetRValue(key) << 16);
    std::vector<RECT> done;
    std::vector<RECT> open; // the runs of the previous row, still growing
    for (int y = 0; y < pixels.Height(); ++y) {
        const auto* row = static_cast<const std::uint32_t*>(pixels.ScanLine(y));
        std::vector<RECT> runs;
        for (int x = 0; x < pixels.Width();) {
            if ((row[x] & 0xFFFFFF) == keyPixel) {
                ++x;
                continue;
            }
            const int left = x;
            while (x < pixels.Width() && (row[x] & 0xFFFFFF) != keyPixel)
                ++x;
            runs.push_back({left, y, x, y + 1});
        }
        if (runs.size() == open.size() &&
            std::equal(runs.begin(), runs.end(), open.begin(),
                       [](const RECT& a, const RECT& b) { return a.left == b.left && a.right == b.right; })) {
            for (RECT& r : open)
                r.bottom = y + 1;
            continue;
        }
        done.insert(done.end(), open.begin(), open.end());
        open = std::move(runs);
    }
    done.insert(done.end(), open.begin(), open.end());
    return done;
}

// The separator frame across the width: its ends unscaled, its middle stretched, its lower rows
// at the bottom of a key-coloured picture of the item's size.
void ComposeSeparator(HDC target, int width, int height, const TDataSkinObject& record, TBitmap& image) {
    const RECT all{0, 0, width, height};
    HBRUSH key = CreateSolidBrush(ColorToRGB(clFuchsia));
    FillRect(target, &all, key);
    DeleteObject(key);
    const RECT frame = SkinFrameRect(image.Width(), image.Height(), SeparatorFrame, ItemFrames, false);
    const int frameWidth = frame.right - frame.left;
    const int frameHeight = frame.bottom - frame.top;
    // An item lower than the image shows the image's lower part.
    const int shown = std::min(height, frameHeight);
    if (shown <= 0 || frameWidth <= 0)
        return;
    int left = std::clamp<int>(record.LeftWidth, 0, frameWidth);
    int right = std::clamp<int>(record.RightWidth, 0, frameWidth - left);
    if (left + right > width)
        left = right = 0;
    const int top = height - shown;
    const int sourceTop = frame.top + frameHeight - shown;
    HDC source = image.Canvas()->Handle();
    const int oldMode = SetStretchBltMode(target, COLORONCOLOR);
    BitBlt(target, 0, top, left, shown, source, frame.left, sourceTop, SRCCOPY);
    StretchBlt(target, left, top, width - left - right, shown, source, frame.left + left, sourceTop,
               frameWidth - left - right, shown, SRCCOPY);
    BitBlt(target, width - right, top, right, shown, source, frame.right - right, sourceTop, SRCCOPY);
    SetStretchBltMode(target, oldMode);
}

} // namespace

struct TSkinMenuImages::TComposedBackground {
    TSource source;
    std::shared_ptr<TBitmap> picture;
};

struct TSkinMenuImages::TComposedPart {
    TSource source;
    TMenuItemPart part = TMenuItemPart::Normal;
    std::unique_ptr<TBitmap> picture;
    std::vector<RECT> shown; // the parts of the picture drawn
};

TSkinMenuImages::TSkinMenuImages(TSkinData& skinData) : m_skinData(skinData) {}

TSkinMenuImages::~TSkinMenuImages() = default;

TSkinMenuImages::TSource TSkinMenuImages::SourceOf(const TDataSkinObject& record) {
    return {record.Image.get(),  record.Image->Width(), record.Image->Height(),
            record.LeftWidth,    record.TopHeight,      record.RightWidth,
            record.BottomHeight, record.Tile,           record.Trans};
}

TBitmap& TSkinMenuImages::DeviceImage(std::unique_ptr<TBitmap>& copy, TSource& copiedFrom,
                                      const TDataSkinObject& record) {
    const TSource source = SourceOf(record);
    if (copy && copiedFrom.image == source.image && copiedFrom.imageWidth == source.imageWidth &&
        copiedFrom.imageHeight == source.imageHeight)
        return *copy;
    TBitmap& image = *record.Image;
    copy = DeviceBitmap(image.Width(), image.Height());
    BitBlt(copy->Canvas()->Handle(), 0, 0, image.Width(), image.Height(), image.Canvas()->Handle(), 0, 0,
           SRCCOPY);
    copiedFrom = source;
    return *copy;
}

std::shared_ptr<TBitmap> TSkinMenuImages::Background(int width, int height) {
    const TDataSkinObject* record = m_skinData.Elements().MenuBackground.get();
    if (!record || record->Image->Empty() || width <= 0 || height <= 0)
        return nullptr;
    const TSource source = SourceOf(*record);
    for (auto kept = m_backgrounds.begin(); kept != m_backgrounds.end(); ++kept) {
        if (kept->source == source && kept->picture->Width() == width && kept->picture->Height() == height) {
            // The newest use goes to the back: the front is the first to go.
            std::rotate(kept, kept + 1, m_backgrounds.end());
            return m_backgrounds.back().picture;
        }
    }
    TBitmap& image = DeviceImage(m_backgroundImage, m_backgroundImageSource, *record);
    std::shared_ptr<TBitmap> picture = DeviceBitmap(width, height);
    TSkinFrameStyle style;
    style.margins = {record->LeftWidth, record->TopHeight, record->RightWidth, record->BottomHeight};
    style.tileCentre = record->Tile != 0;
    DrawSkinFrame(picture->Canvas()->Handle(), {0, 0, width, height}, image, 1, 1, false, style);
    if (m_backgrounds.size() >= KeptBackgrounds)
        m_backgrounds.erase(m_backgrounds.begin());
    m_backgrounds.push_back({source, picture});
    return picture;
}

const TSkinMenuImages::TComposedPart& TSkinMenuImages::ComposedPart(const TDataSkinObject& record, int width,
                                                                    int height, TMenuItemPart part) {
    const TSource source = SourceOf(record);
    for (auto kept = m_parts.begin(); kept != m_parts.end(); ++kept) {
        const TComposedPart& composed = **kept;
        if (composed.part == part && composed.source == source && composed.picture->Width() == width &&
            composed.picture->Height() == height) {
            std::rotate(kept, kept + 1, m_parts.end());
            return *m_parts.back();
        }
    }
    TBitmap& image = DeviceImage(m_itemImage, m_itemImageSource, record);
    auto composed = std::make_unique<TComposedPart>();
    composed->source = source;
    composed->part = part;
    composed->picture = DeviceBitmap(width, height);
    HDC target = composed->picture->Canvas()->Handle();
    if (part == TMenuItemPart::Separator) {
        ComposeSeparator(target, width, height, record, image);
    } else {
        TSkinFrameStyle style;
        style.margins = {record.LeftWidth, record.TopHeight, record.RightWidth, record.BottomHeight};
        style.tileCentre = record.Tile == 1;
        DrawSkinFrame(target, {0, 0, width, height}, image,
                      part == TMenuItemPart::Selected ? SelectedFrame : NormalFrame, ItemFrames, false,
                      style);
    }
    // A separator always shows what lies under its transparent rows; a frame when the skin says.
    if (part == TMenuItemPart::Separator || record.Trans != 0)
        composed->shown = OpaqueRectangles(*composed->picture, ColorToRGB(clFuchsia));
    else
        composed->shown.push_back({0, 0, width, height});
    if (m_parts.size() >= KeptParts)
        m_parts.erase(m_parts.begin());
    m_parts.push_back(std::move(composed));
    return *m_parts.back();
}

const TDataSkinObject* TSkinMenuImages::ItemRecord() const {
    const TDataSkinObject* record = m_skinData.Elements().MenuItem.get();
    return record && !record->Image->Empty() ? record : nullptr;
}

bool TSkinMenuImages::ItemPartIsOpaque(int width, int height, TMenuItemPart part) {
    const TDataSkinObject* record = ItemRecord();
    if (!record || width <= 0 || height <= 0)
        return false;
    const std::vector<RECT>& shown = ComposedPart(*record, width, height, part).shown;
    return shown.size() == 1 && shown[0].left == 0 && shown[0].top == 0 && shown[0].right == width &&
           shown[0].bottom == height;
}

bool TSkinMenuImages::DrawItemPart(HDC dc, const RECT& rect, TMenuItemPart part) {
    const TDataSkinObject* record = ItemRecord();
    if (!record)
        return false;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return true;
    const TComposedPart& composed = ComposedPart(*record, width, height, part);
    HDC source = composed.picture->Canvas()->Handle();
    for (const RECT& r : composed.shown)
        BitBlt(dc, rect.left + r.left, rect.top + r.top, r.right - r.left, r.bottom - r.top, source, r.left,
               r.top, SRCCOPY);
    return true;
}
