// The classic look of the header: raised items (pressed ones flat and shifted), image and text
// placed by the item's format, hot items in the hot-tracking colour, and owner-drawn items.

#include "platform/controls/common/header/Header.h"

#include <algorithm>

namespace platform {

namespace {

// Space between an item's edge and its content, and between image and text.
constexpr int ContentMargin = 6;

} // namespace

void Header::PaintContent(HDC dc, int index, RECT rect) const {
    const HeaderItem& item = m_items[static_cast<std::size_t>(index)];
    InflateRect(&rect, -ContentMargin, 0);
    int imageWidth = 0;
    int imageHeight = 0;
    bool hasImage = (item.format & HDF_IMAGE) && item.image >= 0 && m_images &&
                    ImageList_GetIconSize(m_images, &imageWidth, &imageHeight);
    bool imageOnRight = (item.format & HDF_BITMAP_ON_RIGHT) != 0;
    int textWidth = std::min(TextWidth(m_font, item.text), static_cast<int>(rect.right - rect.left));
    int contentWidth = textWidth + (hasImage ? imageWidth + ContentMargin : 0);
    int room = rect.right - rect.left;
    int left = rect.left;
    switch (item.format & HDF_JUSTIFYMASK) {
    case HDF_CENTER:
        left += std::max(0, (room - contentWidth) / 2);
        break;
    case HDF_RIGHT:
        left += std::max(0, room - contentWidth);
        break;
    default:
        break;
    }
    int imageLeft = imageOnRight ? left + textWidth + ContentMargin : left;
    int textLeft = hasImage && !imageOnRight ? left + imageWidth + ContentMargin : left;
    if (hasImage && imageLeft + imageWidth <= rect.right + ContentMargin) {
        ImageList_Draw(m_images, item.image, dc, imageLeft, (rect.top + rect.bottom - imageHeight) / 2,
                       ILD_TRANSPARENT);
    }
    RECT text{textLeft, rect.top, std::min(static_cast<int>(rect.right), textLeft + textWidth), rect.bottom};
    DrawTextW(dc, item.text.data(), static_cast<int>(item.text.size()), &text,
              DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void Header::PaintItem(HDC dc, int index) const {
    RECT rect = ItemRect(index);
    if (rect.right <= rect.left)
        return;
    const HeaderItem& item = m_items[static_cast<std::size_t>(index)];
    bool pressed = index == m_pressed && m_pressedInside;
    FillRect(dc, &rect, GetSysColorBrush(COLOR_3DFACE));
    RECT content = rect;
    if (pressed) {
        DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT | BF_FLAT);
        OffsetRect(&content, 1, 1);
    } else {
        DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT | BF_SOFT);
    }
    if (item.format & HDF_OWNERDRAW) {
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_HEADER;
        draw.CtlID = static_cast<UINT>(GetDlgCtrlID(m_window));
        draw.itemID = static_cast<UINT>(index);
        draw.itemAction = ODA_DRAWENTIRE;
        draw.itemState = pressed ? ODS_SELECTED : 0;
        draw.hwndItem = m_window;
        draw.hDC = dc;
        draw.rcItem = rect;
        draw.itemData = static_cast<ULONG_PTR>(item.param);
        SendMessageW(GetParent(m_window), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
        return;
    }
    int colour = !IsWindowEnabled(m_window) ? COLOR_GRAYTEXT
                 : index == m_hot           ? COLOR_HOTLIGHT
                                            : COLOR_BTNTEXT;
    SetTextColor(dc, GetSysColor(colour));
    PaintContent(dc, index, content);
}

void Header::Paint(HDC dc) {
    FontSelection font(dc, m_font);
    SetBkMode(dc, TRANSPARENT);
    RECT client;
    GetClientRect(m_window, &client);
    int right = 0;
    for (int index : m_order) {
        PaintItem(dc, index);
        right += m_items[static_cast<std::size_t>(index)].width;
    }
    // The rest of the header is an empty raised item.
    if (right < client.right) {
        RECT rest{right, 0, client.right, client.bottom};
        FillRect(dc, &rest, GetSysColorBrush(COLOR_3DFACE));
        DrawEdge(dc, &rest, EDGE_RAISED, BF_RECT | BF_SOFT);
    }
}

} // namespace platform
