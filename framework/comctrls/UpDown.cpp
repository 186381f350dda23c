#include "framework/comctrls/UpDown.h"

#include "framework/classes/PropertyTable.h"
#include "framework/comctrls/Settings.h"
#include "platform/controls/common/CommCtrl.h"

#include <algorithm>

const TEnumInfo& UDAlignButtonIdents() {
    static const TEnumInfo idents{{"udLeft", "udRight"}};
    return idents;
}

const TEnumInfo& UDOrientationIdents() {
    static const TEnumInfo idents{{"udHorizontal", "udVertical"}};
    return idents;
}

const TClass& TUpDown::ClassInfo() {
    static const TClass info(
        "TUpDown", &TWinControl::ClassInfo(),
        {
            EnumProperty("AlignButton", UDAlignButtonIdents(), &TUpDown::AlignButton,
                         &TUpDown::SetAlignButton),
            EnumProperty("ArrowKeys", BooleanIdents(), &TUpDown::ArrowKeys, &TUpDown::SetArrowKeys),
            ObjProperty("Associate", &TUpDown::Associate, &TUpDown::SetAssociate),
            OrdProperty("Increment", &TUpDown::Increment, &TUpDown::SetIncrement),
            OrdProperty("Max", &TUpDown::Max, &TUpDown::SetMax),
            OrdProperty("Min", &TUpDown::Min, &TUpDown::SetMin),
            EnumProperty("Orientation", UDOrientationIdents(), &TUpDown::Orientation,
                         &TUpDown::SetOrientation),
            OrdProperty("Position", &TUpDown::Position, &TUpDown::SetPosition),
            EnumProperty("Thousands", BooleanIdents(), &TUpDown::Thousands, &TUpDown::SetThousands),
            EnumProperty("Wrap", BooleanIdents(), &TUpDown::Wrap, &TUpDown::SetWrap),
            MethodProperty("OnChanging", &TUpDown::OnChanging),
            MethodProperty("OnClick", &TUpDown::OnClick),
        });
    return info;
}

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) {
    m_controlStyle.Exclude(csSetCaption);
    m_controlStyle.Exclude(csClickEvents);
    SetBounds(0, 0, GetSystemMetrics(SM_CXVSCROLL), 25);
}

TUpDown::~TUpDown() {
    // The window lets go of its buddy as it goes; the associate only forgets this control.
    if (m_associate)
        m_associate->RemoveFreeNotification(this);
}

void TUpDown::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&init);
    CreateSubClass(params, UPDOWN_CLASSA);
    params.Style |= UDS_SETBUDDYINT;
    if (m_associate)
        params.Style |= m_alignButton == udLeft ? UDS_ALIGNLEFT : UDS_ALIGNRIGHT;
    if (m_orientation == udHorizontal)
        params.Style |= UDS_HORZ;
    if (m_arrowKeys)
        params.Style |= UDS_ARROWKEYS;
    if (m_wrap)
        params.Style |= UDS_WRAP;
    if (!m_thousands)
        params.Style |= UDS_NOTHOUSANDS;
}

void TUpDown::CreateHandle() {
    TWinControl::CreateHandle();
    if (!m_handle)
        return;
    WriteRange();
    WriteIncrement();
    SendMessageA(m_handle, UDM_SETPOS32, 0, m_position);
    if (m_associate)
        SendMessageA(m_handle, UDM_SETBUDDY, reinterpret_cast<WPARAM>(m_associate->Handle()), 0);
}

void TUpDown::WriteRange() {
    if (HandleAllocated())
        SendMessageA(m_handle, UDM_SETRANGE32, static_cast<WPARAM>(m_min), m_max);
}

void TUpDown::WriteIncrement() {
    if (!HandleAllocated())
        return;
    UDACCEL acceleration{0, static_cast<UINT>(m_increment)};
    SendMessageA(m_handle, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&acceleration));
}

void TUpDown::SetAssociate(TWinControl* associate) {
    if (associate == m_associate || associate == this)
        return;
    if (m_associate)
        m_associate->RemoveFreeNotification(this);
    m_associate = associate;
    if (m_associate)
        m_associate->FreeNotification(this);
    // The buttons' alignment beside a buddy is a window style.
    if (HandleAllocated())
        RecreateWnd();
}

void TUpDown::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == m_associate) {
        m_associate = nullptr;
        if (HandleAllocated())
            SendMessageA(m_handle, UDM_SETBUDDY, 0, 0);
    }
}

int TUpDown::Position() {
    if (HandleAllocated())
        m_position = static_cast<int>(SendMessageA(m_handle, UDM_GETPOS32, 0, 0));
    return m_position;
}

void TUpDown::SetPosition(int position) {
    m_position = std::clamp(position, std::min(m_min, m_max), std::max(m_min, m_max));
    if (HandleAllocated())
        SendMessageA(m_handle, UDM_SETPOS32, 0, m_position);
}

void TUpDown::SetMin(int min) {
    if (min == m_min)
        return;
    m_min = min;
    WriteRange();
    SetPosition(m_position);
}

void TUpDown::SetMax(int max) {
    if (max == m_max)
        return;
    m_max = max;
    WriteRange();
    SetPosition(m_position);
}

void TUpDown::SetIncrement(int increment) {
    if (ChangeSetting(m_increment, increment))
        WriteIncrement();
}

void TUpDown::SetWrap(bool wrap) {
    if (ChangeSetting(m_wrap, wrap))
        RecreateWnd();
}

void TUpDown::SetArrowKeys(bool arrowKeys) {
    if (ChangeSetting(m_arrowKeys, arrowKeys))
        RecreateWnd();
}

void TUpDown::SetThousands(bool thousands) {
    if (ChangeSetting(m_thousands, thousands))
        RecreateWnd();
}

void TUpDown::SetAlignButton(TUDAlignButton align) {
    if (ChangeSetting(m_alignButton, align))
        RecreateWnd();
}

void TUpDown::SetOrientation(TUDOrientation orientation) {
    if (!ChangeSetting(m_orientation, orientation))
        return;
    TurnSides(*this);
    RecreateWnd();
}

bool TUpDown::CanChange() {
    bool allowChange = true;
    if (OnChanging)
        OnChanging(this, allowChange);
    return allowChange;
}

void TUpDown::Click(TUDBtnType button) {
    if (OnClick)
        OnClick(this, button);
}

void TUpDown::CNNotify(TMessage& message) {
    const auto* change = reinterpret_cast<const NMUPDOWN*>(message.LParam);
    if (!change || change->hdr.code != UDN_DELTAPOS) {
        TWinControl::Dispatch(message);
        return;
    }
    // A non-zero answer refuses the step.
    const bool allowed = CanChange();
    m_lastDelta = allowed ? change->iDelta : 0;
    message.Result = allowed ? 0 : 1;
}

void TUpDown::CNScroll(TMessage& message) {
    message.Result = 0;
    if (LOWORD(message.WParam) != SB_THUMBPOSITION)
        return;
    m_position = static_cast<int>(SendMessageA(m_handle, UDM_GETPOS32, 0, 0));
    if (m_lastDelta != 0)
        Click(m_lastDelta > 0 ? btNext : btPrev);
    m_lastDelta = 0;
}

void TUpDown::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_NOTIFY:
        CNNotify(message);
        break;
    case CN_HSCROLL:
    case CN_VSCROLL:
        CNScroll(message);
        break;
    default:
        TWinControl::Dispatch(message);
        break;
    }
}
