#include "framework/stdctrls/Buttons.h"

#include "framework/classes/PropertyTable.h"
#include "framework/controls/ControlProperties.h"
#include "framework/forms/Form.h"
#include "platform/controls/buttons/Button.h"
#include "platform/gdi/WinUserDraw.h"

#include <vector>

namespace {

// The published properties every button of the family shows: its caption and the appearance.
std::vector<TPropInfo> ButtonProperties(std::vector<TPropInfo> own) {
    own.insert(own.begin(), StrProperty("Caption", &TControl::Caption, &TControl::SetCaption));
    return AppearanceProperties(std::move(own));
}

} // namespace

const TEnumInfo& CheckBoxStateIdents() {
    static const TEnumInfo idents{{"cbUnchecked", "cbChecked", "cbGrayed"}};
    return idents;
}

// ---- TButtonControl ---------------------------------------------------------------------------

const TClass& TButtonControl::ClassInfo() {
    static const TClass info("TButtonControl", &TWinControl::ClassInfo());
    return info;
}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
    // Clicks come from the window's BN_CLICKED, not from the framework's mouse handling.
    m_controlStyle.Exclude(csClickEvents);
    SetParentColor(true);
}

void TButtonControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "BUTTON");
    params.Style |= ButtonStyle();
    if (UseRightToLeftReading())
        params.ExStyle |= WS_EX_RTLREADING;
}

void TButtonControl::Dispatch(TMessage& message) {
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
        Clicked();
        return;
    }
    TWinControl::Dispatch(message);
}

// ---- TButton ----------------------------------------------------------------------------------

const TClass& TButton::ClassInfo() {
    static const TClass info(
        "TButton", &TButtonControl::ClassInfo(),
        ButtonProperties({
            EnumProperty("Cancel", BooleanIdents(), &TButton::Cancel, &TButton::SetCancel),
            EnumProperty("Default", BooleanIdents(), &TButton::Default, &TButton::SetDefault),
            OrdProperty("ModalResult", &TButton::ModalResult, &TButton::SetModalResult),
        }));
    return info;
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

DWORD TButton::ButtonStyle() const {
    return m_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool isDefault) {
    if (isDefault == m_default)
        return;
    m_default = isDefault;
    m_active = isDefault;
    SetButtonStyle(isDefault);
}

void TButton::SetButtonStyle(bool isDefault) {
    if (HandleAllocated())
        SendMessageA(Handle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
    if (m_modalResult != 0) {
        if (TCustomForm* form = GetParentForm(this))
            form->SetModalResult(m_modalResult);
    }
    TButtonControl::Click();
}

void TButton::CMDialogKey(TMessage& message) {
    const WPARAM key = message.WParam;
    if (((key == VK_RETURN && m_active) || (key == VK_ESCAPE && m_cancel)) && CanFocus()) {
        Click();
        message.Result = 1;
        return;
    }
    TButtonControl::Dispatch(message);
}

void TButton::CMFocusChanged(TMessage& message) {
    // The default button shows as default unless another push button has the focus; a
    // focused push button is the one Enter clicks.
    auto* focused = reinterpret_cast<TWinControl*>(message.LParam);
    const bool active = focused == this || (m_default && !dynamic_cast<TButton*>(focused));
    if (active != m_active) {
        m_active = active;
        SetButtonStyle(active);
    }
    TButtonControl::Dispatch(message);
}

void TButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_DIALOGKEY:
        CMDialogKey(message);
        break;
    case CM_FOCUSCHANGED:
        CMFocusChanged(message);
        break;
    default:
        TButtonControl::Dispatch(message);
        break;
    }
}

// ---- TCheckBox --------------------------------------------------------------------------------

const TClass& TCheckBox::ClassInfo() {
    static const TClass info(
        "TCheckBox", &TButtonControl::ClassInfo(),
        ButtonProperties({
            EnumProperty("Alignment", LeftRightIdents(), &TCheckBox::Alignment, &TCheckBox::SetAlignment),
            EnumProperty("AllowGrayed", BooleanIdents(), &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed),
            EnumProperty("Checked", BooleanIdents(), &TCheckBox::Checked, &TCheckBox::SetChecked),
            EnumProperty("State", CheckBoxStateIdents(), &TCheckBox::State, &TCheckBox::SetState),
        }));
    return info;
}

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

DWORD TCheckBox::ButtonStyle() const {
    return BS_3STATE | (m_alignment == taLeftJustify ? BS_LEFTTEXT : 0);
}

void TCheckBox::CreateHandle() {
    TButtonControl::CreateHandle();
    if (HandleAllocated())
        SendMessageA(m_handle, BM_SETCHECK, static_cast<WPARAM>(m_state), 0);
}

void TCheckBox::SetState(TCheckBoxState state) {
    if (state == m_state)
        return;
    m_state = state;
    if (HandleAllocated())
        SendMessageA(m_handle, BM_SETCHECK, static_cast<WPARAM>(state), 0);
    if (!ComponentState().Contains(csLoading))
        Click();
}

void TCheckBox::SetAlignment(TLeftRight alignment) {
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    RecreateWnd();
}

void TCheckBox::Clicked() {
    switch (m_state) {
    case cbUnchecked:
        SetState(m_allowGrayed ? cbGrayed : cbChecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    default:
        SetState(cbUnchecked);
        break;
    }
}

// ---- TRadioButton -----------------------------------------------------------------------------

const TClass& TRadioButton::ClassInfo() {
    static const TClass info(
        "TRadioButton", &TButtonControl::ClassInfo(),
        ButtonProperties({
            EnumProperty("Alignment", LeftRightIdents(), &TRadioButton::Alignment,
                         &TRadioButton::SetAlignment),
            EnumProperty("Checked", BooleanIdents(), &TRadioButton::Checked, &TRadioButton::SetChecked),
        }));
    return info;
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 113, 17);
}

DWORD TRadioButton::ButtonStyle() const {
    return BS_RADIOBUTTON | (m_alignment == taLeftJustify ? BS_LEFTTEXT : 0);
}

void TRadioButton::CreateHandle() {
    TButtonControl::CreateHandle();
    if (HandleAllocated())
        SendMessageA(m_handle, BM_SETCHECK, m_checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool checked) {
    if (checked == m_checked)
        return;
    m_checked = checked;
    // The checked button of a group is the one Tab reaches.
    SetTabStop(checked);
    if (HandleAllocated())
        SendMessageA(m_handle, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!checked)
        return;
    if (TWinControl* parent = Parent()) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            if (auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i)); other && other != this)
                other->SetChecked(false);
        }
    }
    if (!ComponentState().Contains(csLoading))
        Click();
}

void TRadioButton::SetAlignment(TLeftRight alignment) {
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    RecreateWnd();
}

void TRadioButton::Clicked() {
    SetChecked(true);
}

// ---- group boxes ------------------------------------------------------------------------------

const TClass& TCustomGroupBox::ClassInfo() {
    static const TClass info(
        "TCustomGroupBox", &TButtonControl::ClassInfo(),
        ButtonProperties({
            EnumProperty("ParentBackground", BooleanIdents(), &TWinControl::ParentBackground,
                         &TWinControl::SetParentBackground),
        }));
    return info;
}

const TClass& TGroupBox::ClassInfo() {
    static const TClass info("TGroupBox", &TCustomGroupBox::ClassInfo());
    return info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TButtonControl(owner) {
    m_controlStyle.Include(csAcceptsControls);
    SetBounds(0, 0, 185, 105);
}

DWORD TCustomGroupBox::ButtonStyle() const {
    return BS_GROUPBOX;
}

void TCustomGroupBox::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
}

void TCustomGroupBox::Dispatch(TMessage& message) {
    // The platform's group box draws only its frame and caption; as a container that clips its
    // children it has no parent painting behind it, so it fills its own background.
    if (message.Msg == WM_ERASEBKGND && m_handle) {
        RECT client{};
        GetClientRect(m_handle, &client);
        FillRect(reinterpret_cast<HDC>(message.WParam), &client, Brush()->Handle());
        message.Result = 1;
        return;
    }
    TButtonControl::Dispatch(message);
}
