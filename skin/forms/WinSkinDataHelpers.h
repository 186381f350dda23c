#pragma once
// Helpers the form and control skins share: the optional window calls looked up at run time,
// mouse-leave tracking, caption text drawing in the platform's character set, and the
// framework control behind a window.

#include "platform/controls/combobox/ComboBox.h"
#include "platform/user/WinUser.h"

#include <string>
#include <string_view>

class TWinControl;

// Entry points of "user32.dll" that may be missing; looked up once, when first asked for, and
// the library released at the end of the program.
struct TSkinEntryPoints {
    BOOL(WINAPI* getScrollBarInfo)(HWND, LONG, PSCROLLBARINFO) = nullptr;
    BOOL(WINAPI* trackMouseEvent)(LPTRACKMOUSEEVENT) = nullptr;
    BOOL(WINAPI* getComboBoxInfo)(HWND, PCOMBOBOXINFO) = nullptr;
    void(WINAPI* disableProcessWindowsGhosting)() = nullptr;
};
const TSkinEntryPoints& SkinEntryPoints();

// GetScrollBarInfo when the platform has it; false otherwise.
bool SkinGetScrollBarInfo(HWND window, LONG object, PSCROLLBARINFO info);
// Asks for WM_MOUSELEAVE when the mouse leaves the window (when TrackMouseEvent exists).
void TrackMouseLeave(HWND window);

// ANSI text (code page 936) as UTF-16.
std::u16string SkinTextToWide(std::string_view text);
// Draws wide text: DrawTextW on the NT family, else the text converted back to ANSI and drawn
// with DrawTextA. The rectangle is updated as DrawText updates it (DT_CALCRECT).
int SkinDrawText(HDC dc, std::u16string_view text, RECT& rect, UINT format);

// The framework control a window belongs to (the window property under the control-lookup
// atom); null for no window and for windows the framework did not make.
TWinControl* SkinControlOfWindow(HWND window);
