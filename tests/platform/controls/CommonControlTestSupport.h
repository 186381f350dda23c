#pragma once
// Shared pieces of the common control tests: the window test fixture with the common controls
// registered, notifications as the parent received them, and pixel checks.

#include "platform/user/WindowTestSupport.h"

#include "platform/controls/common/CommCtrl.h"
#include "platform/gdi/WinUserDraw.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

class CommonControlTest : public WindowTest {
protected:
    void SetUp() override;

    // A visible top-level parent of the logging class at (100, 100) with the given client size.
    HWND CreateParent(int clientWidth = 400, int clientHeight = 300, bool ansi = false);
    // The codes of the WM_NOTIFY messages received, in order (recorded as they arrive: the
    // structures live only during the call).
    std::vector<UINT> NotifyCodes() const;
    // Answers WM_NOTIFY when the function returns a value; it sees the whole structure.
    void AnswerNotify(std::function<std::optional<LRESULT>(const NMHDR&)> answer);
    // Answers other messages to the logging windows.
    void AlsoHandle(MessageHandler handler);

    std::vector<NMHDR> m_notifications;
    std::function<std::optional<LRESULT>(const NMHDR&)> m_notifyAnswer;
    MessageHandler m_otherHandler;
    // A point of a control's client area in screen coordinates.
    static POINT ScreenPoint(HWND control, int x, int y);
};

// Whether any pixel of the rectangle (window coordinates) has the colour.
bool AnyPixel(HWND window, const RECT& rect, COLORREF colour);
// Whether any pixel of the rectangle differs from the colour.
bool AnyPixelBut(HWND window, const RECT& rect, COLORREF colour);

} // namespace testing_support
