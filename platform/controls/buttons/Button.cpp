// The "BUTTON" window procedure: its state, the mouse and the space key, checking, radio
// groups, the messages of the class and the notifications to the parent.

#include "platform/controls/buttons/Button.h"

#include "platform/controls/ControlPaint.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/buttons/ButtonPainter.h"
#include "platform/controls/dialogs/DialogOrder.h"
#include "platform/controls/dialogs/DialogState.h"
#include "platform/user/WindowClass.h"

namespace platform {

namespace {

struct ButtonState {
    HFONT font = nullptr;
    UINT check = BST_UNCHECKED;
    bool pushed = false; // shown pressed
    bool focused = false;
    bool hot = false;       // the pointer is over it
    bool mouseDown = false; // following a left press
    bool spaceDown = false;
    HANDLE image = nullptr;
    UINT imageType = IMAGE_BITMAP;
};

enum class Kind { Push, DefaultPush, Check, Radio, GroupBox, OwnerDraw };

DWORD StyleOf(HWND button) {
    return static_cast<DWORD>(GetWindowLongW(button, GWL_STYLE));
}

Kind KindOf(DWORD style) {
    switch (style & BS_TYPEMASK) {
    case BS_DEFPUSHBUTTON:
        return Kind::DefaultPush;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
        return Kind::Check;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return Kind::Radio;
    case BS_GROUPBOX:
        return Kind::GroupBox;
    case BS_OWNERDRAW:
        return Kind::OwnerDraw;
    default:
        return Kind::Push;
    }
}

bool Checkable(Kind kind) {
    return kind == Kind::Check || kind == Kind::Radio;
}

bool IsThreeState(DWORD style) {
    DWORD type = style & BS_TYPEMASK;
    return type == BS_3STATE || type == BS_AUTO3STATE;
}

LRESULT DialogCode(Kind kind) {
    switch (kind) {
    case Kind::Push:
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case Kind::DefaultPush:
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case Kind::Radio:
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case Kind::GroupBox:
        return DLGC_STATIC;
    default:
        return DLGC_BUTTON;
    }
}

class Button {
public:
    Button(HWND handle, ButtonState& state) : m_handle(handle), m_state(state) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    DWORD Style() const { return StyleOf(m_handle); }
    Kind GetKind() const { return KindOf(Style()); }
    bool Notifies() const { return (Style() & BS_NOTIFY) != 0; }

    void Paint(HDC dc);
    void DrawOwnerDrawn(HDC dc, UINT action);
    void Redraw() { InvalidateRect(m_handle, nullptr, FALSE); }

    void SetPushed(bool pushed);
    void SetCheck(UINT check);
    void Press();
    void MouseMoved(POINT point);
    void Release(POINT point);
    void CancelPress();
    void Click();
    void UncheckGroup();
    void FocusGained();
    void FocusLost(HWND gaining);

    HWND m_handle;
    ButtonState& m_state;
};

void Button::Paint(HDC dc) {
    Kind kind = GetKind();
    if (kind == Kind::OwnerDraw) {
        DrawOwnerDrawn(dc, ODA_DRAWENTIRE);
        return;
    }
    UINT colours = kind == Kind::Push || kind == Kind::DefaultPush ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC;
    int saved = SaveDC(dc);
    SelectObject(dc, ControlFont(m_state.font));
    HBRUSH background = AskParentForColours(m_handle, dc, colours);
    RECT client{};
    GetClientRect(m_handle, &client);
    ButtonLook look;
    look.style = Style();
    look.check = m_state.check;
    look.pushed = m_state.pushed;
    look.focused = m_state.focused;
    look.enabled = IsWindowEnabled(m_handle) != FALSE;
    look.image = m_state.image;
    look.imageType = m_state.imageType;
    look.text = ControlText(m_handle);
    PaintButton(dc, client, look, background);
    RestoreDC(dc, saved);
}

void Button::DrawOwnerDrawn(HDC dc, UINT action) {
    HWND parent = GetParent(m_handle);
    if (!parent)
        return;
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(m_handle));
    item.itemAction = action;
    item.itemState = (m_state.pushed ? ODS_SELECTED : 0) | (m_state.focused ? ODS_FOCUS : 0) |
                     (IsWindowEnabled(m_handle) ? 0 : ODS_DISABLED);
    item.hwndItem = m_handle;
    item.hDC = dc;
    GetClientRect(m_handle, &item.rcItem);
    int saved = SaveDC(dc);
    SelectObject(dc, ControlFont(m_state.font));
    SendMessageW(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    RestoreDC(dc, saved);
}

void Button::SetPushed(bool pushed) {
    if (m_state.pushed == pushed)
        return;
    m_state.pushed = pushed;
    Redraw();
}

void Button::SetCheck(UINT check) {
    DWORD style = Style();
    Kind kind = KindOf(style);
    if (!Checkable(kind))
        return;
    if (check > BST_INDETERMINATE || (check == BST_INDETERMINATE && !IsThreeState(style)))
        check = BST_CHECKED;
    if (kind == Kind::Radio) {
        // The checked radio button of a group is the one Tab reaches.
        DWORD wanted = check ? style | WS_TABSTOP : style & ~WS_TABSTOP;
        if (wanted != style)
            SetWindowLongW(m_handle, GWL_STYLE, static_cast<LONG>(wanted));
    }
    if (m_state.check == check)
        return;
    m_state.check = check;
    Redraw();
}

void Button::Press() {
    if (GetFocus() != m_handle)
        SetFocus(m_handle);
    if (!IsWindow(m_handle))
        return;
    m_state.mouseDown = true;
    SetCapture(m_handle);
    SetPushed(true);
}

void Button::MouseMoved(POINT point) {
    if (!m_state.hot) {
        m_state.hot = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_handle, 0};
        TrackMouseEvent(&track);
    }
    if (!m_state.mouseDown)
        return;
    RECT client{};
    GetClientRect(m_handle, &client);
    SetPushed(PtInRect(&client, point) != FALSE);
}

void Button::Release(POINT point) {
    if (!m_state.mouseDown)
        return; // a release without our press (another window had it) clicks nothing
    m_state.mouseDown = false;
    RECT client{};
    GetClientRect(m_handle, &client);
    bool inside = PtInRect(&client, point) != FALSE;
    ReleaseCapture();
    SetPushed(false);
    if (inside)
        Click();
}

void Button::CancelPress() {
    bool hadCapture = m_state.mouseDown;
    m_state.mouseDown = false;
    m_state.spaceDown = false;
    if (hadCapture && GetCapture() == m_handle)
        ReleaseCapture();
    SetPushed(false);
}

void Button::UncheckGroup() {
    for (HWND other : DialogGroupOf(m_handle)) {
        if (other != m_handle && (SendMessageW(other, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
            SendMessageW(other, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

bool IsPushKind(Kind kind) {
    return kind == Kind::Push || kind == Kind::DefaultPush;
}

// In a dialog the focused push button shows as the default one.
void Button::FocusGained() {
    HWND dialog = GetParent(m_handle);
    if (IsPushKind(GetKind()) && FindDialogState(dialog))
        ShowDefaultButton(dialog, m_handle);
}

// Focus going to another control of the dialog that is no push button gives the dialog's own
// default button its look back.
void Button::FocusLost(HWND gaining) {
    HWND dialog = GetParent(m_handle);
    if (!IsPushKind(GetKind()) || !FindDialogState(dialog) || !gaining || !IsChild(dialog, gaining))
        return;
    if (!IsPushButton(DialogChildOf(dialog, gaining)))
        ShowDefaultButton(dialog, nullptr);
}

void Button::Click() {
    switch (Style() & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
        SetCheck(m_state.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
        break;
    case BS_AUTO3STATE:
        SetCheck(m_state.check == BST_UNCHECKED ? BST_CHECKED
                 : m_state.check == BST_CHECKED ? BST_INDETERMINATE
                                                : BST_UNCHECKED);
        break;
    case BS_AUTORADIOBUTTON:
        SetCheck(BST_CHECKED);
        UncheckGroup();
        break;
    default:
        break;
    }
    // The parent may destroy the button here; nothing of it is touched afterwards.
    NotifyParentCommand(m_handle, BN_CLICKED);
}

LRESULT Button::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        return DialogCode(GetKind());
    case WM_NCHITTEST:
        // A group box lets the pointer through to what lies in it.
        if (GetKind() == Kind::GroupBox)
            return HTTRANSPARENT;
        break;
    case WM_ERASEBKGND:
        return 1; // painting covers what it must
    case WM_PAINT:
    case WM_PRINTCLIENT:
        PaintControl(m_handle, wParam, [&](HDC dc) { Paint(dc); });
        return 0;
    case WM_SETFONT:
        m_state.font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(m_handle, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_state.font);
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcW(m_handle, message, wParam, lParam);
        InvalidateRect(m_handle, nullptr, TRUE);
        return result;
    }
    case WM_ENABLE:
        if (!wParam)
            CancelPress();
        InvalidateRect(m_handle, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (GetKind() == Kind::Radio || GetKind() == Kind::OwnerDraw || Notifies())
            NotifyParentCommand(m_handle, BN_DOUBLECLICKED);
        if (!IsWindow(m_handle))
            return 0;
        Press();
        return 0;
    case WM_LBUTTONDOWN:
        Press();
        return 0;
    case WM_MOUSEMOVE:
        MouseMoved({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_LBUTTONUP:
        Release({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_MOUSELEAVE:
        m_state.hot = false;
        return 0;
    case WM_CAPTURECHANGED:
        if (m_state.mouseDown && reinterpret_cast<HWND>(lParam) != m_handle)
            CancelPress();
        return 0;
    case WM_KEYDOWN:
        // The first press of the space bar, not its repeats, pushes the button in.
        if (wParam == VK_SPACE && !(lParam & (1 << 30)) && !m_state.mouseDown) {
            m_state.spaceDown = true;
            SetPushed(true);
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && m_state.spaceDown) {
            m_state.spaceDown = false;
            SetPushed(false);
            Click();
        }
        return 0;
    case WM_SETFOCUS:
        m_state.focused = true;
        Redraw();
        FocusGained();
        if (Notifies())
            NotifyParentCommand(m_handle, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        m_state.focused = false;
        if (m_state.spaceDown || m_state.mouseDown)
            CancelPress();
        Redraw();
        FocusLost(reinterpret_cast<HWND>(wParam));
        if (Notifies())
            NotifyParentCommand(m_handle, BN_KILLFOCUS);
        return 0;
    case BM_GETCHECK:
        return Checkable(GetKind()) ? m_state.check : BST_UNCHECKED;
    case BM_SETCHECK:
        SetCheck(static_cast<UINT>(wParam));
        return 0;
    case BM_GETSTATE:
        return static_cast<LRESULT>(m_state.check) | (m_state.pushed ? BST_PUSHED : 0) |
               (m_state.focused ? BST_FOCUS : 0) | (m_state.hot ? BST_HOT : 0);
    case BM_SETSTATE:
        SetPushed(wParam != 0);
        return 0;
    case BM_SETSTYLE: {
        DWORD style = (Style() & 0xFFFF0000u) | LOWORD(wParam);
        SetWindowLongW(m_handle, GWL_STYLE, static_cast<LONG>(style));
        if (LOWORD(lParam))
            InvalidateRect(m_handle, nullptr, TRUE);
        return 0;
    }
    case BM_CLICK:
        // As the user would: a press and a release at the button's corner.
        if (IsWindowEnabled(m_handle) && IsWindowVisible(m_handle)) {
            SendMessageW(m_handle, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            if (IsWindow(m_handle))
                SendMessageW(m_handle, WM_LBUTTONUP, 0, 0);
        }
        return 0;
    case BM_GETIMAGE:
        return static_cast<UINT>(wParam) == m_state.imageType ? reinterpret_cast<LRESULT>(m_state.image) : 0;
    case BM_SETIMAGE: {
        if (wParam != IMAGE_BITMAP && wParam != IMAGE_ICON)
            return 0;
        HANDLE previous = m_state.imageType == wParam ? m_state.image : nullptr;
        m_state.image = reinterpret_cast<HANDLE>(lParam);
        m_state.imageType = static_cast<UINT>(wParam);
        InvalidateRect(m_handle, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(previous);
    }
    default:
        break;
    }
    return DefWindowProcW(m_handle, message, wParam, lParam);
}

} // namespace

void RegisterButtonClass() {
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    description.lpfnWndProc = StatefulControlProc<ButtonState, Button>;
    description.cbWndExtra = sizeof(void*);
    description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    description.lpszClassName = WC_BUTTONW;
    RegisterSystemClass(description);
}

} // namespace platform

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    HWND button = GetDlgItem(dialog, id);
    if (!button)
        return FALSE;
    SendMessageW(button, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    return button ? static_cast<UINT>(SendMessageW(button, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND dialog, int first, int last, int check) {
    if (!IsWindow(dialog))
        return FALSE;
    for (long long id = first; id <= last; ++id) {
        if (HWND button = GetDlgItem(dialog, static_cast<int>(id)))
            SendMessageW(button, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    return TRUE;
}
