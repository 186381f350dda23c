// Painting a combo box in the classic look: a sunken border, the drop-down button, and for
// the drop-down list style the selected item in its field, highlighted while the combo box
// has the focus. Owner-drawn combo boxes have the owner draw the field's item.

#include "platform/controls/ControlPaint.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/combobox/ComboBoxState.h"

#include <string>

namespace platform {

namespace {

void DrawButton(const ComboBoxState& combo, HDC dc) {
    if (combo.IsSimple())
        return;
    RECT button = ButtonRect(combo);
    UINT state = DFCS_SCROLLCOMBOBOX;
    if (combo.buttonDown)
        state |= DFCS_PUSHED | DFCS_FLAT;
    if (!IsWindowEnabled(combo.window))
        state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &button, DFC_SCROLL, state);
}

void DrawOwnerField(const ComboBoxState& combo, HDC dc, const RECT& field, int selection, UINT state) {
    HWND owner = GetParent(combo.window);
    if (!owner)
        return;
    ULONG_PTR data = selection >= 0 ? static_cast<ULONG_PTR>(SendMessageW(combo.list, LB_GETITEMDATA,
                                                                          static_cast<WPARAM>(selection), 0))
                                    : 0;
    DRAWITEMSTRUCT draw{ODT_COMBOBOX,
                        static_cast<UINT>(GetDlgCtrlID(combo.window)),
                        static_cast<UINT>(selection),
                        ODA_DRAWENTIRE,
                        state | ODS_COMBOBOXEDIT,
                        combo.window,
                        dc,
                        field,
                        data};
    SendMessageW(owner, WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
}

void DrawField(const ComboBoxState& combo, HDC dc, HBRUSH background) {
    RECT field = FieldRect(combo);
    bool enabled = IsWindowEnabled(combo.window);
    bool highlighted = combo.focused && enabled;
    // While the list is open the pointer moves its highlight; the field keeps the selection.
    int selection = combo.dropped ? combo.notifiedSelection
                                  : static_cast<int>(SendMessageW(combo.list, LB_GETCURSEL, 0, 0));
    if (combo.IsOwnerDrawn()) {
        FillRect(dc, &field, background);
        UINT state = (highlighted ? ODS_SELECTED | ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED);
        DrawOwnerField(combo, dc, field, selection, state);
        return;
    }
    FillRect(dc, &field, highlighted ? GetSysColorBrush(COLOR_HIGHLIGHT) : background);
    if (selection >= 0) {
        LRESULT length = SendMessageA(combo.list, LB_GETTEXTLEN, static_cast<WPARAM>(selection), 0);
        std::string text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
        SendMessageA(combo.list, LB_GETTEXT, static_cast<WPARAM>(selection),
                     reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
        COLORREF colour = GetTextColor(dc);
        if (!enabled)
            colour = GetSysColor(COLOR_GRAYTEXT);
        else if (highlighted)
            colour = GetSysColor(COLOR_HIGHLIGHTTEXT);
        SetTextColor(dc, colour);
        RECT textRect = field;
        textRect.left += 1;
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
                  DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_END_ELLIPSIS);
    }
    if (highlighted)
        DrawFocusRect(dc, &field);
}

} // namespace

void PaintComboBox(ComboBoxState& combo, HDC dc) {
    RECT client{};
    GetClientRect(combo.window, &client);
    bool enabled = IsWindowEnabled(combo.window);
    UINT colourMessage = combo.IsDropDownList() ? WM_CTLCOLORLISTBOX : WM_CTLCOLOREDIT;
    HBRUSH background = AskParentForColours(combo.window, dc, colourMessage);
    if (!enabled && combo.IsDropDownList())
        background = GetSysColorBrush(COLOR_3DFACE);
    HGDIOBJ previousFont = SelectObject(dc, ControlFont(combo.font));
    int previousMode = SetBkMode(dc, TRANSPARENT);

    RECT frame{0, 0, client.right, ComboHeight(combo)};
    RECT inside = frame;
    InflateRect(&inside, -2, -2);
    FillRect(dc, &inside, background);
    DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
    if (combo.IsSimple() && client.bottom > frame.bottom) {
        RECT below{0, frame.bottom, client.right, client.bottom};
        FillRect(dc, &below, GetSysColorBrush(COLOR_3DFACE));
    }
    DrawButton(combo, dc);
    if (combo.IsDropDownList())
        DrawField(combo, dc, background);

    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
}

} // namespace platform
