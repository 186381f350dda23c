// The controls demo on a private Xvfb server, as a person would use it: the dialog appears with
// its controls in the classic look (a screenshot is written for a person to look at), a click
// checks a box, the message box opens and answers a mnemonic, and the close button ends it.

#include "DemoProgram.h"
#include "XTestClient.h"
#include "XvfbServer.h"

#include "platform/base/MulDiv.h"
#include "platform/controls/dialogs/DialogState.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/WinUser.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <string>

using namespace testing_support;

namespace {

std::uint32_t Rgb(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

// The top-left pixel of the active caption on the screen, or (-1, -1). The screen is read at
// once: read pixel by pixel, a caption turning active during the search is found too low.
POINT FindActiveCaption(XTestClient& client, int width, int height) {
    std::uint32_t caption = Rgb(GetSysColor(COLOR_ACTIVECAPTION));
    ScreenArea screen = client.ReadScreen(0, 0, width, height);
    for (int y = 0; y < height; y += 1) {
        for (int x = 0; x < width; x += 2) {
            if (screen.Pixel(x, y) == caption) {
                while (x > 0 && screen.Pixel(x - 1, y) == caption)
                    --x;
                return {x, y};
            }
        }
    }
    return {-1, -1};
}

// A point of the demo dialog given in dialog units, from the caption's corner.
POINT DialogPoint(POINT caption, SIZE base, int x, int y) {
    return {caption.x + MulDiv(x, static_cast<int>(base.cx), 4),
            caption.y + GetSystemMetrics(SM_CYCAPTION) + MulDiv(y, static_cast<int>(base.cy), 8)};
}

void Click(XTestClient& client, POINT at) {
    client.MovePointer(at.x, at.y);
    client.Button(1, true);
    client.Button(1, false);
}

TEST(ControlsDemoTest, ShowsTheControlsChecksABoxAsksAndCloses) {
    std::string whyNot;
    constexpr int Width = 800;
    constexpr int Height = 600;
    auto server = XvfbServer::Start(whyNot, Width, Height);
    if (!server)
        GTEST_SKIP() << whyNot;
    auto client = XTestClient::Connect(server->Name());
    ASSERT_TRUE(client);
    client->PaintDesktop(0x003A6EA5);
    pid_t pid = StartDemoProgram(std::string(QUILLMERE_BIN_DIR) + "/controls-demo", server->Name(),
                                 std::string(QUILLMERE_BIN_DIR) + "/controls-demo-output.txt");
    ASSERT_GT(pid, 0);

    POINT caption{-1, -1};
    ASSERT_TRUE(WaitFor([&] {
        caption = FindActiveCaption(*client, Width, 200);
        return caption.x >= 0;
    }));
    HFONT font =
        CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, u"宋体");
    SIZE base = platform::DialogBaseUnitsOf(font);
    DeleteObject(font);
    // The default button's black outline and the group box's etched line are drawn.
    POINT refresh = DialogPoint(caption, base, 7, 135);
    EXPECT_TRUE(WaitFor([&] { return client->ScreenPixel(refresh.x, refresh.y + 5) == 0; }));
    EXPECT_TRUE(client->SaveScreenPng(std::string(QUILLMERE_BIN_DIR) + "/controls-demo.png"));

    // A click on the check box draws its mark.
    POINT box = DialogPoint(caption, base, 125, 15);
    auto boxInside = [&] { return client->ReadScreen(box.x + 2, box.y - 4, 9, 9); };
    auto markPixels = [&] {
        ScreenArea inside = boxInside();
        int dark = 0;
        for (int y = box.y - 4; y <= box.y + 4; ++y) {
            for (int x = box.x + 2; x <= box.x + 10; ++x)
                dark += inside.Pixel(x, y) == 0;
        }
        return dark;
    };
    // The dialog paints its controls one by one: the click waits until the box shows its white,
    // empty inside, not the blank (black) backing store or the dialog's face behind it.
    auto emptyBox = [&] {
        ScreenArea inside = boxInside();
        for (int y = box.y - 4; y <= box.y + 4; ++y) {
            for (int x = box.x + 2; x <= box.x + 10; ++x) {
                if (inside.Pixel(x, y) != 0xFFFFFF)
                    return false;
            }
        }
        return true;
    };
    EXPECT_TRUE(WaitFor(emptyBox));
    Click(*client, {box.x + 30, box.y});
    EXPECT_TRUE(WaitFor([&] { return markPixels() > 5; }));

    // The message box opens over the dialog and answers its mnemonic.
    Click(*client, DialogPoint(caption, base, 100, 142));
    POINT boxCaption{-1, -1};
    EXPECT_TRUE(WaitFor([&] {
        boxCaption = FindActiveCaption(*client, Width, Height);
        return boxCaption.x >= 0 && boxCaption.y != caption.y;
    }));
    EXPECT_TRUE(client->SaveScreenPng(std::string(QUILLMERE_BIN_DIR) + "/controls-demo-messagebox.png"));
    client->TypeText(
        U"y", [&] { return WaitFor([&] { return FindActiveCaption(*client, Width, 200).y == caption.y; }); });

    Click(*client, DialogPoint(caption, base, 223, 142));
    int status = 0;
    EXPECT_TRUE(WaitForExit(pid, status)) << "closing the dialog ends the demo";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

} // namespace
