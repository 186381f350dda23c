#pragma once
// What a combo box keeps behind its window, and its pieces, one file each: the layout of
// field, button, edit and list (ComboBoxLayout.cpp), the drop-down list and its mouse
// (ComboBoxDropDown.cpp), painting (ComboBoxPainter.cpp), and the procedure with the CB_
// messages (ComboBox.cpp). The items live in the list box; the combo box forwards to it.

#include "platform/base/WinTypes.h"
#include "platform/controls/combobox/ComboBox.h"
#include "platform/controls/listbox/ListBoxState.h"

namespace platform {

class ComboBoxState {
public:
    ComboBoxState(HWND window, DWORD style);

    HWND window;
    DWORD style;
    HWND list = nullptr;
    HWND edit = nullptr; // the inner "Edit" of the simple and drop-down styles
    HFONT font = nullptr;
    int fieldHeight = 0;   // the selection field's item height
    int droppedHeight = 0; // the list's height when dropped (simple: below the field)
    int droppedWidth = 0;
    bool dropped = false;
    bool focused = false;
    bool extendedUI = false;
    bool buttonDown = false;    // the button shows pressed
    bool openedByPress = false; // the list opened on a press that has not been released yet
    int selectionAtDrop = -1;
    int notifiedSelection = -1; // the selection the parent was last told of

    DWORD Kind() const { return style & 3; }
    bool IsSimple() const { return Kind() == CBS_SIMPLE; }
    bool IsDropDownList() const { return Kind() == CBS_DROPDOWNLIST; }
    bool IsOwnerDrawn() const { return style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE); }
};

ComboBoxState* ComboBoxOf(HWND window);

// Layout (ComboBoxLayout.cpp), in the combo box's client coordinates.
int ComboHeight(const ComboBoxState& combo);
RECT ButtonRect(const ComboBoxState& combo);
RECT FieldRect(const ComboBoxState& combo);
// Places the edit and the simple style's list, and keeps the window at the combo height.
void LayOutChildren(ComboBoxState& combo);
// Where the drop-down list goes on the screen: below the combo box, or above it when the
// screen has no room below.
RECT DropDownRect(const ComboBoxState& combo);

// The drop-down list (ComboBoxDropDown.cpp).
void DropDown(ComboBoxState& combo, bool byPress);
// Closes the list; chosen: the list's selection is taken, else the one before the drop.
void CloseUp(ComboBoxState& combo, bool chosen);
bool IsComboListMouseMessage(UINT message);
LRESULT ComboListMouse(ListBoxState& list, UINT message, WPARAM wParam, LPARAM lParam);
// The list's selection became the combo box's: the field shows it and the parent hears it.
void SelectionChanged(ComboBoxState& combo, bool notify);
void NotifyCombo(const ComboBoxState& combo, WORD code);

// Painting (ComboBoxPainter.cpp).
void PaintComboBox(ComboBoxState& combo, HDC dc);

void RegisterComboBoxClass();

} // namespace platform
