// The classic look of the tab control: a raised pane, tabs raised on three sides with the
// selected one larger and joined to the pane, or buttons; image and text centred in each tab,
// turned a quarter for tabs on the left (read upwards) and on the right (read downwards).

#include "platform/controls/common/tab/TabControl.h"

#include <algorithm>

namespace platform {

namespace {

// The edges a tab shows: all but the one facing the pane.
UINT TabEdges(TabSide side) {
    switch (side) {
    case TabSide::Top:
        return BF_LEFT | BF_TOP | BF_RIGHT;
    case TabSide::Bottom:
        return BF_LEFT | BF_BOTTOM | BF_RIGHT;
    case TabSide::Left:
        return BF_LEFT | BF_TOP | BF_BOTTOM;
    case TabSide::Right:
        return BF_RIGHT | BF_TOP | BF_BOTTOM;
    }
    return BF_RECT;
}

// Draws a line of text turned a quarter, centred on a point: upwards (read from the bottom) or
// downwards. The text is drawn flat into a bitmap first and its pixels copied turned.
void DrawTurnedText(HDC dc, std::u16string_view text, POINT centre, bool upwards, COLORREF colour) {
    SIZE size{};
    int count = static_cast<int>(text.size());
    GetTextExtentPoint32W(dc, text.data(), count, &size);
    if (size.cx <= 0 || size.cy <= 0)
        return;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, size.cx, size.cy);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    HGDIOBJ oldFont = SelectObject(memory, GetCurrentObject(dc, OBJ_FONT));
    RECT area{0, 0, size.cx, size.cy};
    FillRect(memory, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, RGB(0, 0, 0));
    TextOutW(memory, 0, 0, text.data(), count);
    int left = centre.x - size.cy / 2;
    int top = centre.y - size.cx / 2;
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            if (GetPixel(memory, x, y) == RGB(255, 255, 255))
                continue;
            if (upwards)
                SetPixelV(dc, left + y, top + size.cx - 1 - x, colour);
            else
                SetPixelV(dc, left + size.cy - 1 - y, top + x, colour);
        }
    }
    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

} // namespace

RECT TabControl::FaceRect(int index) const {
    RECT rect = ItemRect(index);
    if (Buttons() || index != m_selected)
        return rect;
    // The selected tab grows by two pixels and reaches one pixel into the pane's edge.
    switch (Side()) {
    case TabSide::Top:
        return RECT{rect.left - 2, rect.top - 2, rect.right + 2, rect.bottom + 1};
    case TabSide::Bottom:
        return RECT{rect.left - 2, rect.top - 1, rect.right + 2, rect.bottom + 2};
    case TabSide::Left:
        return RECT{rect.left - 2, rect.top - 2, rect.right + 1, rect.bottom + 2};
    case TabSide::Right:
        return RECT{rect.left - 1, rect.top - 2, rect.right + 2, rect.bottom + 2};
    }
    return rect;
}

void TabControl::PaintPane(HDC dc) const {
    RECT client;
    GetClientRect(m_window, &client);
    RECT pane = AdjustTabRect(client, false, Side(), false, Layout().rows, Thickness());
    InflateRect(&pane, 4, 4);
    DrawEdge(dc, &pane, EDGE_RAISED, BF_RECT | BF_SOFT);
}

void TabControl::PaintContent(HDC dc, int index, RECT rect) const {
    const TabItem& item = m_items[static_cast<std::size_t>(index)];
    COLORREF colour = GetSysColor(IsWindowEnabled(m_window) ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    int imageWidth = 0;
    int imageHeight = 0;
    bool hasImage = item.image >= 0 && m_images && ImageList_GetIconSize(m_images, &imageWidth, &imageHeight);
    POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    TabSide side = Side();
    if (side == TabSide::Left || side == TabSide::Right) {
        int textLength = TextWidth(m_font, item.text);
        int total = textLength + (hasImage ? imageHeight + m_padding.cx : 0);
        int top = centre.y - total / 2;
        if (hasImage) {
            ImageList_Draw(m_images, item.image, dc, centre.x - imageWidth / 2, top, ILD_TRANSPARENT);
            top += imageHeight + m_padding.cx;
        }
        DrawTurnedText(dc, item.text, POINT{centre.x, top + textLength / 2}, side == TabSide::Left, colour);
        return;
    }
    int textWidth = TextWidth(m_font, item.text);
    int total = textWidth + (hasImage ? imageWidth + m_padding.cx : 0);
    int left = std::max(static_cast<int>(rect.left), static_cast<int>(centre.x - total / 2));
    if (hasImage) {
        ImageList_Draw(m_images, item.image, dc, left, centre.y - imageHeight / 2, ILD_TRANSPARENT);
        left += imageWidth + m_padding.cx;
    }
    RECT text{left, rect.top, rect.right, rect.bottom};
    DrawTextW(dc, item.text.data(), static_cast<int>(item.text.size()), &text,
              DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void TabControl::PaintOwnerDrawn(HDC dc, int index, RECT rect) const {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_TAB;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(m_window));
    item.itemID = static_cast<UINT>(index);
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = index == m_selected ? ODS_SELECTED : 0;
    if (!IsWindowEnabled(m_window))
        item.itemState |= ODS_DISABLED;
    item.hwndItem = m_window;
    item.hDC = dc;
    item.rcItem = rect;
    item.itemData = static_cast<ULONG_PTR>(m_items[static_cast<std::size_t>(index)].param);
    SendMessageW(GetParent(m_window), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

void TabControl::PaintItem(HDC dc, int index) const {
    RECT face = FaceRect(index);
    DWORD style = Style();
    bool selected = index == m_selected;
    bool pressed = selected || (m_items[static_cast<std::size_t>(index)].state & TCIS_BUTTONPRESSED);
    FillRect(dc, &face, GetSysColorBrush(COLOR_3DFACE));
    RECT content = face;
    if (!Buttons()) {
        DrawEdge(dc, &face, EDGE_RAISED, TabEdges(Side()) | BF_SOFT);
        InflateRect(&content, -2, -2);
    } else if (pressed) {
        DrawEdge(dc, &face, EDGE_SUNKEN, BF_RECT);
        InflateRect(&content, -2, -2);
        OffsetRect(&content, 1, 1);
    } else if (!(style & TCS_FLATBUTTONS)) {
        DrawEdge(dc, &face, EDGE_RAISED, BF_RECT);
        InflateRect(&content, -2, -2);
    }
    if (style & TCS_OWNERDRAWFIXED)
        PaintOwnerDrawn(dc, index, face);
    else
        PaintContent(dc, index, content);
    if (index == m_focus && GetFocus() == m_window && !(style & TCS_FOCUSNEVER)) {
        RECT focus = face;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

void TabControl::Paint(HDC dc) {
    FontSelection font(dc, m_font);
    RECT client;
    GetClientRect(m_window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    if (!Buttons())
        PaintPane(dc);
    // The selected tab is drawn last: it overlaps its neighbours.
    for (int i = 0; i < Count(); ++i) {
        if (i != m_selected)
            PaintItem(dc, i);
    }
    if (Valid(m_selected))
        PaintItem(dc, m_selected);
}

} // namespace platform
