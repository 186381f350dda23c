#pragma once
// The system's standard icons (LoadIcon with no module): the application, error, warning,
// information and question icons, drawn by the window manager itself at 32 by 32 pixels.

#include "platform/base/WinTypes.h"

inline LPSTR IDI_APPLICATION = MAKEINTRESOURCEA(32512);
inline LPSTR IDI_HAND = MAKEINTRESOURCEA(32513);
inline LPSTR IDI_QUESTION = MAKEINTRESOURCEA(32514);
inline LPSTR IDI_EXCLAMATION = MAKEINTRESOURCEA(32515);
inline LPSTR IDI_ASTERISK = MAKEINTRESOURCEA(32516);
inline LPSTR IDI_WINLOGO = MAKEINTRESOURCEA(32517);
inline LPSTR IDI_WARNING = IDI_EXCLAMATION;
inline LPSTR IDI_ERROR = IDI_HAND;
inline LPSTR IDI_INFORMATION = IDI_ASTERISK;

HICON LoadIconA(HINSTANCE instance, LPCSTR name);
HICON LoadIconW(HINSTANCE instance, LPCWSTR name);
