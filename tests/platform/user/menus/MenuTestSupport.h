#pragma once
// Driving a modal menu loop from a test: the user's steps run one at a time whenever the loop
// would wait for input; a loop still open when the steps run out is ended and reported.

#include "../WindowTestSupport.h"

#include <deque>
#include <functional>
#include <memory>

namespace menu_testing {

using Step = std::function<void()>;

inline void Script(std::vector<Step> steps) {
    auto queue = std::make_shared<std::deque<Step>>(steps.begin(), steps.end());
    platform::headless::SetIdleHandler([queue] {
        if (queue->empty()) {
            ADD_FAILURE() << "the menu was still open after the last step";
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

inline POINT Centre(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The screen rectangle of an item of an open popup or of a window's bar.
inline RECT ItemRect(HWND window, HMENU menu, UINT item) {
    RECT r{};
    EXPECT_TRUE(GetMenuItemRect(window, menu, item, &r)) << "item " << item << " is not shown";
    return r;
}

inline void ClickItem(HWND window, HMENU menu, UINT item) {
    POINT p = Centre(ItemRect(window, menu, item));
    platform::headless::MoveMouse(p.x, p.y);
    platform::headless::Click(p.x, p.y);
}

inline void Key(UINT key) {
    platform::headless::TypeKey(key);
}

// How many menu windows are open.
inline int MenuWindowCount() {
    int count = 0;
    EnumWindows(
        [](HWND window, LPARAM counter) -> BOOL {
            char name[16] = "";
            GetClassNameA(window, name, sizeof name);
            if (std::string(name) == POPUPMENU_CLASS_NAME)
                ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// Menu notifications only, in the order the window got them.
inline std::vector<UINT> MenuMessages(HWND window) {
    std::vector<UINT> found;
    for (const testing_support::LoggedMessage& m : testing_support::Log()) {
        if (m.window != window)
            continue;
        switch (m.message) {
        case WM_ENTERMENULOOP:
        case WM_EXITMENULOOP:
        case WM_INITMENU:
        case WM_INITMENUPOPUP:
        case WM_UNINITMENUPOPUP:
        case WM_MENUSELECT:
        case WM_MENUCHAR:
        case WM_COMMAND:
        case WM_SYSCOMMAND:
            found.push_back(m.message);
            break;
        default:
            break;
        }
    }
    return found;
}

} // namespace menu_testing
