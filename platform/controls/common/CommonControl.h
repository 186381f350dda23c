#pragma once
// What the common controls share beyond ControlSupport.h: one window procedure template that
// keeps a control object behind each window, the font a control draws with, item texts
// handed out in either character set, and the custom-draw conversation with the parent.

#include "platform/controls/ControlPaint.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/OwnerDraw.h"
#include "platform/controls/common/CommCtrl.h"
#include "platform/gdi/WinUserDraw.h"

#include <string>
#include <string_view>

namespace platform {

// The window procedure of a common control class, whose object (ControlObject) is made from
// the window. Its Paint member draws the whole client area for WM_PAINT and WM_PRINTCLIENT (so
// there is nothing to erase first); every other message goes to its Handle member, which ends
// in DefWindowProcW for what it does not take.
template <typename Control>
LRESULT CALLBACK CommonControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Control* control = ControlObject<Control>(window, message, window);
    if (!control)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        PaintControl(window, wParam, [control](HDC dc) { control->Paint(dc); });
        return 0;
    default:
        return control->Handle(message, wParam, lParam);
    }
}

// Registers one common control class (a system class, global to every module) once.
void RegisterCommonControlClass(const WCHAR* name, WNDPROC procedure, UINT style, LPCSTR cursor = nullptr);

// The height of a line of text in a control's font (ControlFont).
int LineHeight(HFONT font);
// The width of a text in a control's font.
int TextWidth(HFONT font, std::u16string_view text);

// Item texts: stored as UTF-16, handed in and out in the character set of the message.
std::u16string TextFromCaller(LPCSTR text);
std::u16string TextFromCaller(LPCWSTR text);
// Copies at most size - 1 characters (bytes for the narrow form) and a terminating zero,
// never splitting a double-byte character; nothing when size is 0 or the buffer null.
void CopyTextToCaller(std::u16string_view text, LPSTR buffer, int size);
void CopyTextToCaller(std::u16string_view text, LPWSTR buffer, int size);
// The length of a text in the caller's character set.
int TextLengthFor(std::u16string_view text, bool unicode);

// Whether the parent takes notifications with text in UTF-16 (WM_NOTIFYFORMAT, or the
// parent's own character set when it does not answer).
bool ParentTakesUnicode(HWND control);

// Sends NM_CUSTOMDRAW for one stage and returns the parent's CDRF_ answer.
LRESULT SendCustomDraw(HWND control, NMCUSTOMDRAW& draw, DWORD stage);

// Keeps a control's font (ControlFont) selected into a DC for as long as it lives.
class FontSelection {
public:
    FontSelection(HDC dc, HFONT font) : m_dc(dc), m_old(SelectObject(dc, ControlFont(font))) {}
    ~FontSelection() { SelectObject(m_dc, m_old); }
    FontSelection(const FontSelection&) = delete;
    FontSelection& operator=(const FontSelection&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

} // namespace platform
