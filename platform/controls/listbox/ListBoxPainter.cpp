// Painting a list box in the classic look: the parent's list box colours, selected items in
// the highlight colours, the focus rectangle on the caret item, owner-drawn items left to
// the owner. The whole client area is painted here, so erasing does nothing.

#include "platform/controls/ControlPaint.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/listbox/ListBoxState.h"

namespace platform {

namespace {

constexpr int TextIndent = 2;

UINT ItemState(const ListBoxState& list, int index, bool enabled) {
    UINT state = 0;
    if (IsSelected(list, index))
        state |= ODS_SELECTED;
    if (list.focused && index == list.caret)
        state |= ODS_FOCUS;
    if (!enabled)
        state |= ODS_DISABLED;
    return state;
}

void DrawOwnerItem(const ListBoxState& list, HDC dc, int index, const RECT& rect, UINT state) {
    HWND control = list.Control();
    UINT type = list.combo ? ODT_COMBOBOX : ODT_LISTBOX;
    HWND owner = GetParent(control);
    if (!owner)
        return;
    DRAWITEMSTRUCT draw{type,
                        static_cast<UINT>(GetDlgCtrlID(control)),
                        static_cast<UINT>(index),
                        ODA_DRAWENTIRE,
                        state,
                        list.window,
                        dc,
                        rect,
                        list.items[static_cast<std::size_t>(index)].data};
    SendMessageW(owner, WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
}

void DrawTextItem(const ListBoxState& list, HDC dc, int index, const RECT& rect, UINT state,
                  HBRUSH background, COLORREF textColour) {
    bool selected = state & ODS_SELECTED;
    FillRect(dc, &rect, selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : background);
    COLORREF colour = textColour;
    if (state & ODS_DISABLED)
        colour = GetSysColor(COLOR_GRAYTEXT);
    else if (selected)
        colour = GetSysColor(COLOR_HIGHLIGHTTEXT);
    SetTextColor(dc, colour);
    RECT textRect = rect;
    textRect.left += TextIndent - list.horizontalOffset;
    const std::string& text = list.items[static_cast<std::size_t>(index)].text;
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_NOCLIP;
    if (list.style & LBS_USETABSTOPS)
        format |= DT_EXPANDTABS;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect, format);
}

// A combo box's list asks the combo box's parent, as the list of the combo box it is.
HBRUSH ListColours(const ListBoxState& list, HDC dc) {
    HWND asked = list.combo ? GetParent(list.combo) : nullptr;
    if (asked) {
        auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
            asked, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(list.window)));
        if (brush)
            return brush;
    }
    return AskParentForColours(list.window, dc, WM_CTLCOLORLISTBOX);
}

} // namespace

void PaintListBox(ListBoxState& list, HDC dc) {
    RECT client{};
    GetClientRect(list.window, &client);
    HBRUSH background = ListColours(list, dc);
    COLORREF textColour = GetTextColor(dc);
    HGDIOBJ previousFont = SelectObject(dc, ControlFont(list.font));
    int previousMode = SetBkMode(dc, TRANSPARENT);
    bool enabled = IsWindowEnabled(list.window);
    RECT clip{};
    GetClipBox(dc, &clip);

    int y = 0;
    for (int index = list.top; index < list.Count() && y < client.bottom; ++index) {
        RECT rect = ItemRect(list, index);
        y = rect.bottom;
        if (rect.bottom <= clip.top || rect.top >= clip.bottom)
            continue;
        UINT state = ItemState(list, index, enabled);
        if (list.IsOwnerDrawn()) {
            FillRect(dc, &rect, background);
            DrawOwnerItem(list, dc, index, rect, state);
            continue;
        }
        DrawTextItem(list, dc, index, rect, state, background, textColour);
        if ((state & ODS_FOCUS) && !list.combo)
            DrawFocusRect(dc, &rect);
    }
    if (list.Count() == 0 && list.focused && !list.combo) {
        // An empty list shows where the caret would be.
        RECT rect{0, 0, client.right, list.itemHeight};
        FillRect(dc, &rect, background);
        DrawFocusRect(dc, &rect);
        y = rect.bottom;
    }
    if (y < client.bottom) {
        RECT rest{0, y, client.right, client.bottom};
        FillRect(dc, &rest, background);
    }
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
}

} // namespace platform
