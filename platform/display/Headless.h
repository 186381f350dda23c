#pragma once
// The test driver of the headless display: inject the user's input by screen position, run the
// message loop until nothing is left to do, move the clock to fire timers. It sits on top of
// the window manager (it runs the loop) and of the headless display.

#include "platform/base/WinTypes.h"
#include "platform/display/HeadlessDisplay.h"

#include <functional>
#include <string>
#include <string_view>

namespace platform::headless {

// Makes a fresh headless display the process's display; call before the first window exists.
void Use();
HeadlessDisplay& Screen();

void MoveMouse(int x, int y);
void PressButton(int x, int y, MouseButton button = MouseButton::Left);
void ReleaseButton(int x, int y, MouseButton button = MouseButton::Left);
// Press and release at one point, without running the loop in between.
void Click(int x, int y, MouseButton button = MouseButton::Left);
void RollWheel(int x, int y, int delta);
void PressKey(UINT virtualKey);
void ReleaseKey(UINT virtualKey);
void TypeKey(UINT virtualKey);
// Characters committed as an input method does.
void TypeText(std::u16string_view text);

DWORD Now();
void AdvanceClock(DWORD milliseconds);

// Takes and dispatches messages (translating keys) until none is due now. A WM_QUIT stays in
// the queue. Returns the number of messages dispatched.
int RunUntilIdle();
// Runs the loop while moving the clock forward by the given time, stopping at each moment a
// timer is due so that timers fire as they would in real time.
int RunFor(DWORD milliseconds);
// Called when a message loop would wait with nothing able to arrive; it may inject input.
void SetIdleHandler(std::function<bool()> handler);

// What was drawn: a window's pixel in window coordinates (the frame's top-left is 0, 0), read
// from its top-level window's backing store; CLR_INVALID (0xFFFFFFFF) outside the window.
COLORREF ReadPixel(HWND window, int x, int y);
// What the screen shows at a point: the topmost visible window whose shape holds it, or the
// desktop colour.
COLORREF ReadScreenPixel(int x, int y);
// The window, frame included, as a PNG file for a person to look at.
bool SaveWindowPng(HWND window, const std::string& path);

} // namespace platform::headless
