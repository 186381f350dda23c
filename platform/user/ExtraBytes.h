#pragma once
// The extra bytes of windows and classes, read and written as LONG or LONG_PTR values at byte
// offsets by Get/SetWindowLong and Get/SetClassLong.

#include "platform/base/WinTypes.h"

#include <vector>

namespace platform {

// The value at `index`, or 0 with ERROR_INVALID_INDEX when it does not lie wholly inside.
LONG_PTR ReadExtraValue(const std::vector<BYTE>& bytes, int index, bool pointerSized);

// Stores the value (its low 32 bits unless pointer-sized); false, changing nothing, when it
// does not lie wholly inside.
bool WriteExtraValue(std::vector<BYTE>& bytes, int index, LONG_PTR value, bool pointerSized);

} // namespace platform
