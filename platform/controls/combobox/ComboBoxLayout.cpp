// Where the parts of a combo box lie: a sunken field two pixels in from the edge, the button
// at its right end (its left end for WS_EX_LEFTSCROLLBAR, where a window's vertical scroll bar
// goes too), the inner edit over the field, the list of the simple style below it, and
// the drop-down list on the screen below or above the combo box.

#include "platform/controls/combobox/ComboBoxState.h"

#include <algorithm>

namespace platform {

namespace {

constexpr int Edge = 2;    // the sunken border
constexpr int Padding = 1; // between the border and the field

RECT Client(const ComboBoxState& combo) {
    RECT client{};
    GetClientRect(combo.window, &client);
    return client;
}

bool ButtonAtLeft(const ComboBoxState& combo) {
    return (GetWindowLongW(combo.window, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
}

int ListItemHeight(const ComboBoxState& combo) {
    LRESULT height = combo.list ? SendMessageW(combo.list, LB_GETITEMHEIGHT, 0, 0) : LB_ERR;
    return height > 0 ? static_cast<int>(height) : combo.fieldHeight;
}

} // namespace

int ComboHeight(const ComboBoxState& combo) {
    return combo.fieldHeight + 2 * (Edge + Padding);
}

RECT ButtonRect(const ComboBoxState& combo) {
    if (combo.IsSimple())
        return RECT{0, 0, 0, 0};
    RECT client = Client(combo);
    int bottom = std::min(static_cast<int>(client.bottom), ComboHeight(combo));
    int width = GetSystemMetrics(SM_CXVSCROLL);
    if (ButtonAtLeft(combo))
        return RECT{Edge, Edge, Edge + width, bottom - Edge};
    return RECT{client.right - Edge - width, Edge, client.right - Edge, bottom - Edge};
}

RECT FieldRect(const ComboBoxState& combo) {
    RECT client = Client(combo);
    int left = Edge + Padding;
    int right = client.right - Edge - Padding;
    if (!combo.IsSimple()) {
        RECT button = ButtonRect(combo);
        if (ButtonAtLeft(combo))
            left = button.right + Padding;
        else
            right = button.left - Padding;
    }
    return RECT{left, Edge + Padding, std::max(left, right), ComboHeight(combo) - Edge - Padding};
}

void LayOutChildren(ComboBoxState& combo) {
    if (combo.edit) {
        RECT field = FieldRect(combo);
        MoveWindow(combo.edit, field.left, field.top, field.right - field.left, field.bottom - field.top,
                   TRUE);
    }
    if (combo.IsSimple() && combo.list) {
        RECT client = Client(combo);
        int top = ComboHeight(combo);
        MoveWindow(combo.list, 0, top, client.right, std::max(0, static_cast<int>(client.bottom) - top),
                   TRUE);
    }
}

RECT DropDownRect(const ComboBoxState& combo) {
    RECT window{};
    GetWindowRect(combo.window, &window);
    int width = std::max(combo.droppedWidth, static_cast<int>(window.right - window.left));
    int count = combo.list ? static_cast<int>(SendMessageW(combo.list, LB_GETCOUNT, 0, 0)) : 0;
    int border = 2 * GetSystemMetrics(SM_CYBORDER);
    int itemHeight = ListItemHeight(combo);
    // As tall as the items need, at most the dropped height, at least one item.
    int height = std::min(combo.droppedHeight, std::max(1, count) * itemHeight + border);
    height = std::max(height, itemHeight + border);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    int top = window.bottom;
    if (top + height > screenHeight && window.top - height >= 0)
        top = window.top - height;
    return RECT{window.left, top, window.left + width, top + height};
}

} // namespace platform
