#pragma once
// Small helpers of the text calls: the font a DC draws with, and narrow (code page 936) text
// widened to UTF-16 with the byte each unit came from.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FontInstance.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The realised font selected into the DC (the system font when none is).
const FontInstance& FontOf(const DeviceContext& dc);

struct GbkText {
    std::u16string text;
    // byteIndex[i] is the first byte of unit i; byteIndex[text.size()] is the byte count.
    std::vector<int> byteIndex;
};

// A byte from 0x81 to 0xFE followed by another byte is one double-byte character; bytes that
// do not form a valid character become '?'.
GbkText WidenGbk(std::string_view gbk);

} // namespace platform
