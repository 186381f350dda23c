#include "skin/forms/SkinMenuPainter.h"

#include "framework/comctrls/ImageList.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/data/SkinDrawing.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/SkinMenuMarks.h"
#include "skin/forms/SkinMenuStyle.h"
#include "skin/forms/WinSkinData.h"
#include "skin/forms/WinSkinPopMenu.h"

#include <algorithm>

namespace {

constexpr int GlyphSize = 16;
constexpr int GlyphGap = 3;
constexpr int ShortCutRightGap = 11;
constexpr int SeparatorLineOffset = 4;
constexpr UINT MeasureFlags = DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE;
constexpr UINT DrawFlags = DT_EXPANDTABS | DT_SINGLELINE;
// The item image's frames: normal, separator, selected.
constexpr int NormalFrame = 1;
constexpr int SeparatorFrame = 2;
constexpr int SelectedFrame = 4;
constexpr int ItemFrames = 5;

// The skin's item record when it has an image to draw with.
TDataSkinObject* ItemRecord(TSkinData& skinData) {
    TDataSkinObject* record = skinData.Elements().MenuItem.get();
    return record && !record->Image->Empty() ? record : nullptr;
}

int ItemLeftMargin(TSkinData& skinData) {
    const TDataSkinObject* record = ItemRecord(skinData);
    return record ? std::max(record->LeftWidth, 0) : 0;
}

// A rectangle of the item mirrored about its centre line, for a right-to-left menu.
RECT Mirrored(const RECT& r, const RECT& item, bool rightToLeft) {
    if (!rightToLeft)
        return r;
    return {item.left + item.right - r.right, r.top, item.left + item.right - r.left, r.bottom};
}

// A memory DC with a bitmap of the given size, for composing an item off screen.
class TOffscreen {
public:
    TOffscreen(HDC like, int width, int height)
        : m_dc(CreateCompatibleDC(like)), m_bitmap(CreateCompatibleBitmap(like, width, height)),
          m_old(SelectObject(m_dc, m_bitmap)) {}
    ~TOffscreen() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    TOffscreen(const TOffscreen&) = delete;
    TOffscreen& operator=(const TOffscreen&) = delete;
    HDC Dc() const { return m_dc; }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

void FillColour(HDC dc, const RECT& rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

COLORREF TextColour(TSkinData& skinData, const TSkinMenuItem& item) {
    const TSkinMenuColours colours = SkinMenuColours(skinData);
    if (item.enabled)
        return item.selected ? colours.selectedText : colours.itemText;
    // A disabled item must not look like an enabled one.
    return colours.disabledText == colours.itemText ? ColorToRGB(clBtnShadow) : colours.disabledText;
}

// The button-face and highlight checker behind a checked picture.
void FillCheckedBox(HDC dc, const RECT& box) {
    const WORD rows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH brush = CreatePatternBrush(pattern);
    const COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
    const COLORREF oldBack = SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    FillRect(dc, &box, brush);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
    DeleteObject(brush);
    DeleteObject(pattern);
}

void DrawGlyph(TSkinData& skinData, HDC dc, const RECT& box, const TSkinMenuItem& item, COLORREF colour) {
    TCustomImageList* images = item.images;
    if (images && item.imageIndex >= 0 && item.imageIndex < images->Count()) {
        if (item.checked) {
            FillCheckedBox(dc, box);
            RECT edge = box;
            DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
        }
        const int x = box.left + (box.right - box.left - images->Width()) / 2;
        const int y = box.top + (box.bottom - box.top - images->Height()) / 2;
        // The skin's own glyphs are one colour: they take the item's text colour.
        if (images == &skinData.MenuGlyphs()) {
            DrawImageInColour(dc, *images, item.imageIndex, x, y, colour);
        } else {
            TCanvas canvas;
            canvas.SetHandle(dc);
            images->Draw(&canvas, x, y, item.imageIndex, item.enabled);
            canvas.SetHandle(nullptr);
        }
        return;
    }
    if (!item.checked)
        return;
    if (item.radio)
        DrawMenuBullet(dc, box, colour);
    else
        DrawMenuCheckMark(dc, box, colour);
}

void DrawSeparatorImage(HDC dc, const RECT& rect, const TDataSkinObject& record, TBitmap& image) {
    const RECT frame = SkinFrameRect(image.Width(), image.Height(), SeparatorFrame, ItemFrames, false);
    const int frameWidth = frame.right - frame.left;
    const int frameHeight = frame.bottom - frame.top;
    const int width = rect.right - rect.left;
    // Bottom-aligned; an item lower than the image shows the image's lower part.
    const int height = std::min<int>(rect.bottom - rect.top, frameHeight);
    if (width <= 0 || height <= 0 || frameWidth <= 0)
        return;
    int left = std::clamp<int>(record.LeftWidth, 0, frameWidth);
    int right = std::clamp<int>(record.RightWidth, 0, frameWidth - left);
    if (left + right > width)
        left = right = 0;
    const int sourceTop = frame.top + frameHeight - height;
    // The ends unscaled, the middle stretched, then copied without its magenta pixels.
    TBitmap strip;
    strip.SetPixelFormat(pfDevice);
    strip.SetSize(width, height);
    HDC target = strip.Canvas()->Handle();
    HDC source = image.Canvas()->Handle();
    SetStretchBltMode(target, COLORONCOLOR);
    BitBlt(target, 0, 0, left, height, source, frame.left, sourceTop, SRCCOPY);
    StretchBlt(target, left, 0, width - left - right, height, source, frame.left + left, sourceTop,
               frameWidth - left - right, height, SRCCOPY);
    BitBlt(target, width - right, 0, right, height, source, frame.right - right, sourceTop, SRCCOPY);
    const RECT at{rect.left, rect.bottom - height, rect.right, rect.bottom};
    DrawKeyed(dc, at, strip);
}

} // namespace

SIZE MenuTextExtent(HDC dc, const std::string& text) {
    const std::string measured = text.empty() || text == "&" ? text + " " : text;
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, measured.c_str(), static_cast<int>(measured.size()), &r, MeasureFlags);
    return {r.right - r.left, r.bottom - r.top};
}

void DrawMenuItemContent(TSkinData& skinData, HDC dc, const RECT& rect, const TSkinMenuItem& item) {
    if (item.IsSeparator()) {
        if (!ItemRecord(skinData)) {
            RECT line{rect.left, rect.top + SeparatorLineOffset, rect.right, rect.bottom};
            DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        }
        return;
    }
    const COLORREF colour = TextColour(skinData, item);
    int boxSize = item.images ? item.images->Width() : GlyphSize;
    if (item.checked)
        boxSize = std::max(boxSize, GlyphSize);
    const int boxLeft = rect.left + 1 + ItemLeftMargin(skinData);
    const RECT box{boxLeft, rect.top + 1, boxLeft + boxSize, rect.top + 1 + boxSize};
    DrawGlyph(skinData, dc, Mirrored(box, rect, item.rightToLeft), item, colour);

    HGDIOBJ oldFont = SelectObject(dc, SkinMenuFont(item.isDefault));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, colour);
    const SIZE text = MenuTextExtent(dc, item.caption);
    const int top = rect.top + (rect.bottom - rect.top - text.cy) / 2;
    const RECT textRect{box.right + GlyphGap, top,
                        std::min<int>(box.right + GlyphGap + text.cx, rect.right - 1), top + text.cy};
    RECT drawn = Mirrored(textRect, rect, item.rightToLeft);
    const UINT direction = item.rightToLeft ? DT_RIGHT | DT_RTLREADING : 0;
    DrawTextA(dc, item.caption.c_str(), static_cast<int>(item.caption.size()), &drawn, DrawFlags | direction);
    if (!item.shortCut.empty()) {
        RECT shortCut = Mirrored({textRect.right, top, rect.right - ShortCutRightGap, top + text.cy}, rect,
                                 item.rightToLeft);
        DrawTextA(dc, item.shortCut.c_str(), static_cast<int>(item.shortCut.size()), &shortCut,
                  DrawFlags | (item.rightToLeft ? DT_LEFT | DT_RTLREADING : DT_RIGHT));
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

void DrawPlainMenuItem(TSkinData& skinData, HDC dc, const RECT& rect, const TSkinMenuItem& item) {
    const TSkinMenuColours colours = SkinMenuColours(skinData);
    const bool selected = item.selected && !item.IsSeparator();
    FillColour(dc, rect, selected ? colours.selectedBackground : colours.itemBackground);
    DrawMenuItemContent(skinData, dc, rect, item);
    SetTextColor(dc, TextColour(skinData, item));
}

void DrawSkinMenuItem(TSkinData& skinData, HDC dc, const RECT& rect, HMENU menu, const TSkinMenuItem& item) {
    TSkinManage* manager = SkinManager();
    if (manager)
        manager->AttachPopupMenu(menu);
    TDataSkinObject* record = ItemRecord(skinData);
    if (!record) {
        DrawPlainMenuItem(skinData, dc, rect, item);
        return;
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    TOffscreen composed(dc, width, height);
    HDC target = composed.Dc();
    const RECT local{0, 0, width, height};
    TWinSkinPopMenu* popup = manager ? manager->FindPopupByMenu(menu) : nullptr;
    // The popup's device copy of the item image draws faster than the skin's own.
    TBitmap* copy = popup ? popup->ItemImage() : nullptr;
    TBitmap& image = copy ? *copy : *record->Image;
    if (popup && popup->HasBackground())
        popup->CopyBackground(target, local, rect.left + PopupBorder, rect.top + PopupBorder);
    else
        FillColour(target, local, SkinMenuColours(skinData).itemBackground);

    if (item.IsSeparator()) {
        BitBlt(dc, rect.left, rect.top, width, height, target, 0, 0, SRCCOPY);
        DrawSeparatorImage(dc, rect, *record, image);
        return;
    }
    TSkinFrameStyle style;
    style.margins = {record->LeftWidth, record->TopHeight, record->RightWidth, record->BottomHeight};
    style.tileCentre = record->Tile == 1;
    style.transparent = record->Trans != 0;
    DrawSkinFrame(target, local, image, item.selected ? SelectedFrame : NormalFrame, ItemFrames, false,
                  style);
    DrawMenuItemContent(skinData, target, local, item);
    BitBlt(dc, rect.left, rect.top, width, height, target, 0, 0, SRCCOPY);
    // The system draws a submenu's arrow after the item, in the DC's text colour.
    SetTextColor(dc, TextColour(skinData, item));
}
