#pragma once
// Shared pieces of the list box and combo box tests: controls made in a logging parent window
// on the headless display, their notifications, and clicks and keys at their items.

#include "platform/user/WindowTestSupport.h"

#include "platform/controls/OwnerDraw.h"
#include "platform/controls/listbox/ListBox.h"

#include <string>
#include <vector>

namespace testing_support {

class ListControlTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        parent = CreateTopLevel(50, 50, 400, 300);
        ClearLog();
    }

    HWND CreateControl(const char* className, DWORD style, int x = 10, int y = 10, int width = 150,
                       int height = 100, int id = 7, DWORD exStyle = 0) {
        return CreateWindowExA(exStyle, className, "", WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                               parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }

    HWND CreateList(DWORD style, int height = 100, int width = 150) {
        return CreateControl("LISTBOX", style, 10, 10, width, height);
    }

    static void AddStrings(HWND control, const std::vector<std::string>& texts, UINT message = LB_ADDSTRING) {
        for (const std::string& text : texts)
            SendMessageA(control, message, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

    static std::string ItemText(HWND list, int index, UINT message = LB_GETTEXT,
                                UINT lengthMessage = LB_GETTEXTLEN) {
        auto length = SendMessageA(list, lengthMessage, static_cast<WPARAM>(index), 0);
        if (length < 0)
            return "<error>";
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        SendMessageA(list, message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length));
        return text;
    }

    // The notification codes the parent received from a control, in order.
    std::vector<WORD> Notifications(HWND control) const {
        std::vector<WORD> codes;
        for (const LoggedMessage& m : Logged(parent, WM_COMMAND)) {
            if (reinterpret_cast<HWND>(m.lParam) == control)
                codes.push_back(HIWORD(m.wParam));
        }
        return codes;
    }

    // The centre of a list item in screen coordinates.
    static POINT ItemCentre(HWND list, int index) {
        RECT rect{};
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
        POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ClientToScreen(list, &point);
        return point;
    }

    static void ClickAt(POINT point) {
        platform::headless::Click(point.x, point.y);
        platform::headless::RunUntilIdle();
    }

    static void Type(UINT key) {
        platform::headless::TypeKey(key);
        platform::headless::RunUntilIdle();
    }

    // A pixel of the client area, in client coordinates.
    static COLORREF ClientPixel(HWND control, int x, int y) {
        POINT point{x, y};
        ClientToScreen(control, &point);
        RECT window{};
        GetWindowRect(control, &window);
        return platform::headless::ReadPixel(control, point.x - window.left, point.y - window.top);
    }

    HWND parent = nullptr;
};

} // namespace testing_support
