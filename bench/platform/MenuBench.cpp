// Opening a popup menu of 20 items (its window created, laid out, painted through WM_PRINT and
// destroyed, with every notification) against the plain baseline of drawing the same 20 labels
// with DrawText into a bitmap of the menu's size; the ratio is what the menu machinery costs
// above the text it shows.

#include "platform/display/Headless.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/WinUser.h"

#include <benchmark/benchmark.h>

#include <string>

#include <time.h>

namespace {

constexpr int ItemCount = 20;

// Microseconds of the monotonic clock (<chrono> does not compile with the GBK execution set).
double Now() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

std::string Label(int i) {
    return "菜单项 " + std::to_string(i) + "(&" + std::to_string(i % 10) + ")\tCtrl+" +
           std::to_string(i % 10);
}

void PopupOpenAndPaint(benchmark::State& state) {
    platform::headless::Use();
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                 nullptr, nullptr, nullptr);
    HMENU menu = CreatePopupMenu();
    for (int i = 0; i < ItemCount; ++i)
        AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(i + 1), Label(i).c_str());
    // The menu is closed as soon as it waits for the user.
    platform::headless::SetIdleHandler([] { return EndMenu() != FALSE; });
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bits = CreateCompatibleBitmap(screen, 200, ItemCount * 18);
    SelectObject(memory, bits);
    double menuTime = 0;
    double textTime = 0;
    for (auto _ : state) {
        double start = Now();
        TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, owner, nullptr);
        double opened = Now();
        for (int i = 0; i < ItemCount; ++i) {
            RECT line{20, i * 18, 200, i * 18 + 18};
            std::string label = Label(i);
            DrawTextA(memory, label.c_str(), static_cast<int>(label.size()), &line,
                      DT_SINGLELINE | DT_VCENTER);
        }
        double drawn = Now();
        menuTime += opened - start;
        textTime += drawn - opened;
    }
    double iterations = static_cast<double>(state.iterations());
    state.counters["menu_us"] = menuTime / iterations;
    state.counters["labels_us"] = textTime / iterations;
    state.counters["ratio"] = menuTime / textTime;
    platform::headless::SetIdleHandler(nullptr);
    DeleteDC(memory);
    DeleteObject(bits);
    ReleaseDC(nullptr, screen);
    DestroyMenu(menu);
    DestroyWindow(owner);
}
BENCHMARK(PopupOpenAndPaint)->Unit(benchmark::kMicrosecond);

} // namespace
