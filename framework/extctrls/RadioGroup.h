#pragma once
// TCustomRadioGroup / TRadioGroup: a group box of radio buttons, one per line of Items, laid out
// in Columns (filled top to bottom, then left to right). ItemIndex is the checked one (-1:
// none); a click on a button, or the arrow keys moving among them, changes it and raises the
// group's OnClick. The buttons are child radio-button controls that the group makes, names
// and places itself.

#include "framework/classes/NotifyStrings.h"
#include "framework/stdctrls/Buttons.h"

#include <memory>
#include <vector>

class TCustomRadioGroup : public TCustomGroupBox {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TCustomRadioGroup(TComponent* owner);
    ~TCustomRadioGroup() override;

    TStrings* Items() const { return m_items.get(); }
    // Copies the texts (null empties).
    void SetItems(TStrings* items);
    int ItemIndex() const { return m_itemIndex; }
    // Checks that item's button; out of range (or -1) checks none.
    void SetItemIndex(int index);
    int Columns() const { return m_columns; }
    // 1 to 16.
    void SetColumns(int columns);

    int ButtonCount() const { return static_cast<int>(m_buttons.size()); }
    TRadioButton* Buttons(int index) const { return m_buttons.at(static_cast<std::size_t>(index)); }

    void SetBounds(int left, int top, int width, int height) override;
    void Dispatch(TMessage& message) override;

protected:
    void Loaded() override;

private:
    friend class TGroupButton;
    void ItemsChanged();
    // Checks the button of ItemIndex and no other, without raising clicks.
    void CheckItemButton();
    void ArrangeButtons();
    // The one button Tab reaches: the checked one, or the first while none is.
    void UpdateTabStops();
    void ButtonClicked(TRadioButton* button);
    // The arrow keys: the next (or previous) button, round the end, gets the focus and is
    // checked.
    void MoveToButton(TRadioButton* from, bool forward);

    std::unique_ptr<TNotifyStrings> m_items;
    std::vector<TRadioButton*> m_buttons;
    int m_itemIndex = -1;
    int m_columns = 1;
    // The group is checking its buttons itself: their clicks are not the user's.
    bool m_updating = false;
};

class TRadioGroup : public TCustomRadioGroup {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TCustomRadioGroup::TCustomRadioGroup;
};
