// The window demo on a private Xvfb server, as a person would start it: its four windows
// appear with their frames, the shaped one lets the desktop show at its corner, the caption
// buttons close them, the menu window's bar and the system menus work by mouse and keyboard;
// without a display it says so and fails.

#include "DemoProgram.h"
#include "XTestClient.h"
#include "XvfbServer.h"

#include "platform/gdi/WinUserDraw.h"
#include "platform/user/WinUser.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

using namespace testing_support;

namespace {

const std::string DemoPath = std::string(QUILLMERE_BIN_DIR) + "/window-demo";

// Clicks the close button of a classic window whose top-right corner is given.
void ClickCloseButton(XTestClient& client, int right, int top) {
    int frame = GetSystemMetrics(SM_CXFRAME);
    client.MovePointer(right - frame - 2 - (GetSystemMetrics(SM_CXSIZE) - 2) / 2,
                       top + frame + GetSystemMetrics(SM_CYCAPTION) / 2);
    client.Button(1, true);
    client.Button(1, false);
}

std::uint32_t Rgb(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

TEST(WindowDemoTest, WithoutADisplayItSaysSoAndFails) {
    std::string output = std::string(QUILLMERE_BIN_DIR) + "/window-demo-no-display.txt";
    pid_t pid = StartDemoProgram(DemoPath, ":9876", output);
    ASSERT_GT(pid, 0);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    FILE* file = std::fopen(output.c_str(), "r");
    ASSERT_NE(file, nullptr);
    char text[512] = {};
    size_t length = std::fread(text, 1, sizeof text - 1, file);
    std::fclose(file);
    EXPECT_NE(std::string(text, length).find("cannot open the X display \":9876\""), std::string::npos)
        << text;
}

TEST(WindowDemoTest, ShowsItsWindowsAndClosesThemFromTheirCaptionButtons) {
    std::string whyNot;
    auto server = XvfbServer::Start(whyNot, 900, 700);
    if (!server)
        GTEST_SKIP() << whyNot;
    auto client = XTestClient::Connect(server->Name());
    ASSERT_TRUE(client);
    constexpr std::uint32_t Desktop = 0x003A6EA5;
    client->PaintDesktop(Desktop);
    pid_t pid = StartDemoProgram(DemoPath, server->Name(),
                                 std::string(QUILLMERE_BIN_DIR) + "/window-demo-output.txt");
    ASSERT_GT(pid, 0);

    int frame = GetSystemMetrics(SM_CXFRAME);
    // The scroll window, opened last, is active; the classic window's caption is inactive.
    EXPECT_TRUE(WaitFor([&] {
        return client->ScreenPixel(60 + frame + 1, 320 + frame + 1) ==
                   Rgb(GetSysColor(COLOR_ACTIVECAPTION)) &&
               client->ScreenPixel(60 + frame + 1, 60 + frame + 1) == Rgb(GetSysColor(COLOR_INACTIVECAPTION));
    }));
    // The scroll window's first line of text is painted.
    int firstLine = 320 + frame + GetSystemMetrics(SM_CYCAPTION) + 8;
    EXPECT_TRUE(WaitFor([&] {
        for (int x = 70; x < 200; ++x) {
            if (client->ScreenPixel(x, firstLine) == 0)
                return true;
        }
        return false;
    }));
    // Round corners: the desktop shows at the shaped window's corner, its caption inside.
    EXPECT_EQ(client->ScreenPixel(520, 60), Desktop);
    EXPECT_NE(client->ScreenPixel(520 + 20, 60 + frame + 1), Desktop);
    EXPECT_TRUE(client->SaveScreenPng(std::string(QUILLMERE_BIN_DIR) + "/window-demo.png"));

    // Each window's close button, from the top right: the demo ends with the last one.
    struct Place {
        int right, top;
    } windows[] = {{580, 320}, {880, 320}, {840, 60}, {480, 60}};
    for (const Place& place : windows)
        ClickCloseButton(*client, place.right, place.top);
    int status = 0;
    EXPECT_TRUE(WaitForExit(pid, status)) << "closing every window ends the demo";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(WindowDemoTest, MenuBarAndSystemMenuWorkByMouseAndKeyboard) {
    std::string whyNot;
    auto server = XvfbServer::Start(whyNot, 900, 700);
    if (!server)
        GTEST_SKIP() << whyNot;
    auto client = XTestClient::Connect(server->Name());
    ASSERT_TRUE(client);
    client->PaintDesktop(0x003A6EA5);
    pid_t pid = StartDemoProgram(DemoPath, server->Name(),
                                 std::string(QUILLMERE_BIN_DIR) + "/window-demo-menus-output.txt");
    ASSERT_GT(pid, 0);
    std::uint32_t menu = Rgb(GetSysColor(COLOR_MENU));
    std::uint32_t white = Rgb(GetSysColor(COLOR_WINDOW));
    std::uint32_t highlight = Rgb(GetSysColor(COLOR_HIGHLIGHT));
    int frame = GetSystemMetrics(SM_CXFRAME);
    int barTop = 320 + frame + GetSystemMetrics(SM_CYCAPTION);
    int belowBar = barTop + GetSystemMetrics(SM_CYMENU);
    auto click = [&](int x, int y, int button) {
        client->MovePointer(x, y);
        client->Button(button, true);
        client->Button(button, false);
    };
    auto tap = [&](unsigned long keysym) {
        client->Key(keysym, true);
        client->Key(keysym, false);
    };
    // The menu window's bar is painted, its client area white below it.
    // A point below the text that the 文件 drop-down covers.
    POINT probe{760, belowBar + 78};
    ASSERT_TRUE(WaitFor([&] {
        return client->ScreenPixel(600 + frame + 2, barTop + 4) == menu &&
               client->ScreenPixel(probe.x, probe.y) == white;
    }));

    // By mouse: 文件 drops its menu, 打开 chooses the first item and the drop-down goes.
    click(600 + frame + 20, barTop + 9, 1);
    EXPECT_TRUE(WaitFor([&] { return client->ScreenPixel(probe.x, probe.y) == menu; }));
    click(600 + frame + 30, belowBar + 3 + 9, 1);
    EXPECT_TRUE(WaitFor([&] { return client->ScreenPixel(probe.x, probe.y) == white; }));

    // By keyboard: Alt selects the bar, the right arrow moves to 查看, the down arrow opens it
    // with its first item selected, Escape twice leaves.
    std::uint32_t raised = Rgb(GetSysColor(COLOR_3DHILIGHT));
    tap(0xFFE9); // Alt
    EXPECT_TRUE(WaitFor([&] { return client->ScreenPixel(600 + frame, barTop) == raised; }))
        << "the first bar item is raised";
    tap(0xFF53); // Right
    EXPECT_TRUE(WaitFor([&] { return client->ScreenPixel(600 + frame, barTop) == menu; }));
    tap(0xFF54); // Down
    bool highlighted = WaitFor([&] {
        for (int x = 640; x < 760; ++x) {
            if (client->ScreenPixel(x, belowBar + 3 + 9) == highlight)
                return true;
        }
        return false;
    });
    EXPECT_TRUE(highlighted) << "the drop-down of 查看 is open with its first item selected";
    EXPECT_TRUE(client->SaveScreenPng(std::string(QUILLMERE_BIN_DIR) + "/window-demo-menu-bar.png"));
    tap(0xFF1B); // Escape
    tap(0xFF1B);

    // A right click on the classic window's caption opens its system menu there; 关闭 closes it.
    int captionY = 60 + frame + GetSystemMetrics(SM_CYCAPTION) / 2;
    click(200, captionY, 3);
    EXPECT_TRUE(WaitFor([&] { return client->ScreenPixel(340, captionY + 12) == menu; }));
    EXPECT_TRUE(client->SaveScreenPng(std::string(QUILLMERE_BIN_DIR) + "/window-demo-system-menu.png"));
    int itemHeight = GetSystemMetrics(SM_CYMENU) - 1;
    click(230, captionY + 3 + 5 * itemHeight + 9 + itemHeight / 2, 1);
    EXPECT_TRUE(WaitFor([&] { return client->ScreenPixel(200, captionY) == 0x003A6EA5; }))
        << "the classic window closed";

    struct Place {
        int right, top;
    } windows[] = {{580, 320}, {880, 320}, {840, 60}};
    for (const Place& place : windows)
        ClickCloseButton(*client, place.right, place.top);
    int status = 0;
    EXPECT_TRUE(WaitForExit(pid, status));
}

} // namespace
