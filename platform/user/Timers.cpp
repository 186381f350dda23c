#include "platform/user/Timers.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/display/Display.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowManager.h"

#include <algorithm>
#include <vector>

namespace platform {

namespace {

struct Timer {
    HWND window;
    UINT_PTR id;
    UINT elapse;
    TIMERPROC callback;
    DWORD due;
    bool system = false;
};

std::vector<Timer>& Timers() {
    static std::vector<Timer> timers;
    return timers;
}

// Milliseconds from now to a moment, negative when it has passed (the clock may wrap).
int Until(DWORD moment) {
    return static_cast<int>(moment - Display().Now());
}

} // namespace

std::optional<QueuedMessage> TakeTimerMessage(HWND filter, UINT first, UINT last, bool remove) {
    auto& timers = Timers();
    Timer* chosen = nullptr;
    for (Timer& timer : timers) {
        if (Until(timer.due) > 0)
            continue;
        MSG candidate{timer.window,    timer.system ? WM_SYSTIMER : WM_TIMER,
                      timer.id,        reinterpret_cast<LPARAM>(timer.callback),
                      Display().Now(), CursorPosition()};
        if (!MatchesFilter(candidate, filter, first, last))
            continue;
        if (!chosen || static_cast<int>(timer.due - chosen->due) < 0)
            chosen = &timer;
    }
    if (!chosen)
        return std::nullopt;
    QueuedMessage message;
    message.msg = {chosen->window,  chosen->system ? WM_SYSTIMER : WM_TIMER,
                   chosen->id,      reinterpret_cast<LPARAM>(chosen->callback),
                   Display().Now(), CursorPosition()};
    if (remove)
        chosen->due = Display().Now() + chosen->elapse;
    return message;
}

DWORD MillisecondsToNextTimer() {
    DWORD best = INFINITE;
    for (const Timer& timer : Timers()) {
        int until = Until(timer.due);
        DWORD wait = until <= 0 ? 0 : static_cast<DWORD>(until);
        best = std::min(best, wait);
    }
    return best;
}

bool IsTimerCallback(HWND window, UINT_PTR id, TIMERPROC callback) {
    return std::any_of(Timers().begin(), Timers().end(), [&](const Timer& t) {
        return !t.system && t.window == window && t.id == id && t.callback == callback && callback;
    });
}

void SetSystemTimer(HWND window, UINT_PTR id, UINT elapse) {
    KillSystemTimer(window, id);
    elapse = std::clamp(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    Timers().push_back({window, id, elapse, nullptr, Display().Now() + elapse, true});
}

void KillSystemTimer(HWND window, UINT_PTR id) {
    std::erase_if(Timers(), [&](const Timer& t) { return t.system && t.window == window && t.id == id; });
}

void KillTimersOf(HWND window) {
    std::erase_if(Timers(), [&](const Timer& t) { return t.window == window; });
}

} // namespace platform

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC callback) {
    if (window && !platform::WindowFromHandle(window))
        return 0;
    elapse = std::clamp(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    auto& timers = platform::Timers();
    DWORD due = platform::Display().Now() + elapse;
    if (!window) {
        // Thread timers are named by the system; an id of an existing one replaces it.
        auto existing = std::find_if(timers.begin(), timers.end(),
                                     [&](auto& t) { return !t.window && t.id == id && id; });
        if (existing != timers.end()) {
            *existing = {nullptr, id, elapse, callback, due, false};
            return id;
        }
        static UINT_PTR nextId = 0x7FFE;
        UINT_PTR newId;
        do {
            newId = nextId++;
            if (nextId == 0)
                nextId = 1;
        } while (
            std::any_of(timers.begin(), timers.end(), [&](auto& t) { return !t.window && t.id == newId; }));
        timers.push_back({nullptr, newId, elapse, callback, due, false});
        return newId;
    }
    auto existing = std::find_if(timers.begin(), timers.end(),
                                 [&](auto& t) { return !t.system && t.window == window && t.id == id; });
    if (existing != timers.end())
        *existing = {window, id, elapse, callback, due, false};
    else
        timers.push_back({window, id, elapse, callback, due, false});
    return id ? id : 1;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
    auto& timers = platform::Timers();
    auto it = std::find_if(timers.begin(), timers.end(),
                           [&](auto& t) { return !t.system && t.window == window && t.id == id; });
    if (it == timers.end()) {
        if (window && !platform::WindowFromHandle(window))
            return FALSE;
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    timers.erase(it);
    // A WM_TIMER already in a caller's hands is harmless; none waits in the queue.
    return TRUE;
}
