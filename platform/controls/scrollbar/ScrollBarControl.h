#pragma once
// The "SCROLLBAR" control: a stand-alone scroll bar (SB_CTL) drawn and tracked by the same
// engine as the window bars, or a size box. Its SBM_ messages are the scroll calls on SB_CTL;
// it reports WM_HSCROLL or WM_VSCROLL to its parent with itself in lParam.

#include "platform/base/WinTypes.h"
#include "platform/user/ScrollBar.h"

constexpr const char* WC_SCROLLBARA = "ScrollBar";
constexpr const char16_t* WC_SCROLLBARW = u"ScrollBar";

// Styles beyond SBS_HORZ and SBS_VERT: alignment of a bar of the standard thickness within the
// rectangle given at creation, and the size box (size grip) forms.
constexpr DWORD SBS_TOPALIGN = 0x0002;
constexpr DWORD SBS_LEFTALIGN = 0x0002;
constexpr DWORD SBS_BOTTOMALIGN = 0x0004;
constexpr DWORD SBS_RIGHTALIGN = 0x0004;
constexpr DWORD SBS_SIZEBOXTOPLEFTALIGN = 0x0002;
constexpr DWORD SBS_SIZEBOXBOTTOMRIGHTALIGN = 0x0004;
constexpr DWORD SBS_SIZEBOX = 0x0008;
constexpr DWORD SBS_SIZEGRIP = 0x0010;

namespace platform {

void RegisterScrollBarClass();

} // namespace platform
