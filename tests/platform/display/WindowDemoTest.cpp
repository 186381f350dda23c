// The window demo on a private Xvfb server, as a person would start it: its three windows
// appear with their frames, the shaped one lets the desktop show at its corner, the caption
// buttons close them; without a display it says so and fails.

#include "XTestClient.h"
#include "XvfbServer.h"

#include "platform/gdi/WinUserDraw.h"
#include "platform/user/WinUser.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

extern char** environ;

using namespace testing_support;

namespace {

const std::string DemoPath = std::string(QUILLMERE_BIN_DIR) + "/window-demo";

long Milliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000 + now.tv_nsec / 1000000;
}

// Polls the condition every 20 ms for up to ten seconds.
bool WaitFor(const std::function<bool()>& condition) {
    long deadline = Milliseconds() + 10000;
    while (Milliseconds() < deadline) {
        if (condition())
            return true;
        timespec pause{0, 20 * 1000 * 1000};
        nanosleep(&pause, nullptr);
    }
    return condition();
}

// Starts the demo with the given display and no test display setting; output goes to a file.
pid_t StartDemo(const std::string& display, const std::string& outputPath) {
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        if (entry.rfind("DISPLAY=", 0) != 0 && entry.rfind("QUILLMERE_DISPLAY=", 0) != 0)
            environment.push_back(entry);
    }
    environment.push_back("DISPLAY=" + display);
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::string program = DemoPath;
    char* argv[] = {program.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

std::uint32_t Rgb(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

TEST(WindowDemoTest, WithoutADisplayItSaysSoAndFails) {
    std::string output = std::string(QUILLMERE_BIN_DIR) + "/window-demo-no-display.txt";
    pid_t pid = StartDemo(":9876", output);
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
    pid_t pid = StartDemo(server->Name(), std::string(QUILLMERE_BIN_DIR) + "/window-demo-output.txt");
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
    bool ended = WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; });
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    EXPECT_TRUE(ended) << "closing every window ends the demo";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

} // namespace
