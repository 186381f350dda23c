// The program's skinned frame on a private Xvfb server, with real input: dragging the caption
// moves the window, a double click on the caption maximises and a second one restores it, the
// desktop shows through the cut corners, and Alt+F4 ends the program. Where the window is comes
// from the screen itself: everything that is not the desktop's known colour.

#include "tests/platform/display/DemoProgram.h"
#include "tests/platform/display/XTestClient.h"
#include "tests/platform/display/XvfbServer.h"
#include "tests/platform/process/TestFolder.h"

#include "app/LocationText.h"
#include "tests/app/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

using namespace testing_support;

namespace {

constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;
constexpr std::uint32_t Desktop = 0x00305070;
constexpr unsigned long AltKey = 0xFFE9;
constexpr unsigned long F4Key = 0xFFC1;

struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Box&) const = default;
};

class SkinnedFrameEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        std::string whyNot;
        server = XvfbServer::Start(whyNot, ScreenWidth, ScreenHeight);
        if (!server)
            GTEST_SKIP() << whyNot;
        client = XTestClient::Connect(server->Name());
        ASSERT_NE(client, nullptr);
        client->PaintDesktop(Desktop);
        char cwd[4096];
        m_oldFolder = ::getcwd(cwd, sizeof cwd);
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        m_oldRuntime = runtime ? runtime : "";
        ::setenv("XDG_RUNTIME_DIR", folder.Path().c_str(), 1);
        ASSERT_EQ(::chdir(folder.Path().c_str()), 0);
        folder.Write(LocationDatabaseName, TwoRecordDatabase());
    }
    void TearDown() override {
        if (!server)
            return;
        if (program > 0) {
            int status = 0;
            if (!WaitForExit(program, status))
                ADD_FAILURE() << "the program did not end";
        }
        EXPECT_EQ(::chdir(m_oldFolder.c_str()), 0);
        if (m_oldRuntime.empty())
            ::unsetenv("XDG_RUNTIME_DIR");
        else
            ::setenv("XDG_RUNTIME_DIR", m_oldRuntime.c_str(), 1);
    }

    // Everything on the screen that is not the desktop.
    Box WindowBox() {
        const ScreenArea screen = client->ReadScreen(0, 0, ScreenWidth, ScreenHeight);
        Box box{ScreenWidth, ScreenHeight, 0, 0};
        for (int y = 0; y < ScreenHeight; ++y) {
            for (int x = 0; x < ScreenWidth; ++x) {
                if (screen.Pixel(x, y) == Desktop)
                    continue;
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
        }
        return box;
    }
    // Waits until the window stands still (two looks apart see the same box) and gives its box.
    Box SettledBox() {
        Box last{};
        Box now{};
        WaitFor([&] {
            ::usleep(100000);
            now = WindowBox();
            const bool still = now == last && now.Width() > 0;
            last = now;
            return still;
        });
        return now;
    }
    void DoubleClick(int x, int y) {
        client->MovePointer(x, y);
        for (int i = 0; i < 2; ++i) {
            client->Button(1, true);
            client->Button(1, false);
        }
    }

    std::unique_ptr<XvfbServer> server;
    std::unique_ptr<XTestClient> client;
    TestFolder folder;
    pid_t program = -1;

private:
    std::string m_oldFolder;
    std::string m_oldRuntime;
};

TEST_F(SkinnedFrameEndToEnd, TheCaptionDragsMaximisesAndRestoresAndTheCornersShowTheDesktop) {
    program =
        StartDemoProgram(std::string(QUILLMERE_BIN_DIR) + "/quillmere", server->Name(), folder / "err.txt");
    ASSERT_GT(program, 0);
    ASSERT_TRUE(WaitFor([&] { return WindowBox().Width() > 300; })) << "the window shows";
    const Box start = SettledBox();
    EXPECT_TRUE(client->SaveScreenPng(std::string(QUILLMERE_BIN_DIR) + "/../skinned-frame-x11.png"));
    // The shaped corner: the box's own corner is the desktop, a little inside is the window.
    EXPECT_EQ(client->ScreenPixel(start.left, start.top), Desktop);
    EXPECT_NE(client->ScreenPixel(start.left + start.Width() / 2, start.top + 2), Desktop);

    // Dragging the caption by (60, 40).
    const int grabX = start.left + start.Width() / 2;
    const int grabY = start.top + 12;
    client->MovePointer(grabX, grabY);
    client->Button(1, true);
    for (int step = 1; step <= 4; ++step)
        client->MovePointer(grabX + 15 * step, grabY + 10 * step);
    client->Button(1, false);
    ASSERT_TRUE(WaitFor([&] { return WindowBox().left == start.left + 60; })) << "the caption drags";
    const Box moved = SettledBox();
    EXPECT_EQ(moved.top, start.top + 40);
    EXPECT_EQ(moved.Width(), start.Width());

    DoubleClick(moved.left + moved.Width() / 2, moved.top + 12);
    ASSERT_TRUE(WaitFor([&] { return WindowBox().Width() == ScreenWidth; })) << "a double click maximises";
    const Box maximised = SettledBox();
    DoubleClick(ScreenWidth / 2, maximised.top + 12);
    ASSERT_TRUE(WaitFor([&] { return WindowBox().Width() == moved.Width(); })) << "and restores";
    EXPECT_EQ(SettledBox(), moved);

    // The keys go to the window under the pointer.
    client->MovePointer(moved.left + moved.Width() / 2, moved.top + 12);
    client->Key(AltKey, true);
    client->Key(F4Key, true);
    client->Key(F4Key, false);
    client->Key(AltKey, false);
    int status = -1;
    ASSERT_TRUE(WaitForExit(program, status)) << "Alt+F4 ends the program";
    program = -1;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

} // namespace
