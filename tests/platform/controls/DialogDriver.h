#pragma once
// Drives a modal dialog as a user would: while the dialog runs its own loop, a timer's ticks
// run the queued steps one at a time, each on the dialog in front (the dialog itself, or a
// message box over it).

#include "platform/user/WinUser.h"

#include <deque>
#include <functional>
#include <string>

namespace testing_support {

using DialogStep = std::function<void(HWND dialog)>;

// The steps still to run, first first.
inline std::deque<DialogStep>& DialogSteps() {
    static std::deque<DialogStep> steps;
    return steps;
}

// The enabled, visible dialog-class window of this thread that was found last.
inline HWND FrontDialog() {
    HWND front = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) {
            char className[16] = {};
            GetClassNameA(window, className, sizeof className);
            if (std::string(className) == "#32770" && IsWindowVisible(window) && IsWindowEnabled(window))
                *reinterpret_cast<HWND*>(found) = window;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&front));
    return front;
}

// The timer procedure: runs the next step when a dialog is in front.
inline void CALLBACK RunNextDialogStep(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FrontDialog();
    if (!dialog || DialogSteps().empty())
        return;
    DialogStep step = std::move(DialogSteps().front());
    DialogSteps().pop_front();
    step(dialog);
}

} // namespace testing_support
