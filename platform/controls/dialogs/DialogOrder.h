#pragma once
// The order the dialog manager walks controls in: a dialog's child windows from the top of the
// z-order (the order of the template), groups that begin at a WS_GROUP control and run to the
// next one.

#include "platform/base/WinTypes.h"

#include <vector>

namespace platform {

std::vector<HWND> DialogChildren(HWND dialog);
// Every control of the control's group, in order, the control included.
std::vector<HWND> DialogGroupOf(HWND control);

} // namespace platform
