#pragma once
// Message timers. A due timer produces one WM_TIMER when the queue has nothing else; taking
// it starts the next period. Time comes from the display's clock.

#include "platform/user/Input.h"

#include <optional>

namespace platform {

std::optional<QueuedMessage> TakeTimerMessage(HWND filter, UINT first, UINT last, bool remove);
// Milliseconds until the earliest timer is due; 0 when one is due, INFINITE when none runs.
DWORD MillisecondsToNextTimer();
// True when the timer exists with this callback: DispatchMessage calls only such callbacks.
bool IsTimerCallback(HWND window, UINT_PTR id, TIMERPROC callback);

} // namespace platform
