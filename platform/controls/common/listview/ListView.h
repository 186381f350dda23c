#pragma once
// The list view ("SysListView32") behind its window, in the report view: columns kept by a
// "SysHeader32" child, items with sub-items, selection and focus, scrolling by whole rows,
// hit testing, sorting, custom drawing and the classic look. Every view style is shown as the
// report view.

#include "platform/controls/common/CommonControl.h"

#include <string>
#include <vector>

namespace platform {

struct ListViewSubItem {
    std::u16string text;
    bool textCallback = false; // the parent gives the text (LVN_GETDISPINFO)
    int image = I_IMAGENONE;
};

struct ListViewItem {
    std::vector<ListViewSubItem> subItems; // [0] is the item itself; missing ones are empty
    UINT state = 0;
    LPARAM param = 0;
    int indent = 0;
};

// What the list view keeps of a column beside the header's item: the header holds its text
// and width, the list view a copy of the width for painting.
struct ListViewColumn {
    int format = LVCFMT_LEFT;
    int subItem = 0;
    int image = I_IMAGENONE;
    int width = 0;
};

class ListView {
public:
    explicit ListView(HWND window) : m_window(window) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Draws the whole client area (WM_PAINT, WM_PRINTCLIENT), asking the parent through
    // NM_CUSTOMDRAW stage by stage.
    void Paint(HDC dc);

private:
    friend class ListViewPainter;

    DWORD Style() const { return static_cast<DWORD>(GetWindowLongW(m_window, GWL_STYLE)); }
    int Count() const { return static_cast<int>(m_items.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    bool HasExStyle(DWORD style) const { return (m_exStyle & style) != 0; }

    // ---- window (ListViewWindow.cpp)
    LRESULT OnCreate();
    void OnStyleChanged(WPARAM which, const STYLESTRUCT* change);
    LRESULT OnNotify(const NMHDR* header);
    LRESULT SetExtendedStyle(DWORD mask, DWORD style);
    LRESULT SetImageList(int which, HIMAGELIST list);
    void OnSetFont(HFONT font, bool redraw);
    void DestroyImageLists();
    // Asks the parent which character set its notifications take.
    void QueryNotifyFormat();

    // ---- items (ListViewItems.cpp)
    template <typename Item>
    LRESULT InsertItem(const Item* item);
    LRESULT DeleteItem(int index);
    LRESULT DeleteAllItems();
    template <typename Item>
    LRESULT GetItem(Item* item);
    template <typename Item>
    LRESULT SetItem(const Item* item);
    template <typename Item>
    LRESULT GetItemText(int index, Item* item);
    template <typename Item>
    LRESULT SetItemText(int index, const Item* item);
    template <typename Info>
    LRESULT FindItem(int start, const Info* info) const;
    LRESULT GetNextItem(int start, UINT flags) const;
    // The text of a cell, asked of the parent when the cell's text is a callback.
    std::u16string CellText(int index, int subItem) const;
    // The image of a cell, asked of the parent when it is I_IMAGECALLBACK.
    int CellImage(int index, int subItem) const;
    const ListViewSubItem* Cell(int index, int subItem) const;
    ListViewSubItem& CellForWriting(int index, int subItem);
    // Where an item goes in a sorted list view (LVS_SORTASCENDING, LVS_SORTDESCENDING).
    int SortedPosition(const std::u16string& text) const;
    LRESULT SortItems(LPARAM sortParam, PFNLVCOMPARE compare, bool byIndex);
    // LVN_GETDISPINFO for the text and image of a callback cell.
    std::u16string AskParentForText(int index, int subItem) const;
    void NotifyItem(UINT code, int index, int subItem = 0) const;

    // ---- columns (ListViewColumns.cpp)
    template <typename Column>
    LRESULT InsertColumn(int index, const Column* column);
    LRESULT DeleteColumn(int index);
    template <typename Column>
    LRESULT GetColumn(int index, Column* column) const;
    template <typename Column>
    LRESULT SetColumn(int index, const Column* column);
    LRESULT SetColumnWidth(int index, int width);
    LRESULT SetColumnOrder(int count, const int* order);
    LRESULT GetColumnOrder(int count, int* order) const;
    // Reads the widths and the display order back from the header.
    void SyncColumnsFromHeader();
    // The widest text of a column's cells (and its title with useHeader), with margins.
    int AutoWidth(int index, bool useHeader) const;

    // ---- selection and focus (ListViewSelection.cpp)
    // Changes the state bits of mask on one item (index -1: every item) with
    // LVN_ITEMCHANGING, which the parent may refuse, and LVN_ITEMCHANGED.
    bool SetItemState(int index, UINT state, UINT mask);
    bool ChangeState(int index, UINT state, UINT mask);
    bool ChangeAllStates(UINT state, UINT mask);
    int FocusedItem() const { return m_focused; }
    // Focus on an item and the item alone selected, as a click or a plain arrow key does.
    void SelectOnly(int index);
    // The items from the selection mark to index selected, the others not (Shift).
    void SelectRange(int index);
    void DeselectAllBut(int keep);
    void SetFocusItem(int index);
    int SelectedCount() const;

    // ---- geometry and scrolling (ListViewView.cpp)
    int HeaderHeight() const;
    int RowHeight() const { return m_rowHeight; }
    void UpdateRowHeight();
    int RowsTop() const { return HeaderHeight(); }
    RECT RowsArea() const;
    int CountPerPage() const;
    int TotalWidth() const;
    // Left edge of a column (by column index) in client coordinates, after scrolling.
    int ColumnLeft(int column) const;
    RECT RowRect(int index) const;
    RECT CellRect(int index, int column) const;
    RECT ItemPart(int index, int part) const;
    RECT SubItemPart(int index, int subItem, int part) const;
    // Columns by sub-item index (the order columns were inserted in may differ).
    int ColumnOfSubItem(int subItem) const;
    int IconWidth(int column) const;
    int StateIconWidth() const;
    int HitTest(LVHITTESTINFO& info, bool subItems) const;
    void LayoutHeader();
    void UpdateScrollBars();
    void ScrollRowsTo(int top);
    void ScrollColumnsTo(int x);
    void OnVScroll(WORD code);
    void OnHScroll(WORD code);
    void OnMouseWheel(short delta);
    bool EnsureVisible(int index, bool partialOk);
    LRESULT Scroll(int dx, int dy);
    void InvalidateItem(int index) const;
    void InvalidateRows(int first, int last) const;
    // Rows from `from` on changed: they are painted again and the scroll bars follow.
    void ItemsChanged(int from);

    // ---- input (ListViewInput.cpp)
    void OnButtonDown(UINT message, WPARAM keys, LPARAM lParam);
    void OnButtonUp(UINT message, LPARAM lParam);
    void OnDoubleClick(UINT message, LPARAM lParam);
    void OnKeyDown(WPARAM key);
    void OnChar(WCHAR character);
    void MoveFocusByKey(int target);
    // NM_CLICK, NM_DBLCLK, NM_RCLICK, NM_RDBLCLK and LVN_ITEMACTIVATE with the item at point.
    void NotifyActivate(UINT code, POINT point) const;
    UINT KeyFlags() const;

    HWND m_window;
    HWND m_header = nullptr;
    HFONT m_font = nullptr;
    bool m_unicodeParent = true;
    std::vector<ListViewItem> m_items;
    std::vector<ListViewColumn> m_columns;
    std::vector<int> m_order; // display position -> column index
    DWORD m_exStyle = 0;
    HIMAGELIST m_smallImages = nullptr;
    HIMAGELIST m_stateImages = nullptr;
    HIMAGELIST m_normalImages = nullptr;
    COLORREF m_background = CLR_DEFAULT;
    COLORREF m_textColour = CLR_DEFAULT;
    COLORREF m_textBackground = CLR_DEFAULT;
    int m_rowHeight = 16;
    int m_headerHeight = 0;
    int m_top = 0;     // first row shown
    int m_scrollX = 0; // pixels scrolled to the right
    int m_focused = -1;
    int m_mark = -1; // the selection mark: where a Shift range starts
    int m_hot = -1;
    bool m_hasFocus = false;
    bool m_updatingBars = false;
    // While LVM_SORTITEMS runs the callback, the list may not change.
    bool m_sorting = false;
    int m_wheelDelta = 0;
    // The button of a press in progress (WM_LBUTTONDOWN or WM_RBUTTONDOWN), 0 without one.
    UINT m_pressButton = 0;
    // Type-ahead: the characters typed so far and when the last came.
    std::u16string m_search;
    LONG m_searchTime = 0;
};

} // namespace platform
