// The list view's columns: each is an item of the header child, which holds its title and
// width and the display order; the list view keeps the format, the sub-item it shows and a
// copy of the width, read back whenever the header reports a change.

#include "platform/controls/common/listview/ListView.h"

#include <algorithm>
#include <numeric>

namespace platform {

namespace {

// Space either side of a cell's text.
constexpr int TextMargin = 6;

int HeaderFormat(int format) {
    int result = HDF_STRING;
    switch (format & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT:
        result |= HDF_RIGHT;
        break;
    case LVCFMT_CENTER:
        result |= HDF_CENTER;
        break;
    default:
        result |= HDF_LEFT;
        break;
    }
    if (format & LVCFMT_IMAGE)
        result |= HDF_IMAGE;
    if (format & LVCFMT_BITMAP_ON_RIGHT)
        result |= HDF_BITMAP_ON_RIGHT;
    return result;
}

// The header item describing the fields of a column the mask names.
template <typename Column>
HDITEMW HeaderItemOf(const Column* column, int format, std::u16string& text) {
    HDITEMW item{};
    if (column->mask & LVCF_WIDTH) {
        item.mask |= HDI_WIDTH;
        item.cxy = std::max(0, column->cx);
    }
    if (column->mask & LVCF_FMT) {
        item.mask |= HDI_FORMAT;
        item.fmt = HeaderFormat(format);
    }
    if (column->mask & LVCF_TEXT) {
        text = TextFromCaller(column->pszText);
        item.mask |= HDI_TEXT;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
    }
    if (column->mask & LVCF_IMAGE) {
        item.mask |= HDI_IMAGE;
        item.iImage = column->iImage;
    }
    if (column->mask & LVCF_ORDER) {
        item.mask |= HDI_ORDER;
        item.iOrder = column->iOrder;
    }
    return item;
}

} // namespace

template <typename Column>
LRESULT ListView::InsertColumn(int index, const Column* column) {
    if (!column || index < 0)
        return -1;
    index = std::min(index, ColumnCount());
    ListViewColumn entry;
    // The leftmost column is always left-aligned.
    entry.format = (column->mask & LVCF_FMT) ? column->fmt : LVCFMT_LEFT;
    if (index == 0)
        entry.format &= ~LVCFMT_JUSTIFYMASK;
    entry.subItem = (column->mask & LVCF_SUBITEM) ? std::max(0, column->iSubItem) : index;
    entry.image = (column->mask & LVCF_IMAGE) ? column->iImage : I_IMAGENONE;
    entry.width = (column->mask & LVCF_WIDTH) ? std::max(0, column->cx) : 0;
    std::u16string text;
    HDITEMW item = HeaderItemOf(column, entry.format, text);
    item.mask |= HDI_FORMAT | HDI_WIDTH;
    item.fmt = HeaderFormat(entry.format);
    item.cxy = entry.width;
    if (SendMessageW(m_header, HDM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) <
        0)
        return -1;
    m_columns.insert(m_columns.begin() + index, entry);
    SyncColumnsFromHeader();
    return index;
}

LRESULT ListView::DeleteColumn(int index) {
    if (index < 0 || index >= ColumnCount())
        return FALSE;
    SendMessageW(m_header, HDM_DELETEITEM, static_cast<WPARAM>(index), 0);
    m_columns.erase(m_columns.begin() + index);
    SyncColumnsFromHeader();
    return TRUE;
}

template <typename Column>
LRESULT ListView::GetColumn(int index, Column* column) const {
    if (!column || index < 0 || index >= ColumnCount())
        return FALSE;
    const ListViewColumn& source = m_columns[static_cast<std::size_t>(index)];
    if (column->mask & LVCF_FMT)
        column->fmt = source.format;
    if (column->mask & LVCF_WIDTH)
        column->cx = source.width;
    if (column->mask & LVCF_SUBITEM)
        column->iSubItem = source.subItem;
    if (column->mask & LVCF_IMAGE)
        column->iImage = source.image;
    if (column->mask & LVCF_ORDER)
        column->iOrder = static_cast<int>(std::find(m_order.begin(), m_order.end(), index) - m_order.begin());
    if (column->mask & LVCF_TEXT) {
        WCHAR title[512] = {};
        HDITEMW item{};
        item.mask = HDI_TEXT;
        item.pszText = title;
        item.cchTextMax = static_cast<int>(std::size(title));
        SendMessageW(m_header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        CopyTextToCaller(title, column->pszText, column->cchTextMax);
    }
    return TRUE;
}

template <typename Column>
LRESULT ListView::SetColumn(int index, const Column* column) {
    if (!column || index < 0 || index >= ColumnCount())
        return FALSE;
    ListViewColumn& target = m_columns[static_cast<std::size_t>(index)];
    if (column->mask & LVCF_FMT)
        target.format = index == 0 ? (column->fmt & ~LVCFMT_JUSTIFYMASK) : column->fmt;
    if (column->mask & LVCF_SUBITEM)
        target.subItem = std::max(0, column->iSubItem);
    if (column->mask & LVCF_IMAGE)
        target.image = column->iImage;
    std::u16string text;
    HDITEMW item = HeaderItemOf(column, target.format, text);
    if (item.mask)
        SendMessageW(m_header, HDM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    SyncColumnsFromHeader();
    return TRUE;
}

int ListView::AutoWidth(int index, bool useHeader) const {
    const ListViewColumn& column = m_columns[static_cast<std::size_t>(index)];
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, ControlFont(m_font));
    const auto width = [dc](const std::u16string& text) {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    int widest = 0;
    for (int item = 0; item < Count(); ++item)
        widest = std::max(widest, width(CellText(item, column.subItem)));
    widest += 2 * TextMargin + IconWidth(index);
    if (useHeader) {
        WCHAR title[512] = {};
        HDITEMW item{};
        item.mask = HDI_TEXT;
        item.pszText = title;
        item.cchTextMax = static_cast<int>(std::size(title));
        SendMessageW(m_header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        widest = std::max(widest, width(title) + 2 * TextMargin + 6);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return widest;
}

LRESULT ListView::SetColumnWidth(int index, int width) {
    if (index < 0 || index >= ColumnCount())
        return FALSE;
    if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
        const bool useHeader = width == LVSCW_AUTOSIZE_USEHEADER;
        width = AutoWidth(index, useHeader);
        // The last column shown, sized to its title, fills what is left of the window.
        if (useHeader && !m_order.empty() && m_order.back() == index) {
            RECT client;
            GetClientRect(m_window, &client);
            const int others = TotalWidth() - m_columns[static_cast<std::size_t>(index)].width;
            width = std::max(width, static_cast<int>(client.right) - others);
        }
    }
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    item.cxy = std::max(0, width);
    SendMessageW(m_header, HDM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    SyncColumnsFromHeader();
    return TRUE;
}

LRESULT ListView::SetColumnOrder(int count, const int* order) {
    if (!order || count != ColumnCount())
        return FALSE;
    const LRESULT done = SendMessageW(m_header, HDM_SETORDERARRAY, static_cast<WPARAM>(count),
                                      reinterpret_cast<LPARAM>(order));
    SyncColumnsFromHeader();
    return done;
}

LRESULT ListView::GetColumnOrder(int count, int* order) const {
    if (!order || count != ColumnCount())
        return FALSE;
    std::copy(m_order.begin(), m_order.end(), order);
    return TRUE;
}

void ListView::SyncColumnsFromHeader() {
    for (int index = 0; index < ColumnCount(); ++index) {
        HDITEMW item{};
        item.mask = HDI_WIDTH;
        if (SendMessageW(m_header, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
            m_columns[static_cast<std::size_t>(index)].width = item.cxy;
    }
    m_order.assign(m_columns.size(), 0);
    if (!SendMessageW(m_header, HDM_GETORDERARRAY, m_order.size(), reinterpret_cast<LPARAM>(m_order.data())))
        std::iota(m_order.begin(), m_order.end(), 0);
    ScrollColumnsTo(m_scrollX);
    UpdateScrollBars();
    InvalidateRect(m_window, nullptr, FALSE);
}

template LRESULT ListView::InsertColumn(int, const LVCOLUMNA*);
template LRESULT ListView::InsertColumn(int, const LVCOLUMNW*);
template LRESULT ListView::GetColumn(int, LVCOLUMNA*) const;
template LRESULT ListView::GetColumn(int, LVCOLUMNW*) const;
template LRESULT ListView::SetColumn(int, const LVCOLUMNA*);
template LRESULT ListView::SetColumn(int, const LVCOLUMNW*);

} // namespace platform
