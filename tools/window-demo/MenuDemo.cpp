#include "MenuDemo.h"

#include "platform/base/CodePage.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"

#include <string>

namespace {

enum Command : UINT {
    OpenFile = 100,
    SaveFile,
    Recent1,
    Recent2,
    Exit,
    ShowTcp = 200,
    ShowUdp,
    SortByName,
    SortByPid,
    Refresh,
    About = 300,
    Copy = 400,
    SelectAll,
};

void (*g_closed)() = nullptr;
std::string g_lastCommand = "还没有选择任何命令。按 Alt、F10 或 Alt+字母打开菜单，右键单击打开快捷菜单。";

HMENU BuildMenuBar() {
    HMENU recent = CreatePopupMenu();
    AppendMenuA(recent, MF_STRING, Recent1, "&1 连接列表.txt");
    AppendMenuA(recent, MF_STRING, Recent2, "&2 端口列表.txt");
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, OpenFile, "打开(&O)...\tCtrl+O");
    AppendMenuA(file, MF_STRING, SaveFile, "保存(&S)...\tCtrl+S");
    AppendMenuA(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "最近的文件(&F)");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, Exit, "退出(&X)\tAlt+F4");
    HMENU view = CreatePopupMenu();
    AppendMenuA(view, MF_STRING | MF_CHECKED, ShowTcp, "显示 TCP(&T)");
    AppendMenuA(view, MF_STRING | MF_CHECKED, ShowUdp, "显示 UDP(&U)");
    AppendMenuA(view, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(view, MF_STRING, SortByName, "按名称排序(&N)");
    AppendMenuA(view, MF_STRING, SortByPid, "按进程号排序(&P)");
    CheckMenuRadioItem(view, SortByName, SortByPid, SortByName, MF_BYCOMMAND);
    AppendMenuA(view, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(view, MF_STRING, Refresh, "刷新(&R)\tF5");
    HMENU help = CreatePopupMenu();
    AppendMenuA(help, MF_STRING, About, "关于(&A)...");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "文件(&F)");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), "查看(&V)");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "帮助(&H)");
    return bar;
}

void ShowContextMenu(HWND window, LPARAM lParam) {
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (lParam == -1) {
        at = {10, 10};
        ClientToScreen(window, &at);
    }
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, Copy, "复制(&C)");
    AppendMenuA(menu, MF_STRING, SelectAll, "全选(&A)");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, Refresh, "刷新(&R)\tF5");
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
    DestroyMenu(menu);
}

void OnCommand(HWND window, UINT command) {
    HMENU bar = GetMenu(window);
    char text[64] = "";
    GetMenuStringA(bar, command, text, sizeof text, MF_BYCOMMAND);
    switch (command) {
    case Exit:
        DestroyWindow(window);
        return;
    case ShowTcp:
    case ShowUdp:
        CheckMenuItem(bar, command,
                      (GetMenuState(bar, command, MF_BYCOMMAND) & MF_CHECKED) ? MF_UNCHECKED : MF_CHECKED);
        break;
    case SortByName:
    case SortByPid:
        CheckMenuRadioItem(bar, SortByName, SortByPid, command, MF_BYCOMMAND);
        break;
    default:
        break;
    }
    // The item's label without its shortcut.
    std::string label = text[0] ? std::string(text).substr(0, std::string(text).find('\t')) : "(快捷菜单)";
    g_lastCommand = "上一个命令：" + label + "  (" + std::to_string(command) + ")";
    InvalidateRect(window, nullptr, TRUE);
}

LRESULT CALLBACK MenuDemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(window, LOWORD(wParam));
        return 0;
    case WM_CONTEXTMENU:
        ShowContextMenu(window, lParam);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client{};
        GetClientRect(window, &client);
        InflateRect(&client, -8, -8);
        SetBkMode(dc, TRANSPARENT);
        std::u16string text = platform::GbkToUtf16(g_lastCommand);
        DrawTextW(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &client,
                  DT_WORDBREAK);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        if (g_closed)
            g_closed();
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

HWND OpenMenuDemo(int x, int y, int width, int height, void (*closed)()) {
    g_closed = closed;
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    description.lpfnWndProc = MenuDemoProc;
    description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    description.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    description.lpszClassName = u"QuillmereMenuDemo";
    if (!RegisterClassExW(&description))
        return nullptr;
    return CreateWindowExA(0, "QuillmereMenuDemo", "菜单 Menus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y,
                           width, height, nullptr, BuildMenuBar(), nullptr, nullptr);
}

HACCEL MenuDemoAccelerators() {
    ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'O', OpenFile},
                       {FVIRTKEY | FCONTROL, 'S', SaveFile},
                       {FVIRTKEY, VK_F5, Refresh}};
    return CreateAcceleratorTableA(entries, 3);
}
