#pragma once
// TCustomListView / TListView over the platform's "SysListView32" window in the report view:
// columns with titles, items with sub-items in them, selection (one or many, whole rows or the
// first column), grid lines, small images, sorting, and the events of selecting an item and
// clicking a column title. Items and columns live here; the window is filled from them
// whenever it is made, and asks for the texts it draws.

#include "framework/comctrls/ListViewItems.h"
#include "framework/controls/WinControl.h"
#include "platform/controls/common/CommCtrl.h"

#include <functional>
#include <memory>

class TCustomImageList;
class TChangeLink;

using TLVSelectItemEvent = std::function<void(TObject* sender, TListItem* item, bool selected)>;
using TLVColumnClickEvent = std::function<void(TObject* sender, TListColumn* column)>;
// Negative when item1 goes first, positive when item2 does.
using TLVCompareEvent =
    std::function<void(TObject* sender, TListItem* item1, TListItem* item2, int data, int& compare)>;

class TCustomListView : public TWinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TCustomListView(TComponent* owner);
    ~TCustomListView() override;

    TListColumns* Columns() const { return m_columns.get(); }
    void SetColumns(TListColumns* columns) { m_columns->Assign(columns); }
    TListViewItems* Items() const { return m_items.get(); }
    void SetItems(TListViewItems* items) { m_items->Assign(items); }

    bool MultiSelect() const { return m_multiSelect; }
    void SetMultiSelect(bool multiSelect);
    // The whole row shows selected and takes clicks, not only the first column.
    bool RowSelect() const { return m_rowSelect; }
    void SetRowSelect(bool rowSelect);
    bool GridLines() const { return m_gridLines; }
    void SetGridLines(bool gridLines);
    // The selection disappears while the list does not have the focus.
    bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool hide);
    bool ShowColumnHeaders() const { return m_showColumnHeaders; }
    void SetShowColumnHeaders(bool show);
    // Column titles act as buttons (OnColumnClick).
    bool ColumnClick() const { return m_columnClick; }
    void SetColumnClick(bool columnClick);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle style);
    TCustomImageList* SmallImages() const { return m_smallImages; }
    void SetSmallImages(TCustomImageList* images);

    // The first selected item, or null; setting one selects it alone.
    TListItem* Selected() const;
    void SetSelected(TListItem* item);
    int SelCount() const;
    // The index of the first selected item, or -1.
    int ItemIndex() const;
    void SetItemIndex(int index);
    TListItem* ItemFocused() const;
    void SetItemFocused(TListItem* item);
    void ClearSelection();
    // The item at a client position, or null.
    TListItem* GetItemAt(int x, int y);
    TListItem* TopItem();
    int VisibleRowCount();
    void Scroll(int dx, int dy);

    // Sorts the items by caption (OnCompare decides when set); false without items to sort.
    bool AlphaSort();
    // Sorts by a comparison of two items (negative: the first goes first).
    bool CustomSort(std::function<int(TListItem*, TListItem*)> compare);

    void Dispatch(TMessage& message) override;

    TLVSelectItemEvent OnSelectItem;
    TLVColumnClickEvent OnColumnClick;
    TLVCompareEvent OnCompare;

protected:
    friend class TListViewItems;
    friend class TListItem;
    friend class TListColumns;
    friend class TListColumn;

    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void DestroyWnd() override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual void SelectItem(TListItem* item, bool selected);
    virtual void ColClick(TListColumn* column);

    // What the items and columns tell the window.
    void InsertItemIntoWindow(int index);
    void DeleteItemFromWindow(int index);
    void ClearWindowItems();
    void RepaintItem(const TListItem* item);
    // Asks the window for an item's new state; false without a window.
    bool WriteItemState(const TListItem* item, bool selected, bool focused);
    void WriteColumns();
    void WriteColumn(int index);
    int ColumnWidthOfWindow(int index) const;
    void SetColumnWidthInWindow(int index, int width);
    void SetRedraw(bool redraw);

private:
    void CNNotify(TMessage& message);
    void AnswerDisplayInfo(LPARAM notice, bool wide);
    void ItemChanged(const NMLISTVIEW& change);
    void WriteExtendedStyle();
    void WriteColours();
    void ImageListChange();
    // Reads the window's order back after it sorted its items.
    void TakeWindowOrder();

    std::unique_ptr<TListColumns> m_columns;
    std::unique_ptr<TListViewItems> m_items;
    bool m_multiSelect = false;
    bool m_rowSelect = false;
    bool m_gridLines = false;
    bool m_hideSelection = true;
    bool m_showColumnHeaders = true;
    bool m_columnClick = true;
    TBorderStyle m_borderStyle = bsSingle;
    TCustomImageList* m_smallImages = nullptr;
    std::unique_ptr<TChangeLink> m_imageLink;
    // Item changes come from the window itself while it is being filled.
    bool m_filling = false;
};

class TListView : public TCustomListView {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TCustomListView::TCustomListView;
};
