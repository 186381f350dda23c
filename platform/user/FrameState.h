#pragma once
// What the classic frame shows besides the window's own state: whether its caption is drawn
// active, and the caption button held down while the button's press is tracked.

#include "platform/user/Window.h"

namespace platform {

bool IsFrameActive(HWND window);
void SetFrameActive(HWND window, bool active);

// The caption button (HTCLOSE, HTMAXBUTTON...) shown pressed, or HTNOWHERE.
LRESULT PressedCaptionButton(HWND window);
void SetPressedCaptionButton(HWND window, LRESULT code);

// Draws the window's frame again where it lies now.
void RepaintFrame(Window& window);
// The window's text changed: the caption shows it, the desktop learns a top-level's title.
void FrameTextChanged(Window& window);

} // namespace platform
