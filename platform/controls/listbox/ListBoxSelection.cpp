// The selection of a list box: one current item, or a selected flag per item in the multiple
// and extended styles. Every change redraws only the items it touched.

#include "platform/controls/listbox/ListBoxState.h"

#include <algorithm>

namespace platform {

bool IsSelected(const ListBoxState& list, int index) {
    if (!list.Valid(index))
        return false;
    if (list.IsMultiple())
        return list.items[static_cast<std::size_t>(index)].selected;
    return index == list.current;
}

void SelectOnly(ListBoxState& list, int index) {
    if (!list.IsMultiple()) {
        if (list.current == index)
            return;
        InvalidateItem(list, list.current);
        list.current = list.Valid(index) ? index : -1;
        InvalidateItem(list, list.current);
        return;
    }
    for (int i = 0; i < list.Count(); ++i)
        SetSelected(list, i, i == index);
}

void SetSelected(ListBoxState& list, int index, bool selected) {
    if (!list.Valid(index))
        return;
    if (!list.IsMultiple()) {
        if (selected)
            SelectOnly(list, index);
        else if (list.current == index)
            SelectOnly(list, -1);
        return;
    }
    ListBoxItem& item = list.items[static_cast<std::size_t>(index)];
    if (item.selected == selected)
        return;
    item.selected = selected;
    InvalidateItem(list, index);
}

void SelectRange(ListBoxState& list, int first, int last, bool selected) {
    if (first > last)
        std::swap(first, last);
    first = std::max(first, 0);
    last = std::min(last, list.Count() - 1);
    for (int i = first; i <= last; ++i)
        SetSelected(list, i, selected);
}

int SelectedCount(const ListBoxState& list) {
    if (!list.IsMultiple())
        return list.current >= 0 ? 1 : 0;
    return static_cast<int>(std::count_if(list.items.begin(), list.items.end(),
                                          [](const ListBoxItem& item) { return item.selected; }));
}

void SetCaret(ListBoxState& list, int index) {
    if (!list.Valid(index) || index == list.caret)
        return;
    InvalidateItem(list, list.caret);
    list.caret = index;
    InvalidateItem(list, list.caret);
}

} // namespace platform
