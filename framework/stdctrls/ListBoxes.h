#pragma once
// TCustomListBox / TListBox over the platform's "LISTBOX" class: a list of texts with one
// chosen item, or with MultiSelect any number of selected items. Items, the chosen item and
// the selection are kept by the control while it has no window and across a remade window.
// OnClick follows the user's choice, OnDblClick a double click on an item.

#include "framework/controls/StdTypes.h"
#include "framework/stdctrls/ListControls.h"

#include <memory>
#include <vector>

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

const TEnumInfo& ListBoxStyleIdents();

class TCustomListBox : public TCustomListControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TCustomListBox(TComponent* owner);

    // The chosen item (with MultiSelect, the one with the focus), or -1. Setting it with
    // MultiSelect makes it the only selected item.
    int ItemIndex() const;
    void SetItemIndex(int index);
    bool MultiSelect() const { return m_multiSelect; }
    void SetMultiSelect(bool multiSelect);
    // With MultiSelect: Shift and Ctrl extend the selection (otherwise each click toggles).
    bool ExtendedSelect() const { return m_extendedSelect; }
    void SetExtendedSelect(bool extendedSelect);
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    int SelCount() const;
    bool Sorted() const { return m_items->Sorted(); }
    void SetSorted(bool sorted);
    TListBoxStyle Style() const { return m_style; }
    void SetStyle(TListBoxStyle style);
    int ItemHeight() const;
    void SetItemHeight(int height);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle style);
    int TopIndex() const;
    void SetTopIndex(int index);
    // The item at a client position, or -1.
    int ItemAtPos(TPoint position) const;
    void Clear() { m_items->Clear(); }

    void Dispatch(TMessage& message) override;

protected:
    bool IsVariableHeight() const override;
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void DestroyWnd() override;

private:
    bool IsMultiSelect() const;
    void CNCommand(TMessage& message);

    TListBoxStyle m_style = lbStandard;
    TBorderStyle m_borderStyle = bsSingle;
    bool m_multiSelect = false;
    bool m_extendedSelect = true;
    // Kept while there is no window.
    int m_itemIndex = -1;
    int m_topIndex = 0;
    std::vector<int> m_selected;
};

class TListBox : public TCustomListBox {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TCustomListBox::TCustomListBox;
};
