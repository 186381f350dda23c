#pragma once
// The scroll calls' own work on a scroll bar control. SetScrollInfo and GetScrollInfo on SB_CTL
// send the control SBM_SETSCROLLINFO and SBM_GETSCROLLINFO, so a subclass of the control sees
// every change; the control's procedure answers them with these.

#include "platform/user/ScrollBar.h"

namespace platform {

// As SetScrollInfo on the control's own record; 0 for a window that is no scroll bar control.
int SetControlScrollInfo(HWND bar, const SCROLLINFO* info, bool redraw);
// As GetScrollInfo on the control's own record.
BOOL GetControlScrollInfo(HWND bar, SCROLLINFO* info);

} // namespace platform
