// The list view's geometry in the report view: the header across the top, rows of one height
// below it, columns in the header's display order, the parts of an item (state image, image,
// label), hit testing, and scrolling by whole rows down and by pixels across, with the
// window's own scroll bars.

#include "platform/controls/common/listview/ListView.h"

#include <algorithm>

namespace platform {

namespace {

// Pixels a line of horizontal scrolling moves.
constexpr int ColumnScrollLine = 8;
// The wheel setting that scrolls a page a notch (WHEEL_PAGESCROLL).
constexpr UINT WheelPageScroll = 0xFFFFFFFF;

int ImageWidth(HIMAGELIST list) {
    int width = 0;
    int height = 0;
    return list && ImageList_GetIconSize(list, &width, &height) ? width : 0;
}

} // namespace

int ListView::HeaderHeight() const {
    return (Style() & LVS_NOCOLUMNHEADER) ? 0 : m_headerHeight;
}

void ListView::UpdateRowHeight() {
    int height = LineHeight(m_font) + 3;
    int imageWidth = 0;
    int imageHeight = 0;
    for (HIMAGELIST list : {m_smallImages, m_stateImages}) {
        if (list && ImageList_GetIconSize(list, &imageWidth, &imageHeight))
            height = std::max(height, imageHeight + 1);
    }
    m_rowHeight = height;
}

RECT ListView::RowsArea() const {
    RECT client;
    GetClientRect(m_window, &client);
    client.top = std::min(RowsTop(), static_cast<int>(client.bottom));
    return client;
}

int ListView::CountPerPage() const {
    const RECT area = RowsArea();
    return std::max(0, static_cast<int>(area.bottom - area.top) / m_rowHeight);
}

int ListView::TotalWidth() const {
    int total = 0;
    for (const ListViewColumn& column : m_columns)
        total += column.width;
    return total;
}

int ListView::ColumnLeft(int column) const {
    int left = -m_scrollX;
    for (int shown : m_order) {
        if (shown == column)
            break;
        left += m_columns[static_cast<std::size_t>(shown)].width;
    }
    return left;
}

int ListView::ColumnOfSubItem(int subItem) const {
    for (int column = 0; column < ColumnCount(); ++column) {
        if (m_columns[static_cast<std::size_t>(column)].subItem == subItem)
            return column;
    }
    return subItem == 0 && ColumnCount() > 0 ? 0 : -1;
}

int ListView::StateIconWidth() const {
    return ImageWidth(m_stateImages);
}

int ListView::IconWidth(int column) const {
    if (column < 0 || column >= ColumnCount())
        return 0;
    const int subItem = m_columns[static_cast<std::size_t>(column)].subItem;
    if (subItem != 0 && !HasExStyle(LVS_EX_SUBITEMIMAGES))
        return 0;
    return ImageWidth(m_smallImages) + (subItem == 0 ? StateIconWidth() : 0);
}

RECT ListView::RowRect(int index) const {
    const int top = RowsTop() + (index - m_top) * m_rowHeight;
    return RECT{-m_scrollX, top, TotalWidth() - m_scrollX, top + m_rowHeight};
}

RECT ListView::CellRect(int index, int column) const {
    RECT row = RowRect(index);
    row.left = ColumnLeft(column);
    row.right = row.left + m_columns[static_cast<std::size_t>(column)].width;
    return row;
}

RECT ListView::ItemPart(int index, int part) const {
    const int column = ColumnOfSubItem(0);
    if (part == LVIR_BOUNDS || column < 0)
        return RowRect(index);
    const RECT cell = CellRect(index, column);
    const int indent = m_items[static_cast<std::size_t>(index)].indent * ImageWidth(m_smallImages);
    const int iconLeft =
        std::min(static_cast<int>(cell.left) + indent + StateIconWidth(), static_cast<int>(cell.right));
    const int labelLeft = std::min(iconLeft + ImageWidth(m_smallImages), static_cast<int>(cell.right));
    const RECT icon{iconLeft, cell.top, labelLeft, cell.bottom};
    const RECT label{labelLeft, cell.top, cell.right, cell.bottom};
    switch (part) {
    case LVIR_ICON:
        return icon;
    case LVIR_LABEL:
        return label;
    default: {
        RECT selection{icon.left, cell.top, label.right, cell.bottom};
        if (HasExStyle(LVS_EX_FULLROWSELECT))
            selection.right = RowRect(index).right;
        return selection;
    }
    }
}

RECT ListView::SubItemPart(int index, int subItem, int part) const {
    // Sub-item 0 stands for the whole item.
    if (subItem == 0)
        return ItemPart(index, part == LVIR_BOUNDS ? LVIR_BOUNDS : part);
    const int column = ColumnOfSubItem(subItem);
    const RECT cell = CellRect(index, column);
    const int iconRight =
        std::min(static_cast<int>(cell.left) + IconWidth(column), static_cast<int>(cell.right));
    switch (part) {
    case LVIR_ICON:
        return RECT{cell.left, cell.top, iconRight, cell.bottom};
    case LVIR_LABEL:
        return RECT{iconRight, cell.top, cell.right, cell.bottom};
    default:
        return cell;
    }
}

int ListView::HitTest(LVHITTESTINFO& info, bool subItems) const {
    RECT client;
    GetClientRect(m_window, &client);
    const POINT point = info.pt;
    info.flags = 0;
    info.iItem = -1;
    if (subItems)
        info.iSubItem = 0;
    if (point.y < 0)
        info.flags |= LVHT_ABOVE;
    if (point.y >= client.bottom)
        info.flags |= LVHT_BELOW;
    if (point.x < 0)
        info.flags |= LVHT_TOLEFT;
    if (point.x >= client.right)
        info.flags |= LVHT_TORIGHT;
    if (info.flags)
        return -1;
    info.flags = LVHT_NOWHERE;
    if (point.y < RowsTop() || m_rowHeight <= 0)
        return -1;
    const int row = m_top + (point.y - RowsTop()) / m_rowHeight;
    if (!Valid(row))
        return -1;
    int column = -1;
    for (int shown : m_order) {
        const RECT cell = CellRect(row, shown);
        if (point.x >= cell.left && point.x < cell.right) {
            column = shown;
            break;
        }
    }
    if (column < 0)
        return -1;
    const int subItem = m_columns[static_cast<std::size_t>(column)].subItem;
    UINT part = LVHT_ONITEMLABEL;
    if (subItem == 0) {
        const RECT icon = ItemPart(row, LVIR_ICON);
        const int stateLeft = icon.left - StateIconWidth();
        if (point.x < stateLeft)
            part = HasExStyle(LVS_EX_FULLROWSELECT) ? LVHT_ONITEMLABEL : LVHT_NOWHERE;
        else if (point.x < icon.left)
            part = LVHT_ONITEMSTATEICON;
        else if (point.x < icon.right)
            part = LVHT_ONITEMICON;
    } else if (!subItems && !HasExStyle(LVS_EX_FULLROWSELECT)) {
        // Without full-row selection only the item's own column belongs to the item.
        part = LVHT_NOWHERE;
    } else if (point.x < SubItemPart(row, subItem, LVIR_ICON).right) {
        part = LVHT_ONITEMICON;
    }
    info.flags = part;
    if (part == LVHT_NOWHERE)
        return -1;
    info.iItem = row;
    if (subItems)
        info.iSubItem = subItem;
    return row;
}

void ListView::LayoutHeader() {
    RECT area;
    GetClientRect(m_window, &area);
    WINDOWPOS place{};
    HDLAYOUT layout{&area, &place};
    SendMessageW(m_header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
    m_headerHeight = place.cy;
    const bool hidden = (Style() & LVS_NOCOLUMNHEADER) != 0;
    // Scrolled across, the header moves left with the columns and still reaches the right edge.
    SetWindowPos(m_header, nullptr, place.x - m_scrollX, place.y, place.cx + m_scrollX, place.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE | (hidden ? SWP_HIDEWINDOW : SWP_SHOWWINDOW));
}

void ListView::UpdateScrollBars() {
    if (m_updatingBars || (Style() & LVS_NOSCROLL))
        return;
    m_updatingBars = true;
    // Showing one bar narrows the rows and may call for the other: twice settles it.
    for (int pass = 0; pass < 2; ++pass) {
        RECT client;
        GetClientRect(m_window, &client);
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMax = std::max(Count() - 1, 0);
        info.nPage = static_cast<UINT>(std::max(CountPerPage(), 1));
        info.nPos = m_top;
        SetScrollInfo(m_window, SB_VERT, &info, TRUE);
        info.nMax = std::max(TotalWidth() - 1, 0);
        info.nPage = static_cast<UINT>(std::max(static_cast<int>(client.right), 1));
        info.nPos = m_scrollX;
        SetScrollInfo(m_window, SB_HORZ, &info, TRUE);
    }
    m_updatingBars = false;
}

void ListView::ScrollRowsTo(int top) {
    top = std::clamp(top, 0, std::max(0, Count() - CountPerPage()));
    if (top == m_top)
        return;
    const int dy = (m_top - top) * m_rowHeight;
    m_top = top;
    const RECT area = RowsArea();
    if (std::abs(dy) < area.bottom - area.top)
        ScrollWindowEx(m_window, 0, dy, &area, &area, nullptr, nullptr, SW_INVALIDATE);
    else
        InvalidateRect(m_window, &area, FALSE);
    UpdateScrollBars();
}

void ListView::ScrollColumnsTo(int x) {
    RECT client;
    GetClientRect(m_window, &client);
    x = std::clamp(x, 0, std::max(0, TotalWidth() - static_cast<int>(client.right)));
    if (x == m_scrollX)
        return;
    const int dx = m_scrollX - x;
    m_scrollX = x;
    const RECT area = RowsArea();
    if (std::abs(dx) < area.right - area.left)
        ScrollWindowEx(m_window, dx, 0, &area, &area, nullptr, nullptr, SW_INVALIDATE);
    else
        InvalidateRect(m_window, &area, FALSE);
    LayoutHeader();
    UpdateScrollBars();
}

void ListView::OnVScroll(WORD code) {
    const int page = std::max(CountPerPage(), 1);
    switch (code) {
    case SB_LINEUP:
        ScrollRowsTo(m_top - 1);
        break;
    case SB_LINEDOWN:
        ScrollRowsTo(m_top + 1);
        break;
    case SB_PAGEUP:
        ScrollRowsTo(m_top - page);
        break;
    case SB_PAGEDOWN:
        ScrollRowsTo(m_top + page);
        break;
    case SB_TOP:
        ScrollRowsTo(0);
        break;
    case SB_BOTTOM:
        ScrollRowsTo(Count());
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(m_window, SB_VERT, &info))
            ScrollRowsTo(info.nTrackPos);
        break;
    }
    default:
        break;
    }
}

void ListView::OnHScroll(WORD code) {
    RECT client;
    GetClientRect(m_window, &client);
    const int page = std::max(static_cast<int>(client.right), 1);
    switch (code) {
    case SB_LINELEFT:
        ScrollColumnsTo(m_scrollX - ColumnScrollLine);
        break;
    case SB_LINERIGHT:
        ScrollColumnsTo(m_scrollX + ColumnScrollLine);
        break;
    case SB_PAGELEFT:
        ScrollColumnsTo(m_scrollX - page);
        break;
    case SB_PAGERIGHT:
        ScrollColumnsTo(m_scrollX + page);
        break;
    case SB_LEFT:
        ScrollColumnsTo(0);
        break;
    case SB_RIGHT:
        ScrollColumnsTo(TotalWidth());
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        if (GetScrollInfo(m_window, SB_HORZ, &info))
            ScrollColumnsTo(info.nTrackPos);
        break;
    }
    default:
        break;
    }
}

void ListView::OnMouseWheel(short delta) {
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    m_wheelDelta += delta;
    const int notches = m_wheelDelta / WHEEL_DELTA;
    if (notches == 0)
        return;
    m_wheelDelta -= notches * WHEEL_DELTA;
    // A wheel set to scroll pages moves a page a notch.
    const int step = lines == WheelPageScroll ? std::max(CountPerPage(), 1) : static_cast<int>(lines);
    ScrollRowsTo(m_top - notches * step);
}

bool ListView::EnsureVisible(int index, bool partialOk) {
    if (!Valid(index))
        return false;
    const RECT area = RowsArea();
    const RECT row = RowRect(index);
    if (index < m_top)
        ScrollRowsTo(index);
    else if (row.bottom > area.bottom && !(partialOk && row.top < area.bottom))
        ScrollRowsTo(index - std::max(CountPerPage(), 1) + 1);
    return true;
}

LRESULT ListView::Scroll(int dx, int dy) {
    // Down the rows only whole rows move: dy is rounded away from zero to rows.
    const int rows = dy > 0 ? (dy + m_rowHeight - 1) / m_rowHeight : -((-dy + m_rowHeight - 1) / m_rowHeight);
    ScrollRowsTo(m_top + rows);
    ScrollColumnsTo(m_scrollX + dx);
    return TRUE;
}

void ListView::InvalidateItem(int index) const {
    InvalidateRows(index, index);
}

void ListView::InvalidateRows(int first, int last) const {
    RECT area = RowsArea();
    const RECT from = RowRect(std::max(first, m_top));
    const RECT to = RowRect(last);
    area.top = std::max(area.top, from.top);
    area.bottom = std::min(area.bottom, to.bottom);
    if (area.top < area.bottom)
        InvalidateRect(m_window, &area, FALSE);
}

void ListView::ItemsChanged(int from) {
    const int top = std::clamp(m_top, 0, std::max(0, Count() - CountPerPage()));
    if (top != m_top) {
        m_top = top;
        from = 0;
    }
    RECT area = RowsArea();
    area.top = std::max(area.top, RowRect(std::max(from, m_top)).top);
    if (area.top < area.bottom)
        InvalidateRect(m_window, &area, FALSE);
    UpdateScrollBars();
}

} // namespace platform
