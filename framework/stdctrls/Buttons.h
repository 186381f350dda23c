#pragma once
// The controls over the platform's "BUTTON" class: TButton (a push button that may be the
// form's default or cancel button and may end a modal form), TCheckBox (checked, unchecked or
// grayed), TRadioButton (one checked among the radio buttons of a parent) and the group box.

#include "framework/controls/StdTypes.h"
#include "framework/controls/WinControl.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

const TEnumInfo& CheckBoxStateIdents();

// What the button family shares: a platform button window, the caption, the published
// appearance, and BN_CLICKED taken from the reflected WM_COMMAND.
class TButtonControl : public TWinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TButtonControl(TComponent* owner);

    void Dispatch(TMessage& message) override;

protected:
    // The BS_ type of the window.
    virtual DWORD ButtonStyle() const = 0;
    // A click reported by the window (mouse, space bar, BM_CLICK).
    virtual void Clicked() { Click(); }
    void CreateParams(TCreateParams& params) override;
};

class TButton : public TButtonControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TButton(TComponent* owner);

    bool Default() const { return m_default; }
    void SetDefault(bool isDefault);
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool cancel) { m_cancel = cancel; }
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int result) { m_modalResult = result; }

    // Sets the form's ModalResult (when it has one), then raises OnClick.
    void Click() override;
    void Dispatch(TMessage& message) override;

protected:
    DWORD ButtonStyle() const override;
    // Shows the button as the one Enter clicks, or not: the window's BS_DEFPUSHBUTTON look.
    virtual void SetButtonStyle(bool isDefault);

private:
    // Enter clicks the default button unless another button has the focus; Escape the cancel
    // button.
    void CMDialogKey(TMessage& message);
    void CMFocusChanged(TMessage& message);

    bool m_default = false;
    bool m_cancel = false;
    bool m_active = false;
    int m_modalResult = 0;
};

class TCheckBox : public TButtonControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TCheckBox(TComponent* owner);

    TCheckBoxState State() const { return m_state; }
    void SetState(TCheckBoxState state);
    bool Checked() const { return m_state == cbChecked; }
    void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return m_allowGrayed; }
    void SetAllowGrayed(bool allowGrayed) { m_allowGrayed = allowGrayed; }
    TLeftRight Alignment() const { return m_alignment; }
    void SetAlignment(TLeftRight alignment);

protected:
    DWORD ButtonStyle() const override;
    void CreateHandle() override;
    // Unchecked, checked, then grayed when allowed, and round again.
    void Clicked() override;

private:
    TCheckBoxState m_state = cbUnchecked;
    bool m_allowGrayed = false;
    TLeftRight m_alignment = taRightJustify;
};

class TRadioButton : public TButtonControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TRadioButton(TComponent* owner);

    bool Checked() const { return m_checked; }
    // Checking one unchecks the other radio buttons of the same parent.
    void SetChecked(bool checked);
    TLeftRight Alignment() const { return m_alignment; }
    void SetAlignment(TLeftRight alignment);

protected:
    DWORD ButtonStyle() const override;
    void CreateHandle() override;
    void Clicked() override;

private:
    bool m_checked = false;
    TLeftRight m_alignment = taRightJustify;
};

class TCustomGroupBox : public TButtonControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TCustomGroupBox(TComponent* owner);

    void Dispatch(TMessage& message) override;

protected:
    DWORD ButtonStyle() const override;
    void CreateParams(TCreateParams& params) override;
};

class TGroupBox : public TCustomGroupBox {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TCustomGroupBox::TCustomGroupBox;
};
