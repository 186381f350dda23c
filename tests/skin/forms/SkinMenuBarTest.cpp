// The skin's menu bar on a bare window with a native menu: the buttons it makes and the menu it
// takes over, the band it paints from the skin's menu-bar image with a hot button framed, and
// moving through the drop-downs by keys and mouse, the window's frame being played by the test
// window, which opens the drop-down of the button a non-client press lands on.

#include "tests/skin/forms/SkinEngineFixture.h"
#include "tests/skin/forms/SkinMenuTestSupport.h"

#include "platform/gdi/WinGdi.h"
#include "skin/forms/SkinMenuNavigation.h"
#include "skin/forms/SkinMenuStyle.h"
#include "skin/forms/WinSkinMenu.h"

#include <vector>

using namespace skinmenus;
namespace headless = platform::headless;

namespace {

constexpr UINT OpenCommand = 11;
constexpr UINT CommandItem = 30;

TWinSkinMenu* g_bar = nullptr;
std::vector<int> g_opened;
std::vector<WPARAM> g_commands;

LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCLBUTTONDOWN && g_bar) {
        RECT r{};
        GetWindowRect(window, &r);
        const int index = g_bar->ButtonAt({GET_X_LPARAM(lParam) - r.left, GET_Y_LPARAM(lParam) - r.top});
        if (index >= 0) {
            g_opened.push_back(index);
            OpenMenuBarDropDown(*g_bar, index);
        }
        return 0;
    }
    if (message == WM_COMMAND)
        g_commands.push_back(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

class SkinMenuBarTest : public SkinEngineTest {
protected:
    void SetUp() override {
        SkinEngineTest::SetUp();
        data = NewSkinData();
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = FrameProcedure;
        windowClass.lpszClassName = "SkinMenuBarTestWindow";
        RegisterClassA(&windowClass);
        HMENU file = CreatePopupMenu();
        AppendMenuA(file, MF_STRING, OpenCommand, "打开(&O)");
        AppendMenuA(file, MF_STRING, 12, "退出(&X)");
        HMENU edit = CreatePopupMenu();
        AppendMenuA(edit, MF_STRING, 21, "复制(&C)");
        native = CreateMenu();
        AppendMenuA(native, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "文件(&F)");
        AppendMenuA(native, MF_STRING, CommandItem, "刷新(&R)");
        AppendMenuA(native, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "编辑(&E)");
        window = CreateWindowExA(0, "SkinMenuBarTestWindow", "bar", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                 360, 240, nullptr, native, nullptr, nullptr);
        bar = std::make_unique<TWinSkinMenu>(*data, window, nullptr);
        bar->Build();
        g_bar = bar.get();
        g_opened.clear();
        g_commands.clear();
        Pump();
    }
    void TearDown() override {
        g_bar = nullptr;
        bar->GiveMenuBack();
        bar.reset();
        DestroyWindow(window);
        SkinEngineTest::TearDown();
    }

    // Lays the bar out in a band 20 pixels high at (4, 30) of the window.
    void LayOut() {
        HDC dc = GetWindowDC(window);
        bar->PaintBand(dc, band, true, band.right);
        ReleaseDC(window, dc);
    }

    // Opens a button's drop-down as a press on it would, and runs what the switches post.
    void Open(int index) {
        g_opened.push_back(index);
        OpenMenuBarDropDown(*bar, index);
        Pump();
    }

    POINT ScreenPointOf(int index) const {
        RECT r{};
        GetWindowRect(window, &r);
        const RECT& b = bar->Button(index).rect;
        return {r.left + (b.left + b.right) / 2, r.top + (b.top + b.bottom) / 2};
    }

    const RECT band{4, 30, 340, 50};
    TSkinData* data = nullptr;
    HMENU native = nullptr;
    HWND window = nullptr;
    std::unique_ptr<TWinSkinMenu> bar;
};

TEST_F(SkinMenuBarTest, TheBarTakesTheNativeMenuOverWithAButtonPerItem) {
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_EQ(bar->NativeMenu(), native);
    ASSERT_EQ(bar->ButtonCount(), 3);
    EXPECT_EQ(bar->Button(0).caption, "文件(&F)");
    EXPECT_EQ(bar->Button(0).dropDown, GetSubMenu(native, 0));
    EXPECT_TRUE(bar->Button(2).enabled);
    EXPECT_EQ(bar->Button(1).dropDown, nullptr);
    EXPECT_EQ(bar->Button(1).command, CommandItem);
    EXPECT_EQ(bar->ButtonByMnemonic('e'), 2);
    EnableMenuItem(native, 2, MF_BYPOSITION | MF_GRAYED);
    bar->Build();
    EXPECT_EQ(bar->ButtonCount(), 3) << "a rebuild reads the menu taken over";
    EXPECT_FALSE(bar->Button(2).enabled);
    bar->GiveMenuBack();
    EXPECT_EQ(GetMenu(window), native);
    EXPECT_EQ(bar->ButtonCount(), 0);
}

TEST_F(SkinMenuBarTest, TheBandShowsTheSkinsBarImageAndFramesTheHotButton) {
    LayOut();
    TDataSkinObject& record = *data->Elements().MenuBar;
    const RECT& first = bar->Button(0).rect;
    EXPECT_EQ(first.left, band.left + record.LeftWidth + 4);
    EXPECT_EQ(first.bottom, band.bottom - 1);
    EXPECT_EQ(bar->Button(1).rect.left, first.right) << "buttons follow each other";
    // A pixel of the band past the last button, in the middle row: the image's active frame.
    const int frameHeight = record.Image->Height() / 2;
    const COLORREF expected =
        static_cast<COLORREF>(record.Image->Canvas()->Pixels(record.Image->Width() / 2, frameHeight / 2)) &
        0xFFFFFF;
    EXPECT_EQ(headless::ReadPixel(window, band.right - record.RightWidth - 20, (band.top + band.bottom) / 2),
              expected);
    EXPECT_EQ(bar->ButtonAt({first.left + 2, first.top + 2}), 0);
    EXPECT_EQ(bar->ButtonAt({band.right - 30, band.top + 5}), -1);

    bar->SetButtonState(0, TMenuBtnState::Hot);
    HDC dc = GetWindowDC(window);
    bar->PaintButton(dc, 0);
    ReleaseDC(window, dc);
    EXPECT_EQ(headless::ReadPixel(window, first.left, first.top + 5), SkinMenuColours(*data).hotFrame);
    bar->SetButtonState(0, TMenuBtnState::Normal);
    dc = GetWindowDC(window);
    bar->PaintButton(dc, 0);
    ReleaseDC(window, dc);
    EXPECT_NE(headless::ReadPixel(window, first.left, first.top + 5), SkinMenuColours(*data).hotFrame);
}

TEST_F(SkinMenuBarTest, AnItemWithoutSubItemsPostsItsCommandAndOpensNothing) {
    LayOut();
    Open(1);
    EXPECT_EQ(g_commands, std::vector<WPARAM>{CommandItem});
    EXPECT_EQ(OpenMenuWindow(), nullptr);
    EXPECT_EQ(CurrentMenuBarButton(), -1);
}

TEST_F(SkinMenuBarTest, TheRightArrowOnAnItemWithoutSubItemsMovesOnAndWrapsToTheFirst) {
    LayOut();
    int selectedFirst = -1;
    Script({[&] {
                EXPECT_TRUE(MenuBarTracking());
                HMENU edit = GetSubMenu(native, 2);
                selectedFirst = GetMenuState(edit, 0, MF_BYPOSITION) & MF_HILITE ? 0 : -1;
                headless::TypeKey(VK_RIGHT);
            },
            [] { headless::TypeKey(VK_RIGHT); }, // from the first on to the command item
            [] {}});
    Open(2);
    EXPECT_EQ(selectedFirst, 0) << "the drop-down opens with its first item selected";
    EXPECT_EQ((std::vector<int>{2, 0, 1}), g_opened);
    EXPECT_EQ(g_commands.back(), CommandItem) << "the command item opens nothing: its command is posted";
}

TEST_F(SkinMenuBarTest, TheLeftArrowFromTheFirstWrapsToTheLast) {
    LayOut();
    Script({[] { headless::TypeKey(VK_LEFT); }, [] { headless::TypeKey(VK_ESCAPE); }});
    Open(0);
    EXPECT_EQ((std::vector<int>{0, 2}), g_opened);
}

TEST_F(SkinMenuBarTest, MovingTheMouseOntoAnotherButtonSwitchesTheDropDown) {
    LayOut();
    const POINT edit = ScreenPointOf(2);
    Script({[&] { headless::MoveMouse(edit.x, edit.y); }, [] { headless::TypeKey(VK_ESCAPE); }});
    Open(0);
    EXPECT_EQ((std::vector<int>{0, 2}), g_opened);
    EXPECT_FALSE(MenuBarTracking());
}

TEST_F(SkinMenuBarTest, EnterChoosesAnItemOfTheDropDown) {
    LayOut();
    Script({[] { headless::TypeKey(VK_RETURN); }});
    Open(0);
    EXPECT_EQ(g_opened, std::vector<int>{0});
    ASSERT_FALSE(g_commands.empty());
    EXPECT_EQ(g_commands.back(), OpenCommand);
}

} // namespace
