#include "skin/forms/SkinMenuPainter.h"

#include "framework/comctrls/ImageList.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/SkinMenuImages.h"
#include "skin/forms/SkinMenuMarks.h"
#include "skin/forms/SkinMenuStyle.h"
#include "skin/forms/WinSkinData.h"
#include "skin/forms/WinSkinPopMenu.h"

#include <algorithm>

namespace {

constexpr int GlyphSize = 16;
constexpr int GlyphGap = 3;
constexpr int ShortCutRightGap = 11;
constexpr int ShortCutLeftGap = 12;
constexpr int SeparatorLineOffset = 4;
constexpr UINT MeasureFlags = DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE;
constexpr UINT DrawFlags = DT_EXPANDTABS | DT_SINGLELINE;

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

} // namespace

SIZE MenuTextExtent(HDC dc, const std::string& text) {
    const std::string measured = text.empty() || text == "&" ? text + " " : text;
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, measured.c_str(), static_cast<int>(measured.size()), &r, MeasureFlags);
    return {r.right - r.left, r.bottom - r.top};
}

int MenuTextWidth(HDC dc, const std::string& caption, const std::string& shortCut) {
    const int width = MenuTextExtent(dc, caption).cx;
    if (shortCut.empty())
        return width;
    return width + ShortCutLeftGap + MenuTextExtent(dc, shortCut).cx + ShortCutRightGap;
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
    // The caption is centred in the item's height; it is measured only to end where the
    // shortcut text may begin.
    const int textLeft = box.right + GlyphGap;
    RECT textRect{textLeft, rect.top, rect.right - 1, rect.bottom};
    if (!item.shortCut.empty())
        textRect.right = std::min<int>(textLeft + MenuTextExtent(dc, item.caption).cx, rect.right - 1);
    RECT drawn = Mirrored(textRect, rect, item.rightToLeft);
    const UINT direction = item.rightToLeft ? DT_RIGHT | DT_RTLREADING : 0;
    DrawTextA(dc, item.caption.c_str(), static_cast<int>(item.caption.size()), &drawn,
              DrawFlags | DT_VCENTER | direction);
    if (!item.shortCut.empty()) {
        RECT shortCut = Mirrored({textRect.right, rect.top, rect.right - ShortCutRightGap, rect.bottom}, rect,
                                 item.rightToLeft);
        DrawTextA(dc, item.shortCut.c_str(), static_cast<int>(item.shortCut.size()), &shortCut,
                  DrawFlags | DT_VCENTER | (item.rightToLeft ? DT_LEFT | DT_RTLREADING : DT_RIGHT));
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
    if (!ItemRecord(skinData)) {
        DrawPlainMenuItem(skinData, dc, rect, item);
        return;
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    // Drawn in place: a window's DC draws into its backing store, which reaches the screen
    // only after the item is complete.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
    TSkinMenuImages& images = skinData.MenuImages();
    const TMenuItemPart part = item.IsSeparator() ? TMenuItemPart::Separator
                               : item.selected    ? TMenuItemPart::Selected
                                                  : TMenuItemPart::Normal;
    if (!images.ItemPartIsOpaque(width, height, part)) {
        TWinSkinPopMenu* popup = manager ? manager->FindPopupByMenu(menu) : nullptr;
        if (popup && popup->HasBackground())
            popup->CopyBackground(dc, rect, rect.left + PopupBorder, rect.top + PopupBorder);
        else
            FillColour(dc, rect, SkinMenuColours(skinData).itemBackground);
    }
    images.DrawItemPart(dc, rect, part);
    if (!item.IsSeparator())
        DrawMenuItemContent(skinData, dc, rect, item);
    RestoreDC(dc, saved);
    // The system draws a submenu's arrow after the item, in the DC's text colour.
    if (!item.IsSeparator())
        SetTextColor(dc, TextColour(skinData, item));
}
