// Pictures of the classic menus for a person to look at: a window with a menu bar and an open
// cascade, and a window's system menu, written as PNG files next to the test programs. The
// tests also check the few pixels that say the look is right.

#include "MenuTestSupport.h"

#include "platform/gdi/PngWriter.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"

#include <string>

using namespace testing_support;
using namespace menu_testing;
namespace headless = platform::headless;

namespace {

bool SaveScreen(const RECT& area, const std::string& name) {
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bits = CreateBitmap(width, height, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            SetPixel(dc, x, y, headless::ReadScreenPixel(area.left + x, area.top + y));
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    bool written = platform::WriteBitmapPng(bits, std::string(QUILLMERE_BIN_DIR) + "/" + name);
    DeleteObject(bits);
    return written;
}

bool Contains(const RECT& area, COLORREF colour) {
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (headless::ReadScreenPixel(x, y) == colour)
                return true;
        }
    }
    return false;
}

class MenuPicturesTest : public WindowTest {};

TEST_F(MenuPicturesTest, MenuBarWithAnOpenCascade) {
    HWND window = CreateTopLevel(20, 20, 420, 260);
    SetWindowTextA(window, "菜单示例");
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    HMENU recent = CreatePopupMenu();
    AppendMenuA(recent, MF_STRING, 31, "&1 连接列表.txt");
    AppendMenuA(recent, MF_STRING, 32, "&2 QQWry.Dat");
    AppendMenuA(file, MF_STRING, 11, "刷新(&R)\tF5");
    AppendMenuA(file, MF_STRING, 12, "保存(&S)...\tCtrl+S");
    AppendMenuA(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "最近的文件(&F)");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING | MF_CHECKED, 13, "显示 UDP(&U)");
    AppendMenuA(file, MF_STRING | MF_GRAYED, 14, "更新数据库(&D)");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, 15, "退出(&X)");
    CheckMenuRadioItem(file, 13, 13, 13, MF_BYCOMMAND);
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "文件(&F)");
    AppendMenuA(bar, MF_STRING, 20, "查看(&V)");
    AppendMenuA(bar, MF_STRING, 21, "帮助(&H)");
    SetMenu(window, bar);
    headless::RunUntilIdle();
    bool written = false;
    Script({[] { Key(VK_DOWN); }, [] { Key(VK_DOWN); }, [] { Key(VK_RIGHT); },
            [&] {
                EXPECT_EQ(MenuWindowCount(), 2);
                RECT selected = ItemRect(window, recent, 0);
                EXPECT_TRUE(Contains(selected, GetSysColor(COLOR_HIGHLIGHT)));
                RECT disabled = ItemRect(window, file, 5);
                EXPECT_TRUE(Contains(disabled, GetSysColor(COLOR_3DHILIGHT))) << "embossed grey text";
                RECT barItem = ItemRect(window, bar, 0);
                EXPECT_EQ(headless::ReadScreenPixel(barItem.left, barItem.top), GetSysColor(COLOR_3DSHADOW))
                    << "the open menu's bar item is sunken";
                written = SaveScreen({0, 0, 480, 320}, "menu-bar-cascade.png");
                EndMenu();
            }});
    headless::PressKey(VK_MENU);
    headless::TypeKey('F');
    headless::ReleaseKey(VK_MENU);
    headless::RunUntilIdle();
    EXPECT_TRUE(written);
}

TEST_F(MenuPicturesTest, SystemMenu) {
    HWND window = CreateTopLevel(20, 20, 360, 240);
    SetWindowTextA(window, "系统菜单");
    bool written = false;
    Script({[] { Key(VK_DOWN); },
            [&] {
                HMENU menu = GetSystemMenu(window, FALSE);
                EXPECT_TRUE(Contains(ItemRect(window, menu, 0), GetSysColor(COLOR_3DHILIGHT)))
                    << "还原 is disabled for a normal window";
                EXPECT_TRUE(Contains(ItemRect(window, menu, 6), GetSysColor(COLOR_MENUTEXT)));
                written = SaveScreen({0, 0, 400, 300}, "menu-system.png");
                EndMenu();
            }});
    SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    EXPECT_TRUE(written);
}

} // namespace
