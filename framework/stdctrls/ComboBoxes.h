#pragma once
// TCustomComboBox / TComboBox over the platform's "COMBOBOX" class: a field (editable or not)
// with a list that drops down or always shows. Items, the chosen item and the text are kept
// by the control while it has no window, and across a remade window. OnChange follows the
// user's typing and choosing; owner-drawn styles draw their items through OnDrawItem.

#include "framework/controls/StdTypes.h"
#include "framework/stdctrls/ListControls.h"

#include <memory>

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

const TEnumInfo& ComboBoxStyleIdents();

class TCustomComboBox : public TCustomListControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TCustomComboBox(TComponent* owner);

    // The chosen item, or -1.
    int ItemIndex() const;
    void SetItemIndex(int index);
    TComboBoxStyle Style() const { return m_style; }
    void SetStyle(TComboBoxStyle style);
    // How many items the dropped list shows at once.
    int DropDownCount() const { return m_dropDownCount; }
    void SetDropDownCount(int count);
    bool Sorted() const { return m_items->Sorted(); }
    void SetSorted(bool sorted);
    // The height of the items of the owner-drawn styles.
    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int height);
    bool DroppedDown() const;
    void SetDroppedDown(bool dropped);

    void Dispatch(TMessage& message) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    bool IsVariableHeight() const override;
    virtual void Change();
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void DestroyWnd() override;
    void StoreText(const std::string& text) override;

private:
    bool IsSimple() const { return m_style == csSimple; }
    // The platform keeps the dropped list's height from the height a drop-down combo box is
    // asked to take.
    void UpdateDropDownHeight();
    void CNCommand(TMessage& message);

    TComboBoxStyle m_style = csDropDown;
    int m_dropDownCount = 8;
    // Kept while there is no window.
    int m_itemIndex = -1;
    bool m_restoring = false;
};

class TComboBox : public TCustomComboBox {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TCustomComboBox::TCustomComboBox;
};
