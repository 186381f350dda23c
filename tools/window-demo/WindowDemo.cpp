// window-demo: four windows on the real display to try the window manager by hand: a classic
// frame to move, size, maximise and close; a shaped window with round corners; a window with
// scroll bars over a long text; and a window with a menu bar. Every window has its system menu
// (the caption icon, Alt+Space, a right click on the caption). Ends when the last window closes.

#include "platform/base/CodePage.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/WinUser.h"

#include "MenuDemo.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr const char* Usage = R"(Usage:
  window-demo          opens a classic window, a shaped window, a window with scroll bars and
                       a window with a menu bar on the display named by DISPLAY
  window-demo --help   shows this text
)";

constexpr int LineCount = 200;
constexpr int LineHeight = 16;
constexpr int ColumnWidth = 8; // horizontal scroll step
constexpr int TextWidth = 900; // the longest line's width, in pixels

int g_openWindows = 0;

void WindowClosed() {
    if (--g_openWindows == 0)
        PostQuitMessage(0);
}

std::u16string LineText(int line) {
    std::string gbk = "第 " + std::to_string(line + 1) + " 行 — line " + std::to_string(line + 1) +
                      ": scroll with the arrows, the track or the thumb; drag the frame to size the window.";
    return platform::GbkToUtf16(gbk);
}

// Keeps the bars' page equal to what the client area shows.
void UpdateBars(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    SCROLLINFO info{sizeof info,
                    SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL,
                    0,
                    LineCount - 1,
                    static_cast<UINT>(client.bottom / LineHeight),
                    0,
                    0};
    SetScrollInfo(window, SB_VERT, &info, TRUE);
    info = {sizeof info,
            SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL,
            0,
            TextWidth / ColumnWidth,
            static_cast<UINT>(client.right / ColumnWidth),
            0,
            0};
    SetScrollInfo(window, SB_HORZ, &info, TRUE);
}

void Scroll(HWND window, int bar, WORD code) {
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(window, bar, &info);
    int position = info.nPos;
    int page = static_cast<int>(info.nPage);
    switch (code) {
    case SB_LINEUP:
        --position;
        break;
    case SB_LINEDOWN:
        ++position;
        break;
    case SB_PAGEUP:
        position -= page;
        break;
    case SB_PAGEDOWN:
        position += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
    case SB_TOP:
        position = info.nMin;
        break;
    case SB_BOTTOM:
        position = info.nMax;
        break;
    default:
        return;
    }
    if (SetScrollPos(window, bar, position, TRUE) != GetScrollPos(window, bar))
        InvalidateRect(window, nullptr, TRUE);
}

void PaintText(HWND window, HDC dc) {
    int top = GetScrollPos(window, SB_VERT);
    int left = GetScrollPos(window, SB_HORZ) * ColumnWidth;
    RECT client{};
    GetClientRect(window, &client);
    SetBkMode(dc, TRANSPARENT);
    for (int line = top; line < LineCount && (line - top) * LineHeight < client.bottom; ++line) {
        std::u16string text = LineText(line);
        TextOutW(dc, 4 - left, (line - top) * LineHeight, reinterpret_cast<LPCWSTR>(text.c_str()),
                 static_cast<int>(text.size()));
    }
}

void PaintGreeting(HWND window, HDC dc) {
    RECT client{};
    GetClientRect(window, &client);
    InflateRect(&client, -8, -8);
    SetBkMode(dc, TRANSPARENT);
    std::u16string text = platform::GbkToUtf16(
        "经典窗口。拖动标题栏移动窗口，拖动边框改变大小，双击标题栏最大化或还原。\n"
        "A classic frame: drag the caption to move, the border to size; double-click the caption.");
    DrawTextW(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &client,
              DT_WORDBREAK);
}

LRESULT CALLBACK DemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The scrolling window is marked in its user data once created.
    bool scrolled = GetWindowLongPtrW(window, GWLP_USERDATA) == 1;
    switch (message) {
    case WM_SIZE:
        if (scrolled)
            UpdateBars(window);
        return 0;
    case WM_VSCROLL:
        Scroll(window, SB_VERT, LOWORD(wParam));
        return 0;
    case WM_HSCROLL:
        Scroll(window, SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        for (int i = 0; i < 3; ++i)
            Scroll(window, SB_VERT, static_cast<SHORT>(HIWORD(wParam)) > 0 ? SB_LINEUP : SB_LINEDOWN);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (scrolled)
            PaintText(window, dc);
        else
            PaintGreeting(window, dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        WindowClosed();
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

HWND Open(const char* title, DWORD style, int x, int y, int width, int height) {
    // Titles are code page 936 texts, as every narrow text of the program.
    HWND window = CreateWindowExA(0, "QuillmereWindowDemo", title, style, x, y, width, height, nullptr,
                                  nullptr, nullptr, nullptr);
    if (window)
        ++g_openWindows;
    return window;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        bool help = std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0;
        std::fputs(Usage, help ? stdout : stderr);
        return help ? 0 : 1;
    }
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    description.lpfnWndProc = DemoProc;
    description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    description.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    description.lpszClassName = u"QuillmereWindowDemo";
    if (!RegisterClassExW(&description)) {
        std::fprintf(stderr, "window-demo: cannot register the window class\n");
        return 1;
    }
    Open("经典窗口 Classic window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 420, 220);

    HWND shaped = Open("圆角窗口 Shaped window", WS_OVERLAPPEDWINDOW, 520, 60, 320, 220);
    SetWindowRgn(shaped, CreateRoundRectRgn(0, 0, 321, 221, 40, 40), FALSE);
    ShowWindow(shaped, SW_SHOW);

    HWND menus = OpenMenuDemo(600, 320, 280, 260, WindowClosed);
    if (menus)
        ++g_openWindows;

    HWND text = Open("滚动条 Scroll bars", WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL, 60, 320, 520, 300);
    SetWindowLongPtrW(text, GWLP_USERDATA, 1);
    UpdateBars(text);
    ShowWindow(text, SW_SHOW);

    HACCEL shortcuts = MenuDemoAccelerators();

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (menus && message.hwnd == menus && TranslateAcceleratorA(menus, shortcuts, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DestroyAcceleratorTable(shortcuts);
    return static_cast<int>(message.wParam);
}
