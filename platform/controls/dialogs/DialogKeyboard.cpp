// The keyboard interface of dialogs: Tab and Shift+Tab through the tab stops, arrows within a
// group (checking auto radio buttons on the way), Enter for the default button, Escape for
// Cancel, and mnemonics typed alone or with Alt — unless the focused control asks for the key
// through WM_GETDLGCODE.

#include "platform/controls/ControlPaint.h"
#include "platform/controls/buttons/Button.h"
#include "platform/controls/dialogs/Dialog.h"
#include "platform/controls/dialogs/DialogOrder.h"
#include "platform/controls/dialogs/DialogState.h"
#include "platform/controls/statics/Static.h"
#include "platform/user/Mnemonics.h"

#include <string>

namespace platform {

namespace {

LRESULT DialogCodeOf(HWND control, MSG& message) {
    if (!control)
        return 0;
    return SendMessageW(control, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
}

void SendCommand(HWND dialog, int id, HWND control) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
}

// Enter: the focused push button, else the default button, else IDOK.
void PressEnter(HWND dialog, HWND focus) {
    int id = IDOK;
    HWND button = nullptr;
    if (IsPushButton(focus)) {
        button = focus;
        id = GetDlgCtrlID(focus);
    } else {
        LRESULT defaultId = SendMessageW(dialog, DM_GETDEFID, 0, 0);
        if (HIWORD(defaultId) == DC_HASDEFID)
            id = LOWORD(defaultId);
        button = GetDlgItem(dialog, id);
    }
    if (button && !IsWindowEnabled(button)) {
        MessageBeep(0);
        return;
    }
    SendCommand(dialog, id, button);
}

void PressEscape(HWND dialog) {
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    if (cancel && !IsWindowEnabled(cancel)) {
        MessageBeep(0);
        return;
    }
    SendCommand(dialog, IDCANCEL, cancel);
}

void MoveInGroup(HWND dialog, HWND focus, bool previous) {
    HWND next = GetNextDlgGroupItem(dialog, focus, previous);
    if (!next || next == focus)
        return;
    SetDialogFocus(dialog, next);
    // Moving onto a radio button chooses it.
    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
        SendMessageW(next, BM_CLICK, 0, 0);
}

void Activate(HWND dialog, HWND control, LRESULT code) {
    if (code & DLGC_STATIC) {
        // A label hands the focus to the control after it.
        if (HWND next = GetNextDlgTabItem(dialog, control, FALSE))
            SetDialogFocus(dialog, next);
        return;
    }
    if (code & DLGC_BUTTON) {
        if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
            SetDialogFocus(dialog, control);
        SendMessageW(control, BM_CLICK, 0, 0);
        return;
    }
    SetDialogFocus(dialog, control);
}

// The control whose mnemonic is the character, searched from the one after the focus; true
// when one was found and activated.
bool ActivateMnemonic(HWND dialog, HWND focus, char16_t typed) {
    if (typed == 0)
        return false;
    std::vector<HWND> children = DialogChildren(dialog);
    std::size_t start = 0;
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (children[i] == focus)
            start = i + 1;
    }
    for (std::size_t step = 0; step < children.size(); ++step) {
        HWND child = children[(start + step) % children.size()];
        DWORD style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
        if (!(style & WS_VISIBLE) || (style & WS_DISABLED))
            continue;
        LRESULT code = SendMessageW(child, WM_GETDLGCODE, 0, 0);
        if ((code & DLGC_STATIC) && (style & SS_NOPREFIX) && !(code & DLGC_BUTTON))
            continue;
        if (MatchesMnemonic(MnemonicOf(ControlText(child)), typed)) {
            Activate(dialog, child, code);
            return true;
        }
    }
    return false;
}

char16_t TypedCharacter(const MSG& message, bool unicode) {
    if (unicode)
        return static_cast<char16_t>(message.wParam);
    // Mnemonics of narrow messages are single-byte characters.
    return message.wParam < 0x80 ? static_cast<char16_t>(message.wParam) : 0;
}

// Keys the dialog takes itself; false leaves the message to the focused control.
bool TakeKey(HWND dialog, MSG& message, bool unicode) {
    HWND focus = DialogChildOf(dialog, GetFocus());
    LRESULT code = DialogCodeOf(GetFocus(), message);
    if (code & DLGC_WANTMESSAGE)
        return false;
    switch (message.message) {
    case WM_KEYDOWN:
        switch (message.wParam) {
        case VK_TAB:
            if (code & DLGC_WANTTAB)
                return false;
            if (HWND next = GetNextDlgTabItem(dialog, focus, GetKeyState(VK_SHIFT) < 0))
                SetDialogFocus(dialog, next);
            return true;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (code & DLGC_WANTARROWS)
                return false;
            MoveInGroup(dialog, focus, message.wParam == VK_LEFT || message.wParam == VK_UP);
            return true;
        case VK_RETURN:
            PressEnter(dialog, focus);
            return true;
        case VK_ESCAPE:
            PressEscape(dialog);
            return true;
        default:
            return false;
        }
    case WM_CHAR:
        if (code & DLGC_WANTCHARS)
            return false;
        if (message.wParam == '\t' || message.wParam == '\r' || message.wParam == 0x1B)
            return true;
        return ActivateMnemonic(dialog, focus, TypedCharacter(message, unicode));
    case WM_SYSCHAR:
        return ActivateMnemonic(dialog, focus, TypedCharacter(message, unicode));
    default:
        return false;
    }
}

} // namespace

bool BelongsToDialog(HWND dialog, const MSG& message) {
    return message.hwnd && (message.hwnd == dialog || IsChild(dialog, message.hwnd));
}

bool DialogKeyboardMessage(HWND dialog, MSG& message, bool unicode) {
    if (!BelongsToDialog(dialog, message))
        return false;
    if (!TakeKey(dialog, message, unicode)) {
        TranslateMessage(&message);
        if (unicode)
            DispatchMessageW(&message);
        else
            DispatchMessageA(&message);
    }
    return true;
}

} // namespace platform

BOOL IsDialogMessageA(HWND dialog, LPMSG message) {
    if (!message || !IsWindow(dialog) || !platform::BelongsToDialog(dialog, *message))
        return FALSE;
    if (CallMsgFilterA(message, MSGF_DIALOGBOX))
        return TRUE;
    return platform::DialogKeyboardMessage(dialog, *message, false) ? TRUE : FALSE;
}

BOOL IsDialogMessageW(HWND dialog, LPMSG message) {
    if (!message || !IsWindow(dialog) || !platform::BelongsToDialog(dialog, *message))
        return FALSE;
    if (CallMsgFilterW(message, MSGF_DIALOGBOX))
        return TRUE;
    return platform::DialogKeyboardMessage(dialog, *message, true) ? TRUE : FALSE;
}
