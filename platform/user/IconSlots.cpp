#include "platform/user/IconSlots.h"

#include "platform/user/WinUser.h"

#include <algorithm>

namespace platform {

POINT IconSlotPosition(SIZE client, int index) {
    int width = GetSystemMetrics(SM_CXMINSPACING);
    int height = GetSystemMetrics(SM_CYMINSPACING);
    int perRow = std::max(1, static_cast<int>(client.cx) / width);
    return {(index % perRow) * width, client.cy - (index / perRow + 1) * height};
}

POINT FreeIconSlot(const Window& window) {
    const RECT& client = window.parent->clientRect;
    SIZE size{client.right - client.left, client.bottom - client.top};
    for (int index = 0;; ++index) {
        POINT slot = IconSlotPosition(size, index);
        bool taken =
            std::any_of(window.parent->children.begin(), window.parent->children.end(), [&](Window* w) {
                return w != &window && (w->style & WS_MINIMIZE) && w->windowRect.left == slot.x &&
                       w->windowRect.top == slot.y;
            });
        if (!taken)
            return slot;
    }
}

} // namespace platform
