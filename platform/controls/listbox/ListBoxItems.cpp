// The items of a list box: adding in place or in sorted order, deleting, searching, and the
// item heights that fonts and owners decide.

#include "platform/base/CodePage.h"
#include "platform/controls/ControlPaint.h"
#include "platform/controls/listbox/ListBoxState.h"

#include <algorithm>

namespace platform {

namespace {

// Upper-case ASCII letters folded to lower case; the bytes of double-byte characters kept.
std::string FoldCase(std::string_view text) {
    std::string folded(text);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        auto byte = static_cast<BYTE>(folded[i]);
        if (IsGbkLeadByte(byte) && i + 1 < folded.size())
            ++i;
        else if (byte >= 'A' && byte <= 'Z')
            folded[i] = static_cast<char>(byte - 'A' + 'a');
    }
    return folded;
}

UINT OwnerType(const ListBoxState& list) {
    return list.combo ? ODT_COMBOBOX : ODT_LISTBOX;
}

// Where owner messages of the list go: its parent, or for a combo box's list the combo's parent.
HWND OwnerWindow(const ListBoxState& list, HWND* control) {
    *control = list.Control();
    return GetParent(*control);
}

int CompareItems(const ListBoxState& list, const ListBoxItem& a, int indexB) {
    const ListBoxItem& b = list.items[static_cast<std::size_t>(indexB)];
    if (list.HasStrings())
        return FoldCase(a.text).compare(FoldCase(b.text));
    HWND control = nullptr;
    HWND owner = OwnerWindow(list, &control);
    if (!owner)
        return 1;
    COMPAREITEMSTRUCT compare{OwnerType(list), static_cast<UINT>(GetDlgCtrlID(control)),
                              control,         static_cast<UINT>(-1),
                              a.data,          static_cast<UINT>(indexB),
                              b.data,          0};
    return static_cast<int>(
        SendMessageW(owner, WM_COMPAREITEM, compare.CtlID, reinterpret_cast<LPARAM>(&compare)));
}

// The owner's answer to WM_MEASUREITEM for an item (itemId 0 and no data for the fixed
// height); the given height when there is no owner.
int AskItemHeight(const ListBoxState& list, UINT itemId, ULONG_PTR data, int height) {
    HWND control = nullptr;
    HWND owner = OwnerWindow(list, &control);
    if (!owner)
        return height;
    RECT client{};
    GetClientRect(list.window, &client);
    MEASUREITEMSTRUCT measure{OwnerType(list),
                              static_cast<UINT>(GetDlgCtrlID(control)),
                              itemId,
                              static_cast<UINT>(client.right),
                              static_cast<UINT>(height),
                              data};
    SendMessageW(owner, WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure));
    return std::clamp(static_cast<int>(measure.itemHeight), 1, 255);
}

void MeasureItem(ListBoxState& list, int index) {
    ULONG_PTR data = list.items[static_cast<std::size_t>(index)].data;
    int height = AskItemHeight(list, static_cast<UINT>(index), data, list.itemHeight);
    // The owner may have changed the list while it answered.
    if (list.Valid(index))
        list.items[static_cast<std::size_t>(index)].height = height;
}

void SendDeleteItem(const ListBoxState& list, int index) {
    if (!list.IsOwnerDrawn())
        return;
    HWND control = nullptr;
    HWND owner = OwnerWindow(list, &control);
    if (!owner)
        return;
    DELETEITEMSTRUCT deleted{OwnerType(list), static_cast<UINT>(GetDlgCtrlID(control)),
                             static_cast<UINT>(index), control,
                             list.items[static_cast<std::size_t>(index)].data};
    SendMessageW(owner, WM_DELETEITEM, deleted.CtlID, reinterpret_cast<LPARAM>(&deleted));
}

// An index kept on the same item after an insertion at `at`.
void ShiftUp(int& index, int at) {
    if (index >= at)
        ++index;
}

// An index kept on the same item after the deletion of `at`; `lost` when it was that item.
void ShiftDown(int& index, int at, int lost) {
    if (index == at)
        index = lost;
    else if (index > at)
        --index;
}

void AfterChange(ListBoxState& list, int from) {
    UpdateScrollBars(list);
    if (!list.redraw)
        return;
    RECT client{};
    GetClientRect(list.window, &client);
    client.top = std::max(0, ItemTop(list, from));
    InvalidateRect(list.window, &client, TRUE);
}

} // namespace

bool ListBoxState::HasStrings() const {
    return !IsOwnerDrawn() || (style & LBS_HASSTRINGS);
}

LRESULT InsertItem(ListBoxState& list, int index, std::string text, ULONG_PTR data) {
    if (index == -1)
        index = list.Count();
    if (index < 0 || index > list.Count())
        return LB_ERR;
    ListBoxItem item;
    if (list.HasStrings())
        item.text = std::move(text);
    item.data = data;
    list.items.insert(list.items.begin() + index, std::move(item));
    if (list.IsVariable())
        MeasureItem(list, index);
    ShiftUp(list.current, index);
    ShiftUp(list.anchor, index);
    if (list.Count() > 1)
        ShiftUp(list.caret, index);
    AfterChange(list, index);
    return index;
}

LRESULT AddItem(ListBoxState& list, std::string text, ULONG_PTR data) {
    int index = list.Count();
    if (list.style & LBS_SORT) {
        ListBoxItem probe{list.HasStrings() ? text : std::string(), data, 0, false};
        // After the equal ones, so that equal texts keep the order they came in.
        int low = 0;
        int high = list.Count();
        while (low < high) {
            int middle = (low + high) / 2;
            if (CompareItems(list, probe, middle) < 0)
                high = middle;
            else
                low = middle + 1;
        }
        index = low;
    }
    return InsertItem(list, index, std::move(text), data);
}

LRESULT DeleteItem(ListBoxState& list, int index) {
    if (!list.Valid(index))
        return LB_ERR;
    SendDeleteItem(list, index);
    if (!IsWindow(list.window) || !list.Valid(index))
        return LB_ERR;
    list.items.erase(list.items.begin() + index);
    ShiftDown(list.current, index, -1);
    ShiftDown(list.anchor, index, -1);
    ShiftDown(list.caret, index, index);
    list.caret = std::clamp(list.caret, 0, std::max(0, list.Count() - 1));
    list.top = std::clamp(list.top, 0, LastTop(list));
    AfterChange(list, std::min(index, list.top));
    return list.Count();
}

void ResetItems(ListBoxState& list) {
    for (int i = 0; i < list.Count(); ++i)
        SendDeleteItem(list, i);
    list.items.clear();
    list.top = 0;
    list.caret = 0;
    list.anchor = -1;
    list.current = -1;
    list.horizontalOffset = 0;
    AfterChange(list, 0);
}

LRESULT FindItem(const ListBoxState& list, int start, std::string_view text, ULONG_PTR data, bool exact) {
    int count = list.Count();
    if (count == 0)
        return LB_ERR;
    if (start < -1 || start >= count)
        start = -1;
    std::string wanted = list.HasStrings() ? FoldCase(text) : std::string();
    for (int step = 1; step <= count; ++step) {
        int index = (start + step) % count;
        const ListBoxItem& item = list.items[static_cast<std::size_t>(index)];
        if (!list.HasStrings()) {
            if (item.data == data)
                return index;
            continue;
        }
        std::string folded = FoldCase(item.text);
        if (exact ? folded == wanted : folded.starts_with(wanted))
            return index;
    }
    return LB_ERR;
}

int FontItemHeight(HWND window, HFONT font) {
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, ControlFont(font));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return std::max(1, static_cast<int>(metrics.tmHeight));
}

void MeasureFixedHeight(ListBoxState& list) {
    list.itemHeight = FontItemHeight(list.window, list.font);
    if (list.style & LBS_OWNERDRAWFIXED)
        list.itemHeight = AskItemHeight(list, 0, 0, list.itemHeight);
}

} // namespace platform
