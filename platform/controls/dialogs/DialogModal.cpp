// Modal dialogs: the loop that runs until EndDialog with the owner disabled, offering each
// message to the message filter hook and to the dialog's keyboard interface.

#include "platform/controls/dialogs/Dialog.h"
#include "platform/controls/dialogs/DialogState.h"

namespace platform {

namespace {

void EnableOwnerAgain(DialogState& state) {
    if (state.disabledOwner && IsWindow(state.disabledOwner))
        EnableWindow(state.disabledOwner, TRUE);
    state.disabledOwner = nullptr;
}

bool Ended(HWND dialog) {
    DialogState* state = FindDialogState(dialog);
    return !state || state->ended;
}

} // namespace

INT_PTR RunModalDialog(HWND dialog, HWND owner, int filterCode, ModalIntercept intercept) {
    DialogState& state = DialogStateOf(dialog);
    if (owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        state.disabledOwner = owner;
    }
    if (!state.ended)
        ShowWindow(dialog, SW_SHOWNORMAL);
    bool unicode = IsWindowUnicode(dialog) != FALSE;
    bool idleMessages = !(GetWindowLongW(dialog, GWL_STYLE) & DS_NOIDLEMSG);
    MSG message{};
    while (!Ended(dialog)) {
        if (idleMessages && owner && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            SendMessageW(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(dialog));
            if (Ended(dialog))
                break;
        }
        BOOL got = unicode ? GetMessageW(&message, nullptr, 0, 0) : GetMessageA(&message, nullptr, 0, 0);
        if (!got) {
            // WM_QUIT ends the dialog and is left for the outer loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1)
            break;
        bool filtered = unicode ? CallMsgFilterW(&message, filterCode) : CallMsgFilterA(&message, filterCode);
        if (filtered || (intercept && BelongsToDialog(dialog, message) && intercept(dialog, message)))
            continue;
        if (!DialogKeyboardMessage(dialog, message, unicode)) {
            TranslateMessage(&message);
            if (unicode)
                DispatchMessageW(&message);
            else
                DispatchMessageA(&message);
        }
    }
    DialogState* left = FindDialogState(dialog);
    INT_PTR result = left && left->ended ? left->result : -1;
    if (left)
        EnableOwnerAgain(*left);
    // The owner is enabled again first, so that it takes the activation back.
    if (IsWindow(dialog))
        DestroyWindow(dialog);
    return result;
}

} // namespace platform

BOOL EndDialog(HWND dialog, INT_PTR result) {
    platform::DialogState* state = platform::FindDialogState(dialog);
    if (!state) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    state->ended = true;
    state->result = result;
    platform::EnableOwnerAgain(*state);
    ShowWindow(dialog, SW_HIDE);
    // Wakes the modal loop should it be waiting.
    PostMessageW(dialog, WM_NULL, 0, 0);
    return TRUE;
}
