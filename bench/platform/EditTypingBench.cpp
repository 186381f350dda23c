// Typing one character into a 100,000-line multi-line edit (word wrap on, a vertical scroll bar,
// the program's 12-pixel Song font), at the end of the text and at its start: the control's
// whole keystroke (WM_CHAR, the re-wrapped lines, the repaint of what changed) against the plain
// way of keeping lines, laying the whole text out again after each change.

#include "platform/controls/edit/Edit.h"
#include "platform/controls/edit/EditLayout.h"
#include "platform/display/Headless.h"
#include "platform/gdi/WinGdi.h"
#include "platform/user/WinUser.h"

#include <benchmark/benchmark.h>

#include <string>

#include <time.h>

namespace {

constexpr int LineCount = 100000;

std::string MemoText() {
    std::string text;
    for (int i = 0; i < LineCount; ++i)
        text += "第" + std::to_string(i) + "行 the quick brown fox 连接 127.0.0.1:8080\r\n";
    return text;
}

double Now() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateParent() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXA description{};
        description.cbSize = sizeof description;
        description.lpfnWndProc = ParentProc;
        description.lpszClassName = "EditTypingBenchWindow";
        RegisterClassExA(&description);
        registered = true;
    }
    return CreateWindowExA(0, "EditTypingBenchWindow", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 640,
                           480, nullptr, nullptr, nullptr, nullptr);
}

void TypeIntoMemo(benchmark::State& state, bool atEnd) {
    platform::headless::Use();
    HWND top = CreateParent();
    HWND memo = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 8, 8, 600,
                                400, top, nullptr, nullptr, nullptr);
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
    SendMessageA(memo, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const std::string text = MemoText();
    SendMessageA(memo, EM_LIMITTEXT, 0, 0);
    SendMessageA(memo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SetFocus(memo);
    const int caret = atEnd ? static_cast<int>(text.size()) : 0;
    SendMessageA(memo, EM_SETSEL, caret, caret);
    SendMessageA(memo, EM_SCROLLCARET, 0, 0);
    // The first change there moves the text's gap to the caret once; the keystrokes measured
    // are the ones that follow.
    SendMessageA(memo, WM_CHAR, 'x', 1);
    platform::headless::RunUntilIdle();

    // The plain way, on a copy of the same text and font.
    platform::EditText plain;
    plain.Assign(text);
    plain.Replace(caret, 0, "x");
    platform::CharWidths widths;
    widths.SetFont(font);
    platform::EditLayout layout(plain, widths);
    RECT format{};
    SendMessageA(memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    layout.Configure(true, format.right - format.left);
    layout.Rebuild();

    // The plain way first, a few keystrokes, so that neither run works in the other's caches.
    constexpr int PlainKeystrokes = 3;
    double start = Now();
    for (int i = 1; i <= PlainKeystrokes; ++i) {
        plain.Replace(caret + i, 0, "x");
        layout.Rebuild();
    }
    const double relayout = (Now() - start) / PlainKeystrokes;

    double control = 0;
    for (auto _ : state) {
        start = Now();
        SendMessageA(memo, WM_CHAR, 'x', 1);
        UpdateWindow(memo);
        double one = Now() - start;
        control += one;
        state.SetIterationTime(one);
    }
    const double iterations = static_cast<double>(state.iterations());
    if (SendMessageA(memo, WM_GETTEXTLENGTH, 0, 0) !=
        static_cast<LRESULT>(text.size()) + state.iterations() + 1)
        state.SkipWithError("the edit did not take every character typed");
    state.counters["lines"] = static_cast<double>(SendMessageA(memo, EM_GETLINECOUNT, 0, 0));
    state.counters["edit_ms"] = control * 1000 / iterations;
    state.counters["relayout_ms"] = relayout * 1000;
    state.counters["relayout/edit"] = relayout / (control / iterations);
    DestroyWindow(top);
    DeleteObject(font);
}

void BM_TypeAtEndOf100000Lines(benchmark::State& state) {
    TypeIntoMemo(state, true);
}
BENCHMARK(BM_TypeAtEndOf100000Lines)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);

void BM_TypeAtStartOf100000Lines(benchmark::State& state) {
    TypeIntoMemo(state, false);
}
BENCHMARK(BM_TypeAtStartOf100000Lines)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);

} // namespace
