#pragma once
// Shared pieces of the control tests: a parent window on the headless display that logs what
// its controls tell it, control creation, and pixel counting in a control's picture.

#include "platform/user/WindowTestSupport.h"

#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"

#include <vector>

namespace testing_support {

class ControlTest : public WindowTest {
protected:
    static constexpr int ParentX = 100;
    static constexpr int ParentY = 100;

    void SetUp() override;

    // A control (narrow class name, GBK text) on the borderless parent, visible.
    HWND CreateControl(const char* className, const char* text, DWORD style, int x, int y, int width,
                       int height, int id = 100);
    // The notification codes of WM_COMMAND the parent received from a control, in order.
    std::vector<WORD> Notifications(HWND control) const;
    // Pixels of one colour within a rectangle of the control (window coordinates).
    static int CountPixels(HWND control, const RECT& area, COLORREF colour);
    // Screen point of a control's client point.
    static POINT OnScreen(HWND control, int x, int y);

    HWND m_parent = nullptr;
};

} // namespace testing_support
