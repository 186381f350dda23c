// The classic look of the tool bar: the face with its divider line, raised buttons (or flat
// ones that rise under the mouse), sunken pressed and checked buttons with the checked dither,
// images from the normal, hot or disabled list (greyed when there is no disabled list), texts
// below or beside them, drop-down arrows, separators, and the parent's say through
// NM_CUSTOMDRAW before the erase, the paint and each button.

#include "platform/controls/common/toolbar/ToolBar.h"

#include <algorithm>

namespace platform {

namespace {

// The checked button's face: every other pixel in the highlight colour.
void FillDither(HDC dc, const RECT& rect, COLORREF face, COLORREF highlight) {
    static const WORD Checker[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, Checker);
    HBRUSH brush = pattern ? CreatePatternBrush(pattern) : nullptr;
    if (brush) {
        const COLORREF oldText = SetTextColor(dc, face);
        const COLORREF oldBack = SetBkColor(dc, highlight);
        FillRect(dc, &rect, brush);
        SetTextColor(dc, oldText);
        SetBkColor(dc, oldBack);
        DeleteObject(brush);
    }
    if (pattern)
        DeleteObject(pattern);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    const COLORREF old = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

// The small downward triangle of a drop-down button, centred in rect.
void DrawDropArrow(HDC dc, const RECT& rect, COLORREF colour) {
    const int cx = (rect.left + rect.right) / 2;
    const int cy = (rect.top + rect.bottom) / 2 - 1;
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    for (int row = 0; row < 3; ++row) {
        MoveToEx(dc, cx - 2 + row, cy + row, nullptr);
        LineTo(dc, cx + 3 - row, cy + row);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

} // namespace

// One paint of the tool bar with the parent's custom-draw answer of this pass.
class ToolBarPainter {
public:
    ToolBarPainter(const ToolBar& bar, HDC dc) : m_bar(bar), m_dc(dc) {}

    void Paint() {
        RECT client;
        GetClientRect(m_bar.m_window, &client);
        RECT clip;
        GetClipBox(m_dc, &clip);
        NMTBCUSTOMDRAW draw = Record(client);
        const DWORD style = m_bar.Style();
        LRESULT eraseAnswer = CDRF_DODEFAULT;
        if (style & TBSTYLE_CUSTOMERASE)
            eraseAnswer = Send(draw, CDDS_PREERASE);
        if (!(eraseAnswer & CDRF_SKIPDEFAULT))
            PaintFace(client);
        if (eraseAnswer & CDRF_NOTIFYPOSTERASE)
            Send(draw, CDDS_POSTERASE);
        m_answer = Send(draw, CDDS_PREPAINT);
        if (m_answer & CDRF_SKIPDEFAULT)
            return;
        SetBkMode(m_dc, TRANSPARENT);
        for (int index = 0; index < m_bar.Count(); ++index) {
            const RECT& rect = m_bar.m_buttons[static_cast<std::size_t>(index)].rect;
            RECT overlap;
            if (IntersectRect(&overlap, &rect, &clip))
                PaintButton(index);
        }
        if (m_answer & CDRF_NOTIFYPOSTPAINT)
            Send(draw, CDDS_POSTPAINT);
    }

private:
    NMTBCUSTOMDRAW Record(const RECT& rect) const {
        NMTBCUSTOMDRAW draw{};
        draw.nmcd.hdc = m_dc;
        draw.nmcd.rc = rect;
        draw.clrText = GetSysColor(COLOR_BTNTEXT);
        draw.clrMark = GetSysColor(COLOR_HIGHLIGHT);
        draw.clrTextHighlight = GetSysColor(COLOR_HIGHLIGHTTEXT);
        draw.clrBtnFace = GetSysColor(COLOR_BTNFACE);
        draw.clrBtnHighlight = GetSysColor(COLOR_BTNHIGHLIGHT);
        draw.clrHighlightHotTrack = GetSysColor(COLOR_HIGHLIGHT);
        draw.nStringBkMode = TRANSPARENT;
        draw.nHLStringBkMode = OPAQUE;
        return draw;
    }

    LRESULT Send(NMTBCUSTOMDRAW& draw, DWORD stage) const {
        return SendCustomDraw(m_bar.m_window, draw.nmcd, stage);
    }

    void PaintFace(const RECT& client) const {
        FillSolid(m_dc, client, GetSysColor(COLOR_BTNFACE));
        if (!(m_bar.Style() & CCS_NODIVIDER)) {
            RECT line = client;
            DrawEdge(m_dc, &line, EDGE_ETCHED, BF_TOP);
        }
    }

    UINT ItemState(int index, const ToolBarButton& button) const {
        UINT state = 0;
        if (button.state & TBSTATE_PRESSED)
            state |= CDIS_SELECTED;
        if (button.state & TBSTATE_CHECKED)
            state |= CDIS_CHECKED;
        if (!(button.state & TBSTATE_ENABLED))
            state |= CDIS_DISABLED;
        if (button.state & TBSTATE_INDETERMINATE)
            state |= CDIS_INDETERMINATE;
        if (button.state & TBSTATE_MARKED)
            state |= CDIS_MARKED;
        if (index == m_bar.m_hot)
            state |= CDIS_HOT;
        return state;
    }

    void PaintButton(int index) {
        const ToolBarButton& button = m_bar.m_buttons[static_cast<std::size_t>(index)];
        if (m_bar.IsSeparator(button)) {
            PaintSeparator(button.rect);
            return;
        }
        NMTBCUSTOMDRAW draw = Record(button.rect);
        draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(button.command);
        draw.nmcd.lItemlParam = static_cast<LPARAM>(button.data);
        draw.nmcd.uItemState = ItemState(index, button);
        HGDIOBJ font = GetCurrentObject(m_dc, OBJ_FONT);
        LRESULT answer = CDRF_DODEFAULT;
        if (m_answer & CDRF_NOTIFYITEMDRAW) {
            answer = Send(draw, CDDS_ITEMPREPAINT);
            if (answer & CDRF_SKIPDEFAULT) {
                SelectObject(m_dc, font);
                return;
            }
        }
        PaintButtonFace(index, button, draw, answer);
        if (answer & CDRF_NOTIFYPOSTPAINT)
            Send(draw, CDDS_ITEMPOSTPAINT);
        SelectObject(m_dc, font);
    }

    void PaintSeparator(const RECT& rect) const {
        // Flat tool bars show a separator as an etched line, raised ones as a gap.
        if (!(m_bar.Style() & TBSTYLE_FLAT))
            return;
        RECT line{(rect.left + rect.right) / 2 - 1, rect.top + 2, (rect.left + rect.right) / 2 + 1,
                  rect.bottom - 2};
        DrawEdge(m_dc, &line, EDGE_ETCHED, BF_LEFT);
    }

    void PaintButtonFace(int index, const ToolBarButton& button, const NMTBCUSTOMDRAW& draw, LRESULT answer) {
        const UINT state = draw.nmcd.uItemState;
        const bool flat = (m_bar.Style() & TBSTYLE_FLAT) != 0;
        const bool pressed = (state & CDIS_SELECTED) != 0;
        const bool checked = (state & CDIS_CHECKED) != 0;
        const bool hot = (state & CDIS_HOT) != 0;
        const bool disabled = (state & CDIS_DISABLED) != 0;
        const bool split = m_bar.HasSplitArrow(button);
        RECT body = button.rect;
        RECT arrow{};
        if (split) {
            arrow = m_bar.ArrowRect(index);
            body.right = arrow.left;
        }
        if (!(answer & TBCDRF_NOBACKGROUND)) {
            if (checked && !pressed && !hot)
                FillDither(m_dc, body, draw.clrBtnFace, draw.clrBtnHighlight);
            else if (hot && (answer & TBCDRF_HILITEHOTTRACK))
                FillSolid(m_dc, button.rect, draw.clrHighlightHotTrack);
            else if (!flat)
                FillSolid(m_dc, button.rect, draw.clrBtnFace);
        }
        if (!(answer & TBCDRF_NOEDGES))
            PaintEdges(body, arrow, split, flat, pressed || checked, hot, disabled);
        // A pressed or checked face moves its content a pixel down and right.
        const int shift = (pressed || checked) && !(answer & TBCDRF_NOOFFSET) ? 1 : 0;
        RECT content = body;
        OffsetRect(&content, shift, shift);
        if ((button.style & BTNS_WHOLEDROPDOWN) && !split) {
            RECT whole = content;
            whole.left = whole.right - m_bar.DropDownArrowWidth(button);
            content.right = whole.left;
            DrawDropArrow(m_dc, whole, disabled ? GetSysColor(COLOR_GRAYTEXT) : draw.clrText);
        }
        PaintContent(button, content, state, draw, answer);
        if (split)
            DrawDropArrow(m_dc, arrow, disabled ? GetSysColor(COLOR_GRAYTEXT) : draw.clrText);
    }

    void PaintEdges(const RECT& body, const RECT& arrow, bool split, bool flat, bool down, bool hot,
                    bool disabled) const {
        RECT face = body;
        RECT drop = arrow;
        if (flat) {
            if (disabled || (!down && !hot))
                return;
            const UINT edge = down ? BDR_SUNKENOUTER : BDR_RAISEDINNER;
            DrawEdge(m_dc, &face, edge, BF_RECT);
            if (split)
                DrawEdge(m_dc, &drop, BDR_RAISEDINNER, BF_RECT);
            return;
        }
        DrawEdge(m_dc, &face, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT);
        if (split)
            DrawEdge(m_dc, &drop, EDGE_RAISED, BF_RECT | BF_SOFT);
    }

    void PaintContent(const ToolBarButton& button, const RECT& content, UINT state,
                      const NMTBCUSTOMDRAW& draw, LRESULT answer) const {
        const bool disabled = (state & CDIS_DISABLED) != 0;
        const bool list = (m_bar.Style() & TBSTYLE_LIST) != 0;
        const std::u16string text = m_bar.TextOf(button);
        const SIZE bitmap = m_bar.m_bitmapSize;
        const bool hasImage = button.image >= 0 && m_bar.m_images;
        const int textWidth = text.empty() ? 0 : TextWidth(m_bar.m_font, text);
        const int textHeight = text.empty() ? 0 : LineHeight(m_bar.m_font);
        int imageX;
        int imageY;
        RECT textRect = content;
        if (list) {
            const int width = (hasImage ? bitmap.cx : 0) + (hasImage && textWidth ? 4 : 0) + textWidth;
            imageX = content.left + std::max(0, static_cast<int>(content.right - content.left) - width) / 2;
            imageY = (content.top + content.bottom - bitmap.cy) / 2;
            textRect.left = hasImage ? imageX + bitmap.cx + 4 : imageX;
        } else {
            const int height = bitmap.cy + (textHeight ? textHeight + 2 : 0);
            imageX = (content.left + content.right - bitmap.cx) / 2;
            imageY = content.top + std::max(0, static_cast<int>(content.bottom - content.top) - height) / 2;
            textRect.top = imageY + bitmap.cy + 2;
            textRect.bottom = textRect.top + textHeight;
        }
        if (hasImage)
            PaintImage(button.image, imageX, imageY, disabled, (state & CDIS_HOT) != 0);
        if (text.empty())
            return;
        const bool hotText = (state & CDIS_HOT) && (answer & TBCDRF_HILITEHOTTRACK);
        SetTextColor(m_dc, hotText ? draw.clrTextHighlight : draw.clrText);
        SetBkMode(m_dc, draw.nStringBkMode);
        const UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | (list ? DT_LEFT : DT_CENTER) |
                            ((button.style & BTNS_NOPREFIX) ? DT_NOPREFIX : 0);
        if (disabled && (answer & TBCDRF_NOETCHEDEFFECT)) {
            SetTextColor(m_dc, GetSysColor(COLOR_GRAYTEXT));
            DrawTextW(m_dc, text.data(), static_cast<int>(text.size()), &textRect, format);
        } else {
            DrawControlText(m_dc, text, textRect, format, !disabled);
        }
        SetBkMode(m_dc, TRANSPARENT);
    }

    void PaintImage(int image, int x, int y, bool disabled, bool hot) const {
        if (disabled && m_bar.m_disabledImages) {
            ImageList_Draw(m_bar.m_disabledImages, image, m_dc, x, y, ILD_TRANSPARENT);
            return;
        }
        if (disabled) {
            IMAGELISTDRAWPARAMS params{};
            params.cbSize = sizeof params;
            params.himl = m_bar.m_images;
            params.i = image;
            params.hdcDst = m_dc;
            params.x = x;
            params.y = y;
            params.rgbBk = CLR_NONE;
            params.fStyle = ILD_TRANSPARENT;
            params.fState = ILS_SATURATE;
            ImageList_DrawIndirect(&params);
            return;
        }
        HIMAGELIST list = hot && m_bar.m_hotImages ? m_bar.m_hotImages : m_bar.m_images;
        ImageList_Draw(list, image, m_dc, x, y, ILD_TRANSPARENT);
    }

    const ToolBar& m_bar;
    HDC m_dc;
    LRESULT m_answer = CDRF_DODEFAULT;
};

void ToolBar::Paint(HDC dc) {
    FontSelection font(dc, m_font);
    ToolBarPainter(*this, dc).Paint();
}

} // namespace platform
