#pragma once
// Driving the modal menu loops of the skinned menus from a test: the user's steps run one at a
// time whenever a loop would wait for input; a loop still open when the steps run out is ended
// and reported.

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/display/Headless.h"
#include "platform/user/WinUser.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace skinmenus {

using Step = std::function<void()>;

inline void Script(std::vector<Step> steps) {
    auto queue = std::make_shared<std::deque<Step>>(steps.begin(), steps.end());
    platform::headless::SetIdleHandler([queue] {
        if (queue->empty()) {
            ADD_FAILURE() << "a menu was still open after the last step";
            EndMenu();
            platform::headless::SetIdleHandler(nullptr);
            return true;
        }
        Step step = std::move(queue->front());
        queue->pop_front();
        step();
        return true;
    });
}

// The open menu window (the newest one when several are open).
inline HWND OpenMenuWindow() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND window, LPARAM result) -> BOOL {
            char name[16] = "";
            GetClassNameA(window, name, sizeof name);
            if (std::string(name) == "#32768" && IsWindowVisible(window))
                *reinterpret_cast<HWND*>(result) = window;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// An item's rectangle in its menu window's coordinates (frame included).
inline RECT ItemInWindow(HWND window, HMENU menu, UINT item) {
    RECT r{};
    EXPECT_TRUE(GetMenuItemRect(nullptr, menu, item, &r)) << "item " << item << " is not shown";
    RECT frame{};
    GetWindowRect(window, &frame);
    OffsetRect(&r, -frame.left, -frame.top);
    return r;
}

inline int CountPixels(HWND window, const RECT& area, COLORREF colour) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += platform::headless::ReadPixel(window, x, y) == colour;
    return count;
}

// A pixel of a skin image, as the screen shows it.
inline COLORREF ImagePixel(TBitmap& image, int x, int y) {
    return static_cast<COLORREF>(image.Canvas()->Pixels(x, y)) & 0xFFFFFF;
}

} // namespace skinmenus
