// The look of an owner-drawn menu item when it has no drawing handler: the classic one, drawn
// through the canvas the menu's WM_DRAWITEM lends.

#include "framework/graphics/Canvas.h"
#include "framework/menus/Menus.h"
#include "platform/gdi/WinUserDraw.h"

#include <algorithm>

namespace {

constexpr int GlyphSize = 16;
constexpr int GlyphGap = 3;
// Room after the text: the gap before the shortcut column and the submenu arrow.
constexpr int ShortCutGap = 16;
constexpr int ArrowRoom = 12;
constexpr int LineHeight = 8;

TCustomImageList* ImagesOf(const TMenuItem& item) {
    const TMenu* menu = item.GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

// The width of the glyph column: the images' width, at least that of a check mark.
int GlyphWidth(const TMenuItem& item) {
    const TCustomImageList* images = ImagesOf(item);
    return images ? std::max(images->Width(), GlyphSize) : GlyphSize;
}

std::string ShortCutText(const TMenuItem& item) {
    return item.ShortCut() == scNone ? std::string() : ShortCutToText(item.ShortCut());
}

// A check mark or, for a radio item, a bullet, in the pen's colour, centred in the box.
void DrawMark(TCanvas* canvas, const TRect& box, bool bullet, TColor color) {
    const int cx = (box.left + box.right) / 2;
    const int cy = (box.top + box.bottom) / 2;
    canvas->Pen()->SetColor(color);
    canvas->Brush()->SetColor(color);
    if (bullet) {
        canvas->Ellipse(cx - 3, cy - 3, cx + 3, cy + 3);
        return;
    }
    // A tick three pixels thick: down-right from the left, then up to the right.
    for (int offset = 0; offset < 3; ++offset) {
        canvas->MoveTo(cx - 4, cy - 2 + offset);
        canvas->LineTo(cx - 2, cy + offset);
        canvas->LineTo(cx + 3, cy - 5 + offset);
    }
}

} // namespace

void TMenuItem::MeasureItem(TCanvas* canvas, int& width, int& height) {
    if (IsLine()) {
        width = GlyphSize;
        height = LineHeight;
    } else {
        if (m_default)
            canvas->Font()->SetStyle(canvas->Font()->Style() + TFontStyles{fsBold});
        const TSize text = canvas->TextExtent(StripHotkey(m_caption));
        const TCustomImageList* images = ImagesOf(*this);
        height = std::max<int>(text.cy + 4, (images ? images->Height() : GlyphSize) + 2);
        const bool inBar = m_parent && !m_parent->m_parent && dynamic_cast<const TMainMenu*>(GetParentMenu());
        if (inBar) {
            width = text.cx + 8;
        } else {
            width = 1 + GlyphWidth(*this) + GlyphGap + text.cx + ArrowRoom;
            const std::string shortCut = ShortCutText(*this);
            if (!shortCut.empty())
                width += ShortCutGap + canvas->TextWidth(shortCut);
        }
    }
    if (OnMeasureItem)
        OnMeasureItem(this, canvas, width, height);
}

void TMenuItem::AdvancedDrawItem(TCanvas* canvas, const TRect& rect, TOwnerDrawState state, bool topLevel) {
    if (OnAdvancedDrawItem) {
        OnAdvancedDrawItem(this, canvas, rect, state);
        return;
    }
    if (OnDrawItem) {
        OnDrawItem(this, canvas, rect, state.Contains(odSelected));
        return;
    }
    const bool selected = state.Contains(odSelected) && !IsLine();
    const bool disabled = state.Contains(odDisabled) || state.Contains(odGrayed) || !m_enabled;
    canvas->Brush()->SetColor(selected ? clHighlight : clMenu);
    canvas->FillRect(rect);
    if (IsLine()) {
        TRect line = rect;
        line.top += RectHeight(rect) / 2 - 1;
        DrawEdge(canvas->Handle(), &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const TColor textColor = disabled ? clGrayText : selected ? clHighlightText : clMenuText;
    TRect text = rect;
    if (!topLevel) {
        const TRect glyph = Bounds(rect.left + 1, rect.top, GlyphWidth(*this), RectHeight(rect));
        TCustomImageList* images = ImagesOf(*this);
        if (images && m_imageIndex >= 0 && m_imageIndex < images->Count()) {
            // A checked picture sits in a sunken box.
            if (m_checked) {
                TRect box = glyph;
                DrawEdge(canvas->Handle(), &box, BDR_SUNKENOUTER, BF_RECT);
            }
            images->Draw(canvas, glyph.left + (RectWidth(glyph) - images->Width()) / 2,
                         glyph.top + (RectHeight(glyph) - images->Height()) / 2, m_imageIndex, !disabled);
        } else if (m_checked) {
            DrawMark(canvas, glyph, m_radioItem, textColor);
        }
        text.left = glyph.right + GlyphGap;
        text.right -= ArrowRoom;
    }
    if (m_default)
        canvas->Font()->SetStyle(canvas->Font()->Style() + TFontStyles{fsBold});
    canvas->Font()->SetColor(textColor);
    canvas->Brush()->SetStyle(bsClear);
    const UINT centre = topLevel ? DT_CENTER : DT_LEFT;
    canvas->TextRect(text, m_caption, centre | DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS);
    const std::string shortCut = ShortCutText(*this);
    if (!topLevel && !shortCut.empty())
        canvas->TextRect(text, shortCut, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
}
