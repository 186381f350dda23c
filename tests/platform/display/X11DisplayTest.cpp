// The X11 display on a private Xvfb server: windows appear as X windows with their shapes,
// input typed on the server reaches window procedures, the desktop's close request and the
// clipboard work. Each test skips, saying why, when Xvfb is not installed.

#include "X11Session.h"

#include "platform/base/CodePage.h"
#include "platform/display/Display.h"
#include "platform/display/x11/X11Display.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/WindowTestSupport.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

class X11DisplayTest : public OnX11Session<WindowTest> {
protected:
    // A shown popup (no frame) filled with one colour through the display's presentation.
    HWND ShowFilledPopup(const RECT& rect, std::uint32_t colour) {
        HWND window = Create(WS_POPUP | WS_VISIBLE, rect.left, rect.top, rect.right - rect.left,
                             rect.bottom - rect.top);
        EXPECT_TRUE(RunUntil([&] { return m_client->IsShown(m_display->NativeWindow(window)); }));
        Fill(window, rect.right - rect.left, rect.bottom - rect.top, colour);
        return window;
    }

    void Fill(HWND window, int width, int height, std::uint32_t colour) {
        m_pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), colour);
        platform::PixelBuffer buffer{m_pixels.data(), width, height, width};
        m_display->Present(window, buffer, {0, 0, width, height});
    }

    std::string OutputPath(const std::string& name) const {
        return std::string(QUILLMERE_BIN_DIR) + "/" + name;
    }

    std::vector<std::uint32_t> m_pixels;
};

TEST_F(X11DisplayTest, PresentedPixelsReachTheScreenAndAShapeLetsTheDesktopShowThrough) {
    constexpr std::uint32_t desktop = 0x003A6EA5;
    m_client->PaintDesktop(desktop);
    ASSERT_EQ(m_client->ScreenPixel(100, 100), desktop);
    HWND window = ShowFilledPopup({100, 100, 300, 250}, 0x00C03020);
    EXPECT_TRUE(RunUntil([&] { return m_client->ScreenPixel(150, 150) == 0x00C03020; }));
    EXPECT_EQ(m_client->ScreenPixel(100, 100), 0x00C03020u);

    // Rounded off: the corner pixels are cut away, the rest stays.
    ASSERT_TRUE(m_display->HasShapeExtension());
    std::vector<RECT> shape = {{4, 0, 196, 4}, {0, 4, 200, 146}, {4, 146, 196, 150}};
    m_display->SurfaceShaped(window, shape);
    EXPECT_TRUE(RunUntil([&] { return m_client->ScreenPixel(100, 100) == desktop; }));
    EXPECT_EQ(m_client->ScreenPixel(104, 100), 0x00C03020u);
    EXPECT_EQ(m_client->ScreenPixel(299, 249), desktop);
    EXPECT_TRUE(m_client->SaveScreenPng(OutputPath("x11-shaped-window.png")));

    // A shape of nothing shows nothing of the window.
    m_display->SurfaceShaped(window, std::vector<RECT>{});
    EXPECT_TRUE(RunUntil([&] { return m_client->ScreenPixel(150, 150) == desktop; }));

    // Clearing the shape gives the whole window back.
    m_display->SurfaceShaped(window, std::nullopt);
    Fill(window, 200, 150, 0x00C03020);
    EXPECT_TRUE(RunUntil([&] { return m_client->ScreenPixel(100, 100) == 0x00C03020; }));
}

TEST_F(X11DisplayTest, PresentationWorksWithAndWithoutSharedMemory) {
    EXPECT_TRUE(m_display->UsesSharedMemory()) << "Xvfb offers MIT-SHM to local clients";
    // A second display on the same server, made to use plain images.
    setenv("QUILLMERE_NO_SHM", "1", 1);
    std::string error;
    auto plain = platform::X11Display::Open(m_session->ServerName().c_str(), error);
    unsetenv("QUILLMERE_NO_SHM");
    ASSERT_TRUE(plain) << error;
    EXPECT_FALSE(plain->UsesSharedMemory());
    HWND handle = reinterpret_cast<HWND>(0x1234);
    plain->SurfaceCreated(handle, {10, 10, 60, 40}, true);
    plain->SurfaceShown(handle, true);
    std::vector<std::uint32_t> pixels(50 * 30, 0x0020A040);
    plain->Present(handle, {pixels.data(), 50, 30, 50}, {0, 0, 50, 30});
    EXPECT_TRUE(RunUntil([&] {
        plain->PollEvents();
        return m_client->ScreenPixel(30, 20) == 0x0020A040;
    }));
    plain->SurfaceDestroyed(handle);
}

TEST_F(X11DisplayTest, ChineseTextTypedOnTheServerReachesAnAnsiWindowAsGbk) {
    HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200, nullptr, 0, 0, true);
    unsigned long xid = m_display->NativeWindow(window);
    ASSERT_TRUE(RunUntil([&] { return m_client->IsShown(xid); }));
    m_client->Focus(xid);
    std::string received;
    SetHandler([&](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CHAR)
            received.push_back(static_cast<char>(wParam & 0xFF));
        return std::nullopt;
    });
    size_t expected = 0;
    EXPECT_TRUE(m_client->TypeText(U"中文a", [&] {
        expected += 2;
        return RunUntil([&] { return received.size() >= std::min<size_t>(expected, 5); });
    }));
    EXPECT_EQ(received, std::string("中文a")) << platform::GbkToUtf8(received);
}

TEST_F(X11DisplayTest, MinimisingWithoutADesktopWindowManagerParksTheWindowOffScreen) {
    HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 70, 200, 150);
    unsigned long xid = m_display->NativeWindow(window);
    ASSERT_TRUE(RunUntil([&] { return m_client->IsShown(xid); }));
    int x = 0, y = 0, width = 0, height = 0;
    ShowWindow(window, SW_MINIMIZE);
    EXPECT_TRUE(
        RunUntil([&] { return m_client->Geometry(xid, x, y, width, height) && x < -1000 && y < -1000; }));
    ShowWindow(window, SW_RESTORE);
    EXPECT_TRUE(RunUntil([&] {
        return m_client->Geometry(xid, x, y, width, height) && x == 60 && y == 70 && width == 200 &&
               height == 150;
    }));
}

TEST_F(X11DisplayTest, TheDesktopLearnsEachWindowsTitle) {
    HWND window = CreateWindowExA(0, AnsiClassName, "标题 Title", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                  300, 200, nullptr, nullptr, nullptr, nullptr);
    unsigned long xid = m_display->NativeWindow(window);
    EXPECT_EQ(m_client->WindowName(xid), platform::Utf16ToUtf8(u"标题 Title"));
    SetWindowTextA(window, "新标题");
    EXPECT_EQ(m_client->WindowName(xid), platform::Utf16ToUtf8(u"新标题"));
}

TEST_F(X11DisplayTest, TheDesktopsCloseRequestClosesTheWindow) {
    HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200);
    unsigned long xid = m_display->NativeWindow(window);
    ASSERT_TRUE(RunUntil([&] { return m_client->IsShown(xid); }));
    m_client->SendDeleteWindow(xid);
    EXPECT_TRUE(RunUntil([&] { return !IsWindow(window); }));
    EXPECT_FALSE(Logged(window, WM_CLOSE).empty());
}

TEST_F(X11DisplayTest, ClipboardTextGoesBothWays) {
    platform::Display().SetClipboardText(u"复制 copy");
    std::string seen = m_client->RequestClipboard([&] { platform::Display().PollEvents(); });
    EXPECT_EQ(seen, platform::Utf16ToUtf8(u"复制 copy"));

    m_client->OwnClipboard(platform::Utf16ToUtf8(u"粘贴 paste"));
    auto pasted = platform::Display().ClipboardText();
    ASSERT_TRUE(pasted);
    EXPECT_EQ(*pasted, u"粘贴 paste");

    // Emptied, the clipboard offers no text, whichever program's it was.
    platform::Display().ClearClipboardText();
    EXPECT_FALSE(platform::Display().ClipboardText());
}

TEST_F(X11DisplayTest, MovingAWindowMovesItsXWindow) {
    HWND window = Create(WS_POPUP | WS_VISIBLE, 40, 60, 120, 80);
    unsigned long xid = m_display->NativeWindow(window);
    ASSERT_TRUE(RunUntil([&] { return m_client->IsShown(xid); }));
    MoveWindow(window, 200, 150, 160, 90, TRUE);
    int x = 0, y = 0, width = 0, height = 0;
    EXPECT_TRUE(RunUntil([&] {
        return m_client->Geometry(xid, x, y, width, height) && x == 200 && y == 150 && width == 160 &&
               height == 90;
    })) << x
        << "," << y << " " << width << "x" << height;
}

TEST_F(X11DisplayTest, AWindowSizedTwiceBeforeTheServerAnswersKeepsItsLastSize) {
    HWND window = Create(WS_POPUP | WS_VISIBLE, 40, 60, 120, 80);
    unsigned long xid = m_display->NativeWindow(window);
    ASSERT_TRUE(RunUntil([&] { return m_client->IsShown(xid); }));
    // Both sizes are asked for before the loop reads the server's reports of either.
    MoveWindow(window, 40, 60, 200, 150, TRUE);
    MoveWindow(window, 40, 60, 160, 90, TRUE);
    int x = 0, y = 0, width = 0, height = 0;
    ASSERT_TRUE(RunUntil([&] { return m_client->Geometry(xid, x, y, width, height) && width == 160; }));
    Settle();
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 160) << "the report of the first size is no new size";
    EXPECT_EQ(rect.bottom - rect.top, 90);
    ASSERT_TRUE(m_client->Geometry(xid, x, y, width, height));
    EXPECT_EQ(width, 160);
    EXPECT_EQ(height, 90);
}

TEST_F(X11DisplayTest, DraggingTheFrameWithThePointerMovesAndSizesTheWindow) {
    m_client->PaintDesktop(0x003A6EA5);
    HWND window = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    SetWindowTextW(window, u"拖动 Drag me");
    unsigned long xid = m_display->NativeWindow(window);
    ASSERT_TRUE(RunUntil([&] { return m_client->IsShown(xid); }));
    int x = 0, y = 0, width = 0, height = 0;
    auto placedAt = [&](RECT expected) {
        RECT r{};
        GetWindowRect(window, &r);
        return r.left == expected.left && r.top == expected.top && r.right == expected.right &&
               r.bottom == expected.bottom && m_client->Geometry(xid, x, y, width, height) &&
               x == expected.left && y == expected.top && width == expected.right - expected.left &&
               height == expected.bottom - expected.top;
    };
    int captionY = 100 + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    m_client->MovePointer(200, captionY);
    m_client->Button(1, true);
    m_client->MovePointer(260, captionY + 30);
    m_client->MovePointer(280, captionY + 50);
    m_client->Button(1, false);
    EXPECT_TRUE(RunUntil([&] {
        return placedAt({180, 150, 480, 350});
    })) << "X window at "
        << x << "," << y << " " << width << "x" << height;

    // The bottom-right corner sizes it.
    m_client->MovePointer(479, 349);
    m_client->Button(1, true);
    m_client->MovePointer(520, 400);
    m_client->Button(1, false);
    EXPECT_TRUE(RunUntil([&] {
        return placedAt({180, 150, 521, 401});
    })) << "X window at "
        << x << "," << y << " " << width << "x" << height;

    // The window paints its frame itself; the caption shows in the active colour.
    COLORREF caption = GetSysColor(COLOR_ACTIVECAPTION);
    std::uint32_t expected = (GetRValue(caption) << 16) | (GetGValue(caption) << 8) | GetBValue(caption);
    int frame = GetSystemMetrics(SM_CXFRAME);
    EXPECT_TRUE(
        RunUntil([&] { return m_client->ScreenPixel(180 + frame + 1, 150 + frame + 1) == expected; }));
    EXPECT_TRUE(m_client->SaveScreenPng(OutputPath("x11-classic-frame.png")));
}

} // namespace
