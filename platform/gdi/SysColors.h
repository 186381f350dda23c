#pragma once
// The classic colour scheme behind GetSysColor.

#include "platform/base/WinTypes.h"

namespace platform {

constexpr int SysColorCount = 31;

// False for an index without a colour.
bool HasSysColor(int index);

} // namespace platform
