// The window demo on a private Xvfb server, as a person would start it: its three windows
// appear with their frames, the shaped one lets the desktop show at its corner, the caption
// buttons close them; without a display it says so and fails.

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
    } windows[] = {{580, 320}, {840, 60}, {480, 60}};
    for (const Place& place : windows) {
        int x = place.right - frame - 2 - (GetSystemMetrics(SM_CXSIZE) - 2) / 2;
        int y = place.top + frame + GetSystemMetrics(SM_CYCAPTION) / 2;
        client->MovePointer(x, y);
        client->Button(1, true);
        client->Button(1, false);
    }
    int status = 0;
    EXPECT_TRUE(WaitForExit(pid, status)) << "closing every window ends the demo";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

} // namespace
