#pragma once
// TCustomEdit / TEdit: a text field over the platform's "EDIT" class. The text, the selection
// and the modified flag live in the window; before the window exists (and while it is being
// made again) the control keeps them, so nothing is lost when a property remakes the window.
// OnChange follows every change of the text: typing, pasting, assignments.

#include "framework/controls/StdTypes.h"
#include "framework/controls/WinControl.h"

class TCustomEdit : public TWinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TCustomEdit(TComponent* owner);

    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle style);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);
    // The most bytes the user may type; 0 for no limit of the control's own.
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int length);
    // Gaining the focus selects the whole text (a click then puts the caret where it falls).
    bool AutoSelect() const { return m_autoSelect; }
    void SetAutoSelect(bool autoSelect) { m_autoSelect = autoSelect; }
    bool Modified() const;
    void SetModified(bool modified);

    // The selection as byte offsets into the GBK text.
    int SelStart() const { return Selection().start; }
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    std::string SelText() const;
    // Replaces the selection; the caret ends after the new text.
    void SetSelText(const std::string& text);
    void SelectAll();
    void ClearSelection() { SetSelText(std::string()); }
    void Clear() { SetText(std::string()); }

    void Dispatch(TMessage& message) override;

    TNotifyEvent OnChange;

protected:
    struct TSelection {
        int start = 0;
        int end = 0;
    };

    virtual void Change();
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void DestroyWnd() override;
    bool IsMultiLine() const;

    TSelection Selection() const;
    void SetSelection(int start, int end);

private:
    void CMEnter(TMessage& message);

    TBorderStyle m_borderStyle = bsSingle;
    bool m_readOnly = false;
    int m_maxLength = 0;
    bool m_autoSelect = true;
    // Kept while there is no window.
    bool m_modified = false;
    TSelection m_selection;
    // The focus returning to a remade window keeps the selection it had.
    bool m_recreating = false;
};

class TEdit : public TCustomEdit {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TCustomEdit::TCustomEdit;
};
