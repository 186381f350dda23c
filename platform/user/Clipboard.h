#pragma once
// The clipboard: OpenClipboard and friends. Texts (CF_TEXT in code page 936, CF_UNICODETEXT,
// CF_OEMTEXT) live in the display's clipboard, so other programs of the desktop see what this
// one copies and this one pastes what they copy; line breaks are CR LF here and LF on the
// desktop. Other formats stay inside the program.

#include "platform/base/WinTypes.h"

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_OEMTEXT = 7;
constexpr UINT CF_UNICODETEXT = 13;

// FALSE with ERROR_ACCESS_DENIED while the clipboard is open already.
BOOL OpenClipboard(HWND owner);
// FALSE with ERROR_CLIPBOARD_NOT_OPEN when it is not open.
BOOL CloseClipboard();
// Frees what the clipboard holds, the desktop's text included, and makes the opener its owner.
// Needs the clipboard open.
BOOL EmptyClipboard();
// Hands the global block to the clipboard, which owns it from then on. Needs the clipboard
// open and a block (delayed rendering is not offered: a null block fails with
// ERROR_INVALID_PARAMETER). Returns the block, or null.
HANDLE SetClipboardData(UINT format, HANDLE data);
// The data of a format, owned by the clipboard and valid until it is closed; null when the
// format is not there. Needs the clipboard open.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();
