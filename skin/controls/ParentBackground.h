#pragma once
// The parent's background behind a transparent control: the parent erases and paints into the
// control's DC, its drawing moved so that the control's area of the parent lands on the DC's
// origin and clipped to that area. Shared by the control skins and the form frame.

#include "platform/base/WinTypes.h"

// Paints the background of the control's parent into dc (a DC of the control's client area, or
// a bitmap the control's face is composed in). Nothing happens for a window without a parent.
// A paint the parent still had pending stays pending.
void PaintParentBackground(HWND control, HDC dc);
// The same for an area of a window (client coordinates), drawn at dc's origin: the background
// of a control without a window of its own.
void PaintWindowArea(HWND window, const RECT& area, HDC dc);
