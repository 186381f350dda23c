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

// Timers of the window manager itself (the caret's blinking): they deliver WM_SYSTIMER, which
// the default window procedure handles, and never meet the program's own timer ids.
constexpr UINT WM_SYSTIMER = 0x0118;
void SetSystemTimer(HWND window, UINT_PTR id, UINT elapse);
void KillSystemTimer(HWND window, UINT_PTR id);

} // namespace platform
