#pragma once
// The dialog manager: the "#32770" dialog class and its default procedure, dialogs built from
// in-memory templates, modeless and modal, the keyboard interface (IsDialogMessage) and the
// calls on a dialog's controls.

#include "platform/base/WinTypes.h"
#include "platform/user/WinUser.h"

using DLGPROC = INT_PTR(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

constexpr const char* WC_DIALOGA = "#32770";
constexpr const char16_t* WC_DIALOGW = u"#32770";

// The dialog's window extra bytes: the answer of the last message, the dialog procedure, and a
// value of the program's own.
constexpr int DWLP_MSGRESULT = 0;
constexpr int DWLP_DLGPROC = DWLP_MSGRESULT + static_cast<int>(sizeof(LRESULT));
constexpr int DWLP_USER = DWLP_DLGPROC + static_cast<int>(sizeof(DLGPROC));
constexpr int DLGWINDOWEXTRA = DWLP_USER + static_cast<int>(sizeof(LONG_PTR));

// Dialog styles.
constexpr DWORD DS_ABSALIGN = 0x0001;
constexpr DWORD DS_SYSMODAL = 0x0002;
constexpr DWORD DS_3DLOOK = 0x0004;
constexpr DWORD DS_FIXEDSYS = 0x0008;
constexpr DWORD DS_NOFAILCREATE = 0x0010;
constexpr DWORD DS_LOCALEDIT = 0x0020;
constexpr DWORD DS_SETFONT = 0x0040;
constexpr DWORD DS_MODALFRAME = 0x0080;
constexpr DWORD DS_NOIDLEMSG = 0x0100;
constexpr DWORD DS_SETFOREGROUND = 0x0200;
constexpr DWORD DS_CONTROL = 0x0400;
constexpr DWORD DS_CENTER = 0x0800;
constexpr DWORD DS_CENTERMOUSE = 0x1000;
constexpr DWORD DS_CONTEXTHELP = 0x2000;
constexpr DWORD DS_SHELLFONT = DS_SETFONT | DS_FIXEDSYS;

// Dialog messages.
constexpr UINT DM_GETDEFID = WM_USER + 0;
constexpr UINT DM_SETDEFID = WM_USER + 1;
constexpr UINT DM_REPOSITION = WM_USER + 2;
constexpr WORD DC_HASDEFID = 0x534B;

// Command ids of the standard buttons.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr int IDCLOSE = 8;
constexpr int IDHELP = 9;
constexpr int IDTRYAGAIN = 10;
constexpr int IDCONTINUE = 11;

// An in-memory template: this header, then (as WORD arrays) the menu, the class and the title,
// the font's point size and face when DS_SETFONT is set, then the items, each DWORD-aligned:
// a DLGITEMTEMPLATE, its class (0xFFFF and an atom of 0x0080 "Button" to 0x0085 "ComboBox", or a
// name), its text (0xFFFF and a resource id, or a string) and the size of its creation data
// followed by that data. Strings are UTF-16 and end with a 0. Sizes are in dialog units.
#pragma pack(push, 2)
struct DLGTEMPLATE {
    DWORD style;
    DWORD dwExtendedStyle;
    WORD cdit;
    short x;
    short y;
    short cx;
    short cy;
};
struct DLGITEMTEMPLATE {
    DWORD style;
    DWORD dwExtendedStyle;
    short x;
    short y;
    short cx;
    short cy;
    WORD id;
};
#pragma pack(pop)
using LPCDLGTEMPLATEA = const DLGTEMPLATE*;
using LPCDLGTEMPLATEW = const DLGTEMPLATE*;

// Dialogs. The A forms make the dialog an ANSI window: its procedure gets code page 936 texts.
HWND CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND parent,
                                DLGPROC procedure, LPARAM initParam);
HWND CreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND parent,
                                DLGPROC procedure, LPARAM initParam);
// Runs the dialog modally: the owner is disabled until EndDialog; returns EndDialog's result,
// or -1 when the dialog could not be made.
INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND parent,
                                DLGPROC procedure, LPARAM initParam);
INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND parent,
                                DLGPROC procedure, LPARAM initParam);
BOOL EndDialog(HWND dialog, INT_PTR result);
LRESULT DefDlgProcA(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefDlgProcW(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Takes a message of the dialog's windows through the dialog's keyboard interface (Tab,
// arrows, Enter, Escape, mnemonics), translating and dispatching it; FALSE for a message of
// another window, which the caller dispatches itself.
BOOL IsDialogMessageA(HWND dialog, LPMSG message);
BOOL IsDialogMessageW(HWND dialog, LPMSG message);

// The dialog's controls.
BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text);
UINT GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size);
UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int size);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
// The next (or previous) visible, enabled control of the control's group, wrapping within the
// group; the control itself when no other qualifies.
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);
// The next (or previous) visible, enabled control with WS_TABSTOP, wrapping around; with no
// control, the first (or last) one.
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);

// Dialog units: a quarter of the font's average character width, an eighth of its height.
BOOL MapDialogRect(HWND dialog, LPRECT rect);
// The base units of the system font: the average width in the low word, the height in the high.
LONG GetDialogBaseUnits();

namespace platform {

void RegisterDialogClass();

// A control added to a dialog by code, in pixels: created with the dialog's font and placed
// last in its tab order. For dialogs that lay themselves out (message boxes, file dialogs).
HWND AddDialogControl(HWND dialog, LPCWSTR className, LPCWSTR text, DWORD style, const RECT& rect, int id,
                      DWORD exStyle = 0);

} // namespace platform
