// The classic look of the list view's report view, drawn row by row inside the clip box only:
// each cell's images and text (cut with an ellipsis when it does not fit), the selection in
// the highlight colours (grey when the list is not focused and shows its selection always),
// the focus rectangle, grid lines, and the parent's say at every custom-draw stage.

#include "platform/controls/common/listview/ListView.h"

#include <algorithm>

namespace platform {

namespace {

// Space between a cell's edge and its text: the item's label sits closer to its image.
constexpr int LabelMargin = 2;
constexpr int SubItemMargin = 6;

COLORREF Resolve(COLORREF colour, COLORREF fallback) {
    return colour == CLR_DEFAULT || colour == CLR_NONE ? fallback : colour;
}

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
    if (rect.left >= rect.right || rect.top >= rect.bottom)
        return;
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

} // namespace

// One paint of the list view: the colours, the clip box and the parent's custom-draw answers
// of this pass.
class ListViewPainter {
public:
    ListViewPainter(const ListView& view, HDC dc) : m_view(view), m_dc(dc) {}

    void Paint() {
        GetClipBox(m_dc, &m_clip);
        RECT client;
        GetClientRect(m_view.m_window, &client);
        m_transparent = m_view.m_background == CLR_NONE;
        m_background = Resolve(m_view.m_background, GetSysColor(COLOR_WINDOW));
        m_text = IsWindowEnabled(m_view.m_window)
                     ? Resolve(m_view.m_textColour, GetSysColor(COLOR_WINDOWTEXT))
                     : GetSysColor(COLOR_GRAYTEXT);
        m_textBackground = Resolve(m_view.m_textBackground, m_background);
        TEXTMETRICW metrics{};
        GetTextMetricsW(m_dc, &metrics);
        m_lineHeight = metrics.tmHeight;

        NMLVCUSTOMDRAW draw{};
        draw.nmcd.hdc = m_dc;
        draw.nmcd.rc = client;
        m_answer = SendCustomDraw(m_view.m_window, draw.nmcd, CDDS_PREPAINT);
        if (m_answer & CDRF_SKIPDEFAULT)
            return;
        PaintEmptyArea(client);
        if (m_answer & CDRF_NOTIFYPOSTERASE)
            SendCustomDraw(m_view.m_window, draw.nmcd, CDDS_POSTERASE);
        SetBkMode(m_dc, TRANSPARENT);
        const int rowsTop = m_view.RowsTop();
        const int height = m_view.m_rowHeight;
        const int first = m_view.m_top + std::max(0, static_cast<int>(m_clip.top) - rowsTop) / height;
        const int last = m_view.m_top + std::max(0, static_cast<int>(m_clip.bottom) - 1 - rowsTop) / height;
        for (int index = first; index <= last && m_view.Valid(index); ++index)
            PaintRow(index);
        if (m_view.HasExStyle(LVS_EX_GRIDLINES))
            PaintGridLines(client);
        if (m_answer & CDRF_NOTIFYPOSTPAINT)
            SendCustomDraw(m_view.m_window, draw.nmcd, CDDS_POSTPAINT);
    }

private:
    // Below the last row and right of the last column.
    void PaintEmptyArea(const RECT& client) {
        if (m_transparent)
            return;
        const int rowsTop = m_view.RowsTop();
        const int rowsBottom = rowsTop + (m_view.Count() - m_view.m_top) * m_view.m_rowHeight;
        const int right = m_view.TotalWidth() - m_view.m_scrollX;
        Fill(m_dc, RECT{right, rowsTop, client.right, std::min(rowsBottom, static_cast<int>(client.bottom))},
             m_background);
        Fill(m_dc, RECT{client.left, std::max(rowsBottom, rowsTop), client.right, client.bottom},
             m_background);
    }

    void PaintRow(int index) {
        const ListViewItem& item = m_view.m_items[static_cast<std::size_t>(index)];
        NMLVCUSTOMDRAW draw{};
        draw.nmcd.hdc = m_dc;
        draw.nmcd.rc = m_view.RowRect(index);
        draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(index);
        draw.nmcd.lItemlParam = item.param;
        draw.nmcd.uItemState = ((item.state & LVIS_SELECTED) ? CDIS_SELECTED : 0) |
                               (index == m_view.m_focused && m_view.m_hasFocus ? CDIS_FOCUS : 0) |
                               (index == m_view.m_hot ? CDIS_HOT : 0);
        draw.clrText = m_text;
        draw.clrTextBk = m_textBackground;
        HGDIOBJ font = GetCurrentObject(m_dc, OBJ_FONT);
        LRESULT answer = CDRF_DODEFAULT;
        if (m_answer & CDRF_NOTIFYITEMDRAW) {
            // The parent draws on the row's background, as on an erased window.
            if (!m_transparent)
                Fill(m_dc, m_view.RowRect(index), m_background);
            answer = SendCustomDraw(m_view.m_window, draw.nmcd, CDDS_ITEMPREPAINT);
            if (answer & CDRF_SKIPDEFAULT) {
                SelectObject(m_dc, font);
                return;
            }
        }
        // The parent may take the selection look away by clearing CDIS_SELECTED.
        const bool shown = m_view.m_hasFocus || (m_view.Style() & LVS_SHOWSELALWAYS);
        m_highlight = (draw.nmcd.uItemState & CDIS_SELECTED) && shown;
        m_label = RECT{};
        for (int column : m_view.m_order) {
            const RECT cell = m_view.CellRect(index, column);
            if (cell.right <= m_clip.left || cell.left >= m_clip.right || cell.right <= cell.left)
                continue;
            NMLVCUSTOMDRAW cellDraw = draw;
            cellDraw.iSubItem = m_view.m_columns[static_cast<std::size_t>(column)].subItem;
            cellDraw.nmcd.rc = cell;
            LRESULT cellAnswer = CDRF_DODEFAULT;
            if (answer & CDRF_NOTIFYSUBITEMDRAW) {
                cellAnswer = SendCustomDraw(m_view.m_window, cellDraw.nmcd, CDDS_ITEMPREPAINT | CDDS_SUBITEM);
                if (cellAnswer & CDRF_SKIPDEFAULT)
                    continue;
            }
            PaintCell(index, column, cellDraw.clrText, cellDraw.clrTextBk);
            if (cellAnswer & CDRF_NOTIFYPOSTPAINT)
                SendCustomDraw(m_view.m_window, cellDraw.nmcd, CDDS_ITEMPOSTPAINT | CDDS_SUBITEM);
        }
        if ((draw.nmcd.uItemState & CDIS_FOCUS) && m_label.right > m_label.left) {
            SetTextColor(m_dc, RGB(0, 0, 0));
            SetBkColor(m_dc, RGB(255, 255, 255));
            DrawFocusRect(m_dc, &m_label);
        }
        if (answer & CDRF_NOTIFYPOSTPAINT)
            SendCustomDraw(m_view.m_window, draw.nmcd, CDDS_ITEMPOSTPAINT);
        SelectObject(m_dc, font);
    }

    void PaintCell(int index, int column, COLORREF text, COLORREF back) {
        const ListViewColumn& info = m_view.m_columns[static_cast<std::size_t>(column)];
        const bool isItem = info.subItem == 0;
        const bool fullRow = m_view.HasExStyle(LVS_EX_FULLROWSELECT);
        RECT cell = m_view.CellRect(index, column);
        if (m_view.HasExStyle(LVS_EX_GRIDLINES)) {
            --cell.right;
            --cell.bottom;
        }
        const RECT label =
            isItem ? m_view.ItemPart(index, LVIR_LABEL) : m_view.SubItemPart(index, info.subItem, LVIR_LABEL);
        const RECT icon =
            isItem ? m_view.ItemPart(index, LVIR_ICON) : m_view.SubItemPart(index, info.subItem, LVIR_ICON);
        RECT labelArea{label.left, cell.top, std::min(label.right, cell.right), cell.bottom};
        if (!m_transparent || (m_view.m_textBackground != CLR_NONE && m_view.m_textBackground != CLR_DEFAULT))
            Fill(m_dc, RECT{cell.left, cell.top, labelArea.left, cell.bottom}, back);

        const std::u16string content = m_view.CellText(index, info.subItem);
        const int margin = isItem ? LabelMargin : SubItemMargin;
        SIZE extent{};
        GetTextExtentPoint32W(m_dc, content.data(), static_cast<int>(content.size()), &extent);
        // The highlight covers the whole label with full-row selection, else the item's text.
        RECT highlight = labelArea;
        if (!fullRow)
            highlight.right =
                std::min(labelArea.right, labelArea.left + static_cast<LONG>(extent.cx) + 2 * margin);
        const bool highlighted = m_highlight && (fullRow || isItem);
        COLORREF textColour = text;
        if (highlighted) {
            const bool focused = m_view.m_hasFocus;
            const COLORREF mark = GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_3DFACE);
            textColour = GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
            Fill(m_dc, highlight, mark);
            if (highlight.right < labelArea.right && !m_transparent)
                Fill(m_dc, RECT{highlight.right, cell.top, labelArea.right, cell.bottom}, back);
        } else if (!m_transparent) {
            Fill(m_dc, labelArea, back);
        }
        if (isItem)
            m_label = fullRow ? RECT{labelArea.left, cell.top, m_view.RowRect(index).right, cell.bottom}
                              : highlight;

        PaintImages(index, info.subItem, icon, highlighted && m_view.m_hasFocus);
        RECT textRect = labelArea;
        textRect.left += margin;
        textRect.right -= margin;
        if (content.empty() || textRect.right <= textRect.left)
            return;
        SetTextColor(m_dc, textColour);
        const int room = textRect.right - textRect.left;
        const int alignment = isItem ? LVCFMT_LEFT : (info.format & LVCFMT_JUSTIFYMASK);
        if (extent.cx <= room) {
            int x = textRect.left;
            if (alignment == LVCFMT_RIGHT)
                x = textRect.right - extent.cx;
            else if (alignment == LVCFMT_CENTER)
                x = textRect.left + (room - extent.cx) / 2;
            const int y = (textRect.top + textRect.bottom - m_lineHeight) / 2;
            ExtTextOutW(m_dc, x, y, ETO_CLIPPED, &textRect, content.data(), static_cast<UINT>(content.size()),
                        nullptr);
            return;
        }
        const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                            (alignment == LVCFMT_RIGHT    ? DT_RIGHT
                             : alignment == LVCFMT_CENTER ? DT_CENTER
                                                          : DT_LEFT);
        DrawTextW(m_dc, content.data(), static_cast<int>(content.size()), &textRect, format);
    }

    void PaintImages(int index, int subItem, const RECT& icon, bool selected) {
        const ListViewItem& item = m_view.m_items[static_cast<std::size_t>(index)];
        if (subItem == 0 && m_view.m_stateImages) {
            const int stateImage = static_cast<int>((item.state & LVIS_STATEIMAGEMASK) >> 12);
            const int width = m_view.StateIconWidth();
            if (stateImage > 0)
                DrawImage(m_view.m_stateImages, stateImage - 1, icon.left - width, icon, ILD_TRANSPARENT);
        }
        if (!m_view.m_smallImages || icon.right <= icon.left)
            return;
        const int image = m_view.CellImage(index, subItem);
        if (image >= 0)
            DrawImage(m_view.m_smallImages, image, icon.left, icon,
                      ILD_TRANSPARENT | (selected ? ILD_SELECTED : 0));
    }

    void DrawImage(HIMAGELIST list, int image, int x, const RECT& row, UINT style) {
        int width = 0;
        int height = 0;
        ImageList_GetIconSize(list, &width, &height);
        ImageList_Draw(list, image, m_dc, x, (row.top + row.bottom - height) / 2, style);
    }

    // Lines one pixel wide, drawn as thin fills (far cheaper than pen lines pixel by pixel).
    void PaintGridLines(const RECT& client) {
        const COLORREF colour = GetSysColor(COLOR_3DFACE);
        const int left = std::max(static_cast<int>(m_clip.left), -m_view.m_scrollX);
        const int right = std::min(m_view.TotalWidth() - m_view.m_scrollX, static_cast<int>(m_clip.right));
        const int height = m_view.m_rowHeight;
        // Rows are ruled down to the bottom of the window, below the last item too.
        for (int y = m_view.RowsTop() + height - 1; y < client.bottom; y += height) {
            if (y >= m_clip.top && y < m_clip.bottom)
                Fill(m_dc, RECT{left, y, right, y + 1}, colour);
        }
        const int top = std::max(m_view.RowsTop(), static_cast<int>(m_clip.top));
        int x = -m_view.m_scrollX;
        for (int column : m_view.m_order) {
            x += m_view.m_columns[static_cast<std::size_t>(column)].width;
            if (x - 1 >= m_clip.left && x - 1 < m_clip.right)
                Fill(m_dc, RECT{x - 1, top, x, m_clip.bottom}, colour);
        }
    }

    const ListView& m_view;
    HDC m_dc;
    RECT m_clip{};
    LRESULT m_answer = CDRF_DODEFAULT;
    bool m_transparent = false;
    COLORREF m_background = 0;
    COLORREF m_text = 0;
    COLORREF m_textBackground = 0;
    int m_lineHeight = 0;
    bool m_highlight = false;
    RECT m_label{}; // where the focus rectangle of the row goes
};

void ListView::Paint(HDC dc) {
    FontSelection font(dc, m_font);
    ListViewPainter(*this, dc).Paint();
}

} // namespace platform
