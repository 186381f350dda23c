// The window manager's share of a full repaint: a main-window-sized top-level window with the
// program's number of child windows, invalidated whole and painted at once (every window
// fills its client area, so the figure is mostly region, DC and message overhead), and the
// cost of sending a message through a subclassed procedure of the other character set.

#include "platform/display/Headless.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/WinUser.h"

#include <benchmark/benchmark.h>

namespace {

LRESULT CALLBACK FillingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND BuildMainWindow() {
    platform::headless::Use();
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXW description{};
        description.cbSize = sizeof description;
        description.lpfnWndProc = FillingProc;
        description.lpszClassName = u"UserPaintBenchWindow";
        RegisterClassExW(&description);
        registered = true;
    }
    HWND main =
        CreateWindowExW(0, u"UserPaintBenchWindow", u"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                        0, 0, 636, 525, nullptr, nullptr, nullptr, nullptr);
    // A page control with a grid, a status bar, radio buttons and buttons: about 20 windows.
    HWND page = CreateWindowExW(0, u"UserPaintBenchWindow", u"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 4,
                                4, 620, 460, main, nullptr, nullptr, nullptr);
    CreateWindowExW(WS_EX_CLIENTEDGE, u"UserPaintBenchWindow", u"",
                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 8, 60, 600, 390, page, nullptr, nullptr,
                    nullptr);
    for (int i = 0; i < 16; ++i) {
        CreateWindowExW(0, u"UserPaintBenchWindow", u"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                        8 + (i % 8) * 75, 8 + (i / 8) * 24, 70, 22, page, nullptr, nullptr, nullptr);
    }
    CreateWindowExW(0, u"UserPaintBenchWindow", u"", WS_CHILD | WS_VISIBLE, 0, 470, 628, 20, main, nullptr,
                    nullptr, nullptr);
    platform::headless::RunUntilIdle();
    return main;
}

void FullRepaint(benchmark::State& state) {
    HWND main = BuildMainWindow();
    for (auto _ : state) {
        RedrawWindow(main, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    DestroyWindow(main);
}
BENCHMARK(FullRepaint)->Unit(benchmark::kMicrosecond);

LRESULT CALLBACK AnsiSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static LONG_PTR previous = 0;
    if (message == WM_NULL && lParam == 1) {
        previous = wParam;
        return 0;
    }
    return CallWindowProcA(reinterpret_cast<WNDPROC>(previous), window, message, wParam, lParam);
}

void SendThroughSubclass(benchmark::State& state) {
    HWND main = BuildMainWindow();
    LONG_PTR previous = SetWindowLongPtrA(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AnsiSubclass));
    SendMessageA(main, WM_NULL, static_cast<WPARAM>(previous), 1);
    char text[64];
    for (auto _ : state) {
        SendMessageW(main, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"连接列表"));
        benchmark::DoNotOptimize(GetWindowTextA(main, text, sizeof text));
    }
    DestroyWindow(main);
}
BENCHMARK(SendThroughSubclass)->Unit(benchmark::kNanosecond);

} // namespace
