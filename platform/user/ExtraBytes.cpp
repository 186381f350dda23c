#include "platform/user/ExtraBytes.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

#include <cstring>

namespace platform {

namespace {

bool Fits(const std::vector<BYTE>& bytes, int index, bool pointerSized) {
    const std::size_t width = pointerSized ? sizeof(LONG_PTR) : sizeof(LONG);
    return index >= 0 && static_cast<std::size_t>(index) + width <= bytes.size();
}

} // namespace

LONG_PTR ReadExtraValue(const std::vector<BYTE>& bytes, int index, bool pointerSized) {
    if (!Fits(bytes, index, pointerSized)) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    if (pointerSized) {
        LONG_PTR value;
        std::memcpy(&value, bytes.data() + index, sizeof value);
        return value;
    }
    LONG value;
    std::memcpy(&value, bytes.data() + index, sizeof value);
    return value;
}

bool WriteExtraValue(std::vector<BYTE>& bytes, int index, LONG_PTR value, bool pointerSized) {
    if (!Fits(bytes, index, pointerSized))
        return false;
    if (pointerSized) {
        std::memcpy(bytes.data() + index, &value, sizeof value);
    } else {
        const LONG narrow = static_cast<LONG>(value);
        std::memcpy(bytes.data() + index, &narrow, sizeof narrow);
    }
    return true;
}

} // namespace platform
