// The dialog class "#32770" and DefDlgProc: the dialog procedure asked first, then the
// defaults — the dialog's background, the focus kept across activation, the default button,
// WM_NEXTDLGCTL, and closing as Cancel.

#include "platform/controls/dialogs/Dialog.h"

#include "platform/controls/buttons/Button.h"
#include "platform/controls/dialogs/DialogOrder.h"
#include "platform/controls/dialogs/DialogState.h"
#include "platform/controls/listbox/ListBox.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/WindowClass.h"

#include <map>
#include <memory>

namespace platform {

namespace {

constexpr UINT EM_SETSEL = 0x00B1;

std::map<HWND, std::unique_ptr<DialogState>>& States() {
    static std::map<HWND, std::unique_ptr<DialogState>> states;
    return states;
}

// Messages whose answer is the dialog procedure's return value itself, not DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
    return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_COMPAREITEM ||
           message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_QUERYDRAGICON ||
           message == WM_INITDIALOG;
}

void SaveFocus(HWND dialog, DialogState& state) {
    HWND focus = GetFocus();
    if (focus && IsChild(dialog, focus))
        state.savedFocus = focus;
}

void RestoreFocus(HWND dialog, DialogState& state) {
    HWND target = state.savedFocus;
    if (!target || !IsWindow(target) || !IsChild(dialog, target) || !IsWindowEnabled(target))
        target = GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (target)
        SetDialogFocus(dialog, target);
}

void SetDefaultId(HWND dialog, DialogState& state, int id) {
    state.defaultId = id;
    HWND focus = DialogChildOf(dialog, GetFocus());
    ShowDefaultButton(dialog, IsPushButton(focus) ? focus : nullptr);
}

LRESULT NextControl(HWND dialog, WPARAM wParam, LPARAM lParam) {
    HWND target = nullptr;
    if (LOWORD(lParam))
        target = reinterpret_cast<HWND>(wParam);
    else
        target = GetNextDlgTabItem(dialog, DialogChildOf(dialog, GetFocus()), wParam != 0);
    if (target && IsChild(dialog, target))
        SetDialogFocus(dialog, target);
    return 0;
}

void CloseAsCancel(HWND dialog) {
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    if (cancel && !IsWindowEnabled(cancel)) {
        MessageBeep(0);
        return;
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
}

LRESULT EraseBackground(HWND dialog, HDC dc) {
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dialog)));
    if (!brush)
        return 0;
    RECT client{};
    GetClientRect(dialog, &client);
    FillRect(dc, &client, brush);
    return 1;
}

template <bool Unicode>
LRESULT DefaultWindow(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return Unicode ? DefWindowProcW(dialog, message, wParam, lParam)
                   : DefWindowProcA(dialog, message, wParam, lParam);
}

template <bool Unicode>
LRESULT DefaultDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogState& state = DialogStateOf(dialog);
    switch (message) {
    case WM_ERASEBKGND:
        return EraseBackground(dialog, reinterpret_cast<HDC>(wParam));
    case WM_ACTIVATE:
        // Not DefWindowProc: it would take the focus to the dialog itself.
        if (LOWORD(wParam) == WA_INACTIVE)
            SaveFocus(dialog, state);
        else if (!IsIconic(dialog))
            RestoreFocus(dialog, state);
        return 0;
    case WM_SETFOCUS:
        RestoreFocus(dialog, state);
        return 0;
    case WM_SHOWWINDOW:
        if (!wParam)
            SaveFocus(dialog, state);
        break;
    case WM_CLOSE:
        CloseAsCancel(dialog);
        return 0;
    case WM_NEXTDLGCTL:
        return NextControl(dialog, wParam, lParam);
    case DM_GETDEFID:
        return state.defaultId ? MAKELONG(state.defaultId, DC_HASDEFID) : 0;
    case DM_SETDEFID:
        SetDefaultId(dialog, state, static_cast<int>(wParam));
        return TRUE;
    case DM_REPOSITION:
        return 0;
    case WM_SETFONT:
        state.font = reinterpret_cast<HFONT>(wParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state.font);
    case WM_NCDESTROY: {
        if (state.ownsFont && state.font)
            DeleteObject(state.font);
        ForgetDialogState(dialog);
        break;
    }
    default:
        break;
    }
    return DefaultWindow<Unicode>(dialog, message, wParam, lParam);
}

template <bool Unicode>
LRESULT DefDlgProcT(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(dialog))
        return 0;
    auto procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(dialog, DWLP_DLGPROC));
    if (procedure) {
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 0);
        INT_PTR handled = procedure(dialog, message, wParam, lParam);
        if (handled) {
            if (AnswersDirectly(message))
                return handled;
            return IsWindow(dialog) ? GetWindowLongPtrW(dialog, DWLP_MSGRESULT) : 0;
        }
        if (!IsWindow(dialog))
            return 0;
    }
    return DefaultDialogMessage<Unicode>(dialog, message, wParam, lParam);
}

} // namespace

DialogState* FindDialogState(HWND dialog) {
    auto it = States().find(dialog);
    return it == States().end() ? nullptr : it->second.get();
}

DialogState& DialogStateOf(HWND dialog) {
    std::unique_ptr<DialogState>& state = States()[dialog];
    if (!state) {
        state = std::make_unique<DialogState>();
        state->baseUnits = DialogBaseUnitsOf(nullptr);
    }
    return *state;
}

void ForgetDialogState(HWND dialog) {
    States().erase(dialog);
}

SIZE DialogBaseUnitsOf(HFONT font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SIZE extent{};
    const char16_t* alphabet = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    GetTextExtentPoint32W(dc, alphabet, 52, &extent);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    // The average width, rounded to the nearest pixel.
    return {(extent.cx / 26 + 1) / 2, metrics.tmHeight};
}

bool IsPushButton(HWND control) {
    return control &&
           (SendMessageW(control, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
}

HWND DialogChildOf(HWND dialog, HWND window) {
    while (window && window != dialog) {
        HWND parent = GetParent(window);
        if (parent == dialog)
            return window;
        if (!(GetWindowLongW(window, GWL_STYLE) & WS_CHILD))
            return nullptr;
        window = parent;
    }
    return nullptr;
}

void SetDialogFocus(HWND dialog, HWND control) {
    if (!control)
        return;
    if (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageW(control, EM_SETSEL, 0, -1);
    SetFocus(control);
    if (DialogState* state = FindDialogState(dialog))
        state->savedFocus = control;
}

void ShowDefaultButton(HWND dialog, HWND focusedPushButton) {
    DialogState* state = FindDialogState(dialog);
    if (!state)
        return;
    HWND shown = focusedPushButton ? focusedPushButton : GetDlgItem(dialog, state->defaultId);
    for (HWND child : DialogChildren(dialog)) {
        if (!IsPushButton(child))
            continue;
        bool wanted = child == shown;
        bool shownDefault = (SendMessageW(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0;
        if (wanted != shownDefault)
            SendMessageW(child, BM_SETSTYLE, wanted ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
}

void RegisterDialogClass() {
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.style = CS_DBLCLKS | CS_SAVEBITS;
    description.lpfnWndProc = DefDlgProcW;
    description.cbWndExtra = DLGWINDOWEXTRA;
    description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    description.lpszClassName = WC_DIALOGW;
    RegisterSystemClass(description);
}

} // namespace platform

LRESULT DefDlgProcA(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return platform::DefDlgProcT<false>(dialog, message, wParam, lParam);
}

LRESULT DefDlgProcW(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return platform::DefDlgProcT<true>(dialog, message, wParam, lParam);
}
