#pragma once
// The system's standard cursors and the current cursor shape. Cursor handles of the standard
// shapes are fixed values; the display shows the shape the window manager sets.

#include "platform/base/WinTypes.h"

inline LPSTR IDC_ARROW = MAKEINTRESOURCEA(32512);
inline LPSTR IDC_IBEAM = MAKEINTRESOURCEA(32513);
inline LPSTR IDC_WAIT = MAKEINTRESOURCEA(32514);
inline LPSTR IDC_CROSS = MAKEINTRESOURCEA(32515);
inline LPSTR IDC_UPARROW = MAKEINTRESOURCEA(32516);
inline LPSTR IDC_SIZE = MAKEINTRESOURCEA(32640);
inline LPSTR IDC_ICON = MAKEINTRESOURCEA(32641);
inline LPSTR IDC_SIZENWSE = MAKEINTRESOURCEA(32642);
inline LPSTR IDC_SIZENESW = MAKEINTRESOURCEA(32643);
inline LPSTR IDC_SIZEWE = MAKEINTRESOURCEA(32644);
inline LPSTR IDC_SIZENS = MAKEINTRESOURCEA(32645);
inline LPSTR IDC_SIZEALL = MAKEINTRESOURCEA(32646);
inline LPSTR IDC_NO = MAKEINTRESOURCEA(32648);
inline LPSTR IDC_HAND = MAKEINTRESOURCEA(32649);
inline LPSTR IDC_APPSTARTING = MAKEINTRESOURCEA(32650);
inline LPSTR IDC_HELP = MAKEINTRESOURCEA(32651);

namespace platform {

// The handle of a standard cursor (IDC_ARROW...), or null for an unknown id.
HCURSOR SystemCursor(LPCSTR id);
// The standard cursor id (32512...) a handle stands for, or 0.
WORD SystemCursorId(HCURSOR cursor);

} // namespace platform
