#pragma once
// The dialog manager: the "#32770" dialog class and its default procedure, dialogs built from
// in-memory templates, modeless and modal, the keyboard interface (IsDialogMessage) and the
// calls on a dialog's controls.

#include "platform/base/WinTypes.h"
#include "platform/user/WinUser.h"

// The next (or previous) visible, enabled control of the control's group, wrapping within the
// group; the control itself when no other qualifies.
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
// The next (or previous) visible, enabled control with WS_TABSTOP, wrapping around; with no
// control, the first (or last) one.
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
