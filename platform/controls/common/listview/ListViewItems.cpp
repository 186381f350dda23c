// The list view's items: inserting (in sorted order when the style asks), deleting with the
// parent told, reading and writing items and their sub-items in either character set, texts
// the parent keeps (LVN_GETDISPINFO), finding, walking and sorting.

#include "platform/controls/common/listview/ListView.h"

#include <algorithm>
#include <cwctype>

namespace platform {

namespace {

bool IsTextCallback(LPCSTR text) {
    return text == LPSTR_TEXTCALLBACKA;
}

bool IsTextCallback(LPCWSTR text) {
    return text == LPSTR_TEXTCALLBACKW;
}

// The length of a text just copied to a caller's buffer.
LRESULT CopiedLength(LPCSTR buffer, int size) {
    return buffer && size > 0 ? static_cast<LRESULT>(std::char_traits<char>::length(buffer)) : 0;
}

LRESULT CopiedLength(LPCWSTR buffer, int size) {
    return buffer && size > 0 ? static_cast<LRESULT>(std::char_traits<WCHAR>::length(buffer)) : 0;
}

// Case-insensitive comparison of two texts, as sorted list views and LVFI_STRING compare.
int CompareNoCase(std::u16string_view a, std::u16string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = std::towlower(static_cast<wint_t>(a[i]));
        const auto y = std::towlower(static_cast<wint_t>(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// A bottom-up merge sort of positions: stable, and it never reads outside the list whatever
// the comparison answers, so a callback that contradicts itself only gives a strange order.
template <typename Before>
void MergeSort(std::vector<int>& order, Before before) {
    const std::size_t count = order.size();
    std::vector<int> merged(count);
    for (std::size_t width = 1; width < count; width *= 2) {
        for (std::size_t left = 0; left < count; left += 2 * width) {
            const std::size_t middle = std::min(left + width, count);
            const std::size_t right = std::min(left + 2 * width, count);
            std::size_t i = left;
            std::size_t j = middle;
            std::size_t out = left;
            while (i < middle && j < right)
                merged[out++] = before(order[j], order[i]) ? order[j++] : order[i++];
            while (i < middle)
                merged[out++] = order[i++];
            while (j < right)
                merged[out++] = order[j++];
        }
        order.swap(merged);
    }
}

} // namespace

const ListViewSubItem* ListView::Cell(int index, int subItem) const {
    const ListViewItem& item = m_items[static_cast<std::size_t>(index)];
    if (subItem < 0 || subItem >= static_cast<int>(item.subItems.size()))
        return nullptr;
    return &item.subItems[static_cast<std::size_t>(subItem)];
}

ListViewSubItem& ListView::CellForWriting(int index, int subItem) {
    ListViewItem& item = m_items[static_cast<std::size_t>(index)];
    const std::size_t needed = static_cast<std::size_t>(subItem) + 1;
    while (item.subItems.size() < needed) {
        // A sub-item never written follows the item: the parent's when the item's text is.
        ListViewSubItem fresh;
        fresh.textCallback = item.subItems[0].textCallback;
        item.subItems.push_back(fresh);
    }
    return item.subItems[static_cast<std::size_t>(subItem)];
}

std::u16string ListView::CellText(int index, int subItem) const {
    const ListViewSubItem* cell = Cell(index, subItem);
    const bool callback =
        cell ? cell->textCallback : m_items[static_cast<std::size_t>(index)].subItems[0].textCallback;
    if (callback)
        return AskParentForText(index, subItem);
    return cell ? cell->text : std::u16string();
}

std::u16string ListView::AskParentForText(int index, int subItem) const {
    constexpr int BufferSize = 260;
    const LPARAM param = m_items[static_cast<std::size_t>(index)].param;
    if (m_unicodeParent) {
        WCHAR buffer[BufferSize] = {};
        NMLVDISPINFOW info{};
        info.item = LVITEMW{LVIF_TEXT, index, subItem, 0, 0, buffer, BufferSize, 0, param, 0};
        NotifyParent(m_window, LVN_GETDISPINFOW, info.hdr);
        if (!info.item.pszText || IsTextCallback(info.item.pszText))
            return {};
        return std::u16string(info.item.pszText);
    }
    char buffer[BufferSize] = {};
    NMLVDISPINFOA info{};
    info.item = LVITEMA{LVIF_TEXT, index, subItem, 0, 0, buffer, BufferSize, 0, param, 0};
    NotifyParent(m_window, LVN_GETDISPINFOA, info.hdr);
    if (!info.item.pszText || IsTextCallback(info.item.pszText))
        return {};
    return TextFromCaller(info.item.pszText);
}

void ListView::NotifyItem(UINT code, int index, int subItem) const {
    NMLISTVIEW notice{};
    notice.iItem = index;
    notice.iSubItem = subItem;
    if (Valid(index))
        notice.lParam = m_items[static_cast<std::size_t>(index)].param;
    NotifyParent(m_window, code, notice.hdr);
}

int ListView::SortedPosition(const std::u16string& text) const {
    const bool descending = (Style() & LVS_SORTDESCENDING) && !(Style() & LVS_SORTASCENDING);
    // After the last item that sorts before or level with the new one.
    const auto after = std::partition_point(m_items.begin(), m_items.end(), [&](const ListViewItem& item) {
        const int order = CompareNoCase(item.subItems[0].text, text);
        return descending ? order >= 0 : order <= 0;
    });
    return static_cast<int>(after - m_items.begin());
}

template <typename Item>
LRESULT ListView::InsertItem(const Item* item) {
    if (!item || item->iSubItem != 0 || item->iItem < 0 || m_sorting)
        return -1;
    ListViewItem entry;
    entry.subItems.resize(1);
    ListViewSubItem& first = entry.subItems[0];
    first.image = 0;
    if (item->mask & LVIF_TEXT) {
        first.textCallback = IsTextCallback(item->pszText);
        if (!first.textCallback)
            first.text = TextFromCaller(item->pszText);
    }
    if (item->mask & LVIF_IMAGE)
        first.image = item->iImage;
    if (item->mask & LVIF_PARAM)
        entry.param = item->lParam;
    if (item->mask & LVIF_INDENT)
        entry.indent = std::max(0, item->iIndent);
    const UINT state = (item->mask & LVIF_STATE) ? (item->state & item->stateMask) : 0;
    entry.state = state & ~(LVIS_FOCUSED | LVIS_SELECTED);

    const bool sorted = (Style() & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) && !first.textCallback;
    const int index = sorted ? SortedPosition(first.text) : std::min(item->iItem, Count());
    m_items.insert(m_items.begin() + index, std::move(entry));
    for (int* position : {&m_focused, &m_mark, &m_hot}) {
        if (*position >= index)
            ++*position;
    }
    ItemsChanged(index);
    NotifyItem(LVN_INSERTITEM, index);
    if (Valid(index) && (state & (LVIS_FOCUSED | LVIS_SELECTED)))
        SetItemState(index, state, LVIS_FOCUSED | LVIS_SELECTED);
    return index;
}

LRESULT ListView::DeleteItem(int index) {
    if (!Valid(index) || m_sorting)
        return FALSE;
    NotifyItem(LVN_DELETEITEM, index);
    if (!Valid(index))
        return FALSE;
    m_items.erase(m_items.begin() + index);
    for (int* position : {&m_focused, &m_mark, &m_hot}) {
        if (*position == index)
            *position = -1;
        else if (*position > index)
            --*position;
    }
    ItemsChanged(index);
    return TRUE;
}

LRESULT ListView::DeleteAllItems() {
    if (m_sorting)
        return FALSE;
    if (m_items.empty())
        return TRUE;
    NMLISTVIEW notice{};
    notice.iItem = -1;
    // A parent that answers TRUE wants no LVN_DELETEITEM for each item.
    if (!NotifyParent(m_window, LVN_DELETEALLITEMS, notice.hdr)) {
        for (int index = 0; index < Count(); ++index)
            NotifyItem(LVN_DELETEITEM, index);
    }
    m_items.clear();
    m_focused = m_mark = m_hot = -1;
    m_top = 0;
    ItemsChanged(0);
    return TRUE;
}

template <typename Item>
LRESULT ListView::GetItem(Item* item) {
    if (!item || !Valid(item->iItem) || item->iSubItem < 0)
        return FALSE;
    const ListViewItem& source = m_items[static_cast<std::size_t>(item->iItem)];
    const ListViewSubItem* cell = Cell(item->iItem, item->iSubItem);
    if (item->mask & LVIF_TEXT)
        CopyTextToCaller(CellText(item->iItem, item->iSubItem), item->pszText, item->cchTextMax);
    if (item->mask & LVIF_IMAGE)
        item->iImage = cell ? cell->image : I_IMAGENONE;
    if (item->mask & LVIF_PARAM)
        item->lParam = source.param;
    if (item->mask & LVIF_STATE)
        item->state = source.state & item->stateMask;
    if (item->mask & LVIF_INDENT)
        item->iIndent = source.indent;
    return TRUE;
}

template <typename Item>
LRESULT ListView::SetItem(const Item* item) {
    if (!item || !Valid(item->iItem) || item->iSubItem < 0)
        return FALSE;
    const int index = item->iItem;
    if (item->iSubItem > 0) {
        // A sub-item has a text and an image, and a column to show them in.
        if (item->iSubItem >= ColumnCount() || (item->mask & ~(LVIF_TEXT | LVIF_IMAGE | LVIF_NORECOMPUTE)))
            return FALSE;
    }
    if (item->mask & (LVIF_TEXT | LVIF_IMAGE)) {
        ListViewSubItem& cell = CellForWriting(index, item->iSubItem);
        if (item->mask & LVIF_TEXT) {
            cell.textCallback = IsTextCallback(item->pszText);
            cell.text = cell.textCallback ? std::u16string() : TextFromCaller(item->pszText);
        }
        if (item->mask & LVIF_IMAGE)
            cell.image = item->iImage;
    }
    ListViewItem& target = m_items[static_cast<std::size_t>(index)];
    if (item->mask & LVIF_PARAM)
        target.param = item->lParam;
    if (item->mask & LVIF_INDENT)
        target.indent = std::max(0, item->iIndent);
    InvalidateItem(index);
    if ((item->mask & LVIF_STATE) && !SetItemState(index, item->state, item->stateMask))
        return FALSE;
    return TRUE;
}

template <typename Item>
LRESULT ListView::GetItemText(int index, Item* item) {
    if (!item || !Valid(index) || item->iSubItem < 0)
        return 0;
    CopyTextToCaller(CellText(index, item->iSubItem), item->pszText, item->cchTextMax);
    return CopiedLength(item->pszText, item->cchTextMax);
}

template <typename Item>
LRESULT ListView::SetItemText(int index, const Item* item) {
    if (!item || !Valid(index) || item->iSubItem < 0)
        return FALSE;
    Item text = *item;
    text.mask = LVIF_TEXT;
    text.iItem = index;
    return SetItem(&text);
}

template <typename Info>
LRESULT ListView::FindItem(int start, const Info* info) const {
    if (!info || Count() == 0)
        return -1;
    const std::u16string wanted =
        (info->flags & (LVFI_STRING | LVFI_PARTIAL)) ? TextFromCaller(info->psz) : u"";
    const auto matches = [&](int index) {
        if (info->flags & LVFI_PARAM)
            return m_items[static_cast<std::size_t>(index)].param == info->lParam;
        if (info->flags & (LVFI_STRING | LVFI_PARTIAL)) {
            const std::u16string text = CellText(index, 0);
            if (info->flags & LVFI_PARTIAL)
                return text.size() >= wanted.size() &&
                       CompareNoCase(std::u16string_view(text).substr(0, wanted.size()), wanted) == 0;
            return CompareNoCase(text, wanted) == 0;
        }
        return false;
    };
    // The search starts after `start` (-1: at the first item) and wraps to the beginning with
    // LVFI_WRAP.
    const int first = std::clamp(start + 1, 0, Count());
    for (int index = first; index < Count(); ++index) {
        if (matches(index))
            return index;
    }
    if (info->flags & LVFI_WRAP) {
        for (int index = 0; index < first; ++index) {
            if (matches(index))
                return index;
        }
    }
    return -1;
}

LRESULT ListView::GetNextItem(int start, UINT flags) const {
    const UINT wanted = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
    const auto fits = [&](int index) {
        const UINT state = m_items[static_cast<std::size_t>(index)].state;
        return (state & wanted) == wanted;
    };
    if (wanted == LVNI_FOCUSED && !(flags & (LVNI_ABOVE | LVNI_BELOW)))
        return m_focused > start ? m_focused : -1;
    // In the report view, above is the row before and below the rows after; left and right
    // have no neighbours.
    if (flags & (LVNI_TOLEFT | LVNI_TORIGHT))
        return -1;
    if (flags & LVNI_ABOVE) {
        for (int index = std::min(start, Count()) - 1; index >= 0; --index) {
            if (fits(index))
                return index;
        }
        return -1;
    }
    for (int index = std::max(start + 1, 0); index < Count(); ++index) {
        if (fits(index))
            return index;
    }
    return -1;
}

LRESULT ListView::SortItems(LPARAM sortParam, PFNLVCOMPARE compare, bool byIndex) {
    if (!compare || m_sorting)
        return FALSE;
    std::vector<int> order(m_items.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    // The callback sees the items as they were: the list changes only once it is done.
    m_sorting = true;
    MergeSort(order, [&](int a, int b) {
        const LPARAM first = byIndex ? a : m_items[static_cast<std::size_t>(a)].param;
        const LPARAM second = byIndex ? b : m_items[static_cast<std::size_t>(b)].param;
        return compare(first, second, sortParam) < 0;
    });
    m_sorting = false;
    std::vector<ListViewItem> sorted;
    sorted.reserve(m_items.size());
    std::vector<int> newIndex(m_items.size());
    for (std::size_t position = 0; position < order.size(); ++position) {
        newIndex[static_cast<std::size_t>(order[position])] = static_cast<int>(position);
        sorted.push_back(std::move(m_items[static_cast<std::size_t>(order[position])]));
    }
    m_items = std::move(sorted);
    for (int* position : {&m_focused, &m_mark, &m_hot}) {
        if (*position >= 0)
            *position = newIndex[static_cast<std::size_t>(*position)];
    }
    InvalidateRect(m_window, nullptr, FALSE);
    return TRUE;
}

template LRESULT ListView::InsertItem(const LVITEMA*);
template LRESULT ListView::InsertItem(const LVITEMW*);
template LRESULT ListView::GetItem(LVITEMA*);
template LRESULT ListView::GetItem(LVITEMW*);
template LRESULT ListView::SetItem(const LVITEMA*);
template LRESULT ListView::SetItem(const LVITEMW*);
template LRESULT ListView::GetItemText(int, LVITEMA*);
template LRESULT ListView::GetItemText(int, LVITEMW*);
template LRESULT ListView::SetItemText(int, const LVITEMA*);
template LRESULT ListView::SetItemText(int, const LVITEMW*);
template LRESULT ListView::FindItem(int, const LVFINDINFOA*) const;
template LRESULT ListView::FindItem(int, const LVFINDINFOW*) const;

} // namespace platform
