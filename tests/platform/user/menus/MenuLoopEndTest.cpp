// How a menu loop ends and what it leaves behind: TPM_NONOTIFY keeps the loop's own messages
// back but not the selection or the command, a non-client press outside the menus is handed to
// its window once the menu has closed, and the pointer is held only while a menu is open.

#include "MenuTestSupport.h"

using namespace testing_support;
using namespace menu_testing;
namespace headless = platform::headless;

namespace {

class MenuLoopEndTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        owner = CreateTopLevel(50, 50, 300, 200);
        menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING, 1, "第一");
        AppendMenuA(menu, MF_STRING, 2, "第二");
        ClearLog();
    }
    void TearDown() override {
        DestroyMenu(menu);
        WindowTest::TearDown();
    }

    HWND owner = nullptr;
    HMENU menu = nullptr;
};

TEST_F(MenuLoopEndTest, NoNotify_KeepsTheLoopMessagesBackButSelectsAndPostsTheCommand) {
    Script({[&] { ClickItem(owner, menu, 1); }});
    EXPECT_TRUE(TrackPopupMenu(menu, TPM_NONOTIFY, 100, 100, 0, owner, nullptr));
    headless::RunUntilIdle();
    std::vector<UINT> expected = {WM_MENUSELECT, WM_MENUSELECT, WM_COMMAND};
    EXPECT_EQ(MenuMessages(owner), expected);
    std::vector<LoggedMessage> selects = Logged(owner, WM_MENUSELECT);
    ASSERT_EQ(selects.size(), 2u);
    EXPECT_EQ(LOWORD(selects[0].wParam), 2u);
    EXPECT_EQ(HIWORD(selects[1].wParam), 0xFFFFu) << "the close notification";
    EXPECT_EQ(selects[1].lParam, 0);
    std::vector<LoggedMessage> commands = Logged(owner, WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, 2u);
}

TEST_F(MenuLoopEndTest, PostedNonClientPress_EndsTheMenuAndReachesItsWindowAfterwards) {
    SetHandler([](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_NCLBUTTONDOWN)
            return 0;
        return std::nullopt;
    });
    const LPARAM point = MAKELPARAM(80, 60);
    bool pressedWhileOpen = true;
    Script({[&] { PostMessageA(owner, WM_NCLBUTTONDOWN, HTMENU, point); }});
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr), 0);
    EXPECT_EQ(MenuWindowCount(), 0);
    pressedWhileOpen = !Logged(owner, WM_NCLBUTTONDOWN).empty();
    headless::RunUntilIdle();
    EXPECT_FALSE(pressedWhileOpen) << "the menu took the press";
    std::vector<LoggedMessage> presses = Logged(owner, WM_NCLBUTTONDOWN);
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].wParam, static_cast<WPARAM>(HTMENU));
    EXPECT_EQ(presses[0].lParam, point);
}

TEST_F(MenuLoopEndTest, PointerGrab_IsHeldFromOpeningToClosingOnly) {
    EXPECT_FALSE(headless::Screen().PointerGrabbed());
    bool grabbedWhileOpen = false;
    bool grabbedWhileNested = false;
    HMENU nested = CreatePopupMenu();
    AppendMenuA(nested, MF_STRING, 9, "内层");
    // The nested menu takes the second step, the outer one the third.
    Script({[&] {
                grabbedWhileOpen = headless::Screen().PointerGrabbed();
                TrackPopupMenu(nested, TPM_RECURSE, 120, 120, 0, owner, nullptr);
                grabbedWhileNested = headless::Screen().PointerGrabbed();
            },
            [] { Key(VK_ESCAPE); }, [] { Key(VK_ESCAPE); }});
    TrackPopupMenu(menu, 0, 100, 100, 0, owner, nullptr);
    DestroyMenu(nested);
    EXPECT_TRUE(grabbedWhileOpen);
    EXPECT_TRUE(grabbedWhileNested);
    EXPECT_FALSE(headless::Screen().PointerGrabbed());
}

} // namespace
