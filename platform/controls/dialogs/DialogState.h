#pragma once
// What the dialog manager keeps for each dialog beside its window extra bytes: its font and
// base units, the default button, the control that had the focus, and how a modal run ends.

#include "platform/base/WinTypes.h"
#include "platform/user/WinUserTypes.h"

namespace platform {

struct DialogState {
    HFONT font = nullptr;
    bool ownsFont = false;
    SIZE baseUnits{};
    int defaultId = 0;         // DM_SETDEFID, or the template's BS_DEFPUSHBUTTON
    HWND savedFocus = nullptr; // the control to give the focus back to on activation
    bool ended = false;        // EndDialog was called
    INT_PTR result = 0;
    HWND disabledOwner = nullptr; // the owner a modal run disabled
};

// The state of a dialog, or null for any other window.
DialogState* FindDialogState(HWND dialog);
// The state of a window using the dialog manager, made on first use.
DialogState& DialogStateOf(HWND dialog);
void ForgetDialogState(HWND dialog);

// The base units of a font (the system font for null).
SIZE DialogBaseUnitsOf(HFONT font);

// The dialog's direct child holding the window (the window itself, or an inner part of a
// control such as a combo box's edit), or null.
HWND DialogChildOf(HWND dialog, HWND window);
// A push button, default or not, by its dialog code.
bool IsPushButton(HWND control);
// Moves the focus to a control the way the keyboard does: an edit's text gets selected.
void SetDialogFocus(HWND dialog, HWND control);
// Shows the push button that has the focus (or, with none, the dialog's default button) as the
// default one, and every other push button as a plain one.
void ShowDefaultButton(HWND dialog, HWND focusedPushButton);

// A look at each message of the dialog's windows before the keyboard interface; true takes it.
using ModalIntercept = bool (*)(HWND dialog, const MSG& message);

// Runs the dialog until EndDialog, offering each message to the message filter hook under the
// code (MSGF_DIALOGBOX or MSGF_MESSAGEBOX), to the intercept and to the dialog's keyboard
// interface. Disables the owner for the run; returns the result given to EndDialog, -1 when the
// dialog went away.
INT_PTR RunModalDialog(HWND dialog, HWND owner, int filterCode, ModalIntercept intercept = nullptr);

// Whether the message is for the dialog or one of its descendants.
bool BelongsToDialog(HWND dialog, const MSG& message);
// IsDialogMessage without the message filter hook (the modal loop has called it already).
bool DialogKeyboardMessage(HWND dialog, MSG& message, bool unicode);

} // namespace platform
