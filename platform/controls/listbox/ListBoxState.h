#pragma once
// What a list box keeps behind its window, and the pieces of its behaviour, one file each:
// the items (ListBoxItems.cpp), the selection (ListBoxSelection.cpp), the view and its scroll
// bar (ListBoxView.cpp), painting (ListBoxPainter.cpp), mouse and keys (ListBoxInput.cpp) and
// the window procedure (ListBox.cpp). Item texts are code page 936.

#include "platform/base/WinTypes.h"
#include "platform/controls/OwnerDraw.h"
#include "platform/controls/listbox/ListBox.h"
#include "platform/gdi/WinRect.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/WinUser.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct ListBoxItem {
    std::string text; // empty for owner-drawn lists without strings
    ULONG_PTR data = 0;
    int height = 0; // LBS_OWNERDRAWVARIABLE only
    bool selected = false;
};

class ListBoxState {
public:
    ListBoxState(HWND window, DWORD style);

    HWND window;
    DWORD style;
    DWORD scrollStyles;   // WS_VSCROLL and WS_HSCROLL as created: the bars come and go with need
    HWND combo = nullptr; // the combo box of an LBS_COMBOBOX list: it hears the notifications
    std::vector<ListBoxItem> items;
    int top = 0;      // first item shown
    int caret = 0;    // the item with the focus rectangle
    int anchor = -1;  // where an extended selection range starts
    int current = -1; // the selected item of a single-selection list
    int itemHeight = 0;
    HFONT font = nullptr;
    int horizontalExtent = 0;
    int horizontalOffset = 0;
    bool focused = false;
    bool redraw = true;
    bool tracking = false; // a press is being followed until the release
    bool trackingChanged = false;
    std::string typeAhead;
    DWORD typeAheadTime = 0;
    BYTE pendingLead = 0; // first byte of a double-byte character typed into a narrow window

    int Count() const { return static_cast<int>(items.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    bool HasStrings() const;
    bool IsOwnerDrawn() const { return style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE); }
    bool IsVariable() const { return style & LBS_OWNERDRAWVARIABLE; }
    bool IsMultiple() const { return style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL); }
    bool IsExtended() const { return style & LBS_EXTENDEDSEL; }
    bool CanSelect() const { return !(style & LBS_NOSEL); }
    bool Notifies() const { return combo || (style & LBS_NOTIFY); }
    // The window the list stands for towards the owner: the combo box, or the list itself.
    HWND Control() const { return combo ? combo : window; }
};

ListBoxState* ListBoxOf(HWND window);

// Items (ListBoxItems.cpp). Indices and results are the LB_ message answers.
LRESULT AddItem(ListBoxState& list, std::string text, ULONG_PTR data);
LRESULT InsertItem(ListBoxState& list, int index, std::string text, ULONG_PTR data);
LRESULT DeleteItem(ListBoxState& list, int index);
void ResetItems(ListBoxState& list);
// Case-insensitive search after `start` (-1: from the top) that wraps round: a prefix, or the
// whole text. Owner-drawn lists without strings compare item data.
LRESULT FindItem(const ListBoxState& list, int start, std::string_view text, ULONG_PTR data, bool exact);
// The height of the font's text, the fixed item height before owner measuring.
int FontItemHeight(HWND window, HFONT font);
void MeasureFixedHeight(ListBoxState& list);

// Selection (ListBoxSelection.cpp). None of these notify; the input code does.
bool IsSelected(const ListBoxState& list, int index);
void SelectOnly(ListBoxState& list, int index);
void SetSelected(ListBoxState& list, int index, bool selected);
void SelectRange(ListBoxState& list, int first, int last, bool selected);
int SelectedCount(const ListBoxState& list);
// The caret item moved; the old and new caret items are redrawn.
void SetCaret(ListBoxState& list, int index);

// The view (ListBoxView.cpp), in client coordinates.
int ItemTop(const ListBoxState& list, int index);
int ItemHeightAt(const ListBoxState& list, int index);
RECT ItemRect(const ListBoxState& list, int index);
// The item under a point and whether the point lies outside the client area.
int ItemFromPoint(const ListBoxState& list, POINT point, bool* outside);
// How many whole items fit from the top item down.
int FullyVisibleCount(const ListBoxState& list);
// The greatest top index that still fills the view.
int LastTop(const ListBoxState& list);
void SetTop(ListBoxState& list, int index);
void EnsureVisible(ListBoxState& list, int index);
void UpdateScrollBars(ListBoxState& list);
void InvalidateItem(const ListBoxState& list, int index);
void InvalidateAll(const ListBoxState& list);
void ScrollVertically(ListBoxState& list, WPARAM wParam);
void ScrollHorizontally(ListBoxState& list, WPARAM wParam);
// Shrinks the window to a whole number of items unless LBS_NOINTEGRALHEIGHT says otherwise.
void FitIntegralHeight(ListBoxState& list);

// Painting (ListBoxPainter.cpp): the items meeting the DC's clip, then the empty rest.
void PaintListBox(ListBoxState& list, HDC dc);

// Mouse and keys (ListBoxInput.cpp).
void PressItem(ListBoxState& list, POINT point, WPARAM keys, bool doubleClick);
void DragOver(ListBoxState& list, POINT point);
void ReleasePress(ListBoxState& list);
void KeyDown(ListBoxState& list, UINT key);
void CharTyped(ListBoxState& list, char16_t character);
void NotifyListBox(const ListBoxState& list, WORD code);

void RegisterListBoxClasses();

} // namespace platform
