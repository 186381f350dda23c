// A full repaint of the program's window with 1,000 listed rows, wearing its skin against the
// same window unskinned (the classic look), in the same run: frame, every control and the
// skins' overlays, in CPU time of the painting thread (the program's process look-ups fill their
// caches on a thread of their own meanwhile); the ratio is what the skin adds.

#include "ConnectionRows.h"
#include "bench/BenchClock.h"

#include "app/StringGridModel.h"
#include "app/Unit1.h"
#include "framework/forms/Application.h"
#include "framework/grid/StringGrid.h"
#include "platform/controls/dialogs/Dialog.h"
#include "platform/display/Headless.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/WinSkinData.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

void Settle() {
    platform::headless::RunFor(300);
    Application()->ProcessMessages();
    platform::headless::RunUntilIdle();
}

// Answers a message box the window opens with (no database in the benchmark's folder).
void CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD) {
    HWND active = GetActiveWindow();
    char name[16] = {};
    if (active && GetClassNameA(active, name, sizeof name) && std::string(name) == "#32770")
        PostMessageA(active, WM_COMMAND, IDOK, 0);
}

double FullRepaint(HWND window) {
    const double start = ThreadCpuMicroseconds();
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    platform::headless::RunUntilIdle();
    return (ThreadCpuMicroseconds() - start) / 1e6;
}

void BM_SkinnedWindowRepaintAgainstClassic(benchmark::State& state) {
    platform::headless::Use();
    const UINT_PTR answering = SetTimer(nullptr, 0, 20, &AnswerBoxes);
    auto form = std::make_unique<TForm1>(nullptr);
    form->AfterConstruction();
    form->Show();
    Settle();
    StringGridModel grid(*form->StringGrid1);
    FillConnectionRows(grid, static_cast<int>(state.range(0)));
    Settle();
    double skinned = 0;
    double classic = 0;
    for (auto _ : state) {
        const double one = FullRepaint(form->Handle());
        skinned += one;
        state.SetIterationTime(one);
        form->SkinData1->SetActive(false);
        Settle();
        classic += FullRepaint(form->Handle());
        form->SkinData1->SetActive(true);
        Settle();
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["skinned_cpu_ms"] = skinned * 1000 / iterations;
    state.counters["classic_cpu_ms"] = classic * 1000 / iterations;
    state.counters["skinned/classic"] = skinned / classic;
    KillTimer(nullptr, answering);
    state.counters["skinned_windows"] = SkinManager() ? SkinManager()->SkinnedWindowCount() : 0;
}
BENCHMARK(BM_SkinnedWindowRepaintAgainstClassic)
    ->ArgNames({"rows"})
    ->Arg(1000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

} // namespace
